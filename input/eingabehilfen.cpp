// The postal-code engine and the precipitation editor step of the input dialogs.
#include "input/eingabehilfen.h"

#include "input/expns.h"
#include "model/fehler.h"
#include "model/parametersatz.h"
#include "refdata/plzkonverter.h"

#include <QDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>

TPLZConverter& Postleitzahlen()
{
    if (!PLZConverter)
        throw EFehler(QStringLiteral("Postleitzahlen nicht geladen"));
    return *PLZConverter;
}

bool BearbeiteNiederschlag(QWidget* besitzer, TParameterSatz& satz, QLineEdit* edPLZ,
                           bool nachschlagen)
{
    if (nachschlagen) {
        // Without a usable postal code the editor opens on the curve the set already has.
        try {
            TPLZConverter& plz = Postleitzahlen();
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
