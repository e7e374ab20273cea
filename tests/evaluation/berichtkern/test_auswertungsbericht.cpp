// The report "Auswertung" rendered to PDF: every value in its display format at its place, the
// postal code, the recommended products, a changed working copy, printing twice, no products,
// and the continuation page for more areas and products than the regions hold, with the title
// and the page number on every page.
#include "../../support/beispiel.h"
#include "evaluation/bericht/auswertungsbericht.h"
#include "evaluation/bericht/wirtschaftsbericht.h"
#include "evaluation/wirtschaftlichkeit.h"
#include "model/berechnung.h"
#include "pdftext.h"
#include "refdata/produkte.h"

#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

namespace {

QString T(const char* text)
{
    return QString::fromUtf8(text);
}

// The worked example, computed: Ertrag 57,915, Bedarf 52,8, Volumen 3,168, Rate 109,6875.
TParameterSatz Berechnet()
{
    TParameterSatz satz = Beispiel();
    satz.PersWaschV = 4.4L;
    EXPECT_EQ(BerechneAlles(satz), BerechnungOk);
    return satz;
}

class AuswertungsBericht : public ::testing::Test {
protected:
    void Produkt(int id, const char* produkt, long double volumen, long double preis)
    {
        mtProd->ZeileAnhaengen(
            {static_cast<qint64>(id), T("Regenwerk"), T(produkt), volumen, preis});
        mtProd->Sortiere(u"Volumen");
    }

    std::vector<TPdfText> Drucke()
    {
        const QString pfad = ordner.filePath(QStringLiteral("bericht%1.pdf").arg(++m_nummer));
        bericht.DruckeAlsPdf(pfad, satz, *mtProd);
        return LiesPdfText(pfad);
    }

    // The single text of a box: left-aligned texts start at `links`, right-aligned ones end at
    // `rechts`; the top lies at `oben`.
    static void ErwarteText(const std::vector<TPdfText>& texte, int seite, const QString& text,
                            double links, double rechts, double oben, bool rechtsbuendig)
    {
        SCOPED_TRACE(text.toStdString());
        const auto gefunden = TexteIn(texte, seite, links, oben - 0.02, rechts, oben + 0.02);
        ASSERT_EQ(gefunden.size(), 1u) << ::testing::PrintToString(gefunden);
        EXPECT_EQ(gefunden[0].Text, text);
        EXPECT_NEAR(gefunden[0].Oben, oben, 0.02);
        if (rechtsbuendig)
            EXPECT_NEAR(gefunden[0].Rechts, rechts, 0.02);
        else
            EXPECT_NEAR(gefunden[0].Links, links, 0.02);
    }

    TParameterSatz satz = Berechnet();
    std::unique_ptr<TTabelle> mtProd = ErzeugeProduktTabelle();
    TAuswertungsBericht bericht;
    QTemporaryDir ordner;

private:
    int m_nummer = 0;
};

TEST_F(AuswertungsBericht, PrintsEveryValueInItsFormatAtItsPlace)
{
    struct TFall {
        const char* text;
        double links, breite, oben;
        bool rechts;
    };
    const TFall faelle[] = {
        {"Eingabe-Parameter :", 0.5, 1.8, 2.2, false},
        {"Niederschlag", 0.7, 2.0, 2.6, false},
        {"0,715 m/Jahr", 2.8, 1.3, 2.6, true},
        {"90 %", 2.8, 1.3, 2.9, true},
        {"4", 2.8, 1.3, 3.5, true},
        {"8,8 m³/Jahr", 2.8, 1.3, 3.8, true},
        {"0", 2.8, 1.3, 4.1, true},
        {"14,0 m³/Jahr", 2.8, 1.3, 4.4, true},
        {"Anz. Pers. für Waschmaschine", 0.7, 2.0, 4.7, false},
        {"4", 2.8, 1.3, 4.7, true},
        {"4,4 m³/Jahr", 2.8, 1.3, 5.0, true},
        {"Auffangflächen", 4.5, 1.0, 2.6, false},
        {"Abflußbeiwert", 6.2, 1.0, 2.8, true},
        {"100 m²", 4.5, 1.2, 3.2, true},
        {"0,90", 6.0, 1.2, 3.2, true},
        {"0 m²", 6.5, 1.0, 4.4, true},
        {"0,06 m³/(m²·a)", 6.5, 1.0, 4.7, true},
        {"0,06", 6.5, 1.0, 5.0, true},
        {"Regenwasserertrag", 0.7, 1.5, 6.4, false},
        {"57,9 m³", 2.6, 1.4, 6.4, true},
        {"52,8 m³", 2.6, 1.4, 6.7, true},
        {"optimale Speichergröße", 4.4, 1.8, 6.4, false},
        {"3,17 m³", 6.1, 1.4, 6.4, true},
        {"109,7 %", 6.1, 1.4, 6.7, true},
        {"Empfehlungen :", 0.5, 1.9, 7.6, false},
        {"Hersteller", 0.8, 1.0, 8.0, false},
        {"Preis", 5.1, 2.3, 8.0, true},
    };
    const auto texte = Drucke();
    ASSERT_EQ(PdfSeiten(texte), 1);
    // A one-page report has no foot line.
    EXPECT_TRUE(TexteIn(texte, 1, 0, 10.5, 8.5, 11).empty());
    for (const TFall& f : faelle)
        ErwarteText(texte, 1, T(f.text), f.links, f.links + f.breite, f.oben, f.rechts);

    for (const auto& [text, oben] : {std::pair{"Tropfwerk 2003", 0.5}, {"Auswertung", 1.2}}) {
        const auto titel = TexteIn(texte, 1, 0, oben - 0.02, 8.5, oben + 0.02);
        ASSERT_EQ(titel.size(), 1u) << text;
        EXPECT_EQ(titel[0].Text, T(text));
        EXPECT_NEAR((titel[0].Links + titel[0].Rechts) / 2, 4.25, 0.02) << text;
    }
}

TEST_F(AuswertungsBericht, PrintsThePostalCodeOrNothingForAHandEnteredCurve)
{
    for (const char* plz : {"66111", ""}) {
        satz.PLZ = T(plz);
        const auto texte = Drucke();
        const auto wert = TexteIn(texte, 1, 2.8, 3.18, 4.1, 3.22);
        if (satz.PLZ.isEmpty()) {
            EXPECT_TRUE(wert.empty()) << ::testing::PrintToString(wert);
        } else {
            ASSERT_EQ(wert.size(), 1u);
            EXPECT_EQ(wert[0].Text, satz.PLZ);
            EXPECT_NEAR(wert[0].Rechts, 4.1, 0.02);
        }
        ErwarteText(texte, 1, T("Postleitzahl"), 0.7, 2.7, 3.2, false);
    }
}

TEST_F(AuswertungsBericht, PrintsTheRecommendedProductsInAscendingVolume)
{
    // Volumen 3,168: the window is 2,67 to 3,67.
    Produkt(1, "Zu klein", 2.5L, 999);
    Produkt(2, "Groesser", 3.5L, 1749);
    Produkt(3, "Zu gross", 3.7L, 1999);
    Produkt(4, "Kleiner", 3.0L, 1349);
    const auto texte = Drucke();
    ErwarteText(texte, 1, T("Regenwerk"), 0.8, 2.4, 8.35, false);
    ErwarteText(texte, 1, T("Kleiner"), 2.7, 4.9, 8.35, false);
    ErwarteText(texte, 1, T("1349,00 EUR"), 5.1, 7.4, 8.35, true);
    ErwarteText(texte, 1, T("Groesser"), 2.7, 4.9, 8.65, false);
    ErwarteText(texte, 1, T("1749,00 EUR"), 5.1, 7.4, 8.65, true);
    EXPECT_EQ(TexteIn(texte, 1, 0, 8.3, 8.5, 11).size(), 6u);
    // The filter set for the report stays in force.
    EXPECT_TRUE(mtProd->FilterAktiv());
    EXPECT_EQ(mtProd->Anzahl(), 2);
}

TEST_F(AuswertungsBericht, WithoutRecommendedProductsPrintsHeadingsAndAnEmptyRegion)
{
    Produkt(1, "Zu klein", 1.5L, 849);
    const auto texte = Drucke();
    EXPECT_EQ(PdfSeiten(texte), 1);
    ErwarteText(texte, 1, T("Produkt"), 2.7, 3.7, 8.0, false);
    EXPECT_TRUE(TexteIn(texte, 1, 0, 8.1, 8.5, 11).empty());
}

TEST_F(AuswertungsBericht, PrintsTheWorkingCopyAsItIsEachTime)
{
    const auto erstes = Drucke();
    const auto zweites = Drucke();
    ASSERT_EQ(erstes.size(), zweites.size());
    for (size_t i = 0; i < erstes.size(); ++i)
        EXPECT_EQ(erstes[i].Text, zweites[i].Text);
    // The parameter row lives only while the report runs; the area rows are replaced.
    EXPECT_EQ(bericht.mtDaten.GesamtAnzahl(), 0);
    EXPECT_EQ(bericht.mtDach.GesamtAnzahl(), 1);

    // As after moving the area slider: the report shows the area and the results computed with it.
    satz.Flaechen[0].Flaeche = 150;
    ASSERT_EQ(BerechneAlles(satz), BerechnungOk);
    const auto geaendert = Drucke();
    ErwarteText(geaendert, 1, T("150 m²"), 4.5, 5.7, 3.2, true);
    ErwarteText(geaendert, 1, T("86,9 m³"), 2.6, 4.0, 6.4, true);
    EXPECT_TRUE(TexteIn(geaendert, 1, 4.5, 3.4, 7.2, 4.2).empty());
    EXPECT_EQ(bericht.mtDach.GesamtAnzahl(), 1);
}

TEST_F(AuswertungsBericht, ContinuesAreasAndProductsOnASecondPageWithTheirHeadings)
{
    satz.Flaechen.clear();
    for (int i = 1; i <= 5; ++i)
        satz.Flaechen.push_back({100.0L + i, 0.5L});
    for (int i = 1; i <= 9; ++i)
        Produkt(i, QStringLiteral("Tank %1").arg(i).toUtf8().constData(), 2.7L + (i - 1) / 10.0L,
                1000);

    const auto texte = Drucke();
    ASSERT_EQ(PdfSeiten(texte), 2);
    for (int i = 1; i <= 5; ++i) {
        const int seite = i <= 3 ? 1 : 2;
        ErwarteText(texte, seite, QStringLiteral("%1 m²").arg(100 + i), 4.5, 5.7,
                    3.2 + 0.3 * ((i - 1) % 3), true);
    }
    for (int i = 1; i <= 9; ++i) {
        const int seite = i <= 7 ? 1 : 2;
        ErwarteText(texte, seite, QStringLiteral("Tank %1").arg(i), 2.7, 4.9,
                    8.35 + 0.3 * ((i - 1) % 7), false);
    }
    for (const char* kopf : {"Auffangflächen", "Fläche", "Abflußbeiwert",
                             "Empfehlungen :", "Hersteller", "Produkt", "Preis"})
        EXPECT_EQ(
            std::count_if(texte.begin(), texte.end(),
                          [&](const TPdfText& t) { return t.Seite == 2 && t.Text == T(kopf); }),
            1)
            << kopf;
    for (const char* nurErste : {"Eingabe-Parameter :", "Niederschlag", "52,8 m³"})
        EXPECT_TRUE(std::none_of(texte.begin(), texte.end(), [&](const TPdfText& t) {
            return t.Seite == 2 && t.Text == T(nurErste);
        })) << nurErste;
    // Every page carries the title lines and its number at the foot, and nothing else there.
    for (int seite = 1; seite <= 2; ++seite) {
        SCOPED_TRACE(seite);
        for (const auto& [text, oben] : {std::pair{"Tropfwerk 2003", 0.5}, {"Auswertung", 1.2}}) {
            const auto titel = TexteIn(texte, seite, 0, oben - 0.02, 8.5, oben + 0.02);
            ASSERT_EQ(titel.size(), 1u) << text;
            EXPECT_EQ(titel[0].Text, T(text));
            EXPECT_NEAR((titel[0].Links + titel[0].Rechts) / 2, 4.25, 0.02) << text;
        }
        const auto fuss = TexteIn(texte, seite, 0, 10.5, 8.5, 11);
        ASSERT_EQ(fuss.size(), 1u) << ::testing::PrintToString(fuss);
        EXPECT_EQ(fuss[0].Text, QStringLiteral("Seite %1 von 2").arg(seite));
        EXPECT_NEAR(fuss[0].Oben, 10.6, 0.02);
        EXPECT_NEAR((fuss[0].Links + fuss[0].Rechts) / 2, 4.25, 0.02);
    }
}

TEST_F(AuswertungsBericht, PrintsTheCatalogueOfTheDataFileWithinItsColumns)
{
    LoadProducts(*mtProd, QStringLiteral(TW_DATENORDNER));
    const auto texte = Drucke();
    const int anzahl = std::min(mtProd->Anzahl(), 7);
    ASSERT_GT(anzahl, 0);
    struct TSpalte {
        const char16_t* feld;
        double links, rechts;
        bool rechtsbuendig;
    };
    const TSpalte spalten[] = {{u"Hersteller", 0.8, 2.4, false},
                               {u"Produkt", 2.7, 4.9, false},
                               {u"Preis", 5.1, 7.4, true}};
    for (int i = 0; i < anzahl; ++i)
        for (const TSpalte& s : spalten) {
            const QString wert = mtProd->Anzeigetext(i, s.feld);
            SCOPED_TRACE(wert.toStdString());
            const auto gefunden =
                TexteIn(texte, 1, s.links, 8.33 + 0.3 * i, s.rechts, 8.37 + 0.3 * i);
            ASSERT_EQ(gefunden.size(), 1u);
            // A value too wide for its column is shortened with an ellipsis.
            QString text = gefunden[0].Text;
            if (text != wert) {
                ASSERT_TRUE(text.endsWith(u'…'));
                text.chop(1);
            }
            EXPECT_TRUE(wert.startsWith(text));
            EXPECT_GE(gefunden[0].Links, s.links - 0.02);
            EXPECT_LE(gefunden[0].Rechts, s.rechts + 0.02);
        }
}

} // namespace

TEST_F(AuswertungsBericht, AddsTheEconomicsPageOnlyWhenOfferedAndChosen)
{
    Produkt(1, "Tank 1", 2.7L, 1500);
    const auto ohne = Drucke();
    ASSERT_EQ(PdfSeiten(ohne), 1);

    TWirtschaftlichkeitsDaten daten;
    for (int i = 0; i <= 40; ++i)
        daten.Ergebnis.Kurve.push_back({i * 0.25, 1 - std::exp(-i * 0.25 / 2), 0.2});
    daten.Ergebnis.Knick = 7.5;
    daten.Volumen = satz.Volumen;
    daten.Kosten = {2.0L, 0.25L, 50, 2500, 0};
    daten.Produkte = {{T("Regenwerk"), T("Tank 1"), 2.7L, 1500, 0.75L,
                       BerechneWirtschaftlichkeit(0.75L, satz.Bedarf, 1500, daten.Kosten)},
                      {T("Regenwerk"), T("Fass 0,3"), 0.3L, 90, 0.4L,
                       BerechneWirtschaftlichkeit(0.4L, 10, 90, daten.Kosten)},
                      // Names too wide for their columns, printed in full on two lines.
                      {T("Regenwerk Behälterbau GmbH & Co. KG"),
                       T("Liegetank LT 4000 Premium"),
                       3.5L,
                       2000,
                       0.8L,
                       {}}};
    const QString knick = T("Ab 7,5 m³ bringt jeder weitere Kubikmeter weniger als 1 Prozentpunkt "
                            "Deckung.");
    {
        const TAuswertungsBericht::TAnhang anhang(bericht, &daten);
        EXPECT_EQ(bericht.Maschine.Anhangtitel(), T("Wirtschaftlichkeit"));
        const auto mit = Drucke();
        ASSERT_EQ(PdfSeiten(mit), 2);
        // The first page stays as it was, same texts at the same places, and both pages gain
        // their foot line.
        std::vector<TPdfText> erste;
        std::copy_if(mit.begin(), mit.end(), std::back_inserter(erste),
                     [](const TPdfText& t) { return t.Seite == 1 && t.Oben < 10.5; });
        ASSERT_EQ(erste.size(), ohne.size());
        for (std::size_t i = 0; i < erste.size(); ++i) {
            EXPECT_EQ(erste[i].Text, ohne[i].Text);
            EXPECT_NEAR(erste[i].Oben, ohne[i].Oben, 1e-3);
        }
        EXPECT_TRUE(TexteIn(ohne, 1, 0, 10.5, 8.5, 11).empty());
        for (int seite = 1; seite <= 2; ++seite) {
            const auto fuss = TexteIn(mit, seite, 0, 10.58, 8.5, 11);
            ASSERT_EQ(fuss.size(), 1u) << ::testing::PrintToString(fuss);
            EXPECT_EQ(fuss[0].Text, QStringLiteral("Seite %1 von 2").arg(seite));
        }
        // 0,75 × 52,8 m³ = 39,6 m³ × 1,75 € − 50 € = 19,30 €/Jahr: 4000 € pay back in 207,3
        // years; 4 m³ a year save less than the maintenance costs.
        for (const char* text :
             {"Wirtschaftlichkeit", "Tank 1", "2,7", "1500,00", "75", "39,6", "19,30", "207,3",
              "Fass 0,3", "-43,00", "nie", "Knickpunkt: 7,5 m³", "Speichergröße: 3,17 m³",
              "Speichervolumen in m³"})
            EXPECT_TRUE(std::any_of(mit.begin(), mit.end(), [&](const TPdfText& t) {
                return t.Seite == 2 && t.Text == T(text);
            })) << text;
        EXPECT_TRUE(std::any_of(mit.begin(), mit.end(), [&](const TPdfText& t) {
            return t.Seite == 2 && t.Text.startsWith(knick.left(20));
        }));
        QString seite2;
        for (const TPdfText& t : mit)
            if (t.Seite == 2 && t.Links < 3.0 && t.Oben > 7.7)
                seite2 += t.Text + u' ';
        EXPECT_FALSE(seite2.contains(u'…')) << seite2.toStdString();
        for (const char* name :
             {"Regenwerk Behälterbau", "GmbH & Co. KG", "Liegetank LT", "4000 Premium"})
            EXPECT_TRUE(seite2.contains(T(name))) << name << ": " << seite2.toStdString();

        bericht.Maschine.SetzeAnhangAktiv(false);
        EXPECT_EQ(PdfSeiten(Drucke()), 1);
        bericht.Maschine.SetzeAnhangAktiv(true);
    }
    // Without figures the report has no appendix.
    EXPECT_TRUE(bericht.Maschine.Anhangtitel().isEmpty());
    EXPECT_EQ(PdfSeiten(Drucke()), 1);
}

TEST(WirtschaftsDiagramm, PlacesEveryLabelClearOfLabelsCurvesMarksAndMarkers)
{
    // Products crowded around the sizing rule's volume and the knee, one twice at one volume,
    // one beyond the curve; as the page draws it at 1200 dpi with 8 pt text.
    const struct {
        double Volumen, Knick;
        std::vector<double> Produkte;
    } faelle[] = {
        {3.53, 6.2, {3.0, 4.0, 4.5, 5.0, 5.0, 6.5}},
        {6.0, 6.2, {5.8, 6.0, 6.1, 6.2, 6.3, 30}},
        {0.4, 0.5, {0.3, 0.35, 0.4, 0.45}},
    };
    constexpr double Dpi = 1200;
    QFont schrift(QStringLiteral("Arial"));
    schrift.setPixelSize(static_cast<int>(8 * Dpi / 72));
    const QFontMetricsF masse(schrift);
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.Volumen);
        TWirtschaftlichkeitsDaten daten;
        const double bis = 4 * fall.Knick;
        for (int i = 0; i <= 40; ++i) {
            const double v = bis * i / 40;
            daten.Ergebnis.Kurve.push_back(
                {v, 0.9 * (1 - std::exp(-v / fall.Knick * 2)), 0.6 * std::exp(-v / fall.Knick)});
        }
        daten.Ergebnis.Knick = fall.Knick;
        daten.Volumen = fall.Volumen;
        for (const double v : fall.Produkte)
            daten.Produkte.push_back(
                {T("Regenwerk"), T("Tank"), v, 1000, DeckungBei(daten.Ergebnis.Kurve, v), {}});
        const auto g = WirtschaftsDiagrammGeometrie(
            daten, QRectF(0.5 * Dpi, 2.4 * Dpi, 7.5 * Dpi, 3.5 * Dpi), Dpi, masse);

        ASSERT_EQ(g.Texte.size(), fall.Produkte.size() + 2);
        ASSERT_EQ(g.Beschriftungen.size(), g.Texte.size());
        EXPECT_EQ(QString(g.Texte[1]).replace(u'\n', u' '),
                  T("Knickpunkt: ") + KnickVolumen(fall.Knick));
        // Round ticks: the step is 1, 2 or 5 × 10^n and the axis ends on one.
        const double basis = std::pow(10.0, std::floor(std::log10(g.Schritt)));
        const double faktoren[] = {1.0, 2.0, 5.0};
        EXPECT_TRUE(std::any_of(std::begin(faktoren), std::end(faktoren), [&](double f) {
            return std::abs(g.Schritt - f * basis) < 1e-9;
        })) << g.Schritt;
        EXPECT_NEAR(g.Bis / g.Schritt, std::round(g.Bis / g.Schritt), 1e-9);
        EXPECT_GE(g.Bis, daten.Ergebnis.Kurve.back().Volumen);

        // Every segment sampled finely: no sample may fall into a label.
        std::vector<QLineF> strecken(g.Linien.begin(), g.Linien.end());
        for (const QPolygonF& kurve : g.Kurven)
            for (qsizetype i = 1; i < kurve.size(); ++i)
                strecken.emplace_back(kurve[i - 1], kurve[i]);
        for (std::size_t i = 0; i < g.Beschriftungen.size(); ++i) {
            const QRectF& r = g.Beschriftungen[i];
            SCOPED_TRACE(g.Texte[i].toStdString());
            ASSERT_FALSE(r.isEmpty());
            EXPECT_TRUE(g.Feld.contains(r));
            for (std::size_t j = i + 1; j < g.Beschriftungen.size(); ++j)
                EXPECT_FALSE(r.intersects(g.Beschriftungen[j])) << g.Texte[j].toStdString();
            for (const QRectF& m : g.Marker)
                EXPECT_FALSE(r.intersects(m));
            for (const QLineF& s : strecken)
                for (int k = 0; k <= 200; ++k)
                    ASSERT_FALSE(r.contains(s.pointAt(k / 200.0)));
        }
    }
}
