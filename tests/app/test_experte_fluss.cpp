// From the main window through the expert form to the sized set, with the shipped data files.
#include "../support/modal.h"
#include "../support/rekorder.h"
#include "app/hauptfenster.h"
#include "app/verdrahtung.h"
#include "input/expert.h"
#include "input/expns.h"
#include "input/flaechedialog.h"
#include "refdata/plzkonverter.h"
#include "testformulare.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <utility>

namespace {
// Clicks the button and answers the one dialog it opens.
void KlickeMitAntwort(QPushButton* knopf, ModalAntwort antwort)
{
    ModalFolge folge({std::move(antwort)});
    QTest::mouseClick(knopf, Qt::LeftButton);
    EXPECT_EQ(folge.Beantwortet(), 1);
}

void Tippe(QLineEdit* feld, const char* text)
{
    feld->clear();
    QTest::keyClicks(feld, QString::fromLatin1(text));
}

// Fills the worked example (one roof of 100 m² at 0,9, 90 %, four persons with a water-saving
// toilet and a washing machine) and the site, then confirms.
ModalAntwort Beispiel(const char* plz, bool niederschlagVonHand)
{
    return [=](QWidget* f) {
        auto* form = dynamic_cast<TfrmExpert*>(f);
        ASSERT_NE(form, nullptr);
        KlickeMitAntwort(form->btnPlus, [](QWidget* d) {
            auto* dialog = static_cast<TfrmFlaecheDialog*>(d);
            dialog->edFlaeche->setText(QStringLiteral("100"));
            dialog->edBeiwert->setText(QStringLiteral("0,9"));
            dialog->btnOK->click();
        });
        Tippe(form->edWGrad, "90");
        Tippe(form->edWCSpar, "4");
        Tippe(form->edWasch, "4");
        Tippe(form->edPLZ, plz);
        if (niederschlagVonHand) // the editor shows the standard curve; taken as it is
            KlickeMitAntwort(form->btnMore,
                             [](QWidget* e) { static_cast<TfrmExpNS*>(e)->btnOK->click(); });
        QTest::mouseClick(form->btnBerechnen, Qt::LeftButton);
    };
}

class ExperteFluss : public ::testing::Test {
protected:
    void SetUp() override
    {
        VerdrahteFenster(fenster, plz);
        TTestAuswertung::Aufrufe = 0;
    }
    MeldungsRekorder meldungen;
    TPLZConverter plz{QStringLiteral(TW_DATENORDNER)};
    TfrmMain fenster{false};
};
} // namespace

TEST_F(ExperteFluss, WorkedExampleWithHandEnteredPrecipitation)
{
    fenster.Auswertung = [](QWidget* b) { return new TTestAuswertung(b); };
    ModalFolge antworten({Beispiel("", true)});
    fenster.aExpert->trigger();
    EXPECT_EQ(antworten.Beantwortet(), 1);
    EXPECT_TRUE(meldungen.Meldungen.empty());
    ASSERT_EQ(TTestAuswertung::Aufrufe, 1);
    const TParameterSatz& satz = TTestAuswertung::Erhalten;
    EXPECT_EQ(satz.PLZ, QString());
    EXPECT_NEAR(satz.Menge, 0.715L, 1e-15L);
    EXPECT_NEAR(satz.Ertrag, 57.915L, 1e-12L);
    EXPECT_NEAR(satz.Bedarf, 52.8L, 1e-12L);
    EXPECT_NEAR(satz.Volumen, 3.168L, 1e-12L);
    EXPECT_NEAR(satz.Rate, 109.6875L, 1e-10L);
}

TEST_F(ExperteFluss, RealPostalCodeBringsItsStationsCurve)
{
    fenster.Auswertung = [](QWidget* b) { return new TTestAuswertung(b); };
    ModalFolge antworten({Beispiel("01067", false)});
    QTest::mouseClick(fenster.btnExperte, Qt::LeftButton);
    EXPECT_TRUE(meldungen.Meldungen.empty());
    ASSERT_EQ(TTestAuswertung::Aufrufe, 1);
    const TParameterSatz& satz = TTestAuswertung::Erhalten;
    EXPECT_EQ(satz.PLZ, QStringLiteral("01067"));
    TNiederschlag kurve{};
    plz.GetNiederschlagPLZ(QStringLiteral("01067"), kurve);
    EXPECT_EQ(satz.Niederschlag, kurve);
    const long double menge = plz.GetMengePLZ(QStringLiteral("01067"));
    EXPECT_EQ(satz.Menge, menge);
    EXPECT_NEAR(satz.Ertrag, 100 * 0.9L * menge * 0.9L, 1e-12L);
    EXPECT_NEAR(satz.Bedarf, 52.8L, 1e-12L);
    EXPECT_NEAR(satz.Volumen, 0.06L * std::min(satz.Ertrag, satz.Bedarf), 1e-12L);
    EXPECT_NEAR(satz.Rate, satz.Ertrag / satz.Bedarf * 100, 1e-10L);
}

TEST_F(ExperteFluss, CancelCalculatesNothing)
{
    EXPECT_TRUE(fenster.Auswertung); // the evaluation window is wired
    fenster.Auswertung = [](QWidget* b) { return new TTestAuswertung(b); };
    ModalFolge antworten({[](QWidget* f) {
        auto* form = dynamic_cast<TfrmExpert*>(f);
        ASSERT_NE(form, nullptr);
        QTest::mouseClick(form->btnAbbrechen, Qt::LeftButton);
    }});
    fenster.aExpert->trigger();
    EXPECT_EQ(antworten.Beantwortet(), 1);
    EXPECT_TRUE(meldungen.Meldungen.empty());
    EXPECT_EQ(TTestAuswertung::Aufrufe, 0);
    EXPECT_TRUE(fenster.findChildren<TfrmExpert*>().isEmpty());
}
