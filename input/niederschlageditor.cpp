// The precipitation editor step of the input forms.
#include "input/niederschlageditor.h"

#include "input/expns.h"
#include "model/parametersatz.h"
#include "refdata/plzkonverter.h"

#include <QDialog>
#include <QLineEdit>

#include <exception>

bool BearbeiteNiederschlag(QWidget* besitzer, TPLZConverter& plz, TParameterSatz& satz,
                           QLineEdit* edPLZ, bool nachschlagen)
{
    if (nachschlagen) {
        // Without a usable postal code the editor opens on the curve the set already has.
        try {
            const QString code = plz.ApproximatePLZ(edPLZ->text());
            edPLZ->setText(code);
            plz.GetNiederschlagPLZ(code, satz.Niederschlag);
        } catch (const std::exception&) {
        }
    }
    TfrmExpNS editor(besitzer);
    editor.SetParameterSatz(satz);
    if (editor.exec() != QDialog::Accepted)
        return false;
    TParameterSatz neu;
    editor.GetParameterSatz(neu);
    CopyParameterSatz(neu, satz);
    satz.PLZ.clear();
    edPLZ->clear();
    return true;
}
