// Ranges of the parameter set's inputs.
#include "model/grenzen.h"

#include "model/zahlenformat.h"

#include <cmath>

const TGrenzFeld GrenzFelder[11] = {
    {"Menge", &TParameterSatz::Menge, &grenzen::Jahresniederschlag},
    {"WGrad", &TParameterSatz::WGrad, &grenzen::Anteil},
    {"PersWCSpar", &TParameterSatz::PersWCSpar, &grenzen::Personen},
    {"PersWCSparV", &TParameterSatz::PersWCSparV, &grenzen::Verbrauch},
    {"PersWCNorm", &TParameterSatz::PersWCNorm, &grenzen::Personen},
    {"PersWCNormV", &TParameterSatz::PersWCNormV, &grenzen::Verbrauch},
    {"PersWasch", &TParameterSatz::PersWasch, &grenzen::Personen},
    {"PersWaschV", &TParameterSatz::PersWaschV, &grenzen::Verbrauch},
    {"Garten", &TParameterSatz::Garten, &grenzen::Garten},
    {"GartenV", &TParameterSatz::GartenV, &grenzen::Verbrauch},
    {"LadeBeiwert", &TParameterSatz::LadeBeiwert, &grenzen::Anteil},
};

const TKostenGrenzFeld KostenGrenzFelder[5] = {
    {"Wasserpreis", &TKosten::Wasserpreis, &grenzen::Kubikmeterpreis},
    {"Pumpenstrom", &TKosten::Pumpe, &grenzen::Kubikmeterpreis},
    {"Wartung", &TKosten::Wartung, &grenzen::Jahresbetrag},
    {"Einbau", &TKosten::Einbau, &grenzen::Einbau},
    {"Gebuehr", &TKosten::Gebuehr, &grenzen::Jahresbetrag},
};

const TGrenze& KostenGrenze(long double TKosten::*feld)
{
    for (const TKostenGrenzFeld& f : KostenGrenzFelder) {
        if (f.Wert == feld)
            return *f.Grenze;
    }
    return grenzen::Jahresbetrag; // not reached: every member is listed
}

const TGrenze* GrenzeVon(long double TParameterSatz::*feld)
{
    for (const TGrenzFeld& f : GrenzFelder) {
        if (f.Wert == feld)
            return f.Grenze;
    }
    return nullptr;
}

bool ImBereich(long double wert, const TGrenze& grenze)
{
    return wert >= grenze.Min && wert <= grenze.Max &&
           (wert == 0 || std::fabs(wert) >= grenzen::KleinsterWert);
}

QString Bereichstext(const TGrenze& grenze, int verschiebung)
{
    const auto text = [verschiebung](long double wert) {
        return zahl::Umkehrbar(wert, 0, 18, verschiebung);
    };
    return QStringLiteral("zwischen %1 und %2").arg(text(grenze.Min), text(grenze.Max));
}

QString Eingabebitte(const QString& feld, const TGrenze& grenze)
{
    return QStringLiteral("%1: bitte eine Zahl %2 %3 eingeben.")
        .arg(feld, Bereichstext(grenze), QString::fromUtf16(grenze.Einheit));
}
