// The precipitation editor step of the input forms.
#pragma once

class QLineEdit;
class QWidget;
class TPLZConverter;
struct TParameterSatz;

// Precipitation by hand: with `nachschlagen` the field's postal code is first replaced by the
// nearest known one and its station's curve taken (failures ignored); then the editor opens on
// the set's curve. On OK the set takes the edited curve, its postal code and the field are
// emptied, and the result is true.
bool BearbeiteNiederschlag(QWidget* besitzer, TPLZConverter& plz, TParameterSatz& satz,
                           QLineEdit* edPLZ, bool nachschlagen);
