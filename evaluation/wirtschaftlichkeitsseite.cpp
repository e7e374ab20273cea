// Economics page: chart, knee sentence, money inputs kept between runs and the product table.
#include "evaluation/wirtschaftlichkeitsseite.h"

#include "evaluation/gestaltung.h"
#include "model/grenzen.h"
#include "model/plattform.h"
#include "model/wirtschaftlichkeit.h"
#include "model/zahlenformat.h"
#include "simulation/kern/deckungskurve.h"
#include "ui/fehlerwaechter.h"
#include "ui/meldung.h"

#include <QChart>
#include <QChartView>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTableWidget>

#include <memory>

namespace {
const QString Fehlertitel = QStringLiteral("Fehler");
const QString EinstellungsGruppe = QStringLiteral("Wirtschaftlichkeit");

struct TKostenFeld {
    const char* Name;
    const char* Beschriftung;
    const char* Einheit;
    const char* Schluessel; // in the settings group
    long double TKosten::*Wert;
};
constexpr std::array<TKostenFeld, 5> KostenFelder{{
    {"edWasserpreis", "Trinkwasserpreis", "€/m³", "Wasserpreis", &TKosten::Wasserpreis},
    {"edPumpe", "Pumpenstrom", "€/m³", "Pumpe", &TKosten::Pumpe},
    {"edWartung", "Wartung", "€/Jahr", "Wartung", &TKosten::Wartung},
    {"edEinbau", "Einbau", "€", "Einbau", &TKosten::Einbau},
    {"edGebuehr", "Gebührenersparnis", "€/Jahr", "Gebuehr", &TKosten::Gebuehr},
}};
constexpr std::array<const char*, 5> Hinweise{
    "Preis des Trinkwassers je m³ (mit Abwasseranteil, soweit er entfällt)",
    "Stromkosten der Pumpe je m³ genutztem Regenwasser",
    "Jährliche Wartungskosten der Anlage",
    "Einbaukosten zusätzlich zum Produktpreis",
    "Jährliche Ersparnis bei der Niederschlagswassergebühr (optional)",
};

// The shortest text with at least two decimals that reads back as the value.
QString KostenText(long double wert)
{
    return zahl::FestVerlustfrei(wert, 2, 18, 18);
}

// The stored inputs; a missing, unreadable, negative or too large value keeps its default.
// Each value is the one its field shows.
TKosten GespeicherteKosten()
{
    TKosten kosten;
    QSettings einstellungen = ProgrammEinstellungen();
    einstellungen.beginGroup(EinstellungsGruppe);
    for (const TKostenFeld& f : KostenFelder) {
        const QString text = einstellungen.value(QString::fromLatin1(f.Schluessel)).toString();
        const auto wert = zahl::LiesInvariant(text.toStdString());
        if (wert && ImBereich(*wert, KostenGrenze(f.Wert)))
            kosten.*f.Wert = *wert;
        if (const auto gezeigt = zahl::Lies(KostenText(kosten.*f.Wert)))
            kosten.*f.Wert = *gezeigt;
    }
    return kosten;
}

// The input that the field edits; none for another object.
const TKostenFeld* KostenFeldVon(const QObject* feld)
{
    for (const TKostenFeld& f : KostenFelder)
        if (feld && feld->objectName() == QLatin1String(f.Name))
            return &f;
    return nullptr;
}

QTableWidgetItem* Zelle(const QString& text, bool zahl)
{
    auto* zelle = new QTableWidgetItem(text);
    if (!zahl)
        zelle->setToolTip(text);
    zelle->setTextAlignment((zahl ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return zelle;
}
} // namespace

TWirtschaftlichkeitsSeite::TWirtschaftlichkeitsSeite(QWidget* eltern)
    : QWidget(eltern), FKosten(GespeicherteKosten())
{
    setObjectName(QStringLiteral("WirtschaftlichkeitsSeite"));
    chDeckung = new QChartView(this);
    chDeckung->setObjectName(QStringLiteral("chDeckung"));
    chDeckung->setAccessibleName(QStringLiteral("Deckungsrate über der Speichergröße"));
    chDeckung->setGeometry(4, 0, FensterBreite - 8, 196);
    chDeckung->setRenderHint(QPainter::Antialiasing);
    chDeckung->setChart(new QChart);

    lblKnick = Fett(Text(this, "lblKnick", QString(), {8, 197, FensterBreite - 16, 18}));

    // The money inputs side by side: caption above, field and unit below.
    std::array<QLineEdit**, 5> felder{&edWasserpreis, &edPumpe, &edWartung, &edEinbau, &edGebuehr};
    constexpr std::array<int, 5> Spalten{102, 98, 98, 96, 122};
    int x = 8;
    for (size_t i = 0; i < KostenFelder.size(); ++i) {
        const TKostenFeld& f = KostenFelder[i];
        const int spalte = Spalten[i];
        QLineEdit* feld =
            BeschriftetesFeld(this, QString::fromLatin1(f.Name), QString::fromUtf8(f.Beschriftung),
                              {x, 216, spalte - 4, 16}, {x, 233, 58, 22});
        feld->setAlignment(Qt::AlignRight);
        feld->setToolTip(QString::fromUtf8(Hinweise[i]));
        auto* einheit = new QLabel(QString::fromUtf8(f.Einheit), this);
        einheit->setGeometry(x + 61, 233, spalte - 65, 22);
        feld->installEventFilter(this);
        VerbindeBewacht(feld, &QLineEdit::editingFinished, this,
                        [this, feld] { PruefeFeld(feld); });
        *felder[i] = feld;
        x += spalte;
    }
    ZeigeKosten();

    sgWirtschaft = new QTableWidget(0, 8, this);
    sgWirtschaft->setObjectName(QStringLiteral("sgWirtschaft"));
    sgWirtschaft->setAccessibleName(QStringLiteral("Wirtschaftlichkeit der empfohlenen Produkte"));
    sgWirtschaft->setGeometry(8, 259, FensterBreite - 16, 84);
    sgWirtschaft->setHorizontalHeaderLabels(
        {QStringLiteral("Hersteller"), QStringLiteral("Produkt"), QStringLiteral("Volumen\nm³"),
         QStringLiteral("Preis\n€"), QStringLiteral("Regenwasser-\nanteil %"),
         QStringLiteral("Regenwasser\nm³/Jahr"), QStringLiteral("Ersparnis\n€/Jahr"),
         QStringLiteral("Amortisation\nJahre")});
    const std::array<int, 8> breiten{76, 76, 50, 56, 76, 76, 58, 70};
    for (size_t i = 0; i < breiten.size(); ++i)
        sgWirtschaft->setColumnWidth(static_cast<int>(i), breiten[i]);
    // The product's name takes what the other columns leave.
    sgWirtschaft->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    sgWirtschaft->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sgWirtschaft->verticalHeader()->hide();
    sgWirtschaft->verticalHeader()->setMinimumSectionSize(15);
    sgWirtschaft->verticalHeader()->setDefaultSectionSize(std::max(15, fontMetrics().height() + 2));
    sgWirtschaft->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgWirtschaft->setSelectionMode(QAbstractItemView::SingleSelection);
    sgWirtschaft->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgWirtschaft->setTabKeyNavigation(false);
    sgWirtschaft->horizontalHeader()->setHighlightSections(false);
    sgWirtschaft->horizontalHeaderItem(4)->setToolTip(
        QString::fromUtf16(RegenwasseranteilErklaerung));

    lblHinweis = Text(this, "lblHinweis",
                      QString::fromUtf16(Regenwasseranteil) +
                          QStringLiteral(" aus %1 Jahren Tageswetter des Standorts, siehe "
                                         "Hilfe (F1).")
                              .arg(KurvenJahre),
                      {8, 344, FensterBreite - 16, 16});
    // Which figure the page shows, and how it relates to the Deckungsrate.
    for (QWidget* w : std::initializer_list<QWidget*>{lblHinweis, chDeckung})
        w->setToolTip(QString::fromUtf16(RegenwasseranteilErklaerung));
}

// The view's scene deletes the chart it shows.
TWirtschaftlichkeitsSeite::~TWirtschaftlichkeitsSeite() = default;

void TWirtschaftlichkeitsSeite::Zeige(const TWirtschaftlichkeitsDaten& daten)
{
    // The view gives the chart it showed back to the caller.
    const std::unique_ptr<QChart> alt(chDeckung->chart());
    chDeckung->setChart(ErzeugeDeckungsdiagramm(daten));
    lblKnick->setText(KnickText(daten.Ergebnis));

    sgWirtschaft->setRowCount(static_cast<int>(daten.Produkte.size()));
    // The product that pays back first is shown in bold.
    const std::optional<std::size_t> erster = ZuerstAmortisiert(daten.Produkte);
    for (int zeile = 0; zeile < sgWirtschaft->rowCount(); ++zeile) {
        const TProduktWirtschaft& p = daten.Produkte[static_cast<size_t>(zeile)];
        const std::array<QTableWidgetItem*, 8> zellen{
            Zelle(p.Hersteller, false),
            Zelle(p.Produkt, false),
            Zelle(zahl::Fest(p.Volumen, 2, 6), true),
            Zelle(zahl::Fest(p.Preis, 2, 8), true),
            Zelle(zahl::Fest(p.Deckung * 100, 1, 6), true),
            Zelle(zahl::Fest(p.Zahlen.Regenwasser, 1, 6), true),
            Zelle(zahl::Fest(p.Zahlen.Ersparnis, 2, 8), true),
            Zelle(AmortisationsText(p.Zahlen), true),
        };
        for (int spalte = 0; spalte < 8; ++spalte) {
            QTableWidgetItem* zelle = zellen[static_cast<size_t>(spalte)];
            if (erster == static_cast<std::size_t>(zeile)) {
                QFont fett = sgWirtschaft->font();
                fett.setBold(true);
                zelle->setFont(fett);
            }
            sgWirtschaft->setItem(zeile, spalte, zelle);
        }
    }
}

bool TWirtschaftlichkeitsSeite::PruefeFeld(QLineEdit* feld)
{
    const TKostenFeld* f = KostenFeldVon(feld);
    if (!f || FPruefungLaeuft)
        return true;
    long double* ziel = &(FKosten.*f->Wert);
    const TGrenze& grenze = KostenGrenze(f->Wert);
    const auto wert = zahl::LiesBetrag(feld->text());
    if (!wert || !ImBereich(*wert, grenze)) {
        TSperre sperre(FPruefungLaeuft);
        ZeigeFehlermeldung(feld, Eingabebitte(QString::fromUtf8(f->Beschriftung), grenze),
                           Fehlertitel);
        Fokussiere(feld);
        return false;
    }
    // Shown as it is kept: "60" becomes "60,00".
    feld->setText(KostenText(*wert + 0.0L));
    if (*wert == *ziel)
        return true;
    *ziel = *wert + 0.0L;
    Speichere();
    emit KostenGeaendert();
    return true;
}

void TWirtschaftlichkeitsSeite::SetzeKosten(const TKosten& kosten)
{
    FKosten = kosten;
    ZeigeKosten();
}

void TWirtschaftlichkeitsSeite::ZeigeKosten()
{
    const std::array<QLineEdit*, 5> felder{edWasserpreis, edPumpe, edWartung, edEinbau, edGebuehr};
    for (size_t i = 0; i < KostenFelder.size(); ++i)
        felder[i]->setText(KostenText(FKosten.*KostenFelder[i].Wert));
}

void TWirtschaftlichkeitsSeite::Speichere() const
{
    QSettings einstellungen = ProgrammEinstellungen();
    einstellungen.beginGroup(EinstellungsGruppe);
    for (const TKostenFeld& f : KostenFelder)
        einstellungen.setValue(QString::fromLatin1(f.Schluessel),
                               QString::fromStdString(zahl::Invariant(FKosten.*f.Wert)));
}

bool TWirtschaftlichkeitsSeite::eventFilter(QObject* objekt, QEvent* ereignis)
{
    // Enter takes the field's value and goes no further, so no button of the window fires.
    if (IstEnterTaste(ereignis)) {
        if (auto* feld = qobject_cast<QLineEdit*>(objekt); KostenFeldVon(feld)) {
            Bewacht([this, feld] { PruefeFeld(feld); });
            return true;
        }
    }
    return QWidget::eventFilter(objekt, ereignis);
}
