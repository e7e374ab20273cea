// Help window and the F1 key of every window with a help context.
#include "ui/hilfe.h"

#include "model/plattform.h"
#include "ui/adresse.h"

#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrlQuery>
#include <QVBoxLayout>
#include <algorithm>

namespace {
QString Ordner(HilfeDatei datei)
{
    return datei == HilfeDatei::Anwendung ? QStringLiteral("anwendung")
                                          : QStringLiteral("information");
}

QString Ordnerpfad(HilfeDatei datei)
{
    return QStringLiteral(":/hilfe/") + Ordner(datei);
}

// The search result is a page of its own that exists only in the browser, so that back and
// forward and the relative links work as on every other page.
const QString SuchSeite = QStringLiteral("suche.html");
const QString IndexSeite = QStringLiteral("index.html");

QString Titel(HilfeDatei datei)
{
    return datei == HilfeDatei::Anwendung ? QStringLiteral("Tropfwerk 2003 Hilfe")
                                          : QStringLiteral("Tropfwerk 2003 Informationen");
}

void StandardHilfe(HilfeDatei datei, int kontext)
{
    // One window per help file; it follows the window that asked so that it stays usable
    // while that window runs modally.
    static QPointer<THilfeFenster> fenster[2];
    QPointer<THilfeFenster>& f = fenster[datei == HilfeDatei::Anwendung ? 0 : 1];
    QWidget* besitzer = QApplication::activeModalWidget();
    if (!besitzer)
        besitzer = QApplication::activeWindow();
    if (f && f->parentWidget() != besitzer) {
        f->deleteLater();
        f = nullptr;
    }
    if (!f)
        f = new THilfeFenster(datei, besitzer);
    f->ZeigeKontext(kontext);
    f->show();
    f->raise();
    f->activateWindow();
}

HilfeFunktion& Funktion()
{
    static HilfeFunktion f = StandardHilfe;
    return f;
}

class THilfeTaste : public QObject {
public:
    THilfeTaste(QWidget* fenster, HilfeDatei datei, std::function<int()> kontext)
        : QObject(fenster), m_fenster(fenster), m_datei(datei), m_kontext(std::move(kontext))
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* ziel, QEvent* ereignis) override
    {
        if (ereignis->type() != QEvent::KeyPress || !ziel->isWidgetType())
            return false;
        if (static_cast<QKeyEvent*>(ereignis)->key() != Qt::Key_F1)
            return false;
        if (static_cast<QWidget*>(ziel)->window() != m_fenster)
            return false;
        OeffneHilfe(m_datei, m_kontext());
        return true;
    }

private:
    QWidget* m_fenster;
    HilfeDatei m_datei;
    std::function<int()> m_kontext;
};

// The excerpt as HTML with every occurrence of a search word in bold.
QString Hervorgehoben(const QString& auszug, const QStringList& woerter)
{
    QString html;
    qsizetype pos = 0;
    while (pos < auszug.size()) {
        qsizetype treffer = -1;
        qsizetype laenge = 0;
        for (const QString& wort : woerter) {
            const qsizetype i = auszug.indexOf(wort, pos, Qt::CaseInsensitive);
            if (i >= 0 && (treffer < 0 || i < treffer || (i == treffer && wort.size() > laenge))) {
                treffer = i;
                laenge = wort.size();
            }
        }
        if (treffer < 0)
            break;
        html += auszug.mid(pos, treffer - pos).toHtmlEscaped() + QStringLiteral("<b>") +
                auszug.mid(treffer, laenge).toHtmlEscaped() + QStringLiteral("</b>");
        pos = treffer + laenge;
    }
    return html + auszug.mid(pos).toHtmlEscaped();
}

QString SuchErgebnisSeite(HilfeDatei datei, const QString& suchtext)
{
    const QStringList woerter = suchtext.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString text = suchtext.simplified().toHtmlEscaped();
    QString html =
        QStringLiteral("<html><head><meta charset=\"utf-8\"><title>Suchergebnis</title>"
                       "<link rel=\"stylesheet\" type=\"text/css\" href=\"hilfe.css\"></head><body>"
                       "<h1>Suchergebnis</h1>");
    const std::vector<HilfeTreffer> treffer = DurchsucheHilfe(datei, suchtext);
    if (text.isEmpty()) {
        html += QStringLiteral("<p>Geben Sie oben einen Suchbegriff ein und klicken Sie auf "
                               "<b>Suchen</b>.</p>");
    } else if (treffer.empty()) {
        html += QStringLiteral("<p>Keine Seite enthält „%1“.</p>"
                               "<p>Prüfen Sie die Schreibweise, suchen Sie nach einem kürzeren "
                               "Wortteil oder schlagen Sie im "
                               "<a href=\"index.html\">Stichwortverzeichnis</a> nach.</p>")
                    .arg(text);
    } else {
        html += QStringLiteral("<p>%1 zu „%2“:</p><ul>")
                    .arg(treffer.size() == 1 ? QStringLiteral("Eine Seite")
                                             : QStringLiteral("%1 Seiten").arg(treffer.size()))
                    .arg(text);
        for (const HilfeTreffer& t : treffer) {
            html +=
                QStringLiteral("<li><a href=\"%1\">%2</a><br><span class=\"auszug\">%3</span></li>")
                    .arg(t.Datei, t.Titel.toHtmlEscaped(), Hervorgehoben(t.Auszug, woerter));
        }
        html += QStringLiteral("</ul>");
    }
    html += QStringLiteral("<p class=\"fuss\"><a href=\"0.html\">Inhalt</a> · "
                           "<a href=\"index.html\">Stichwortverzeichnis</a></p></body></html>");
    return html;
}

class THilfeBrowser : public QTextBrowser {
public:
    THilfeBrowser(HilfeDatei datei, QWidget* parent) : QTextBrowser(parent), m_datei(datei) {}

    QVariant loadResource(int typ, const QUrl& name) override
    {
        if (typ == QTextDocument::HtmlResource && name.scheme() == QLatin1String("qrc") &&
            name.path() == Ordnerpfad(m_datei).mid(1) + QLatin1Char('/') + SuchSeite) {
            return SuchErgebnisSeite(
                m_datei, QUrlQuery(name).queryItemValue(QStringLiteral("q"), QUrl::FullyDecoded));
        }
        return QTextBrowser::loadResource(typ, name);
    }

protected:
    // Tab runs through the links and, after the last one, on to the next control instead of
    // starting over at the first link.
    bool focusNextPrevChild(bool vor) override
    {
        const QTextCursor vorher = textCursor();
        if (QTextBrowser::focusNextPrevChild(vor)) {
            const int alt = vorher.selectionStart();
            const int neu = textCursor().selectionStart();
            const bool herum = vorher.hasSelection() && (vor ? neu <= alt : neu >= alt);
            if (!herum)
                return true;
            QTextCursor zurueck = textCursor();
            zurueck.clearSelection();
            setTextCursor(zurueck);
        }
        return QWidget::focusNextPrevChild(vor);
    }

private:
    HilfeDatei m_datei;
};

QUrl SeitenAdresse(HilfeDatei datei, const QString& seite)
{
    return QUrl(QStringLiteral("qrc") + Ordnerpfad(datei) + QLatin1Char('/') + seite);
}
} // namespace

void OeffneHilfe(HilfeDatei datei, int kontext)
{
    Funktion()(datei, kontext);
}

HilfeFunktion SetzeHilfeFunktion(HilfeFunktion f)
{
    return TauscheFunktion(Funktion(), std::move(f), StandardHilfe);
}

QString HilfeSeite(HilfeDatei datei, int kontext)
{
    return QStringLiteral(":/hilfe/%1/%2.html").arg(Ordner(datei)).arg(kontext);
}

void InstalliereHilfeTaste(QWidget* fenster, HilfeDatei datei, int kontext)
{
    InstalliereHilfeTaste(fenster, datei, [kontext] { return kontext; });
}

void InstalliereHilfeTaste(QWidget* fenster, HilfeDatei datei, std::function<int()> kontext)
{
    new THilfeTaste(fenster, datei, std::move(kontext));
}

std::vector<HilfeTreffer> DurchsucheHilfe(HilfeDatei datei, const QString& suchtext)
{
    std::vector<HilfeTreffer> treffer;
    const QStringList woerter = suchtext.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (woerter.isEmpty())
        return treffer;
    QDirIterator seiten(Ordnerpfad(datei), {QStringLiteral("*.html")}, QDir::Files);
    while (seiten.hasNext()) {
        seiten.next();
        if (seiten.fileName() == IndexSeite)
            continue;
        QFile quelle(seiten.filePath());
        if (!quelle.open(QIODevice::ReadOnly))
            continue;
        QTextDocument dokument;
        dokument.setHtml(QString::fromUtf8(quelle.readAll()));
        const QString text = dokument.toPlainText().simplified();
        int anzahl = 0;
        bool alle = true;
        for (const QString& wort : woerter) {
            const int n = static_cast<int>(text.count(wort, Qt::CaseInsensitive));
            if (n == 0) {
                alle = false;
                break;
            }
            anzahl += n;
        }
        if (!alle)
            continue;
        HilfeTreffer t;
        t.Datei = seiten.fileName();
        t.Titel = dokument.metaInformation(QTextDocument::DocumentTitle).simplified();
        if (t.Titel.isEmpty())
            t.Titel = t.Datei;
        // The excerpt starts and ends at word boundaries around the first hit.
        const qsizetype stelle = text.indexOf(woerter.front(), 0, Qt::CaseInsensitive);
        const qsizetype wortEnde = stelle + woerter.front().size();
        qsizetype anfang = std::max<qsizetype>(0, stelle - 60);
        if (anfang > 0) {
            const qsizetype leer = text.indexOf(QLatin1Char(' '), anfang);
            if (leer >= 0 && leer < stelle)
                anfang = leer + 1;
        }
        qsizetype ende = std::min<qsizetype>(text.size(), wortEnde + 80);
        if (ende < text.size()) {
            const qsizetype leer = text.lastIndexOf(QLatin1Char(' '), ende);
            if (leer > wortEnde)
                ende = leer;
        }
        t.Auszug = text.mid(anfang, ende - anfang);
        if (anfang > 0)
            t.Auszug.prepend(QStringLiteral("… "));
        if (ende < text.size())
            t.Auszug.append(QStringLiteral(" …"));
        t.Anzahl = anzahl;
        treffer.push_back(t);
    }
    std::sort(treffer.begin(), treffer.end(), [](const HilfeTreffer& a, const HilfeTreffer& b) {
        if (a.Anzahl != b.Anzahl)
            return a.Anzahl > b.Anzahl;
        return QString::localeAwareCompare(a.Titel, b.Titel) < 0;
    });
    return treffer;
}

THilfeFenster::THilfeFenster(HilfeDatei datei, QWidget* parent)
    : QDialog(parent), m_datei(datei), m_browser(new THilfeBrowser(datei, this)),
      m_suche(new QLineEdit(this))
{
    setObjectName(QStringLiteral("frmHilfe"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint);
    setWindowTitle(Titel(datei));
    resize(640, 560);

    m_browser->setObjectName(QStringLiteral("tbHilfe"));
    m_browser->setOpenLinks(false);
    m_browser->setSearchPaths({Ordnerpfad(datei)});
    connect(m_browser, &QTextBrowser::anchorClicked, this, &THilfeFenster::FolgeLink);

    auto* zurueck = new QPushButton(QStringLiteral("&Zurück"), this);
    auto* vor = new QPushButton(QStringLiteral("&Vor"), this);
    auto* inhalt = new QPushButton(QStringLiteral("&Inhalt"), this);
    auto* index = new QPushButton(QStringLiteral("In&dex"), this);
    auto* schliessen = new QPushButton(QStringLiteral("&Schließen"), this);
    auto* suchen = new QPushButton(QStringLiteral("S&uchen"), this);
    auto* suchLabel = new QLabel(QStringLiteral("Suchbe&griff:"), this);
    zurueck->setObjectName(QStringLiteral("btnZurueck"));
    vor->setObjectName(QStringLiteral("btnVor"));
    inhalt->setObjectName(QStringLiteral("btnInhalt"));
    index->setObjectName(QStringLiteral("btnIndex"));
    schliessen->setObjectName(QStringLiteral("btnSchliessen"));
    suchen->setObjectName(QStringLiteral("btnSuchen"));
    m_suche->setObjectName(QStringLiteral("edSuche"));
    m_suche->setToolTip(
        QStringLiteral("Ein oder mehrere Wörter, die auf der Seite vorkommen sollen"));
    suchLabel->setBuddy(m_suche);
    inhalt->setToolTip(QStringLiteral("Inhaltsverzeichnis der Hilfe"));
    index->setToolTip(QStringLiteral("Stichwortverzeichnis der Hilfe"));
    for (QPushButton* knopf : {zurueck, vor, inhalt, index, schliessen, suchen})
        knopf->setAutoDefault(false);
    zurueck->setEnabled(false);
    vor->setEnabled(false);
    connect(zurueck, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(vor, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, zurueck, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, vor, &QPushButton::setEnabled);
    connect(inhalt, &QPushButton::clicked, this,
            [this] { m_browser->setSource(QUrl(QStringLiteral("qrc") + HilfeSeite(m_datei, 0))); });
    connect(index, &QPushButton::clicked, this, &THilfeFenster::ZeigeIndex);
    connect(schliessen, &QPushButton::clicked, this, &QDialog::close);
    connect(suchen, &QPushButton::clicked, this, [this] { Suche(m_suche->text()); });
    connect(m_suche, &QLineEdit::returnPressed, this, [this] { Suche(m_suche->text()); });

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(inhalt);
    knoepfe->addWidget(index);
    knoepfe->addWidget(zurueck);
    knoepfe->addWidget(vor);
    knoepfe->addStretch();
    knoepfe->addWidget(schliessen);
    auto* suchzeile = new QHBoxLayout;
    suchzeile->addWidget(suchLabel);
    suchzeile->addWidget(m_suche, 1);
    suchzeile->addWidget(suchen);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(knoepfe);
    layout->addLayout(suchzeile);
    layout->addWidget(m_browser);
}

void THilfeFenster::ZeigeKontext(int kontext)
{
    m_browser->setSource(QUrl(QStringLiteral("qrc") + HilfeSeite(m_datei, kontext)));
}

void THilfeFenster::ZeigeIndex()
{
    m_browser->setSource(SeitenAdresse(m_datei, IndexSeite));
}

void THilfeFenster::Suche(const QString& suchtext)
{
    if (m_suche->text() != suchtext)
        m_suche->setText(suchtext);
    QUrl adresse = SeitenAdresse(m_datei, SuchSeite);
    QUrlQuery abfrage;
    abfrage.addQueryItem(QStringLiteral("q"), suchtext.simplified());
    adresse.setQuery(abfrage);
    m_browser->setSource(adresse);
}

void THilfeFenster::FolgeLink(const QUrl& adresse)
{
    // Pages of the help open in the window, everything else in the browser or mail program.
    if (adresse.scheme() == QLatin1String("qrc") || adresse.scheme().isEmpty())
        m_browser->setSource(adresse);
    else
        OeffneAdresse(adresse.toString());
}
