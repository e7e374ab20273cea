// Default sleep and counter, replaceable for tests.
#include "model/plattform.h"

#include <chrono>
#include <thread>

namespace {
void StandardSchlaf(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::int64_t StandardZaehler()
{
    return std::chrono::steady_clock::now().time_since_epoch().count();
}

SchlafFunktion& Schlaf()
{
    static SchlafFunktion f = StandardSchlaf;
    return f;
}

ZaehlerFunktion& Zaehler()
{
    static ZaehlerFunktion f = StandardZaehler;
    return f;
}
} // namespace

void Schlafe(int millisekunden)
{
    Schlaf()(millisekunden);
}

std::int64_t LeseZaehler()
{
    return Zaehler()();
}

SchlafFunktion SetzeSchlafFunktion(SchlafFunktion f)
{
    return TauscheFunktion(Schlaf(), std::move(f), StandardSchlaf);
}

ZaehlerFunktion SetzeZaehlerFunktion(ZaehlerFunktion f)
{
    return TauscheFunktion(Zaehler(), std::move(f), StandardZaehler);
}

QSettings ProgrammEinstellungen()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tropfwerk"),
                     QStringLiteral("Tropfwerk"));
}
