// Help window and the F1 key of every window with a help context.
#include "ui/hilfe.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {
QString Ordner(HilfeDatei datei)
{
    return datei == HilfeDatei::Anwendung ? QStringLiteral("anwendung")
                                          : QStringLiteral("information");
}

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
    THilfeTaste(QWidget* fenster, HilfeDatei datei, int kontext)
        : QObject(fenster), m_fenster(fenster), m_datei(datei), m_kontext(kontext)
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
        OeffneHilfe(m_datei, m_kontext);
        return true;
    }

private:
    QWidget* m_fenster;
    HilfeDatei m_datei;
    int m_kontext;
};
} // namespace

void OeffneHilfe(HilfeDatei datei, int kontext)
{
    Funktion()(datei, kontext);
}

HilfeFunktion SetzeHilfeFunktion(HilfeFunktion f)
{
    HilfeFunktion alt = Funktion();
    Funktion() = f ? std::move(f) : HilfeFunktion(StandardHilfe);
    return alt;
}

QString HilfeSeite(HilfeDatei datei, int kontext)
{
    return QStringLiteral(":/hilfe/%1/%2.html").arg(Ordner(datei)).arg(kontext);
}

void InstalliereHilfeTaste(QWidget* fenster, HilfeDatei datei, int kontext)
{
    new THilfeTaste(fenster, datei, kontext);
}

THilfeFenster::THilfeFenster(HilfeDatei datei, QWidget* parent)
    : QDialog(parent), m_datei(datei), m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("frmHilfe"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint);
    setWindowTitle(Titel(datei));
    resize(640, 560);

    m_browser->setObjectName(QStringLiteral("tbHilfe"));
    m_browser->setOpenExternalLinks(true);
    m_browser->setSearchPaths({QStringLiteral(":/hilfe/%1").arg(Ordner(datei))});

    auto* zurueck = new QPushButton(QStringLiteral("&Zurück"), this);
    auto* vor = new QPushButton(QStringLiteral("&Vor"), this);
    auto* inhalt = new QPushButton(QStringLiteral("&Inhalt"), this);
    auto* schliessen = new QPushButton(QStringLiteral("&Schließen"), this);
    zurueck->setObjectName(QStringLiteral("btnZurueck"));
    vor->setObjectName(QStringLiteral("btnVor"));
    inhalt->setObjectName(QStringLiteral("btnInhalt"));
    schliessen->setObjectName(QStringLiteral("btnSchliessen"));
    zurueck->setEnabled(false);
    vor->setEnabled(false);
    connect(zurueck, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(vor, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, zurueck, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, vor, &QPushButton::setEnabled);
    connect(inhalt, &QPushButton::clicked, this, [this] {
        m_browser->setSource(QUrl(QStringLiteral("qrc") + HilfeSeite(m_datei, 0)));
    });
    connect(schliessen, &QPushButton::clicked, this, &QDialog::close);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(inhalt);
    knoepfe->addWidget(zurueck);
    knoepfe->addWidget(vor);
    knoepfe->addStretch();
    knoepfe->addWidget(schliessen);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(knoepfe);
    layout->addWidget(m_browser);
}

void THilfeFenster::ZeigeKontext(int kontext)
{
    m_browser->setSource(QUrl(QStringLiteral("qrc") + HilfeSeite(m_datei, kontext)));
}
