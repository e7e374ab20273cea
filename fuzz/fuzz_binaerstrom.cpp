// Fuzz target of the binary table stream: read into the product table (as the program does)
// and with the stream's own definitions; what is accepted must survive the writer unchanged.
#include "model/fehler.h"
#include "refdata/binaerstrom.h"
#include "refdata/csvstrom.h"
#include "refdata/produkte.h"
#include "refdata/tabelle.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void Pruefe(bool bedingung, const char* was)
{
    if (!bedingung) {
        std::fprintf(stderr, "fuzz_binaerstrom: %s\n", was);
        std::abort();
    }
}

void AlsProdukte(QByteArrayView strom)
{
    const auto mtProd = ErzeugeProduktTabelle();
    try {
        LadeProdukte(*mtProd, strom);
    } catch (const EFehler&) {
        return;
    }
    for (int z = 0; z < mtProd->Anzahl(); ++z)
        for (int f = 0; f < mtProd->FeldAnzahl(); ++f)
            (void)mtProd->Anzeigetext(z, f);
    const TWert& v = mtProd->Anzahl() > 0 ? mtProd->Wert(0, u"Volumen") : TWert{};
    FilterProducts(*mtProd, IstNull(v) ? 4.38L : std::get<long double>(v));
    Pruefe(mtProd->AktuelleZeile() < mtProd->Anzahl(), "current row outside the visible rows");
    const std::vector<TZeile> zurueck = LiesBinaerStrom(SchreibeBinaer(*mtProd), mtProd->Felder());
    Pruefe(zurueck.size() == size_t(mtProd->GesamtAnzahl()), "product rows lost");
    for (size_t z = 0; z < zurueck.size(); ++z)
        Pruefe(zurueck[z] == mtProd->GesamtZeile(int(z)), "product row differs after round trip");
}

void MitDefinitionen(QByteArrayView strom)
{
    TTabelle t;
    try {
        t.Uebernimm(LiesBinaerStromMitDefinitionen(strom));
    } catch (const EFehler&) {
        return;
    }
    const QByteArray binaer = SchreibeBinaer(t);
    TTabellenInhalt zurueck;
    try {
        zurueck = LiesBinaerStromMitDefinitionen(binaer);
    } catch (const EFehler& e) {
        std::fprintf(stderr, "%s\n", e.what());
        Pruefe(false, "written binary stream refused");
    }
    Pruefe(zurueck.Felder == t.Felder(), "fields differ after round trip");
    Pruefe(zurueck.Zeilen.size() == size_t(t.GesamtAnzahl()), "rows lost");
    for (size_t z = 0; z < zurueck.Zeilen.size(); ++z) {
        zurueck.Zeilen[z].resize(t.Felder().size());
        Pruefe(zurueck.Zeilen[z] == t.GesamtZeile(int(z)), "row differs after round trip");
    }
    // the CSV writer takes every table the binary reader makes
    const QByteArray csv = SchreibeCsv(t);
    Pruefe(csv.startsWith("\"@@FILE VERSION@@\""), "CSV stream without version line");
    try {
        (void)LiesCsvStrom(csv);
    } catch (const EFehler&) {
        // dates with fractions of a second, labels that look like markers: not checked here
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse)
{
    const QByteArrayView strom(reinterpret_cast<const char*>(daten), qsizetype(groesse));
    AlsProdukte(strom);
    MitDefinitionen(strom);
    return 0;
}
