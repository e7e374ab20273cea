// Input wizard, driven through its controls: layout and start, page changes, the field checks
// with their bounds and truncation, the postal code while typing and on "&Weiter", the
// precipitation editor, the map window and its callback, areas, Enter, help and closing.
#include "../support/kleinetabellen.h"
#include "../support/modal.h"
#include "../support/rekorder.h"
#include "eingabetest.h"
#include "input/assistent.h"
#include "input/expns.h"
#include "input/fassistentdialog.h"
#include "model/zahlenformat.h"
#include "refdata/geokonverter.h"
#include "refdata/kartendialog.h"
#include "refdata/plzkonverter.h"
#include "ui/bilder.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <cmath>
#include <gtest/gtest.h>
#include <optional>
#include <utility>

namespace {
QString Text(const char* t)
{
    return QString::fromUtf8(t);
}

long double Wert(const char* text)
{
    return *zahl::Lies(Text(text));
}

// The curve of a station whose January has `mm` millimetres, one more each month.
TNiederschlag Kurve(int mm)
{
    TNiederschlag kurve{};
    for (int m = 0; m < 12; ++m)
        kurve[static_cast<size_t>(m)] = static_cast<long double>(mm + m) / 1000;
    return kurve;
}

TParameterSatz NeuerSatz()
{
    TParameterSatz satz;
    InitParameterSatz(satz);
    return satz;
}

// The area dialog's answer: area and coefficient typed, then "&Hinzufügen".
ModalAntwort Flaeche(const char* flaeche, const char* beiwert)
{
    return [=](QWidget* f) {
        auto* dialog = static_cast<TfrmFAssistentDialog*>(f);
        dialog->edFlaeche->setText(Text(flaeche));
        dialog->edBeiwert->setText(Text(beiwert));
        dialog->btnPlus->click();
    };
}

// The precipitation editor's answer: notes the January it shows and cancels.
ModalAntwort JanuarUndAbbrechen(QString& januar)
{
    return [&januar](QWidget* f) {
        januar = static_cast<TfrmExpNS*>(f)->edJan->text();
        static_cast<TfrmExpNS*>(f)->reject();
    };
}

const QString Titel = QStringLiteral("Tropfwerk 2003");

class Assistent : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.SetParameterSatz(NeuerSatz());
        ZeigeAktiv(&form);
    }
    int Seite() const { return form.pcAssistent->currentIndex(); }
    void Weiter() { QTest::mouseClick(form.btnWeiter, Qt::LeftButton); }
    void Zurueck() { QTest::mouseClick(form.btnZurueck, Qt::LeftButton); }
    void Auswerten() { QTest::mouseClick(form.btnAuswertung, Qt::LeftButton); }
    // Clicks the button and answers the modal windows it opens.
    void Klicke(QPushButton* knopf, std::vector<ModalAntwort> antworten)
    {
        const int anzahl = static_cast<int>(antworten.size());
        ModalFolge folge(std::move(antworten));
        QTest::mouseClick(knopf, Qt::LeftButton);
        EXPECT_EQ(folge.Beantwortet(), anzahl);
        ZeigeAktiv(&form); // as the window manager does when the dialog has gone
    }
    TParameterSatz Ergebnis()
    {
        TParameterSatz satz;
        form.GetParameterSatz(satz);
        return satz;
    }
    // The single message recorded since the last call.
    Meldung EineMeldung()
    {
        EXPECT_EQ(meldungen.Meldungen.size(), 1u);
        Meldung m = meldungen.Meldungen.empty() ? Meldung{} : meldungen.Meldungen.back();
        meldungen.Meldungen.clear();
        return m;
    }
    // Valid entries on every page before `seite`, leaving them forward.
    void BisSeite(int seite)
    {
        if (seite > 0) {
            Tippe(form.edPLZ, Text("66123"));
            Weiter();
        }
        if (seite > 1) {
            Klicke(form.btnPlus, {Flaeche("100", "0,8")});
            Tippe(form.edGarten, Text("50"));
            Weiter();
        }
        if (seite > 2) {
            for (QLineEdit* feld : {form.edPersWCSpar, form.edPersWCNorm, form.edPersWasch})
                Tippe(feld, Text("1"));
            Weiter();
        }
        ASSERT_EQ(Seite(), seite);
        ASSERT_TRUE(meldungen.Meldungen.empty());
    }

    MeldungsRekorder meldungen;
    std::unique_ptr<TPLZConverter> tabellen = KleineTabellen();
    TfrmAssistent form{*tabellen};
};
} // namespace

TEST_F(Assistent, LayoutTextsHintsAndStart)
{
    EXPECT_EQ(form.windowTitle(), Text("Eingabe-Assistent"));
    EXPECT_EQ(form.size(), QSize(453, 331));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowSystemMenuHint);
    EXPECT_EQ(form.pBeschreibung->height(), 73);
    EXPECT_EQ(form.pBeschreibung->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_TRUE(form.pBeschreibung->autoFillBackground());
    EXPECT_EQ(form.iThema->size(), QSize(71, 69));
    EXPECT_TRUE(form.lThema->font().bold());
    EXPECT_EQ(form.pButtons->height(), 41);
    EXPECT_EQ(form.pButtons->geometry().bottom(), form.height() - 1);
    EXPECT_FALSE(form.pcAssistent->tabBar()->isVisible());

    struct Knopf {
        QPushButton* knopf;
        const char* text;
        const char* hinweis;
        bool an;
    };
    const Knopf knoepfe[] = {
        {form.btnInfo, "&Info", "Öffntet das Informationssystem", true},
        {form.btnHilfe, "&Hilfe", "Bietet Hilfe zum aktuellen Dialog", true},
        {form.btnZurueck, "&Zurück", "Zum vorherigen Dialog wechseln", false},
        {form.btnWeiter, "&Weiter", "Zum nächsten Dialog wechseln", true},
        {form.btnAuswertung, "&Auswerten", "Mit der Auswertung beginnen", false},
        {form.btnKarte, "&Landkarte", "Wählen Sie Ihren Standort auf der Landkarte aus.", true},
        {form.btnEditNS, "Niederschlagswerte &bearbeiten",
         "Niederschlagswerte eingeben oder nachträglich ändern", true},
        {form.btnPlus, "Hinzu&fügen", "Klicken Sie hier, um eine Fläche hinzuzufügen", true},
        {form.btnMinus, "&Entfernen", "Klicken Sie hier, um die gewählte Fläche zu entfernen",
         true},
    };
    for (const Knopf& k : knoepfe) {
        SCOPED_TRACE(k.text);
        EXPECT_EQ(k.knopf->text(), Text(k.text));
        EXPECT_EQ(k.knopf->toolTip(), Text(k.hinweis));
        EXPECT_EQ(k.knopf->isEnabled(), k.an);
    }
    // Left to right in the button panel.
    for (QPushButton* k :
         {form.btnInfo, form.btnHilfe, form.btnZurueck, form.btnWeiter, form.btnAuswertung})
        EXPECT_EQ(k->parentWidget(), form.pButtons);
    EXPECT_LT(form.btnInfo->x(), form.btnHilfe->x());
    EXPECT_LT(form.btnHilfe->x(), form.btnZurueck->x());
    EXPECT_LT(form.btnZurueck->x(), form.btnWeiter->x());
    EXPECT_LT(form.btnWeiter->x(), form.btnAuswertung->x());

    const QColor info = form.palette().color(QPalette::ToolTipBase);
    const QColor gruen(192, 220, 192);
    struct Eingabe {
        QLineEdit* feld;
        const char* hinweis;
        const char* text;
        std::optional<QColor> farbe;
    };
    const Eingabe felder[] = {
        {form.edPLZ, "Postleitzahl der nächten Wetterstation", "", info},
        {form.edGarten, "Tragen Sie hier die tatsächlich bewässerte Gartenfläche ein.", "", {}},
        {form.edGartenV, "Vorgabewert (0,06) braucht nicht geändert zu werden.", "0,06", {}},
        {form.edPersWCSpar, "Anzahl der Personen, die ein WC mit Spar/Stoptaste nutzen", "", {}},
        {form.edPersWCSparV, "Vorgabewert (8,8) braucht nicht geändert zu werden.", "8,8", gruen},
        {form.edPersWCNorm, "Anzahl der Personen, die ein WC ohne Spar/Stoptaste nutzen", "", {}},
        {form.edPersWCNormV, "Vorgabewert (14,0) braucht nicht geändert zu werden.", "14,0", gruen},
        {form.edPersWasch, "Anzahl der Personen, die eine Waschmaschine nutzen", "", {}},
        {form.edPersWaschV, "Vorgabewert (4,4) braucht nicht geändert zu werden.", "4,4", gruen},
        {form.edWGrad, "hydraulischer Filterwirkungsgrad in Prozent", "90", {}},
        {form.edLBeiwert,
         "Diese Vorgabe (0,06) sollten Sie für eine korrekte Simulation nicht verändern.", "0,06",
         gruen},
    };
    const QColor weiss = form.edGarten->palette().color(QPalette::Base);
    for (const Eingabe& e : felder) {
        SCOPED_TRACE(e.feld->objectName().toStdString());
        EXPECT_EQ(e.feld->toolTip(), Text(e.hinweis));
        EXPECT_EQ(e.feld->text(), Text(e.text));
        EXPECT_EQ(e.feld->palette().color(QPalette::Base), e.farbe.value_or(weiss));
    }
    const std::pair<const char*, const char*> beschriftungen[] = {
        {"edPLZLabel", "&Postleitzahl"},
        {"lStandort",
         "Dieser Dialog dient dazu, um die durchschnittliche Niederschlagsmenge an Ihrem Standort "
         "zu bestimmen. Dazu muss die nächste Wetterstation in Ihrer Nähe bestimmt werden. Wählen "
         "Sie dafür ihren Standpunkt auf der Landkarte oder geben Sie Ihre Postleitzahl ein."},
        {"lAutomatisch", "Bei Eingabe der Postleitzahl ändert sich diese automatisch zur "
                         "Postleitzahl nächsten bekannten Wetterstation."},
        {"lBearbeiten", "Wenn Sie die Niederschlagswerte Ihres Standortes kennen, oder "
                        "nachträglich verändern möchten, dann klicken Sie folgende Schaltfläche."},
        {"lAuffangflaechen", "Auffangflächen"},
        {"lAuffangText", "Auffangflächen sind die Flächen, die Regenwasser auffangen und dieses "
                         "der Zisterne zuführen."},
        {"edGartenLabel", "Gartenfläche"},
        {"lGartenEinheit", "m²"},
        {"edGartenVLabel", "Wasserverbrauch für Gartenbewässerung / Jahr"},
        {"lGartenVEinheit", "m³"},
        {"lHaushalt", "Bitte geben Sie an, wieviele Personen welche Verbraucher nutzen"},
        {"lAnzahl", "Anzahl Personen"},
        {"lVerbrauch", "Verbrauch / Jahr"},
        {"lWCSparMal", "x"},
        {"lWCSparV", "m³ für Toilettenspülung mit Spar/Stoptaste"},
        {"lWCNormV", "m³ für Toilettenspülung ohne Spar/Stoptaste"},
        {"lWaschV", "m³ für Waschmaschine"},
        {"lTechnik", "Dieser Dialog dient zur Ermittlung von zwei technischen Werten, dem "
                     "Filterwirkungsgrad und dem Ladebeiwert."},
        {"lFilter",
         "Der Filterwirkungsgrad bezieht sich auf den Filter, der direkt an den "
         "Regenwasserauffang angeschlossen ist. Der Wirkungsgrad ist üblicherweise am Filter oder "
         "in der technischen Dokumentation dazu angegeben. Bei modernen Regenwasserzisternen "
         "beträgt er ca. 90%."},
        {"lLadebeiwert", "Mit dem Ladebeiwert wird das Speichervolumen der Zisterne berechnet. Er "
                         "ist ein statistischer Mittelwert und braucht im Normalfall nicht "
                         "geändert zu werden."},
        {"edWGradLabel", "Filterwirkungsgrad"},
        {"lProzent", "%"},
        {"edLBeiwertLabel", "Ladebeiwert"},
    };
    for (const auto& [name, text] : beschriftungen) {
        const auto* label = FindeKind<QLabel>(&form, name);
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->text(), Text(text)) << name;
    }
    EXPECT_EQ(FindeKind<QLabel>(&form, "edPLZLabel")->buddy(), form.edPLZ);
    EXPECT_FALSE(FindeKind<QLabel>(&form, "iPfeil")->pixmap().isNull());
    EXPECT_FALSE(FindeKind<QLabel>(&form, "iInfo")->pixmap().isNull());

    const QTreeWidget* lv = form.lvFlaechen;
    EXPECT_EQ(lv->toolTip(), Text("Liste aller Auffangflächen"));
    EXPECT_EQ(lv->headerItem()->text(0), Text("Fläche (m²)"));
    EXPECT_EQ(lv->headerItem()->text(1), Text("Abflussbeiwert"));
    EXPECT_EQ(lv->columnWidth(0), 90);
    EXPECT_EQ(lv->columnWidth(1), 90);
    EXPECT_EQ(lv->headerItem()->textAlignment(1) & Qt::AlignRight, Qt::AlignRight);
    EXPECT_EQ(lv->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(lv->topLevelItemCount(), 0);

    // Four pages with their captions; nothing clipped on any of them.
    const char* const seiten[4][2] = {{"tsStandort", "Standort"},
                                      {"tsHausdaten", "Hausdaten"},
                                      {"tsHaushalt", "Haushalt"},
                                      {"tsTechnik", "Technik"}};
    ASSERT_EQ(form.pcAssistent->count(), 4);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(seiten[i][0]);
        EXPECT_EQ(form.pcAssistent->widget(i)->objectName(), Text(seiten[i][0]));
        EXPECT_EQ(form.pcAssistent->tabText(i), Text(seiten[i][1]));
        form.pcAssistent->setCurrentIndex(i);
        for (const QWidget* w : form.findChildren<QWidget*>()) {
            if (w->objectName().isEmpty() || !w->isVisible() || lv->isAncestorOf(w) ||
                w->parentWidget() == form.pcAssistent)
                continue;
            EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry()))
                << w->objectName().toStdString();
            if (const auto* l = qobject_cast<const QLabel*>(w); l && l->pixmap().isNull()) {
                const bool passt = l->wordWrap() ? l->heightForWidth(l->width()) <= l->height()
                                                 : l->sizeHint().width() <= l->width();
                EXPECT_TRUE(passt) << l->objectName().toStdString();
            }
        }
    }
    EXPECT_TRUE(meldungen.Meldungen.empty());
}

TEST_F(Assistent, StartsWithItsOwnDefaultsAndKeepsTheReceivedSet)
{
    TParameterSatz satz = NeuerSatz();
    satz.PersWasch = 3;
    satz.LadeBeiwert = 0.5L;
    satz.Garten = 120;
    satz.PLZ = Text("66111");
    satz.Niederschlag[0] = 0.1L;
    TfrmAssistent zweiter(*tabellen);
    zweiter.SetParameterSatz(satz);
    ZeigeAktiv(&zweiter);
    EXPECT_EQ(zweiter.edPersWasch->text(), QString());
    EXPECT_EQ(zweiter.edGarten->text(), QString());
    EXPECT_EQ(zweiter.edLBeiwert->text(), Text("0,06"));
    EXPECT_EQ(zweiter.edPLZ->text(), QString());
    EXPECT_FALSE(zweiter.ManualNS);
    TParameterSatz zurueck;
    zweiter.GetParameterSatz(zurueck);
    EXPECT_EQ(zurueck, satz);
}

TEST_F(Assistent, PageChangesTitlesPicturesButtonsAndFocus)
{
    struct Stand {
        const char* titel;
        const char* bild;
        const char* fokus;
        bool zurueck, weiter, auswerten;
    };
    const Stand staende[] = {
        {"Standort", "STANDORT", "btnKarte", false, true, false},
        {"Hausdaten", "HAUSDATEN", "lvFlaechen", true, true, false},
        {"Haushalt", "HAUSHALT", "edPersWCSpar", true, true, false},
        {"Technik", "TECHNIK", "edWGrad", true, false, true},
    };
    const auto pruefe = [&](int seite) {
        SCOPED_TRACE(seite);
        const Stand& s = staende[seite];
        ASSERT_EQ(Seite(), seite);
        EXPECT_EQ(form.lThema->text(), Text(s.titel));
        EXPECT_EQ(form.iThema->pixmap().toImage(), LadeBild(Text(s.bild), QSize(71, 69)).toImage());
        EXPECT_EQ(Fokus(), Text(s.fokus));
        EXPECT_EQ(form.btnZurueck->isEnabled(), s.zurueck);
        EXPECT_EQ(form.btnWeiter->isEnabled(), s.weiter);
        EXPECT_EQ(form.btnAuswertung->isEnabled(), s.auswerten);
        EXPECT_TRUE(form.btnInfo->isEnabled());
        EXPECT_TRUE(form.btnHilfe->isEnabled());
    };
    pruefe(0);
    BisSeite(1);
    pruefe(1);
    Klicke(form.btnPlus, {Flaeche("100", "0,8")});
    Tippe(form.edGarten, Text("0"));
    Weiter();
    pruefe(2);
    for (QLineEdit* feld : {form.edPersWCSpar, form.edPersWCNorm, form.edPersWasch})
        Tippe(feld, Text("0"));
    Weiter();
    pruefe(3);
    EXPECT_TRUE(meldungen.Meldungen.empty());

    // "&Zurück" checks nothing, whatever the pages passed hold.
    form.edGarten->setText(Text("x"));
    form.edPersWasch->clear();
    form.edPersWCSparV->setText(Text("150"));
    form.edWGrad->setText(Text("abc"));
    Zurueck();
    pruefe(2);
    Zurueck();
    pruefe(1);
    EXPECT_TRUE(meldungen.Meldungen.empty());
    Zurueck();
    pruefe(0);
    EXPECT_TRUE(meldungen.Meldungen.empty());

    // A page index without a check is a general error for the central handler.
    Tippe(form.edPLZ, Text("66111"));
    Weiter();
    Tippe(form.edGarten, Text("1"));
    Weiter();
    form.edPersWasch->setText(Text("0"));
    form.edPersWCSparV->setText(Text("8,8"));
    Weiter();
    pruefe(3);
    form.btnWeiter->setEnabled(true);
    Weiter();
    const Meldung m = EineMeldung();
    EXPECT_EQ(m.Text, Text("Ungültiger Seitenindex!"));
    EXPECT_EQ(m.Titel, Titel);
    EXPECT_EQ(Seite(), 3);
}

TEST_F(Assistent, FieldChecksWithTheirBoundsAndMessages)
{
    struct Fall {
        int seite;
        QLineEdit* feld;
        long double TParameterSatz::*wert;
        const char* oben;     // upper bound as typed
        const char* darueber; // just above it
        long double obenWert; // what the upper bound is stored as
        const char* meldung;
    };
    const char* const personen =
        "Bitte geben Sie einen Wert zwischen 0 und 99 für die Anzahl der Personen ein.";
    const char* const verbrauch =
        "Bitte geben Sie einen Wert zwischen 0,00 und 999,00 für den Verbrauch ein.";
    const Fall faelle[] = {
        {1, form.edGarten, &TParameterSatz::Garten, "100000", "100000,0001", 100000,
         "Bitte geben Sie einen Wert zwischen 0 und 100000 für die Gartenfläche ein."},
        {1, form.edGartenV, &TParameterSatz::GartenV, "999", "999,0001", 999,
         "Bitte geben Sie einen Wert zwischen 0 und 999 für den Verbrauch der "
         "Gartenbewässerung ein."},
        {2, form.edPersWCSpar, &TParameterSatz::PersWCSpar, "99", "99,1", 99, personen},
        {2, form.edPersWCSparV, &TParameterSatz::PersWCSparV, "999", "999,0001", 999, verbrauch},
        {2, form.edPersWCNorm, &TParameterSatz::PersWCNorm, "99", "99,01", 99, personen},
        {2, form.edPersWCNormV, &TParameterSatz::PersWCNormV, "999", "1000", 999, verbrauch},
        {2, form.edPersWasch, &TParameterSatz::PersWasch, "99", "99,0001", 99, personen},
        {2, form.edPersWaschV, &TParameterSatz::PersWaschV, "999", "999,0001", 999, verbrauch},
        {3, form.edWGrad, &TParameterSatz::WGrad, "100", "100,0001", 1,
         "Bitte geben Sie einen Wert zwischen 0 und 100 für den Filterwirkungsgrad ein."},
        {3, form.edLBeiwert, &TParameterSatz::LadeBeiwert, "1", "1,0001", 1,
         "Bitte geben Sie einen Wert zwischen 0 und 1 für den Ladebeiwert ein."},
    };
    BisSeite(3);
    // Moves on from the field's page; true when the page was left.
    const auto weiterVon = [&](const Fall& f, const QString& text) {
        while (Seite() > f.seite)
            Zurueck();
        while (Seite() < f.seite)
            Weiter();
        Tippe(f.feld, text);
        if (f.seite == 3)
            Auswerten();
        else
            Weiter();
        if (form.isVisible() && Seite() == f.seite)
            return false;
        if (f.seite == 3) {
            EXPECT_EQ(form.result(), QDialog::Accepted);
            form.setResult(0);
            ZeigeAktiv(&form);
        }
        return true;
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.feld->objectName().toStdString());
        for (const char* schlecht :
             {"", " ", "abc", "1.5", "1,5.0", "12a", "-0,0001", "-1", f.darueber, "1e99999"}) {
            SCOPED_TRACE(schlecht);
            EXPECT_FALSE(weiterVon(f, Text(schlecht)));
            const Meldung m = EineMeldung();
            EXPECT_EQ(m.Text, Text(f.meldung));
            EXPECT_EQ(m.Titel, Text("Fehler"));
            EXPECT_EQ(m.Symbol, QMessageBox::Critical);
            EXPECT_EQ(m.Besitzer, &form);
            EXPECT_EQ(Fokus(), f.feld->objectName());
            EXPECT_EQ(f.feld->text(), Text(schlecht));
            EXPECT_TRUE(form.isVisible());
        }
        // Both bounds are valid values.
        ASSERT_TRUE(weiterVon(f, Text(f.oben)));
        EXPECT_EQ(Ergebnis().*f.wert, f.obenWert);
        ASSERT_TRUE(weiterVon(f, Text("0")));
        EXPECT_EQ(Ergebnis().*f.wert, 0);
        EXPECT_FALSE(std::signbit(Ergebnis().*f.wert));
        ASSERT_TRUE(weiterVon(f, Text("-0")));
        EXPECT_FALSE(std::signbit(Ergebnis().*f.wert));
        EXPECT_TRUE(meldungen.Meldungen.empty());
    }
}

TEST_F(Assistent, ValuesAreCutToTheirDecimals)
{
    struct Fall {
        int seite;
        QLineEdit* feld;
        long double TParameterSatz::*wert;
        const char* getippt;
        long double gespeichert;
    };
    const Fall faelle[] = {
        {1, form.edGarten, &TParameterSatz::Garten, "123,45678", Wert("123,4567")},
        {1, form.edGarten, &TParameterSatz::Garten, " 1e2 ", 100},
        {1, form.edGartenV, &TParameterSatz::GartenV, "0,06", Wert("0,06")},
        {2, form.edPersWCSpar, &TParameterSatz::PersWCSpar, "2,57", Wert("2,5")},
        {2, form.edPersWCNorm, &TParameterSatz::PersWCNorm, "0,09", 0},
        {2, form.edPersWasch, &TParameterSatz::PersWasch, "98,99", Wert("98,9")},
        {2, form.edPersWasch, &TParameterSatz::PersWasch, "0,3", Wert("0,3")},
        {2, form.edPersWCSparV, &TParameterSatz::PersWCSparV, "8,8", Wert("8,8")},
        {2, form.edPersWCNormV, &TParameterSatz::PersWCNormV, "12,345678", Wert("12,3456")},
        {2, form.edPersWaschV, &TParameterSatz::PersWaschV, "4,40009", Wert("4,4")},
        {3, form.edWGrad, &TParameterSatz::WGrad, "100", 1},
        {3, form.edWGrad, &TParameterSatz::WGrad, "90", Wert("0,9")},
        {3, form.edWGrad, &TParameterSatz::WGrad, "90,123456", Wert("90,1234") / 100},
        {3, form.edLBeiwert, &TParameterSatz::LadeBeiwert, "0,06", Wert("0,06")},
        {3, form.edLBeiwert, &TParameterSatz::LadeBeiwert, "0,99999", Wert("0,9999")},
    };
    BisSeite(3);
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.getippt);
        while (Seite() > f.seite)
            Zurueck();
        Tippe(f.feld, Text(f.getippt));
        if (f.seite == 3) {
            Auswerten();
            ASSERT_EQ(form.result(), QDialog::Accepted);
            form.setResult(0);
            ZeigeAktiv(&form);
        } else {
            Weiter();
            ASSERT_EQ(Seite(), f.seite + 1);
        }
        EXPECT_EQ(Ergebnis().*f.wert, f.gespeichert);
    }
    // 90,123456 % becomes 0,901234.
    Tippe(form.edWGrad, Text("90,123456"));
    Auswerten();
    EXPECT_EQ(zahl::Fest(Ergebnis().WGrad, 8, 18), Text("0,90123400"));
    EXPECT_TRUE(meldungen.Meldungen.empty());
}

TEST_F(Assistent, EachPageStopsAtItsFirstBadField)
{
    BisSeite(2);
    Tippe(form.edPersWCNorm, QString());
    Tippe(form.edPersWaschV, Text("x"));
    Tippe(form.edPersWCSpar, Text("1"));
    Tippe(form.edPersWasch, Text("1"));
    Weiter();
    EXPECT_EQ(Fokus(), Text("edPersWCNorm"));
    EXPECT_EQ(
        EineMeldung().Text,
        Text("Bitte geben Sie einen Wert zwischen 0 und 99 für die Anzahl der Personen ein."));
    // A failed field may hold -1 in the working copy until it passes.
    EXPECT_EQ(Ergebnis().PersWCNorm, -1);
    EXPECT_EQ(Ergebnis().PersWCSpar, 1);
    Tippe(form.edPersWCNorm, Text("2"));
    Weiter();
    EXPECT_EQ(Fokus(), Text("edPersWaschV"));
    EXPECT_EQ(EineMeldung().Text,
              Text("Bitte geben Sie einen Wert zwischen 0,00 und 999,00 für den Verbrauch ein."));
    EXPECT_EQ(Seite(), 2);
}

TEST_F(Assistent, AreasAreAddedRemovedAndRequired)
{
    BisSeite(1);
    Tippe(form.edGarten, Text("10"));
    Weiter();
    const Meldung keine = EineMeldung();
    EXPECT_EQ(keine.Text, Text("Bitte geben mindestens eine Auffangfäche an."));
    EXPECT_EQ(keine.Titel, Text("Fehler"));
    EXPECT_EQ(keine.Symbol, QMessageBox::Critical);
    EXPECT_EQ(keine.Besitzer, &form);
    EXPECT_EQ(Seite(), 1);

    Klicke(form.btnPlus, {Flaeche("12,345", "0,125")});
    Klicke(form.btnPlus, {Ablehnen()});
    Klicke(form.btnPlus, {Flaeche("100000", "1")});
    Klicke(form.btnPlus, {Flaeche("80", "0,8")});
    ASSERT_EQ(form.lvFlaechen->topLevelItemCount(), 3);
    const char* const zellen[3][2] = {
        {"12,345", "0,125"}, {"100000,00", "1,00"}, {"80,00", "0,80"}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(form.lvFlaechen->topLevelItem(i)->text(0), Text(zellen[i][0]));
        EXPECT_EQ(form.lvFlaechen->topLevelItem(i)->text(1), Text(zellen[i][1]));
        EXPECT_EQ(form.lvFlaechen->topLevelItem(i)->textAlignment(1) & Qt::AlignRight,
                  Qt::AlignRight);
    }

    // Removing needs a selected row and asks nothing.
    form.lvFlaechen->clearSelection();
    QTest::mouseClick(form.btnMinus, Qt::LeftButton);
    EXPECT_EQ(form.lvFlaechen->topLevelItemCount(), 3);
    form.lvFlaechen->topLevelItem(1)->setSelected(true);
    QTest::mouseClick(form.btnMinus, Qt::LeftButton);
    ASSERT_EQ(form.lvFlaechen->topLevelItemCount(), 2);
    EXPECT_TRUE(meldungen.Meldungen.empty());

    Weiter();
    ASSERT_EQ(Seite(), 2);
    EXPECT_EQ(Ergebnis().Flaechen,
              (std::vector<TFlaeche>{{Wert("12,345"), Wert("0,125")}, {80, Wert("0,8")}}));
    // Leaving the page again rebuilds the list, it does not add to it.
    Zurueck();
    form.lvFlaechen->topLevelItem(0)->setSelected(true);
    QTest::mouseClick(form.btnMinus, Qt::LeftButton);
    Weiter();
    EXPECT_EQ(Ergebnis().Flaechen, (std::vector<TFlaeche>{{80, Wert("0,8")}}));
}

TEST_F(Assistent, PostalCodeWhileTypingAndOnMovingOn)
{
    struct Fall {
        const char* getippt;
        const char* feld;       // the field after the fifth character
        const char* plz;        // the working copy's postal code then
        int kurve;              // station's January in mm, 0 for the standard curve
        const char* beimTippen; // message of the central handler while typing, or null
        const char* weiter;     // message on "&Weiter", or null when the page is left
    };
    const Fall faelle[] = {
        {"", "", "", 0, nullptr, "ungültige Postleitzahl."},
        {"6612", "6612", "", 0, nullptr, "ungültige Postleitzahl."},
        {"66123", "66111", "66111", 40, nullptr, nullptr},
        {"66111", "66111", "66111", 40, nullptr, nullptr},
        {"80331", "80000", "80000", 70, nullptr, nullptr},
        {"19055", "19000", "19000", 50, nullptr, nullptr},
        {"661234", "66111", "66111", 40, nullptr, nullptr}, // a sixth digit is replaced too
        {"12a45", "12a45", "", 0, nullptr, "ungültige Postleitzahl."},
        {"abcde", "abcde", "", 0, nullptr, "ungültige Postleitzahl."},
        {"-1234", "-1234", "", 0, nullptr, "Postleitzahl konnte nicht angenähert werden!"},
        // No row begins with 9: the engine's error, while typing and again on moving on.
        {"99999", "99999", "", 0, "Postleitzahl konnte nicht angenähert werden!",
         "Postleitzahl konnte nicht angenähert werden!"},
        // Approximated, but the station is missing.
        {"70123", "70000", "70000", 0, "Stadt nicht gefunden.", "Stadt nicht gefunden."},
        // Blanks around four digits leave four digits, which the engine refuses.
        {" 6612", " 6612", "", 0, "ungültige Postleitzahl.",
         "Postleitzahl konnte nicht angenähert werden!"},
        {"6612 ", "6612 ", "", 0, "ungültige Postleitzahl.", "ungültige Postleitzahl."},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.getippt);
        TfrmAssistent w(*tabellen);
        w.SetParameterSatz(NeuerSatz());
        ZeigeAktiv(&w);
        const QString getippt = Text(f.getippt);
        w.edPLZ->setFocus();
        for (int i = 0; i < getippt.size(); ++i) {
            TippeZeichen(w.edPLZ, getippt.mid(i, 1));
            if (i < 4) {
                // Fewer than five characters: nothing happens.
                EXPECT_EQ(w.edPLZ->text(), getippt.left(i + 1));
                EXPECT_TRUE(meldungen.Meldungen.empty());
            } else if (i == 4) {
                EXPECT_EQ(w.edPLZ->text(), Text(f.feld).left(5));
                if (f.beimTippen) {
                    const Meldung m = EineMeldung();
                    EXPECT_EQ(m.Text, Text(f.beimTippen));
                    EXPECT_EQ(m.Titel, Titel);
                }
            }
        }
        EXPECT_EQ(w.edPLZ->text(), Text(f.feld));
        TParameterSatz satz;
        w.GetParameterSatz(satz);
        EXPECT_EQ(satz.PLZ, Text(f.plz));
        EXPECT_EQ(satz.Niederschlag, f.kurve ? Kurve(f.kurve) : StandardNiederschlag);
        EXPECT_TRUE(meldungen.Meldungen.empty());

        QTest::mouseClick(w.btnWeiter, Qt::LeftButton);
        w.GetParameterSatz(satz);
        if (f.weiter) {
            const Meldung m = EineMeldung();
            EXPECT_EQ(m.Text, Text(f.weiter));
            EXPECT_EQ(m.Titel, Titel);
            EXPECT_EQ(w.pcAssistent->currentIndex(), 0);
            EXPECT_EQ(satz.Menge, 0);
        } else {
            EXPECT_TRUE(meldungen.Meldungen.empty());
            EXPECT_EQ(w.pcAssistent->currentIndex(), 1);
            EXPECT_EQ(satz.Niederschlag, Kurve(f.kurve));
            EXPECT_NEAR(satz.Menge, (12 * f.kurve + 66) / 1000.0L, 1e-15L);
        }
    }
}

TEST_F(Assistent, HandEnteredPrecipitation)
{
    // A code the engine cannot use is ignored: the editor shows the set's curve.
    Tippe(form.edPLZ, Text("6612"));
    QString januar;
    Klicke(form.btnEditNS, {JanuarUndAbbrechen(januar)});
    EXPECT_EQ(januar, Text("55"));
    EXPECT_EQ(form.edPLZ->text(), Text("6612"));
    EXPECT_FALSE(form.ManualNS);
    EXPECT_EQ(Ergebnis(), NeuerSatz());
    // So is a code whose station is missing.
    Tippe(form.edPLZ, Text("70123"));
    EXPECT_EQ(EineMeldung().Text, Text("Stadt nicht gefunden."));
    Klicke(form.btnEditNS, {JanuarUndAbbrechen(januar)});
    EXPECT_EQ(januar, Text("55"));
    EXPECT_EQ(form.edPLZ->text(), Text("70000"));
    EXPECT_TRUE(meldungen.Meldungen.empty());

    // A usable code brings its station's curve into the editor; OK takes the edited curve.
    Tippe(form.edPLZ, Text("80331"));
    Klicke(form.btnEditNS, {[&](QWidget* f) {
               auto* editor = static_cast<TfrmExpNS*>(f);
               januar = editor->edJan->text();
               editor->edJan->setText(Text("30"));
               editor->btnOK->click();
           }});
    EXPECT_EQ(januar, Text("70"));
    EXPECT_EQ(form.edPLZ->text(), QString());
    EXPECT_TRUE(form.ManualNS);
    TParameterSatz satz = Ergebnis();
    EXPECT_EQ(satz.PLZ, QString());
    EXPECT_EQ(satz.Niederschlag[0], 0.03L);
    EXPECT_EQ(satz.Niederschlag[1], Kurve(70)[1]);
    EXPECT_NEAR(satz.Menge, (30 + 11 * 70 + 66) / 1000.0L, 1e-15L);
    const long double menge = satz.Menge;

    // Moving on needs no postal code now and looks nothing up.
    Weiter();
    EXPECT_TRUE(meldungen.Meldungen.empty());
    ASSERT_EQ(Seite(), 1);
    satz = Ergebnis();
    EXPECT_EQ(satz.Niederschlag[0], 0.03L);
    EXPECT_EQ(satz.Menge, menge);

    // The editor opens again on the hand-entered curve.
    Zurueck();
    Klicke(form.btnEditNS, {JanuarUndAbbrechen(januar)});
    EXPECT_EQ(januar, Text("30"));
    EXPECT_TRUE(form.ManualNS);

    // Typing a postal code afterwards replaces it by the station's curve.
    TippeZeichen(form.edPLZ, Text("1"));
    EXPECT_FALSE(form.ManualNS);
    TippeZeichen(form.edPLZ, Text("9055"));
    satz = Ergebnis();
    EXPECT_EQ(satz.PLZ, Text("19000"));
    EXPECT_EQ(satz.Niederschlag, Kurve(50));
    Weiter();
    EXPECT_EQ(Seite(), 1);
    EXPECT_NEAR(Ergebnis().Menge, 0.666L, 1e-15L);

    // An empty field after a change needs a postal code again.
    Zurueck();
    Tippe(form.edPLZ, QString());
    Weiter();
    EXPECT_EQ(EineMeldung().Text, Text("ungültige Postleitzahl."));
    EXPECT_EQ(Seite(), 0);
}

TEST_F(Assistent, MapWindowAndItsCallback)
{
    // The map opens modeless, owned by the wizard; asking again brings the same one forward.
    QTest::mouseClick(form.btnKarte, Qt::LeftButton);
    QPointer<TfrmKarteDialog> karte = form.KarteDialog;
    ASSERT_FALSE(karte.isNull());
    EXPECT_TRUE(karte->isVisible());
    EXPECT_FALSE(karte->isModal());
    EXPECT_EQ(karte->parentWidget(), &form);
    QTest::mouseClick(form.btnKarte, Qt::LeftButton);
    EXPECT_EQ(form.KarteDialog, karte);
    EXPECT_EQ(form.findChildren<TfrmKarteDialog*>().size(), 1);

    // Closed without a choice (2): the field stays, the window goes.
    Tippe(form.edPLZ, Text("80331"));
    karte->close();
    EXPECT_TRUE(form.KarteDialog.isNull());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(karte.isNull());
    EXPECT_EQ(form.edPLZ->text(), Text("80000"));
    EXPECT_EQ(Ergebnis().PLZ, Text("80000"));

    // A click on Saarbrücken (1): the station's first postal code and its curve, also after a
    // hand-entered curve.
    Klicke(form.btnEditNS, {Annehmen()});
    ASSERT_TRUE(form.ManualNS);
    QTest::mouseClick(form.btnKarte, Qt::LeftButton);
    karte = form.KarteDialog;
    ASSERT_FALSE(karte.isNull());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(karte));
    QTest::mouseClick(karte->iKarte, Qt::LeftButton, {}, QPoint(62, 440));
    EXPECT_TRUE(form.KarteDialog.isNull());
    EXPECT_EQ(form.edPLZ->text(), Text("66000"));
    EXPECT_FALSE(form.ManualNS);
    TParameterSatz satz = Ergebnis();
    EXPECT_EQ(satz.PLZ, Text("66000"));
    EXPECT_EQ(satz.Niederschlag, Kurve(40));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(karte.isNull());

    // A chosen station that cannot be looked up: the engine's error, and the window goes all
    // the same.
    QTest::mouseClick(form.btnKarte, Qt::LeftButton);
    karte = form.KarteDialog;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(karte));
    const TPixel stuttgart = KartenKonverter().GeoToPixel({9.18L, 48.78L});
    QTest::mouseClick(karte->iKarte, Qt::LeftButton, {}, QPoint(stuttgart.x, stuttgart.y));
    const Meldung fehler = EineMeldung();
    EXPECT_EQ(fehler.Text, Text("Stadt nicht gefunden."));
    EXPECT_EQ(fehler.Titel, Titel);
    EXPECT_EQ(form.edPLZ->text(), Text("70000"));
    EXPECT_TRUE(form.KarteDialog.isNull());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(karte.isNull());
    Tippe(form.edPLZ, Text("66000"));

    // The callback on its own: without a window nothing is taken.
    form.KarteClosed(1);
    form.KarteClosed(2);
    EXPECT_EQ(form.edPLZ->text(), Text("66000"));
    EXPECT_TRUE(meldungen.Meldungen.empty());
    ZeigeAktiv(&form);
    Weiter();
    EXPECT_EQ(Seite(), 1);
}

TEST_F(Assistent, ClosingCancelsAndTakesTheMapAlong)
{
    // Escape cancels the wizard, as "Abbrechen" does.
    QTest::keyClick(form.btnKarte, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);

    TfrmAssistent zweiter(*tabellen);
    zweiter.SetParameterSatz(NeuerSatz());
    QPointer<TfrmKarteDialog> karte;
    bool offen = false;
    QString plz;
    ModalFolge folge({[&](QWidget* f) {
        auto* w = static_cast<TfrmAssistent*>(f);
        // The map stays usable while the wizard runs modally.
        QTest::mouseClick(w->btnKarte, Qt::LeftButton);
        if (!w->KarteDialog || !QTest::qWaitForWindowExposed(w->KarteDialog)) {
            w->close();
            return;
        }
        QTest::mouseClick(w->KarteDialog->iKarte, Qt::LeftButton, {}, QPoint(278, 110));
        plz = w->edPLZ->text();
        QTest::mouseClick(w->btnKarte, Qt::LeftButton);
        karte = w->KarteDialog;
        offen = karte && karte->isVisible();
        w->close();
    }});
    EXPECT_EQ(zweiter.exec(), QDialog::Rejected);
    EXPECT_EQ(folge.Beantwortet(), 1);
    EXPECT_EQ(plz, Text("19000")); // Schwerin
    EXPECT_TRUE(offen);
    EXPECT_TRUE(karte.isNull() || !karte->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(karte.isNull());
    EXPECT_TRUE(zweiter.KarteDialog.isNull());
    EXPECT_TRUE(meldungen.Meldungen.empty());
}

TEST_F(Assistent, AFullRunGivesTheCheckedSet)
{
    Tippe(form.edPLZ, Text("80331"));
    Weiter();
    Klicke(form.btnPlus, {Flaeche("120,5", "0,8")});
    Klicke(form.btnPlus, {Flaeche("30", "0,3")});
    Tippe(form.edGarten, Text("200"));
    Weiter();
    Tippe(form.edPersWCSpar, Text("2"));
    Tippe(form.edPersWCNorm, Text("0"));
    Tippe(form.edPersWasch, Text("3,5"));
    Weiter();
    Auswerten();
    ASSERT_EQ(form.result(), QDialog::Accepted);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(meldungen.Meldungen.empty());

    TParameterSatz erwartet = NeuerSatz();
    erwartet.Flaechen = {{Wert("120,5"), Wert("0,8")}, {30, Wert("0,3")}};
    erwartet.Niederschlag = Kurve(70);
    erwartet.Menge = Ergebnis().Menge;
    erwartet.PLZ = Text("80000");
    erwartet.WGrad = Wert("0,9");
    erwartet.PersWCSpar = 2;
    erwartet.PersWasch = Wert("3,5");
    erwartet.Garten = 200;
    EXPECT_EQ(Ergebnis(), erwartet);
    EXPECT_NEAR(erwartet.Menge, 0.906L, 1e-15L);
}

TEST_F(Assistent, EnterMovesThroughAPageAndStopsOnTheButtons)
{
    // Page buttons are not pressed by Enter: it moves on like Tab.
    EXPECT_EQ(Fokus(), Text("btnKarte"));
    for (const char* naechster : {"edPLZ", "btnEditNS", "btnWeiter"}) {
        Taste(Qt::Key_Return);
        EXPECT_EQ(Fokus(), Text(naechster));
    }
    EXPECT_TRUE(form.KarteDialog.isNull());
    EXPECT_EQ(Seite(), 0);
    EXPECT_TRUE(meldungen.Meldungen.empty());
    // On "&Weiter" Enter presses it.
    Taste(Qt::Key_Enter);
    EXPECT_EQ(EineMeldung().Text, Text("ungültige Postleitzahl."));
    Tippe(form.edPLZ, Text("66111"));
    Taste(Qt::Key_Return);
    Taste(Qt::Key_Return);
    EXPECT_EQ(Fokus(), Text("btnWeiter"));
    Taste(Qt::Key_Return);
    ASSERT_EQ(Seite(), 1);

    for (const char* naechster : {"btnPlus", "btnMinus", "edGarten", "edGartenV", "btnWeiter"}) {
        Taste(Qt::Key_Return);
        EXPECT_EQ(Fokus(), Text(naechster));
    }
    EXPECT_EQ(form.lvFlaechen->topLevelItemCount(), 0);
    EXPECT_TRUE(meldungen.Meldungen.empty());
    Klicke(form.btnPlus, {Flaeche("50", "1")});
    Tippe(form.edGarten, Text("0"));
    Taste(Qt::Key_Return);
    Taste(Qt::Key_Return);
    Taste(Qt::Key_Return);
    ASSERT_EQ(Seite(), 2);

    EXPECT_EQ(Fokus(), Text("edPersWCSpar"));
    for (const char* naechster : {"edPersWCSparV", "edPersWCNorm", "edPersWCNormV", "edPersWasch",
                                  "edPersWaschV", "btnWeiter"}) {
        TippeZeichen(QApplication::focusWidget(), Text("1"));
        Taste(Qt::Key_Return);
        EXPECT_EQ(Fokus(), Text(naechster));
    }
    EXPECT_EQ(Seite(), 2);
    Taste(Qt::Key_Return);
    ASSERT_EQ(Seite(), 3);
    // Enter gives the focus as Tab does: the default text was selected and typed over.
    EXPECT_EQ(Ergebnis().PersWCSparV, 1);

    for (const char* naechster : {"edLBeiwert", "btnAuswertung"}) {
        Taste(Qt::Key_Return);
        EXPECT_EQ(Fokus(), Text(naechster));
    }
    EXPECT_TRUE(form.isVisible());
    // A focused button outside the pages is pressed.
    form.btnZurueck->setFocus();
    Taste(Qt::Key_Return);
    EXPECT_EQ(Seite(), 2);
    EXPECT_TRUE(meldungen.Meldungen.empty());
}

TEST_F(Assistent, HelpAndInformation)
{
    HilfeRekorder hilfe;
    QTest::keyClick(form.edPLZ, Qt::Key_F1);
    QTest::mouseClick(form.btnHilfe, Qt::LeftButton);
    BisSeite(3);
    QTest::keyClick(form.edWGrad, Qt::Key_F1);
    QTest::mouseClick(form.btnHilfe, Qt::LeftButton);
    EXPECT_EQ(hilfe.Aufrufe,
              (std::vector<std::pair<HilfeDatei, int>>(4, {HilfeDatei::Anwendung, 20})));
    hilfe.Aufrufe.clear();
    QTest::mouseClick(form.btnInfo, Qt::LeftButton);
    EXPECT_EQ(hilfe.Aufrufe,
              (std::vector<std::pair<HilfeDatei, int>>{{HilfeDatei::Information, 10}}));
    EXPECT_EQ(form.edWGrad->text(), Text("90")); // F1 typed nothing
    EXPECT_TRUE(meldungen.Meldungen.empty());
}
