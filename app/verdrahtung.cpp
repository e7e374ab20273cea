// Joins the main window to the input windows and hands them the program's engines.
#include "app/verdrahtung.h"

#include "app/hauptfenster.h"
#include "app/ueber/ueberbox.h"
#include "evaluation/auswertung.h"
#include "input/assistent.h"
#include "input/expert.h"
#include "refdata/plzkonverter.h"

void VerdrahteFenster(TfrmMain& hauptfenster)
{
    hauptfenster.Assistent = [](QWidget* besitzer) {
        return new TfrmAssistent(PLZConverterOderErsatz(), besitzer);
    };
    hauptfenster.Experte = [](QWidget* besitzer) {
        return new TfrmExpert(PLZConverterOderErsatz(), besitzer);
    };
    hauptfenster.Auswertung = ErzeugeAuswertung;
    hauptfenster.Info = ZeigeUeberTropfwerk;
}

TfrmAuswertung* ErzeugeAuswertung(QWidget* besitzer)
{
    auto* auswertung = new TfrmAuswertung(besitzer);
    auswertung->Bearbeitung = [](QWidget* fenster, const TParameterSatz& satz) {
        auto* form = new TfrmExpert(PLZConverterOderErsatz(), fenster);
        form->AlsParametersatzBearbeiten();
        form->SetParameterSatz(satz);
        form->PLZChanged = !satz.PLZ.isEmpty();
        return form;
    };
    return auswertung;
}
