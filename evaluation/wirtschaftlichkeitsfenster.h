// The economics window: the evaluation's figures of coverage and money in a window of their own
// that the user can make as large as the screen.
#pragma once

#include <QDialog>

class QPushButton;
class TWirtschaftlichkeitsSeite;

class TfrmWirtschaftlichkeit : public QDialog {
    Q_OBJECT
public:
    explicit TfrmWirtschaftlichkeit(QWidget* eltern = nullptr);

    // Shows the window at its default size (once), raised above the evaluation.
    void Oeffne();
    // 1120 × 860, or what the content needs in a larger font, within `frei` (the free part of
    // the screen) but never below the content's minimum.
    QSize Vorgabegroesse(const QSize& frei) const;

    TWirtschaftlichkeitsSeite* Seite;
    QPushButton* btnHilfe;
    QPushButton* btnSchliessen;

private:
    bool FGroesseGesetzt = false;
};
