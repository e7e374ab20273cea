// The expert form's dialog for one catchment area: area and runoff coefficient typed in.
#pragma once

#include <QDialog>

class QFrame;
class QLineEdit;
class QPushButton;

class TfrmFlaecheDialog : public QDialog {
    Q_OBJECT
public:
    explicit TfrmFlaecheDialog(QWidget* parent = nullptr);

    // Valid after the dialog closed with the OK result.
    long double GetFlaeche() const { return FFlaeche; } // m²
    long double GetBeiwert() const { return FBeiwert; }

    QLineEdit* edFlaeche;
    QLineEdit* edBeiwert;
    QFrame* bTrenner;
    QPushButton* btnOK;
    QPushButton* btnCancel;

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    // Closes with OK when both fields hold numbers in range; otherwise says which is wrong.
    void btnOKClick();

    long double FFlaeche = 0;
    long double FBeiwert = 0;
};
