// Input wizard: the inputs of a parameter set on four pages, each checked before moving on.
#pragma once

#include "model/grenzen.h"

#include "ui/formbasis.h"

#include <QPointer>
#include <QString>
#include <array>
#include <vector>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QWidget;
class TPLZConverter;
class TfrmKarteDialog;

class TfrmAssistent : public TInputForm {
    Q_OBJECT
public:
    // The engine looks up the postal codes; it must outlive the wizard.
    explicit TfrmAssistent(TPLZConverter& plz, QWidget* besitzer = nullptr);
    ~TfrmAssistent() override;

    // Set while the precipitation was entered by hand: no station look-up then. Cleared by
    // every change of edPLZ.
    bool ManualNS = false;
    // The open map window, else null.
    QPointer<TfrmKarteDialog> KarteDialog;

    // Called by the map window when it closes: 1 with a chosen location, 2 without one.
    void KarteClosed(int closeResult);

    // Header.
    QWidget* pBeschreibung;
    QLabel* iThema;
    QLabel* lThema;

    QTabWidget* pcAssistent;
    QWidget* tsStandort;
    QWidget* tsHausdaten;
    QWidget* tsHaushalt;
    QWidget* tsTechnik;

    // Location.
    QPushButton* btnKarte;
    QLabel* iPfeil;
    QLineEdit* edPLZ;
    QPushButton* btnEditNS;

    // House data.
    QTreeWidget* lvFlaechen;
    QPushButton* btnPlus;
    QPushButton* btnMinus;
    QLineEdit* edGarten;
    QLineEdit* edGartenV;

    // Household.
    QLineEdit* edPersWCSpar;
    QLineEdit* edPersWCSparV;
    QLineEdit* edPersWCNorm;
    QLineEdit* edPersWCNormV;
    QLineEdit* edPersWasch;
    QLineEdit* edPersWaschV;

    // Technical values.
    QLineEdit* edWGrad;
    QLineEdit* edLBeiwert;

    // Buttons.
    QWidget* pButtons;
    QPushButton* btnInfo;
    QPushButton* btnHilfe;
    QPushButton* btnAbbrechen;
    QPushButton* btnZurueck;
    QPushButton* btnWeiter;
    QPushButton* btnAuswertung;

public slots:
    // Closing the wizard takes the map window with it.
    void done(int ergebnis) override;

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    // The header with the page's picture and title, and the pages.
    void ErzeugeKopf();
    void ErzeugeStandort();
    void ErzeugeHausdaten();
    void ErzeugeHaushalt();
    void ErzeugeTechnik();
    void ErzeugeKnoepfe();
    void LegeReihenfolgeFest();
    void Verbinde();

    // Header, focus and buttons after a page change.
    void pcAssistentChange();
    void btnWeiterClick();
    void btnZurueckClick();
    void btnAuswertungClick();
    void btnKarteClick();
    void btnEditNSClick();
    void btnPlusClick();
    void btnMinusClick();
    // Replaces five typed digits by the nearest known postal code and takes its curve.
    void edPLZChange();

    // Runs a page check; an EInvalidValueException is shown in a box owned by the wizard and
    // gives false, any other error goes on to the central error handler.
    bool Pruefe(void (TfrmAssistent::*check)());
    void CheckStandort();
    void CheckHausdaten();
    void CheckHaushalt();
    void CheckTechnik();
    // Reads the field into wert when it is a number in the range (shown × 10^verschiebung), cut
    // to `stellen` decimals; else focuses the field and raises EInvalidValueException with the
    // format filled with both bounds.
    void ReadRangeValue(QLineEdit* feld, long double& wert, const TGrenze& grenze,
                        const QString& format, int stellen, int verschiebung = 0);

    TPLZConverter& FPLZ;
    // The page's focusable controls in tab order.
    std::array<std::vector<QWidget*>, 4> FSeitenFelder;
    std::array<QString, 4> FSeitenBilder;
    bool FPLZSetzen = false; // edPLZ is being set by edPLZChange itself
};
