// Which windows the main window opens: the one place where the application joins its windows.
#pragma once

class QWidget;
class TfrmAuswertung;
class TfrmMain;

// Sets the main window's window factories.
void VerdrahteFenster(TfrmMain& hauptfenster);

// The evaluation window with the expert form for editing its set.
TfrmAuswertung* ErzeugeAuswertung(QWidget* besitzer);
