// One calculation case: inputs of a house and its site plus the four sizing results.
#pragma once

#include "model/wirtschaftlichkeit.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

// One catchment area.
struct TFlaeche {
    long double Flaeche = 0; // m²
    long double Beiwert = 0; // runoff coefficient, 0 to 1

    bool operator==(const TFlaeche&) const = default;
};

using TNiederschlag = std::array<long double, 12>; // metres per month, January first

struct TParameterSatz {
    std::vector<TFlaeche> Flaechen;
    TNiederschlag Niederschlag{};
    long double Menge = 0; // m per year
    long double WGrad = 0; // filter efficiency, fraction
    QString PLZ;           // station's postal code, empty for a hand-entered curve
    long double PersWCSpar = 0;
    long double PersWCSparV = 0;
    long double PersWCNorm = 0;
    long double PersWCNormV = 0;
    long double PersWasch = 0;
    long double PersWaschV = 0;
    long double Garten = 0;  // m²
    long double GartenV = 0; // m³ per m² and year
    long double LadeBeiwert = 0;
    long double Ertrag = 0;  // m³ per year
    long double Bedarf = 0;  // m³ per year
    long double Volumen = 0; // m³
    long double Rate = 0;    // percent
    // The money inputs kept with the case; none for a case that never had them saved.
    std::optional<TKosten> Kosten;

    bool operator==(const TParameterSatz&) const = default;
};

// Default curve of every new set; sums to 0,715 m per year.
extern const TNiederschlag StandardNiederschlag;

// Sets every field to its default.
void InitParameterSatz(TParameterSatz& satz);

// Makes ziel equal to quelle, with a list of areas of its own.
void CopyParameterSatz(const TParameterSatz& quelle, TParameterSatz& ziel);

// The maker's contact data, shown in the about box.
struct THerstellerInfo {
    QString Firma;
    QString Strasse;
    QString Ort;
    QString Web;
    QString EMail;
    QString Telefon;
    QString Fax;
};

// The one maker record, filled at start-up from the string resources 1001 to 1007.
extern THerstellerInfo Hersteller;

// Fills Hersteller from the string resources.
void LadeHersteller();
