// Sizing calculation: five routines working in place on a parameter set.
#pragma once

#include "model/parametersatz.h"

inline constexpr int BerechnungOk = 0;
inline constexpr int BerechnungUngueltig = -2;

// Menge := sum of the twelve monthly values.
void BerechneMenge(TParameterSatz& satz);
// Ertrag := sum of Flaeche × Beiwert × Menge × WGrad; -2 on a negative Menge or a bad area.
int BerechneErtrag(TParameterSatz& satz);
// Bedarf := sum of consumers × consumption; -2 on any negative input.
int BerechneBedarf(TParameterSatz& satz);
// Volumen := LadeBeiwert × min(Ertrag, Bedarf).
int BerechneVolumen(TParameterSatz& satz);
// Rate := Ertrag / Bedarf × 100, 0 without demand.
int BerechneRate(TParameterSatz& satz);

// The five routines in their fixed order; stops at the first failure. Returns 0 or -2.
int BerechneAlles(TParameterSatz& satz);
// The five routines in their fixed order, ignoring every status (as the evaluation window does).
void BerechneAllesOhneAbbruch(TParameterSatz& satz);
