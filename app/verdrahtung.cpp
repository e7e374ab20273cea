// Joins the main window to the input windows.
#include "app/verdrahtung.h"

#include "app/hauptfenster.h"
#include "app/ueber/ueberbox.h"
#include "evaluation/auswertung.h"
#include "input/assistent.h"
#include "input/expert.h"

void VerdrahteFenster(TfrmMain& hauptfenster)
{
    hauptfenster.Assistent = [](QWidget* besitzer) { return new TfrmAssistent(besitzer); };
    hauptfenster.Experte = [](QWidget* besitzer) { return new TfrmExpert(besitzer); };
    hauptfenster.Auswertung = [](QWidget* besitzer) { return new TfrmAuswertung(besitzer); };
    hauptfenster.Info = ZeigeUeberTropfwerk;
}
