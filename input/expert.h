// Expert input form: every input of a parameter set on one page, checked field by field.
#pragma once

#include "ui/formbasis.h"

#include <QMetaObject>
#include <QString>
#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class TPLZConverter;

class TfrmExpert : public TInputForm {
    Q_OBJECT
public:
    // The engine checks and looks up the postal code; it must outlive the form.
    explicit TfrmExpert(TPLZConverter& plz, QWidget* parent = nullptr);
    ~TfrmExpert() override;

    // Captions used when the evaluation window opens the form to edit its set.
    void AlsParametersatzBearbeiten();

    // Set: the curve follows the postal code, which is then checked and looked up on
    // confirming. Set at creation and by every change of edPLZ, cleared by ">>".
    bool PLZChanged = true;
    // Whether the last field check passed.
    bool InputValid = true;

    QGroupBox* gbErtrag;
    QLabel* lAuffangflaechen;
    QTreeWidget* lvDach;
    QPushButton* btnPlus;
    QPushButton* btnMinus;
    QLineEdit* edWGrad;
    QLineEdit* edPLZ;
    QPushButton* btnMore;
    QGroupBox* gbBedarf;
    QLineEdit* edWCSpar;
    QLineEdit* edWCSparV;
    QLineEdit* edWCNorm;
    QLineEdit* edWCNormV;
    QLineEdit* edWasch;
    QLineEdit* edWaschV;
    QLineEdit* edGarten;
    QLineEdit* edGartenV;
    QGroupBox* gbDiverse;
    QLineEdit* edLBeiwert;
    QPushButton* btnBerechnen;
    QPushButton* btnAbbrechen;
    QPushButton* btnHilfe;

protected:
    void showEvent(QShowEvent* ereignis) override;
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    // The yield group: areas, filter efficiency, site.
    void ErzeugeErtrag();
    void ErzeugeBedarf();
    void ErzeugeKnoepfe();
    void LegeReihenfolgeFest();
    void Verbinde();

    // Fills the controls from the working copy.
    void FormShow();
    // Checks one edit field; a bad number is reported, clears InputValid, gets the focus back
    // and gives false. For edPLZ raises the engine's error while PLZChanged is set.
    bool CheckControl(QLineEdit* feld);
    // Leaving a numeric field checks it when the focus goes to an edit field or btnBerechnen.
    void FokusGewechselt(QWidget* alt, QWidget* neu);
    // Checks every field, looks the postal code up, writes the working copy, closes with OK.
    void btnBerechnenClick();
    void btnPlusClick();
    void btnMinusClick();
    // Precipitation by hand: opens the editor on the working copy's curve.
    void btnMoreClick();
    void edPLZChange();
    // Appends a row to the area list.
    void FuegeFlaecheHinzu(long double flaeche, long double beiwert);
    // Index of a numeric field in FZahlFelder, -1 for any other object.
    int ZahlFeldIndex(const QObject* objekt) const;

    TPLZConverter& FPLZ;
    std::array<QLineEdit*, 10> FZahlFelder{};
    std::array<QString, 10> FGezeigt{}; // each field's text when the form was shown
    bool FPruefungLaeuft = false;       // a check or a confirmation is running
    bool FKlickVerwerfen = false;       // the press that moved the focus to btnBerechnen is void
    Qt::FocusReason FFokusGrund = Qt::OtherFocusReason; // of btnBerechnen's last focus
    QMetaObject::Connection FFokusVerbindung;
};
