// Report engine: laying out, painting, and the flows to printer, preview and file.
#include "evaluation/bericht/berichtmaschine.h"

#include "evaluation/bericht/berichtfenster.h"
#include "model/fehler.h"
#include "refdata/tabelle.h"
#include "ui/meldung.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include <algorithm>
#include <climits>

namespace {

const QString Fenstertitel = QStringLiteral("Report Status");

QString StandardPdfDatei(QWidget* eltern, const QString& vorschlag)
{
    QString pfad = QFileDialog::getSaveFileName(eltern, QStringLiteral("Save Report"), vorschlag,
                                                QStringLiteral("PDF files (*.pdf)"));
    if (!pfad.isEmpty() && QFileInfo(pfad).suffix().isEmpty())
        pfad += QStringLiteral(".pdf");
    return pfad;
}

bool StandardDrucker(QWidget* eltern, QPrinter& drucker)
{
    QPrintDialog dialog(&drucker, eltern);
    return dialog.exec() == QDialog::Accepted;
}

PdfDateiFunktion& PdfDatei()
{
    static PdfDateiFunktion f = StandardPdfDatei;
    return f;
}

DruckerFunktion& Drucker()
{
    static DruckerFunktion f = StandardDrucker;
    return f;
}

QPageLayout Seitenlayout(const TBerichtDefinition& d)
{
    // A size that matches a standard one (8.5 x 11: Letter) takes its name.
    return QPageLayout(QPageSize(QSizeF(d.Seitenbreite, d.Seitenhoehe), QPageSize::Inch),
                       QPageLayout::Portrait, QMarginsF());
}

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

PdfDateiFunktion SetzePdfDateiFunktion(PdfDateiFunktion f)
{
    PdfDateiFunktion alt = PdfDatei();
    PdfDatei() = f ? std::move(f) : PdfDateiFunktion(StandardPdfDatei);
    return alt;
}

DruckerFunktion SetzeDruckerFunktion(DruckerFunktion f)
{
    DruckerFunktion alt = Drucker();
    Drucker() = f ? std::move(f) : DruckerFunktion(StandardDrucker);
    return alt;
}

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
    maler.restore();
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

std::vector<TBerichtSeite> TBerichtMaschine::Erzeuge(const std::function<void(int)>& seite)
{
    const QStringList namen = m_definition.Tabellen();
    for (const QString& name : namen) {
        const auto it = m_quellen.find(name);
        if (it == m_quellen.end() || !it->second.Tabelle)
            throw EFehler(QStringLiteral("Der Bericht %1 hat keine Datenquelle für die Tabelle %2")
                              .arg(m_definition.Name, name));
    }
    const auto tabelle = [this](const QString& name) -> TTabelle& {
        return *m_quellen.at(name).Tabelle;
    };

    std::vector<TDatenquelle*> offen;
    const auto freigeben = [&] {
        for (TDatenquelle* q : offen)
            if (q->Freigegeben)
                q->Freigegeben();
        offen.clear();
    };

    TSeiten seiten;
    try {
        for (const QString& name : namen) {
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

        for (int s = 0; s < anzahl; ++s) {
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
            if (m_definition.Seitenfuss && anzahl > 1) {
                TBerichtText fuss = *m_definition.Seitenfuss;
                fuss.Text = fuss.Text.arg(s + 1).arg(anzahl);
                neu.Elemente.push_back(std::move(fuss));
            }
            seiten.push_back(std::move(neu));
            if (seite)
                seite(s + 1);
        }
    } catch (...) {
        freigeben();
        throw;
    }
    freigeben();
    return seiten;
}

void TBerichtMaschine::melde(const QString& text, TfrmBerichtStatus* fenster)
{
    emit Status(text);
    if (fenster)
        fenster->Zeige(text);
}

bool TBerichtMaschine::male(QPagedPaintDevice& geraet, const TSeiten& seiten, int von, int bis,
                            int kopien, TfrmBerichtStatus* fenster)
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
            melde(QStringLiteral("Printing page %1").arg(s), fenster);
            ZeichneBerichtSeite(maler, seiten[static_cast<size_t>(s - 1)]);
        }
    return maler.end();
}

void TBerichtMaschine::SchreibePdf(const QString& pfad)
{
    const TSeiten seiten = Erzeuge();
    QPdfWriter schreiber(pfad);
    schreiber.setPageLayout(Seitenlayout(m_definition));
    schreiber.setTitle(QString::fromUtf16(Druckauftragstitel));
    if (!male(schreiber, seiten, 1, static_cast<int>(seiten.size()), 1, nullptr))
        throw EFehler(QStringLiteral("Die Datei %1 kann nicht geschrieben werden")
                          .arg(QDir::toNativeSeparators(pfad)));
}

std::vector<TBerichtSeite> TBerichtMaschine::erzeugeMitStatus(QWidget* eltern)
{
    TfrmBerichtStatus fenster(eltern);
    return Erzeuge([&](int s) { melde(QStringLiteral("Generating page %1").arg(s), &fenster); });
}

namespace {
// The pages von..bis of the options within the report; false (and a message) when none is left.
bool Seitenbereich(QWidget* eltern, int von, int bis, int anzahl, int& ersteSeite, int& letzteSeite)
{
    ersteSeite = von > 0 ? von : 1;
    letzteSeite = von > 0 ? std::min(bis, anzahl) : anzahl;
    if (ersteSeite <= letzteSeite)
        return true;
    ZeigeFehlermeldung(
        eltern,
        QStringLiteral("The report has %1 page(s); there is nothing to print from page %2.")
            .arg(anzahl)
            .arg(ersteSeite),
        Fenstertitel);
    return false;
}
} // namespace

bool TBerichtMaschine::druckeAufDrucker(QWidget* eltern, const TSeiten& seiten,
                                        const TAusgabeOptionen& optionen)
{
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setDocName(QString::fromUtf16(Druckauftragstitel));
    drucker.setPageSize(Seitenlayout(m_definition).pageSize());
    drucker.setFullPage(true);
    drucker.setCopyCount(optionen.Kopien);
    if (optionen.Von > 0) {
        drucker.setPrintRange(QPrinter::PageRange);
        drucker.setFromTo(optionen.Von, optionen.Bis);
    }
    if (!Drucker()(eltern, drucker))
        return false;

    const bool bereich = drucker.printRange() == QPrinter::PageRange && drucker.fromPage() > 0;
    int von = 0;
    int bis = 0;
    if (!Seitenbereich(eltern, bereich ? drucker.fromPage() : 0,
                       bereich && drucker.toPage() > 0 ? drucker.toPage() : INT_MAX,
                       static_cast<int>(seiten.size()), von, bis))
        return false;
    // Where the printer does not make the copies itself, they are printed one after another.
    const int kopien = drucker.supportsMultipleCopies() ? 1 : std::max(1, drucker.copyCount());

    TfrmBerichtStatus fenster(eltern);
    if (male(drucker, seiten, von, bis, kopien, &fenster) &&
        drucker.printerState() != QPrinter::Error)
        return true;
    fenster.hide();
    const QString name = drucker.outputFileName().isEmpty()
                             ? drucker.printerName()
                             : QDir::toNativeSeparators(drucker.outputFileName());
    ZeigeFehlermeldung(eltern, QStringLiteral("The report could not be printed on %1.").arg(name),
                       Fenstertitel);
    return false;
}

bool TBerichtMaschine::schreibeDatei(QWidget* eltern, const QString& pfad, const TSeiten& seiten,
                                     const TAusgabeOptionen& optionen)
{
    int von = 0;
    int bis = 0;
    if (!Seitenbereich(eltern, optionen.Von, optionen.Bis, static_cast<int>(seiten.size()), von,
                       bis))
        return false;
    QPdfWriter schreiber(pfad);
    schreiber.setPageLayout(Seitenlayout(m_definition));
    schreiber.setTitle(QString::fromUtf16(Druckauftragstitel));
    TfrmBerichtStatus fenster(eltern);
    if (male(schreiber, seiten, von, bis, 1, &fenster))
        return true;
    fenster.hide();
    ZeigeFehlermeldung(
        eltern,
        QStringLiteral("The file %1 could not be written.").arg(QDir::toNativeSeparators(pfad)),
        Fenstertitel);
    return false;
}

bool TBerichtMaschine::Ausfuehren(QWidget* eltern)
{
    TAusgabeOptionen optionen;
    {
        TfrmAusgabeOptionen dialog(eltern);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        optionen = dialog.Optionen();
    }
    switch (optionen.Ziel) {
    case TBerichtZiel::Datei: {
        const QString pfad = PdfDatei()(eltern, m_definition.Name + QStringLiteral(".pdf"));
        if (pfad.isEmpty())
            return false;
        return schreibeDatei(eltern, pfad, erzeugeMitStatus(eltern), optionen);
    }
    case TBerichtZiel::Vorschau: {
        const TSeiten seiten = erzeugeMitStatus(eltern);
        TfrmBerichtVorschau vorschau(m_definition, seiten, eltern);
        QObject::connect(vorschau.btnDrucken, &QPushButton::clicked, &vorschau,
                         [&] { druckeAufDrucker(&vorschau, seiten, TAusgabeOptionen{}); });
        vorschau.exec();
        return true;
    }
    case TBerichtZiel::Drucker:
        break;
    }
    return druckeAufDrucker(eltern, erzeugeMitStatus(eltern), optionen);
}
