// Evaluation window: results of one calculation case on four pages (compact results with the
// recommended products, the what-if sliders, the fill-level simulation, coverage and payback over
// the tank volume), reset, edit and print.
#pragma once

#include "evaluation/wirtschaftlichkeit.h"
#include "refdata/tabelle.h"
#include "ui/formbasis.h"

#include <QString>
#include <array>
#include <memory>

class QButtonGroup;
class QLabel;
class QPushButton;
class QSlider;
class QTimer;
class QTabWidget;
class QTableView;
class QTableWidget;
class QToolButton;
class QWidget;
class TAuswertungsBericht;
class TFuellstandSeite;
class TPLZConverter;
class TfrmWirtschaftlichkeit;
class TWirtschaftlichkeitsSeite;

class TfrmAuswertung : public TOutputForm {
    Q_OBJECT
public:
    enum Seite { KompaktSeite = 0, DetailSeite = 1, SimulationsSeite = 2, WirtschaftSeite = 3 };

    explicit TfrmAuswertung(QWidget* parent = nullptr);
    ~TfrmAuswertung() override;

    // Loads the products, keeps the original copy, recalculates, sets the sliders and shows
    // the window modally on the given page.
    int Execute(int startSeite) override;
    // Every step of Execute but the modal showing.
    void Vorbereiten(int startSeite);

    // Folder of Data3.cry; the working directory unless set otherwise.
    QString Datenordner = QStringLiteral(".");
    // The form of "Parametersatz bearbeiten".
    BearbeitungsFabrik Bearbeitung;
    // Names the site's weather station on the economics page; without it the station stays
    // unnamed.
    TPLZConverter* Postleitzahlen = nullptr;

    // The working copy every page shows.
    const TParameterSatz& Arbeitskopie() const { return FParameterSatz; }
    TTabelle& Produkte() { return *mtProd; }

    // Runs the five sizing routines on the working copy, status codes ignored. The economics
    // figures follow: at once while their page shows, else when it is shown or asked for.
    void Recalculate();
    void SelectPage(int seite);
    void ShowCurrentPage();
    void ShowCompactResults();
    void FilterProducts(long double volumen);
    void LoadProducts();

    // Detailed page.
    void SetSliderRange(QSlider* slider, QLabel* maxLabel, long double wert);
    void SetConsumerSliderRanges();
    void FillAreaGrid();
    void ShowDetailedResults();
    // The grid row (counting from 1, row 0 is the header) the area slider works on.
    int FlaechenZeile() const { return FSliderZeile; }
    // Selecting a cell of grid row `zeile` (0 is the header row).
    void sgFlaecheSelectCell(int zeile);

    void btnResetClick();
    // Edits the working copy in the form that Bearbeitung makes; nothing without one.
    void btnEditClick();
    void btnDetailEmpfClick();
    void btnPrintReportClick();
    // Saves the working copy, what-if changes included, as a calculation file; raises EFehler
    // when the save fails.
    void btnSpeichernClick();

    // Opens the economics window (it stays open beside the evaluation and follows its changes).
    void btnWirtschaftOeffnenClick();
    // The site of the working copy: postal code, weather station and annual rain.
    QString Standort() const;

    // Coverage curve and money figures of the working copy, the products recommended for its
    // volume (the compact page's current row as the user's choice), the garden months of the
    // fill-level page and the money inputs of the economics page; computed first when something
    // changed since.
    const TWirtschaftlichkeitsDaten& Wirtschaftlichkeit();
    // Help context of the active page.
    int Hilfekontext() const;

    // Header and page control.
    QWidget* pTop;
    QLabel* iThema;
    QLabel* lCaption;
    QTabWidget* pcAuswertung;
    QWidget* tsAExpert;
    QWidget* tsAInfo;
    QWidget* tsASimu;
    QWidget* tsAWirtschaft;
    QWidget* pBottom;
    QToolButton* btnKInfo;
    QToolButton* btnAInfo;
    QToolButton* btnSimu;
    QToolButton* btnWirtschaft;
    QPushButton* btnReset;
    QPushButton* btnPrintReport;
    QPushButton* btnSpeichern;
    QPushButton* btnHelp;

    // Compact page.
    QLabel* lEBedarf;
    QLabel* lEErtrag;
    QLabel* lEVolumen;
    QLabel* lERate;
    QTableView* dbProd;
    QPushButton* btnEdit;

    // Detailed page.
    QTableWidget* sgFlaeche;
    QSlider* tbFlaeche;
    QLabel* lmaxFlaeche;
    QSlider* tbPersWCSpar;
    QSlider* tbPersWCNorm;
    QSlider* tbPersWasch;
    QLabel* lPersWCSpar;
    QLabel* lPersWCNorm;
    QLabel* lPersWasch;
    QLabel* lmaxPersSparWC;
    QLabel* lmaxPersNormWC;
    QLabel* lmaxPersWasch;
    QLabel* lBedarf;
    QLabel* lErtrag;
    QLabel* lVolumen;
    QLabel* lRate;
    QPushButton* btnDetailEmpf;

    // Fill-level page.
    TFuellstandSeite* FuellstandSeite;
    // Economics page: a summary and the button that opens the economics window.
    QLabel* lblWStandort;
    QLabel* lblWWahl;
    QLabel* lblWKnick;
    QPushButton* btnWirtschaftOeffnen;
    TfrmWirtschaftlichkeit* WirtschaftlichkeitsFenster;
    // The window's content: chart, money inputs and table.
    TWirtschaftlichkeitsSeite* WirtschaftlichkeitsSeite;
    // The report printed by btnPrintReport.
    TAuswertungsBericht& Bericht() { return *FBericht; }

protected:
    // A running simulation stops before the window closes.
    void done(int ergebnis) override;
    void closeEvent(QCloseEvent* ereignis) override;
    void showEvent(QShowEvent* ereignis) override;
    // Esc asks before the what-if changes are thrown away.
    void keyPressEvent(QKeyEvent* ereignis) override;

private:
    void ErzeugeKopf();
    void ErzeugeSeiten();
    void ErzeugeFuss();
    // Tab runs through the page, then the page buttons, then the bottom row.
    void LegeReihenfolgeFest();
    void ErzeugeKompaktSeite();
    void ErzeugeDetailSeite();
    void ErzeugeErbringer();
    void ErzeugeVerbraucher();
    void ErzeugeSimulationsSeite();
    void ZeigeSimulationsSeite();
    void ErzeugeWirtschaftlichkeitsSeite();
    // The figures are out of date; the page, when it shows, is brought up to date right after
    // the current event, once for a burst of changes.
    void WirtschaftlichkeitVeraltet();
    void ZeigeWirtschaftlichkeitsSeite();
    // The fourth page shows or the economics window is open.
    bool WirtschaftSichtbar() const;
    void pcAuswertungChange();
    // Change handling of the four sliders, told apart by their Tag.
    void tbPersWCSparChange(QSlider* slider);
    // The value label of a person slider by its Tag (1 to 3), else nullptr.
    QLabel* PersonenLabel(int tag) const;

    TParameterSatz FOriginalSatz;
    std::unique_ptr<TTabelle> mtProd;
    std::unique_ptr<TAuswertungsBericht> FBericht;
    QButtonGroup* FSeitenKnoepfe;
    int FSliderZeile = 1;
    bool FSeiteWirdGewaehlt = false;
    TDeckungsrechner FDeckungsrechner;
    TWirtschaftlichkeitsDaten FWirtschaft;
    bool FWirtschaftVeraltet = true;       // the figures
    bool FWirtschaftsSeiteVeraltet = true; // the page's view of them
    QTimer* FWirtschaftsTakt;
};
