// Which windows the main window opens: the one place where the application joins its windows
// and hands them the engines the start-up owns; while no postal-code engine is loaded they get a
// stand-in whose queries raise "Postleitzahlen nicht geladen".
#pragma once

class QWidget;
class TfrmAuswertung;
class TfrmMain;

// Sets the main window's window factories.
void VerdrahteFenster(TfrmMain& hauptfenster);

// The evaluation window with the expert form for editing its set.
TfrmAuswertung* ErzeugeAuswertung(QWidget* besitzer);
