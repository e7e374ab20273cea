// The program's start-up sequence after the application object exists.
#pragma once

#include <QStringList>

// Loads the maker record, checks the data files and runs the main window until it is closed.
// Returns the exit status: 1 when a data file is missing (no window is shown). Any other error
// of the start-up, running out of memory included, is shown as a fatal error that ends the program.
// A calculation file among the arguments is opened after the splash.
int ProgrammStart(const QStringList& argumente = {});
