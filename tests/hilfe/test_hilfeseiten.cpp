// The help pages: every context opens its page, every link and picture resolves, every page is
// reachable from the contents and listed in the index, the window pages name their fields, and
// the figures the pages quote agree with the program's defaults and calculation.
#include "../support/beispiel.h"
#include "hilfetest.h"
#include "model/berechnung.h"
#include "model/grenzen.h"
#include "model/parametersatz.h"
#include "model/wirtschaftlichkeit.h"
#include "model/zahlenformat.h"

#include <QImage>
#include <QTextBrowser>
#include <gtest/gtest.h>
#include <map>
#include <queue>

using namespace hilfetest;

namespace {
QString Klartext(const QString& html)
{
    QTextDocument dokument;
    dokument.setHtml(html);
    return dokument.toPlainText().simplified();
}

QString Klartext(HilfeDatei datei, const QString& seite)
{
    return Klartext(Lies(Ordner(datei) + QLatin1Char('/') + seite));
}

const char* Name(HilfeDatei datei)
{
    return datei == HilfeDatei::Anwendung ? "anwendung" : "information";
}
} // namespace

TEST(HilfeSeiten, EveryContextOpensItsPage)
{
    struct Fall {
        HilfeDatei datei;
        int kontext;
        const char* titel;
    };
    const Fall faelle[] = {
        {HilfeDatei::Anwendung, 0, "Tropfwerk 2003 Hilfe – Inhalt"},
        {HilfeDatei::Anwendung, HilfeKontext::Hauptfenster, "Das Hauptfenster"},
        {HilfeDatei::Anwendung, HilfeKontext::Assistent, "Der Eingabe-Assistent"},
        {HilfeDatei::Anwendung, HilfeKontext::Experte, "Die Experteneingabe"},
        {HilfeDatei::Anwendung, HilfeKontext::Auswertung, "Die Auswertung"},
        {HilfeDatei::Anwendung, HilfeKontext::Wirtschaftlichkeit, "Wirtschaftlichkeit"},
        {HilfeDatei::Information, 0, "Tropfwerk 2003 Informationen – Inhalt"},
        {HilfeDatei::Information, 10, "Regenwasser nutzen"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(std::string(Name(f.datei)) + " " + std::to_string(f.kontext));
        THilfeFenster fenster(f.datei);
        fenster.ZeigeKontext(f.kontext);
        EXPECT_EQ(fenster.Browser()->source(),
                  QUrl(QStringLiteral("qrc") + HilfeSeite(f.datei, f.kontext)));
        EXPECT_EQ(fenster.Browser()->documentTitle(), QString::fromUtf8(f.titel));
        // A real page, not an empty document: QTextBrowser shows nothing for a missing file.
        EXPECT_GT(fenster.Browser()->toPlainText().size(), 400);
        // The style sheet is loaded: headings take its colour.
        const QTextBlock ueberschrift = fenster.Browser()->document()->begin();
        EXPECT_EQ(ueberschrift.text(), QString::fromUtf8(f.titel));
        EXPECT_EQ(ueberschrift.charFormat().foreground().color(), QColor(0x1f, 0x5f, 0x8b));
    }
}

TEST(HilfeSeiten, BothHelpFilesHaveTheirPages)
{
    const QStringList anwendung = Seiten(HilfeDatei::Anwendung);
    for (const char* seite : {"0.html", "10.html", "20.html", "30.html", "40.html", "index.html",
                              "berechnung.html", "simulation.html", "empfehlung.html"})
        EXPECT_TRUE(anwendung.contains(QString::fromLatin1(seite))) << seite;
    const QStringList information = Seiten(HilfeDatei::Information);
    for (const char* seite : {"0.html", "10.html", "index.html", "verbraucher.html", "anlage.html",
                              "ladebeiwert.html", "niederschlag.html"})
        EXPECT_TRUE(information.contains(QString::fromLatin1(seite))) << seite;
}

TEST(HilfeSeiten, EveryLinkAndPictureResolves)
{
    for (HilfeDatei datei : {HilfeDatei::Anwendung, HilfeDatei::Information}) {
        int verweise = 0;
        for (const QString& seite : Seiten(datei)) {
            SCOPED_TRACE(std::string(Name(datei)) + "/" + seite.toStdString());
            const QString html = Lies(Ordner(datei) + QLatin1Char('/') + seite);
            verweise += static_cast<int>(Verweise(html).size());
            EXPECT_EQ(DefekteVerweise(Adresse(datei, seite), html), QStringList());
        }
        EXPECT_GT(verweise, 50) << Name(datei);
    }
}

TEST(HilfeSeiten, EveryPictureRenders)
{
    static const QRegularExpression bild(QStringLiteral("<img[^>]*\\bsrc=\"([^\"]+)\""));
    int bilder = 0;
    for (HilfeDatei datei : {HilfeDatei::Anwendung, HilfeDatei::Information}) {
        for (const QString& seite : Seiten(datei)) {
            auto treffer = bild.globalMatch(Lies(Ordner(datei) + QLatin1Char('/') + seite));
            while (treffer.hasNext()) {
                const QUrl ziel = Adresse(datei, seite).resolved(QUrl(treffer.next().captured(1)));
                EXPECT_FALSE(QImage(QLatin1Char(':') + ziel.path()).isNull())
                    << seite.toStdString() << ": " << ziel.toString().toStdString();
                ++bilder;
            }
        }
    }
    EXPECT_GE(bilder, 5);
}

TEST(HilfeSeiten, TheLinkCheckFindsBrokenLinks)
{
    const QUrl basis = Adresse(HilfeDatei::Anwendung, QStringLiteral("10.html"));
    const QString html =
        QStringLiteral("<a href=\"20.html\">gut</a><a href=\"berechnung.html#speicher\">gut</a>"
                       "<a href=\"fehlt.html\">a</a><a href=\"berechnung.html#gibtsnicht\">b</a>"
                       "<img src=\"../../bilder/keins.svg\"><a href=\"ftp://example.org\">c</a>"
                       "<a href=\"http://www.tropfwerk.example.org\">gut</a>");
    EXPECT_EQ(DefekteVerweise(basis, html),
              (QStringList{QStringLiteral("fehlt.html (fehlt)"),
                           QStringLiteral("berechnung.html#gibtsnicht (Anker fehlt)"),
                           QStringLiteral("../../bilder/keins.svg (fehlt)"),
                           QStringLiteral("ftp://example.org (unbekanntes Schema)")}));
}

TEST(HilfeSeiten, EveryPageIsReachableFromTheContents)
{
    for (HilfeDatei datei : {HilfeDatei::Anwendung, HilfeDatei::Information}) {
        QSet<QString> erreicht{QStringLiteral("0.html")};
        std::queue<QString> offen;
        offen.push(QStringLiteral("0.html"));
        while (!offen.empty()) {
            const QString seite = offen.front();
            offen.pop();
            const QUrl basis = Adresse(datei, seite);
            for (const QString& verweis :
                 Verweise(Lies(Ordner(datei) + QLatin1Char('/') + seite))) {
                const QUrl ziel = basis.resolved(QUrl(verweis));
                if (ziel.scheme() != QLatin1String("qrc") ||
                    !ziel.path().endsWith(QLatin1String(".html")))
                    continue;
                const QString name = ziel.fileName();
                if (ziel.path() == basis.adjusted(QUrl::RemoveFilename).path() + name &&
                    !erreicht.contains(name)) {
                    erreicht.insert(name);
                    offen.push(name);
                }
            }
        }
        for (const QString& seite : Seiten(datei))
            EXPECT_TRUE(erreicht.contains(seite)) << Name(datei) << "/" << seite.toStdString();
    }
}

TEST(HilfeSeiten, TheIndexListsEveryPage)
{
    for (HilfeDatei datei : {HilfeDatei::Anwendung, HilfeDatei::Information}) {
        QSet<QString> verzeichnet;
        const QUrl basis = Adresse(datei, QStringLiteral("index.html"));
        for (const QString& verweis : Verweise(Lies(Ordner(datei) + QStringLiteral("/index.html"))))
            verzeichnet.insert(basis.resolved(QUrl(verweis)).fileName());
        for (const QString& seite : Seiten(datei)) {
            if (seite != QLatin1String("index.html") && seite != QLatin1String("0.html")) {
                EXPECT_TRUE(verzeichnet.contains(seite))
                    << Name(datei) << "/" << seite.toStdString();
            }
        }
        EXPECT_TRUE(
            Klartext(datei, QStringLiteral("index.html")).contains(QStringLiteral("Ladebeiwert")));
    }
}

TEST(HilfeSeiten, EveryPageHasTitleHeadingStyleAndWayBack)
{
    static const QRegularExpression titel(QStringLiteral("<title>[^<]+</title>"));
    for (HilfeDatei datei : {HilfeDatei::Anwendung, HilfeDatei::Information}) {
        for (const QString& seite : Seiten(datei)) {
            SCOPED_TRACE(std::string(Name(datei)) + "/" + seite.toStdString());
            const QString html = Lies(Ordner(datei) + QLatin1Char('/') + seite);
            EXPECT_TRUE(html.contains(titel));
            EXPECT_TRUE(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
            EXPECT_TRUE(html.contains(QStringLiteral("<h1>")));
            EXPECT_TRUE(html.contains(
                QStringLiteral("<link rel=\"stylesheet\" type=\"text/css\" href=\"hilfe.css\">")));
            if (seite != QLatin1String("0.html")) {
                EXPECT_TRUE(html.contains(QStringLiteral("href=\"0.html\"")));
            }
            // Umlauts are written as characters; an entity or a lost encoding shows up as these.
            EXPECT_FALSE(html.contains(QStringLiteral("&auml;")) || html.contains(QChar(0xFFFD)));
        }
    }
}

TEST(HilfeSeiten, WindowPagesExplainTheirFields)
{
    const std::map<int, std::vector<const char*>> felder = {
        {10, {"Eingabe-Assistent", "Experteneingabe", "Beenden", "Ueber...", "Data1.cry", "F1"}},
        {20,
         {"Info", "Zurück", "Weiter", "Auswerten", "Landkarte", "Postleitzahl",
          "Niederschlagswerte bearbeiten", "Hinzufügen", "Entfernen", "Gartenfläche",
          "Wasserverbrauch für Gartenbewässerung / Jahr", "WC mit Spar-/Stopptaste",
          "Waschmaschine", "Filterwirkungsgrad", "Ladebeiwert"}},
        {30,
         {"Ertragsberechnung", "Auffangflächen", "Filterwirkungsgrad", "PLZ des Standortes", ">>",
          "Bedarfsberechnung", "Sonstige Parameter", "Ladebeiwert", "Auswerten", "Übernehmen",
          "Abbrechen", "Parametersatz bearbeiten"}},
        {40,
         {"Kompakt-Auswertung", "ausführliche Auswertung", "Füllstand-Simulation",
          "Regenwasserbedarf", "Regenwasserertrag", "Speichergröße", "Deckungsrate", "Empfehlung",
          "Parametersatz bearbeiten", "Erbringer", "Verbraucher", "Anz. Pers. Spar-WC",
          "Originalwerte herstellen", "Auswertung drucken"}},
        {41,
         {"Regenwasseranteil", "Deckungsrate", "Überlauf", "Knickpunkt", "Regenwasser", "Ersparnis",
          "Amortisation", "nie", "Einbau", "Datenbasis: Deutscher Wetterdienst",
          "Diagramm und Tabelle öffnen...", "Schließen", "Standort", "Ihre Wahl",
          "amortisiert sich zuerst"}},
    };
    for (const auto& [kontext, namen] : felder) {
        const QString text =
            Klartext(HilfeDatei::Anwendung, QStringLiteral("%1.html").arg(kontext));
        for (const char* name : namen)
            EXPECT_TRUE(text.contains(QString::fromUtf8(name))) << kontext << ": " << name;
    }
    const QString simulation = Klartext(HilfeDatei::Anwendung, QStringLiteral("simulation.html"));
    for (const char* name :
         {"Simulation starten", "Niederschlagskurve (in mm je Monat)",
          "Gartenbewässerung in folgenden Monaten", "Anzahl der Durchläufe",
          "Mindest-Füllstand der Zisterne", "Grafische Ausgabe", "Monatlich", "Täglich",
          "Benutzerdefiniert", "Mit gewählter Zisterne simulieren", "überlaufen", "leerlaufen",
          "nachgespeist", "Tageswetter wie an echten Stationen",
          "Vereinfachtes Modell (Monatsmittel mit geringer Streuung)", "Regenwasseranteil",
          "Deckungsrate"})
        EXPECT_TRUE(simulation.contains(QString::fromUtf8(name))) << name;
}

TEST(HilfeSeiten, TheWorkedExampleIsWhatTheProgramComputes)
{
    TParameterSatz satz = Beispiel();
    satz.Flaechen = {{120, 0.8L}};
    satz.Garten = 100;
    ASSERT_EQ(BerechneAlles(satz), BerechnungOk);

    const QString text = Klartext(HilfeDatei::Anwendung, QStringLiteral("berechnung.html"));
    EXPECT_TRUE(text.contains(zahl::Fest(satz.Menge, 3, 6) + QStringLiteral(" m"))) << satz.Menge;
    for (auto [wert, einheit] : {std::pair{satz.Ertrag, " m³"}, std::pair{satz.Bedarf, " m³"},
                                 std::pair{satz.Volumen, " m³"}, std::pair{satz.Rate, " %"}}) {
        const QString erwartet = zahl::Fest(wert, 2, 6) + QString::fromUtf8(einheit);
        EXPECT_TRUE(text.contains(erwartet)) << erwartet.toStdString();
    }
    const QString bereich = zahl::Fest(satz.Volumen - 0.5L, 2, 5) + QStringLiteral(" bis ") +
                            zahl::Fest(satz.Volumen + 0.5L, 2, 5) + QStringLiteral(" m³");
    EXPECT_TRUE(text.contains(bereich)) << bereich.toStdString();
}

TEST(HilfeSeiten, QuotedDefaultsAreTheProgramsDefaults)
{
    TParameterSatz satz;
    InitParameterSatz(satz);
    const QString hauptfenster = Klartext(HilfeDatei::Anwendung, QStringLiteral("10.html"));
    for (auto [wert, stellen, rest] :
         {std::tuple{satz.PersWCSparV, 1, " m³ je Person und Jahr"},
          std::tuple{satz.PersWCNormV, 1, " m³ je Person und Jahr"},
          std::tuple{satz.PersWaschV, 1, " m³ je Person und Jahr"},
          std::tuple{satz.GartenV, 2, " m³ je m² und Jahr"}, std::tuple{satz.LadeBeiwert, 2, ""}}) {
        const QString erwartet = zahl::Fest(wert, stellen, 6) + QString::fromUtf8(rest);
        EXPECT_TRUE(hauptfenster.contains(erwartet)) << erwartet.toStdString();
    }

    // The standard curve, month by month in millimetres, and its annual sum.
    QString kurve;
    long double summe = 0;
    for (long double monat : StandardNiederschlag) {
        kurve += zahl::Fest(monat * 1000, 0, 4) + QLatin1Char(' ');
        summe += monat;
    }
    kurve += zahl::Fest(summe * 1000, 0, 4);
    EXPECT_TRUE(Klartext(HilfeDatei::Anwendung, QStringLiteral("standort.html")).contains(kurve))
        << kurve.toStdString();

    // The information system's example: water-saving WC plus washing machine per person.
    const QString beispiel = zahl::Fest(satz.PersWCSparV, 1, 6) + QStringLiteral(" + ") +
                             zahl::Fest(satz.PersWaschV, 1, 6) + QStringLiteral(" = ") +
                             zahl::Fest(satz.PersWCSparV + satz.PersWaschV, 1, 6) +
                             QStringLiteral(" m³");
    EXPECT_TRUE(Klartext(HilfeDatei::Information, QStringLiteral("10.html")).contains(beispiel))
        << beispiel.toStdString();

    // The money defaults of the economics page.
    const TKosten kosten;
    const QString geld = Klartext(HilfeDatei::Anwendung, QStringLiteral("41.html"));
    for (auto [name, wert, stellen] :
         {std::tuple{"Trinkwasserpreis (EUR je m³) ", kosten.Wasserpreis, 2},
          std::tuple{"Pumpenstrom (EUR je m³ Regenwasser) ", kosten.Pumpe, 2},
          std::tuple{"Wartung (EUR je Jahr) ", kosten.Wartung, 0},
          std::tuple{"Einbau (EUR) ", kosten.Einbau, 0},
          std::tuple{"Gebührenersparnis (EUR je Jahr) ", kosten.Gebuehr, 0}}) {
        const QString erwartet = QString::fromUtf8(name) + zahl::Fest(wert, stellen, 6) + u' ';
        EXPECT_TRUE(geld.contains(erwartet)) << erwartet.toStdString();
    }
    // Their ranges, on the page and where the calculation file is described.
    const QString datei = Klartext(HilfeDatei::Anwendung, QStringLiteral("dateien.html"));
    for (const TKostenGrenzFeld& f : KostenGrenzFelder) {
        const QString einheit = QString::fromUtf16(f.Grenze->Einheit);
        const QString erwartet =
            QStringLiteral("bis %1 EUR")
                .arg(QString::number(static_cast<double>(f.Grenze->Max), 'f', 0)) +
            (einheit.endsWith(QStringLiteral("/m³"))     ? QStringLiteral(" je m³")
             : einheit.endsWith(QStringLiteral("/Jahr")) ? QStringLiteral(" je Jahr")
                                                         : QString());
        EXPECT_TRUE(geld.contains(erwartet)) << f.Name << ": " << erwartet.toStdString();
        EXPECT_TRUE(datei.contains(erwartet)) << f.Name << ": " << erwartet.toStdString();
    }
}

TEST(HilfeSeiten, DataSourcesCarryTheirAttribution)
{
    for (auto [datei, seite] : {std::pair{HilfeDatei::Anwendung, "daten.html"},
                                std::pair{HilfeDatei::Information, "niederschlag.html"}}) {
        const QString text = Klartext(datei, QString::fromLatin1(seite));
        for (const char* angabe :
             {"Datenbasis: Deutscher Wetterdienst, eigene Bearbeitung", "1991–2020",
              "© GeoNames (www.geonames.org), CC BY 4.0", "© OpenStreetMap contributors (ODbL)",
              "© GeoBasis-DE / BKG (2023), dl-de/by-2-0"})
            EXPECT_TRUE(text.contains(QString::fromUtf8(angabe))) << seite << ": " << angabe;
    }
}
