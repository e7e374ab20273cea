// The calculator's work beyond loading the data files: reading and computing 1000 cases with
// their recommendations and each product's coverage, as one batch on the machine's cores; as
// without --kurve, and with the curve and its knee.
#include "model/berechnungsdatei.h"
#include "rechner.h"
#include "refdata/produkte.h"
#include "refdata/tabelle.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void TausendFaelle(benchmark::State& state)
{
    const bool kurve = state.range(0) != 0;
    QTemporaryDir ordner;
    QStringList dateien;
    for (int i = 0; i < 1000; ++i) {
        TParameterSatz satz;
        InitParameterSatz(satz);
        satz.Flaechen = {{80.0L + i % 120, 0.9L}, {20, 0.5L}};
        satz.WGrad = 0.9L;
        satz.PLZ = QString::number(10000 + i * 7);
        satz.PersWCSpar = 1 + i % 6;
        satz.PersWasch = 1 + i % 5;
        satz.Garten = i % 300;
        dateien << ordner.filePath(QStringLiteral("Fall %1.tropfwerk").arg(i));
        SpeichereBerechnung(dateien.back(), satz);
    }
    const auto mtProd = ErzeugeProduktTabelle();
    LoadProducts(*mtProd, QStringLiteral(TW_DATENORDNER));
    for (auto _ : state) {
        size_t produkte = 0;
        for (const TFallErgebnis& e : RechneFaelle(dateien, *mtProd, {}, kurve))
            produkte += e.Fall ? e.Fall->Produkte.size() : 0;
        benchmark::DoNotOptimize(produkte);
    }
}
BENCHMARK(TausendFaelle)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
