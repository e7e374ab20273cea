// Result window of a completed fill-level simulation: the three yearly averages and the share
// of the demand that rainwater covered.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class TfrmSimuAuswertung : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSimuAuswertung(QWidget* parent = nullptr);

    // Shows the averages per year with two decimals (six significant digits) and the share
    // (0 to 1) in percent with one decimal, and waits, modally, until the window is closed.
    void ShowResults(long double Empties, long double Overflows, long double MakeUp,
                     long double Anteil);
    // Writes the values without showing the window.
    void SetzeWerte(long double Empties, long double Overflows, long double MakeUp,
                    long double Anteil);

    QLabel* Label1;
    QLabel* Label2;
    QLabel* lUeber;
    QLabel* Label6;
    QLabel* lLeer;
    QLabel* Label4;
    QLabel* Label7;
    QLabel* lFuell;
    QLabel* Label9;
    QLabel* lAnteilLabel;
    QLabel* lAnteil;
    QLabel* lAnteilEinheit;
    QPushButton* btnOK;
};
