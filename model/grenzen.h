// The allowed range of every input of a parameter set: the input forms check typed values
// against it, the calculation-file reader refuses values outside it, and so the calculator never
// computes a value that overflows (no inf, no NaN).
#pragma once

#include "model/parametersatz.h"
#include "model/wirtschaftlichkeit.h"

#include <QString>

// A closed range [Min, Max] in the field's unit. A value other than 0 must also be at least
// KleinsterWert, so that no quotient of two inputs leaves the range of a double.
struct TGrenze {
    long double Min;
    long double Max;
    const char16_t* Einheit; // "" for a pure number
};

namespace grenzen {

inline constexpr long double KleinsterWert = 1e-7L;

inline constexpr TGrenze Flaeche{0, 100000, u"m²"};         // one catchment area
inline constexpr TGrenze Anteil{0, 1, u""};                 // Beiwert, WGrad, LadeBeiwert
inline constexpr TGrenze Monatsniederschlag{0, 0.5L, u"m"}; // 500 mm a month
inline constexpr TGrenze Jahresniederschlag{0, 6, u"m"};    // twelve months at most
inline constexpr TGrenze Personen{0, 99, u""};              // persons per consumer
inline constexpr TGrenze Verbrauch{0, 999, u"m³"};          // per person or m² and year
inline constexpr TGrenze Garten{0, 100000, u"m²"};
inline constexpr TGrenze Kubikmeterpreis{0, 100, u"€/m³"}; // water price, pump's power
inline constexpr TGrenze Jahresbetrag{0, 100000, u"€/Jahr"};
inline constexpr TGrenze Einbau{0, 1000000, u"€"};

} // namespace grenzen

// One number field of the set after the areas and the curve, with its range.
struct TGrenzFeld {
    const char* Name;
    long double TParameterSatz::*Wert;
    const TGrenze* Grenze;
};

// The number inputs in the order of the calculation file.
extern const TGrenzFeld GrenzFelder[11];

// One money input with its key in the calculation file and its range.
struct TKostenGrenzFeld {
    const char* Name;
    long double TKosten::*Wert;
    const TGrenze* Grenze;
};

// The money inputs in the order of the calculation file.
extern const TKostenGrenzFeld KostenGrenzFelder[5];

// The range of a money input.
const TGrenze& KostenGrenze(long double TKosten::*feld);

// The range of a field of the set; nullptr for a field that is not listed.
const TGrenze* GrenzeVon(long double TParameterSatz::*feld);

// Whether wert lies in the range: Min ≤ wert ≤ Max, and 0 or at least KleinsterWert.
bool ImBereich(long double wert, const TGrenze& grenze);

// "zwischen 0 und 100000", with German numbers, each scaled by 10^verschiebung.
QString Bereichstext(const TGrenze& grenze, int verschiebung = 0);
// The refusal of a typed amount: "Trinkwasserpreis: bitte eine Zahl zwischen 0 und 100 €/m³
// eingeben."
QString Eingabebitte(const QString& feld, const TGrenze& grenze);
