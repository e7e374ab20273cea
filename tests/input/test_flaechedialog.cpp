// The expert form's area dialog: layout, range checks with their messages and focus, Enter.
#include "../support/modal.h"
#include "../support/rekorder.h"
#include "eingabetest.h"
#include "input/flaechedialog.h"
#include "model/zahlenformat.h"

#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {
const QString FlaechenMeldung =
    QStringLiteral("Bitte geben Sie einen Wert zwischen 0 und 100000 an.");
const QString BeiwertMeldung = QStringLiteral("Bitte geben Sie einen Wert zwischen 0 und 1 an.");
} // namespace

TEST(FlaecheDialog, LayoutCaptionsAndTabOrder)
{
    TfrmFlaecheDialog dlg;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Auffangfläche hinzufügen"));
    EXPECT_EQ(dlg.size(), QSize(242, 119));
    EXPECT_EQ(dlg.minimumSize(), dlg.maximumSize());
    EXPECT_FALSE(dlg.windowFlags() & Qt::WindowMaximizeButtonHint);

    auto* edFlaeche = FindeKind<QLineEdit>(&dlg, "edFlaeche");
    auto* edBeiwert = FindeKind<QLineEdit>(&dlg, "edBeiwert");
    auto* btnOK = FindeKind<QPushButton>(&dlg, "btnOK");
    auto* btnCancel = FindeKind<QPushButton>(&dlg, "btnCancel");
    ASSERT_TRUE(edFlaeche && edBeiwert && btnOK && btnCancel);
    ASSERT_NE(FindeKind<QFrame>(&dlg, "bTrenner"), nullptr);
    EXPECT_EQ(edFlaeche->text(), QStringLiteral("0"));
    EXPECT_EQ(edBeiwert->text(), QStringLiteral("0,8"));
    EXPECT_EQ(btnOK->text(), QStringLiteral("&Hinzufügen"));
    EXPECT_EQ(btnCancel->text(), QStringLiteral("A&bbrechen"));

    const auto* lFlaeche = FindeKind<QLabel>(&dlg, "edFlaecheLabel");
    const auto* lBeiwert = FindeKind<QLabel>(&dlg, "edBeiwertLabel");
    ASSERT_TRUE(lFlaeche && lBeiwert);
    EXPECT_EQ(lFlaeche->text(), QStringLiteral("Auffangfläche (m²)"));
    EXPECT_EQ(lBeiwert->text(), QStringLiteral("Abflussbeiwert"));
    EXPECT_EQ(lFlaeche->buddy(), edFlaeche);
    // Labels on the left, on the height of their edits, nothing outside the client area.
    EXPECT_LT(lFlaeche->geometry().right(), edFlaeche->x());
    EXPECT_EQ(lBeiwert->y(), edBeiwert->y());
    EXPECT_LT(edFlaeche->y(), edBeiwert->y());
    EXPECT_LT(edBeiwert->geometry().bottom(), btnOK->y());
    for (const QWidget* w : dlg.findChildren<QWidget*>())
        EXPECT_TRUE(dlg.rect().contains(w->geometry())) << w->objectName().toStdString();

    ZeigeAktiv(&dlg);
    EXPECT_EQ(Fokus(), QStringLiteral("edFlaeche"));
    for (const char* naechster : {"edBeiwert", "btnOK", "btnCancel", "edFlaeche"}) {
        Taste(Qt::Key_Tab);
        EXPECT_EQ(Fokus(), QString::fromLatin1(naechster));
    }
}

TEST(FlaecheDialog, ChecksBothFieldsWithBoundsIncluded)
{
    struct Fall {
        QString flaeche, beiwert;
        const char* fokus; // nullptr: accepted
        long double erwFlaeche, erwBeiwert;
    };
    const Fall faelle[] = {
        {"0", "0", nullptr, 0, 0}, // zero is a valid area and coefficient here
        {"100000", "1", nullptr, 100000, 1},
        {"12,5", "0,125", nullptr, 12.5L, *zahl::Lies("0,125")},
        {" 250 ", "0,9", nullptr, 250, *zahl::Lies("0,9")},
        {"1e5", "1E0", nullptr, 100000, 1},
        {"-0", "0,8", nullptr, 0, *zahl::Lies("0,8")},
        {"100000,01", "0,8", "edFlaeche", 0, 0},
        {"-0,01", "0,8", "edFlaeche", 0, 0},
        {"", "0,8", "edFlaeche", 0, 0},
        {"1.5", "0,8", "edFlaeche", 0, 0},
        {"1.000", "0,8", "edFlaeche", 0, 0},
        {"inf", "0,8", "edFlaeche", 0, 0},
        {"nan", "0,8", "edFlaeche", 0, 0},
        {"abc", "0,8", "edFlaeche", 0, 0},
        {"1e5000", "0,8", "edFlaeche", 0, 0},
        {QStringLiteral("12 m²"), "0,8", "edFlaeche", 0, 0},
        {QStringLiteral("１２"), "0,8", "edFlaeche", 0, 0},
        {"abc", "abc", "edFlaeche", 0, 0}, // the area is reported first, and only it
        {"50", "1,01", "edBeiwert", 0, 0},
        {"50", "0.8", "edBeiwert", 0, 0},
        {"50", "-0,1", "edBeiwert", 0, 0},
        {"50", "", "edBeiwert", 0, 0},
        {"50", "1,0000001", "edBeiwert", 0, 0},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(
            ("area '" + fall.flaeche + "' coefficient '" + fall.beiwert + "'").toStdString());
        MeldungsRekorder meldungen;
        TfrmFlaecheDialog dlg;
        ZeigeAktiv(&dlg);
        Tippe(dlg.edFlaeche, fall.flaeche);
        Tippe(dlg.edBeiwert, fall.beiwert);
        QTest::mouseClick(dlg.btnOK, Qt::LeftButton);
        if (!fall.fokus) {
            EXPECT_TRUE(meldungen.Meldungen.empty());
            EXPECT_EQ(dlg.result(), QDialog::Accepted);
            EXPECT_FALSE(dlg.isVisible());
            EXPECT_EQ(dlg.GetFlaeche(), fall.erwFlaeche);
            EXPECT_EQ(dlg.GetBeiwert(), fall.erwBeiwert);
            continue;
        }
        ASSERT_EQ(meldungen.Meldungen.size(), 1u);
        const Meldung& m = meldungen.Meldungen[0];
        EXPECT_EQ(m.Text, QString::fromLatin1(fall.fokus) == QStringLiteral("edFlaeche")
                              ? FlaechenMeldung
                              : BeiwertMeldung);
        EXPECT_EQ(m.Titel, QStringLiteral("Fehler"));
        EXPECT_EQ(m.Symbol, QMessageBox::Critical);
        EXPECT_EQ(m.Besitzer, &dlg);
        EXPECT_EQ(Fokus(), QString::fromLatin1(fall.fokus));
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_NE(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(dlg.edFlaeche->text(), fall.flaeche);
        EXPECT_EQ(dlg.edBeiwert->text(), fall.beiwert);
    }
}

TEST(FlaecheDialog, EnterMovesToCoefficientThenAdds)
{
    MeldungsRekorder meldungen;
    TfrmFlaecheDialog dlg;
    ZeigeAktiv(&dlg);
    Tippe(dlg.edFlaeche, QStringLiteral("80"));
    Taste(Qt::Key_Return);
    // Consumed: the dialog's default button did not see it.
    EXPECT_EQ(Fokus(), QStringLiteral("edBeiwert"));
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_TRUE(meldungen.Meldungen.empty());

    TippeZeichen(dlg.edBeiwert, QStringLiteral("5")); // "0,8" was selected by the move
    EXPECT_EQ(dlg.edBeiwert->text(), QStringLiteral("5"));
    Taste(Qt::Key_Enter);
    ASSERT_EQ(meldungen.Meldungen.size(), 1u);
    EXPECT_EQ(meldungen.Meldungen[0].Text, BeiwertMeldung);
    EXPECT_EQ(Fokus(), QStringLiteral("edBeiwert"));
    EXPECT_TRUE(dlg.isVisible());

    Tippe(dlg.edBeiwert, QStringLiteral("0,9"));
    Taste(Qt::Key_Return);
    EXPECT_EQ(meldungen.Meldungen.size(), 1u);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.GetFlaeche(), 80);
    EXPECT_EQ(dlg.GetBeiwert(), *zahl::Lies("0,9"));
}

TEST(FlaecheDialog, ModalUseAddsOnlyOnOK)
{
    {
        TfrmFlaecheDialog dlg;
        ModalFolge antworten({[](QWidget* f) {
            auto* d = static_cast<TfrmFlaecheDialog*>(f);
            d->edFlaeche->setText(QStringLiteral("120,5"));
            d->edBeiwert->setText(QStringLiteral("0,75"));
            QTest::mouseClick(d->btnOK, Qt::LeftButton);
        }});
        EXPECT_EQ(dlg.exec(), QDialog::Accepted);
        EXPECT_EQ(dlg.GetFlaeche(), 120.5L);
        EXPECT_EQ(dlg.GetBeiwert(), 0.75L);
    }
    const std::pair<const char*, ModalAntwort> abbrueche[] = {
        {"Escape",
         [](QWidget* f) { QTest::keyClick(FindeKind<QLineEdit>(f, "edBeiwert"), Qt::Key_Escape); }},
        {"Abbrechen",
         [](QWidget* f) {
             QTest::mouseClick(FindeKind<QPushButton>(f, "btnCancel"), Qt::LeftButton);
         }},
        {"Schliessen", [](QWidget* f) { f->close(); }},
    };
    for (const auto& [name, antwort] : abbrueche) {
        SCOPED_TRACE(name);
        MeldungsRekorder meldungen;
        TfrmFlaecheDialog dlg;
        ModalFolge antworten({antwort});
        EXPECT_EQ(dlg.exec(), QDialog::Rejected);
        EXPECT_EQ(antworten.Beantwortet(), 1);
        EXPECT_TRUE(meldungen.Meldungen.empty());
    }
}

TEST(FlaecheDialog, RealMessageBoxReturnsFocusToTheField)
{
    TfrmFlaecheDialog dlg;
    ZeigeAktiv(&dlg);
    Tippe(dlg.edFlaeche, QStringLiteral("100001"));
    QString text, titel;
    QMessageBox::Icon symbol = QMessageBox::NoIcon;
    QWidget* besitzer = nullptr;
    ModalFolge antworten({[&](QWidget* f) {
        auto* box = qobject_cast<QMessageBox*>(f);
        ASSERT_NE(box, nullptr);
        text = box->text();
        titel = box->windowTitle();
        symbol = box->icon();
        besitzer = box->parentWidget();
        box->button(QMessageBox::Ok)->click();
    }});
    QTest::mouseClick(dlg.btnOK, Qt::LeftButton);
    EXPECT_EQ(antworten.Beantwortet(), 1);
    EXPECT_EQ(text, FlaechenMeldung);
    EXPECT_EQ(titel, QStringLiteral("Fehler"));
    EXPECT_EQ(symbol, QMessageBox::Critical);
    EXPECT_EQ(besitzer, &dlg);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.focusWidget(), dlg.edFlaeche);
    ZeigeAktiv(&dlg); // as the window manager does when the box has gone
    EXPECT_EQ(Fokus(), QStringLiteral("edFlaeche"));
}
