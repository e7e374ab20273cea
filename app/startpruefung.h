// Start-up check: every missing data file is reported before any window exists.
#pragma once

#include <QString>

// The folder that holds Data1.cry, Data2.cry and Data3.cry, found along the search path of
// `explizit` and `programmOrdner` (Datensuchpfad). When no folder holds all three, shows
// "Die Datei DataN.cry wurde nicht gefunden. Die Anwendung wird beendet." once per file missing
// from the most complete folder, in file order, with a second line naming the folders searched,
// caption "Schwerer Fehler"; then returns an empty string.
QString SucheDatenordner(const QString& explizit, const QString& programmOrdner);
