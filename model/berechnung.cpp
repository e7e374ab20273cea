// Sizing calculation. Each routine first clears the field it writes.
#include "model/berechnung.h"

void BerechneMenge(TParameterSatz& satz)
{
    satz.Menge = 0;
    for (long double monat : satz.Niederschlag)
        satz.Menge += monat;
}

int BerechneErtrag(TParameterSatz& satz)
{
    satz.Ertrag = 0;
    if (satz.Menge < 0)
        return BerechnungUngueltig;
    for (const TFlaeche& f : satz.Flaechen) {
        if (f.Flaeche < 0 || f.Beiwert < 0 || f.Beiwert > 1) {
            satz.Ertrag = 0;
            return BerechnungUngueltig;
        }
        satz.Ertrag += f.Flaeche * f.Beiwert * satz.Menge * satz.WGrad;
    }
    return BerechnungOk;
}

int BerechneBedarf(TParameterSatz& satz)
{
    satz.Bedarf = 0;
    for (long double wert : {satz.PersWCSpar, satz.PersWCSparV, satz.PersWCNorm, satz.PersWCNormV,
                             satz.PersWasch, satz.PersWaschV, satz.Garten, satz.GartenV}) {
        if (wert < 0)
            return BerechnungUngueltig;
    }
    satz.Bedarf = satz.PersWCSpar * satz.PersWCSparV + satz.PersWCNorm * satz.PersWCNormV +
                  satz.PersWasch * satz.PersWaschV + satz.Garten * satz.GartenV;
    return BerechnungOk;
}

int BerechneVolumen(TParameterSatz& satz)
{
    satz.Volumen = 0;
    if (satz.Bedarf < 0 || satz.Ertrag < 0 || satz.LadeBeiwert < 0 || satz.LadeBeiwert > 1)
        return BerechnungUngueltig;
    const long double kleiner = satz.Bedarf > satz.Ertrag ? satz.Ertrag : satz.Bedarf;
    satz.Volumen = satz.LadeBeiwert * kleiner;
    return BerechnungOk;
}

int BerechneRate(TParameterSatz& satz)
{
    satz.Rate = 0;
    if (satz.Ertrag < 0 || satz.Bedarf < 0)
        return BerechnungUngueltig;
    if (satz.Bedarf > 0)
        satz.Rate = satz.Ertrag / satz.Bedarf * 100;
    return BerechnungOk;
}

int BerechneAlles(TParameterSatz& satz)
{
    BerechneMenge(satz);
    for (int (*schritt)(TParameterSatz&) :
         {BerechneErtrag, BerechneBedarf, BerechneVolumen, BerechneRate}) {
        if (schritt(satz) != BerechnungOk)
            return BerechnungUngueltig;
    }
    return BerechnungOk;
}

void BerechneAllesOhneAbbruch(TParameterSatz& satz)
{
    BerechneMenge(satz);
    BerechneErtrag(satz);
    BerechneBedarf(satz);
    BerechneVolumen(satz);
    BerechneRate(satz);
}
