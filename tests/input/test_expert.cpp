// Expert input form, driven through its controls: layout and tab order, lossless display, the
// field checks on leaving and on confirming, the postal-code look-up, ">>" with the
// precipitation editor, the area list, Enter, help and the captions for editing a set.
#include "../support/kleinetabellen.h"
#include "../support/modal.h"
#include "../support/rekorder.h"
#include "eingabetest.h"
#include "input/expert.h"
#include "input/expns.h"
#include "input/flaechedialog.h"
#include "model/zahlenformat.h"
#include "refdata/plzkonverter.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <cmath>
#include <gtest/gtest.h>
#include <utility>

namespace {
const char* const ZahlFelder[10] = {"edWGrad", "edWCSpar", "edWCSparV", "edWCNorm",  "edWCNormV",
                                    "edWasch", "edWaschV", "edGarten",  "edGartenV", "edLBeiwert"};
const int Grenzen[10] = {100, 99, 999, 99, 999, 99, 999, 100000, 999, 1};
long double TParameterSatz::*const Werte[10] = {
    &TParameterSatz::WGrad,      &TParameterSatz::PersWCSpar,  &TParameterSatz::PersWCSparV,
    &TParameterSatz::PersWCNorm, &TParameterSatz::PersWCNormV, &TParameterSatz::PersWasch,
    &TParameterSatz::PersWaschV, &TParameterSatz::Garten,      &TParameterSatz::GartenV,
    &TParameterSatz::LadeBeiwert};

QString Text(const char* t)
{
    return QString::fromUtf8(t);
}

long double Saarbruecken(int monat)
{
    return static_cast<long double>(40 + monat) / 1000;
}

TParameterSatz NeuerSatz()
{
    TParameterSatz satz;
    InitParameterSatz(satz);
    return satz;
}

// The area dialog's answer: both values typed, then "&Hinzufügen".
ModalAntwort Flaeche(const char* flaeche, const char* beiwert)
{
    return [=](QWidget* f) {
        auto* dialog = static_cast<TfrmFlaecheDialog*>(f);
        dialog->edFlaeche->setText(Text(flaeche));
        dialog->edBeiwert->setText(Text(beiwert));
        dialog->btnOK->click();
    };
}

class Experte : public ::testing::Test {
protected:
    void Zeige(const TParameterSatz& satz = NeuerSatz())
    {
        form.hide();
        form.SetParameterSatz(satz);
        ZeigeAktiv(&form);
    }
    QLineEdit* Feld(const char* name) { return FindeKind<QLineEdit>(&form, name); }
    // Clicks the button and answers the modal windows it opens.
    void Klicke(QPushButton* knopf, std::vector<ModalAntwort> antworten)
    {
        const int anzahl = static_cast<int>(antworten.size());
        ModalFolge folge(std::move(antworten));
        QTest::mouseClick(knopf, Qt::LeftButton);
        EXPECT_EQ(folge.Beantwortet(), anzahl);
        ZeigeAktiv(&form); // as the window manager does when the dialog has gone
    }
    void Bestaetige() { QTest::mouseClick(form.btnBerechnen, Qt::LeftButton); }
    TParameterSatz Ergebnis()
    {
        TParameterSatz satz;
        form.GetParameterSatz(satz);
        return satz;
    }
    QString Zelle(int zeile, int spalte) { return form.lvDach->topLevelItem(zeile)->text(spalte); }
    // The single message recorded since the last call.
    Meldung EineMeldung()
    {
        EXPECT_EQ(meldungen.Meldungen.size(), 1u);
        Meldung m = meldungen.Meldungen.empty() ? Meldung{} : meldungen.Meldungen.back();
        meldungen.Meldungen.clear();
        return m;
    }

    MeldungsRekorder meldungen;
    std::unique_ptr<TPLZConverter> tabellen = KleineTabellen();
    TfrmExpert form{*tabellen};
};
} // namespace

TEST_F(Experte, LayoutCaptionsAndTabOrder)
{
    EXPECT_EQ(form.windowTitle(), Text("Experten-Eingabe"));
    EXPECT_EQ(form.size(), QSize(587, 275));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    // clang-format off
    const std::pair<const char*, const char*> texte[] = {
        {"gbErtrag", "Ertragsberechnung"}, {"gbBedarf", "Bedarfsberechnung"},
        {"gbDiverse", "Sonstige Parameter"}, {"lAuffangflaechen", "Auffangflächen"},
        {"btnPlus", "Hinzu&fügen"}, {"btnMinus", "&Enffernen"}, {"btnMore", ">>"},
        {"edWGradLabel", "Filterwirkungsgrad"}, {"lProzent", "%"}, {"edPLZLabel", "PLZ des Standortes"},
        {"edWCSparLabel", "Pers. x"}, {"edWCSparVLabel", "m³ Toilettenspülung / Jahr (mit Spar-Stoptaste)"},
        {"edWCNormLabel", "Pers. x"}, {"edWCNormVLabel", "m³ Toilettenspülung / Jahr (ohne Spar-Stoptaste)"},
        {"edWaschLabel", "Pers. x"}, {"edWaschVLabel", "m³ Waschmaschine / Jahr"},
        {"edGartenLabel", "m²  x "}, {"edGartenVLabel", "m³ intensive Gartenbewässerung / Jahr"},
        {"edLBeiwertLabel", "Ladebeiwert"}, {"btnBerechnen", "&Auswerten"},
        {"btnAbbrechen", "Abb&rechen"}, {"btnHilfe", "&Hilfe"}};
    // clang-format on
    for (const auto& [name, text] : texte) {
        QWidget* w = FindeKind<QWidget>(&form, name);
        ASSERT_NE(w, nullptr) << name;
        const QString ist = qobject_cast<QLabel*>(w)      ? qobject_cast<QLabel*>(w)->text()
                            : qobject_cast<QGroupBox*>(w) ? qobject_cast<QGroupBox*>(w)->title()
                                                          : qobject_cast<QPushButton*>(w)->text();
        EXPECT_EQ(ist, Text(text)) << name;
    }
    const QTreeWidget* lv = form.lvDach;
    EXPECT_EQ(lv->headerItem()->text(0), Text("Fläche (m²)"));
    EXPECT_EQ(lv->headerItem()->text(1), Text("Abflußbeiwert"));
    EXPECT_EQ(lv->columnWidth(0), 100);
    EXPECT_EQ(lv->columnWidth(1), 100);
    EXPECT_EQ(lv->headerItem()->textAlignment(1) & Qt::AlignRight, Qt::AlignRight);
    EXPECT_EQ(lv->editTriggers(), QAbstractItemView::NoEditTriggers);

    ZeigeAktiv(&form);
    // Nothing clipped: each control inside its parent, each text within its label.
    for (const QWidget* w : form.findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || lv->isAncestorOf(w))
            continue;
        EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry()))
            << w->objectName().toStdString();
        if (const auto* l = qobject_cast<const QLabel*>(w)) {
            const bool passt = l->wordWrap() ? l->heightForWidth(l->width()) <= l->height()
                                             : l->sizeHint().width() <= l->width();
            EXPECT_TRUE(passt) << l->objectName().toStdString();
        }
    }
    EXPECT_EQ(Fokus(), Text("btnPlus"));
    const char* const reihe[] = {
        "btnMinus",   "edWGrad",      "edPLZ",        "btnMore",  "edWCSpar", "edWCSparV",
        "edWCNorm",   "edWCNormV",    "edWasch",      "edWaschV", "edGarten", "edGartenV",
        "edLBeiwert", "btnBerechnen", "btnAbbrechen", "btnHilfe", "lvDach",   "btnPlus"};
    for (const char* naechster : reihe) {
        Taste(Qt::Key_Tab);
        EXPECT_EQ(Fokus(), Text(naechster));
    }
    EXPECT_TRUE(meldungen.Meldungen.empty());
}

TEST_F(Experte, ShowsValuesWithoutChangingThem)
{
    // A fresh set shows the display formats as they are.
    Zeige();
    const char* const frisch[10] = {"0",   "0,0",  "8,80", "0,0",  "14,00",
                                    "0,0", "4,40", "0,00", "0,06", "0,06"};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(Feld(ZahlFelder[i])->text(), Text(frisch[i])) << ZahlFelder[i];
    EXPECT_EQ(form.lvDach->topLevelItemCount(), 0);

    // Values the format would round get the decimals they need; confirming keeps every value.
    // The filter efficiency is given as shown, in percent.
    struct Fall {
        const char* wert[10];
        const char* text[10];
    };
    const Fall faelle[] = {
        {{"90", "4", "12,5", "12,3", "14", "2,5", "4,4", "150", "0,06", "0,065"},
         {"90", "4,0", "12,50", "12,3", "14,00", "2,5", "4,40", "150,00", "0,06", "0,065"}},
        {{"3", "0,25", "2,675", "99", "999", "0,05", "120", "1234,5678", "0,0625", "1"},
         {"3", "0,25", "2,675", "99,0", "999,00", "0,05", "1,2E+2", "1234,5678", "0,0625", "1,00"}},
        {{"89,25", "12,3456", "0,0001", "98,7", "8,8", "0,1", "4,375", "100000", "0,3", "0,5"},
         {"89,25", "12,3456", "0,0001", "98,7", "8,80", "0,1", "4,375", "100000,00", "0,30",
          "0,50"}},
        {{"87,654321", "0,123456", "8,81234", "1,5", "13,999999", "1E-7", "4,123456",
          "99999,999999", "0,000007", "0,999999"},
         {"87,654321", "0,123456", "8,81234", "1,5", "13,999999", "0,0000001", "4,123456",
          "99999,999999", "0,000007", "0,999999"}},
    };
    for (const Fall& fall : faelle) {
        TParameterSatz satz = NeuerSatz();
        satz.Flaechen = {{*zahl::Lies("12,345"), *zahl::Lies("0,125")},
                         {100, *zahl::Lies("0,9")},
                         {*zahl::Lies("1234,567891"), *zahl::Lies("0,999999")}};
        satz.PLZ.clear();
        satz.Niederschlag[0] = 0.0523L;
        satz.Menge = 0.7L;
        for (int i = 0; i < 10; ++i)
            satz.*Werte[i] = *zahl::Lies(Text(fall.wert[i])) / (i == 0 ? 100 : 1);
        TfrmExpert zweite(*tabellen);
        zweite.PLZChanged = false; // a hand-entered curve, as the evaluation window hands it in
        zweite.SetParameterSatz(satz);
        zweite.show();
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(FindeKind<QLineEdit>(&zweite, ZahlFelder[i])->text(), Text(fall.text[i]))
                << ZahlFelder[i];
        EXPECT_EQ(zweite.lvDach->topLevelItem(0)->text(0), Text("12,345"));
        EXPECT_EQ(zweite.lvDach->topLevelItem(0)->text(1), Text("0,125"));
        EXPECT_EQ(zweite.lvDach->topLevelItem(1)->text(1), Text("0,90"));
        EXPECT_EQ(zweite.lvDach->topLevelItem(2)->text(0), Text("1234,567891"));
        EXPECT_EQ(zweite.lvDach->topLevelItem(2)->text(1), Text("0,999999"));
        QTest::mouseClick(zweite.btnBerechnen, Qt::LeftButton);
        ASSERT_EQ(zweite.result(), QDialog::Accepted);
        TParameterSatz zurueck;
        zweite.GetParameterSatz(zurueck);
        EXPECT_EQ(zurueck, satz);
    }

    // A stored fraction shows every decimal it has, in percent; the postal code is never shown.
    TParameterSatz satz = NeuerSatz();
    satz.WGrad = *zahl::Lies("0,9012345");
    satz.PLZ = Text("66111");
    Zeige(satz);
    EXPECT_EQ(form.edWGrad->text(), Text("90,12345"));
    EXPECT_EQ(form.edPLZ->text(), QString());
    EXPECT_TRUE(form.PLZChanged);
    EXPECT_TRUE(meldungen.Meldungen.empty());
}

TEST_F(Experte, FieldChecksWithBoundsOnLeavingAndConfirming)
{
    Zeige();
    Klicke(form.btnPlus, {Flaeche("100", "0,9")});
    Tippe(form.edPLZ, Text("66111"));
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(ZahlFelder[i]);
        QLineEdit* feld = Feld(ZahlFelder[i]);
        const QString grenze = QString::number(Grenzen[i]);
        const QString meldung =
            Text("Bitte geben Sie eine Zahl zwischen 0 und ") + grenze + Text(" ein.");
        const QString gut[] = {grenze,      Text("0"),   Text("-0"),
                               Text(" 1 "), Text("1e0"), grenze + Text(",0000")};
        QStringList schlecht{grenze + Text(",01"), grenze + Text(",0000001")};
        for (const char* text : {"1e6", "-0,01", "-1", "1.5", "1.000", "1,5.0", "inf", "nan", "abc",
                                 " ", "1e99999", "0x1", "½"})
            schlecht << Text(text);
        // Leaving towards the next edit field (or, from the last one, the confirm button).
        for (const QString& text : gut) {
            Tippe(feld, text);
            Taste(Qt::Key_Tab);
            EXPECT_NE(Fokus(), QString::fromLatin1(ZahlFelder[i])) << text.toStdString();
            EXPECT_EQ(feld->text(), text);
        }
        Tippe(feld, QString());
        Taste(Qt::Key_Tab);
        EXPECT_EQ(feld->text(), Text("0")); // an empty field becomes 0 without a word
        EXPECT_TRUE(meldungen.Meldungen.empty());
        for (const QString& text : schlecht) {
            SCOPED_TRACE(text.toStdString());
            Tippe(feld, text);
            Taste(Qt::Key_Tab);
            const Meldung m = EineMeldung();
            EXPECT_EQ(m.Text, meldung);
            EXPECT_EQ(m.Titel, Text("Fehler"));
            EXPECT_EQ(m.Symbol, QMessageBox::Critical);
            EXPECT_EQ(m.Besitzer, feld);
            EXPECT_EQ(Fokus(), QString::fromLatin1(ZahlFelder[i]));
            EXPECT_EQ(feld->text(), text);
            EXPECT_FALSE(form.InputValid);
            // The same on confirming, wherever the focus is; the form stays open.
            form.btnHilfe->setFocus();
            Bestaetige();
            EXPECT_EQ(EineMeldung().Text, meldung);
            EXPECT_EQ(Fokus(), QString::fromLatin1(ZahlFelder[i]));
            EXPECT_TRUE(form.isVisible());
        }
        Tippe(feld, grenze);
    }
    // Every field on its bound at once is accepted.
    Bestaetige();
    ASSERT_EQ(form.result(), QDialog::Accepted);
    const TParameterSatz satz = Ergebnis();
    EXPECT_EQ(satz.WGrad, 1);
    EXPECT_EQ(satz.PersWCSpar, 99);
    EXPECT_EQ(satz.PersWaschV, 999);
    EXPECT_EQ(satz.Garten, 100000);
    EXPECT_EQ(satz.LadeBeiwert, 1);
    EXPECT_FALSE(std::signbit(satz.GartenV));
}

TEST_F(Experte, LeavingChecksOnlyTowardsEditFieldsAndTheConfirmButton)
{
    Zeige();
    Tippe(form.edPLZ, Text("66111"));
    Tippe(form.edWCSpar, Text("-1"));
    for (QWidget* ziel :
         std::initializer_list<QWidget*>{form.lvDach, form.btnPlus, form.btnMinus, form.btnMore,
                                         form.btnHilfe, form.btnAbbrechen}) {
        ziel->setFocus(Qt::MouseFocusReason);
        EXPECT_EQ(QApplication::focusWidget(), ziel);
        form.edWCSpar->setFocus(Qt::MouseFocusReason);
    }
    EXPECT_TRUE(meldungen.Meldungen.empty());
    const QString bereich = Text("Bitte geben Sie eine Zahl zwischen 0 und 99 ein.");
    form.edPLZ->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(EineMeldung().Text, bereich);
    EXPECT_EQ(Fokus(), Text("edWCSpar"));

    // A click on the confirm button from the bad field: one message, the click is void.
    Klicke(form.btnPlus, {Flaeche("10", "1")});
    form.edWCSpar->setFocus(Qt::MouseFocusReason);
    Bestaetige();
    EXPECT_EQ(EineMeldung().Text, bereich);
    EXPECT_EQ(Fokus(), Text("edWCSpar"));
    EXPECT_TRUE(form.isVisible());
    // With a real message box the press arrives when the box has gone: still no click.
    {
        const MeldungsFunktion rekorder = SetzeMeldungsFunktion({});
        ModalFolge box(
            {[](QWidget* f) { static_cast<QMessageBox*>(f)->button(QMessageBox::Ok)->click(); }});
        Bestaetige();
        SetzeMeldungsFunktion(rekorder);
        EXPECT_EQ(box.Beantwortet(), 1);
    }
    EXPECT_FALSE(form.btnBerechnen->isDown());
    EXPECT_TRUE(form.isVisible());
    ZeigeAktiv(&form);
    EXPECT_EQ(Fokus(), Text("edWCSpar"));
    // Its mnemonic confirms in place: again exactly one message.
    QTest::keyClick(form.edWCSpar, Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(EineMeldung().Text, bereich);
    EXPECT_TRUE(form.isVisible());
    // "Abbrechen" leaves without a word.
    QTest::mouseClick(form.btnAbbrechen, Qt::LeftButton);
    EXPECT_TRUE(meldungen.Meldungen.empty());
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_EQ(Ergebnis(), NeuerSatz());
}

TEST_F(Experte, ConfirmingChecksTheAreasFirstThenTheFieldsInTheirOrder)
{
    Zeige();
    form.edPLZ->setText(Text("66111"));
    form.edWCSpar->setText(Text("100"));
    form.edWCNormV->setText(Text("x"));
    form.edLBeiwert->setFocus();
    Bestaetige();
    const Meldung keine = EineMeldung();
    EXPECT_EQ(keine.Text, Text("Bitte geben mindestens eine Auffangfläche an."));
    EXPECT_EQ(keine.Titel, Text("Fehler"));
    EXPECT_EQ(keine.Besitzer, &form);
    EXPECT_EQ(Fokus(), Text("btnPlus"));

    Klicke(form.btnPlus, {Flaeche("80", "0,8")});
    Bestaetige();
    EXPECT_EQ(EineMeldung().Besitzer, form.edWCNormV); // checked before edWCSpar
    Tippe(form.edWCNormV, Text("14"));
    Bestaetige();
    EXPECT_EQ(EineMeldung().Besitzer, form.edWCSpar);
    EXPECT_TRUE(form.isVisible());
}

TEST_F(Experte, PostalCodeIsCheckedAndLookedUpOnConfirming)
{
    const std::pair<const char*, const char*> fehler[] = {
        {"", "ungültige Postleitzahl."},
        {"1234", "ungültige Postleitzahl."},
        {"123456", "ungültige Postleitzahl."},
        {"12a45", "ungültige Postleitzahl."},
        {"99999", "Postleitzahl konnte nicht angenähert werden!"},
        {"-6611", "Postleitzahl konnte nicht angenähert werden!"},
        {"70123", "Stadt nicht gefunden."},
    };
    Zeige();
    Klicke(form.btnPlus, {Flaeche("100", "0,9")});
    for (const auto& [code, meldung] : fehler) {
        Tippe(form.edPLZ, Text(code));
        Bestaetige();
        const Meldung m = EineMeldung();
        EXPECT_EQ(m.Text, Text(meldung)) << code;
        EXPECT_EQ(m.Titel, Text("Tropfwerk 2003"));
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(Ergebnis(), NeuerSatz());
    }
    Tippe(form.edPLZ, Text("66123"));
    Tippe(form.edWGrad, Text("90"));
    Bestaetige();
    ASSERT_EQ(form.result(), QDialog::Accepted);
    const TParameterSatz satz = Ergebnis();
    EXPECT_EQ(satz.PLZ, Text("66111"));
    EXPECT_EQ(form.edPLZ->text(), Text("66123"));
    for (int m = 0; m < 12; ++m)
        EXPECT_EQ(satz.Niederschlag[m], Saarbruecken(m));
    EXPECT_NEAR(satz.Menge, 0.546L, 1e-15L);
    EXPECT_EQ(satz.WGrad, *zahl::Lies("0,9"));
    EXPECT_EQ(satz.Flaechen, (std::vector<TFlaeche>{{100, *zahl::Lies("0,9")}}));
}

TEST_F(Experte, HandEnteredPrecipitation)
{
    Zeige();
    Klicke(form.btnPlus, {Flaeche("100", "0,9")});
    // A code the engine cannot use is ignored: the editor shows the set's curve.
    Tippe(form.edPLZ, Text("abc"));
    QString januar;
    Klicke(form.btnMore, {[&](QWidget* f) {
               januar = static_cast<TfrmExpNS*>(f)->edJan->text();
               static_cast<TfrmExpNS*>(f)->reject();
           }});
    EXPECT_EQ(januar, Text("55"));
    EXPECT_EQ(form.edPLZ->text(), Text("abc"));
    EXPECT_TRUE(form.PLZChanged);

    // A usable code is approximated first and its station's curve edited.
    Tippe(form.edPLZ, Text("66123"));
    Klicke(form.btnMore, {[&](QWidget* f) {
               auto* editor = static_cast<TfrmExpNS*>(f);
               januar = editor->edJan->text();
               editor->edJan->setText(Text("30"));
               editor->btnOK->click();
           }});
    EXPECT_EQ(januar, Text("40"));
    EXPECT_EQ(form.edPLZ->text(), QString());
    EXPECT_FALSE(form.PLZChanged);
    EXPECT_TRUE(meldungen.Meldungen.empty());
    Bestaetige(); // no postal code needed now
    ASSERT_EQ(form.result(), QDialog::Accepted);
    TParameterSatz satz = Ergebnis();
    EXPECT_EQ(satz.PLZ, QString());
    EXPECT_EQ(satz.Niederschlag[0], 0.03L);
    EXPECT_EQ(satz.Niederschlag[1], Saarbruecken(1));
    EXPECT_NEAR(satz.Menge, 0.536L, 1e-15L);

    // Typing a postal code afterwards makes it mandatory again and brings the station's curve.
    form.setResult(0);
    ZeigeAktiv(&form);
    Tippe(form.edPLZ, Text("80331"));
    EXPECT_TRUE(form.PLZChanged);
    Bestaetige();
    satz = Ergebnis();
    EXPECT_EQ(satz.PLZ, Text("80000"));
    EXPECT_EQ(satz.Niederschlag[0], 0.07L);
}

TEST_F(Experte, AreasAreAddedAndRemoved)
{
    Zeige();
    Klicke(form.btnPlus, {Flaeche("12,345", "0,125")});
    Klicke(form.btnPlus, {Ablehnen()});
    Klicke(form.btnPlus, {Flaeche("100000", "1")});
    ASSERT_EQ(form.lvDach->topLevelItemCount(), 2);
    EXPECT_EQ(Zelle(0, 0), Text("12,345"));
    EXPECT_EQ(Zelle(0, 1), Text("0,125"));
    EXPECT_EQ(Zelle(1, 0), Text("100000,00"));
    EXPECT_EQ(Zelle(1, 1), Text("1,00"));

    form.lvDach->clearSelection();
    QTest::mouseClick(form.btnMinus, Qt::LeftButton);
    EXPECT_EQ(form.lvDach->topLevelItemCount(), 2);
    form.lvDach->topLevelItem(1)->setSelected(true);
    QTest::mouseClick(form.btnMinus, Qt::LeftButton);
    ASSERT_EQ(form.lvDach->topLevelItemCount(), 1);

    form.PLZChanged = false;
    Bestaetige();
    EXPECT_EQ(Ergebnis().Flaechen,
              (std::vector<TFlaeche>{{*zahl::Lies("12,345"), *zahl::Lies("0,125")}}));
    EXPECT_TRUE(meldungen.Meldungen.empty());
}

TEST_F(Experte, EnterMovesLikeTabAndPressesAFocusedButton)
{
    Zeige();
    form.lvDach->setFocus();
    Taste(Qt::Key_Return);
    EXPECT_EQ(Fokus(), Text("btnPlus"));
    form.edWGrad->setFocus();
    for (const char* naechster : {"edPLZ", "btnMore"}) {
        Taste(Qt::Key_Enter);
        EXPECT_EQ(Fokus(), Text(naechster));
    }
    form.edGartenV->setFocus();
    for (const char* naechster : {"edLBeiwert", "btnBerechnen"}) {
        Taste(Qt::Key_Return);
        EXPECT_EQ(Fokus(), Text(naechster));
    }
    EXPECT_TRUE(meldungen.Meldungen.empty());
    Taste(Qt::Key_Return); // presses "&Auswerten"
    EXPECT_EQ(EineMeldung().Text, Text("Bitte geben mindestens eine Auffangfläche an."));
}

TEST_F(Experte, HelpCancelAndTheCaptionsForEditingASet)
{
    HilfeRekorder hilfe;
    TParameterSatz satz = NeuerSatz();
    satz.Flaechen = {{50, 1}};
    Zeige(satz);
    QTest::keyClick(form.edGarten, Qt::Key_F1);
    QTest::mouseClick(form.btnHilfe, Qt::LeftButton);
    EXPECT_EQ(hilfe.Aufrufe,
              (std::vector<std::pair<HilfeDatei, int>>(2, {HilfeDatei::Anwendung, 30})));

    Tippe(form.edWCSpar, Text("3"));
    QTest::keyClick(form.edWCSpar, Qt::Key_Escape);
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_EQ(Ergebnis(), satz);

    TfrmExpert bearbeiten(*tabellen);
    bearbeiten.AlsParametersatzBearbeiten();
    bearbeiten.SetParameterSatz(satz);
    bearbeiten.PLZChanged = false;
    ZeigeAktiv(&bearbeiten);
    EXPECT_EQ(bearbeiten.windowTitle(), Text("Parametersatz bearbeiten"));
    EXPECT_EQ(bearbeiten.btnBerechnen->text(), Text("Ü&bernehmen"));
    QTest::keyClick(bearbeiten.edWCSpar, Qt::Key_B, Qt::AltModifier);
    EXPECT_EQ(bearbeiten.result(), QDialog::Accepted);
    EXPECT_TRUE(meldungen.Meldungen.empty());
}
