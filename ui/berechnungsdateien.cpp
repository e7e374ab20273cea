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
    const QString dokumente = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!speichern)
        return QFileDialog::getOpenFileName(besitzer, QStringLiteral("Berechnung öffnen"),
                                            dokumente, Filter);
    return QFileDialog::getSaveFileName(besitzer, QStringLiteral("Berechnung speichern"),
                                        QDir(dokumente).filePath(vorschlag), Filter);
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

QString FrageBerechnungZumOeffnen(QWidget* besitzer)
{
    return Dialog()(besitzer, false, QString());
}

QString FrageBerechnungZumSpeichern(QWidget* besitzer, const QString& vorschlag)
{
    QString pfad = Dialog()(besitzer, true, vorschlag);
    if (!pfad.isEmpty() && QFileInfo(pfad).suffix().isEmpty())
        pfad += BerechnungsEndung;
    return pfad;
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
