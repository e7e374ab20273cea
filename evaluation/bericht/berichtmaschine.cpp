// Report engine: laying out and painting.
#include "evaluation/bericht/berichtmaschine.h"

#include "model/fehler.h"
#include "refdata/tabelle.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace {

// The display text of a field of the table's current row; empty without rows.
QString AktuellerText(const TTabelle& tabelle, const QString& feld)
{
    const int zeile = tabelle.AktuelleZeile() >= 0 ? tabelle.AktuelleZeile() : 0;
    return zeile < tabelle.Anzahl() ? tabelle.Anzeigetext(zeile, feld) : QString();
}

Qt::Alignment Ausrichtung(TAusrichtung a)
{
    switch (a) {
    case TAusrichtung::Rechts:
        return Qt::AlignRight;
    case TAusrichtung::Zentriert:
        return Qt::AlignHCenter;
    case TAusrichtung::Links:
        break;
    }
    return Qt::AlignLeft;
}

} // namespace

void ZeichneBerichtSeite(QPainter& maler, const TBerichtSeite& seite)
{
    QPaintDevice* geraet = maler.device();
    const double dx = geraet->logicalDpiX();
    const double dy = geraet->logicalDpiY();
    maler.save();
    maler.setRenderHint(QPainter::Antialiasing);
    for (const TBerichtElement& e : seite.Elemente) {
        if (const auto* l = std::get_if<TBerichtLinie>(&e)) {
            QPen stift(Qt::black, l->Staerke * dx / 72.0);
            stift.setCapStyle(Qt::FlatCap);
            maler.setPen(stift);
            maler.drawLine(QPointF(l->X1 * dx, l->Y1 * dy), QPointF(l->X2 * dx, l->Y2 * dy));
            continue;
        }
        const auto& t = std::get<TBerichtText>(e);
        if (t.Text.isEmpty())
            continue;
        QFont schrift(t.Schrift.Name);
        schrift.setPointSizeF(t.Schrift.Groesse);
        schrift.setBold(t.Schrift.Fett);
        maler.setFont(schrift);
        maler.setPen(Qt::black);
        const QFontMetricsF masse(schrift, geraet);
        const QRectF kasten(t.Links * dx, t.Oben * dy, t.Breite * dx, masse.height());
        // Fixed texts may reach beyond their box; a value too wide for its column is shortened
        // with an ellipsis so that it stays clear of the next column.
        const QString text =
            t.IstDatenfeld() ? masse.elidedText(t.Text, Qt::ElideRight, kasten.width()) : t.Text;
        maler.drawText(kasten,
                       static_cast<int>(Ausrichtung(t.Ausrichtung) | Qt::AlignTop) |
                           Qt::TextSingleLine | Qt::TextDontClip,
                       text);
    }
    for (const TBerichtZeichnung& z : seite.Zeichnungen)
        if (z.Male) {
            maler.save();
            z.Male(maler, QRectF(z.Kasten.left() * dx, z.Kasten.top() * dy, z.Kasten.width() * dx,
                                 z.Kasten.height() * dy));
            maler.restore();
        }
    maler.restore();
}

QPageLayout BerichtSeitenlayout(const TBerichtDefinition& d)
{
    // A size that matches a standard one (8.5 x 11: Letter) takes its name.
    return QPageLayout(QPageSize(QSizeF(d.Seitenbreite, d.Seitenhoehe), QPageSize::Inch),
                       QPageLayout::Portrait, QMarginsF());
}

TBerichtMaschine::TBerichtMaschine(TBerichtDefinition definition, QObject* eltern)
    : QObject(eltern), m_definition(std::move(definition))
{
}

TBerichtMaschine::~TBerichtMaschine() = default;

void TBerichtMaschine::SetzeDatenquelle(const QString& tabelle, TDatenquelle quelle)
{
    m_quellen[tabelle] = std::move(quelle);
}

void TBerichtMaschine::SetzeAnhang(const QString& titel,
                                   std::function<std::vector<TBerichtSeite>()> seiten)
{
    m_anhangTitel = titel;
    m_anhang = titel.isEmpty() ? nullptr : std::move(seiten);
}

TTabelle& TBerichtMaschine::tabelle(const QString& name) const
{
    return *m_quellen.at(name).Tabelle;
}

std::vector<TBerichtSeite> TBerichtMaschine::Erzeuge(const std::function<void(int)>& seite)
{
    for (const QString& name : m_definition.Tabellen()) {
        const auto it = m_quellen.find(name);
        if (it == m_quellen.end() || !it->second.Tabelle)
            throw EFehler(QStringLiteral("Der Bericht %1 hat keine Datenquelle für die Tabelle %2")
                              .arg(m_definition.Name, name));
    }
    std::vector<TDatenquelle*> offen;
    const auto freigeben = [&] {
        for (TDatenquelle* q : offen)
            if (q->Freigegeben)
                q->Freigegeben();
        offen.clear();
    };
    TSeiten seiten;
    try {
        seiten = setze(offen, seite);
    } catch (...) {
        freigeben();
        throw;
    }
    freigeben();
    if (m_anhang && m_anhangAktiv)
        for (TBerichtSeite& s : m_anhang()) {
            seiten.push_back(std::move(s));
            if (seite)
                seite(static_cast<int>(seiten.size()));
        }
    // Counted over every page, the appendix included; a single page carries no foot line.
    const int anzahl = static_cast<int>(seiten.size());
    if (m_definition.Seitenfuss && anzahl > 1)
        for (int s = 0; s < anzahl; ++s) {
            TBerichtText fuss = *m_definition.Seitenfuss;
            fuss.Text = fuss.Text.arg(s + 1).arg(anzahl);
            seiten[static_cast<std::size_t>(s)].Elemente.push_back(std::move(fuss));
        }
    return seiten;
}

std::vector<TBerichtSeite> TBerichtMaschine::setze(std::vector<TDatenquelle*>& offen,
                                                   const std::function<void(int)>& seite)
{
    for (const QString& name : m_definition.Tabellen()) {
        TDatenquelle& q = m_quellen.at(name);
        offen.push_back(&q);
        if (q.Geoeffnet)
            q.Geoeffnet();
    }
    // Unknown fields fail now, not only once a row needs them.
    for (const TBerichtElement& e : m_definition.Elemente)
        if (const auto* t = std::get_if<TBerichtText>(&e); t && t->IstDatenfeld())
            tabelle(t->Tabelle).FeldIndexPflicht(t->Feld);
    for (const TBerichtBereich& b : m_definition.Bereiche)
        for (const TBerichtText& t : b.Band)
            if (t.IstDatenfeld())
                tabelle(b.Tabelle).FeldIndexPflicht(t.Feld);

    int anzahl = 1;
    for (const TBerichtBereich& b : m_definition.Bereiche)
        anzahl = std::max(anzahl, (tabelle(b.Tabelle).Anzahl() + b.Zeilen() - 1) / b.Zeilen());

    TSeiten seiten;
    for (int s = 0; s < anzahl; ++s) {
        seiten.push_back(setzeSeite(s));
        if (seite)
            seite(s + 1);
    }
    return seiten;
}

TBerichtSeite TBerichtMaschine::setzeSeite(int s)
{
    TBerichtSeite neu;
    for (TBerichtElement e : m_definition.Elemente) {
        auto* t = std::get_if<TBerichtText>(&e);
        if (s > 0 && !(t && t->JedeSeite))
            continue;
        if (t && t->IstDatenfeld())
            t->Text = AktuellerText(tabelle(t->Tabelle), t->Feld);
        neu.Elemente.push_back(std::move(e));
    }
    for (const TBerichtBereich& b : m_definition.Bereiche) {
        const TTabelle& daten = tabelle(b.Tabelle);
        const int erste = s * b.Zeilen();
        if (s > 0 && erste >= daten.Anzahl())
            continue;
        neu.Elemente.insert(neu.Elemente.end(), b.Kopf.begin(), b.Kopf.end());
        const int ende = std::min(daten.Anzahl(), erste + b.Zeilen());
        for (int zeile = erste; zeile < ende; ++zeile)
            for (TBerichtText t : b.Band) {
                t.Links += b.Links;
                t.Oben += b.Oben + (zeile - erste) * b.Bandhoehe;
                if (t.IstDatenfeld()) {
                    t.Tabelle = b.Tabelle;
                    t.Text = daten.Anzeigetext(zeile, t.Feld);
                }
                neu.Elemente.push_back(std::move(t));
            }
    }
    return neu;
}

void TBerichtMaschine::Melde(const QString& text)
{
    emit Status(text);
}

bool TBerichtMaschine::Male(QPagedPaintDevice& geraet, const TSeiten& seiten, int von, int bis,
                            int kopien, const std::function<void(const QString&)>& zeige)
{
    QPainter maler;
    if (!maler.begin(&geraet))
        return false;
    bool erste = true;
    for (int k = 0; k < kopien; ++k)
        for (int s = von; s <= bis; ++s) {
            if (!erste && !geraet.newPage()) {
                maler.end();
                return false;
            }
            erste = false;
            const QString text = QCoreApplication::translate("Bericht", "Printing page %1").arg(s);
            Melde(text);
            if (zeige)
                zeige(text);
            ZeichneBerichtSeite(maler, seiten[static_cast<size_t>(s - 1)]);
        }
    return maler.end();
}

void TBerichtMaschine::SchreibePdf(const QString& pfad)
{
    const TSeiten seiten = Erzeuge();
    QPdfWriter schreiber(pfad);
    schreiber.setPageLayout(BerichtSeitenlayout(m_definition));
    schreiber.setTitle(QString::fromUtf16(Druckauftragstitel));
    if (!Male(schreiber, seiten, 1, static_cast<int>(seiten.size()), 1))
        throw EFehler(QStringLiteral("Die Datei %1 kann nicht geschrieben werden")
                          .arg(QDir::toNativeSeparators(pfad)));
}
