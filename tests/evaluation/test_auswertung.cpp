// Evaluation window through its controls: pages, results, recommendations, sliders, reset,
// editing, the product detail window, the economics page and help.
#include "../support/beispiel.h"
#include "../support/kleinetabellen.h"
#include "../support/modal.h"
#include "../support/rekorder.h"
#include "app/hauptfenster.h"
#include "app/verdrahtung.h"
#include "berichtkern/pdftext.h"
#include "evaluation/auswertung.h"
#include "evaluation/bericht/berichtablauf.h"
#include "evaluation/deckungsdiagramm.h"
#include "evaluation/detailempf.h"
#include "evaluation/wirtschaftlichkeit.h"
#include "evaluation/wirtschaftlichkeitsfenster.h"
#include "evaluation/wirtschaftlichkeitsseite.h"
#include "input/expert.h"
#include "model/berechnung.h"
#include "model/berechnungsdatei.h"
#include "model/plattform.h"
#include "model/zahlenformat.h"
#include "refdata/plzkonverter.h"
#include "refdata/produkte.h"
#include "refdata/tabellenmodell.h"
#include "simulation/fenster/fuellstandseite.h"
#include "ui/berechnungsdateien.h"
#include "ui/bilder.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

namespace {
struct TErgebnisse {
    QString Bedarf, Ertrag, Volumen, Rate;
    bool operator==(const TErgebnisse&) const = default;
};

TErgebnisse Detail(const TfrmAuswertung& f)
{
    return {f.lBedarf->text(), f.lErtrag->text(), f.lVolumen->text(), f.lRate->text()};
}

TErgebnisse Erwartet(TParameterSatz satz)
{
    BerechneAllesOhneAbbruch(satz);
    return {zahl::Fest(satz.Bedarf, 2, 6), zahl::Fest(satz.Ertrag, 2, 6),
            zahl::Fest(satz.Volumen, 2, 6), zahl::Fest(satz.Rate, 2, 6)};
}

QByteArray Bitmap(Qt::GlobalColor farbe)
{
    QImage bild(20, 10, QImage::Format_RGB32);
    bild.fill(farbe);
    QByteArray bytes;
    QBuffer puffer(&bytes);
    puffer.open(QIODevice::WriteOnly);
    bild.save(&puffer, "BMP");
    return bytes;
}

// Replaces the loaded catalogue by products of the given volumes (ID i+1, "Produkt i+1").
void SetzeProdukte(TTabelle& mtProd,
                   const std::vector<std::pair<long double, QByteArray>>& produkte)
{
    mtProd.Leeren();
    qint64 id = 0;
    for (const auto& [volumen, bild] : produkte) {
        ++id;
        mtProd.ZeileAnhaengen({id, QStringLiteral("Hersteller %1").arg(id),
                               QStringLiteral("Produkt %1").arg(id), volumen, 899.0L,
                               QStringLiteral("Beschreibung %1").arg(id),
                               QStringLiteral("www.example.org/p%1").arg(id),
                               QStringLiteral("Adresse %1").arg(id), bild});
    }
    mtProd.Sortiere(u"Volumen");
}

std::vector<QString> SichtbareVolumen(const TTabelle& mtProd)
{
    std::vector<QString> werte;
    for (int i = 0; i < mtProd.Anzahl(); ++i)
        werte.push_back(mtProd.Anzeigetext(i, u"Volumen"));
    return werte;
}

class Auswertung : public ::testing::Test {
protected:
    // Prepares the window as Execute does, on the given page, and shows it.
    void Oeffne(const TParameterSatz& satz, int seite = TfrmAuswertung::DetailSeite)
    {
        fenster.reset(ErzeugeAuswertung(nullptr, PLZConverterOderErsatz()));
        fenster->Datenordner = QStringLiteral(TW_DATENORDNER);
        fenster->SetParameterSatz(satz);
        fenster->Vorbereiten(seite);
        fenster->show();
    }

    MeldungsRekorder meldungen;
    std::unique_ptr<TfrmAuswertung> fenster;
};
} // namespace

TEST_F(Auswertung, OpensOnTheDetailedPageWithItsResults)
{
    Oeffne(Beispiel());
    EXPECT_TRUE(fenster->btnAInfo->isChecked());
    EXPECT_FALSE(fenster->btnKInfo->isChecked());
    EXPECT_FALSE(fenster->btnSimu->isChecked());
    EXPECT_EQ(fenster->pcAuswertung->currentWidget(), fenster->tsAInfo);
    EXPECT_EQ(fenster->lCaption->text(), QStringLiteral("ausführliche Auswertung"));
    EXPECT_EQ(fenster->iThema->pixmap().toImage(), LadeBild(QStringLiteral("AAUSWERT")).toImage());
    EXPECT_EQ(Detail(*fenster), (TErgebnisse{"52,80", "57,92", "3,17", "109,69"}));
    EXPECT_EQ(fenster->windowTitle(), QStringLiteral("Auswertung"));
    EXPECT_EQ(fenster->size(), QSize(532, 516));
}

TEST_F(Auswertung, PageButtonsSwitchPagesAndExactlyOneIsDown)
{
    Oeffne(Beispiel());
    QTest::mouseClick(fenster->btnKInfo, Qt::LeftButton);
    EXPECT_EQ(fenster->pcAuswertung->currentIndex(), 0);
    EXPECT_EQ(fenster->lCaption->text(), QStringLiteral("Kompakt-Auswertung"));
    QTest::mouseClick(fenster->btnKInfo, Qt::LeftButton); // pressing the down one keeps it down
    EXPECT_TRUE(fenster->btnKInfo->isChecked());
    EXPECT_FALSE(fenster->btnAInfo->isChecked());
    QTest::mouseClick(fenster->btnSimu, Qt::LeftButton);
    EXPECT_EQ(fenster->pcAuswertung->currentIndex(), 2);
    EXPECT_EQ(fenster->lCaption->text(), QStringLiteral("Füllstand-Simulation"));
    EXPECT_FALSE(fenster->btnKInfo->isChecked());
}

TEST_F(Auswertung, CompactPageShowsResultsAndTheRecommendedProducts)
{
    Oeffne(Beispiel(), TfrmAuswertung::KompaktSeite);
    EXPECT_EQ(fenster->lEBedarf->text(), QStringLiteral("52,80"));
    EXPECT_EQ(fenster->lEErtrag->text(), QStringLiteral("57,92"));
    EXPECT_EQ(fenster->lEVolumen->text(), QStringLiteral("3,17"));
    EXPECT_EQ(fenster->lERate->text(), QStringLiteral("109,69"));
    EXPECT_TRUE(fenster->lERate->toolTip().startsWith(QStringLiteral("Deckungsrate:")));
    EXPECT_TRUE(fenster->lERate->toolTip().contains(QStringLiteral("Regenwasseranteil")));

    // The shipped catalogue, filtered around 3,168 m³ (2,67 to 3,67), smallest first.
    const TTabelle& mtProd = fenster->Produkte();
    ASSERT_GT(mtProd.Anzahl(), 0);
    long double vorher = 0;
    for (int i = 0; i < mtProd.Anzahl(); ++i) {
        const long double v = AlsZahl(mtProd.Wert(i, u"Volumen"));
        EXPECT_GE(v, 2.67L);
        EXPECT_LE(v, 3.67L);
        EXPECT_GE(v, vorher);
        vorher = v;
    }
    EXPECT_EQ(fenster->dbProd->model()->rowCount(), mtProd.Anzahl());
    EXPECT_TRUE(fenster->dbProd->model()->index(0, 3).data().toString().endsWith(" EUR"));
}

TEST_F(Auswertung, RecommendationWindowAroundTheVolume)
{
    TParameterSatz satz = Beispiel();
    satz.PersWCSpar = 1;
    satz.PersWCSparV = 21.9L;
    satz.PersWasch = 0;
    satz.LadeBeiwert = 0.2L; // V = 4,38
    Oeffne(satz);
    SetzeProdukte(fenster->Produkte(), {{4.9L, {}},
                                        {3.8L, {}},
                                        {4.88L, {}},
                                        {3.9L, {}},
                                        {4.5L, {}},
                                        {4.5L, {}},
                                        {3.88L, {}},
                                        {4.8L, {}}});
    QTest::mouseClick(fenster->btnKInfo, Qt::LeftButton);
    EXPECT_EQ(fenster->lEVolumen->text(), QStringLiteral("4,38"));
    EXPECT_EQ(SichtbareVolumen(fenster->Produkte()),
              (std::vector<QString>{"3,9 m³", "3,9 m³", "4,5 m³", "4,5 m³", "4,8 m³", "4,9 m³"}));
    EXPECT_EQ(fenster->dbProd->model()->index(2, 3).data().toString(),
              QStringLiteral("899,00 EUR"));

    // A slider move does not filter; the recommendation button does, with the new volume.
    QTest::mouseClick(fenster->btnAInfo, Qt::LeftButton);
    fenster->tbPersWCSpar->setValue(0);
    EXPECT_EQ(fenster->Produkte().Anzahl(), 6);
    ModalFolge antwort({Ablehnen()});
    QTest::mouseClick(fenster->btnDetailEmpf, Qt::LeftButton);
    EXPECT_EQ(antwort.Beantwortet(), 1);
    EXPECT_EQ(fenster->Produkte().Anzahl(), 0); // V = 0: -0,50 to 0,50
}

TEST_F(Auswertung, SliderRangesFollowTheValue)
{
    struct TFall {
        long double Wert;
        int Maximum;
        int Position;
        const char* MaxText;
        const char* WertText;
    };
    for (const TFall& f : {TFall{4, 100, 40, "10", "4,0"}, TFall{10, 150, 100, "15", "10,0"},
                           TFall{12, 180, 120, "18", "12,0"}, TFall{12.3L, 184, 123, "18", "12,3"},
                           TFall{0, 100, 0, "10", "0,0"}, TFall{0.1L, 100, 1, "10", "0,1"},
                           TFall{0.15L, 100, 1, "10", "0,2"}}) {
        SCOPED_TRACE(static_cast<double>(f.Wert));
        TParameterSatz satz = Beispiel();
        satz.PersWCNorm = f.Wert;
        Oeffne(satz);
        EXPECT_EQ(fenster->tbPersWCNorm->maximum(), f.Maximum);
        EXPECT_EQ(fenster->tbPersWCNorm->tickInterval(), f.Maximum / 10);
        EXPECT_EQ(fenster->tbPersWCNorm->value(), f.Position);
        EXPECT_EQ(fenster->lmaxPersNormWC->text(), QString::fromLatin1(f.MaxText));
        EXPECT_EQ(fenster->lPersWCNorm->text(), QString::fromLatin1(f.WertText));
        // Setting the slider leaves the count as it was, between tenths too.
        EXPECT_EQ(fenster->Arbeitskopie().PersWCNorm, f.Wert);
    }
    for (const TFall& f : {TFall{80, 1000, 800, "100", ""}, TFall{100, 2000, 1000, "200", ""},
                           TFall{250, 5000, 2500, "500", ""}}) {
        SCOPED_TRACE(static_cast<double>(f.Wert));
        TParameterSatz satz = Beispiel();
        satz.Flaechen[0].Flaeche = f.Wert;
        Oeffne(satz);
        EXPECT_EQ(fenster->tbFlaeche->maximum(), f.Maximum);
        EXPECT_EQ(fenster->tbFlaeche->value(), f.Position);
        EXPECT_EQ(fenster->lmaxFlaeche->text(), QString::fromLatin1(f.MaxText));
    }
}

TEST_F(Auswertung, AreaBetweenTenthsStaysUntilItsSliderMoves)
{
    TParameterSatz satz = Beispiel();
    satz.Flaechen[0].Flaeche = 12.37L;
    Oeffne(satz);
    EXPECT_EQ(fenster->tbFlaeche->value(), 123);
    EXPECT_EQ(fenster->Arbeitskopie().Flaechen[0].Flaeche, 12.37L);
    EXPECT_EQ(fenster->sgFlaeche->item(0, 0)->text(), QStringLiteral("12,37"));
    EXPECT_EQ(fenster->sgFlaeche->item(0, 1)->text(), QStringLiteral("0,90"));
    EXPECT_EQ(Detail(*fenster), Erwartet(satz));
    fenster->tbFlaeche->setValue(124);
    EXPECT_EQ(fenster->Arbeitskopie().Flaechen[0].Flaeche, 12.4L);
}

// Opening a file and saving it at once writes the same file, line by line (one field a line):
// an area between tenths, a station's curve and the results as the file had them.
TEST_F(Auswertung, OpeningAndSavingKeepsTheFile)
{
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("Haus 2.OG.tropfwerk"));
    TParameterSatz satz = Beispiel();
    satz.Flaechen[0].Flaeche = 123.45L;
    satz.PersWCNorm = 2.25L;
    TPLZConverter(QStringLiteral(TW_DATENORDNER))
        .GetNiederschlagPLZ(QStringLiteral("14195"), satz.Niederschlag);
    satz.PLZ = QStringLiteral("14195");
    satz.Kosten = TKosten{3.45L, 0.3L, 60, 1800, 12.5L};
    BerechneAlles(satz);
    SpeichereBerechnung(pfad, satz);
    QFile datei(pfad);
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
    const QByteArray vorher = datei.readAll();
    datei.close();

    Oeffne(LadeBerechnung(pfad));
    fenster->SetDatei(pfad);
    // The money inputs are the file's, whatever this account remembers.
    EXPECT_EQ(fenster->WirtschaftlichkeitsSeite->Kosten(), *satz.Kosten);
    EXPECT_EQ(fenster->WirtschaftlichkeitsSeite->edWasserpreis->text(), QStringLiteral("3,45"));
    QString vorgeschlagen;
    const auto alt = SetzeBerechnungsDialog([&](QWidget*, bool, const QString& vorschlag) {
        vorgeschlagen = vorschlag;
        return vorschlag;
    });
    QTest::mouseClick(fenster->btnSpeichern, Qt::LeftButton);
    SetzeBerechnungsDialog(alt);
    EXPECT_EQ(vorgeschlagen, pfad);
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
    const QList<QByteArray> zeilen = datei.readAll().split('\n');
    const QList<QByteArray> erwartet = vorher.split('\n');
    ASSERT_EQ(zeilen.size(), erwartet.size());
    for (qsizetype i = 0; i < zeilen.size(); ++i)
        EXPECT_EQ(zeilen[i].toStdString(), erwartet[i].toStdString());
    EXPECT_TRUE(vorher.contains("\"Flaeche\": 123.45,")) << vorher.toStdString();
    EXPECT_TRUE(vorher.contains("\"wirtschaftlichkeit\": {\"Wasserpreis\": 3.45, \"Pumpenstrom\": "
                                "0.3, \"Wartung\": 60, \"Einbau\": 1800, \"Gebuehr\": 12.5}"))
        << vorher.toStdString();
    EXPECT_FALSE(vorher.contains("000000")) << vorher.toStdString();
}

TEST_F(Auswertung, EverySliderStepRecalculates)
{
    TParameterSatz satz = Beispiel();
    satz.Flaechen.push_back({40, 0.5L});
    Oeffne(satz);
    fenster->tbPersWCSpar->setValue(0);
    EXPECT_EQ(fenster->lPersWCSpar->text(), QStringLiteral("0,0"));
    EXPECT_EQ(fenster->lBedarf->text(), QStringLiteral("17,60")); // 52,8 minus 4 × 8,8

    fenster->tbPersWasch->setFocus();
    QTest::keyClick(fenster->tbPersWasch, Qt::Key_Right);
    EXPECT_EQ(fenster->Arbeitskopie().PersWasch, 4.1L);
    EXPECT_EQ(fenster->lPersWasch->text(), QStringLiteral("4,1"));

    // Selecting row 2 moves the area slider there; its steps change that area only.
    fenster->sgFlaeche->setCurrentCell(1, 0);
    EXPECT_EQ(fenster->FlaechenZeile(), 2);
    EXPECT_EQ(fenster->tbFlaeche->value(), 400);
    fenster->tbFlaeche->setValue(600);
    EXPECT_EQ(fenster->Arbeitskopie().Flaechen[1].Flaeche, 60);
    EXPECT_EQ(fenster->Arbeitskopie().Flaechen[0].Flaeche, 100);
    EXPECT_EQ(fenster->sgFlaeche->item(1, 0)->text(), QStringLiteral("60,00"));
    TParameterSatz erwartet = satz;
    erwartet.PersWCSpar = 0;
    erwartet.PersWasch = 4.1L;
    erwartet.Flaechen[1].Flaeche = 60;
    EXPECT_EQ(Detail(*fenster), Erwartet(erwartet));
}

// "Berechnung speichern..." and Ctrl+S save the working copy with its what-if changes under the
// proposed name; the saved case opens as the same set; a cancelled dialog writes nothing.
TEST_F(Auswertung, SavingKeepsTheWorkingCopyAndTheRecentList)
{
    TParameterSatz satz = Beispiel();
    satz.PLZ = QStringLiteral("14195");
    Oeffne(satz);
    fenster->tbPersWCSpar->setValue(25);
    QTemporaryDir ordner;
    QString antwort = ordner.filePath(QStringLiteral("Haus"));
    QString vorgeschlagen;
    const auto alt =
        SetzeBerechnungsDialog([&](QWidget*, bool speichern, const QString& vorschlag) {
            EXPECT_TRUE(speichern);
            vorgeschlagen = vorschlag;
            return antwort;
        });
    const QString start = Dateiordner(); // saving changes the folder used last
    EXPECT_EQ(fenster->btnSpeichern->text(), QStringLiteral("Berechnung spei&chern..."));
    EXPECT_TRUE(fenster->btnSpeichern->isVisible());
    QTest::mouseClick(fenster->btnSpeichern, Qt::LeftButton);
    EXPECT_EQ(vorgeschlagen, QDir(start).filePath(QStringLiteral("Berechnung 14195.tropfwerk")));
    const QString pfad = ordner.filePath(QStringLiteral("Haus.tropfwerk"));
    ASSERT_TRUE(QFile::exists(pfad));
    EXPECT_EQ(LadeBerechnung(pfad), fenster->Arbeitskopie());
    EXPECT_EQ(LadeBerechnung(pfad).PersWCSpar, 2.5L);
    EXPECT_EQ(ZuletztVerwendet().first(), pfad);

    fenster->tbPersWCSpar->setValue(30);
    QApplication::setActiveWindow(fenster.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(fenster.get()));
    QTest::keyClick(fenster->tbPersWCSpar, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(LadeBerechnung(pfad).PersWCSpar, 3.0L);
    EXPECT_EQ(vorgeschlagen, pfad); // the file saved to before

    antwort.clear(); // cancelled
    fenster->tbPersWCSpar->setValue(10);
    QTest::mouseClick(fenster->btnSpeichern, Qt::LeftButton);
    EXPECT_EQ(LadeBerechnung(pfad).PersWCSpar, 3.0L);
    EXPECT_TRUE(meldungen.Meldungen.empty());

    // A failing save is reported with the file; nothing is written.
    antwort = ordner.filePath(QStringLiteral("fehlt/Haus.tropfwerk"));
    QTest::mouseClick(fenster->btnSpeichern, Qt::LeftButton);
    ASSERT_EQ(meldungen.Meldungen.size(), 1u);
    EXPECT_TRUE(meldungen.Meldungen[0].Text.startsWith(
        QStringLiteral("Die Berechnung konnte nicht unter „%1“ gespeichert werden")
            .arg(QDir::toNativeSeparators(antwort))));
    EXPECT_FALSE(QFile::exists(antwort));
    SetzeBerechnungsDialog(alt);
}

TEST_F(Auswertung, ResetBringsBackTheOpeningValuesOnTheActivePage)
{
    TParameterSatz satz = Beispiel();
    satz.PersWCNorm = 2.5L;
    Oeffne(satz);
    const TErgebnisse anfang = Detail(*fenster);
    fenster->tbFlaeche->setValue(10);
    fenster->tbPersWCNorm->setValue(70);
    ASSERT_NE(Detail(*fenster), anfang);
    QTest::mouseClick(fenster->btnReset, Qt::LeftButton);
    EXPECT_EQ(Detail(*fenster), anfang);
    EXPECT_EQ(fenster->pcAuswertung->currentIndex(), 1);
    EXPECT_EQ(fenster->sgFlaeche->item(0, 0)->text(), QStringLiteral("100,00"));
    EXPECT_EQ(fenster->tbPersWCNorm->value(), 25);
    EXPECT_EQ(fenster->Arbeitskopie().Flaechen[0].Flaeche, 100);
}

TEST_F(Auswertung, ResetShowsWhatTheOpeningShowedForValuesBetweenTenths)
{
    TParameterSatz satz = Beispiel();
    satz.PersWCSpar = 4.05L;
    satz.Flaechen[0].Flaeche = 12.37L;
    Oeffne(satz);
    const TParameterSatz geoeffnet = fenster->Arbeitskopie();
    EXPECT_EQ(geoeffnet.PersWCSpar, 4.05L);
    EXPECT_EQ(geoeffnet.Flaechen[0].Flaeche, 12.37L);
    const TErgebnisse anfang = Detail(*fenster);
    EXPECT_EQ(anfang, Erwartet(geoeffnet));

    // Only another slider moves: the two cut sliders keep their positions.
    fenster->tbPersWasch->setValue(20);
    QTest::mouseClick(fenster->btnReset, Qt::LeftButton);
    EXPECT_EQ(fenster->Arbeitskopie(), geoeffnet);
    EXPECT_EQ(Detail(*fenster), anfang);
    EXPECT_EQ(fenster->lPersWCSpar->text(), QStringLiteral("4,1"));
    EXPECT_EQ(fenster->sgFlaeche->item(0, 0)->text(), QStringLiteral("12,37"));

    // The compact page, which does not set the area slider, shows the same after reset.
    QTest::mouseClick(fenster->btnKInfo, Qt::LeftButton);
    const QString ertrag = fenster->lEErtrag->text();
    EXPECT_EQ(ertrag, anfang.Ertrag);
    fenster->tbPersWasch->setValue(20);
    QTest::mouseClick(fenster->btnReset, Qt::LeftButton);
    EXPECT_EQ(fenster->Arbeitskopie(), geoeffnet);
    EXPECT_EQ(fenster->lEErtrag->text(), ertrag);
}

TEST_F(Auswertung, EditingConfirmedThenResetReturnsToTheOpeningSet)
{
    TParameterSatz satz = Beispiel();
    satz.PLZ = QStringLiteral("01067");
    Oeffne(satz, TfrmAuswertung::KompaktSeite);
    const QString bedarf = fenster->lEBedarf->text();
    bool plzGeaendert = false;
    ModalFolge antwort({[&](QWidget* w) {
        auto* form = dynamic_cast<TfrmExpert*>(w);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->windowTitle(), QStringLiteral("Parametersatz bearbeiten"));
        EXPECT_EQ(form->btnBerechnen->text(), QStringLiteral("Ü&bernehmen"));
        plzGeaendert = form->PLZChanged;
        form->PLZChanged = false; // keep the curve: no postal-code engine in this test
        form->edWCSpar->setText(QStringLiteral("2"));
        QTest::mouseClick(form->btnBerechnen, Qt::LeftButton);
    }});
    QTest::mouseClick(fenster->btnEdit, Qt::LeftButton);
    ASSERT_EQ(antwort.Beantwortet(), 1);
    EXPECT_TRUE(plzGeaendert);
    EXPECT_EQ(fenster->Arbeitskopie().PersWCSpar, 2);
    EXPECT_EQ(fenster->lEBedarf->text(), QStringLiteral("35,20"));
    EXPECT_EQ(fenster->tbPersWCSpar->value(), 20);
    EXPECT_EQ(fenster->pcAuswertung->currentIndex(), 0);

    QTest::mouseClick(fenster->btnReset, Qt::LeftButton);
    EXPECT_EQ(fenster->lEBedarf->text(), bedarf);
    EXPECT_EQ(fenster->Arbeitskopie().PersWCSpar, 4);
    EXPECT_TRUE(meldungen.Meldungen.empty());
}

TEST_F(Auswertung, CancellingTheEditChangesNothing)
{
    Oeffne(Beispiel());
    fenster->tbPersWasch->setValue(20);
    const TParameterSatz vorher = fenster->Arbeitskopie();
    const TErgebnisse ergebnisse = Detail(*fenster);
    bool plzGeaendert = true;
    ModalFolge antwort({[&](QWidget* w) {
        auto* form = dynamic_cast<TfrmExpert*>(w);
        ASSERT_NE(form, nullptr);
        plzGeaendert = form->PLZChanged; // empty postal code: the curve stays as it is
        form->edWCSpar->setText(QStringLiteral("9"));
        QTest::mouseClick(form->btnAbbrechen, Qt::LeftButton);
    }});
    fenster->btnEditClick();
    ASSERT_EQ(antwort.Beantwortet(), 1);
    EXPECT_FALSE(plzGeaendert);
    EXPECT_EQ(fenster->Arbeitskopie(), vorher);
    EXPECT_EQ(Detail(*fenster), ergebnisse);
    EXPECT_EQ(fenster->pcAuswertung->currentIndex(), 1);
    EXPECT_TRUE(fenster->findChildren<TfrmExpert*>().isEmpty());
}

TEST_F(Auswertung, DetailWindowFollowsTheSharedCurrentRow)
{
    Oeffne(Beispiel());
    SetzeProdukte(fenster->Produkte(),
                  {{3.0L, {}}, {3.1L, Bitmap(Qt::blue)}, {3.2L, QByteArray("kein Bild")}});
    AdressRekorder adressen;
    const QImage standard = LadeBild(QStringLiteral("ZISTDEF"), QSize(153, 145)).toImage();
    int ergebnis = -1;
    ModalFolge antwort({[&](QWidget* w) {
        auto* d = dynamic_cast<TfrmDetailEmpf*>(w);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Produkt-Empfehlungen"));
        EXPECT_EQ(d->dbgProd->model()->rowCount(), 3);
        EXPECT_EQ(d->DBText1->text(), QStringLiteral("Produkt 1"));
        EXPECT_EQ(d->ZistImg->pixmap().toImage(), standard);

        d->dbgProd->selectRow(1);
        EXPECT_EQ(fenster->Produkte().AktuelleZeile(), 1);
        EXPECT_EQ(fenster->dbProd->selectionModel()->currentIndex().row(), 1);
        EXPECT_EQ(d->dbBeschreibung->text(), QStringLiteral("Beschreibung 2"));
        EXPECT_EQ(d->dbAdresse->text(), QStringLiteral("Adresse 2"));
        EXPECT_EQ(d->ZistImg->pixmap().toImage().pixelColor(5, 5), QColor(Qt::blue));
        QTest::mouseClick(d->dbURL, Qt::LeftButton);

        d->dbgProd->selectRow(2); // bytes that are no bitmap
        EXPECT_EQ(d->ZistImg->pixmap().toImage(), standard);
        d->dbgProd->selectRow(0);
        EXPECT_EQ(d->ZistImg->pixmap().toImage(), standard);
        QTest::keyClick(d, Qt::Key_Escape);
    }});
    ergebnis = [&] {
        FilterProducts(fenster->Produkte(), 3.1L);
        TfrmDetailEmpf d(fenster->Produkte(), fenster.get());
        return d.exec();
    }();
    ASSERT_EQ(antwort.Beantwortet(), 1);
    EXPECT_EQ(ergebnis, TfrmDetailEmpf::mrCancel);
    EXPECT_EQ(adressen.Adressen, std::vector<QString>{"http://www.example.org/p2"});
}

TEST_F(Auswertung, DetailWindowOnAnEmptyRecommendation)
{
    Oeffne(Beispiel());
    SetzeProdukte(fenster->Produkte(), {{9.0L, Bitmap(Qt::red)}});
    ModalFolge antwort({[&](QWidget* w) {
        auto* d = dynamic_cast<TfrmDetailEmpf*>(w);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->dbgProd->model()->rowCount(), 0);
        EXPECT_TRUE(d->DBText1->text().isEmpty());
        EXPECT_EQ(d->ZistImg->pixmap().toImage(),
                  LadeBild(QStringLiteral("ZISTDEF"), QSize(153, 145)).toImage());
        QTest::keyClick(d->btnClose, Qt::Key_Return);
    }});
    QTest::mouseClick(fenster->btnDetailEmpf, Qt::LeftButton);
    EXPECT_EQ(antwort.Beantwortet(), 1);
    EXPECT_TRUE(fenster->findChildren<TfrmDetailEmpf*>().isEmpty());
}

TEST(DetailEmpf, PricesMakersAndLongAddressesShowWhole)
{
    const auto mtProd = ErzeugeProduktTabelle();
    const QString adresse = QStringLiteral("Quellmoos Kunststofftechnik GmbH, Am Stadtholz 24, "
                                           "Gewerbegebiet Nord, Halle 7, Tor 3, 33609 Bielefeld, "
                                           "Postfach 12 34 56, 33602 Bielefeld, Telefon 0521 "
                                           "123456-0, Telefax 0521 123456-99, Deutschland");
    for (qint64 id = 1; id <= 6; ++id)
        mtProd->ZeileAnhaengen({id, QStringLiteral("Quellmoos Kunststofftechnik"),
                                QStringLiteral("Flachtank FT %1").arg(id), 20.0L, 1349.0L + id,
                                QString(), QString(), adresse, QByteArray()});
    TfrmDetailEmpf d(*mtProd);
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    // Every maker, volume and price fits its column as the grid's own delegate measures it,
    // with a pixel to spare for the fraction its rounding drops; the columns keep their order
    // and titles and fit beside the scroll bar.
    QTableView* grid = d.dbgProd;
    const std::array<const char*, 4> titel{"Hersteller", "Produkt", "Volumen", "Preis"};
    for (int spalte = 0; spalte < 4; ++spalte)
        EXPECT_EQ(grid->model()->headerData(spalte, Qt::Horizontal).toString(),
                  QString::fromLatin1(titel[static_cast<size_t>(spalte)]));
    QStyleOptionViewItem option;
    option.initFrom(grid->viewport());
    for (int zeile = 0; zeile < mtProd->Anzahl(); ++zeile)
        for (int spalte : {0, 2, 3}) {
            const QModelIndex index = grid->model()->index(zeile, spalte);
            EXPECT_LT(grid->itemDelegate()->sizeHint(option, index).width(),
                      grid->columnWidth(spalte))
                << index.data().toString().toStdString();
        }
    EXPECT_LE(grid->horizontalHeader()->length(), grid->viewport()->width());

    // The long address lies whole in its scroll area, in whole lines above the link's caption.
    EXPECT_EQ(d.dbAdresse->text(), adresse);
    EXPECT_EQ(d.dbAdresse->parentWidget(), d.sbAdresse->viewport());
    EXPECT_GE(d.dbAdresse->height(), d.dbAdresse->heightForWidth(d.dbAdresse->width()));
    EXPECT_GT(d.dbAdresse->height(), d.sbAdresse->viewport()->height());
    EXPECT_EQ(d.sbAdresse->viewport()->height() % d.fontMetrics().lineSpacing(), 0);
    EXPECT_LE(d.sbAdresse->geometry().bottom(), d.dbURL->y() - 18);
}

TEST_F(Auswertung, F1AndTheHelpButtonOpenContext40)
{
    HilfeRekorder hilfe;
    Oeffne(Beispiel());
    const int vorher = fenster->tbPersWasch->value();
    fenster->tbPersWasch->setFocus();
    QTest::keyClick(fenster->tbPersWasch, Qt::Key_F1);
    QTest::mouseClick(fenster->btnHelp, Qt::LeftButton);
    EXPECT_EQ(fenster->tbPersWasch->value(), vorher);
    ASSERT_EQ(hilfe.Aufrufe.size(), 2u);
    for (const auto& [datei, kontext] : hilfe.Aufrufe) {
        EXPECT_EQ(datei, HilfeDatei::Anwendung);
        EXPECT_EQ(kontext, 40);
    }
}

TEST_F(Auswertung, CalculationFailingInsideTheWindowShowsZeros)
{
    TParameterSatz satz = Beispiel();
    satz.Flaechen[0].Beiwert = 1.5L; // rejected by the yield routine
    Oeffne(satz, TfrmAuswertung::KompaktSeite);
    EXPECT_EQ(fenster->lEErtrag->text(), QStringLiteral("0,00"));
    EXPECT_EQ(fenster->lERate->text(), QStringLiteral("0,00"));
    EXPECT_TRUE(meldungen.Meldungen.empty());
}

TEST(AuswertungAusDemHauptfenster, OpensOnPageOneAfterACalculation)
{
    TfrmMain haupt(false);
    VerdrahteFenster(haupt, PLZConverterOderErsatz());
    const auto alteFabrik = haupt.Auswertung;
    haupt.Auswertung = [&](QWidget* b) {
        auto* f = static_cast<TfrmAuswertung*>(alteFabrik(b));
        f->Datenordner = QStringLiteral(TW_DATENORDNER);
        return f;
    };
    int seite = -1;
    ModalFolge antwort({[&](QWidget* w) {
        auto* f = dynamic_cast<TfrmAuswertung*>(w);
        ASSERT_NE(f, nullptr);
        seite = f->pcAuswertung->currentIndex();
        EXPECT_EQ(f->lBedarf->text(), QStringLiteral("52,80"));
        f->close();
    }});
    haupt.RunInput(
        [](QWidget* b) {
            struct TSofort : TInputForm {
                using TInputForm::TInputForm;
                int exec() override { return Accepted; }
            };
            return new TSofort(b);
        },
        Beispiel());
    EXPECT_EQ(antwort.Beantwortet(), 1);
    EXPECT_EQ(seite, 1);
    EXPECT_TRUE(haupt.findChildren<TfrmAuswertung*>().isEmpty());
}

TEST_F(Auswertung, ClosingTheWindowDuringASimulationStopsTheRunFirst)
{
    fenster.reset(ErzeugeAuswertung(nullptr, PLZConverterOderErsatz()));
    fenster->Datenordner = QStringLiteral(TW_DATENORDNER);
    fenster->SetParameterSatz(Beispiel());
    int pausen = 0;
    const SchlafFunktion alt = SetzeSchlafFunktion([&](int) {
        if (++pausen == 3) // Esc while the bars move
            QMetaObject::invokeMethod(fenster.get(), &QDialog::reject, Qt::QueuedConnection);
    });
    ModalFolge folge(
        {[](QWidget* w) {
             auto* f = dynamic_cast<TfrmAuswertung*>(w);
             ASSERT_NE(f, nullptr);
             QTest::mouseClick(f->btnSimu, Qt::LeftButton);
             QMetaObject::invokeMethod(f->FuellstandSeite->btnSimulieren, &QPushButton::click,
                                       Qt::QueuedConnection);
         },
         [](QWidget* dialog) { FindeKind<QPushButton>(dialog, "btnStart")->click(); }});
    const int ergebnis = fenster->Execute(TfrmAuswertung::DetailSeite);
    SetzeSchlafFunktion(alt);
    EXPECT_EQ(folge.Beantwortet(), 2);
    EXPECT_EQ(ergebnis, QDialog::Rejected);
    EXPECT_EQ(pausen, 3);
    EXPECT_FALSE(fenster->FuellstandSeite->SimulationLaeuft());
    EXPECT_TRUE(meldungen.Meldungen.empty());
    fenster.reset();
}

namespace {
// What the economics page must show for the window's state as it stands.
TWirtschaftlichkeitsDaten Frisch(TfrmAuswertung& f)
{
    TDeckungsrechner rechner;
    return RechneWirtschaftlichkeit(f.Arbeitskopie(), f.FuellstandSeite->Gartenmonate(),
                                    f.Produkte(), f.WirtschaftlichkeitsSeite->Kosten(), rechner);
}

QStringList Spalte(const QTableWidget* tabelle, int spalte)
{
    QStringList texte;
    for (int zeile = 0; zeile < tabelle->rowCount(); ++zeile)
        texte << tabelle->item(zeile, spalte)->text();
    return texte;
}

QStringList Erwartete(const TWirtschaftlichkeitsDaten& daten, int spalte)
{
    QStringList texte;
    for (const TProduktWirtschaft& p : daten.Produkte)
        texte << (spalte == TWirtschaftlichkeitsSeite::AnteilSpalte
                      ? zahl::Fest(p.Deckung * 100, 1, 6)
                  : spalte == TWirtschaftlichkeitsSeite::ErsparnisSpalte
                      ? zahl::Fest(p.Zahlen.Ersparnis, 2, 8)
                      : AmortisationsText(p.Zahlen));
    return texte;
}

// Types a money input and confirms it with Enter.
void Tippe(QLineEdit* feld, const QString& text)
{
    feld->setFocus();
    feld->setText(text);
    QTest::keyClick(feld, Qt::Key_Return);
}

void VergissKosten()
{
    ProgrammEinstellungen().remove(QStringLiteral("Wirtschaftlichkeit"));
}

constexpr int Anteil = TWirtschaftlichkeitsSeite::AnteilSpalte;
constexpr int Ersparnis = TWirtschaftlichkeitsSeite::ErsparnisSpalte;
constexpr int Amortisation = TWirtschaftlichkeitsSeite::AmortisationSpalte;
} // namespace

TEST_F(Auswertung, EconomicsPageHasItsControlsAndItsButtonShowsIt)
{
    VergissKosten();
    Oeffne(Beispiel());
    for (const char* name : {"lblStandort", "lblWahl", "chDeckung", "lblKnick", "edWasserpreis",
                             "edPumpe", "edWartung", "edEinbau", "edGebuehr", "sgWirtschaft"})
        EXPECT_NE(
            fenster->WirtschaftlichkeitsFenster->findChild<QWidget*>(QString::fromLatin1(name)),
            nullptr)
            << name;
    const TKosten vorgabe;
    EXPECT_EQ(fenster->WirtschaftlichkeitsSeite->edWasserpreis->text(),
              zahl::Fest(vorgabe.Wasserpreis, 2, 6));
    EXPECT_EQ(fenster->WirtschaftlichkeitsSeite->edEinbau->text(),
              zahl::Fest(vorgabe.Einbau, 2, 6));

    QTest::mouseClick(fenster->btnWirtschaft, Qt::LeftButton);
    EXPECT_EQ(fenster->pcAuswertung->currentWidget(), fenster->tsAWirtschaft);
    EXPECT_EQ(fenster->lCaption->text(), QStringLiteral("Wirtschaftlichkeit"));
    EXPECT_EQ(fenster->iThema->pixmap().toImage(),
              LadeBild(QStringLiteral("WIRTSCHAFT")).toImage());
    EXPECT_TRUE(fenster->btnWirtschaft->isChecked());
    EXPECT_FALSE(fenster->btnAInfo->isChecked());
    EXPECT_EQ(fenster->btnWirtschaft->text(), QStringLiteral("&Wirtschaftlichkeit"));

    // Four buttons side by side in their order, inside the panel, each in the window's font
    // with its whole caption.
    const std::array<QToolButton*, 4> knoepfe{fenster->btnKInfo, fenster->btnAInfo,
                                              fenster->btnSimu, fenster->btnWirtschaft};
    for (size_t i = 0; i < knoepfe.size(); ++i) {
        SCOPED_TRACE(knoepfe[i]->text().toStdString());
        EXPECT_EQ(knoepfe[i]->font().pointSizeF(), fenster->font().pointSizeF());
        EXPECT_LE(knoepfe[i]->fontMetrics().horizontalAdvance(
                      knoepfe[i]->text().remove(QLatin1Char('&'))),
                  knoepfe[i]->width() - 8);
        if (i > 0) {
            EXPECT_GT(knoepfe[i]->x(), knoepfe[i - 1]->geometry().right());
        }
    }
    EXPECT_LE(knoepfe[3]->geometry().right(), fenster->pBottom->width() - 8);

    const TWirtschaftlichkeitsDaten daten = Frisch(*fenster);
    ASSERT_FALSE(daten.Produkte.empty());
    EXPECT_EQ(fenster->WirtschaftlichkeitsSeite->sgWirtschaft->rowCount(),
              static_cast<int>(daten.Produkte.size()));
    EXPECT_EQ(fenster->WirtschaftlichkeitsSeite->lblKnick->text(), KnickText(daten.Ergebnis.Knick));
    EXPECT_EQ(fenster->lblWKnick->text(), KnickText(daten.Ergebnis.Knick));
    EXPECT_EQ(fenster->WirtschaftlichkeitsSeite->chDeckung->Daten().Ergebnis.Kurve.size(),
              daten.Ergebnis.Kurve.size());

    // The page's button opens the window beside the evaluation; Esc closes it again.
    EXPECT_FALSE(fenster->WirtschaftlichkeitsFenster->isVisible());
    QTest::mouseClick(fenster->btnWirtschaftOeffnen, Qt::LeftButton);
    EXPECT_TRUE(fenster->WirtschaftlichkeitsFenster->isVisible());
    EXPECT_TRUE(fenster->WirtschaftlichkeitsFenster->isWindow());
    EXPECT_TRUE(fenster->isVisible());
    QTest::keyClick(fenster->WirtschaftlichkeitsSeite->sgWirtschaft, Qt::Key_Escape);
    EXPECT_FALSE(fenster->WirtschaftlichkeitsFenster->isVisible());
    EXPECT_TRUE(fenster->isVisible());

    // The page names its figure and says in the tooltip how it relates to the Deckungsrate.
    const QTableWidgetItem* kopf =
        fenster->WirtschaftlichkeitsSeite->sgWirtschaft->horizontalHeaderItem(Anteil);
    EXPECT_EQ(kopf->text().remove(QStringLiteral("-\n")), QStringLiteral("Regenwasseranteil %"));
    EXPECT_TRUE(kopf->toolTip().startsWith(QStringLiteral("Regenwasseranteil:")));
    EXPECT_TRUE(kopf->toolTip().contains(QStringLiteral("Deckungsrate")));
    EXPECT_TRUE(fenster->WirtschaftlichkeitsSeite->lblHinweis->text().startsWith(
        QStringLiteral("Regenwasseranteil aus 100 Jahren")));
}

TEST_F(Auswertung, EconomicsWindowMarksTheUsersProductAndShowsEverythingWhole)
{
    VergissKosten();
    Oeffne(Beispiel(), TfrmAuswertung::KompaktSeite);
    ASSERT_GE(fenster->Produkte().Anzahl(), 3);
    // The user picks the second product on the compact page.
    fenster->Produkte().SetzeAktuelleZeile(1);
    QTest::mouseClick(fenster->btnWirtschaft, Qt::LeftButton);
    QTest::mouseClick(fenster->btnWirtschaftOeffnen, Qt::LeftButton);
    TfrmWirtschaftlichkeit& w = *fenster->WirtschaftlichkeitsFenster;
    TWirtschaftlichkeitsSeite& seite = *w.Seite;
    QTableWidget* tabelle = seite.sgWirtschaft;
    constexpr int Hinweis = TWirtschaftlichkeitsSeite::HinweisSpalte;
    const auto markiert = [&](std::size_t gewaehlt) {
        const TWirtschaftlichkeitsDaten& daten = fenster->Wirtschaftlichkeit();
        const auto erster = ZuerstAmortisiert(daten.Produkte);
        ASSERT_EQ(daten.Gewaehlt, gewaehlt);
        EXPECT_EQ(seite.lblWahl->text(), WahlText(daten));
        EXPECT_TRUE(seite.lblWahl->text().contains(daten.Produkte[gewaehlt].Produkt));
        EXPECT_EQ(fenster->lblWWahl->text(), seite.lblWahl->text());
        for (int zeile = 0; zeile < tabelle->rowCount(); ++zeile) {
            const auto i = static_cast<std::size_t>(zeile);
            const QString hinweis = tabelle->item(zeile, Hinweis)->text();
            EXPECT_EQ(hinweis.contains(QStringLiteral("Ihre Wahl")), i == gewaehlt) << zeile;
            EXPECT_EQ(hinweis.contains(QStringLiteral("amortisiert sich zuerst")), erster == i);
            EXPECT_EQ(tabelle->item(zeile, 1)->font().bold(), i == gewaehlt) << zeile;
        }
    };
    markiert(1);
    // Another choice on the compact page is marked at once.
    fenster->Produkte().SetzeAktuelleZeile(2);
    QCoreApplication::processEvents();
    markiert(2);

    // At the default size for a 1280 × 1024 screen, in the desktop's font and a larger one.
    const QSize frei(1280, 1024 - 40);
    const int rand = w.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, tabelle) + 1;
    for (const double punkte : {QApplication::font().pointSizeF(), 13.0}) {
        SCOPED_TRACE(punkte);
        QFont schrift = QApplication::font();
        schrift.setPointSizeF(punkte);
        w.setFont(schrift);
        w.resize(w.Vorgabegroesse(frei));
        QCoreApplication::processEvents();
        EXPECT_LE(w.width(), frei.width());
        EXPECT_LE(w.height(), frei.height());
        // Makers and products whole; the table fits across, its rows visible or scrolled to.
        for (int zeile = 0; zeile < tabelle->rowCount(); ++zeile)
            for (const int spalte : {1, 2}) {
                const QTableWidgetItem* zelle = tabelle->item(zeile, spalte);
                const QFont f = zelle->data(Qt::FontRole).isValid()
                                    ? zelle->font().resolve(tabelle->font())
                                    : tabelle->font();
                EXPECT_GE(tabelle->columnWidth(spalte),
                          QFontMetrics(f).horizontalAdvance(zelle->text()) + 2 * rand)
                    << zelle->text().toStdString();
            }
        EXPECT_LE(tabelle->horizontalHeader()->length(), tabelle->viewport()->width());
        EXPECT_TRUE(tabelle->verticalHeader()->length() <= tabelle->viewport()->height() ||
                    tabelle->verticalScrollBar()->maximum() > 0);
        // The chart: labels inside the plot, clear of each other and of the markers; round
        // ticks.
        const TWirtschaftsDiagrammGeometrie g = seite.chDeckung->Geometrie();
        EXPECT_TRUE(QRectF(seite.chDeckung->rect()).contains(g.Feld));
        ASSERT_EQ(g.Beschriftungen.size(), g.Texte.size());
        for (std::size_t i = 0; i < g.Beschriftungen.size(); ++i) {
            EXPECT_TRUE(g.Feld.contains(g.Beschriftungen[i])) << g.Texte[i].toStdString();
            for (std::size_t j = i + 1; j < g.Beschriftungen.size(); ++j)
                EXPECT_FALSE(g.Beschriftungen[i].intersects(g.Beschriftungen[j]));
            for (const QRectF& m : g.Marker)
                EXPECT_FALSE(g.Beschriftungen[i].intersects(m));
        }
        const double stufe = g.Schritt / std::pow(10.0, std::floor(std::log10(g.Schritt)));
        EXPECT_TRUE(std::abs(stufe - 1) < 1e-9 || std::abs(stufe - 2) < 1e-9 ||
                    std::abs(stufe - 5) < 1e-9)
            << g.Schritt;
        EXPECT_NEAR(g.Bis / g.Schritt, std::round(g.Bis / g.Schritt), 1e-9);
        // The money fields show their largest amount whole.
        EXPECT_GE(
            seite.edEinbau->width(),
            QFontMetrics(seite.edEinbau->font()).horizontalAdvance(QStringLiteral("1000000,00")));
    }
}

TEST(StandortText, NamesPlaceStationAndRainOrSaysWhatIsMissing)
{
    const auto plz = KleineTabellen();
    TParameterSatz satz;
    InitParameterSatz(satz);
    satz.Menge = 0.5891L;
    const struct {
        const char* Plz;
        TPLZConverter* Konverter;
        const char* Text;
    } faelle[] = {
        {"66111", plz.get(),
         "Standort: 66111 Saarbrücken, Wetterstation Saarbrücken, Jahresniederschlag "
         "0,589 m"},
        {"66113", plz.get(),
         "Standort: PLZ 66113, Wetterstation Saarbrücken, Jahresniederschlag 0,589 m"},
        {"99999", plz.get(),
         "Standort: PLZ 99999 (Wetterstation nicht bekannt), "
         "Jahresniederschlag 0,589 m"},
        {"66111", nullptr,
         "Standort: PLZ 66111 (Wetterstation nicht bekannt), Jahresniederschlag "
         "0,589 m"},
        {"", plz.get(),
         "Standort: ohne Postleitzahl, Niederschlag von Hand eingegeben "
         "(Jahresniederschlag 0,589 m)"},
    };
    for (const auto& fall : faelle) {
        satz.PLZ = QString::fromLatin1(fall.Plz);
        EXPECT_EQ(StandortText(satz, fall.Konverter), QString::fromUtf8(fall.Text));
    }
}

TEST_F(Auswertung, MoneyInputsChangeTheSavingAndAreKeptOrRefused)
{
    VergissKosten();
    Oeffne(Beispiel(), TfrmAuswertung::WirtschaftSeite);
    fenster->btnWirtschaftOeffnen->click();
    TWirtschaftlichkeitsSeite& seite = *fenster->WirtschaftlichkeitsSeite;
    const QStringList vorher = Spalte(seite.sgWirtschaft, Ersparnis);
    // Enter in a money input confirms the input only, not the window's default button.
    int zurueckgesetzt = 0;
    QObject::connect(fenster->btnReset, &QPushButton::clicked, [&] { ++zurueckgesetzt; });
    fenster->btnReset->setDefault(true);

    Tippe(seite.edWasserpreis, QStringLiteral("3,5"));
    EXPECT_EQ(seite.Kosten().Wasserpreis, 3.5L);
    const TWirtschaftlichkeitsDaten daten = Frisch(*fenster);
    ASSERT_FALSE(daten.Produkte.empty());
    for (const TProduktWirtschaft& p : daten.Produkte) {
        TKosten kosten;
        kosten.Wasserpreis = 3.5L;
        EXPECT_EQ(
            p.Zahlen.Ersparnis,
            BerechneWirtschaftlichkeit(p.Deckung, fenster->Arbeitskopie().Bedarf, p.Preis, kosten)
                .Ersparnis);
    }
    EXPECT_EQ(Spalte(seite.sgWirtschaft, Ersparnis), Erwartete(daten, Ersparnis));
    EXPECT_NE(Spalte(seite.sgWirtschaft, Ersparnis), vorher);
    EXPECT_TRUE(meldungen.Meldungen.empty());

    // The next window starts with the price typed last.
    TWirtschaftlichkeitsSeite naechste;
    EXPECT_EQ(naechste.Kosten().Wasserpreis, 3.5L);
    EXPECT_EQ(naechste.edWasserpreis->text(), QStringLiteral("3,50"));

    for (const char* falsch : {"-1", "2.5.0", "1.000,5", "abc", "", "100.01", "1e9"}) {
        meldungen.Meldungen.clear();
        Tippe(seite.edPumpe, QString::fromLatin1(falsch));
        ASSERT_EQ(meldungen.Meldungen.size(), 1u) << falsch;
        EXPECT_EQ(meldungen.Meldungen[0].Text,
                  QStringLiteral("Pumpenstrom: bitte eine Zahl zwischen 0 und 100 €/m³ eingeben."));
        EXPECT_EQ(meldungen.Meldungen[0].Titel, QStringLiteral("Fehler"));
        EXPECT_EQ(meldungen.Meldungen[0].Symbol, QMessageBox::Critical);
        EXPECT_EQ(seite.Kosten().Pumpe, TKosten{}.Pumpe) << falsch;
        EXPECT_EQ(fenster->WirtschaftlichkeitsFenster->focusWidget(), seite.edPumpe);
    }
    EXPECT_EQ(zurueckgesetzt, 0);
    EXPECT_EQ(Spalte(seite.sgWirtschaft, Ersparnis), Erwartete(daten, Ersparnis));

    // A decimal point is read like the comma; the field shows the value formatted.
    meldungen.Meldungen.clear();
    Tippe(seite.edGebuehr, QStringLiteral(" 12.5"));
    Tippe(seite.edWartung, QStringLiteral("60"));
    EXPECT_TRUE(meldungen.Meldungen.empty());
    EXPECT_EQ(seite.Kosten().Gebuehr, 12.5L);
    EXPECT_EQ(seite.edGebuehr->text(), QStringLiteral("12,50"));
    EXPECT_EQ(seite.Kosten().Wartung, 60);
    EXPECT_EQ(seite.edWartung->text(), QStringLiteral("60,00"));

    // Costs the saving cannot cover never pay back.
    Tippe(seite.edWartung, QStringLiteral("100000"));
    for (const QString& text : Spalte(seite.sgWirtschaft, Amortisation))
        EXPECT_EQ(text, QStringLiteral("nie"));
    EXPECT_EQ(Spalte(seite.sgWirtschaft, Amortisation), Erwartete(Frisch(*fenster), Amortisation));
    VergissKosten();
}

TEST_F(Auswertung, EconomicsPageFollowsSlidersAndGardenMonthsAtOnce)
{
    VergissKosten();
    TParameterSatz satz = Beispiel();
    satz.Garten = 200;
    Oeffne(satz, TfrmAuswertung::WirtschaftSeite);
    TWirtschaftlichkeitsSeite& seite = *fenster->WirtschaftlichkeitsSeite;
    const QStringList anfang = Spalte(seite.sgWirtschaft, Anteil);

    // Changed while another page shows: up to date when the page is shown again.
    fenster->SelectPage(TfrmAuswertung::SimulationsSeite);
    for (QCheckBox* monat : fenster->FuellstandSeite->cbMon)
        monat->setChecked(false);
    QTest::mouseClick(fenster->btnWirtschaft, Qt::LeftButton);
    const TWirtschaftlichkeitsDaten erste = Frisch(*fenster);
    EXPECT_EQ(Spalte(seite.sgWirtschaft, Anteil), Erwartete(erste, Anteil));
    EXPECT_NE(Spalte(seite.sgWirtschaft, Anteil), anfang);
    EXPECT_EQ(seite.lblKnick->text(), KnickText(erste.Ergebnis.Knick));

    // Changed while it shows: up to date once the event loop turns.
    fenster->tbPersWasch->setValue(fenster->tbPersWasch->maximum());
    QCoreApplication::processEvents();
    const TWirtschaftlichkeitsDaten zweite = Frisch(*fenster);
    ASSERT_FALSE(zweite.Produkte.empty());
    EXPECT_EQ(Spalte(seite.sgWirtschaft, Anteil), Erwartete(zweite, Anteil));
    EXPECT_NE(Erwartete(zweite, Anteil), Erwartete(erste, Anteil));
    EXPECT_EQ(seite.lblKnick->text(), KnickText(zweite.Ergebnis.Knick));
    EXPECT_EQ(fenster->Wirtschaftlichkeit().Ergebnis.Knick, zweite.Ergebnis.Knick);
}

TEST(KnickText, NamesTheVolumeInItsRefinedStepsOrSaysThereIsNone)
{
    // The sentence and the charts' mark name the same volume in the same format.
    const struct {
        std::optional<double> Knick;
        const char* Volumen;
    } faelle[] = {
        {4.5, "4,5 m³"}, {6.0, "6,0 m³"}, {6.2, "6,2 m³"}, {2.996, "3,0 m³"},
        {0.4, "0,4 m³"}, {9.96, "10 m³"}, {14, "14 m³"},   {std::nullopt, nullptr},
    };
    for (const auto& fall : faelle) {
        const QString text =
            fall.Knick ? QString::fromUtf8("Ab %1 bringt jeder weitere Kubikmeter weniger als 1 "
                                           "Prozentpunkt Regenwasseranteil.")
                             .arg(QString::fromUtf8(fall.Volumen))
                       : QString::fromUtf8("Im dargestellten Bereich bringt jeder weitere "
                                           "Kubikmeter noch mindestens 1 Prozentpunkt "
                                           "Regenwasseranteil.");
        EXPECT_EQ(KnickText(fall.Knick), text);
        TDeckungsErgebnis ergebnis;
        ergebnis.Knick = fall.Knick;
        EXPECT_EQ(KnickText(ergebnis), text);
        if (fall.Knick) {
            EXPECT_EQ(KnickMarke(*fall.Knick),
                      QString::fromUtf8("Knickpunkt: ") + QString::fromUtf8(fall.Volumen));
        }
    }
    // Without yield or demand no volume is named.
    TDeckungsErgebnis ohne;
    ohne.OhneErtragOderBedarf = true;
    EXPECT_EQ(KnickText(ohne), QString::fromUtf8("Ohne Regenertrag oder ohne Bedarf deckt auch ein "
                                                 "größerer Speicher nichts."));
}

TEST_F(Auswertung, HelpOnTheEconomicsPageOpensItsOwnContext)
{
    HilfeRekorder hilfe;
    Oeffne(Beispiel(), TfrmAuswertung::WirtschaftSeite);
    fenster->btnWirtschaftOeffnen->click();
    QTest::keyClick(fenster->WirtschaftlichkeitsSeite->edGebuehr, Qt::Key_F1);
    QTest::mouseClick(fenster->btnHelp, Qt::LeftButton);
    fenster->SelectPage(TfrmAuswertung::KompaktSeite);
    QTest::mouseClick(fenster->btnHelp, Qt::LeftButton);
    ASSERT_EQ(hilfe.Aufrufe.size(), 3u);
    EXPECT_EQ(hilfe.Aufrufe[0].second, HilfeKontext::Wirtschaftlichkeit);
    EXPECT_EQ(hilfe.Aufrufe[1].second, HilfeKontext::Wirtschaftlichkeit);
    EXPECT_EQ(hilfe.Aufrufe[2].second, HilfeKontext::Auswertung);
}

TEST_F(Auswertung, PrintingAddsTheEconomicsPageWithTheWindowsFigures)
{
    VergissKosten();
    Oeffne(Beispiel(), TfrmAuswertung::WirtschaftSeite);
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("auswertung.pdf"));
    const PdfDateiFunktion alt =
        SetzePdfDateiFunktion([&pfad](QWidget*, const QString&) { return pfad; });
    {
        ModalFolge folge({[](QWidget* w) {
            EXPECT_TRUE(FindeKind<QCheckBox>(w, "cbAnhang")->isChecked());
            FindeKind<QRadioButton>(w, "rbDatei")->setChecked(true);
            FindeKind<QPushButton>(w, "btnOK")->click();
        }});
        fenster->btnPrintReport->click();
    }
    SetzePdfDateiFunktion(alt);
    const auto texte = LiesPdfText(pfad);
    ASSERT_EQ(PdfSeiten(texte), 2);
    const QString knick = fenster->WirtschaftlichkeitsSeite->lblKnick->text();
    EXPECT_TRUE(std::any_of(texte.begin(), texte.end(), [&](const TPdfText& t) {
        return t.Seite == 2 && t.Text == knick;
    })) << knick.toStdString();
}
