// Coverage over tank volume: plays the cistern day by day through generated weather for many
// volumes at once, all of them through the same days.
#pragma once

#include "model/parametersatz.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

inline constexpr int KurvenJahre = 100;
inline constexpr int KurvenPunkteMindestens = 40;
// Garden months checked when the fill-level page opens, and the calculator's: April to
// September.
inline constexpr std::array<bool, 12> StandardGartenmonate{
    false, false, false, true, true, true, true, true, true, false, false, false};

struct TDeckungsPunkt {
    double Volumen = 0;   // m³
    double Deckung = 0;   // share of the demand covered by rainwater, 0 to 1
    double Ueberlauf = 0; // share of the yield lost by overflow, 0 to 1
};

// The house's side of the daily balance: yield per metre of rain (Σ area × coefficient × WGrad,
// 0 for an invalid area) and the demand of each of the 365 days of a year: the year's demand
// spread evenly, the garden's part over the days of the garden months (the weather's calendar).
struct THausTage {
    double ErtragJeMeter = 0;
    std::vector<double> Bedarf;
};
THausTage HausTage(const TParameterSatz& satz, const std::array<bool, 12>& gartenmonate);

// Starts empty and plays each day by Tagesbilanz (yield after spillage) with rain ×
// ErtragJeMeter. `wetter` holds whole years of 365 days (rain in m). One point per volume, in
// order.
std::vector<TDeckungsPunkt> BerechneDeckung(const THausTage& haus,
                                            const std::vector<double>& wetter,
                                            const std::vector<double>& volumina);

// The chart's volumes: 0 up to max(3 × volumen, groessteEmpfehlung + 1 m³, 1 m³) in a round
// step (1, 2, 2,5 or 5 × 10^n), at least KurvenPunkteMindestens + 1 values.
std::vector<double> Volumenraster(long double volumen, long double groessteEmpfehlung);

// Coverage at a volume, linear between the curve's points and level beyond its ends; 0 for an
// empty curve.
double DeckungBei(const std::vector<TDeckungsPunkt>& kurve, double volumen);

// The smallest volume of the curve from which each further cubic metre adds less than one
// percentage point of coverage (linear between the points); none when the curve is shorter
// than 1 m³ or still rises faster at its end.
std::optional<double> Knickpunkt(const std::vector<TDeckungsPunkt>& kurve);

struct TDeckungsErgebnis {
    // Over Volumenraster, continued (each time to twice its end, with as many points) until it
    // shows the knee or comes within half a point of what the yield can cover,
    // min(1, yield ÷ demand).
    std::vector<TDeckungsPunkt> Kurve;
    std::vector<TDeckungsPunkt> Produkte; // at the given product volumes, in their order
    // Knickpunkt of the curve, refined to a tenth of its order of magnitude (0,1 m³ below
    // 10 m³), so that it does not depend on the chart's step.
    std::optional<double> Knick;
    bool OhneErtragOderBedarf = false; // then no volume covers anything, and there is no knee
};

// The curve, the products and the knee of a house through the given weather; without
// `mitKurve` only the products (no curve, no knee).
TDeckungsErgebnis RechneDeckung(const TParameterSatz& satz,
                                const std::array<bool, 12>& gartenmonate,
                                const std::vector<double>& wetter,
                                const std::vector<double>& produktVolumina, bool mitKurve = true);

// Keeps the generated weather of the last site, so that changes of the house alone only play
// the volumes through again.
class TDeckungsrechner {
public:
    TDeckungsErgebnis Rechne(const TParameterSatz& satz, const std::array<bool, 12>& gartenmonate,
                             const std::vector<double>& produktVolumina);
    const std::vector<double>& Wetter(const TParameterSatz& satz);

private:
    std::optional<std::uint64_t> FSaat;
    std::vector<double> FWetter;
};
