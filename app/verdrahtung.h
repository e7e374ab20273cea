// Which windows the main window opens: the one place where the application joins its windows
// and hands them the engines the start-up owns.
#pragma once

class QWidget;
class TfrmAuswertung;
class TfrmMain;
class TPLZConverter;

// Sets the main window's window factories; their windows use that postal-code engine.
void VerdrahteFenster(TfrmMain& hauptfenster, TPLZConverter& plz);

// The evaluation window with the expert form for editing its set.
TfrmAuswertung* ErzeugeAuswertung(QWidget* besitzer, TPLZConverter& plz);
