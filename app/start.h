// The program's command line and its start-up sequence after the application object exists.
#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for. When `Ende` is set the program prints `Text` (to standard
// output for status 0, else to standard error) and ends with `Status` without any window.
struct TBefehlszeile {
    bool Ende = false;
    int Status = 0;
    QString Text;
    QString Datenordner; // --daten; empty: the search path
    QStringList Dateien; // calculations to open
};

// Reads the arguments (without the program name): --hilfe/--help and --version answer with
// status 0, an unknown option or a missing value with the usage and status 2.
TBefehlszeile LiesBefehlszeile(const QStringList& argumente);

// Loads the maker record, looks for the data files and runs the main window until it is closed.
// Returns the exit status: 1 when a data file is missing (no window is shown). Any other error
// of the start-up, running out of memory included, is shown as a fatal error that ends the program.
// The first calculation file of `dateien` is opened after the splash.
int ProgrammStart(const QStringList& dateien = {}, const QString& datenordner = {});
