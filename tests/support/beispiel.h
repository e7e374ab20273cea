// The worked example of the sizing calculation: one area of 100 m² at 0,9, the standard curve,
// WGrad 0,9, four persons with a water-saving toilet and four with a washing machine. Computed:
// Ertrag 57,915 m³, Bedarf 52,8 m³, Volumen 3,168 m³, Rate 109,6875 %.
#pragma once

#include "model/parametersatz.h"

inline TParameterSatz Beispiel()
{
    TParameterSatz satz;
    InitParameterSatz(satz);
    satz.Flaechen = {{100, 0.9L}};
    satz.WGrad = 0.9L;
    satz.PersWCSpar = 4;
    satz.PersWasch = 4;
    return satz;
}
