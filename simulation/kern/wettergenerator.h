// Daily rain from a site's twelve monthly means: wet and dry days follow a two-state Markov
// chain per month, wet days get gamma-distributed amounts, and a random factor per month and
// year, on the amounts and the number of wet days, gives wet and dry spells of weeks. Over many
// years each month's mean equals the site's. The parameters were fitted to daily station series
// (Datenbasis: Deutscher Wetterdienst).
#pragma once

#include "model/parametersatz.h"

#include <array>
#include <cstdint>
#include <vector>

inline constexpr int TageJeJahr = 365;
inline constexpr std::array<int, 12> Monatstage{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
// The least rain of a wet day, in the fit and in the generated weather: 0,1 mm (the resolution
// of the station series).
inline constexpr double NassAbMm = 0.1;
inline constexpr double NassAbMeter = NassAbMm / 1000;

struct TWetterParameter {
    // logit(share of wet days) = NassA + NassB × ln(monthly mean in mm)
    double NassA = 0;
    double NassB = 0;
    // Persistence p11 − p01 of the wet state per month, January first.
    std::array<double, 12> Persistenz{};
    // Shape of the gamma distribution of the amounts on wet days above NassAbMm.
    double Form = 1;
    // Coefficient of variation of the factor drawn per month and year (mean 1).
    double Monatsstreuung = 0;
    // Exponent of that factor on the month's wet-day share (normalised to keep its mean): a dry
    // month has fewer wet days, not only smaller amounts. 0: the factor scales the amounts alone.
    double Haeufung = 0;
    // Change of the persistence per unit of the site's summer share above SommerBezug: rain of
    // summer showers comes in shorter spells.
    double PersistenzSommer = 0;
};

// The fitted parameters the program uses.
const TWetterParameter& AngepassteWetterParameter();

// Reproducible random numbers (xoshiro256**, seeded through splitmix64): the same seed gives
// the same sequence on every machine and compiler.
class TZufall {
public:
    explicit TZufall(std::uint64_t saat);
    std::uint64_t Bits();
    // Uniform, strictly between 0 and 1.
    double Gleich();
    // Standard normal (polar method).
    double Normal();
    // Gamma with the given shape and scale 1 (mean = form); form > 0.
    double Gamma(double form);

private:
    std::array<std::uint64_t, 4> FZustand{};
    double FReserve = 0;
    bool FHatReserve = false;
};

// The share of April to September in the annual total of twelve monthly means; SommerBezug
// without rain.
inline constexpr double SommerBezug = 0.55;
double Sommeranteil(const TNiederschlag& monatsmittel);

// The wet-day share of a month with the given mean (mm), between 0,02 and 0,98; 0 for a month
// without rain.
double NassAnteil(double monatsmittelMm, const TWetterParameter& p);

// `jahre` years of 365 days, rain per day in metres; `monatsmittel` in metres per month. A wet
// day has at least NassAbMm (or a month's whole mean per wet day, where that is less), the rest
// gamma-distributed; months with a mean of 0 or below (or not a number) stay dry.
std::vector<double> ErzeugeWetter(const TNiederschlag& monatsmittel, int jahre, std::uint64_t saat,
                                  const TWetterParameter& p = AngepassteWetterParameter());

// The seed of a site: derived from its twelve monthly means and postal code only, so that the
// house's what-if changes all see the same weather.
std::uint64_t WetterSaat(const TParameterSatz& satz);
