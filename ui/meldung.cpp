// Real message boxes, and the switch that lets tests record them instead.
#include "ui/meldung.h"
#include "model/plattform.h"

namespace {
QMessageBox::StandardButton EchteMeldung(const Meldung& m)
{
    QMessageBox box(m.Symbol, m.Titel, m.Text, m.Knoepfe, m.Besitzer);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

MeldungsFunktion& Funktion()
{
    static MeldungsFunktion f = EchteMeldung;
    return f;
}
} // namespace

QMessageBox::StandardButton ZeigeMeldung(const Meldung& meldung)
{
    return Funktion()(meldung);
}

void ZeigeFehlermeldung(QWidget* besitzer, const QString& text, const QString& titel)
{
    ZeigeMeldung({besitzer, text, titel, QMessageBox::Critical, QMessageBox::Ok});
}

MeldungsFunktion SetzeMeldungsFunktion(MeldungsFunktion f)
{
    return TauscheFunktion(Funktion(), std::move(f), EchteMeldung);
}
