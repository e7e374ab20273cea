// Coverage over tank volume: the whole curve of a house (weather generated for 100 years, every
// volume of the chart and three products played through it) against one volume through the
// same generated years, and the replay a what-if slider causes.
#include "../tests/support/beispiel.h"
#include "model/berechnung.h"
#include "simulation/kern/deckungskurve.h"
#include "simulation/kern/wettergenerator.h"

#include <benchmark/benchmark.h>

namespace {

// The worked example on a roof of 120 m², with 100 m² of garden.
TParameterSatz Haus()
{
    TParameterSatz p = Beispiel();
    p.Flaechen = {{120, 0.9L}};
    p.Garten = 100;
    BerechneAlles(p);
    return p;
}

const std::vector<double> Produkte{2.7, 4.0, 6.5};

void BM_GanzeKurve(benchmark::State& state)
{
    const TParameterSatz satz = Haus();
    std::size_t punkte = 0;
    for (auto _ : state) {
        TDeckungsrechner rechner; // no weather kept from the run before
        const TDeckungsErgebnis e = rechner.Rechne(satz, StandardGartenmonate, Produkte);
        punkte = e.Kurve.size() + e.Produkte.size();
        benchmark::DoNotOptimize(e.Knick);
    }
    state.counters["Volumina"] = static_cast<double>(punkte);
}
BENCHMARK(BM_GanzeKurve)->Unit(benchmark::kMillisecond);

void BM_EinVolumen(benchmark::State& state)
{
    const TParameterSatz satz = Haus();
    const THausTage haus = HausTage(satz, StandardGartenmonate);
    for (auto _ : state) {
        const std::vector<double> wetter =
            ErzeugeWetter(satz.Niederschlag, KurvenJahre, WetterSaat(satz));
        benchmark::DoNotOptimize(
            BerechneDeckung(haus, wetter, {static_cast<double>(satz.Volumen)}));
    }
}
BENCHMARK(BM_EinVolumen)->Unit(benchmark::kMillisecond);

// A slider moved: the site's weather is kept, only the volumes are played through again.
void BM_KurveNachRegler(benchmark::State& state)
{
    TParameterSatz satz = Haus();
    TDeckungsrechner rechner;
    rechner.Rechne(satz, StandardGartenmonate, Produkte);
    int schritt = 0;
    for (auto _ : state) {
        satz.PersWasch = 3 + (++schritt % 2);
        BerechneAlles(satz);
        benchmark::DoNotOptimize(rechner.Rechne(satz, StandardGartenmonate, Produkte).Knick);
    }
}
BENCHMARK(BM_KurveNachRegler)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
