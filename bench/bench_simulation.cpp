// Fill-level simulation without graphic output: time per simulated time unit for a daily
// simulation of 100 years with three catchment areas.
#include "model/berechnung.h"
#include "simulation/kern/interpolator.h"
#include "simulation/kern/simulation.h"

#include <benchmark/benchmark.h>

namespace {

constexpr std::int32_t kJahre = 100;

// The fill-level page's settings for `einheiten` time units a year: the standard curve
// sampled as the page does, three roofs, a family of four with a garden.
TSimulationSet Einstellungen(std::int32_t einheiten, bool gartenmonate)
{
    TSimulationSet set;
    TParameterSatz& p = set.ParameterSatz;
    InitParameterSatz(p);
    p.Flaechen = {{120, 0.8L}, {40, 0.5L}, {25, 0.9L}};
    p.WGrad = 0.9L;
    p.PersWCSpar = 4;
    p.PersWasch = 4;
    p.Garten = 200;
    BerechneAlles(p);

    set.StartLevel = 0;
    set.Runs = kJahre;
    set.VolMin = 0;
    set.IntervalFrom = 1;
    set.IntervalTo = einheiten;
    set.StartTime = 1;
    set.Graphics = false;
    std::vector<long double> knoten(12);
    for (int i = 0; i < 12; ++i)
        knoten[static_cast<std::size_t>(i)] = i + 1;
    TInterpolator ip;
    for (std::int32_t i = 0; i < einheiten; ++i)
        set.RainCurve.push_back(ip.Interpolate(knoten, p.Niederschlag,
                                               static_cast<long double>(i) / einheiten * 11 + 1));
    if (gartenmonate)
        set.SpareCurve = BerechneSpareCurve(
            p, einheiten,
            {false, false, false, true, true, true, true, true, true, false, false, false});
    return set;
}

void Laufe(benchmark::State& state, const TSimulationSet& set, TSimulation& sim)
{
    sim.SetParameters(set);
    const auto einheiten = static_cast<double>(set.IntervalTo - set.IntervalFrom + 1) * set.Runs;
    for (auto _ : state) {
        benchmark::DoNotOptimize(sim.Run());
        std::int64_t ueber, leer;
        long double nach;
        sim.GetResults(ueber, leer, nach);
        benchmark::DoNotOptimize(nach);
    }
    // Shown as seconds per time unit ("30n" reads 30 ns).
    state.counters["je_Zeiteinheit"] = benchmark::Counter(
        einheiten, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Daily, 100 years, three areas, even demand: the engine's plain path.
void BM_Taeglich(benchmark::State& state)
{
    TSimulation sim;
    Laufe(state, Einstellungen(365, false), sim);
}
BENCHMARK(BM_Taeglich)->Unit(benchmark::kMicrosecond);

// The same with the garden months April to September.
void BM_TaeglichGartenmonate(benchmark::State& state)
{
    TSimulation sim;
    Laufe(state, Einstellungen(365, true), sim);
}
BENCHMARK(BM_TaeglichGartenmonate)->Unit(benchmark::kMicrosecond);

// Monthly, 100 years: the dialog's default interval.
void BM_Monatlich(benchmark::State& state)
{
    TSimulation sim;
    Laufe(state, Einstellungen(12, false), sim);
}
BENCHMARK(BM_Monatlich)->Unit(benchmark::kMicrosecond);

// Daily with graphic output and a callback that does nothing: the cost of the report itself,
// without the page's 10 ms wait.
void BM_TaeglichMitRueckmeldung(benchmark::State& state)
{
    TSimulationSet set = Einstellungen(365, false);
    set.Graphics = true;
    TSimulation sim;
    long double letzter = 0;
    sim.SetOnProgress([&letzter](std::int32_t, const TSimulationSet&, long double level) {
        letzter = level;
        return false;
    });
    Laufe(state, set, sim);
    benchmark::DoNotOptimize(letzter);
}
BENCHMARK(BM_TaeglichMitRueckmeldung)->Unit(benchmark::kMicrosecond);

// The random generator alone: the pair of normal variates that one time unit draws.
void BM_GaussPaar(benchmark::State& state)
{
    TGaussGenerator g(-4711);
    long double summe = 0;
    for (auto _ : state) {
        long double p, d;
        g.NormalPaar(0.1L, 0, 0.1L, 0, p, d);
        summe += p + d;
    }
    benchmark::DoNotOptimize(summe);
}
BENCHMARK(BM_GaussPaar);

} // namespace

BENCHMARK_MAIN();
