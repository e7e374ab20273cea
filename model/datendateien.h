// The three data files the program needs in its working directory.
#pragma once

#include <QDir>
#include <QStringList>

// Data1.cry, Data2.cry, Data3.cry, in the order they are checked.
QStringList Datendateien();
// The names of the files missing in the folder, in the order above.
QStringList FehlendeDatendateien(const QDir& ordner);
