// Main window: menu, the two entry buttons and the central flow from input to evaluation.
#pragma once

#include "model/parametersatz.h"

#include <QMainWindow>
#include <array>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QWidget;
class TInputForm;
class TOutputForm;

using InputFormFabrik = std::function<TInputForm*(QWidget* besitzer)>;
using OutputFormFabrik = std::function<TOutputForm*(QWidget* besitzer)>;

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    // With mitSplash the splash window is shown modally first, then the main window shows
    // itself, as at program start.
    explicit TfrmMain(bool mitSplash = true, QWidget* parent = nullptr);

    // The central flow: the form edits a copy of satz; a confirmed set is sized and shown in
    // the evaluation window. Raises EFehler when the calculation rejects the set.
    void RunInput(const InputFormFabrik& formular, const TParameterSatz& satz);
    // Opens a calculation file, sizes it and shows it in the evaluation window on the detailed
    // page. Raises EFehler when the file cannot be read; it then leaves the recent list.
    void OeffneBerechnung(const QString& pfad);
    // The program's command line (without the program name): the first argument that is no
    // option is a calculation file, opened as soon as the message loop runs.
    void OeffneBeimStart(const QStringList& argumente);

    // Which windows the actions open.
    InputFormFabrik Assistent;
    InputFormFabrik Experte;
    OutputFormFabrik Auswertung;
    std::function<void(QWidget* besitzer)> Info;

    QAction* aAssistent;
    QAction* aExpert;
    QAction* aOeffnen;
    std::array<QAction*, 5> aZuletzt{}; // the recently used files, hidden when unused
    QAction* aExit;
    QAction* aInfo;
    QLabel* imgMain;
    QPushButton* btnExperte;
    QPushButton* btnAssistent;
    QWidget* Panel1;
    QMenu* mDatei;

private:
    void ErzeugeAktionen();
    void ErzeugeMenue();
    void ErzeugeFlaeche();
    void Verbinde();
    void StarteEingabe(const InputFormFabrik& formular);
    // Fills the recent-file entries of the menu from the kept list.
    void ZeigeZuletztVerwendet();
    // Shows the evaluation of the set; `datei` is the file it came from, empty for a new case.
    void ZeigeAuswertung(const TParameterSatz& satz, const QString& datei = QString());
};
