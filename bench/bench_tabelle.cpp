// Loading speed of the two table streams: a station-like CSV table and a product-like binary
// table of many rows.
#include "refdata/binaerstrom.h"
#include "refdata/csvstrom.h"
#include "refdata/produkte.h"
#include "refdata/tabelle.h"

#include <benchmark/benchmark.h>

namespace {

// A station table: name and twelve monthly values.
QByteArray Stationen(int zeilen)
{
    TTabelle t;
    std::vector<TFeld> felder = {FeldDefinition("Station", TFeldTyp::String, 40)};
    for (const char* m :
         {"Jan", "Feb", "Mae", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"})
        felder.push_back(FeldDefinition(m, TFeldTyp::Float));
    t.DefiniereFelder(felder);
    for (int i = 0; i < zeilen; ++i) {
        TZeile z{QStringLiteral("Station Nr. %1 (Höhe %2 m)").arg(i).arg(i % 900)};
        for (int m = 0; m < 12; ++m)
            z.emplace_back(40.0L + (i * 7 + m * 13) % 800 / 10.0L);
        t.ZeileAnhaengen(std::move(z));
    }
    return SchreibeCsv(t);
}

QByteArray Produkte(int zeilen)
{
    const auto t = ErzeugeProduktTabelle();
    const QByteArray bild(2000, 'B');
    for (int i = 0; i < zeilen; ++i)
        t->ZeileAnhaengen({qint64(i), QStringLiteral("Hersteller %1").arg(i % 50),
                           QStringLiteral("Zisterne %1").arg(i), 1.0L + (i % 200) / 10.0L,
                           500.0L + i % 3000, QString(150, u'ä'), QStringLiteral("example.org"),
                           QStringLiteral("Musterweg 1\r\n12345 Musterstadt"), bild});
    return SchreibeBinaer(*t);
}

void CsvLaden(benchmark::State& state)
{
    const QByteArray strom = Stationen(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TTabelle t;
        t.LadeCsv(strom);
        benchmark::DoNotOptimize(t.Anzahl());
    }
    state.SetBytesProcessed(state.iterations() * strom.size());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(CsvLaden)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BinaerLadenUndSortieren(benchmark::State& state)
{
    const QByteArray strom = Produkte(static_cast<int>(state.range(0)));
    const auto t = ErzeugeProduktTabelle();
    for (auto _ : state) {
        LadeProdukte(*t, strom);
        benchmark::DoNotOptimize(t->Anzahl());
    }
    state.SetBytesProcessed(state.iterations() * strom.size());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BinaerLadenUndSortieren)->Arg(100)->Arg(20000)->Unit(benchmark::kMillisecond);

void ProduktfilterSetzen(benchmark::State& state)
{
    const auto t = ErzeugeProduktTabelle();
    LadeProdukte(*t, Produkte(20000));
    long double v = 0;
    for (auto _ : state) {
        FilterProducts(*t, v);
        v = v > 20 ? 0 : v + 0.37L;
        benchmark::DoNotOptimize(t->Anzahl());
    }
}
BENCHMARK(ProduktfilterSetzen)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
