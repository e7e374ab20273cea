// The three data files and the folders they are looked up in.
#pragma once

#include <QDir>
#include <QStringList>

// Data1.cry, Data2.cry, Data3.cry, in the order they are checked.
QStringList Datendateien();
// The names of the files missing in the folder, in the order above.
QStringList FehlendeDatendateien(const QDir& ordner);
// The names of `namen` missing in the folder, in their order.
QStringList FehlendeDateien(const QDir& ordner, const QStringList& namen);

// The folders searched for the data files, in order. An explicit folder (`explizit`, else the
// environment variable TROPFWERK_DATEN) is searched alone. Otherwise: the program's folder, the
// installed data folder seen from it (share/tropfwerk of the tree it lies in), then the
// installed data folder of the install prefix; each folder once.
QStringList Datensuchpfad(const QString& explizit, const QString& programmOrdner);

// The first folder of `suchpfad` that holds every file of `namen`; empty when none does.
QString FindeDatenordner(const QStringList& suchpfad, const QStringList& namen = Datendateien());

// The line that names the searched folders: Gesucht in: „/a“, „/b“.
QString GesuchtInZeile(const QStringList& suchpfad);
