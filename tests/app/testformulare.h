// Small forms that stand in for the real input and evaluation windows in the flow tests.
#pragma once

#include "ui/formbasis.h"

#include <functional>

// An input form whose answer edits the working copy before closing.
class TTestEingabe : public TInputForm {
public:
    using TInputForm::TInputForm;
    TParameterSatz& Satz() { return FParameterSatz; }
    static inline int Freigegeben = 0;
    ~TTestEingabe() override { ++Freigegeben; }
};

// Records what the evaluation window would have been handed.
class TTestAuswertung : public TOutputForm {
public:
    using TOutputForm::TOutputForm;
    static inline int Aufrufe = 0;
    static inline int Seite = -1;
    static inline TParameterSatz Erhalten;
    static inline QString Datei;
    int Execute(int startSeite) override
    {
        ++Aufrufe;
        Seite = startSeite;
        Erhalten = FParameterSatz;
        Datei = FDatei;
        return QDialog::Accepted;
    }
};
