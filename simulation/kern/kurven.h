// The curves of a run as the fill-level page prepares them: twelve monthly rain values
// (metres, one per slider) interpolated over the time units, the garden months' spare curve,
// and the bar that shows a time unit.
#pragma once

#include "simulation/kern/simulationsset.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// The integer part, where a value within binary round-off of a whole number counts as that
// number: 0,064 m are 64 mm, although 0,064 × 1000 comes out just below 64.
long double Abgerundet(long double x);

// Whole millimetres of a value in metres.
long double Millimeter(long double meter);

// Position of a slider running from 0 (top, `maximum` millimetres) to `maximum` (0 mm) for a
// value in metres; clamped into that range, NaN at 0.
int ReglerPosition(long double meter, int maximum);
// The value in metres of a slider position.
long double ReglerMeter(int position, int maximum);

// The polyline through the twelve monthly values at `punkte` equal steps over months 1 … 12:
// point i lies at month i / punkte × 11 + 1. Empty for punkte < 1.
std::vector<long double> Regenkurve(const std::vector<long double>& monatswerte,
                                    std::int64_t punkte);

// Fills RainCurve and SpareCurve of the set for its interval IntervalFrom … IntervalTo, and
// for daily weather the garden months and the site's seed (from the set's parameter set).
void BereiteKurvenVor(TSimulationSet& set, const std::vector<long double>& monatswerte,
                      const std::array<bool, 12>& gartenmonate);

// The monthly means of the generated weather: a month whose slider (0 … `maximum` mm, whole
// millimetres) still stands where the site's mean puts it keeps that mean, a moved slider
// gives its own value. So untouched sliders give the site's weather exactly.
TNiederschlag Wettermittel(const TNiederschlag& standort, const std::vector<long double>& regler,
                           int maximum);

// The bar (of `balken`, bar 0 unused) that shows time unit `zeit` of the set's interval
// spread over twelve months; none when it falls outside.
std::optional<std::size_t> BalkenDerZeiteinheit(std::int32_t zeit, const TSimulationSet& set,
                                                std::size_t balken);
