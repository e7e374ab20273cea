// Precipitation editor: millimetre display, the check of the twelve months, the annual sum,
// Enter as Tab, and the hand-over of the set.
#include "../support/modal.h"
#include "../support/rekorder.h"
#include "eingabetest.h"
#include "input/expns.h"
#include "model/zahlenformat.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <cmath>
#include <gtest/gtest.h>

namespace {
const char* const Namen[12] = {"edJan", "edFeb", "edMae", "edApr", "edMai", "edJun",
                               "edJul", "edAug", "edSep", "edOkt", "edNov", "edDez"};
const QString Meldungstext = QStringLiteral("Bitte geben Sie einen Wert zwischen 0 und 500 an.");

QLineEdit* Monat(TfrmExpNS& form, int i)
{
    return FindeKind<QLineEdit>(&form, Namen[i]);
}

TParameterSatz NeuerSatz()
{
    TParameterSatz satz;
    InitParameterSatz(satz);
    return satz;
}

// The station's value as the postal-code engine makes it: millimetres from the data file / 1000.
long double StationsWert(const char* millimeter)
{
    return *zahl::LiesInvariant(millimeter) / 1000;
}
} // namespace

TEST(ExpNS, LayoutCaptionsAndTabOrder)
{
    TfrmExpNS form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Niederschläge eingeben"));
    EXPECT_EQ(form.size(), QSize(247, 246));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    const auto* label1 = FindeKind<QLabel>(&form, "Label1");
    ASSERT_NE(label1, nullptr);
    EXPECT_EQ(label1->text(), QStringLiteral("Bitte geben Sie die durchschittlichen monatlichen "
                                             "Regenmengen in Millimetern ein. (z.B. 50)"));
    EXPECT_TRUE(label1->wordWrap());
    ASSERT_NE(FindeKind<QFrame>(&form, "Bevel1"), nullptr);
    EXPECT_EQ(FindeKind<QPushButton>(&form, "btnOK")->text(), QStringLiteral("Ü&bernehmen"));
    EXPECT_EQ(FindeKind<QPushButton>(&form, "btnCancel")->text(), QStringLiteral("&Abbrechen"));

    const char* const beschriftungen[12] = {"Januar",    "Februar", "Maerz",    "April",
                                            "Mai",       "Juni",    "Juli",     "August",
                                            "September", "Oktober", "November", "Dezember"};
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(Namen[i]);
        QLineEdit* edit = Monat(form, i);
        ASSERT_NE(edit, nullptr);
        const auto* label = FindeKind<QLabel>(&form, (std::string(Namen[i]) + "Label").c_str());
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QString::fromLatin1(beschriftungen[i]));
        EXPECT_EQ(label->buddy(), edit);
        EXPECT_LT(label->geometry().right(), edit->x());
        EXPECT_EQ(label->y(), edit->y());
        if (i % 6 != 0) { // top to bottom within a column
            EXPECT_GT(edit->y(), Monat(form, i - 1)->y());
        }
    }
    EXPECT_GT(form.edJul->x(), form.edJan->geometry().right()); // second column to the right
    EXPECT_EQ(form.edJul->y(), form.edJan->y());
    for (const QWidget* w : form.findChildren<QWidget*>())
        EXPECT_TRUE(form.rect().contains(w->geometry())) << w->objectName().toStdString();

    ZeigeAktiv(&form);
    EXPECT_EQ(Fokus(), QStringLiteral("edJan"));
    for (int i = 1; i <= 14; ++i) {
        Taste(Qt::Key_Tab);
        const QString erwartet = i < 12    ? QString::fromLatin1(Namen[i])
                                 : i == 12 ? QStringLiteral("btnOK")
                                 : i == 13 ? QStringLiteral("btnCancel")
                                           : QStringLiteral("edJan");
        EXPECT_EQ(Fokus(), erwartet);
    }
}

TEST(ExpNS, ShowsMillimetresWithTheDecimalsTheyNeed)
{
    struct Fall {
        long double meter;
        const char* text;
    };
    const Fall faelle[] = {
        {0.0523L, "52,3"},
        {0.052L, "52"},
        {0.05234L, "52,34"},
        {0.05296L, "52,96"},
        {0, "0"},
        {0.5L, "500"},
        {0.00004L, "0,04"},
        {0.00006L, "0,06"},
        {0.1234L, "123,4"},
        {0.4999L, "499,9"},
        {StationsWert("63.1"), "63,1"},
        {StationsWert("100.2"), "100,2"},
    };
    for (size_t start = 0; start < std::size(faelle); start += 12) {
        TParameterSatz satz = NeuerSatz();
        for (size_t i = start; i < std::size(faelle) && i < start + 12; ++i)
            satz.Niederschlag[i - start] = faelle[i].meter;
        TfrmExpNS form;
        form.SetParameterSatz(satz);
        for (size_t i = start; i < std::size(faelle) && i < start + 12; ++i)
            EXPECT_EQ(Monat(form, static_cast<int>(i - start))->text(),
                      QString::fromLatin1(faelle[i].text))
                << static_cast<double>(faelle[i].meter);
    }

    // A fresh set shows the standard curve in whole millimetres.
    TfrmExpNS form;
    form.SetParameterSatz(NeuerSatz());
    const char* const standard[12] = {"55", "45", "35", "55", "60", "80",
                                      "85", "90", "60", "55", "45", "50"};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(Monat(form, i)->text(), QString::fromLatin1(standard[i]));
}

TEST(ExpNS, AcceptingUnchangedKeepsTheStationValues)
{
    // Every value from 0 to 500 mm in tenths, twelve at a time, as the engine delivers them.
    std::vector<long double> werte;
    for (int zehntel = 0; zehntel <= 5000; ++zehntel) {
        const std::string mm = std::to_string(zehntel / 10) + "." + std::to_string(zehntel % 10);
        werte.push_back(StationsWert(mm.c_str()));
    }
    for (size_t start = 0; start < werte.size(); start += 12) {
        TParameterSatz satz = NeuerSatz();
        for (size_t i = 0; i < 12; ++i)
            satz.Niederschlag[i] = werte[std::min(start + i, werte.size() - 1)];
        TfrmExpNS form;
        form.SetParameterSatz(satz);
        QTest::mouseClick(form.btnOK, Qt::LeftButton);
        ASSERT_EQ(form.result(), QDialog::Accepted) << start;
        TParameterSatz zurueck;
        form.GetParameterSatz(zurueck);
        for (size_t i = 0; i < 12; ++i)
            ASSERT_EQ(zurueck.Niederschlag[i], satz.Niederschlag[i])
                << Monat(form, static_cast<int>(i))->text().toStdString();
    }

    // Typed values come back as typed on reopening, and an unchanged confirmation keeps them.
    struct Getippt {
        const char* text;
        const char* gezeigt;
    };
    const Getippt getippt[12] = {{"52,35", "52,35"},
                                 {"0,04", "0,04"},
                                 {"0", "0"},
                                 {"500", "500"},
                                 {"12,3", "12,3"},
                                 {"0,001", "0,001"},
                                 {"499,999999", "499,999999"},
                                 {"123,4567", "123,4567"},
                                 {"3,14159", "3,14159"},
                                 {"1E-2", "0,01"},
                                 {"7,25", "7,25"},
                                 {"99,123", "99,123"}};
    TfrmExpNS erste;
    erste.SetParameterSatz(NeuerSatz());
    for (int i = 0; i < 12; ++i)
        Monat(erste, i)->setText(QString::fromLatin1(getippt[i].text));
    QTest::mouseClick(erste.btnOK, Qt::LeftButton);
    ASSERT_EQ(erste.result(), QDialog::Accepted);
    TParameterSatz satz;
    erste.GetParameterSatz(satz);
    TfrmExpNS wieder;
    wieder.SetParameterSatz(satz);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(Monat(wieder, i)->text(), QString::fromLatin1(getippt[i].gezeigt));
    QTest::mouseClick(wieder.btnOK, Qt::LeftButton);
    TParameterSatz nochmal;
    wieder.GetParameterSatz(nochmal);
    EXPECT_EQ(nochmal, satz);

    // The standard curve comes back unchanged as well.
    TfrmExpNS form;
    form.SetParameterSatz(NeuerSatz());
    QTest::mouseClick(form.btnOK, Qt::LeftButton);
    TParameterSatz zurueck;
    form.GetParameterSatz(zurueck);
    EXPECT_EQ(zurueck.Niederschlag, StandardNiederschlag);
    EXPECT_NEAR(static_cast<double>(zurueck.Menge), 0.715, 1e-15);
}

TEST(ExpNS, AcceptanceStoresMetresAndTheAnnualSumOnly)
{
    TParameterSatz satz = NeuerSatz();
    satz.Flaechen = {{100, 0.9L}, {20, 0.5L}};
    satz.PLZ = QStringLiteral("10115");
    satz.WGrad = 0.9L;
    satz.PersWCSpar = 2.5L;
    satz.Garten = 80;
    satz.Ertrag = 57.915L;
    satz.Menge = 0.8L;
    TfrmExpNS form;
    form.SetParameterSatz(satz);
    ZeigeAktiv(&form);
    for (int i = 0; i < 12; ++i)
        Tippe(Monat(form, i), QStringLiteral("50"));
    QTest::mouseClick(form.btnOK, Qt::LeftButton);
    ASSERT_EQ(form.result(), QDialog::Accepted);
    TParameterSatz zurueck;
    form.GetParameterSatz(zurueck);
    for (const long double monat : zurueck.Niederschlag)
        EXPECT_EQ(monat, 0.05L);
    EXPECT_NEAR(static_cast<double>(zurueck.Menge), 0.6, 1e-15);
    TParameterSatz erwartet = satz;
    erwartet.Niederschlag = zurueck.Niederschlag;
    erwartet.Menge = zurueck.Menge;
    EXPECT_EQ(zurueck, erwartet);

    // Fractions of a millimetre are kept.
    TfrmExpNS zweite;
    zweite.SetParameterSatz(satz);
    Tippe(zweite.edJan, QStringLiteral("52,35"));
    Tippe(zweite.edDez, QStringLiteral("0,5"));
    QTest::mouseClick(zweite.btnOK, Qt::LeftButton);
    zweite.GetParameterSatz(zurueck);
    EXPECT_NEAR(static_cast<double>(zurueck.Niederschlag[0]), 0.05235, 1e-17);
    EXPECT_NEAR(static_cast<double>(zurueck.Niederschlag[11]), 0.0005, 1e-18);
    EXPECT_NEAR(static_cast<double>(zurueck.Menge), 0.05235 + 0.0005 + 0.715 - 0.055 - 0.050,
                1e-15);
}

TEST(ExpNS, EveryMonthIsCheckedFromZeroTo500)
{
    struct Fall {
        QString text;
        bool gut;
        long double meter;
    };
    const Fall faelle[] = {
        {"0", true, 0},
        {"500", true, 0.5L},
        {"500,0", true, 0.5L},
        {"5e2", true, 0.5L},
        {" 50 ", true, 0.05L},
        {"-0", true, 0},
        {"1e-5000", true, 0},
        {"500,5", false, 0},
        {"500,0001", false, 0},
        {"-1", false, 0},
        {"-0,1", false, 0},
        {"", false, 0},
        {"   ", false, 0},
        {"50.5", false, 0},
        {"1.000", false, 0},
        {"inf", false, 0},
        {"nan", false, 0},
        {"abc", false, 0},
        {"5O", false, 0},
        {"50 mm", false, 0},
        {QStringLiteral("５０"), false, 0},
        {QStringLiteral("50²"), false, 0},
        {"1e5000", false, 0},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(("'" + fall.text + "'").toStdString());
        MeldungsRekorder meldungen;
        TfrmExpNS form;
        form.SetParameterSatz(NeuerSatz());
        ZeigeAktiv(&form);
        Tippe(form.edMae, fall.text);
        EXPECT_EQ(form.edMae->text(), fall.text);
        QTest::mouseClick(form.btnOK, Qt::LeftButton);
        if (fall.gut) {
            EXPECT_TRUE(meldungen.Meldungen.empty());
            EXPECT_EQ(form.result(), QDialog::Accepted);
            TParameterSatz zurueck;
            form.GetParameterSatz(zurueck);
            EXPECT_EQ(zurueck.Niederschlag[2], fall.meter);
            EXPECT_FALSE(std::signbit(zurueck.Niederschlag[2]));
            continue;
        }
        // Raised to the event loop: the central handler shows it with the program's title.
        ASSERT_EQ(meldungen.Meldungen.size(), 1u);
        EXPECT_EQ(meldungen.Meldungen[0].Text, Meldungstext);
        EXPECT_EQ(meldungen.Meldungen[0].Titel, QStringLiteral("Tropfwerk 2003"));
        EXPECT_EQ(meldungen.Meldungen[0].Symbol, QMessageBox::Critical);
        EXPECT_EQ(meldungen.Meldungen[0].Besitzer, &form);
        EXPECT_EQ(Fokus(), QStringLiteral("edMae"));
        EXPECT_TRUE(form.isVisible());
        EXPECT_NE(form.result(), QDialog::Accepted);
        EXPECT_EQ(form.edMae->text(), fall.text);
    }
}

TEST(ExpNS, FirstFailingMonthGetsTheFocusAndOnlyOneMessage)
{
    MeldungsRekorder meldungen;
    TParameterSatz satz = NeuerSatz();
    TfrmExpNS form;
    form.SetParameterSatz(satz);
    ZeigeAktiv(&form);
    Tippe(form.edJan, QStringLiteral("70"));
    Tippe(form.edMae, QStringLiteral("x"));
    Tippe(form.edOkt, QStringLiteral("600"));
    QTest::mouseClick(form.btnOK, Qt::LeftButton);
    ASSERT_EQ(meldungen.Meldungen.size(), 1u);
    EXPECT_EQ(Fokus(), QStringLiteral("edMae"));
    // The months before March are already in the form's copy; the rest is as it was.
    TParameterSatz zwischen;
    form.GetParameterSatz(zwischen);
    EXPECT_EQ(zwischen.Niederschlag[0], 0.07L);
    EXPECT_EQ(zwischen.Niederschlag[1], StandardNiederschlag[1]);
    EXPECT_EQ(zwischen.Niederschlag[9], StandardNiederschlag[9]);
    EXPECT_EQ(zwischen.Menge, 0);

    Tippe(form.edMae, QStringLiteral("40"));
    form.edJan->setFocus();
    QTest::mouseClick(form.btnOK, Qt::LeftButton);
    ASSERT_EQ(meldungen.Meldungen.size(), 2u);
    EXPECT_EQ(meldungen.Meldungen[1].Text, Meldungstext);
    EXPECT_EQ(Fokus(), QStringLiteral("edOkt"));
    EXPECT_TRUE(form.isVisible());

    Tippe(form.edOkt, QStringLiteral("60"));
    QTest::mouseClick(form.btnOK, Qt::LeftButton);
    EXPECT_EQ(meldungen.Meldungen.size(), 2u);
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST(ExpNS, CancelLeavesTheCallersSetAsItWas)
{
    const std::pair<const char*, std::function<void(TfrmExpNS*)>> abbrueche[] = {
        {"Abbrechen", [](TfrmExpNS* f) { QTest::mouseClick(f->btnCancel, Qt::LeftButton); }},
        {"Escape", [](TfrmExpNS* f) { QTest::keyClick(f->edMae, Qt::Key_Escape); }},
        {"Schliessen", [](TfrmExpNS* f) { f->close(); }},
    };
    for (const auto& eintrag : abbrueche) {
        SCOPED_TRACE(eintrag.first);
        const std::function<void(TfrmExpNS*)>& abbruch = eintrag.second;
        MeldungsRekorder meldungen;
        TParameterSatz satz = NeuerSatz();
        satz.Niederschlag[0] = StationsWert("63.1");
        satz.PLZ = QStringLiteral("52062");
        const TParameterSatz vorher = satz;
        // The callers' protocol: take the set back only after OK.
        TfrmExpNS form;
        form.SetParameterSatz(satz);
        ModalFolge antworten({[&abbruch](QWidget* f) {
            auto* editor = static_cast<TfrmExpNS*>(f);
            Tippe(editor->edJan, QStringLiteral("20"));
            Tippe(editor->edFeb, QStringLiteral("-5"));
            QTest::mouseClick(editor->btnOK, Qt::LeftButton); // fails at February
            abbruch(editor);
        }});
        if (form.exec() == QDialog::Accepted)
            form.GetParameterSatz(satz);
        EXPECT_EQ(antworten.Beantwortet(), 1);
        EXPECT_EQ(form.result(), QDialog::Rejected);
        EXPECT_EQ(meldungen.Meldungen.size(), 1u);
        EXPECT_EQ(satz, vorher);
    }
}

TEST(ExpNS, EnterMovesLikeTabAndNeverAccepts)
{
    MeldungsRekorder meldungen;
    TfrmExpNS form;
    form.SetParameterSatz(NeuerSatz());
    ZeigeAktiv(&form);
    for (int i = 1; i <= 14; ++i) {
        Taste(i % 2 ? Qt::Key_Return : Qt::Key_Enter);
        const QString erwartet = i < 12    ? QString::fromLatin1(Namen[i])
                                 : i == 12 ? QStringLiteral("btnOK")
                                 : i == 13 ? QStringLiteral("btnCancel")
                                           : QStringLiteral("edJan");
        EXPECT_EQ(Fokus(), erwartet);
        EXPECT_TRUE(form.isVisible());
    }
    // Enter on the focused buttons neither accepted nor cancelled.
    EXPECT_EQ(form.result(), 0);
    EXPECT_TRUE(meldungen.Meldungen.empty());
}
