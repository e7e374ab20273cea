// The report "Auswertung" of the evaluation window: input parameters, catchment areas, computed
// values and the recommended products of a working copy, on Letter pages.
//
// The evaluation window owns one TAuswertungsBericht and prints it from btnPrintReport with its
// working copy and its product table (DruckeAuswertung, berichtablauf.h). The layout is the
// definition :/bericht/auswertung.json; the engine fills it from three tables, which are filled
// when the engine opens them:
//   mtDaten  one row of parameters and results (WGrad in percent), emptied when released;
//   mtDach   one row per catchment area, replaced by every report and kept until the next;
//   mtProd   the caller's product table, filtered to the products recommended for the set's
//            Volumen; the filter stays in force afterwards.
// Areas beyond the third and products beyond the seventh continue on a further page that
// repeats the title lines and the headings of their region; a report of several pages carries
// "Seite N von M" at the foot of each page, a one-page report no foot line.
#pragma once

#include "evaluation/bericht/berichtmaschine.h"
#include "model/parametersatz.h"
#include "refdata/tabelle.h"

#include <QString>

struct TWirtschaftlichkeitsDaten;

class TAuswertungsBericht {
public:
    TAuswertungsBericht();
    ~TAuswertungsBericht();
    TAuswertungsBericht(const TAuswertungsBericht&) = delete;
    TAuswertungsBericht& operator=(const TAuswertungsBericht&) = delete;

    // Writes all pages to a PDF file without any window; raises EFehler when the file cannot be
    // written.
    void DruckeAlsPdf(const QString& pfad, const TParameterSatz& satz, TTabelle& mtProd);
    // Lays the pages out without printing them (for ZeichneBerichtSeite).
    std::vector<TBerichtSeite> Seiten(const TParameterSatz& satz, TTabelle& mtProd);

    TTabelle mtDaten;
    TTabelle mtDach;
    TBerichtMaschine Maschine;

    // Binds the data sources to the set and the product table while it lives (one run).
    class TLauf {
    public:
        TLauf(TAuswertungsBericht& bericht, const TParameterSatz& satz, TTabelle& mtProd);
        ~TLauf();
        TLauf(const TLauf&) = delete;
        TLauf& operator=(const TLauf&) = delete;

    private:
        TAuswertungsBericht& m_bericht;
    };

    // Offers the page "Wirtschaftlichkeit" of the figures while it lives; nothing without them.
    class TAnhang {
    public:
        TAnhang(TAuswertungsBericht& bericht, const TWirtschaftlichkeitsDaten* daten);
        ~TAnhang();
        TAnhang(const TAnhang&) = delete;
        TAnhang& operator=(const TAnhang&) = delete;

    private:
        TAuswertungsBericht& m_bericht;
    };

private:
    void ParameterGeoeffnet();
    void FlaechenGeoeffnet();
    void ProdukteGeoeffnet();

    const TParameterSatz* m_satz = nullptr;
    TTabelle* m_prod = nullptr;
};
