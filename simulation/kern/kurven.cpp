// Curve preparation of a run.
#include "simulation/kern/kurven.h"

#include "simulation/kern/interpolator.h"
#include "simulation/kern/simulation.h"
#include "simulation/kern/wettergenerator.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr std::array<long double, 12> Knoten{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
}

long double Abgerundet(long double x)
{
    const long double ganz = std::round(x);
    if (std::fabs(x - ganz) <= 1e-9L * std::max(1.0L, std::fabs(x)))
        return ganz;
    return std::trunc(x);
}

long double Millimeter(long double meter)
{
    return Abgerundet(meter * 1000);
}

int ReglerPosition(long double meter, int maximum)
{
    const long double position = maximum - Millimeter(meter);
    if (!(position > 0)) // NaN too
        return 0;
    return position >= maximum ? maximum : static_cast<int>(position);
}

long double ReglerMeter(int position, int maximum)
{
    return static_cast<long double>(maximum - position) / 1000;
}

std::vector<long double> Regenkurve(const std::vector<long double>& monatswerte,
                                    std::int64_t punkte)
{
    const auto anzahl = static_cast<std::size_t>(std::max<std::int64_t>(punkte, 0));
    const TInterpolator interpolator;
    std::vector<long double> kurve(anzahl, 0);
    for (std::size_t i = 0; i < anzahl; ++i)
        kurve[i] = interpolator.Interpolate(
            Knoten, monatswerte,
            static_cast<long double>(i) / static_cast<long double>(punkte) * 11 + 1);
    return kurve;
}

void BereiteKurvenVor(TSimulationSet& set, const std::vector<long double>& monatswerte,
                      const std::array<bool, 12>& gartenmonate)
{
    const std::int64_t n = std::int64_t{set.IntervalTo} - set.IntervalFrom + 1;
    set.RainCurve = Regenkurve(monatswerte, n);
    set.SpareCurve =
        BerechneSpareCurve(set.ParameterSatz, static_cast<std::int32_t>(n), gartenmonate);
    set.Gartenmonate = gartenmonate;
    set.Saat = WetterSaat(set.ParameterSatz);
}

TNiederschlag Wettermittel(const TNiederschlag& standort, const std::vector<long double>& regler,
                           int maximum)
{
    TNiederschlag mittel = standort;
    for (std::size_t i = 0; i < mittel.size() && i < regler.size(); ++i)
        if (ReglerMeter(ReglerPosition(standort[i], maximum), maximum) != regler[i])
            mittel[i] = regler[i];
    return mittel;
}

std::optional<std::size_t> BalkenDerZeiteinheit(std::int32_t zeit, const TSimulationSet& set,
                                                std::size_t balken)
{
    const long double n = static_cast<long double>(set.IntervalTo) - set.IntervalFrom + 1;
    const long double index = std::trunc(zeit / n * 11) + 1;
    if (index >= 0 && index < static_cast<long double>(balken))
        return static_cast<std::size_t>(index);
    return std::nullopt;
}
