// Joins the main window to the input windows and hands them the program's engines.
#include "app/verdrahtung.h"

#include "app/hauptfenster.h"
#include "app/ueber/ueberbox.h"
#include "evaluation/auswertung.h"
#include "input/assistent.h"
#include "input/expert.h"
#include "refdata/plzkonverter.h"

void VerdrahteFenster(TfrmMain& hauptfenster, TPLZConverter& plz)
{
    hauptfenster.Assistent = [&plz](QWidget* besitzer) { return new TfrmAssistent(plz, besitzer); };
    hauptfenster.Experte = [&plz](QWidget* besitzer) { return new TfrmExpert(plz, besitzer); };
    hauptfenster.Auswertung = [&plz](QWidget* besitzer) {
        return ErzeugeAuswertung(besitzer, plz);
    };
    hauptfenster.Info = ZeigeUeberTropfwerk;
}

TfrmAuswertung* ErzeugeAuswertung(QWidget* besitzer, TPLZConverter& plz)
{
    auto* auswertung = new TfrmAuswertung(besitzer);
    auswertung->Datenordner = plz.Datenordner();
    auswertung->Postleitzahlen = &plz;
    auswertung->Bearbeitung = [&plz](QWidget* fenster, const TParameterSatz& satz) {
        auto* form = new TfrmExpert(plz, fenster);
        form->AlsParametersatzBearbeiten();
        form->SetParameterSatz(satz);
        form->PLZChanged = !satz.PLZ.isEmpty();
        return form;
    };
    return auswertung;
}
