// What the input dialogs share beyond the window toolbox: the postal-code engine and the
// precipitation editor step.
#pragma once

#include "ui/werkzeug.h"

#include <QRect>
#include <QString>

class QDialog;
class QEvent;
class QFrame;
class QLineEdit;
class QWidget;
class TPLZConverter;
struct TParameterSatz;

// The global postal-code engine; raises EFehler when it is not loaded.
TPLZConverter& Postleitzahlen();

// Precipitation by hand: with `nachschlagen` the field's postal code is first replaced by the
// nearest known one and its station's curve taken (failures ignored); then the editor opens on
// the set's curve. On OK the set takes the edited curve, its postal code and the field are
// emptied, and the result is true.
bool BearbeiteNiederschlag(QWidget* besitzer, TParameterSatz& satz, QLineEdit* edPLZ,
                           bool nachschlagen);
