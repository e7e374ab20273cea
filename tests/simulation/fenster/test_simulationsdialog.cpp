// Simulation dialog and result window: defaults, the checks of "&Start" in their order, the
// user-defined units with their up-down buttons, the product grid and cancelling.
#include "../../support/modal.h"
#include "../../support/rekorder.h"
#include "fenstertest.h"
#include "model/fehler.h"
#include "model/plattform.h"
#include "simulation/fenster/simuauswertung.h"
#include "simulation/fenster/simulationsdialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>

namespace {
const QString EinheitenFehler =
    QStringLiteral("Bitte geben Sie eine ganze Zahl >= 12 für die Zeiteinheiten an.");
const QString EinheitenGrenze =
    QStringLiteral("Bitte geben Sie eine ganze Zahl <= 8784 für die Zeiteinheiten an.");
const QString LaeufeFehler =
    QStringLiteral("Bitte geben Sie eine ganze Zahl >= 1 für die Anzahl der Durchläufe ein.");
const QString VolMinFehler =
    QStringLiteral("Bitte geben Sie eine eine Zahl größer als 0 und kleiner als das maximale "
                   "Volumen der Zisterne für den Mindestfüllstand an.");

class Dialog : public ::testing::Test {
protected:
    Dialog()
    {
        vorlage.Runs = 100;
        vorlage.IntervalFrom = 1;
        vorlage.IntervalTo = 12;
        vorlage.StartTime = 1;
        InitParameterSatz(vorlage.ParameterSatz);
        vorlage.ParameterSatz.Volumen = 3.2L;
        vorlage.VolMin = 7; // left from an earlier run
        vorlage.RainCurve = {0.05L, 0.06L};
        ProgrammEinstellungen().remove(QStringLiteral("Simulation"));
    }

    std::unique_ptr<TFSimulationDialog> Neu()
    {
        auto d = std::make_unique<TFSimulationDialog>(*produkte);
        d->SetSimulationSet(vorlage);
        d->show();
        return d;
    }
    // "&Start" as the user presses it; errors reach the central handler.
    static void Start(TFSimulationDialog& d) { QTest::mouseClick(d.btnStart, Qt::LeftButton); }
    static TSimulationSet Ergebnis(const TFSimulationDialog& d)
    {
        TSimulationSet s;
        d.GetSimulationSet(s);
        return s;
    }
    // A click on the radio's circle.
    static void Waehle(QRadioButton* radio)
    {
        QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
    }

    std::unique_ptr<TTabelle> produkte = KleineProduktTabelle();
    TSimulationSet vorlage;
    MeldungsRekorder meldungen;
};

TEST_F(Dialog, OeffnetMitDenVorgaben)
{
    auto d = Neu();
    EXPECT_EQ(d->size(), QSize(419, 473));
    EXPECT_EQ(d->edRuns->text(), QStringLiteral("100"));
    EXPECT_EQ(d->edVolMin->text(), QStringLiteral("0"));
    EXPECT_EQ(d->cbGraphics->checkState(), Qt::Checked);
    EXPECT_TRUE(d->rbMonth->isChecked());
    EXPECT_FALSE(d->edUsrUnits->isEnabled());
    EXPECT_FALSE(d->udUsrUnits->isEnabled());
    EXPECT_EQ(d->udUsrUnits->Position(), 12);
    EXPECT_TRUE(d->rbCalc->isChecked());
    EXPECT_FALSE(d->gridProd->isEnabled());
    EXPECT_TRUE(d->rbTageswetter->isChecked());
}

TEST_F(Dialog, StartMitDenVorgabenGibtDieEinstellungenHeraus)
{
    auto d = Neu();
    Start(*d);
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_TRUE(meldungen.Meldungen.empty());
    TSimulationSet erwartet = vorlage;
    erwartet.VolMin = 0;
    erwartet.Graphics = true;
    erwartet.Wetter = TWetterModell::Tageswetter;
    // Interval, runs, computed volume, start level, start time and curves as handed in.
    EXPECT_EQ(Ergebnis(*d), erwartet);
}

TEST_F(Dialog, ZeitintervallNachAuswahl)
{
    const struct {
        const char* radio;
        const char* einheiten;
        std::int32_t intervalTo;
    } faelle[] = {{"rbMonth", "", 12},    {"rbDay", "", 365},       {"rbUser", "12", 12},
                  {"rbUser", "400", 400}, {"rbUser", "8784", 8784}, {"rbUser", "$10", 16}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(std::string(f.radio) + " " + f.einheiten);
        auto d = Neu();
        Waehle(FindeKind<QRadioButton>(d.get(), f.radio));
        if (*f.einheiten)
            d->edUsrUnits->setText(QString::fromLatin1(f.einheiten));
        Start(*d);
        EXPECT_EQ(d->result(), QDialog::Accepted);
        const TSimulationSet s = Ergebnis(*d);
        EXPECT_EQ(s.IntervalFrom, 1);
        EXPECT_EQ(s.IntervalTo, f.intervalTo);
    }
    EXPECT_TRUE(meldungen.Meldungen.empty());
}

TEST_F(Dialog, ErsterFehlerBleibtImDialog)
{
    using Einstellung = std::function<void(TFSimulationDialog&)>;
    const auto benutzer = [](const char* text) {
        return [text](TFSimulationDialog& d) {
            Waehle(d.rbUser);
            d.edUsrUnits->setText(QString::fromUtf8(text));
        };
    };
    const auto feld = [](QLineEdit* TFSimulationDialog::*f, const char* text) {
        return [f, text](TFSimulationDialog& d) { (d.*f)->setText(QString::fromUtf8(text)); };
    };
    const struct {
        const char* name;
        std::vector<Einstellung> einstellungen;
        QString meldung;
    } faelle[] = {
        {"11 Zeiteinheiten", {benutzer("11")}, EinheitenFehler},
        {"Zeiteinheiten kein Wert", {benutzer("zwölf")}, EinheitenFehler},
        {"Zeiteinheiten mit Komma", {benutzer("12,5")}, EinheitenFehler},
        {"Zeiteinheiten über der Grenze", {benutzer("8785")}, EinheitenGrenze},
        {"Zeiteinheiten größte Ganzzahl", {benutzer("2147483647")}, EinheitenGrenze},
        {"kein Intervall",
         {[](TFSimulationDialog& d) {
             d.rbMonth->setAutoExclusive(false);
             d.rbMonth->setChecked(false);
         }},
         QStringLiteral("Bitte wählen Sie ein Zeitinterval.")},
        {"0 Durchläufe", {feld(&TFSimulationDialog::edRuns, "0")}, LaeufeFehler},
        {"negative Durchläufe", {feld(&TFSimulationDialog::edRuns, "-3")}, LaeufeFehler},
        {"Mindestfüllstand negativ", {feld(&TFSimulationDialog::edVolMin, "-0,1")}, VolMinFehler},
        {"Mindestfüllstand über dem Volumen",
         {feld(&TFSimulationDialog::edVolMin, "3,21")},
         VolMinFehler},
        {"Mindestfüllstand mit Punkt", {feld(&TFSimulationDialog::edVolMin, "1.5")}, VolMinFehler},
        {"Grafikausgabe grau",
         {[](TFSimulationDialog& d) { d.cbGraphics->setCheckState(Qt::PartiallyChecked); }},
         QStringLiteral("Bitte wählen Sie einen gültigen Wert für die Grafikausgabe.")},
        // Several wrong entries: the earliest step reports.
        {"Einheiten vor Durchläufen",
         {benutzer("5"), feld(&TFSimulationDialog::edRuns, "0")},
         EinheitenFehler},
        {"Durchläufe vor Mindestfüllstand",
         {feld(&TFSimulationDialog::edRuns, "0"), feld(&TFSimulationDialog::edVolMin, "99")},
         LaeufeFehler},
        {"Mindestfüllstand vor Grafikausgabe",
         {feld(&TFSimulationDialog::edVolMin, "-1"),
          [](TFSimulationDialog& d) { d.cbGraphics->setCheckState(Qt::PartiallyChecked); }},
         VolMinFehler},
        // Last: it empties the shared product table.
        {"gewählte Zisterne ohne Auswahl",
         {[this](TFSimulationDialog& d) {
             FilterProducts(*produkte, 100); // nothing recommended, no current row
             Waehle(d.rbZisterne);
         }},
         QStringLiteral("Bitte wählen Sie eine Zisterne aus der Liste.")},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        meldungen.Meldungen.clear();
        auto d = Neu();
        for (const auto& e : f.einstellungen)
            e(*d);
        Start(*d);
        ASSERT_EQ(meldungen.Meldungen.size(), 1u);
        EXPECT_EQ(meldungen.Meldungen[0].Text, MitSchlusspunkt(f.meldung));
        EXPECT_EQ(meldungen.Meldungen[0].Symbol, QMessageBox::Critical);
        EXPECT_TRUE(d->isVisible());
        EXPECT_NE(d->result(), QDialog::Accepted);
        EXPECT_EQ(Ergebnis(*d), vorlage);
    }
}

TEST_F(Dialog, MindestfuellstandVonNullBisZumVolumen)
{
    for (const auto& [text, wert] : {std::pair{"0", 0.0L}, {"3,2", 3.2L}}) {
        auto d = Neu();
        d->edVolMin->setText(QString::fromLatin1(text));
        d->cbGraphics->setChecked(false);
        Start(*d);
        EXPECT_EQ(Ergebnis(*d).VolMin, wert);
        EXPECT_FALSE(Ergebnis(*d).Graphics);
    }
    EXPECT_TRUE(meldungen.Meldungen.empty());
}

TEST_F(Dialog, ZeiteinheitenMitAufAbKnoepfen)
{
    auto d = Neu();
    Waehle(d->rbUser);
    EXPECT_TRUE(d->edUsrUnits->isEnabled());
    EXPECT_TRUE(d->udUsrUnits->isEnabled());

    QTest::mouseClick(d->udUsrUnits->btnAuf, Qt::LeftButton);
    EXPECT_EQ(d->edUsrUnits->text(), QStringLiteral("13"));
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(d->udUsrUnits->btnAb, Qt::LeftButton);
    EXPECT_EQ(d->edUsrUnits->text(), QStringLiteral("12")); // stops at 12

    // A typed number is where the next step starts; the buttons stop at 366.
    d->edUsrUnits->setText(QStringLiteral("365"));
    QTest::mouseClick(d->udUsrUnits->btnAuf, Qt::LeftButton);
    QTest::mouseClick(d->udUsrUnits->btnAuf, Qt::LeftButton);
    EXPECT_EQ(d->edUsrUnits->text(), QStringLiteral("366"));
    d->edUsrUnits->setFocus();
    QTest::keyClick(d->edUsrUnits, Qt::Key_Down);
    EXPECT_EQ(d->edUsrUnits->text(), QStringLiteral("365"));

    Waehle(d->rbDay);
    EXPECT_FALSE(d->edUsrUnits->isEnabled());
    EXPECT_FALSE(d->udUsrUnits->isEnabled());
    Waehle(d->rbUser);
    EXPECT_TRUE(d->udUsrUnits->isEnabled());

    try {
        d->rbIntervalClick(3);
        ADD_FAILURE() << "no error";
    } catch (const EFehler& e) {
        EXPECT_EQ(e.Meldung(), QStringLiteral("Ungültiger Radiobutton"));
        EXPECT_EQ(dynamic_cast<const EInvalidValueException*>(&e), nullptr);
    }
}

TEST_F(Dialog, ZisterneAusDemKatalog)
{
    FilterProducts(*produkte, 3.2L); // 2,7 … 3,7 m³
    auto d = Neu();
    ASSERT_EQ(d->gridProd->model()->rowCount(), 3);
    EXPECT_EQ(d->gridProd->model()->index(2, 2).data().toString(), QStringLiteral("3,3 m³"));

    Waehle(d->rbZisterne);
    EXPECT_TRUE(d->gridProd->isEnabled());
    Waehle(d->rbCalc);
    EXPECT_FALSE(d->gridProd->isEnabled());
    Waehle(d->rbZisterne);

    // A click on a row moves the table's current row and leaves rbZisterne checked.
    const QModelIndex zelle = d->gridProd->model()->index(2, 1);
    QTest::mouseClick(d->gridProd->viewport(), Qt::LeftButton, {},
                      d->gridProd->visualRect(zelle).center());
    EXPECT_TRUE(d->rbZisterne->isChecked());
    EXPECT_EQ(produkte->AktuelleZeile(), 2);

    // The row moved elsewhere shows in the grid.
    produkte->SetzeAktuelleZeile(1);
    EXPECT_EQ(d->gridProd->currentIndex().row(), 1);
    produkte->SetzeAktuelleZeile(2);

    // The product's volume bounds the minimum level; a failed start keeps the computed one.
    d->edVolMin->setText(QStringLiteral("3,25"));
    Start(*d);
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(Ergebnis(*d).ParameterSatz.Volumen, 3.3L);
    EXPECT_EQ(Ergebnis(*d).VolMin, 3.25L);
    EXPECT_TRUE(meldungen.Meldungen.empty());
}

TEST_F(Dialog, FehlgeschlagenerStartBehaeltDasBerechneteVolumen)
{
    FilterProducts(*produkte, 3.2L);
    produkte->SetzeAktuelleZeile(2); // 3,3 m³
    auto d = Neu();
    Waehle(d->rbZisterne);
    d->edVolMin->setText(QStringLiteral("5"));
    Start(*d);
    ASSERT_EQ(meldungen.Meldungen.size(), 1u);

    Waehle(d->rbCalc);
    d->edVolMin->setText(QStringLiteral("3,2"));
    Start(*d);
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(Ergebnis(*d).ParameterSatz.Volumen, 3.2L);
}

TEST_F(Dialog, AbbrechenGibtNichtsHeraus)
{
    for (const bool esc : {false, true}) {
        SCOPED_TRACE(esc ? "Esc" : "Abbrechen");
        auto d = Neu();
        d->edRuns->setText(QStringLiteral("7"));
        if (esc)
            QTest::keyClick(d->edRuns, Qt::Key_Escape);
        else
            QTest::mouseClick(d->btnAbort, Qt::LeftButton);
        EXPECT_EQ(d->result(), QDialog::Rejected);
        EXPECT_FALSE(d->isVisible());
        EXPECT_EQ(Ergebnis(*d), vorlage);
    }
}

TEST_F(Dialog, WetterwahlBleibtGespeichert)
{
    const struct {
        const char* radio;
        TWetterModell modell;
    } faelle[] = {{"rbVereinfacht", TWetterModell::Vereinfacht},
                  {"rbTageswetter", TWetterModell::Tageswetter},
                  {"rbVereinfacht", TWetterModell::Vereinfacht}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.radio);
        auto d = Neu();
        auto* radio = FindeKind<QRadioButton>(d.get(), f.radio);
        EXPECT_EQ(radio->accessibleName(), radio->text());
        Waehle(radio);
        Start(*d);
        EXPECT_EQ(Ergebnis(*d).Wetter, f.modell);
        // The next dialog opens with it; a cancelled one does not change it.
        auto naechster = Neu();
        Waehle(f.modell == TWetterModell::Vereinfacht ? naechster->rbTageswetter
                                                      : naechster->rbVereinfacht);
        QTest::mouseClick(naechster->btnAbort, Qt::LeftButton);
        EXPECT_EQ(GespeichertesWettermodell(), f.modell);
        EXPECT_EQ(Neu()->rbVereinfacht->isChecked(), f.modell == TWetterModell::Vereinfacht);
    }
    EXPECT_EQ(Neu()->rbVereinfacht->text(),
              QStringLiteral("Vereinfachtes Modell (Monatsmittel mit geringer Streuung)"));
    EXPECT_EQ(Neu()->rbTageswetter->text(), QStringLiteral("Tageswetter wie an echten Stationen"));
}

TEST(SimuAuswertung, ZeigtDieMittelMitZweiNachkommastellen)
{
    TfrmSimuAuswertung fenster;
    EXPECT_EQ(fenster.lLeer->text(), QStringLiteral("0"));

    QString leer, ueber, fuell, anteil;
    ModalFolge folge({[&](QWidget* f) {
        auto* w = qobject_cast<TfrmSimuAuswertung*>(f);
        ASSERT_EQ(w, &fenster);
        leer = w->lLeer->text();
        ueber = w->lUeber->text();
        fuell = w->lFuell->text();
        anteil = w->lAnteil->text();
        QTest::mouseClick(w->btnOK, Qt::LeftButton);
    }});
    fenster.ShowResults(2, 0.125L, 1234567.5L, 0.87549L);
    EXPECT_EQ(folge.Beantwortet(), 1);
    EXPECT_FALSE(fenster.isVisible());
    EXPECT_EQ(leer, QStringLiteral("2,00"));
    EXPECT_EQ(ueber, QStringLiteral("0,13"));
    EXPECT_TRUE(fuell.startsWith(QStringLiteral("1,23457E"))) << fuell.toStdString();
    EXPECT_EQ(anteil, QStringLiteral("87,5"));
    EXPECT_TRUE(fenster.lAnteilLabel->text().startsWith(QStringLiteral("Regenwasseranteil")));
}
} // namespace
