// Start-up order: maker texts, data-file check, main window with splash, message loop.
#include "app/start.h"

#include "app/hauptfenster.h"
#include "app/startpruefung.h"
#include "model/parametersatz.h"

#include <QApplication>

int ProgrammStart()
{
    LadeHersteller();
    if (!PruefeDatendateien())
        return 1;

    TfrmMain hauptfenster;
    return QApplication::exec();
}
