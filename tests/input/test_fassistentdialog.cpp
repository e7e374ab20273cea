// The wizard's area dialog: length × width, roof types, Enter as Tab, and the checks that
// raise errors to the central error handler.
#include "../support/modal.h"
#include "../support/rekorder.h"
#include "eingabetest.h"
#include "input/fassistentdialog.h"
#include "model/zahlenformat.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {
const QString FlaechenMeldung = QStringLiteral(
    "Bitte geben Sie geben Sie Länge und Breite oder einen gültigen Wert für die Fläche ein.");
const QString BeiwertMeldung = QStringLiteral(
    "Bitte wählen Sie eine Dachart oder geben Sie einen gültigen Wert für den Abflußbeiwert an.");

class FAssistentDialog : public ::testing::Test {
protected:
    void SetUp() override { ZeigeAktiv(&dlg); }
    // Chooses a roof type with the keyboard, as the user does.
    void WaehleDach(int index)
    {
        dlg.cbBeiwert->setFocus(Qt::MouseFocusReason);
        int schritte = index - dlg.cbBeiwert->currentIndex();
        for (; schritte > 0; --schritte)
            QTest::keyClick(dlg.cbBeiwert, Qt::Key_Down);
        for (; schritte < 0; ++schritte)
            QTest::keyClick(dlg.cbBeiwert, Qt::Key_Up);
    }
    QStringList Felder() const
    {
        return {dlg.edLaenge->text(), dlg.edBreite->text(), dlg.edFlaeche->text(),
                dlg.edBeiwert->text()};
    }
    TfrmFAssistentDialog dlg;
};
} // namespace

TEST_F(FAssistentDialog, LayoutCaptionsHintsAndStart)
{
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Auffangfläche hinzufügen"));
    EXPECT_EQ(dlg.size(), QSize(253, 259));
    EXPECT_EQ(dlg.minimumSize(), dlg.maximumSize());
    EXPECT_EQ(dlg.lBeschreibung->text(),
              QStringLiteral("Bitte geben Sie die Daten der Auffangfläche ein"));
    EXPECT_EQ(dlg.lDachart->text(), QStringLiteral("Art der Fläche"));
    EXPECT_EQ(dlg.lDachart->buddy(), dlg.cbBeiwert);
    ASSERT_NE(FindeKind<QFrame>(&dlg, "bTrenner1"), nullptr);
    ASSERT_NE(FindeKind<QFrame>(&dlg, "bTrenner2"), nullptr);

    struct Feld {
        const char* name;
        QString label, hinweis, text;
    };
    const Feld felder[] = {
        {"edLaenge", "Länge (m)", "Länge der Auffangfläche in Metern", "0,00"},
        {"edBreite", "Breite (m)", "Breite der Auffangfläche in Metern", "0,00"},
        {"edFlaeche", "Gesamtfläche (m²)",
         "durch Angabe von Länge und Breite kann die Gesamtfläche automatisch berechnet werden",
         "0,00"},
        {"edBeiwert", "Abflußbeiwert",
         "Geben Sie den Abflußbeiwert ein, ob wählen Sie eine Flächenart aus der Liste", "0,80"},
    };
    for (const Feld& f : felder) {
        SCOPED_TRACE(f.name);
        auto* edit = FindeKind<QLineEdit>(&dlg, f.name);
        ASSERT_NE(edit, nullptr);
        const auto* label = FindeKind<QLabel>(&dlg, (std::string(f.name) + "Label").c_str());
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), f.label);
        EXPECT_EQ(label->buddy(), edit);
        EXPECT_EQ(edit->toolTip(), f.hinweis);
        EXPECT_EQ(edit->text(), f.text);
    }
    // The two fields the dialog fills itself have the info background.
    const QColor info = dlg.palette().color(QPalette::ToolTipBase);
    EXPECT_EQ(dlg.edFlaeche->palette().color(QPalette::Base), info);
    EXPECT_EQ(dlg.edBeiwert->palette().color(QPalette::Base), info);
    EXPECT_NE(dlg.edLaenge->palette().color(QPalette::Base), info);

    EXPECT_FALSE(dlg.cbBeiwert->isEditable());
    EXPECT_EQ(dlg.cbBeiwert->toolTip(),
              QStringLiteral("Wählen Sie die Art Ihres Dachs aus der Liste"));
    ASSERT_EQ(dlg.cbBeiwert->count(), 5);
    const QStringList arten = {"Schrägdach", "Flachdach, unbekiest", "Flachdach, bekiest",
                               "Gründach, intensiv", "Gründach, extensiv"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(dlg.cbBeiwert->itemText(i), arten[i]);
    EXPECT_EQ(dlg.cbBeiwert->currentIndex(), 0);

    EXPECT_EQ(dlg.btnPlus->text(), QStringLiteral("&Hinzufügen"));
    EXPECT_EQ(dlg.btnPlus->toolTip(), QStringLiteral("Fläche der Liste hinzufügen"));
    EXPECT_EQ(dlg.btnAbort->text(), QStringLiteral("A&bbrechen"));
    EXPECT_EQ(dlg.btnAbort->toolTip(), QStringLiteral("Eingaben verwerfen"));
    for (const QWidget* w : dlg.findChildren<QWidget*>())
        if (w->parentWidget() == &dlg) {
            EXPECT_TRUE(dlg.rect().contains(w->geometry())) << w->objectName().toStdString();
        }

    EXPECT_EQ(Fokus(), QStringLiteral("edLaenge"));
    for (const char* naechster :
         {"edBreite", "edFlaeche", "cbBeiwert", "edBeiwert", "btnPlus", "btnAbort", "edLaenge"}) {
        Taste(Qt::Key_Tab);
        EXPECT_EQ(Fokus(), QString::fromLatin1(naechster));
    }
}

TEST_F(FAssistentDialog, LengthTimesWidthGivesTheArea)
{
    struct Fall {
        QString laenge, breite, flaeche;
    };
    const Fall faelle[] = {
        {"12,5", "8", "100,00"},       {"3", "4", "12,00"},  {"2,5", "2,5", "6,25"},
        {"0,333", "3", "1,00"},        {"-2", "3", "-6,00"}, {"1234,5", "10", "12345,00"},
        {"100000", "100000", "1E+10"}, // more than ten digits: exponent form
        {"1,5", "x", "0,00"},          // a field that is no number leaves the area alone
        {"1.5", "2", "0,00"},          {"", "2", "0,00"},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE((fall.laenge + " x " + fall.breite).toStdString());
        TfrmFAssistentDialog d;
        ZeigeAktiv(&d);
        Tippe(d.edLaenge, fall.laenge);
        Tippe(d.edBreite, fall.breite);
        Taste(Qt::Key_Tab);
        EXPECT_EQ(d.edFlaeche->text(), fall.flaeche);
        EXPECT_EQ(d.edLaenge->text(), fall.laenge);
        EXPECT_EQ(d.edBreite->text(), fall.breite);
    }
}

TEST_F(FAssistentDialog, TypedAreaKeepsLengthAndWidthOnlyWhenTheyAgree)
{
    Tippe(dlg.edLaenge, QStringLiteral("12,5"));
    Taste(Qt::Key_Tab);
    TippeZeichen(dlg.edBreite, QStringLiteral("8"));
    Taste(Qt::Key_Tab);
    EXPECT_EQ(Fokus(), QStringLiteral("edFlaeche"));
    EXPECT_EQ(dlg.edFlaeche->text(), QStringLiteral("100,00"));

    // Same area to two decimals: length and width stay.
    TippeZeichen(dlg.edFlaeche, QStringLiteral("100"));
    Taste(Qt::Key_Tab);
    EXPECT_EQ(dlg.edLaenge->text(), QStringLiteral("12,5"));
    EXPECT_EQ(dlg.edBreite->text(), QStringLiteral("8"));
    Tippe(dlg.edFlaeche, QStringLiteral("100,004"));
    Taste(Qt::Key_Return);
    EXPECT_EQ(dlg.edLaenge->text(), QStringLiteral("12,5"));
    EXPECT_EQ(dlg.edFlaeche->text(), QStringLiteral("100,004"));

    // Another area: the typed area stays, length and width go.
    Tippe(dlg.edFlaeche, QStringLiteral("101"));
    Taste(Qt::Key_Tab);
    EXPECT_EQ(dlg.edFlaeche->text(), QStringLiteral("101"));
    EXPECT_EQ(dlg.edLaenge->text(), QString());
    EXPECT_EQ(dlg.edBreite->text(), QString());
}

TEST_F(FAssistentDialog, ChangesOfTheDialogItselfTriggerNothing)
{
    Tippe(dlg.edLaenge, QStringLiteral("12,5"));
    Tippe(dlg.edBreite, QStringLiteral("8"));
    EXPECT_EQ(dlg.edFlaeche->text(), QStringLiteral("100,00"));
    // The width is no number now: the area stays, though length × width would count as 0.
    TippeZeichen(dlg.edBreite, QStringLiteral("x"));
    EXPECT_EQ(dlg.edBreite->text(), QStringLiteral("8x"));
    EXPECT_EQ(dlg.edFlaeche->text(), QStringLiteral("100,00"));
    // Passing through the computed area without typing compares nothing.
    Taste(Qt::Key_Tab);
    EXPECT_EQ(Fokus(), QStringLiteral("edFlaeche"));
    Taste(Qt::Key_Tab);
    EXPECT_EQ(Fokus(), QStringLiteral("cbBeiwert"));
    EXPECT_EQ(dlg.edLaenge->text(), QStringLiteral("12,5"));
    EXPECT_EQ(dlg.edBreite->text(), QStringLiteral("8x"));
    EXPECT_EQ(dlg.edFlaeche->text(), QStringLiteral("100,00"));

    // A typed area gives way again to length and width typed afterwards.
    Tippe(dlg.edFlaeche, QStringLiteral("70"));
    Taste(Qt::Key_Tab);
    EXPECT_EQ(dlg.edLaenge->text(), QString());
    Tippe(dlg.edLaenge, QStringLiteral("7"));
    Tippe(dlg.edBreite, QStringLiteral("10"));
    EXPECT_EQ(dlg.edFlaeche->text(), QStringLiteral("70,00"));
}

TEST_F(FAssistentDialog, RoofTypeFillsTheCoefficient)
{
    const QString erwartet[] = {"0,80", "0,80", "0,60", "0,30", "0,50"};
    for (const int index : {3, 2, 4, 1, 0}) {
        WaehleDach(index);
        EXPECT_EQ(dlg.cbBeiwert->currentIndex(), index);
        EXPECT_EQ(dlg.edBeiwert->text(), erwartet[index]);
    }
    // A typed coefficient no longer belongs to a roof type.
    Tippe(dlg.edBeiwert, QStringLiteral("0,7"));
    EXPECT_EQ(dlg.cbBeiwert->currentIndex(), -1);
    EXPECT_EQ(dlg.cbBeiwert->currentText(), QString());
    EXPECT_EQ(dlg.edBeiwert->text(), QStringLiteral("0,7"));
    // Choosing again fills it again.
    dlg.cbBeiwert->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(dlg.cbBeiwert, Qt::Key_Down);
    EXPECT_EQ(dlg.cbBeiwert->currentIndex(), 0);
    EXPECT_EQ(dlg.edBeiwert->text(), QStringLiteral("0,80"));
}

TEST_F(FAssistentDialog, EnterMovesLikeTabAndPressesNoButton)
{
    MeldungsRekorder meldungen;
    EXPECT_EQ(Fokus(), QStringLiteral("edLaenge"));
    for (const char* naechster :
         {"edBreite", "edFlaeche", "cbBeiwert", "edBeiwert", "btnPlus", "btnAbort", "edLaenge"}) {
        Taste(Qt::Key_Return);
        EXPECT_EQ(Fokus(), QString::fromLatin1(naechster));
    }
    dlg.btnPlus->setFocus();
    QTest::keyClick(dlg.btnPlus, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(Fokus(), QStringLiteral("btnAbort"));
    Taste(Qt::Key_Return);
    // With area 0,00 a press of "Hinzufügen" would have raised; "Abbrechen" would have closed.
    EXPECT_TRUE(meldungen.Meldungen.empty());
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), 0);
}

TEST_F(FAssistentDialog, AddRefusesZeroAndValuesOutOfRange)
{
    struct Fall {
        QString flaeche, beiwert;
        const char* fokus; // nullptr: accepted
    };
    const Fall faelle[] = {
        {"100000", "1", nullptr},
        {"0,01", "0,01", nullptr},
        {"1e5", "1", nullptr},
        {"0,00", "0,80", "edLaenge"}, // as the dialog starts
        {"0", "0,8", "edLaenge"},
        {"-1", "0,8", "edLaenge"},
        {"100000,01", "0,8", "edLaenge"},
        {"", "0,8", "edLaenge"},
        {"1.5", "0,8", "edLaenge"},
        {"1.000", "0,8", "edLaenge"},
        {"inf", "0,8", "edLaenge"},
        {"abc", "0,8", "edLaenge"},
        {"1E+10", "0,8", "edLaenge"},
        {QStringLiteral("50 m²"), "0,8", "edLaenge"},
        {"0", "0", "edLaenge"}, // the area is reported first
        {"50", "0", "cbBeiwert"},
        {"50", "1,01", "cbBeiwert"},
        {"50", "0.8", "cbBeiwert"},
        {"50", "", "cbBeiwert"},
        {"50", "-0,5", "cbBeiwert"},
        {"50", "nan", "cbBeiwert"},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(
            ("area '" + fall.flaeche + "' coefficient '" + fall.beiwert + "'").toStdString());
        MeldungsRekorder meldungen;
        TfrmFAssistentDialog d;
        ZeigeAktiv(&d);
        d.edLaenge->setText(QStringLiteral("4"));
        d.edBreite->setText(QStringLiteral("5"));
        d.edFlaeche->setText(fall.flaeche);
        d.edBeiwert->setText(fall.beiwert);
        d.cbBeiwert->setCurrentIndex(2);
        QTest::mouseClick(d.btnPlus, Qt::LeftButton);
        if (!fall.fokus) {
            EXPECT_TRUE(meldungen.Meldungen.empty());
            EXPECT_EQ(d.result(), QDialog::Accepted);
            EXPECT_EQ(d.GetFlaeche(), *zahl::Lies(fall.flaeche));
            EXPECT_EQ(d.GetBeiwert(), *zahl::Lies(fall.beiwert));
            continue;
        }
        // Raised to the event loop: the central handler shows it with the program's title.
        ASSERT_EQ(meldungen.Meldungen.size(), 1u);
        const Meldung& m = meldungen.Meldungen[0];
        EXPECT_EQ(m.Text, QString::fromLatin1(fall.fokus) == QStringLiteral("edLaenge")
                              ? FlaechenMeldung
                              : BeiwertMeldung);
        EXPECT_EQ(m.Titel, QStringLiteral("Tropfwerk 2003"));
        EXPECT_EQ(m.Symbol, QMessageBox::Critical);
        EXPECT_EQ(m.Besitzer, &d);
        EXPECT_EQ(Fokus(), QString::fromLatin1(fall.fokus));
        EXPECT_TRUE(d.isVisible());
        EXPECT_NE(d.result(), QDialog::Accepted);
        EXPECT_EQ(d.edLaenge->text(), QStringLiteral("4"));
        EXPECT_EQ(d.edBreite->text(), QStringLiteral("5"));
        EXPECT_EQ(d.edFlaeche->text(), fall.flaeche);
        EXPECT_EQ(d.edBeiwert->text(), fall.beiwert);
        EXPECT_EQ(d.cbBeiwert->currentIndex(), 2);
    }
}

TEST_F(FAssistentDialog, ModalUseHandsBackAreaAndCoefficient)
{
    dlg.hide();
    {
        TfrmFAssistentDialog d;
        ModalFolge antworten({[](QWidget* f) {
            auto* a = static_cast<TfrmFAssistentDialog*>(f);
            EXPECT_EQ(a, QApplication::activeModalWidget());
            Tippe(a->edLaenge, QStringLiteral("12,5"));
            Tippe(a->edBreite, QStringLiteral("8"));
            a->cbBeiwert->setFocus(Qt::MouseFocusReason);
            QTest::keyClick(a->cbBeiwert, Qt::Key_Down);
            QTest::keyClick(a->cbBeiwert, Qt::Key_Down);
            QTest::mouseClick(a->btnPlus, Qt::LeftButton);
        }});
        EXPECT_EQ(d.exec(), QDialog::Accepted);
        EXPECT_EQ(d.GetFlaeche(), 100);
        EXPECT_EQ(d.GetBeiwert(), *zahl::Lies("0,60"));
    }
    const std::pair<const char*, ModalAntwort> abbrueche[] = {
        {"Escape im Feld",
         [](QWidget* f) { QTest::keyClick(FindeKind<QLineEdit>(f, "edLaenge"), Qt::Key_Escape); }},
        {"Escape in der Liste",
         [](QWidget* f) { QTest::keyClick(FindeKind<QComboBox>(f, "cbBeiwert"), Qt::Key_Escape); }},
        {"Escape nach getippter Flaeche",
         [](QWidget* f) {
             auto* flaeche = FindeKind<QLineEdit>(f, "edFlaeche");
             Tippe(flaeche, QStringLiteral("70"));
             QTest::keyClick(flaeche, Qt::Key_Escape);
         }},
        {"Abbrechen",
         [](QWidget* f) {
             QTest::mouseClick(FindeKind<QPushButton>(f, "btnAbort"), Qt::LeftButton);
         }},
        {"Schliessen", [](QWidget* f) { f->close(); }},
    };
    for (const auto& [name, antwort] : abbrueche) {
        SCOPED_TRACE(name);
        MeldungsRekorder meldungen;
        TfrmFAssistentDialog d;
        d.edFlaeche->setText(QStringLiteral("50"));
        ModalFolge antworten({antwort});
        EXPECT_EQ(d.exec(), QDialog::Rejected);
        EXPECT_EQ(antworten.Beantwortet(), 1);
        EXPECT_TRUE(meldungen.Meldungen.empty());
    }
}
