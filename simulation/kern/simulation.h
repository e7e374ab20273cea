// The fill-level simulation: plays the cistern through a number of years in discrete time
// units and counts empties, overflows and make-up water. Its rain comes from generated daily
// weather, played day by day through the shared daily balance, or from the simplified model
// (a normal draw per time unit around the rain curve, with a normal draw of consumption).
#pragma once

#include "simulation/kern/gaussgenerator.h"
#include "simulation/kern/simulationsset.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// Called after every time unit when the settings ask for graphic output: the time unit just
// simulated, the engine's settings and the level at its end. Returning true stops the run.
// The callback must not destroy the engine.
using TSimulationProgress =
    std::function<bool(std::int32_t Time, const TSimulationSet& Set, long double Level)>;

// Source of the normal variates a run draws; replaces the engine's own generator in tests.
class TNormalQuelle {
public:
    virtual ~TNormalQuelle() = default;
    // Mean + Deviation × a standard normal variate.
    virtual long double Normal(long double Deviation, long double Mean) = 0;
};

class TSimulation {
public:
    // Seeds the own generator from the high-resolution counter.
    TSimulation();
    // Draws from `Quelle` instead of the own generator; the engine owns it.
    explicit TSimulation(std::unique_ptr<TNormalQuelle> Quelle);
    ~TSimulation();
    TSimulation(const TSimulation&) = delete;
    TSimulation& operator=(const TSimulation&) = delete;

    // Checks the settings and keeps a deep copy of them. Throws EInvalidValueException with the
    // first failed check's message and then leaves the kept settings unchanged.
    void SetParameters(const TSimulationSet& Set);
    void SetOnProgress(TSimulationProgress Callback);
    // Simulates all runs. True when all were completed, false when stopped by the callback or
    // by Stop(). Resets the totals.
    // With daily weather run r plays year r of the weather day by day; a time unit adds up the
    // days that fall into it, or takes an even share of its day where units are shorter than a
    // day, and counts as empty when rainwater left part of its demand open, as overflow when
    // rain overflowed.
    // With the simplified model the random sequence goes on from the previous run. Without
    // graphic output the draws run up to 63 time units ahead of the level, so after a Stop()
    // the sequence may have moved on further than the time units counted.
    bool Run();
    // Asks a running Run to end after the current time unit: from the callback, from an event
    // handler that the callback runs, or from another thread. A request made outside a run is
    // dropped when the next Run begins.
    void Stop() { FStop.store(true, std::memory_order_relaxed); }
    void GetResults(std::int64_t& Overflows, std::int64_t& Empties, long double& MakeUp) const;
    // Share of the demand of the completed time units that rainwater covered, 0 to 1; 0
    // without demand.
    long double Regenwasseranteil() const;

    const TSimulationSet& GetSimulationSet() const { return FSet; }
    TGaussGenerator& Generator() { return FGenerator; }

private:
    struct TMittel {
        long double Regen;     // mean precipitation, m
        long double Verbrauch; // mean consumption, m³
    };
    struct TMengen {
        long double Ertrag;    // yield of the areas, m³
        long double Verbrauch; // consumption, m³
    };
    struct TStand {
        long double Level;
        long double MakeUp;
        std::int64_t Empties;
        std::int64_t Overflows;
    };

    template <typename Quelle> bool Simuliere(Quelle& quelle);
    // The run on generated daily weather, day by day through the shared daily balance.
    bool SimuliereTageswetter();
    // Reports a time unit to the callback; true when the run is to stop.
    bool Melde(std::int64_t k, long double level);
    // Follows the level through the drawn amounts of `anzahl` time units and returns how many
    // it went through: fewer when a stop was asked for.
    static std::size_t Fuelle(const TMengen* mengen, std::size_t anzahl, long double volMin,
                              long double volumen, TStand& stand, const std::atomic<bool>& stop);

    TGaussGenerator FGenerator;
    std::unique_ptr<TNormalQuelle> FQuelle;
    TSimulationProgress FOnProgress;
    TSimulationSet FSet;
    std::int64_t FOverflows = 0;
    std::int64_t FEmpties = 0;
    long double FMakeUp = 0;
    long double FBedarf = 0;    // demand of the completed time units, m³
    long double FGeliefert = 0; // of it served by rainwater (daily weather), m³
    std::atomic<bool> FStop{false};
    std::vector<TMittel> FMittel;   // per time unit, reused by Run
    std::array<TMengen, 64> FBlock; // draws of the time units ahead of the level
};

// Mean consumption per time unit for SpareCurve, with garden irrigation only in the checked
// months (Gartenmonate[0] January). The garden share Garten × GartenV of the annual demand is
// spread evenly over the time units of the checked months, the rest evenly over all N units;
// time unit IntervalFrom + k belongs to month floor(12 × k / N) + 1. Without garden, with every
// month or with no month checked, each entry is the annual demand / N. An invalid consumer
// value gives demand 0. Empty for N < 1.
std::vector<long double> BerechneSpareCurve(const TParameterSatz& Satz, std::int32_t N,
                                            const std::array<bool, 12>& Gartenmonate);
