// Start-up check: every missing data file is reported before any window exists.
#pragma once

#include <QDir>

// Shows "Die Datei DataN.cry wurde nicht gefunden. Die Anwendung wird beendet." once per missing
// file, in file order, caption "Schwerer Fehler". Returns true when all three files are there.
bool PruefeDatendateien(const QDir& ordner = QDir::current());
