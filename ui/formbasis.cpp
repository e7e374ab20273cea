// Default hand-over of the working copy: deep copies both ways.
#include "ui/formbasis.h"

void TInputForm::GetParameterSatz(TParameterSatz& ziel) const
{
    CopyParameterSatz(FParameterSatz, ziel);
}

void TInputForm::SetParameterSatz(const TParameterSatz& quelle)
{
    CopyParameterSatz(quelle, FParameterSatz);
}

void TOutputForm::SetParameterSatz(const TParameterSatz& quelle)
{
    CopyParameterSatz(quelle, FParameterSatz);
}
