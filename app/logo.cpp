// Splash window with the product banner and the maker's logo.
#include "app/logo.h"

#include "ui/bilder.h"
#include "ui/werkzeug.h"

#include <QCloseEvent>
#include <QLabel>
#include <QTimer>

TfrmLogo::TfrmLogo(QWidget* parent, int dauerMs) : QDialog(parent), tDelay(new QTimer(this))
{
    setObjectName(QStringLiteral("frmLogo"));
    setWindowTitle(QStringLiteral("Tropfwerk 2003"));
    FesterRahmen(this, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint, 511, 191);
    WeisserHintergrund(this);

    auto* banner = new QLabel(this);
    banner->setObjectName(QStringLiteral("imgBanner"));
    banner->setGeometry(0, 0, 511, 105);
    banner->setAlignment(Qt::AlignCenter);
    banner->setPixmap(LadeBild(QStringLiteral("LOGO_BANNER"), QSize(511, 105)));

    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("imgLogo"));
    logo->setGeometry(0, 191 - 76, width(), 76);
    logo->setAlignment(Qt::AlignCenter);
    logo->setPixmap(LadeBild(QStringLiteral("LOGO"), QSize(511, 76)));

    ZentriereAufBildschirm(this);

    tDelay->setObjectName(QStringLiteral("tDelay"));
    tDelay->setInterval(dauerMs);
    connect(tDelay, &QTimer::timeout, this, &TfrmLogo::tDelayTimer);
    tDelay->start();
}

void TfrmLogo::tDelayTimer()
{
    tDelay->stop();
    done(QDialog::Rejected);
}

void TfrmLogo::reject()
{
    // Escape and the window manager's close end in here; only the timer may close the splash.
    if (!tDelay->isActive())
        QDialog::reject();
}

void TfrmLogo::closeEvent(QCloseEvent* ereignis)
{
    if (tDelay->isActive())
        ereignis->ignore();
    else
        QDialog::closeEvent(ereignis);
}

void TfrmLogo::keyPressEvent(QKeyEvent* ereignis)
{
    ereignis->accept(); // the splash ignores input
}
