// File dialogs and the recent-files list of calculation files.
#include "ui/berechnungsdateien.h"

#include "model/berechnungsdatei.h"
#include "model/plattform.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

const QString Filter = QStringLiteral("Tropfwerk-Berechnungen (*.tropfwerk);;Alle Dateien (*)");
const QString Schluessel = QStringLiteral("ZuletztVerwendet");

QString StandardDialog(QWidget* besitzer, bool speichern, const QString& vorschlag)
{
    if (!speichern)
        return QFileDialog::getOpenFileName(besitzer, QStringLiteral("Berechnung öffnen"),
                                            vorschlag, Filter);
    return QFileDialog::getSaveFileName(besitzer, QStringLiteral("Berechnung speichern"), vorschlag,
                                        Filter);
}

BerechnungsDialogFunktion& Dialog()
{
    static BerechnungsDialogFunktion f = StandardDialog;
    return f;
}

void Schreibe(const QStringList& liste)
{
    QSettings einstellungen = ProgrammEinstellungen();
    einstellungen.setValue(Schluessel, liste.mid(0, MaxZuletztVerwendet));
}

QString Absolut(const QString& pfad)
{
    return QFileInfo(pfad).absoluteFilePath();
}

} // namespace

QString Dateiordner()
{
    for (const QString& pfad : ZuletztVerwendet()) {
        const QFileInfo ordner(QFileInfo(pfad).absolutePath());
        if (ordner.isDir())
            return ordner.absoluteFilePath();
    }
    const QString dokumente = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!dokumente.isEmpty() && QFileInfo(dokumente).isDir())
        return dokumente;
    return QDir::homePath();
}

QString FrageBerechnungZumOeffnen(QWidget* besitzer)
{
    return Dialog()(besitzer, false, Dateiordner());
}

QString FrageBerechnungZumSpeichern(QWidget* besitzer, const QString& vorschlag)
{
    const QString pfad = Dialog()(
        besitzer, true,
        QFileInfo(vorschlag).isAbsolute() ? vorschlag : QDir(Dateiordner()).filePath(vorschlag));
    return pfad.isEmpty() ? pfad : MitBerechnungsEndung(pfad);
}

BerechnungsDialogFunktion SetzeBerechnungsDialog(BerechnungsDialogFunktion f)
{
    return TauscheFunktion(Dialog(), std::move(f), StandardDialog);
}

QStringList ZuletztVerwendet()
{
    QStringList liste = ProgrammEinstellungen().value(Schluessel).toStringList();
    liste.removeAll(QString());
    liste.removeDuplicates();
    return liste.mid(0, MaxZuletztVerwendet);
}

void MerkeVerwendet(const QString& pfad)
{
    QStringList liste = ZuletztVerwendet();
    liste.removeAll(Absolut(pfad));
    liste.prepend(Absolut(pfad));
    Schreibe(liste);
}

void VergissVerwendet(const QString& pfad)
{
    QStringList liste = ZuletztVerwendet();
    liste.removeAll(Absolut(pfad));
    Schreibe(liste);
}
