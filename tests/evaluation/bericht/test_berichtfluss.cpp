// The user's flow of the report: "Output Options" to a file, the printer or the preview, the
// status texts, cancelling, and printer and file errors reported without losing anything. The
// program's German translation is loaded, so the windows speak German.
#include "../../support/modal.h"
#include "../../support/rekorder.h"
#include "../berichtkern/pdftext.h"
#include "evaluation/bericht/auswertungsbericht.h"
#include "evaluation/bericht/berichtablauf.h"
#include "evaluation/bericht/berichtfenster.h"
#include "evaluation/wirtschaftlichkeit.h"
#include "model/berechnung.h"
#include "refdata/produkte.h"
#include "ui/berechnungsdateien.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Answers "Output Options": destination, copies and page range (von 0: all pages).
ModalAntwort Optionen(const char* ziel, int kopien = 1, int von = 0, int bis = 0)
{
    return [=](QWidget* w) {
        ASSERT_EQ(w->windowTitle(), QStringLiteral("Ausgabeoptionen"));
        FindeKind<QRadioButton>(w, ziel)->setChecked(true);
        if (kopien > 1)
            FindeKind<QSpinBox>(w, "sbKopien")->setValue(kopien);
        if (von > 0) {
            FindeKind<QRadioButton>(w, "rbSeiten")->setChecked(true);
            FindeKind<QSpinBox>(w, "sbVon")->setValue(von);
            FindeKind<QSpinBox>(w, "sbBis")->setValue(bis);
        }
        FindeKind<QPushButton>(w, "btnOK")->click();
    };
}

class BerichtFluss : public ::testing::Test {
protected:
    BerichtFluss()
    {
        InitParameterSatz(satz);
        satz.Flaechen = {{100, 0.9L}};
        satz.WGrad = 0.9L;
        satz.PersWCSpar = 4;
        BerechneAlles(satz);
        QObject::connect(&bericht.Maschine, &TBerichtMaschine::Status,
                         [this](const QString& text) { status.push_back(text); });
        m_altDatei = SetzePdfDateiFunktion([this](QWidget* eltern, const QString& vorschlag) {
            EXPECT_EQ(eltern, &fenster);
            vorschlag_ = vorschlag;
            return dateiAntwort;
        });
    }
    ~BerichtFluss() override
    {
        SetzePdfDateiFunktion(m_altDatei);
        SetzeDruckerFunktion({});
    }

    // Five areas: two pages.
    void ZweiSeiten()
    {
        for (int i = 2; i <= 5; ++i)
            satz.Flaechen.push_back({100.0L + i, 0.5L});
    }

    TParameterSatz satz;
    std::unique_ptr<TTabelle> mtProd = ErzeugeProduktTabelle();
    TAuswertungsBericht bericht;
    QWidget fenster;
    QTemporaryDir ordner;
    std::vector<QString> status;
    QString dateiAntwort;
    QString vorschlag_;

private:
    PdfDateiFunktion m_altDatei;
};

TEST_F(BerichtFluss, WritesTheChosenFileWithStatusTexts)
{
    dateiAntwort = ordner.filePath(QStringLiteral("auswertung.pdf"));
    ModalFolge folge({Optionen("rbDatei")});
    EXPECT_TRUE(DruckeAuswertung(&fenster, bericht, satz, *mtProd));
    // In the folder of the user's files, never in the program's.
    EXPECT_EQ(vorschlag_, QDir(Dateiordner()).filePath(QStringLiteral("Auswertung.pdf")));
    EXPECT_EQ(status, (std::vector<QString>{QStringLiteral("Seite 1 wird erzeugt"),
                                            QStringLiteral("Seite 1 wird gedruckt")}));
    const auto texte = LiesPdfText(dateiAntwort);
    EXPECT_EQ(PdfSeiten(texte), 1);
    EXPECT_TRUE(std::any_of(texte.begin(), texte.end(),
                            [](const TPdfText& t) { return t.Text == QStringLiteral("90 %"); }));
}

TEST_F(BerichtFluss, CancellingOptionsOrFileDialogPrintsNothing)
{
    {
        ModalFolge folge({Ablehnen()});
        EXPECT_FALSE(DruckeAuswertung(&fenster, bericht, satz, *mtProd));
    }
    {
        ModalFolge folge({Optionen("rbDatei")});
        EXPECT_FALSE(DruckeAuswertung(&fenster, bericht, satz, *mtProd)); // empty path: cancelled
        EXPECT_FALSE(vorschlag_.isEmpty());
    }
    // The data sources were never opened.
    EXPECT_TRUE(status.empty());
    EXPECT_EQ(bericht.mtDach.GesamtAnzahl(), 0);
}

TEST_F(BerichtFluss, ReportsFileErrorsAndPrintsAgainAfterwards)
{
    ZweiSeiten();
    struct TFall {
        QString pfad;
        int von, bis;
        const char* meldung;
    };
    const TFall faelle[] = {
        {ordner.filePath(QStringLiteral("fehlt/auswertung.pdf")), 0, 0,
         "konnte nicht geschrieben werden"},
        {ordner.filePath(QStringLiteral("leer.pdf")), 3, 4, "ab Seite 3 gibt es nichts zu drucken"},
    };
    for (const TFall& f : faelle) {
        SCOPED_TRACE(f.meldung);
        MeldungsRekorder meldungen;
        dateiAntwort = f.pfad;
        ModalFolge folge({Optionen("rbDatei", 1, f.von, f.bis)});
        EXPECT_FALSE(DruckeAuswertung(&fenster, bericht, satz, *mtProd));
        ASSERT_EQ(meldungen.Meldungen.size(), 1u);
        EXPECT_EQ(meldungen.Meldungen[0].Titel, QStringLiteral("Berichtsstatus"));
        EXPECT_EQ(meldungen.Meldungen[0].Besitzer, &fenster);
        EXPECT_EQ(meldungen.Meldungen[0].Symbol, QMessageBox::Critical);
        EXPECT_TRUE(meldungen.Meldungen[0].Text.contains(QString::fromUtf8(f.meldung)))
            << meldungen.Meldungen[0].Text.toStdString();
        EXPECT_FALSE(QFile::exists(f.pfad));
    }
    dateiAntwort = ordner.filePath(QStringLiteral("seite2.pdf"));
    ModalFolge folge({Optionen("rbDatei", 1, 2, 5)});
    EXPECT_TRUE(DruckeAuswertung(&fenster, bericht, satz, *mtProd));
    const auto texte = LiesPdfText(dateiAntwort);
    EXPECT_EQ(PdfSeiten(texte), 1);
    EXPECT_TRUE(std::any_of(texte.begin(), texte.end(),
                            [](const TPdfText& t) { return t.Text == QStringLiteral("105 m²"); }));
}

TEST_F(BerichtFluss, PrintsTheChosenPagesAndCopiesAndReportsAFailingPrinter)
{
    ZweiSeiten();
    const QString pfad = ordner.filePath(QStringLiteral("drucker.pdf"));
    SetzeDruckerFunktion([&](QWidget* eltern, QPrinter& drucker) {
        EXPECT_EQ(eltern, &fenster);
        EXPECT_EQ(drucker.docName(), QStringLiteral("ReportPrinter Report"));
        EXPECT_EQ(drucker.pageLayout().pageSize().id(), QPageSize::Letter);
        EXPECT_EQ(drucker.copyCount(), 2);
        EXPECT_EQ(drucker.fromPage(), 2);
        EXPECT_EQ(drucker.toPage(), 2);
        drucker.setOutputFileName(pfad);
        return true;
    });
    ModalFolge folge({Optionen("rbDrucker", 2, 2, 2)});
    EXPECT_TRUE(DruckeAuswertung(&fenster, bericht, satz, *mtProd));

    // A PDF printer does not make copies itself: both are printed.
    EXPECT_EQ(status, (std::vector<QString>{QStringLiteral("Seite 1 wird erzeugt"),
                                            QStringLiteral("Seite 2 wird erzeugt"),
                                            QStringLiteral("Seite 2 wird gedruckt"),
                                            QStringLiteral("Seite 2 wird gedruckt")}));
    const auto texte = LiesPdfText(pfad);
    EXPECT_EQ(PdfSeiten(texte), 2);
    for (int seite : {1, 2})
        EXPECT_EQ(TexteIn(texte, seite, 4.5, 3.18, 5.7, 3.22).at(0).Text, QStringLiteral("104 m²"));

    // A failing printer is reported.
    MeldungsRekorder meldungen;
    SetzeDruckerFunktion([&](QWidget*, QPrinter& drucker) {
        drucker.setOutputFileName(ordner.filePath(QStringLiteral("fehlt/drucker.pdf")));
        return true;
    });
    ModalFolge nochmal({Optionen("rbDrucker")});
    EXPECT_FALSE(DruckeAuswertung(&fenster, bericht, satz, *mtProd));
    ASSERT_EQ(meldungen.Meldungen.size(), 1u);
    EXPECT_TRUE(
        meldungen.Meldungen[0].Text.startsWith(QStringLiteral("Der Bericht konnte nicht auf")));
    EXPECT_EQ(meldungen.Meldungen[0].Titel, QStringLiteral("Berichtsstatus"));
}

TEST_F(BerichtFluss, PreviewShowsThePagesAtFullSizeAndPrintsThem)
{
    ZweiSeiten();
    const QString pfad = ordner.filePath(QStringLiteral("vorschau.pdf"));
    QWidget* druckEltern = nullptr;
    SetzeDruckerFunktion([&](QWidget* eltern, QPrinter& drucker) {
        druckEltern = eltern;
        drucker.setOutputFileName(pfad);
        return true;
    });
    QString seiten;
    ModalFolge folge({Optionen("rbVorschau"), [&](QWidget* w) {
                          ASSERT_EQ(w->windowTitle(), QStringLiteral("Berichtsvorschau"));
                          auto* vorschau = static_cast<TfrmBerichtVorschau*>(w);
                          auto* seite = vorschau->pSeite;
                          EXPECT_EQ(seite->width(), qRound(8.5 * seite->logicalDpiX()));
                          EXPECT_EQ(seite->height(), qRound(11.0 * seite->logicalDpiY()));
                          seiten = vorschau->lSeite->text();
                          vorschau->btnNaechsteSeite->click();
                          seiten += u'|' + vorschau->lSeite->text();
                          EXPECT_FALSE(vorschau->btnNaechsteSeite->isEnabled());
                          // Page 2 is painted: its headings and rows, dark on white.
                          const QImage bild = seite->grab().toImage();
                          int dunkel = 0;
                          for (int y = 0; y < bild.height(); y += 2)
                              for (int x = 0; x < bild.width(); x += 2)
                                  dunkel += qGray(bild.pixel(x, y)) < 128;
                          EXPECT_GT(dunkel, 100);
                          EXPECT_EQ(bild.pixelColor(5, 5), QColor(Qt::white));
                          vorschau->btnDrucken->click();
                          EXPECT_EQ(druckEltern, vorschau);
                          vorschau->btnSchliessen->click();
                      }});
    EXPECT_TRUE(DruckeAuswertung(&fenster, bericht, satz, *mtProd));
    EXPECT_EQ(folge.Beantwortet(), 2);
    EXPECT_EQ(seiten, QStringLiteral("Seite 1 von 2|Seite 2 von 2"));
    // Printed from the preview without laying the report out again.
    EXPECT_EQ(PdfSeiten(LiesPdfText(pfad)), 2);
    EXPECT_EQ(std::count(status.begin(), status.end(), QStringLiteral("Seite 1 wird erzeugt")), 1);
}

} // namespace

TEST_F(BerichtFluss, OffersTheEconomicsPageCheckedAndLeavesItOutWhenUnchecked)
{
    TWirtschaftlichkeitsDaten daten;
    daten.Ergebnis.Kurve = {{0, 0.3, 0.7}, {1, 0.7, 0.4}, {2, 0.8, 0.3}};
    daten.Volumen = satz.Volumen;
    dateiAntwort = ordner.filePath(QStringLiteral("auswertung.pdf"));
    // Offered and checked with the figures; without them not offered.
    for (const int wahl : {1, 0, -1}) {
        SCOPED_TRACE(wahl);
        ModalFolge folge({[wahl](QWidget* w) {
            auto* anhang = FindeKind<QCheckBox>(w, "cbAnhang");
            EXPECT_EQ(anhang->isVisibleTo(w), wahl >= 0);
            EXPECT_TRUE(anhang->isChecked());
            if (wahl >= 0) {
                EXPECT_EQ(anhang->text(), QString::fromUtf8("Seite „Wirtschaftlichkeit“ anfügen"));
            }
            anhang->setChecked(wahl != 0);
            FindeKind<QRadioButton>(w, "rbDatei")->setChecked(true);
            FindeKind<QPushButton>(w, "btnOK")->click();
        }});
        EXPECT_TRUE(
            DruckeAuswertung(&fenster, bericht, satz, *mtProd, wahl >= 0 ? &daten : nullptr));
        EXPECT_EQ(PdfSeiten(LiesPdfText(dateiAntwort)), wahl > 0 ? 2 : 1);
    }
}
