// The economics window: its content in layouts, help and close below.
#include "evaluation/wirtschaftlichkeitsfenster.h"

#include "evaluation/wirtschaftlichkeitsseite.h"
#include "ui/fehlerwaechter.h"
#include "ui/hilfe.h"
#include "ui/werkzeug.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

TfrmWirtschaftlichkeit::TfrmWirtschaftlichkeit(QWidget* eltern) : QDialog(eltern)
{
    setObjectName(QStringLiteral("frmWirtschaftlichkeit"));
    setWindowTitle(QStringLiteral("Wirtschaftlichkeit"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);

    Seite = new TWirtschaftlichkeitsSeite(this);
    btnHilfe = new QPushButton(QStringLiteral("&Hilfe"), this);
    btnHilfe->setObjectName(QStringLiteral("btnHilfe"));
    btnSchliessen = new QPushButton(QStringLiteral("&Schließen"), this);
    btnSchliessen->setObjectName(QStringLiteral("btnSchliessen"));
    btnSchliessen->setToolTip(QStringLiteral("Schließt das Fenster (Esc); die Beträge bleiben"));
    KeinStandardKnopf({btnHilfe, btnSchliessen});

    auto* anordnung = new QVBoxLayout(this);
    anordnung->setContentsMargins(0, 0, 0, anordnung->contentsMargins().bottom());
    anordnung->addWidget(Seite, 1);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->setContentsMargins(anordnung->spacing() * 2, 0, anordnung->spacing() * 2, 0);
    knoepfe->addWidget(btnHilfe);
    knoepfe->addStretch(1);
    knoepfe->addWidget(btnSchliessen);
    anordnung->addLayout(knoepfe);

    VerbindeBewacht(btnHilfe, &QPushButton::clicked, this,
                    [] { OeffneHilfe(HilfeDatei::Anwendung, HilfeKontext::Wirtschaftlichkeit); });
    VerbindeBewacht(btnSchliessen, &QPushButton::clicked, this, &QDialog::reject);
    InstalliereHilfeTaste(this, HilfeDatei::Anwendung, HilfeKontext::Wirtschaftlichkeit);
}

QSize TfrmWirtschaftlichkeit::Vorgabegroesse(const QSize& frei) const
{
    // Room for the window frame and title bar.
    const QSize rahmen(16, 48);
    return QSize(1120, 860)
        .expandedTo(sizeHint())
        .boundedTo(frei - rahmen)
        .expandedTo(minimumSizeHint());
}

void TfrmWirtschaftlichkeit::Oeffne()
{
    if (!FGroesseGesetzt) {
        const QScreen* bildschirm = screen() ? screen() : QGuiApplication::primaryScreen();
        resize(Vorgabegroesse(bildschirm ? bildschirm->availableGeometry().size()
                                         : QSize(1280, 1024)));
        FGroesseGesetzt = true;
    }
    show();
    raise();
    activateWindow();
}
