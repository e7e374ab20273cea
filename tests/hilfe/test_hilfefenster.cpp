// The help window: contents, index, the full-text search and its result page, back after a
// search, links inside the help and to the outside, and the standard help function.
#include "../support/modal.h"
#include "../support/rekorder.h"
#include "hilfetest.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <algorithm>
#include <gtest/gtest.h>

using namespace hilfetest;

namespace {
std::vector<QString> Dateien(const std::vector<HilfeTreffer>& treffer)
{
    std::vector<QString> dateien;
    for (const HilfeTreffer& t : treffer)
        dateien.push_back(t.Datei);
    return dateien;
}

bool Enthaelt(const std::vector<QString>& liste, const char* datei)
{
    return std::find(liste.begin(), liste.end(), QString::fromLatin1(datei)) != liste.end();
}

QString Klartext(HilfeDatei datei, const QString& seite)
{
    QTextDocument dokument;
    dokument.setHtml(Lies(Ordner(datei) + QLatin1Char('/') + seite));
    return dokument.toPlainText();
}

QString Dateiname(const QTextBrowser* browser)
{
    return browser->source().fileName();
}
} // namespace

TEST(HilfeSuche, FindsThePagesWithEveryWordMostHitsFirst)
{
    const std::vector<HilfeTreffer> treffer =
        DurchsucheHilfe(HilfeDatei::Anwendung, QStringLiteral("Ladebeiwert"));
    ASSERT_GE(treffer.size(), 3u);
    EXPECT_TRUE(Enthaelt(Dateien(treffer), "berechnung.html"));
    EXPECT_FALSE(Enthaelt(Dateien(treffer), "index.html")); // the index is not searched
    for (std::size_t i = 0; i < treffer.size(); ++i) {
        SCOPED_TRACE(treffer[i].Datei.toStdString());
        const QString text = Klartext(HilfeDatei::Anwendung, treffer[i].Datei).simplified();
        EXPECT_EQ(treffer[i].Anzahl,
                  text.count(QStringLiteral("ladebeiwert"), Qt::CaseInsensitive));
        EXPECT_TRUE(treffer[i].Auszug.contains(QStringLiteral("Ladebeiwert"), Qt::CaseInsensitive));
        if (i > 0) {
            EXPECT_GE(treffer[i - 1].Anzahl, treffer[i].Anzahl);
        }
    }
    // Excerpts are whole words of the page around the first hit.
    for (const HilfeTreffer& t : treffer) {
        QString kern = t.Auszug;
        if (kern.startsWith(QString::fromUtf8("… ")))
            kern.remove(0, 2);
        if (kern.endsWith(QString::fromUtf8(" …")))
            kern.chop(2);
        const QString text = Klartext(HilfeDatei::Anwendung, t.Datei).simplified();
        const qsizetype stelle = text.indexOf(kern);
        ASSERT_GE(stelle, 0) << t.Datei.toStdString();
        EXPECT_TRUE(stelle == 0 || text.at(stelle - 1) == QLatin1Char(' '))
            << t.Auszug.toStdString();
        const qsizetype ende = stelle + kern.size();
        EXPECT_TRUE(ende == text.size() || text.at(ende) == QLatin1Char(' '))
            << t.Auszug.toStdString();
        EXPECT_EQ(t.Auszug.startsWith(QString::fromUtf8("… ")), stelle > 0);
    }
    const auto berechnung = std::find_if(treffer.begin(), treffer.end(), [](const HilfeTreffer& t) {
        return t.Datei == QLatin1String("berechnung.html");
    });
    EXPECT_EQ(berechnung->Titel, QStringLiteral("So rechnet Tropfwerk 2003"));

    // Pages without the word are not listed.
    for (const QString& seite : Seiten(HilfeDatei::Anwendung)) {
        if (!Klartext(HilfeDatei::Anwendung, seite)
                 .contains(QStringLiteral("Ladebeiwert"), Qt::CaseInsensitive)) {
            EXPECT_FALSE(Enthaelt(Dateien(treffer), seite.toLatin1().constData()))
                << seite.toStdString();
        }
    }
}

TEST(HilfeSuche, AllWordsMustOccurIgnoringCase)
{
    const auto beide = Dateien(
        DurchsucheHilfe(HilfeDatei::Anwendung, QStringLiteral("  gartenmonate   DECKUNGSRATE ")));
    const auto garten =
        Dateien(DurchsucheHilfe(HilfeDatei::Anwendung, QStringLiteral("Gartenmonate")));
    EXPECT_TRUE(Enthaelt(beide, "simulation.html"));
    for (const QString& d : beide)
        EXPECT_TRUE(Enthaelt(garten, d.toLatin1().constData())) << d.toStdString();
    // The calculation page explains the coverage rate but not the garden months.
    const QString berechnung = Klartext(HilfeDatei::Anwendung, QStringLiteral("berechnung.html"));
    ASSERT_TRUE(berechnung.contains(QStringLiteral("Deckungsrate")));
    ASSERT_FALSE(berechnung.contains(QStringLiteral("Gartenmonate")));
    EXPECT_FALSE(Enthaelt(beide, "berechnung.html"));

    EXPECT_EQ(Dateien(DurchsucheHilfe(HilfeDatei::Anwendung, QString::fromUtf8("füllstand"))),
              Dateien(DurchsucheHilfe(HilfeDatei::Anwendung, QString::fromUtf8("FÜLLSTAND"))));
    EXPECT_TRUE(
        Enthaelt(Dateien(DurchsucheHilfe(HilfeDatei::Anwendung, QString::fromUtf8("Füllstand"))),
                 "simulation.html"));
    EXPECT_TRUE(DurchsucheHilfe(HilfeDatei::Anwendung, QStringLiteral("   ")).empty());
    EXPECT_TRUE(DurchsucheHilfe(HilfeDatei::Anwendung, QStringLiteral("Xylophon")).empty());
}

TEST(HilfeSuche, SearchesOnlyItsOwnHelpFile)
{
    const auto info = Dateien(DurchsucheHilfe(HilfeDatei::Information, QStringLiteral("Zisterne")));
    EXPECT_TRUE(Enthaelt(info, "anlage.html"));
    EXPECT_FALSE(Enthaelt(info, "simulation.html"));
    const auto anwendung =
        Dateien(DurchsucheHilfe(HilfeDatei::Anwendung, QStringLiteral("Zisterne")));
    EXPECT_FALSE(Enthaelt(anwendung, "anlage.html"));
}

TEST(HilfeFenster, SearchShowsAResultPageWhoseLinksWork)
{
    THilfeFenster fenster(HilfeDatei::Anwendung);
    fenster.ZeigeKontext(HilfeKontext::Auswertung);
    auto* feld = FindeKind<QLineEdit>(&fenster, "edSuche");
    ASSERT_NE(feld, nullptr);
    feld->setText(QStringLiteral("Deckungsrate"));
    QTest::mouseClick(FindeKind<QPushButton>(&fenster, "btnSuchen"), Qt::LeftButton);

    QTextBrowser* browser = fenster.Browser();
    EXPECT_EQ(browser->documentTitle(), QStringLiteral("Suchergebnis"));
    const QString html =
        browser->loadResource(QTextDocument::HtmlResource, browser->source()).toString();
    EXPECT_EQ(DefekteVerweise(browser->source(), html), QStringList());
    for (const HilfeTreffer& t :
         DurchsucheHilfe(HilfeDatei::Anwendung, QStringLiteral("Deckungsrate"))) {
        EXPECT_TRUE(html.contains(QStringLiteral("href=\"%1\"").arg(t.Datei)))
            << t.Datei.toStdString();
        EXPECT_TRUE(browser->toPlainText().contains(t.Titel)) << t.Titel.toStdString();
    }
    EXPECT_TRUE(browser->toPlainText().contains(QString::fromUtf8("Seiten zu „Deckungsrate“")));
    EXPECT_TRUE(html.contains(QStringLiteral("<b>Deckungsrate</b>"))); // hits in bold

    // A result opens its page; back returns to the results, and once more to the page before.
    emit browser->anchorClicked(
        browser->source().resolved(QUrl(QStringLiteral("berechnung.html"))));
    EXPECT_EQ(Dateiname(browser), QStringLiteral("berechnung.html"));
    QTest::mouseClick(FindeKind<QPushButton>(&fenster, "btnZurueck"), Qt::LeftButton);
    EXPECT_EQ(browser->documentTitle(), QStringLiteral("Suchergebnis"));
    QTest::mouseClick(FindeKind<QPushButton>(&fenster, "btnZurueck"), Qt::LeftButton);
    EXPECT_EQ(browser->documentTitle(), QStringLiteral("Die Auswertung"));
}

TEST(HilfeFenster, ReturnInTheSearchFieldSearches)
{
    THilfeFenster fenster(HilfeDatei::Information);
    fenster.setAttribute(Qt::WA_DeleteOnClose, false);
    fenster.ZeigeKontext(10);
    fenster.show();
    auto* feld = FindeKind<QLineEdit>(&fenster, "edSuche");
    feld->setText(QStringLiteral("Nachspeisung"));
    QTest::keyClick(feld, Qt::Key_Return);
    EXPECT_EQ(fenster.Browser()->documentTitle(), QStringLiteral("Suchergebnis"));
    EXPECT_TRUE(fenster.Browser()->toPlainText().contains(
        QStringLiteral("So arbeitet eine Regenwassernutzungsanlage")));
    EXPECT_TRUE(fenster.isVisible()); // Return searches, it does not press a button of the dialog
}

TEST(HilfeFenster, NoHitAndOddCharactersAreShownAsTyped)
{
    THilfeFenster fenster(HilfeDatei::Anwendung);
    fenster.Suche(QStringLiteral("Xylophon"));
    EXPECT_TRUE(fenster.Browser()->toPlainText().contains(
        QString::fromUtf8("Keine Seite enthält „Xylophon“.")));

    const QString seltsam = QStringLiteral("Regen & <b>Wasser</b> #1 + 50%");
    fenster.Suche(seltsam);
    EXPECT_EQ(FindeKind<QLineEdit>(&fenster, "edSuche")->text(), seltsam);
    EXPECT_TRUE(fenster.Browser()->toPlainText().contains(QString::fromUtf8("„") + seltsam +
                                                          QString::fromUtf8("“")));

    fenster.Suche(QString());
    EXPECT_TRUE(fenster.Browser()->toPlainText().contains(
        QStringLiteral("Geben Sie oben einen Suchbegriff ein")));
}

TEST(HilfeFenster, ContentsAndIndexButtons)
{
    for (HilfeDatei datei : {HilfeDatei::Anwendung, HilfeDatei::Information}) {
        THilfeFenster fenster(datei);
        fenster.ZeigeKontext(10);
        QTest::mouseClick(FindeKind<QPushButton>(&fenster, "btnIndex"), Qt::LeftButton);
        EXPECT_EQ(Dateiname(fenster.Browser()), QStringLiteral("index.html"));
        EXPECT_EQ(fenster.Browser()->documentTitle(), QStringLiteral("Stichwortverzeichnis"));
        QTest::mouseClick(FindeKind<QPushButton>(&fenster, "btnInhalt"), Qt::LeftButton);
        EXPECT_EQ(Dateiname(fenster.Browser()), QStringLiteral("0.html"));
        EXPECT_TRUE(FindeKind<QPushButton>(&fenster, "btnZurueck")->isEnabled());
    }
}

TEST(HilfeFenster, LinksInsideStayOutsideGoToTheBrowser)
{
    AdressRekorder adressen;
    THilfeFenster fenster(HilfeDatei::Anwendung);
    fenster.ZeigeKontext(HilfeKontext::Hauptfenster);
    QTextBrowser* browser = fenster.Browser();

    emit browser->anchorClicked(QUrl(QStringLiteral("http://www.tropfwerk.example.org")));
    emit browser->anchorClicked(QUrl(QStringLiteral("mailto:info@tropfwerk.example.org")));
    EXPECT_EQ(adressen.Adressen,
              (std::vector<QString>{QStringLiteral("http://www.tropfwerk.example.org"),
                                    QStringLiteral("mailto:info@tropfwerk.example.org")}));
    EXPECT_EQ(Dateiname(browser), QStringLiteral("10.html"));

    emit browser->anchorClicked(
        browser->source().resolved(QUrl(QStringLiteral("berechnung.html#speicher"))));
    EXPECT_EQ(Dateiname(browser), QStringLiteral("berechnung.html"));
    EXPECT_EQ(browser->source().fragment(), QStringLiteral("speicher"));
    EXPECT_EQ(adressen.Adressen.size(), 2u);
}

TEST(HilfeFenster, TheStandardHelpOpensOneWindowPerHelpFile)
{
    SetzeHilfeFunktion({});
    auto offene = [] {
        std::vector<THilfeFenster*> fenster;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* h = qobject_cast<THilfeFenster*>(w); h && h->isVisible())
                fenster.push_back(h);
        }
        return fenster;
    };
    OeffneHilfe(HilfeDatei::Information, 10);
    OeffneHilfe(HilfeDatei::Anwendung, HilfeKontext::Experte);
    OeffneHilfe(HilfeDatei::Anwendung, HilfeKontext::Auswertung);
    const std::vector<THilfeFenster*> fenster = offene();
    ASSERT_EQ(fenster.size(), 2u);
    for (THilfeFenster* f : fenster) {
        if (f->Datei() == HilfeDatei::Information) {
            EXPECT_EQ(f->windowTitle(), QStringLiteral("Tropfwerk 2003 Informationen"));
            EXPECT_EQ(f->Browser()->documentTitle(), QStringLiteral("Regenwasser nutzen"));
        } else {
            EXPECT_EQ(f->windowTitle(), QStringLiteral("Tropfwerk 2003 Hilfe"));
            EXPECT_EQ(f->Browser()->documentTitle(), QStringLiteral("Die Auswertung"));
        }
        f->close(); // deletes itself
    }
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(offene().empty());
}
