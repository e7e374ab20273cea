// Address opener through the desktop services; errors of the desktop are not examined.
#include "ui/adresse.h"
#include "model/plattform.h"

#include <QDesktopServices>
#include <QUrl>

namespace {
void StandardAdresse(const QString& adresse)
{
    QDesktopServices::openUrl(QUrl(adresse));
}

AdressFunktion& Funktion()
{
    static AdressFunktion f = StandardAdresse;
    return f;
}
} // namespace

void OeffneAdresse(const QString& adresse)
{
    Funktion()(adresse);
}

AdressFunktion SetzeAdressFunktion(AdressFunktion f)
{
    return TauscheFunktion(Funktion(), std::move(f), StandardAdresse);
}
