// Calculation files in the windows: the file dialogs (replaceable for tests) and the list of
// recently used files, kept with QSettings.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// Asks for a file; `vorschlag` is the proposed path for saving, the starting folder for
// opening. Returns the chosen path, or an empty text when the user cancels.
using BerechnungsDialogFunktion =
    std::function<QString(QWidget* besitzer, bool speichern, const QString& vorschlag)>;

// The folder the file dialogs start in: the folder of the file used last, else the user's
// documents folder where it exists, else the home folder.
QString Dateiordner();

// Starts in Dateiordner() with an empty name box.
QString FrageBerechnungZumOeffnen(QWidget* besitzer);
// Proposes `vorschlag`: an absolute path as it stands (the open file), a bare name in
// Dateiordner(). Adds ".tropfwerk" unless the chosen name already ends in it.
QString FrageBerechnungZumSpeichern(QWidget* besitzer, const QString& vorschlag);
// Replaces the dialog; an empty function restores the file dialog. Returns the old one.
BerechnungsDialogFunktion SetzeBerechnungsDialog(BerechnungsDialogFunktion f);

inline constexpr int MaxZuletztVerwendet = 5;

// The recently opened or saved files, newest first, at most MaxZuletztVerwendet.
QStringList ZuletztVerwendet();
// Puts the file first in the list.
void MerkeVerwendet(const QString& pfad);
// Takes the file off the list (it could not be opened).
void VergissVerwendet(const QString& pfad);
