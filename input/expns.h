// Precipitation editor: the twelve monthly values of the site typed in millimetres.
#pragma once

#include "ui/formbasis.h"

#include <QString>
#include <array>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

class TfrmExpNS : public TInputForm {
    Q_OBJECT
public:
    explicit TfrmExpNS(QWidget* parent = nullptr);

    // Takes a copy of the set and shows its curve in millimetres.
    void SetParameterSatz(const TParameterSatz& quelle) override;

    QLabel* Label1;
    QLineEdit* edJan;
    QLineEdit* edFeb;
    QLineEdit* edMae;
    QLineEdit* edApr;
    QLineEdit* edMai;
    QLineEdit* edJun;
    QLineEdit* edJul;
    QLineEdit* edAug;
    QLineEdit* edSep;
    QLineEdit* edOkt;
    QLineEdit* edNov;
    QLineEdit* edDez;
    QFrame* Bevel1;
    QPushButton* btnOK;
    QPushButton* btnCancel;

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    // Stores the months January first and closes with OK; raises EInvalidValueException at the
    // first month that is not a number from 0 to 500.
    void btnOKClick();

    std::array<QLineEdit*, 12> FMonate{};
    // What each month's field showed on opening: an untouched field keeps its stored value.
    std::array<QString, 12> FGezeigt{};
};

// A month's value in metres as the editor shows it in millimetres: whole millimetres without
// decimals ("52"), otherwise as many decimals as it takes to read back as the stored value
// ("52,3", "52,35", "0,04").
QString MillimeterText(long double meter);
