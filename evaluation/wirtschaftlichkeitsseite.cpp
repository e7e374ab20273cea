// Economics content: site, summary, chart, knee sentence, money inputs kept between runs and the
// product table, in layouts.
#include "evaluation/wirtschaftlichkeitsseite.h"

#include "evaluation/deckungsdiagramm.h"
#include "evaluation/gestaltung.h"
#include "model/grenzen.h"
#include "model/plattform.h"
#include "model/wirtschaftlichkeit.h"
#include "model/zahlenformat.h"
#include "simulation/kern/deckungskurve.h"
#include "ui/fehlerwaechter.h"
#include "ui/meldung.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTableWidget>
#include <QVBoxLayout>

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
    zelle->setTextAlignment((zahl ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return zelle;
}

QLabel* Zeile(QWidget* eltern, const char* name, bool fett = false)
{
    auto* label = new QLabel(eltern);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (fett)
        Fett(label);
    return label;
}
} // namespace

TWirtschaftlichkeitsSeite::TWirtschaftlichkeitsSeite(QWidget* eltern)
    : QWidget(eltern), FKosten(GespeicherteKosten())
{
    setObjectName(QStringLiteral("WirtschaftlichkeitsSeite"));
    auto* anordnung = new QVBoxLayout(this);
    lblStandort = Zeile(this, "lblStandort");
    lblWahl = Zeile(this, "lblWahl", true);
    anordnung->addWidget(lblStandort);
    anordnung->addWidget(lblWahl);

    chDeckung = new TDeckungsDiagramm(this);
    chDeckung->setObjectName(QStringLiteral("chDeckung"));
    // The chart shows the Regenwasseranteil, not the Deckungsrate; its name says so.
    chDeckung->setAccessibleName(QString::fromUtf16(Regenwasseranteil) +
                                 QStringLiteral(" und Überlauf über dem Speichervolumen"));
    anordnung->addWidget(chDeckung, 3);
    lblKnick = Zeile(this, "lblKnick", true);
    anordnung->addWidget(lblKnick);

    // The money inputs side by side: caption above, field and unit below.
    auto* geld = new QGridLayout;
    std::array<QLineEdit**, 5> felder{&edWasserpreis, &edPumpe, &edWartung, &edEinbau, &edGebuehr};
    const int ziffern = fontMetrics().horizontalAdvance(QStringLiteral("1000000,00"));
    for (size_t i = 0; i < KostenFelder.size(); ++i) {
        const TKostenFeld& f = KostenFelder[i];
        const int spalte = 2 * static_cast<int>(i);
        auto* beschriftung = new QLabel(QString::fromUtf8(f.Beschriftung), this);
        beschriftung->setObjectName(QString::fromLatin1(f.Name) + QStringLiteral("Label"));
        auto* feld = new QLineEdit(this);
        feld->setObjectName(QString::fromLatin1(f.Name));
        beschriftung->setBuddy(feld);
        feld->setAccessibleName(beschriftung->text());
        feld->setAlignment(Qt::AlignRight);
        feld->setMinimumWidth(ziffern + 2 * fontMetrics().averageCharWidth());
        feld->setToolTip(QString::fromUtf8(Hinweise[i]));
        auto* einheit = new QLabel(QString::fromUtf8(f.Einheit), this);
        geld->addWidget(beschriftung, 0, spalte, 1, 2);
        geld->addWidget(feld, 1, spalte);
        geld->addWidget(einheit, 1, spalte + 1);
        geld->setColumnStretch(spalte, 1);
        feld->installEventFilter(this);
        VerbindeBewacht(feld, &QLineEdit::editingFinished, this,
                        [this, feld] { PruefeFeld(feld); });
        *felder[i] = feld;
    }
    geld->setHorizontalSpacing(fontMetrics().averageCharWidth());
    anordnung->addLayout(geld);
    ZeigeKosten();

    sgWirtschaft = new QTableWidget(0, Spalten, this);
    sgWirtschaft->setObjectName(QStringLiteral("sgWirtschaft"));
    sgWirtschaft->setAccessibleName(QStringLiteral("Wirtschaftlichkeit der empfohlenen Produkte"));
    sgWirtschaft->setHorizontalHeaderLabels(
        {QStringLiteral("Nr."), QStringLiteral("Hersteller"), QStringLiteral("Produkt"),
         QStringLiteral("Volumen\nm³"), QStringLiteral("Preis\n€"),
         QStringLiteral("Regenwasser-\nanteil %"), QStringLiteral("Regenwasser\nm³/Jahr"),
         QStringLiteral("Ersparnis\n€/Jahr"), QStringLiteral("Amortisation\nJahre"),
         QStringLiteral("Hinweis")});
    // Every column as wide as its widest text, names never cut; what is left goes to the notes.
    QHeaderView* kopf = sgWirtschaft->horizontalHeader();
    kopf->setSectionResizeMode(QHeaderView::ResizeToContents);
    kopf->setStretchLastSection(true);
    kopf->setHighlightSections(false);
    sgWirtschaft->setTextElideMode(Qt::ElideNone);
    sgWirtschaft->setWordWrap(false);
    sgWirtschaft->verticalHeader()->hide();
    sgWirtschaft->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    sgWirtschaft->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgWirtschaft->setSelectionMode(QAbstractItemView::SingleSelection);
    sgWirtschaft->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgWirtschaft->setTabKeyNavigation(false);
    sgWirtschaft->horizontalHeaderItem(AnteilSpalte)
        ->setToolTip(QString::fromUtf16(RegenwasseranteilErklaerung));
    anordnung->addWidget(sgWirtschaft, 1);

    lblHinweis = Zeile(this, "lblHinweis");
    lblHinweis->setText(
        QString::fromUtf16(Regenwasseranteil) +
        QStringLiteral(" aus %1 Jahren Tageswetter des Standorts, siehe Hilfe (F1).")
            .arg(KurvenJahre));
    anordnung->addWidget(lblHinweis);
    // Which figure the page shows, and how it relates to the Deckungsrate.
    for (QWidget* w : std::initializer_list<QWidget*>{lblHinweis, chDeckung})
        w->setToolTip(QString::fromUtf16(RegenwasseranteilErklaerung));
}

TWirtschaftlichkeitsSeite::~TWirtschaftlichkeitsSeite() = default;

void TWirtschaftlichkeitsSeite::Zeige(const TWirtschaftlichkeitsDaten& daten,
                                      const QString& standort)
{
    lblStandort->setText(standort);
    lblWahl->setText(WahlText(daten));
    chDeckung->Zeige(daten);
    chDeckung->setAccessibleDescription(KnickText(daten.Ergebnis));
    lblKnick->setText(KnickText(daten.Ergebnis));

    sgWirtschaft->setRowCount(static_cast<int>(daten.Produkte.size()));
    // The user's product is bold; the notes say why a row stands out.
    const std::optional<std::size_t> erster = ZuerstAmortisiert(daten.Produkte);
    for (int zeile = 0; zeile < sgWirtschaft->rowCount(); ++zeile) {
        const auto i = static_cast<std::size_t>(zeile);
        const TProduktWirtschaft& p = daten.Produkte[i];
        QStringList hinweise;
        if (daten.Gewaehlt == i)
            hinweise << QString::fromUtf16(GewaehltHinweis);
        if (erster == i)
            hinweise << QString::fromUtf16(ZuerstHinweis);
        const std::array<QTableWidgetItem*, Spalten> zellen{
            Zelle(QString::number(zeile + 1), true),
            Zelle(p.Hersteller, false),
            Zelle(p.Produkt, false),
            Zelle(zahl::Fest(p.Volumen, 2, 6), true),
            Zelle(zahl::Fest(p.Preis, 2, 8), true),
            Zelle(zahl::Fest(p.Deckung * 100, 1, 6), true),
            Zelle(zahl::Fest(p.Zahlen.Regenwasser, 1, 6), true),
            Zelle(zahl::Fest(p.Zahlen.Ersparnis, 2, 8), true),
            Zelle(AmortisationsText(p.Zahlen), true),
            Zelle(hinweise.join(QStringLiteral(", ")), false),
        };
        for (int spalte = 0; spalte < Spalten; ++spalte) {
            QTableWidgetItem* zelle = zellen[static_cast<size_t>(spalte)];
            if (daten.Gewaehlt == i)
                zelle->setFont(Fett(sgWirtschaft->font()));
            sgWirtschaft->setItem(zeile, spalte, zelle);
        }
    }
    // Up to eight rows without scrolling; the chart takes what is left.
    sgWirtschaft->resizeRowsToContents();
    int hoehe =
        sgWirtschaft->horizontalHeader()->sizeHint().height() + 2 * sgWirtschaft->frameWidth();
    for (int zeile = 0; zeile < std::min(sgWirtschaft->rowCount(), 8); ++zeile)
        hoehe += sgWirtschaft->rowHeight(zeile);
    sgWirtschaft->setMinimumHeight(
        std::max(hoehe, sgWirtschaft->horizontalHeader()->sizeHint().height() +
                            3 * sgWirtschaft->verticalHeader()->defaultSectionSize()));
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
