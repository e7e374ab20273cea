// Settings of one fill-level simulation: a full parameter set plus the run settings and the
// per-time-unit curves. A value record, handed on only as a deep copy.
#pragma once

#include "model/parametersatz.h"

#include <array>
#include <cstdint>
#include <vector>

// Where a run takes its rain from: days of the daily weather generator (dry spells included),
// or per time unit a normal draw around the rain curve.
enum class TWetterModell : std::uint8_t { Tageswetter, Vereinfacht };

struct TSimulationSet {
    TParameterSatz ParameterSatz;  // Volumen is the cistern's capacity
    long double StartLevel = 0;    // m³, level at the start of the first run
    std::int32_t Runs = 0;         // simulated years
    long double VolMin = 0;        // m³, minimum fill level
    std::int32_t IntervalFrom = 0; // first time unit of a year
    std::int32_t IntervalTo = 0;   // last time unit of a year
    std::int32_t StartTime = 0;    // time unit every run begins with
    bool Graphics = false;         // report every time unit to the progress callback
    // Simplified model only. Entry k: precipitation in metres per month for time unit
    // IntervalFrom + k.
    std::vector<long double> RainCurve;
    // Simplified model only. Entry k: mean consumption in m³ of time unit IntervalFrom + k.
    // Used only when it holds one entry per time unit; otherwise the annual demand is spread
    // evenly.
    std::vector<long double> SpareCurve;
    // Daily weather only: the rain of ParameterSatz.Niederschlag generated from seed Saat, and
    // the garden months of the daily demand (January first).
    TWetterModell Wetter = TWetterModell::Vereinfacht;
    std::uint64_t Saat = 0;
    std::array<bool, 12> Gartenmonate{};

    bool operator==(const TSimulationSet&) const = default;
};

// Makes Destination equal to Source; the copy shares no list or array with the source.
void CopySimulationSet(const TSimulationSet& Source, TSimulationSet& Destination);
