// Parameter set defaults, copies and the maker record.
#include "model/parametersatz.h"

#include "model/ressourcen.h"

const TNiederschlag StandardNiederschlag = {0.055L, 0.045L, 0.035L, 0.055L, 0.060L, 0.080L,
                                            0.085L, 0.090L, 0.060L, 0.055L, 0.045L, 0.050L};

THerstellerInfo Hersteller;

void InitParameterSatz(TParameterSatz& satz)
{
    satz = TParameterSatz{};
    satz.Niederschlag = StandardNiederschlag;
    satz.PersWCSparV = 8.8L;
    satz.PersWCNormV = 14.0L;
    satz.PersWaschV = 4.4L;
    satz.GartenV = 0.06L;
    satz.LadeBeiwert = 0.06L;
}

void CopyParameterSatz(const TParameterSatz& quelle, TParameterSatz& ziel)
{
    // A value copy: the vector of areas is duplicated, never shared.
    ziel = quelle;
}

void LadeHersteller()
{
    Hersteller.Firma = LoadResString(1001);
    Hersteller.Strasse = LoadResString(1002);
    Hersteller.Ort = LoadResString(1003);
    Hersteller.Web = LoadResString(1004);
    Hersteller.EMail = LoadResString(1005);
    Hersteller.Telefon = LoadResString(1006);
    Hersteller.Fax = LoadResString(1007);
}
