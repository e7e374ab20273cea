// The report engine on its own: reading definitions, the data-source notifications, and the
// lines of the report "Auswertung" painted where they belong.
#include "evaluation/bericht/auswertungsbericht.h"
#include "model/berechnung.h"
#include "model/fehler.h"
#include "refdata/produkte.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

QByteArray Definition(const char* elemente, const char* bereiche = "[]")
{
    return QByteArray(R"({"name": "Probe", "elemente": )") + elemente + R"(, "bereiche": )" +
           bereiche + "}";
}

TEST(BerichtDefinition, RefusesFaultyDefinitionsNamingTheFault)
{
    const std::pair<QByteArray, const char*> faelle[] = {
        {"{\"name\": ", "Berichtsdefinition:"},
        {R"({"elemente": []})", "\"name\" fehlt"},
        {Definition(R"([{"text": "a", "oben": 1, "breite": 1}])"), "\"links\""},
        {Definition(
             R"([{"text": "a", "links": 1, "oben": 1, "breite": 1, "ausrichtung": "oben"}])"),
         "unbekannte Ausrichtung \"oben\""},
        {Definition(R"([{"feld": "Menge", "links": 1, "oben": 1, "breite": 1}])"), "Tabelle.Feld"},
        {Definition(R"([{"linie": [1, 2, 3]}])"), "vier Zahlen"},
        {Definition("[]", R"([{"tabelle": "t", "links": 0, "oben": 0, "breite": 1, "hoehe": 1,
                               "bandhoehe": 0}])"),
         "\"bandhoehe\""},
        {R"({"name": "Probe", "seitenfuss": {"feld": "t.f", "links": 1, "oben": 1, "breite": 1}})",
         "\"seitenfuss\" muss ein Text sein"},
    };
    for (const auto& [json, fehler] : faelle) {
        try {
            LiesBerichtDefinition(json);
            ADD_FAILURE() << "accepted: " << json.toStdString();
        } catch (const EFehler& e) {
            EXPECT_TRUE(e.Meldung().contains(QString::fromUtf8(fehler)))
                << e.Meldung().toStdString() << " / " << fehler;
        }
    }
}

TEST(BerichtDefinition, AuswertungHasLetterPagesAndRegionsOfThreeAndSevenRows)
{
    const TBerichtDefinition d = LadeBerichtDefinition(QStringLiteral(":/bericht/auswertung.json"));
    EXPECT_EQ(d.Name, QStringLiteral("Auswertung"));
    EXPECT_EQ(d.Seitenbreite, 8.5);
    EXPECT_EQ(d.Seitenhoehe, 11);
    ASSERT_EQ(d.Bereiche.size(), 2u);
    EXPECT_EQ(d.Bereiche[0].Zeilen(), 3);
    EXPECT_EQ(d.Bereiche[1].Zeilen(), 7);
    // A region of exactly three bands, although 0.6 / 0.2 is a hair below 3 in binary.
    TBerichtBereich genau;
    genau.Hoehe = 0.6;
    genau.Bandhoehe = 0.2;
    EXPECT_EQ(genau.Zeilen(), 3);
    EXPECT_EQ(d.Tabellen(), (QStringList{QStringLiteral("mtDaten"), QStringLiteral("mtDach"),
                                         QStringLiteral("mtProd")}));
}

class Datenquellen : public ::testing::Test {
protected:
    Datenquellen()
    {
        for (TTabelle* t : {&kopf, &liste})
            t->DefiniereFelder({FeldDefinition("Wert", TFeldTyp::Float, 0, "0.0")});
    }

    TDatenquelle Quelle(TTabelle& tabelle, const char* name)
    {
        return {&tabelle,
                [this, name] { protokoll.push_back(QStringLiteral("%1 offen").arg(name)); },
                [this, name] { protokoll.push_back(QStringLiteral("%1 frei").arg(name)); }};
    }

    std::unique_ptr<TBerichtMaschine> Maschine(const char* bandfeld = "Wert")
    {
        const QByteArray band =
            QByteArray(R"([{"tabelle": "liste", "links": 1, "oben": 2, "breite": 2, "hoehe": 0.5,
                           "bandhoehe": 0.25, "kopf": [{"linie": [1, 1.9, 3, 1.9]}],
                           "band": [{"feld": ")") +
            bandfeld + R"(", "links": 0.5, "oben": 0.05, "breite": 1}]}])";
        auto m = std::make_unique<TBerichtMaschine>(LiesBerichtDefinition(Definition(
            R"([{"feld": "kopf.Wert", "links": 1, "oben": 1, "breite": 1}])", band.constData())));
        m->SetzeDatenquelle(QStringLiteral("kopf"), Quelle(kopf, "kopf"));
        m->SetzeDatenquelle(QStringLiteral("liste"), Quelle(liste, "liste"));
        return m;
    }

    TTabelle kopf;
    TTabelle liste;
    std::vector<QString> protokoll;
};

TEST_F(Datenquellen, OpensInOrderOfUseAndLaysOutRowsOverPages)
{
    // The sources fill their tables when opened.
    auto m = Maschine();
    m->SetzeDatenquelle(QStringLiteral("kopf"), {&kopf, [this] { kopf.ZeileAnhaengen({2.5L}); },
                                                 [this] { kopf.Leeren(); }});
    for (int i = 1; i <= 3; ++i)
        liste.ZeileAnhaengen({static_cast<long double>(i)});
    std::vector<int> gemeldet;
    const auto seiten = m->Erzeuge([&](int s) { gemeldet.push_back(s); });
    EXPECT_EQ(gemeldet, (std::vector<int>{1, 2}));
    ASSERT_EQ(seiten.size(), 2u);
    EXPECT_EQ(kopf.GesamtAnzahl(), 0);

    // Page 1: the field, the heading line, rows 1 and 2; page 2: the heading line and row 3.
    const auto text = [](const TBerichtElement& e) { return std::get<TBerichtText>(e); };
    ASSERT_EQ(seiten[0].Elemente.size(), 4u);
    EXPECT_EQ(text(seiten[0].Elemente[0]).Text, QStringLiteral("2,5"));
    EXPECT_TRUE(std::holds_alternative<TBerichtLinie>(seiten[0].Elemente[1]));
    for (int i = 0; i < 2; ++i) {
        const TBerichtText t = text(seiten[0].Elemente[static_cast<size_t>(2 + i)]);
        EXPECT_EQ(t.Text, QStringLiteral("%1,0").arg(i + 1));
        EXPECT_DOUBLE_EQ(t.Links, 1.5);
        EXPECT_DOUBLE_EQ(t.Oben, 2.05 + 0.25 * i);
    }
    ASSERT_EQ(seiten[1].Elemente.size(), 2u);
    EXPECT_TRUE(std::holds_alternative<TBerichtLinie>(seiten[1].Elemente[0]));
    EXPECT_EQ(text(seiten[1].Elemente[1]).Text, QStringLiteral("3,0"));
    EXPECT_DOUBLE_EQ(text(seiten[1].Elemente[1]).Oben, 2.05);
}

TEST_F(Datenquellen, ReleasesOpenedSourcesWhenLayoutFails)
{
    EXPECT_THROW(Maschine("Fehlt")->Erzeuge(), EFehler);
    EXPECT_EQ(protokoll,
              (std::vector<QString>{QStringLiteral("kopf offen"), QStringLiteral("liste offen"),
                                    QStringLiteral("kopf frei"), QStringLiteral("liste frei")}));

    // Without a source for a table nothing is opened.
    protokoll.clear();
    auto ohne = Maschine();
    ohne->SetzeDatenquelle(QStringLiteral("liste"), {});
    try {
        ohne->Erzeuge();
        ADD_FAILURE() << "no error";
    } catch (const EFehler& e) {
        EXPECT_TRUE(e.Meldung().contains(QLatin1String("Tabelle liste")));
    }
    EXPECT_TRUE(protokoll.empty());
}

TEST(AuswertungsLinien, LinesArePaintedWhereTheLayoutPutsThem)
{
    TParameterSatz satz;
    InitParameterSatz(satz);
    satz.Flaechen = {{100, 0.9L}};
    BerechneAlles(satz);
    auto mtProd = ErzeugeProduktTabelle();
    TAuswertungsBericht bericht;
    const auto seiten = bericht.Seiten(satz, *mtProd);

    constexpr int dpi = 100;
    QImage bild(850, 1100, QImage::Format_RGB32);
    bild.setDotsPerMeterX(qRound(dpi / 0.0254));
    bild.setDotsPerMeterY(qRound(dpi / 0.0254));
    bild.fill(Qt::white);
    {
        QPainter maler(&bild);
        ZeichneBerichtSeite(maler, seiten.at(0));
    }
    const auto dunkel = [&](double x, double y) {
        return qGray(bild.pixel(qRound(x * dpi), qRound(y * dpi))) < 160;
    };
    // x1, y1, x2, y2 in inches: each line is dark along its middle third, 0,05 in beside it
    // and beyond its ends white.
    const double linien[][4] = {{4.3, 2.6, 4.3, 5.2}, {4.3, 6.4, 4.3, 6.9}, {4.4, 3.0, 7.3, 3.0},
                                {5.8, 2.8, 5.8, 4.2}, {0.7, 8.2, 7.5, 8.2}, {2.5, 8.0, 2.5, 10.5},
                                {5.0, 8.0, 5.0, 10.5}};
    for (const auto& l : linien) {
        SCOPED_TRACE(::testing::PrintToString(std::vector<double>(l, l + 4)));
        const bool senkrecht = l[0] == l[2];
        const double dx = senkrecht ? 0.05 : 0;
        const double dy = senkrecht ? 0 : 0.05;
        for (double a : {0.4, 0.5, 0.6}) {
            const double x = l[0] + a * (l[2] - l[0]);
            const double y = l[1] + a * (l[3] - l[1]);
            EXPECT_TRUE(dunkel(x, y)) << a;
            EXPECT_FALSE(dunkel(x + dx, y + dy)) << a;
            EXPECT_FALSE(dunkel(x - dx, y - dy)) << a;
        }
        EXPECT_FALSE(dunkel(l[0] - dy, l[1] - dx));
        EXPECT_FALSE(dunkel(l[2] + dy, l[3] + dx));
    }
}

} // namespace
