// Loading the three real data files: decrypting and parsing into tables, and one keystroke's
// or one map click's look-up on the full postal-code table.
#include "refdata/datendatei.h"
#include "refdata/plzkonverter.h"
#include "refdata/produkte.h"
#include "refdata/tabelle.h"

#include <benchmark/benchmark.h>

namespace {
const QString Ordner = QStringLiteral(TW_DATENORDNER);

void AlleDreiDateien(benchmark::State& state)
{
    for (auto _ : state) {
        TTabelle plz;
        plz.LadeCsv(LeseDatendatei(Data2, Ordner));
        TTabelle station;
        station.LadeCsv(LeseDatendatei(Data1, Ordner));
        auto produkte = ErzeugeProduktTabelle();
        LoadProducts(*produkte, Ordner);
        benchmark::DoNotOptimize(plz.Anzahl() + station.Anzahl() + produkte->Anzahl());
    }
}
BENCHMARK(AlleDreiDateien)->Unit(benchmark::kMillisecond);

void EineDatei(benchmark::State& state)
{
    const TDatendatei& datei = state.range(0) == 1 ? Data1 : state.range(0) == 2 ? Data2 : Data3;
    for (auto _ : state)
        benchmark::DoNotOptimize(LeseDatendatei(datei, Ordner).size());
}
BENCHMARK(EineDatei)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

TPLZConverter& Engine()
{
    static TPLZConverter engine(Ordner);
    return engine;
}

void Tastendruck(benchmark::State& state)
{
    TPLZConverter& plz = Engine();
    TNiederschlag kurve{};
    for (auto _ : state) {
        const QString code = plz.ApproximatePLZ(QStringLiteral("80999"));
        plz.GetNiederschlagPLZ(code, kurve);
        benchmark::DoNotOptimize(plz.GetMengePLZ(code));
    }
}
BENCHMARK(Tastendruck)->Unit(benchmark::kMicrosecond);

void Kartenklick(benchmark::State& state)
{
    TPLZConverter& plz = Engine();
    for (auto _ : state)
        benchmark::DoNotOptimize(plz.GetPLZ(plz.FindNearestStation({235, 300})));
}
BENCHMARK(Kartenklick)->Unit(benchmark::kMicrosecond);
} // namespace

BENCHMARK_MAIN();
