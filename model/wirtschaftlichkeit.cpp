#include "model/wirtschaftlichkeit.h"

#include <cmath>

TWirtschaftlichkeit BerechneWirtschaftlichkeit(long double deckung, long double bedarf,
                                               long double preis, const TKosten& kosten)
{
    TWirtschaftlichkeit w;
    w.Regenwasser = deckung * bedarf;
    w.Ersparnis =
        w.Regenwasser * (kosten.Wasserpreis - kosten.Pumpe) - kosten.Wartung + kosten.Gebuehr;
    const long double anlage = preis + kosten.Einbau;
    if (w.Ersparnis > 0 && std::isfinite(w.Ersparnis) && std::isfinite(anlage))
        w.Amortisation = anlage > 0 ? anlage / w.Ersparnis : 0;
    return w;
}
