// Result window of a completed fill-level simulation: the three yearly averages.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class TfrmSimuAuswertung : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSimuAuswertung(QWidget* parent = nullptr);

    // Shows the averages per year with two decimals (six significant digits) and waits,
    // modally, until the window is closed.
    void ShowResults(long double Empties, long double Overflows, long double MakeUp);
    // Writes the three values without showing the window.
    void SetzeWerte(long double Empties, long double Overflows, long double MakeUp);

    QLabel* Label1;
    QLabel* Label2;
    QLabel* lUeber;
    QLabel* Label6;
    QLabel* lLeer;
    QLabel* Label4;
    QLabel* Label7;
    QLabel* lFuell;
    QLabel* Label9;
    QPushButton* btnOK;
};
