// Main window: layout, menu, the central flow RunInput and F1.
#include "../support/beispiel.h"
#include "../support/modal.h"
#include "../support/rekorder.h"
#include "app/hauptfenster.h"
#include "model/berechnungsdatei.h"
#include "model/fehler.h"
#include "testformulare.h"
#include "ui/berechnungsdateien.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {
// Answer that fills in the worked example and confirms.
ModalAntwort BeispielBestaetigen()
{
    return [](QWidget* f) {
        auto* form = dynamic_cast<TTestEingabe*>(f);
        ASSERT_NE(form, nullptr);
        TParameterSatz& s = form->Satz();
        s.Flaechen = {{100, 0.9L}};
        s.WGrad = 0.9L;
        s.PersWCSpar = 4;
        s.PersWasch = 4;
        form->accept();
    };
}

class Hauptfenster : public ::testing::Test {
protected:
    void SetUp() override
    {
        TTestAuswertung::Aufrufe = 0;
        TTestAuswertung::Seite = -1;
        TTestEingabe::Freigegeben = 0;
        fenster.Experte = [](QWidget* b) { return new TTestEingabe(b); };
        fenster.Auswertung = [](QWidget* b) { return new TTestAuswertung(b); };
    }
    TfrmMain fenster{false};
};
} // namespace

TEST_F(Hauptfenster, LayoutAndCaptions)
{
    EXPECT_EQ(fenster.windowTitle(), QStringLiteral("Tropfwerk 2003"));
    EXPECT_EQ(fenster.size(), QSize(448, 559));
    EXPECT_EQ(fenster.minimumSize(), fenster.maximumSize());
    EXPECT_FALSE(fenster.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(fenster.imgMain->size(), QSize(448, 523));
    EXPECT_FALSE(fenster.imgMain->pixmap().isNull());
    EXPECT_EQ(fenster.btnExperte->geometry(), QRect(8, 491, 73, 29));
    EXPECT_EQ(fenster.btnAssistent->geometry(), QRect(368, 491, 73, 29));
    EXPECT_EQ(fenster.btnExperte->text(), QStringLiteral("&Experte"));
    EXPECT_EQ(fenster.btnAssistent->text(), QStringLiteral("&Assistent"));
    EXPECT_EQ(fenster.btnExperte->toolTip(), QStringLiteral("Startet die Experten-Eingabe"));
    EXPECT_EQ(fenster.btnAssistent->toolTip(), QStringLiteral("Startet den Eingabe-Assistenten"));
    EXPECT_EQ(fenster.Panel1->height(), 12);

    const QList<QAction*> menues = fenster.menuBar()->actions();
    ASSERT_EQ(menues.size(), 2);
    EXPECT_EQ(menues[0]->text(), QStringLiteral("&Datei"));
    EXPECT_EQ(menues[1]->text(), QStringLiteral("&Info"));
    const QList<QAction*> datei = menues[0]->menu()->actions();
    ASSERT_EQ(datei.size(), 10);
    EXPECT_EQ(datei[0], fenster.aAssistent);
    EXPECT_EQ(datei[0]->text(), QStringLiteral("Eingabe-&Assistent"));
    EXPECT_EQ(datei[1]->text(), QStringLiteral("&Experteneingabe"));
    EXPECT_EQ(datei[2]->text(), QStringLiteral("Berechnung ö&ffnen..."));
    EXPECT_EQ(datei[2]->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    for (int i = 3; i < 8; ++i)
        EXPECT_EQ(datei[i], fenster.aZuletzt[static_cast<size_t>(i - 3)]);
    EXPECT_TRUE(datei[8]->isSeparator());
    EXPECT_EQ(datei[9]->text(), QStringLiteral("&Beenden"));
    ASSERT_EQ(menues[1]->menu()->actions().size(), 1);
    EXPECT_EQ(menues[1]->menu()->actions()[0]->text(), QStringLiteral("Ueber..."));
}

TEST_F(Hauptfenster, ConfirmedInputIsSizedAndOpensDetailedPage)
{
    MeldungsRekorder meldungen;
    ModalFolge antworten({BeispielBestaetigen()});
    QTest::mouseClick(fenster.btnExperte, Qt::LeftButton);
    EXPECT_EQ(antworten.Beantwortet(), 1);
    EXPECT_TRUE(meldungen.Meldungen.empty());
    EXPECT_EQ(TTestEingabe::Freigegeben, 1);
    ASSERT_EQ(TTestAuswertung::Aufrufe, 1);
    EXPECT_EQ(TTestAuswertung::Seite, 1);
    EXPECT_NEAR(TTestAuswertung::Erhalten.Ertrag, 57.915L, 1e-12L);
    EXPECT_NEAR(TTestAuswertung::Erhalten.Rate, 109.6875L, 1e-12L);
}

TEST_F(Hauptfenster, CancelCalculatesNothingAndSaysNothing)
{
    MeldungsRekorder meldungen;
    ModalFolge antworten({[](QWidget* f) {
        auto* form = dynamic_cast<TTestEingabe*>(f);
        form->Satz().Flaechen = {{100, 5}}; // would fail if it were calculated
        form->reject();
    }});
    fenster.aExpert->trigger();
    EXPECT_EQ(antworten.Beantwortet(), 1);
    EXPECT_EQ(TTestAuswertung::Aufrufe, 0);
    EXPECT_TRUE(meldungen.Meldungen.empty());
    EXPECT_EQ(TTestEingabe::Freigegeben, 1);
}

TEST_F(Hauptfenster, RejectedSetRaisesTheCalculationError)
{
    ModalFolge antworten({[](QWidget* f) {
        auto* form = dynamic_cast<TTestEingabe*>(f);
        form->Satz().Flaechen = {{100, 0.9L}, {50, 1.2L}, {10, 0.5L}};
        form->accept();
    }});
    TParameterSatz satz;
    InitParameterSatz(satz);
    try {
        fenster.RunInput(fenster.Experte, satz);
        FAIL() << "no error raised";
    } catch (const EFehler& e) {
        EXPECT_EQ(e.Meldung(),
                  QStringLiteral("Kann Berechnung nicht durchführen! Ungültige Parameter!"));
    }
    EXPECT_EQ(TTestAuswertung::Aufrufe, 0);
    EXPECT_EQ(TTestEingabe::Freigegeben, 1);
}

TEST_F(Hauptfenster, RejectedSetReachesCentralHandlerWithTitle)
{
    MeldungsRekorder meldungen;
    ModalFolge antworten({[](QWidget* f) {
        auto* form = dynamic_cast<TTestEingabe*>(f);
        form->Satz().LadeBeiwert = 1.01L;
        form->accept();
    }});
    QTest::mouseClick(fenster.btnExperte, Qt::LeftButton);
    ASSERT_EQ(meldungen.Meldungen.size(), 1u);
    EXPECT_EQ(meldungen.Meldungen[0].Text,
              QStringLiteral("Kann Berechnung nicht durchführen! Ungültige Parameter!"));
    EXPECT_EQ(meldungen.Meldungen[0].Titel, QStringLiteral("Tropfwerk 2003"));
    EXPECT_EQ(meldungen.Meldungen[0].Symbol, QMessageBox::Critical);
    EXPECT_EQ(TTestAuswertung::Aufrufe, 0);
    EXPECT_TRUE(fenster.btnExperte->isEnabled());
}

TEST_F(Hauptfenster, SecondRunStartsFromDefaults)
{
    TParameterSatz gesehen;
    ModalFolge antworten({BeispielBestaetigen(), [&gesehen](QWidget* f) {
                              auto* form = dynamic_cast<TTestEingabe*>(f);
                              gesehen = form->Satz();
                              form->reject();
                          }});
    fenster.aExpert->trigger();
    fenster.aExpert->trigger();
    ASSERT_EQ(antworten.Beantwortet(), 2);
    TParameterSatz frisch;
    InitParameterSatz(frisch);
    EXPECT_EQ(gesehen, frisch);
}

TEST_F(Hauptfenster, FormIsReleasedWhenItRaises)
{
    class TWerfend : public TTestEingabe {
    public:
        using TTestEingabe::TTestEingabe;
        void GetParameterSatz(TParameterSatz&) const override
        {
            throw EFehler(QStringLiteral("kaputt"));
        }
    };
    fenster.Experte = [](QWidget* b) { return new TWerfend(b); };
    ModalFolge antworten({Annehmen()});
    TParameterSatz satz;
    InitParameterSatz(satz);
    EXPECT_THROW(fenster.RunInput(fenster.Experte, satz), EFehler);
    EXPECT_EQ(TTestEingabe::Freigegeben, 1);
    EXPECT_TRUE(fenster.findChildren<TInputForm*>().isEmpty());
}

TEST_F(Hauptfenster, F1OpensContext10FromAnyControl)
{
    HilfeRekorder hilfe;
    fenster.show();
    QTest::keyClick(&fenster, Qt::Key_F1);
    QTest::keyClick(fenster.btnAssistent, Qt::Key_F1);
    QTest::keyClick(fenster.btnAssistent, Qt::Key_F2);
    ASSERT_EQ(hilfe.Aufrufe.size(), 2u);
    for (const auto& aufruf : hilfe.Aufrufe) {
        EXPECT_EQ(aufruf.first, HilfeDatei::Anwendung);
        EXPECT_EQ(aufruf.second, 10);
    }
}

// Opening from the menu and from the recent list: the case arrives sized on the detailed page;
// a file that cannot be read raises its error and leaves the list.
TEST_F(Hauptfenster, CalculationFilesOpenFromTheMenuAndTheRecentList)
{
    QTemporaryDir ordner;
    TParameterSatz satz = Beispiel();
    QStringList pfade;
    for (int i = 0; i < 7; ++i) {
        pfade << ordner.filePath(QStringLiteral("Fall %1.tropfwerk").arg(i));
        satz.PLZ = QStringLiteral("1419%1").arg(i);
        SpeichereBerechnung(pfade.back(), satz);
    }
    MeldungsRekorder meldungen;
    QString gefragt;
    QString start;
    const auto alterDialog =
        SetzeBerechnungsDialog([&](QWidget*, bool speichern, const QString& startordner) {
            EXPECT_FALSE(speichern);
            start = startordner;
            return gefragt;
        });
    for (const QString& pfad : pfade) {
        gefragt = pfad;
        fenster.aOeffnen->trigger();
        // The evaluation knows its file, so that saving proposes it.
        EXPECT_EQ(TTestAuswertung::Datei, pfad);
    }
    // The open dialog starts in the folder used last.
    EXPECT_EQ(start, QFileInfo(pfade.back()).absolutePath());
    gefragt.clear();
    fenster.aOeffnen->trigger(); // cancelled
    EXPECT_EQ(TTestAuswertung::Aufrufe, 7);
    EXPECT_EQ(TTestAuswertung::Seite, 1);
    EXPECT_EQ(TTestAuswertung::Erhalten.PLZ, QStringLiteral("14196"));
    EXPECT_NEAR(TTestAuswertung::Erhalten.Rate, 109.6875L, 1e-12L);

    // The five newest, newest first; an entry opens its file and moves it to the top.
    EXPECT_EQ(ZuletztVerwendet(), (QStringList{pfade[6], pfade[5], pfade[4], pfade[3], pfade[2]}));
    EXPECT_TRUE(fenster.aZuletzt[4]->isVisible());
    EXPECT_EQ(fenster.aZuletzt[1]->text(), QStringLiteral("&2 Fall 5.tropfwerk"));
    fenster.aZuletzt[2]->trigger();
    EXPECT_EQ(TTestAuswertung::Erhalten.PLZ, QStringLiteral("14194"));
    EXPECT_EQ(ZuletztVerwendet().first(), pfade[4]);

    QFile::remove(pfade[5]);
    try {
        fenster.OeffneBerechnung(fenster.aZuletzt[2]->data().toString()); // now Fall 5
        ADD_FAILURE() << "opened a missing file";
    } catch (const EFehler& fehler) {
        EXPECT_TRUE(fehler.Meldung().contains(u"Fall 5.tropfwerk"));
    }
    EXPECT_TRUE(meldungen.Meldungen.empty());
    EXPECT_FALSE(ZuletztVerwendet().contains(pfade[5]));
    EXPECT_FALSE(fenster.aZuletzt[4]->isVisible());
    EXPECT_EQ(TTestAuswertung::Aufrufe, 8);
    // From the menu the error is shown, and the entry goes too.
    QFile::remove(pfade[3]);
    for (QAction* eintrag : fenster.aZuletzt)
        if (eintrag->data().toString() == pfade[3])
            eintrag->trigger();
    ASSERT_EQ(meldungen.Meldungen.size(), 1u);
    EXPECT_TRUE(meldungen.Meldungen[0].Text.contains(u"Fall 3.tropfwerk"));
    EXPECT_FALSE(ZuletztVerwendet().contains(pfade[3]));
    EXPECT_EQ(TTestAuswertung::Aufrufe, 8);

    // From the command line: the first argument that is no option, once the loop runs.
    fenster.OeffneBeimStart({QStringLiteral("--style=fusion"), pfade[0], pfade[1]});
    EXPECT_EQ(TTestAuswertung::Aufrufe, 8);
    QTRY_COMPARE(TTestAuswertung::Aufrufe, 9);
    EXPECT_EQ(TTestAuswertung::Erhalten.PLZ, QStringLiteral("14190"));
    EXPECT_EQ(TTestAuswertung::Seite, 1);
    SetzeBerechnungsDialog(alterDialog);
}

TEST_F(Hauptfenster, ExitClosesTheWindow)
{
    fenster.show();
    ASSERT_TRUE(fenster.isVisible());
    fenster.aExit->trigger();
    EXPECT_FALSE(fenster.isVisible());
}
