// Central error display and fatal end.
#include "ui/fehleranzeige.h"

#include "model/fehler.h"
#include "model/plattform.h"
#include "ui/meldung.h"

#include <QApplication>
#include <cstdlib>

namespace {
void StandardBeenden(int status)
{
    std::exit(status);
}

BeendenFunktion& Beenden()
{
    static BeendenFunktion f = StandardBeenden;
    return f;
}
} // namespace

void ZeigeUnbehandeltenFehler(const std::exception& fehler)
{
    if (const auto* schwer = dynamic_cast<const ESchwererFehler*>(&fehler))
        SchwererFehler(schwer->Meldung());
    QString text;
    if (const auto* eigener = dynamic_cast<const EFehler*>(&fehler))
        text = eigener->Meldung();
    else
        text = QString::fromUtf8(fehler.what());
    ZeigeFehlermeldung(QApplication::activeWindow(), MitSchlusspunkt(text),
                       QString::fromUtf16(AnwendungsTitel));
}

void SchwererFehler(const QString& meldung)
{
    ZeigeFehlermeldung(nullptr, meldung, QString::fromUtf16(SchwererFehlerTitel));
    Beenden()(1);
    std::exit(1); // a replaced function must not return; make sure of it
}

BeendenFunktion SetzeBeendenFunktion(BeendenFunktion f)
{
    return TauscheFunktion(Beenden(), std::move(f), StandardBeenden);
}
