// The two modal window classes through which parameter sets travel between windows.
#pragma once

#include "model/parametersatz.h"

#include <QDialog>
#include <functional>

// A window that takes a parameter set in, lets the user edit it and hands it back.
class TInputForm : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;
    // Discards what ziel held and copies the working copy into it.
    virtual void GetParameterSatz(TParameterSatz& ziel) const;
    // Discards the working copy and stores a copy of quelle in its place.
    virtual void SetParameterSatz(const TParameterSatz& quelle);

protected:
    TParameterSatz FParameterSatz;
};

// A window that shows the results of a parameter set.
class TOutputForm : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;
    virtual void SetParameterSatz(const TParameterSatz& quelle);
    // Prepares the window and shows it modally on the given page; returns the modal result.
    virtual int Execute(int startSeite) = 0;
    // The file the set was opened from; empty for a new case.
    void SetDatei(const QString& pfad) { FDatei = pfad; }

protected:
    TParameterSatz FParameterSatz;
    QString FDatei;
};

// Creates the input form that edits a shown set again, already holding a copy of `satz`.
using BearbeitungsFabrik =
    std::function<TInputForm*(QWidget* besitzer, const TParameterSatz& satz)>;
