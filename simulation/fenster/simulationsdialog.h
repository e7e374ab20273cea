// Settings of one fill-level simulation: time interval, simulated years, minimum level,
// graphic output, the weather, and the computed volume or that of a product from the
// catalogue.
#pragma once

#include "simulation/kern/simulationsset.h"

#include <QDialog>
#include <QWidget>

class QAbstractButton;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QRadioButton;
class QTableView;
class QToolButton;
class TTabelle;

// The weather the user chose last, kept in the user's settings; daily weather until a choice
// was made.
TWetterModell GespeichertesWettermodell();
void SpeichereWettermodell(TWetterModell modell);

// Up-down buttons attached to an edit: each step writes the new position into the edit. A
// step starts from the edit's integer when it holds one, so typed numbers count; the position
// stays within its range.
class TUpDown : public QWidget {
    Q_OBJECT
public:
    TUpDown(QLineEdit* Associate, int Min, int Max, int Position, QWidget* eltern = nullptr);

    int Position() const { return FPosition; }
    int Min() const { return FMin; }
    int Max() const { return FMax; }
    // One step up (+1) or down (-1).
    void Schritt(int richtung);

    QToolButton* btnAuf;
    QToolButton* btnAb;

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    QLineEdit* FAssociate;
    int FMin;
    int FMax;
    int FPosition;
};

class TFSimulationDialog : public QDialog {
    Q_OBJECT
public:
    // mtProd: the evaluation window's product table, shown as it is filtered; its current row
    // is shared with the other views.
    explicit TFSimulationDialog(TTabelle& mtProd, QWidget* parent = nullptr);
    ~TFSimulationDialog() override;

    // Keeps a deep copy; the controls keep their defaults.
    void SetSimulationSet(const TSimulationSet& Set);
    // Hands a deep copy out.
    void GetSimulationSet(TSimulationSet& Set) const;

    // Enables the user-defined units for tag 2, disables them for 0 and 1; another tag raises
    // EFehler "Ungültiger Radiobutton".
    void rbIntervalClick(int Tag);
    // Checks every entry in order and completes the settings; the first failing entry raises
    // its error and the dialog stays open. Otherwise ends with OK.
    void btnStartClick();

    QGroupBox* gbBase;
    QLabel* edRunsLabel;
    QLineEdit* edRuns;
    QLabel* Label1;
    QLabel* edVolMinLabel;
    QLineEdit* edVolMin;
    QLabel* Label2;
    QCheckBox* cbGraphics;
    QGroupBox* gbInterval;
    QRadioButton* rbMonth;
    QRadioButton* rbDay;
    QRadioButton* rbUser;
    QLineEdit* edUsrUnits;
    QLabel* edUsrUnitsLabel;
    TUpDown* udUsrUnits;
    QGroupBox* gbWetter;
    QRadioButton* rbTageswetter;
    QRadioButton* rbVereinfacht;
    QGroupBox* gbZisterne;
    QRadioButton* rbCalc;
    QRadioButton* rbZisterne;
    QTableView* gridProd;
    QPushButton* btnStart;
    QPushButton* btnAbort;

private:
    void ErzeugeGrundeinstellungen();
    void ErzeugeZeitintervall();
    void ErzeugeWetterwahl();
    void ErzeugeZieldaten();
    void FormCreate();
    void rbCalcClick();
    void gridProdCellClick(const QModelIndex& index);
    void btnAbortClick();
    // Selects the table's current row in the grid.

    TTabelle& FProdukte;
    TSimulationSet FSimulationSet;
};
