// Fuzz target of the calculation-file reader: any input is refused with a message or accepted;
// an accepted set has finite results and reads back unchanged from what the writer makes of it.
#include "model/berechnungsdatei.h"
#include "model/fehler.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void Pruefe(bool bedingung, const char* was)
{
    if (!bedingung) {
        std::fprintf(stderr, "fuzz_berechnung: %s\n", was);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse)
{
    const QByteArray text(reinterpret_cast<const char*>(daten), qsizetype(groesse));
    TParameterSatz satz;
    try {
        satz = BerechnungAusJson(text);
    } catch (const EFehler& fehler) {
        Pruefe(!fehler.Meldung().isEmpty(), "refusal without a reason");
        return 0;
    }
    for (const long double wert : {satz.Menge, satz.Ertrag, satz.Bedarf, satz.Volumen, satz.Rate})
        Pruefe(std::isfinite(wert) && std::isfinite(static_cast<double>(wert)),
               "result not finite");
    TParameterSatz zurueck;
    try {
        zurueck = BerechnungAusJson(BerechnungAlsJson(satz));
    } catch (const EFehler& fehler) {
        std::fprintf(stderr, "%s\n", fehler.what());
        Pruefe(false, "written file refused");
    }
    Pruefe(zurueck == satz, "set differs after writing and reading");
    return 0;
}
