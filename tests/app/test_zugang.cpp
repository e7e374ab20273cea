// Every window as the keyboard and assistive technology meet it: each interactive control has an
// accessible name, Tab reaches each visible control, no two buttons share a mnemonic, buttons
// with a caption have one. Then the keys of the evaluation window, the sliders' spoken values and
// the selection's contrast.
#include "../input/eingabetest.h"
#include "../support/beispiel.h"
#include "../support/kleinetabellen.h"
#include "../support/modal.h"
#include "../support/rekorder.h"
#include "app/hauptfenster.h"
#include "app/ueber/ueberbox.h"
#include "evaluation/auswertung.h"
#include "evaluation/bericht/berichtfenster.h"
#include "evaluation/detailempf.h"
#include "evaluation/wirtschaftlichkeitsfenster.h"
#include "input/assistent.h"
#include "input/expert.h"
#include "input/expns.h"
#include "input/fassistentdialog.h"
#include "input/flaechedialog.h"
#include "refdata/plzkonverter.h"
#include "refdata/produkte.h"
#include "refdata/tabelle.h"
#include "simulation/fenster/fuellstandseite.h"
#include "simulation/fenster/simuauswertung.h"
#include "simulation/fenster/simulationsdialog.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QButtonGroup>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>

#include <array>
#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <set>

namespace {

QString Beschreibe(const QWidget* w)
{
    return QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') +
           (w->objectName().isEmpty() ? QStringLiteral("(ohne Objektnamen)") : w->objectName());
}

bool IstBedienelement(QWidget* w, QAccessibleInterface* zugang)
{
    // Parts of a control (the viewport, scroll bars and corner of a view, the edit of a spin
    // box) and widgets that hand their focus on are named by their control.
    if (w->focusProxy() || qobject_cast<QAbstractScrollArea*>(w->parentWidget()) ||
        qobject_cast<QAbstractSpinBox*>(w->parentWidget()))
        return false;
    for (QWidget* eltern = w->parentWidget(); eltern; eltern = eltern->parentWidget())
        if (qobject_cast<QAbstractItemView*>(eltern))
            return false;
    switch (zugang->role()) {
    case QAccessible::Button:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::Slider:
    case QAccessible::SpinBox:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::List:
    case QAccessible::Table:
    case QAccessible::Tree:
    case QAccessible::PageTab:
    case QAccessible::Link:
        return true;
    default:
        return (w->focusPolicy() & Qt::TabFocus) != 0;
    }
}

// The letter after a single '&', else a null character.
QChar Kuerzel(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i)
        if (text[i] == QLatin1Char('&')) {
            if (text[i + 1] != QLatin1Char('&'))
                return text[i + 1].toLower();
            ++i;
        }
    return {};
}

bool SollTabErreichen(QWidget* w)
{
    return (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && !w->focusProxy() &&
           !qobject_cast<QScrollBar*>(w);
}

// Presses Tab from the first control on until the focus has gone round twice.
std::set<QWidget*> TabErreicht(QWidget* fenster)
{
    std::set<QWidget*> erreicht;
    if (!QApplication::focusWidget() || QApplication::focusWidget()->window() != fenster)
        QTest::keyClick(fenster, Qt::Key_Tab);
    const qsizetype schritte = 2 * fenster->findChildren<QWidget*>().size() + 4;
    for (qsizetype i = 0; i < schritte; ++i) {
        QWidget* fokus = QApplication::focusWidget();
        if (!fokus || fokus->window() != fenster)
            break;
        erreicht.insert(fokus);
        QTest::keyClick(fokus, Qt::Key_Tab);
    }
    return erreicht;
}

// An exclusive radio button counts as reached when Tab reaches the group.
bool GruppeErreicht(QWidget* w, const std::set<QWidget*>& erreicht)
{
    auto* radio = qobject_cast<QRadioButton*>(w);
    if (!radio)
        return false;
    for (QWidget* anderer : erreicht) {
        auto* r = qobject_cast<QRadioButton*>(anderer);
        if (r && ((radio->group() && radio->group() == r->group()) ||
                  (!radio->group() && radio->autoExclusive() &&
                   r->parentWidget() == radio->parentWidget())))
            return true;
    }
    return false;
}

// The faults of the window as it shows now.
std::vector<QString> Pruefe(QWidget* fenster)
{
    std::vector<QString> fehler;
    const std::set<QWidget*> erreicht = TabErreicht(fenster);
    std::map<QChar, QString> kuerzel;
    for (QWidget* w : fenster->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(fenster))
            continue;
        QAccessibleInterface* zugang = QAccessible::queryAccessibleInterface(w);
        if (!zugang)
            continue;
        if (IstBedienelement(w, zugang) && zugang->text(QAccessible::Name).trimmed().isEmpty())
            fehler.push_back(QStringLiteral("ohne Namen: ") + Beschreibe(w));
        if (SollTabErreichen(w) && !erreicht.count(w) && !GruppeErreicht(w, erreicht))
            fehler.push_back(QStringLiteral("Tab erreicht nicht: ") + Beschreibe(w));
        auto* knopf = qobject_cast<QAbstractButton*>(w);
        if (!knopf)
            continue;
        const QChar zeichen = Kuerzel(knopf->text());
        if (zeichen.isNull()) {
            const bool schaltflaeche = !qobject_cast<QRadioButton*>(w) && !knopf->isCheckable();
            if (schaltflaeche && knopf->text().contains(QRegularExpression(QStringLiteral("\\w"))))
                fehler.push_back(QStringLiteral("ohne Kürzel: ") + Beschreibe(w));
            continue;
        }
        const auto [alt, neu] = kuerzel.emplace(zeichen, Beschreibe(w));
        if (!neu)
            fehler.push_back(QStringLiteral("Kürzel ") + zeichen + QStringLiteral(" doppelt: ") +
                             alt->second + QStringLiteral(", ") + Beschreibe(w));
    }
    return fehler;
}

using Pruefung = std::function<void(QWidget*)>;

struct TFensterFall {
    const char* Name;
    // Builds the window, shows it and hands it to the check.
    std::function<void(const Pruefung&)> Zeige;
};

void Aktiv(QWidget* fenster, const Pruefung& pruefe)
{
    ZeigeAktiv(fenster);
    pruefe(fenster);
}

std::unique_ptr<TTabelle> Produkte()
{
    auto produkte = ErzeugeProduktTabelle();
    LoadProducts(*produkte, QStringLiteral(TW_DATENORDNER));
    return produkte;
}

TFensterFall Assistent(const char* name, int seite)
{
    return {name, [seite](const Pruefung& pruefe) {
                const auto plz = KleineTabellen();
                TfrmAssistent fenster(*plz);
                fenster.SetParameterSatz(Beispiel());
                fenster.pcAssistent->setCurrentIndex(seite);
                Aktiv(&fenster, pruefe);
            }};
}

TFensterFall Auswertung(const char* name, int seite)
{
    return {name, [seite](const Pruefung& pruefe) {
                TfrmAuswertung fenster;
                fenster.Datenordner = QStringLiteral(TW_DATENORDNER);
                fenster.SetParameterSatz(Beispiel());
                fenster.Vorbereiten(seite);
                Aktiv(&fenster, pruefe);
            }};
}

const TFensterFall Faelle[] = {
    {"Hauptfenster",
     [](const Pruefung& pruefe) {
         TfrmMain fenster(false);
         Aktiv(&fenster, pruefe);
     }},
    Assistent("AssistentStandort", 0),
    Assistent("AssistentHausdaten", 1),
    Assistent("AssistentHaushalt", 2),
    Assistent("AssistentTechnik", 3),
    {"Experte",
     [](const Pruefung& pruefe) {
         const auto plz = KleineTabellen();
         TfrmExpert fenster(*plz);
         fenster.SetParameterSatz(Beispiel());
         Aktiv(&fenster, pruefe);
     }},
    Auswertung("AuswertungKompakt", TfrmAuswertung::KompaktSeite),
    Auswertung("AuswertungDetail", TfrmAuswertung::DetailSeite),
    Auswertung("AuswertungSimulation", TfrmAuswertung::SimulationsSeite),
    Auswertung("AuswertungWirtschaft", TfrmAuswertung::WirtschaftSeite),
    {"Wirtschaftlichkeit",
     [](const Pruefung& pruefe) {
         TfrmAuswertung auswertung;
         auswertung.Datenordner = QStringLiteral(TW_DATENORDNER);
         auswertung.SetParameterSatz(Beispiel());
         auswertung.Vorbereiten(TfrmAuswertung::WirtschaftSeite);
         ZeigeAktiv(&auswertung);
         auswertung.btnWirtschaftOeffnen->click();
         Aktiv(auswertung.WirtschaftlichkeitsFenster, pruefe);
     }},
    {"FlaechenAssistent",
     [](const Pruefung& pruefe) {
         TfrmFAssistentDialog fenster;
         Aktiv(&fenster, pruefe);
     }},
    {"Flaeche",
     [](const Pruefung& pruefe) {
         TfrmFlaecheDialog fenster;
         Aktiv(&fenster, pruefe);
     }},
    {"Niederschlag",
     [](const Pruefung& pruefe) {
         TfrmExpNS fenster;
         Aktiv(&fenster, pruefe);
     }},
    {"Simulationsparameter",
     [](const Pruefung& pruefe) {
         const auto produkte = Produkte();
         TFSimulationDialog fenster(*produkte);
         Aktiv(&fenster, pruefe);
     }},
    {"Simulationsergebnis",
     [](const Pruefung& pruefe) {
         TfrmSimuAuswertung fenster;
         Aktiv(&fenster, pruefe);
     }},
    {"Produkt",
     [](const Pruefung& pruefe) {
         const auto produkte = Produkte();
         TfrmDetailEmpf fenster(*produkte);
         Aktiv(&fenster, pruefe);
     }},
    {"Ausgabeoptionen",
     [](const Pruefung& pruefe) {
         TfrmAusgabeOptionen fenster(nullptr, QStringLiteral("Wirtschaftlichkeit"));
         Aktiv(&fenster, pruefe);
     }},
    {"Ueber",
     [](const Pruefung& pruefe) {
         ModalFolge folge({[&](QWidget* fenster) {
             Aktiv(fenster, pruefe);
             static_cast<QDialog*>(fenster)->reject();
         }});
         ZeigeUeberTropfwerk(nullptr);
         EXPECT_EQ(folge.Beantwortet(), 1);
     }},
};

class Zugang : public ::testing::TestWithParam<TFensterFall> {};

TEST_P(Zugang, JedesBedienelementHatNamenTabUndEigenesKuerzel)
{
    const MeldungsRekorder meldungen;
    std::vector<QString> fehler{QStringLiteral("nicht geprüft")};
    GetParam().Zeige([&](QWidget* fenster) { fehler = Pruefe(fenster); });
    EXPECT_EQ(fehler, std::vector<QString>{});
}

INSTANTIATE_TEST_SUITE_P(Fenster, Zugang, ::testing::ValuesIn(Faelle),
                         [](const auto& eintrag) { return std::string(eintrag.param.Name); });

// The what-if page with the normal-WC slider moved to 2,0 persons.
struct TGeaenderteAuswertung {
    TfrmAuswertung Fenster;
    QString Bedarf;
    TGeaenderteAuswertung()
    {
        Fenster.Datenordner = QStringLiteral(TW_DATENORDNER);
        Fenster.SetParameterSatz(Beispiel());
        Fenster.Vorbereiten(TfrmAuswertung::DetailSeite);
        ZeigeAktiv(&Fenster);
        Bedarf = Fenster.lBedarf->text();
        Fenster.tbPersWCNorm->setFocus();
        Fenster.tbPersWCNorm->setValue(20);
    }
};

TEST(ZugangTasten, EnterSetztDieWerteNichtZurueck)
{
    TGeaenderteAuswertung a;
    const QString geaendert = a.Fenster.lBedarf->text();
    ASSERT_NE(geaendert, a.Bedarf);
    for (QWidget* ziel : std::array<QWidget*, 2>{a.Fenster.tbPersWCNorm, a.Fenster.sgFlaeche})
        QTest::keyClick(ziel, Qt::Key_Return);
    EXPECT_EQ(a.Fenster.lBedarf->text(), geaendert);
    EXPECT_EQ(a.Fenster.Arbeitskopie().PersWCNorm, 2);
}

TEST(ZugangTasten, EscFragtVorDemVerwerfenDerAenderungen)
{
    for (const auto antwort : {QMessageBox::No, QMessageBox::Yes}) {
        TGeaenderteAuswertung a;
        const MeldungsRekorder meldungen(antwort);
        QTest::keyClick(a.Fenster.tbPersWCNorm, Qt::Key_Escape);
        ASSERT_EQ(meldungen.Meldungen.size(), 1u);
        EXPECT_EQ(meldungen.Meldungen[0].Symbol, QMessageBox::Question);
        EXPECT_EQ(a.Fenster.isVisible(), antwort == QMessageBox::No);
    }
    // Without changes Esc closes at once.
    TfrmAuswertung fenster;
    fenster.Datenordner = QStringLiteral(TW_DATENORDNER);
    fenster.SetParameterSatz(Beispiel());
    fenster.Vorbereiten(TfrmAuswertung::KompaktSeite);
    ZeigeAktiv(&fenster);
    const MeldungsRekorder meldungen;
    QTest::keyClick(fenster.btnReset, Qt::Key_Escape);
    EXPECT_TRUE(meldungen.Meldungen.empty());
    EXPECT_FALSE(fenster.isVisible());
}

TEST(ZugangWerte, ReglerSprechenInDerEinheitIhrerBeschriftung)
{
    TGeaenderteAuswertung a;
    a.Fenster.SelectPage(TfrmAuswertung::SimulationsSeite);
    QSlider* januar = a.Fenster.FuellstandSeite->tbR[0];
    januar->setValue(154);
    struct TFall {
        QSlider* Regler;
        QString Text;
        double Wert;
    };
    for (const TFall& f : {TFall{a.Fenster.tbPersWCNorm, QStringLiteral("2,0 Personen"), 2.0},
                           TFall{januar, QStringLiteral("46 mm"), 46.0}}) {
        QAccessibleInterface* zugang = QAccessible::queryAccessibleInterface(f.Regler);
        ASSERT_NE(zugang->valueInterface(), nullptr);
        EXPECT_EQ(zugang->text(QAccessible::Value), f.Text);
        EXPECT_DOUBLE_EQ(zugang->valueInterface()->currentValue().toDouble(), f.Wert);
    }
    // Setting the value through the interface moves the thumb.
    QAccessible::queryAccessibleInterface(januar)->valueInterface()->setCurrentValue(60.0);
    EXPECT_EQ(januar->value(), 140);
    // The result labels carry caption, value and unit in their name.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(a.Fenster.lBedarf)->text(QAccessible::Name),
              QStringLiteral("Regenwasserbedarf ") + a.Fenster.lBedarf->text() +
                  QStringLiteral(" m³"));
}

double Leuchtdichte(const QColor& farbe)
{
    const auto kanal = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * kanal(farbe.redF()) + 0.7152 * kanal(farbe.greenF()) +
           0.0722 * kanal(farbe.blueF());
}

TEST(ZugangWerte, AusgewaehlteZeileHebtSichDeutlichAb)
{
    for (const auto gruppe : {QPalette::Active, QPalette::Inactive}) {
        const QPalette farben = QApplication::palette();
        const double hell = Leuchtdichte(farben.color(gruppe, QPalette::HighlightedText));
        const double dunkel = Leuchtdichte(farben.color(gruppe, QPalette::Highlight));
        EXPECT_GE((std::max(hell, dunkel) + 0.05) / (std::min(hell, dunkel) + 0.05), 4.5);
    }
}

} // namespace
