// Main window: menu, the two entry buttons and the central flow from input to evaluation.
#pragma once

#include "model/parametersatz.h"

#include <QMainWindow>
#include <functional>

class QAction;
class QLabel;
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

    // Which windows the actions open.
    InputFormFabrik Assistent;
    InputFormFabrik Experte;
    OutputFormFabrik Auswertung;
    std::function<void(QWidget* besitzer)> Info;

    QAction* aAssistent;
    QAction* aExpert;
    QAction* aExit;
    QAction* aInfo;
    QLabel* imgMain;
    QPushButton* btnExperte;
    QPushButton* btnAssistent;
    QWidget* Panel1;

private:
    void StarteEingabe(const InputFormFabrik& formular);
};
