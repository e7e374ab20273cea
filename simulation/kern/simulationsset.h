// Settings of one fill-level simulation: a full parameter set plus the run settings and the
// per-time-unit curves. A value record, handed on only as a deep copy.
#pragma once

#include "model/parametersatz.h"

#include <cstdint>
#include <vector>

struct TSimulationSet {
    TParameterSatz ParameterSatz;  // Volumen is the cistern's capacity
    long double StartLevel = 0;    // m³, level at the start of the first run
    std::int32_t Runs = 0;         // simulated years
    long double VolMin = 0;        // m³, minimum fill level
    std::int32_t IntervalFrom = 0; // first time unit of a year
    std::int32_t IntervalTo = 0;   // last time unit of a year
    std::int32_t StartTime = 0;    // time unit every run begins with
    bool Graphics = false;         // report every time unit to the progress callback
    // Entry k: precipitation in metres per month for time unit IntervalFrom + k.
    std::vector<long double> RainCurve;
    // Entry k: mean consumption in m³ of time unit IntervalFrom + k. Used by the engine only
    // when it holds one entry per time unit; otherwise the annual demand is spread evenly.
    std::vector<long double> SpareCurve;

    bool operator==(const TSimulationSet&) const = default;
};

// Makes Destination equal to Source; the copy shares no list or array with the source.
void CopySimulationSet(const TSimulationSet& Source, TSimulationSet& Destination);
