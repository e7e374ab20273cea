// A whole walk as a new user makes it: main window, wizard with a real postal code and a roof
// of length × width, household, technical values, then the evaluation window on page 1.
#include "../input/eingabetest.h"
#include "../support/modal.h"
#include "../support/rekorder.h"
#include "app/hauptfenster.h"
#include "app/verdrahtung.h"
#include "evaluation/auswertung.h"
#include "evaluation/wirtschaftlichkeit.h"
#include "input/assistent.h"
#include "input/fassistentdialog.h"
#include "model/berechnung.h"
#include "model/zahlenformat.h"
#include "refdata/plzkonverter.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <gtest/gtest.h>
#include <memory>
#include <utility>

TEST(Durchgang, FromTheWizardToTheEvaluationWindow)
{
    TPLZConverter plz(QStringLiteral(TW_DATENORDNER));
    MeldungsRekorder meldungen;
    TfrmMain haupt(false);
    VerdrahteFenster(haupt, plz);
    const auto fabrik = haupt.Auswertung;
    haupt.Auswertung = [&](QWidget* b) {
        auto* f = static_cast<TfrmAuswertung*>(fabrik(b));
        f->Datenordner = QStringLiteral(TW_DATENORDNER);
        return f;
    };

    TParameterSatz gezeigt;
    QString bedarf;
    QString standort;
    int seite = -1;
    ModalFolge folge({[](QWidget* w) {
                          auto* form = dynamic_cast<TfrmAssistent*>(w);
                          ASSERT_NE(form, nullptr);
                          ZeigeAktiv(form);
                          Tippe(form->edPLZ, QStringLiteral("14195"));
                          QTest::mouseClick(form->btnWeiter, Qt::LeftButton);
                          {
                              ModalFolge dach({[](QWidget* d) {
                                  auto* dialog = static_cast<TfrmFAssistentDialog*>(d);
                                  ZeigeAktiv(dialog);
                                  Tippe(dialog->edLaenge, QStringLiteral("12"));
                                  Tippe(dialog->edBreite, QStringLiteral("10"));
                                  Tippe(dialog->edBeiwert, QStringLiteral("0,8"));
                                  dialog->btnPlus->click();
                              }});
                              QTest::mouseClick(form->btnPlus, Qt::LeftButton);
                          }
                          Tippe(form->edGarten, QStringLiteral("0"));
                          QTest::mouseClick(form->btnWeiter, Qt::LeftButton);
                          Tippe(form->edPersWCSpar, QStringLiteral("4"));
                          Tippe(form->edPersWCNorm, QStringLiteral("0"));
                          Tippe(form->edPersWasch, QStringLiteral("4"));
                          QTest::mouseClick(form->btnWeiter, Qt::LeftButton);
                          QTest::mouseClick(form->btnAuswertung, Qt::LeftButton);
                      },
                      [&](QWidget* w) {
                          auto* f = dynamic_cast<TfrmAuswertung*>(w);
                          ASSERT_NE(f, nullptr);
                          gezeigt = f->Arbeitskopie();
                          seite = f->pcAuswertung->currentIndex();
                          bedarf = f->lBedarf->text();
                          standort = f->Standort();
                          f->close();
                      }});
    haupt.aAssistent->trigger();
    EXPECT_EQ(folge.Beantwortet(), 2);
    for (const Meldung& m : meldungen.Meldungen)
        ADD_FAILURE() << "Meldung: " << m.Text.toStdString();
    EXPECT_EQ(seite, 1);
    ASSERT_EQ(gezeigt.Flaechen.size(), 1u);
    EXPECT_EQ(gezeigt.Flaechen[0].Flaeche, 120);
    EXPECT_EQ(gezeigt.Flaechen[0].Beiwert, *zahl::Lies(QStringLiteral("0,8")));
    EXPECT_FALSE(gezeigt.PLZ.isEmpty());
    EXPECT_EQ(gezeigt.Menge, plz.GetMengePLZ(gezeigt.PLZ));
    EXPECT_EQ(bedarf, QStringLiteral("52,80"));
    // The economics page names the station the wizard's postal code resolved to.
    EXPECT_EQ(standort, StandortText(gezeigt, &plz));
    EXPECT_TRUE(standort.contains(QStringLiteral("Wetterstation ") + plz.GetStation(gezeigt.PLZ)))
        << standort.toStdString();
    EXPECT_TRUE(
        standort.startsWith(
            QStringLiteral("Standort: %1 %2, ").arg(gezeigt.PLZ, plz.GetOrt(gezeigt.PLZ))) &&
        !plz.GetOrt(gezeigt.PLZ).isEmpty())
        << standort.toStdString();
    EXPECT_TRUE(haupt.findChildren<TfrmAuswertung*>().isEmpty());
}
