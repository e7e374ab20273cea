#include "evaluation/bericht/wirtschaftsbericht.h"

#include "model/wirtschaftlichkeit.h"
#include "model/zahlenformat.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <limits>

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

// The width of `text` in inches per point of font size.
double ZollJePunkt(const QString& schrift, const QString& text)
{
    constexpr double Pixel = 720; // measured large, so that hinting does not count
    QFont f(schrift);
    f.setPixelSize(static_cast<int>(Pixel));
    return QFontMetricsF(f).horizontalAdvance(text) / Pixel / 72.0;
}

// The font size, from `groesse` down to `kleinste`, at which `text` fits `breite` inches.
double PassendeGroesse(const QString& schrift, const QString& text, double breite, double groesse,
                       double kleinste)
{
    const double zoll = ZollJePunkt(schrift, text);
    return zoll > 0 ? std::clamp(0.95 * breite / zoll, kleinste, groesse) : groesse;
}

// A value of the table: in a smaller font where it is wider than its column, then on two lines
// broken at a blank, and shortened with "…" only where even that does not suffice.
std::vector<TBerichtText> Wert(const QString& schrift, const TSpalte& spalte, double oben,
                               const QString& text)
{
    const auto wert = [&](double o, const QString& t, double groesse) {
        TBerichtText w =
            Text(schrift, spalte.Links, o, spalte.Breite, t, groesse, false, spalte.Ausrichtung);
        w.Feld = QString::fromUtf8(spalte.Titel);
        return w;
    };
    constexpr double Einzeilig = 7.5;
    constexpr double Zweizeilig = 7;
    const double groesse = PassendeGroesse(schrift, text, spalte.Breite, 9, Einzeilig);
    const bool passt = 0.95 * spalte.Breite >= groesse * ZollJePunkt(schrift, text);
    const qsizetype mitte = text.size() / 2;
    qsizetype bruch = -1;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == u' ' && (bruch < 0 || std::abs(i - mitte) < std::abs(bruch - mitte)))
            bruch = i;
    if (passt || bruch < 0)
        return {wert(oben, text, groesse)};
    const QString erste = text.left(bruch);
    const QString zweite = text.mid(bruch + 1);
    const double klein = std::min(PassendeGroesse(schrift, erste, spalte.Breite, Zweizeilig, 6),
                                  PassendeGroesse(schrift, zweite, spalte.Breite, Zweizeilig, 6));
    return {wert(oben - 0.04, erste, klein), wert(oben + 0.08, zweite, klein)};
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

// Whether a label at `r` is free: within the plot, clear of the curves, marks, markers and the
// labels already placed. Returns the number of things it overlaps.
int Ueberdeckungen(const QRectF& r, const TWirtschaftsDiagrammGeometrie& g)
{
    int n = 0;
    for (const QPolygonF& kurve : g.Kurven)
        for (qsizetype i = 1; i < kurve.size(); ++i)
            n += Schneidet(r, QLineF(kurve[i - 1], kurve[i]));
    for (const QLineF& linie : g.Linien)
        n += Schneidet(r, linie);
    for (const QRectF& m : g.Marker)
        n += r.intersects(m);
    for (const QRectF& b : g.Beschriftungen)
        n += r.intersects(b);
    return n;
}

// The index of the first free place among the candidates, else of the one that overlaps least.
std::size_t Platziere(const std::vector<QRectF>& kandidaten, const TWirtschaftsDiagrammGeometrie& g)
{
    std::size_t bester = 0;
    int wenigste = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < kandidaten.size(); ++i) {
        const int n = Ueberdeckungen(kandidaten[i], g) + (g.Feld.contains(kandidaten[i]) ? 0 : 100);
        if (n == 0)
            return i;
        if (n < wenigste) {
            wenigste = n;
            bester = i;
        }
    }
    return bester;
}

// A tick of the volume axis: "0", "2,5", "10", without needless decimals.
QString AchsenText(double wert)
{
    return zahl::Muster(wert, QStringLiteral("#0.###"));
}

struct TDiagramm {
    TWirtschaftlichkeitsDaten Daten;
    QString Schrift;

    void operator()(QPainter& maler, const QRectF& kasten) const
    {
        QFont schrift(Schrift);
        schrift.setPointSizeF(8);
        ZeichneWirtschaftsDiagramm(maler, kasten, Daten, schrift);
    }
};

} // namespace

bool Schneidet(const QRectF& rechteck, const QLineF& strecke)
{
    if (rechteck.contains(strecke.p1()) || rechteck.contains(strecke.p2()))
        return true;
    const QPointF ecken[] = {rechteck.topLeft(), rechteck.topRight(), rechteck.bottomRight(),
                             rechteck.bottomLeft()};
    for (int i = 0; i < 4; ++i)
        if (strecke.intersects(QLineF(ecken[i], ecken[(i + 1) % 4])) == QLineF::BoundedIntersection)
            return true;
    return false;
}

TWirtschaftsDiagrammGeometrie WirtschaftsDiagrammGeometrie(const TWirtschaftlichkeitsDaten& daten,
                                                           const QRectF& kasten, double dpi,
                                                           const QFontMetricsF& masse)
{
    TWirtschaftsDiagrammGeometrie g;
    const std::vector<TDeckungsPunkt>& kurve = daten.Ergebnis.Kurve;
    if (kurve.size() < 2)
        return g;
    const double zeile = masse.height();
    // Room for the legend above, the percentages on the left and two lines of axis text below
    // the plot, in whatever font.
    const double prozente =
        std::max(0.45 * dpi, masse.horizontalAdvance(QStringLiteral("100 %")) + 0.1 * dpi);
    const double achse = std::max(0.45 * dpi, 2 * zeile + 0.1 * dpi);
    g.Feld = kasten.adjusted(prozente, 0.1 * dpi + 1.5 * zeile, -0.1 * dpi, -achse);
    const double ende = kurve.back().Volumen;
    g.Schritt = Teilung(ende, 8);
    g.Bis = std::max(1.0, std::ceil(ende / g.Schritt - 1e-9)) * g.Schritt;
    const QRectF& feld = g.Feld;
    const auto x = [&](double v) { return feld.left() + v / g.Bis * feld.width(); };
    const auto y = [&](double anteil) { return feld.bottom() - anteil * feld.height(); };

    QPolygonF deckung;
    QPolygonF ueberlauf;
    for (const TDeckungsPunkt& p : kurve) {
        deckung << QPointF(x(p.Volumen), y(p.Deckung));
        ueberlauf << QPointF(x(p.Volumen), y(p.Ueberlauf));
    }
    g.Kurven = {deckung, ueberlauf};

    const double abstand = 0.04 * dpi;
    // Markers grow with the font, so that they stay visible beside larger numbers.
    const double r = std::max(2.5 * dpi / 72.0, zeile / 3);
    std::vector<double> marken;
    const auto senkrecht = [&](double v, const QString& text) {
        if (!(v >= 0 && v <= g.Bis))
            return;
        g.Linien.emplace_back(QPointF(x(v), feld.top()), QPointF(x(v), feld.bottom()));
        g.Texte.push_back(text);
        marken.push_back(x(v));
    };
    senkrecht(static_cast<double>(daten.Volumen),
              QStringLiteral("Speichergröße: ") +
                  zahl::Muster(daten.Volumen, QStringLiteral("#0.0#")) + QStringLiteral(" m³"));
    if (daten.Ergebnis.Knick)
        senkrecht(*daten.Ergebnis.Knick, KnickMarke(*daten.Ergebnis.Knick));
    std::vector<QPointF> mitten;
    for (const TProduktWirtschaft& p : daten.Produkte) {
        const QPointF m(x(std::min(static_cast<double>(p.Volumen), ende)),
                        y(static_cast<double>(p.Deckung)));
        mitten.push_back(m);
        g.Marker.emplace_back(m.x() - r, m.y() - r, 2 * r, 2 * r);
        g.Texte.push_back(QString::number(mitten.size()));
    }

    // The marks' labels beside their line at any height, the products' numbers around their
    // marker, nearest places first.
    // A mark's label on one line, or where that finds no room on two ("Knickpunkt:" above
    // "6,2 m³").
    for (std::size_t i = 0; i < marken.size(); ++i) {
        QString zweizeilig = g.Texte[i];
        zweizeilig.replace(QStringLiteral(": "), QStringLiteral(":\n"));
        std::vector<QRectF> kandidaten;
        std::vector<QString> texte;
        for (const QString& text : {g.Texte[i], zweizeilig}) {
            const QSizeF groesse = masse.size(0, text) + QSizeF(2, 0);
            for (double oben = feld.top() + abstand; oben + groesse.height() < feld.bottom();
                 oben += zeile / 2)
                for (const double links :
                     {marken[i] + abstand, marken[i] - abstand - groesse.width()}) {
                    kandidaten.emplace_back(QPointF(links, oben), groesse);
                    texte.push_back(text);
                }
        }
        const std::size_t wahl = Platziere(kandidaten, g);
        g.Texte[i] = texte[wahl];
        g.Beschriftungen.push_back(kandidaten[wahl]);
    }
    for (std::size_t i = 0; i < mitten.size(); ++i) {
        const QString& text = g.Texte[marken.size() + i];
        const QSizeF groesse(masse.horizontalAdvance(text) + 2, zeile);
        const double w = groesse.width();
        const double h = groesse.height();
        const QPointF m = mitten[i];
        std::vector<QRectF> kandidaten;
        for (int stufe = 0; stufe < 12; ++stufe) {
            const double d = r + 1 + stufe * h / 2;
            for (const QPointF& ecke :
                 {QPointF(m.x() - w / 2, m.y() + d), QPointF(m.x() - w / 2, m.y() - d - h),
                  QPointF(m.x() + d, m.y() - h / 2), QPointF(m.x() - d - w, m.y() - h / 2),
                  QPointF(m.x() + d, m.y() + d), QPointF(m.x() - d - w, m.y() + d),
                  QPointF(m.x() + d, m.y() - d - h), QPointF(m.x() - d - w, m.y() - d - h)})
                kandidaten.emplace_back(ecke, groesse);
        }
        g.Beschriftungen.push_back(kandidaten[Platziere(kandidaten, g)]);
    }
    return g;
}

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
    seite.Zeichnungen.push_back({QRectF(Links, 2.4, Breite, 3.5), TDiagramm{daten, schrift}});

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
            for (TBerichtText& t : Wert(schrift, Spalten[s], oben, werte[s])) {
                t.Schrift.Fett = daten.Gewaehlt == i;
                seite.Elemente.push_back(std::move(t));
            }
    }
    double unten = erste + static_cast<double>(zeigen) * Zeilenhoehe;
    // Why a row is bold, below the table and the line on further products.
    if (daten.Gewaehlt && *daten.Gewaehlt < zeigen)
        seite.Elemente.push_back(
            Text(schrift, Links, unten + (daten.Produkte.size() > zeigen ? 0.17 : 0), Breite,
                 QStringLiteral("Fett: Nr. %1, %2 auf der Seite Kompakt-Auswertung (im Diagramm "
                                "der gefüllte Punkt).")
                     .arg(*daten.Gewaehlt + 1)
                     .arg(QString::fromUtf16(GewaehltHinweis)),
                 8));
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

void ZeichneWirtschaftsDiagramm(QPainter& maler, const QRectF& kasten,
                                const TWirtschaftlichkeitsDaten& daten, const QFont& schrift)
{
    if (daten.Ergebnis.Kurve.size() < 2)
        return;
    const double dpi = maler.device()->logicalDpiX();
    const auto punkte = [dpi](double pt) { return pt * dpi / 72.0; };
    maler.save();
    maler.setFont(schrift);
    const QFontMetricsF masse(schrift, maler.device());
    const TWirtschaftsDiagrammGeometrie g = WirtschaftsDiagrammGeometrie(daten, kasten, dpi, masse);
    const QRectF& feld = g.Feld;
    const auto x = [&](double v) { return feld.left() + v / g.Bis * feld.width(); };
    const auto y = [&](double anteil) { return feld.bottom() - anteil * feld.height(); };
    const auto tick = [&](int i) { return i * g.Schritt; };
    const int ticks = static_cast<int>(std::lround(g.Bis / g.Schritt));

    // Grid and axes: 0 … 100 % upwards, 0 … the axis' end to the right.
    maler.setPen(QPen(QColor(200, 200, 200), punkte(0.5)));
    for (int i = 1; i <= ticks; ++i)
        maler.drawLine(QPointF(x(tick(i)), feld.top()), QPointF(x(tick(i)), feld.bottom()));
    for (int p = 20; p <= 100; p += 20)
        maler.drawLine(QPointF(feld.left(), y(p / 100.0)), QPointF(feld.right(), y(p / 100.0)));
    maler.setPen(QPen(Qt::black, punkte(0.75)));
    maler.setBrush(Qt::NoBrush);
    maler.drawRect(feld);
    const double zeile = masse.height();
    const double teil = feld.width() / std::max(1, ticks);
    for (int i = 0; i <= ticks; ++i)
        maler.drawText(QRectF(x(tick(i)) - teil / 2, feld.bottom() + 0.04 * dpi, teil, zeile),
                       Qt::AlignHCenter | Qt::AlignTop, AchsenText(tick(i)));
    for (int p = 0; p <= 100; p += 20)
        maler.drawText(QRectF(kasten.left(), y(p / 100.0) - zeile / 2,
                              feld.left() - kasten.left() - 0.05 * dpi, zeile),
                       Qt::AlignRight | Qt::AlignVCenter,
                       QString::number(p) + QStringLiteral(" %"));
    maler.drawText(QRectF(feld.left(), feld.bottom() + 0.04 * dpi + zeile, feld.width(), zeile),
                   Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("Speichervolumen in m³"));

    // The two curves, the marks, the markers and the labels where the geometry put them.
    const QPen stifte[] = {QPen(QColor(0, 70, 160), punkte(1.5)),
                           QPen(QColor(120, 120, 120), punkte(1.2), Qt::DashLine)};
    for (std::size_t i = 0; i < g.Kurven.size() && i < std::size(stifte); ++i) {
        maler.setPen(stifte[i]);
        maler.drawPolyline(g.Kurven[i]);
    }
    const Qt::PenStyle stile[] = {Qt::DotLine, Qt::DashDotLine};
    for (std::size_t i = 0; i < g.Linien.size(); ++i) {
        maler.setPen(QPen(Qt::black, punkte(0.75), stile[std::min<std::size_t>(i, 1)]));
        maler.drawLine(g.Linien[i]);
    }
    // The user's product is filled, the others are open circles.
    const auto marker = [&](const QRectF& m, bool gewaehlt) {
        maler.setPen(QPen(Qt::black, punkte(0.75)));
        maler.setBrush(gewaehlt ? QBrush(Qt::black) : QBrush(Qt::white));
        maler.drawEllipse(m.adjusted(punkte(0.5), punkte(0.5), -punkte(0.5), -punkte(0.5)));
    };
    // The chosen one last, so that a product of the same volume and coverage does not hide it.
    for (std::size_t i = 0; i < g.Marker.size(); ++i)
        if (daten.Gewaehlt != i)
            marker(g.Marker[i], false);
    if (daten.Gewaehlt && *daten.Gewaehlt < g.Marker.size())
        marker(g.Marker[*daten.Gewaehlt], true);
    maler.setPen(Qt::black);
    for (std::size_t i = 0; i < g.Texte.size(); ++i)
        maler.drawText(g.Beschriftungen[i], Qt::AlignCenter, g.Texte[i]);

    // Legend above the plot, where nothing else is drawn: the curves, then the markers.
    std::vector<QString> namen = {QString::fromUtf16(Regenwasseranteil),
                                  QStringLiteral("Überlauf vom Ertrag")};
    if (!g.Marker.empty())
        namen.push_back(QStringLiteral("Zisterne Nr. der Tabelle"));
    if (daten.Gewaehlt && *daten.Gewaehlt < g.Marker.size())
        namen.push_back(QString::fromUtf16(GewaehltHinweis));
    double links = feld.left();
    const double mitte = kasten.top() + 0.1 * dpi + zeile / 2;
    const double r = g.Marker.empty() ? 0 : g.Marker.front().width() / 2;
    for (std::size_t i = 0; i < namen.size(); ++i) {
        if (i < std::size(stifte)) {
            maler.setPen(stifte[i]);
            maler.drawLine(QPointF(links, mitte), QPointF(links + 0.3 * dpi, mitte));
        } else {
            marker(QRectF(links + 0.15 * dpi - r, mitte - r, 2 * r, 2 * r), i == 3);
        }
        maler.setPen(Qt::black);
        const double breite = masse.horizontalAdvance(namen[i]);
        maler.drawText(QRectF(links + 0.36 * dpi, mitte - zeile / 2, breite + 2, zeile),
                       Qt::AlignLeft | Qt::AlignVCenter, namen[i]);
        links += 0.36 * dpi + breite + 0.3 * dpi;
    }
    maler.restore();
}
