#include "evaluation/bericht/wirtschaftsbericht.h"

#include "model/wirtschaftlichkeit.h"
#include "model/zahlenformat.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

constexpr double Links = 0.5;
constexpr double Breite = 7.5;
constexpr double TabelleOben = 7.25;
constexpr double Zeilenhoehe = 0.24;
constexpr int Tabellenzeilen = 9;

struct TSpalte {
    const char* Titel;
    const char* Einheit;
    double Links;
    double Breite;
    TAusrichtung Ausrichtung;
};

constexpr TSpalte Spalten[] = {
    {"Nr.", "", 0.5, 0.3, TAusrichtung::Links},
    {"Hersteller", "", 0.8, 1.0, TAusrichtung::Links},
    {"Produkt", "", 1.85, 1.15, TAusrichtung::Links},
    {"Volumen", "m³", 3.05, 0.6, TAusrichtung::Rechts},
    {"Preis", "€", 3.7, 0.75, TAusrichtung::Rechts},
    // The Regenwasseranteil, its name broken over the two header lines.
    {"Regenwasser-", "anteil %", 4.5, 0.85, TAusrichtung::Rechts},
    {"Regenwasser", "m³/Jahr", 5.4, 0.8, TAusrichtung::Rechts},
    {"Ersparnis", "€/Jahr", 6.25, 0.75, TAusrichtung::Rechts},
    {"Amortisation", "Jahre", 7.1, 0.9, TAusrichtung::Rechts},
};

TBerichtText Text(const QString& schrift, double links, double oben, double breite,
                  const QString& text, double groesse = 10, bool fett = false,
                  TAusrichtung ausrichtung = TAusrichtung::Links)
{
    TBerichtText t;
    t.Links = links;
    t.Oben = oben;
    t.Breite = breite;
    t.Schrift = {schrift, groesse, fett};
    t.Ausrichtung = ausrichtung;
    t.Text = text;
    return t;
}

// A value of the table: shortened with "…" where it is wider than its column.
TBerichtText Wert(const QString& schrift, const TSpalte& spalte, double oben, const QString& text)
{
    TBerichtText t =
        Text(schrift, spalte.Links, oben, spalte.Breite, text, 9, false, spalte.Ausrichtung);
    t.Feld = QString::fromUtf8(spalte.Titel);
    return t;
}

QString Geld(long double wert)
{
    return zahl::Muster(wert, QStringLiteral("#0.00"));
}

// A round step for about `teile` parts of `bis`: 1, 2 or 5 × 10^n.
double Teilung(double bis, int teile)
{
    const double roh = bis / teile;
    const double basis = std::pow(10.0, std::floor(std::log10(roh)));
    for (const double f : {1.0, 2.0, 5.0})
        if (f * basis >= roh)
            return f * basis;
    return 10 * basis;
}

struct TDiagramm {
    std::vector<TDeckungsPunkt> Kurve;
    std::vector<TDeckungsPunkt> Produkte;
    double Volumen = 0;
    std::optional<double> Knick;
    QString Schrift;

    void operator()(QPainter& maler, const QRectF& kasten) const;
};

void TDiagramm::operator()(QPainter& maler, const QRectF& kasten) const
{
    if (Kurve.size() < 2)
        return;
    const double dpi = maler.device()->logicalDpiX();
    const auto punkte = [dpi](double pt) { return pt * dpi / 72.0; };
    QFont schrift(Schrift);
    schrift.setPointSizeF(8);
    maler.setFont(schrift);
    const QFontMetricsF masse(schrift, maler.device());
    const QRectF feld = kasten.adjusted(0.45 * dpi, 0.1 * dpi, -0.1 * dpi, -0.45 * dpi);
    const double bis = Kurve.back().Volumen;
    const auto x = [&](double v) { return feld.left() + v / bis * feld.width(); };
    const auto y = [&](double anteil) { return feld.bottom() - anteil * feld.height(); };

    // Grid and axes: 0 … 100 % upwards, 0 … the last volume to the right.
    maler.setPen(QPen(QColor(200, 200, 200), punkte(0.5)));
    const double schritt = Teilung(bis, 8);
    for (double v = schritt; v <= bis + 1e-9; v += schritt)
        maler.drawLine(QPointF(x(v), feld.top()), QPointF(x(v), feld.bottom()));
    for (int p = 20; p <= 100; p += 20)
        maler.drawLine(QPointF(feld.left(), y(p / 100.0)), QPointF(feld.right(), y(p / 100.0)));
    maler.setPen(QPen(Qt::black, punkte(0.75)));
    maler.drawRect(feld);
    const double zeile = masse.height();
    for (double v = 0; v <= bis + 1e-9; v += schritt)
        maler.drawText(QRectF(x(v) - 0.4 * dpi, feld.bottom() + 0.04 * dpi, 0.8 * dpi, zeile),
                       Qt::AlignHCenter | Qt::AlignTop, zahl::Muster(v, QStringLiteral("#0.##")));
    for (int p = 0; p <= 100; p += 20)
        maler.drawText(QRectF(kasten.left(), y(p / 100.0) - zeile / 2, 0.4 * dpi, zeile),
                       Qt::AlignRight | Qt::AlignVCenter,
                       QString::number(p) + QStringLiteral(" %"));
    maler.drawText(QRectF(feld.left(), feld.bottom() + 0.04 * dpi + zeile, feld.width(), zeile),
                   Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("Speichervolumen in m³"));

    // The two curves.
    QPainterPath deckung;
    QPainterPath ueberlauf;
    for (std::size_t i = 0; i < Kurve.size(); ++i) {
        const QPointF d(x(Kurve[i].Volumen), y(Kurve[i].Deckung));
        const QPointF u(x(Kurve[i].Volumen), y(Kurve[i].Ueberlauf));
        if (i == 0) {
            deckung.moveTo(d);
            ueberlauf.moveTo(u);
        } else {
            deckung.lineTo(d);
            ueberlauf.lineTo(u);
        }
    }
    maler.setBrush(Qt::NoBrush);
    maler.setPen(QPen(QColor(0, 70, 160), punkte(1.5)));
    maler.drawPath(deckung);
    maler.setPen(QPen(QColor(120, 120, 120), punkte(1.2), Qt::DashLine));
    maler.drawPath(ueberlauf);

    // Markers: the sizing rule's volume, the point of diminishing returns, the products.
    const auto senkrecht = [&](double v, Qt::PenStyle stil, const QString& text, int stufe) {
        if (!(v >= 0 && v <= bis))
            return;
        maler.setPen(QPen(Qt::black, punkte(0.75), stil));
        maler.drawLine(QPointF(x(v), feld.top()), QPointF(x(v), feld.bottom()));
        maler.drawText(
            QRectF(x(v) + 0.04 * dpi, feld.top() + (0.55 + stufe) * zeile, 1.6 * dpi, zeile),
            Qt::AlignLeft | Qt::AlignTop, text);
    };
    senkrecht(Volumen, Qt::DotLine,
              QStringLiteral("Speichergröße: ") + zahl::Muster(Volumen, QStringLiteral("#0.0#")) +
                  QStringLiteral(" m³"),
              1);
    if (Knick)
        senkrecht(*Knick, Qt::DashDotLine, KnickMarke(*Knick), 2);
    const double r = punkte(2.5);
    for (std::size_t i = 0; i < Produkte.size(); ++i) {
        const QPointF p(x(std::min(Produkte[i].Volumen, bis)), y(Produkte[i].Deckung));
        maler.setPen(QPen(Qt::black, punkte(0.75)));
        maler.setBrush(Qt::white);
        maler.drawEllipse(p, r, r);
        maler.drawText(QRectF(p.x() - 0.15 * dpi, p.y() + r, 0.3 * dpi, zeile),
                       Qt::AlignHCenter | Qt::AlignTop, QString::number(i + 1));
    }

    // Legend, bottom right.
    const double lb = 1.7 * dpi;
    const QRectF legende(feld.right() - lb - 0.08 * dpi, feld.bottom() - 2.6 * zeile, lb,
                         2.3 * zeile);
    maler.setPen(QPen(Qt::black, punkte(0.5)));
    maler.setBrush(Qt::white);
    maler.drawRect(legende);
    const auto eintrag = [&](int n, const QPen& stift, const QString& text) {
        const double mitte = legende.top() + (n + 0.65) * zeile;
        maler.setPen(stift);
        maler.drawLine(QPointF(legende.left() + 0.06 * dpi, mitte),
                       QPointF(legende.left() + 0.36 * dpi, mitte));
        maler.setPen(Qt::black);
        maler.drawText(QRectF(legende.left() + 0.42 * dpi, mitte - zeile / 2, lb, zeile),
                       Qt::AlignLeft | Qt::AlignVCenter, text);
    };
    eintrag(0, QPen(QColor(0, 70, 160), punkte(1.5)), QString::fromUtf16(Regenwasseranteil));
    eintrag(1, QPen(QColor(120, 120, 120), punkte(1.2), Qt::DashLine),
            QStringLiteral("Überlauf vom Ertrag"));
}

} // namespace

TBerichtSeite WirtschaftlichkeitsSeite(const TBerichtDefinition& definition,
                                       const TWirtschaftlichkeitsDaten& daten)
{
    TBerichtSeite seite;
    QString schrift = QStringLiteral("Arial");
    for (const TBerichtElement& e : definition.Elemente) {
        const auto* t = std::get_if<TBerichtText>(&e);
        if (!t || !t->JedeSeite || t->IstDatenfeld())
            continue;
        TBerichtText kopf = *t;
        if (kopf.Text == definition.Name)
            kopf.Text = QStringLiteral("Wirtschaftlichkeit");
        schrift = kopf.Schrift.Name;
        seite.Elemente.push_back(std::move(kopf));
    }

    seite.Elemente.push_back(Text(schrift, Links, 2.0, Breite,
                                  QString::fromUtf16(Regenwasseranteil) +
                                      QStringLiteral(" und Überlauf über dem Speichervolumen :"),
                                  14));
    TDiagramm diagramm{daten.Ergebnis.Kurve,
                       {},
                       static_cast<double>(daten.Volumen),
                       daten.Ergebnis.Knick,
                       schrift};
    for (const TProduktWirtschaft& p : daten.Produkte)
        diagramm.Produkte.push_back(
            {static_cast<double>(p.Volumen), static_cast<double>(p.Deckung), 0});
    seite.Zeichnungen.push_back({QRectF(Links, 2.4, Breite, 3.5), diagramm});

    const TKosten& k = daten.Kosten;
    seite.Elemente.push_back(Text(schrift, Links, 6.0, Breite, KnickText(daten.Ergebnis)));
    seite.Elemente.push_back(
        Text(schrift, Links, 6.3, Breite,
             QStringLiteral("Annahmen: Trinkwasser %1 €/m³, Pumpenstrom %2 €/m³ Regenwasser, "
                            "Wartung %3 €/Jahr,")
                 .arg(Geld(k.Wasserpreis), Geld(k.Pumpe), Geld(k.Wartung)),
             9));
    seite.Elemente.push_back(
        Text(schrift, Links, 6.5, Breite,
             QStringLiteral("Einbau %1 € zusätzlich zum Produktpreis, Ersparnis bei der "
                            "Niederschlagswassergebühr %2 €/Jahr.")
                 .arg(Geld(k.Einbau), Geld(k.Gebuehr)),
             9));

    seite.Elemente.push_back(
        Text(schrift, Links, 6.85, Breite, QStringLiteral("Empfohlene Produkte :"), 14));
    for (const TSpalte& s : Spalten) {
        seite.Elemente.push_back(Text(schrift, s.Links, TabelleOben, s.Breite,
                                      QString::fromUtf8(s.Titel), 9, true, s.Ausrichtung));
        seite.Elemente.push_back(Text(schrift, s.Links, TabelleOben + 0.17, s.Breite,
                                      QString::fromUtf8(s.Einheit), 9, false, s.Ausrichtung));
    }
    seite.Elemente.push_back(
        TBerichtLinie{Links, TabelleOben + 0.4, Links + Breite, TabelleOben + 0.4, 0.5});
    const double erste = TabelleOben + 0.47;
    const std::size_t zeigen = std::min<std::size_t>(daten.Produkte.size(), Tabellenzeilen);
    for (std::size_t i = 0; i < zeigen; ++i) {
        const TProduktWirtschaft& p = daten.Produkte[i];
        const double oben = erste + static_cast<double>(i) * Zeilenhoehe;
        const QString werte[] = {
            QString::number(i + 1),
            p.Hersteller,
            p.Produkt,
            zahl::Muster(p.Volumen, QStringLiteral("#0.0#")),
            Geld(p.Preis),
            zahl::Muster(p.Deckung * 100, QStringLiteral("#0")),
            zahl::Muster(p.Zahlen.Regenwasser, QStringLiteral("#0.0")),
            Geld(p.Zahlen.Ersparnis),
            AmortisationsText(p.Zahlen),
        };
        for (std::size_t s = 0; s < std::size(Spalten); ++s)
            seite.Elemente.push_back(Wert(schrift, Spalten[s], oben, werte[s]));
    }
    double unten = erste + static_cast<double>(zeigen) * Zeilenhoehe;
    if (daten.Produkte.empty())
        seite.Elemente.push_back(Text(schrift, Links, erste, Breite,
                                      QStringLiteral("Für dieses Volumen ist kein Produkt "
                                                     "im Katalog."),
                                      9));
    else if (daten.Produkte.size() > zeigen)
        seite.Elemente.push_back(
            Text(schrift, Links, unten, Breite,
                 QStringLiteral("… und %1 weitere Produkte (siehe Seite „Wirtschaftlichkeit“ "
                                "der Auswertung).")
                     .arg(daten.Produkte.size() - zeigen),
                 9));
    unten = std::max(unten, 10.2);
    seite.Elemente.push_back(Text(
        schrift, Links, unten + 0.05, Breite,
        QString::fromUtf16(Regenwasseranteil) +
            QStringLiteral(" aus %1 Jahren erzeugten Tageswetters, angepasst an Tagesreihen von "
                           "Stationen (Datenbasis: Deutscher Wetterdienst);")
                .arg(KurvenJahre),
        8));
    seite.Elemente.push_back(
        Text(schrift, Links, unten + 0.22, Breite,
             QStringLiteral("Preise von heute, ohne Zinsen und Preissteigerungen. Amortisation "
                            "„nie“: die Ersparnis deckt die laufenden Kosten nicht."),
             8));
    return seite;
}
