// The report "Auswertung": its tables and the engine's data-source notifications.
#include "evaluation/bericht/auswertungsbericht.h"

#include "evaluation/bericht/wirtschaftsbericht.h"
#include "refdata/produkte.h"

TAuswertungsBericht::TLauf::TLauf(TAuswertungsBericht& bericht, const TParameterSatz& satz,
                                  TTabelle& mtProd)
    : m_bericht(bericht)
{
    bericht.m_satz = &satz;
    bericht.m_prod = &mtProd;
    bericht.Maschine.SetzeDatenquelle(QStringLiteral("mtProd"),
                                      {&mtProd, [&bericht] { bericht.ProdukteGeoeffnet(); }, {}});
}

TAuswertungsBericht::TLauf::~TLauf()
{
    m_bericht.Maschine.SetzeDatenquelle(QStringLiteral("mtProd"), {});
    m_bericht.m_satz = nullptr;
    m_bericht.m_prod = nullptr;
}

TAuswertungsBericht::TAnhang::TAnhang(TAuswertungsBericht& bericht,
                                      const TWirtschaftlichkeitsDaten* daten)
    : m_bericht(bericht)
{
    if (!daten)
        return;
    TBerichtMaschine& maschine = bericht.Maschine;
    maschine.SetzeAnhang(QStringLiteral("Wirtschaftlichkeit"), [&maschine, daten] {
        return std::vector<TBerichtSeite>{WirtschaftlichkeitsSeite(maschine.Definition(), *daten)};
    });
}

TAuswertungsBericht::TAnhang::~TAnhang()
{
    m_bericht.Maschine.SetzeAnhang({}, {});
}

TAuswertungsBericht::TAuswertungsBericht()
    : Maschine(LadeBerichtDefinition(QStringLiteral(":/bericht/auswertung.json")))
{
    mtDaten.setObjectName(QStringLiteral("mtDaten"));
    // The inputs with optional decimals, so that no typed digit is lost in print.
    mtDaten.DefiniereFelder({
        FeldDefinition("Menge", TFeldTyp::Float, 0, "0.000###' m/Jahr'"),
        FeldDefinition("PLZ", TFeldTyp::String, 5),
        FeldDefinition("WGrad", TFeldTyp::Float, 0, "#0.####' %'"),
        FeldDefinition("PersWCSpar", TFeldTyp::Float, 0, "#0.###"),
        FeldDefinition("PersWCSparV", TFeldTyp::Float, 0, "#0.0###' m³/Jahr'"),
        FeldDefinition("PersWCNorm", TFeldTyp::Float, 0, "#0.###"),
        FeldDefinition("PersWCNormV", TFeldTyp::Float, 0, "#0.0###' m³/Jahr'"),
        FeldDefinition("PersWasch", TFeldTyp::Float, 0, "#0.###"),
        FeldDefinition("PersWaschV", TFeldTyp::Float, 0, "#0.0###' m³/Jahr'"),
        FeldDefinition("Garten", TFeldTyp::Float, 0, "####0.###' m²'"),
        FeldDefinition("GartenV", TFeldTyp::Float, 0, "#0.0###' m³/(m²·a)'"),
        FeldDefinition("LadeBeiwert", TFeldTyp::Float, 0, "0.00##"),
        FeldDefinition("Ertrag", TFeldTyp::Float, 0, "##0.0' m³'"),
        FeldDefinition("Bedarf", TFeldTyp::Float, 0, "##0.0' m³'"),
        FeldDefinition("Volumen", TFeldTyp::Float, 0, "#0.00' m³'"),
        FeldDefinition("Rate", TFeldTyp::Float, 0, "##0.#' %'"),
    });
    mtDach.setObjectName(QStringLiteral("mtDach"));
    mtDach.DefiniereFelder({
        FeldDefinition("Flaeche", TFeldTyp::Float, 0, "##0.###' m²'"),
        FeldDefinition("Beiwert", TFeldTyp::Float, 0, "0.00##"),
    });
    Maschine.SetzeDatenquelle(
        QStringLiteral("mtDaten"),
        {&mtDaten, [this] { ParameterGeoeffnet(); }, [this] { mtDaten.Leeren(); }});
    Maschine.SetzeDatenquelle(QStringLiteral("mtDach"),
                              {&mtDach, [this] { FlaechenGeoeffnet(); }, {}});
}

TAuswertungsBericht::~TAuswertungsBericht() = default;

void TAuswertungsBericht::DruckeAlsPdf(const QString& pfad, const TParameterSatz& satz,
                                       TTabelle& mtProd)
{
    TLauf lauf(*this, satz, mtProd);
    Maschine.SchreibePdf(pfad);
}

std::vector<TBerichtSeite> TAuswertungsBericht::Seiten(const TParameterSatz& satz, TTabelle& mtProd)
{
    TLauf lauf(*this, satz, mtProd);
    return Maschine.Erzeuge();
}

void TAuswertungsBericht::ParameterGeoeffnet()
{
    const TParameterSatz& s = *m_satz;
    mtDaten.Leeren();
    mtDaten.ZeileAnhaengen({s.Menge, s.PLZ, s.WGrad * 100, s.PersWCSpar, s.PersWCSparV,
                            s.PersWCNorm, s.PersWCNormV, s.PersWasch, s.PersWaschV, s.Garten,
                            s.GartenV, s.LadeBeiwert, s.Ertrag, s.Bedarf, s.Volumen, s.Rate});
}

void TAuswertungsBericht::FlaechenGeoeffnet()
{
    mtDach.Leeren();
    for (const TFlaeche& f : m_satz->Flaechen)
        mtDach.ZeileAnhaengen({f.Flaeche, f.Beiwert});
}

void TAuswertungsBericht::ProdukteGeoeffnet()
{
    FilterProducts(*m_prod, m_satz->Volumen);
}
