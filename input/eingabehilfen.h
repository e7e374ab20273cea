// Building blocks of the small input dialogs: labelled edits, separator lines, the fixed
// dialog border, centring, and Enter handled by the window before its controls.
#pragma once

#include <QRect>
#include <QString>

class QDialog;
class QEvent;
class QFrame;
class QLineEdit;
class QWidget;
class TPLZConverter;
struct TParameterSatz;

// An edit with a label beside it; the label is named after the edit plus "Label" and has the
// edit as its buddy.
QLineEdit* BeschriftetesFeld(QWidget* eltern, const QString& name, const QString& beschriftung,
                             const QRect& label, const QRect& feld);

// A sunken horizontal line.
QFrame* Trennlinie(QWidget* eltern, const QString& name, const QRect& lage);

// The pale yellow background of tool tips, for fields the dialog may fill itself.
void InfoHintergrund(QWidget* feld);

// Title bar with system menu and close button only, not resizable, client area of that size.
void FesterDialogRahmen(QDialog* dialog, int breite, int hoehe);

// Centres the window on the primary screen's work area.
void ZentriereAufBildschirm(QWidget* fenster);
// Centres the window on the whole desktop (all screens).
void ZentriereAufDesktop(QWidget* fenster);

// A key press of Return or Enter without Ctrl or Alt.
bool IstEnterTaste(const QEvent* ereignis);

// Installs fenster as event filter on itself and every widget inside it, so that it sees every
// key before the control with the focus does.
void FiltereAlleTasten(QWidget* fenster);

// Focus into an edit as the Tab key gives it: the text is selected.
void Fokussiere(QWidget* feld);

// The global postal-code engine; raises EFehler when it is not loaded.
TPLZConverter& Postleitzahlen();

// Sets a flag while it lives and restores its former value.
class TSperre {
public:
    explicit TSperre(bool& flag) : m_flag(flag), m_alt(flag) { m_flag = true; }
    ~TSperre() { m_flag = m_alt; }
    TSperre(const TSperre&) = delete;
    TSperre& operator=(const TSperre&) = delete;

private:
    bool& m_flag;
    bool m_alt;
};

// Precipitation by hand: with `nachschlagen` the field's postal code is first replaced by the
// nearest known one and its station's curve taken (failures ignored); then the editor opens on
// the set's curve. On OK the set takes the edited curve, its postal code and the field are
// emptied, and the result is true.
bool BearbeiteNiederschlag(QWidget* besitzer, TParameterSatz& satz, QLineEdit* edPLZ,
                           bool nachschlagen);
