// Fuzz target of the CSV table stream: the reader must refuse or accept any input without
// crashing; what it accepts must survive the CSV writer and the binary writer unchanged.
#include "model/fehler.h"
#include "refdata/binaerstrom.h"
#include "refdata/csvstrom.h"
#include "refdata/tabelle.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void Pruefe(bool bedingung, const char* was)
{
    if (!bedingung) {
        std::fprintf(stderr, "fuzz_csvstrom: %s\n", was);
        std::abort();
    }
}

bool IstMarke(const QString& s)
{
    return s.startsWith(QLatin1String("@@")) && s.endsWith(QLatin1String("@@"));
}

// The binary stream has no NULL date: a date of 0 reads back as NULL.
TWert OhneNulldatum(const TWert& w, const TFeld& f)
{
    const bool nulldatum = f.Typ != TFeldTyp::SQLTimeStamp && IstDatumstyp(f.Typ) &&
                           std::holds_alternative<long double>(w) && std::get<long double>(w) == 0;
    return nulldatum ? TWert{} : w;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse)
{
    const QByteArrayView strom(reinterpret_cast<const char*>(daten), qsizetype(groesse));
    TTabelle t;
    try {
        t.LadeCsv(strom);
    } catch (const EFehler&) {
        return 0;
    }

    // the written CSV stream reads back to the same table
    const QByteArray csv = SchreibeCsv(t);
    if (!IstMarke(t.Feld(0).Beschriftung())) {
        TTabelle u;
        try {
            u.LadeCsv(csv);
        } catch (const EFehler& e) {
            std::fprintf(stderr, "%s\n", e.what());
            Pruefe(false, "written CSV stream refused");
        }
        Pruefe(u.Felder() == t.Felder(), "fields differ after CSV round trip");
        Pruefe(u.GesamtAnzahl() == t.GesamtAnzahl(), "row count differs after CSV round trip");
        for (int z = 0; z < t.GesamtAnzahl(); ++z)
            Pruefe(u.GesamtZeile(z) == t.GesamtZeile(z), "row differs after CSV round trip");
    }

    // and so does the binary stream, in the table's own fields and in its stored ones
    const QByteArray binaer = SchreibeBinaer(t);
    const std::vector<TZeile> zeilen = LiesBinaerStrom(binaer, t.Felder());
    const TTabellenInhalt eigen = LiesBinaerStromMitDefinitionen(binaer);
    Pruefe(zeilen.size() == size_t(t.GesamtAnzahl()), "row count differs after binary round trip");
    Pruefe(eigen.Felder.size() == size_t(t.FeldAnzahl()), "field count differs");
    for (int z = 0; z < t.GesamtAnzahl(); ++z)
        for (int f = 0; f < t.FeldAnzahl(); ++f) {
            const TWert erwartet = OhneNulldatum(t.GesamtZeile(z)[size_t(f)], t.Feld(f));
            Pruefe(zeilen[size_t(z)][size_t(f)] == erwartet,
                   "value differs after binary round trip");
            Pruefe(eigen.Zeilen[size_t(z)][size_t(f)] == erwartet, "value differs in own fields");
        }

    // what views do with a table
    for (int f = 0; f < t.FeldAnzahl(); ++f) {
        for (int z = 0; z < t.Anzahl(); ++z)
            (void)t.Anzeigetext(z, f);
        t.Sortiere(f);
        const TWertArt art = WertArtVon(t.Feld(f).Typ);
        if (art == TWertArt::Gleitkomma || art == TWertArt::Ganzzahl) {
            t.SetzeFilter(f, -1, 1);
            Pruefe(t.AktuelleZeile() < t.Anzahl(), "current row outside the visible rows");
            t.FilterAus();
        }
    }
    return 0;
}
