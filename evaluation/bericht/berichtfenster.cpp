// The report engine's windows, laid out by hand.
#include "evaluation/bericht/berichtfenster.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

namespace {
template <typename T, typename... A> T* Benannt(const char* name, A&&... argumente)
{
    T* w = new T(std::forward<A>(argumente)...);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}
} // namespace

TfrmAusgabeOptionen::TfrmAusgabeOptionen(QWidget* eltern, const QString& anhang) : QDialog(eltern)
{
    setObjectName(QStringLiteral("frmAusgabeOptionen"));
    setWindowTitle(tr("Output Options"));

    auto* gbZiel = Benannt<QGroupBox>("gbZiel", tr("Destination"));
    rbDrucker = Benannt<QRadioButton>("rbDrucker", tr("&Printer"));
    rbVorschau = Benannt<QRadioButton>("rbVorschau", tr("Pre&view"));
    rbDatei = Benannt<QRadioButton>("rbDatei", tr("&File"));
    rbDrucker->setChecked(true);
    auto* ziel = new QVBoxLayout(gbZiel);
    ziel->addWidget(rbDrucker);
    ziel->addWidget(rbVorschau);
    ziel->addWidget(rbDatei);

    auto* gbSeiten = Benannt<QGroupBox>("gbSeiten", tr("Page range"));
    rbAlleSeiten = Benannt<QRadioButton>("rbAlleSeiten", tr("&All"));
    rbSeiten = Benannt<QRadioButton>("rbSeiten", tr("Pa&ges"));
    rbAlleSeiten->setChecked(true);
    sbVon = Benannt<QSpinBox>("sbVon");
    sbBis = Benannt<QSpinBox>("sbBis");
    sbVon->setAccessibleName(tr("from page"));
    sbBis->setAccessibleName(tr("to page"));
    for (QSpinBox* sb : {sbVon, sbBis}) {
        sb->setRange(1, 9999);
        sb->setValue(1);
    }
    auto* bereich = new QGridLayout(gbSeiten);
    bereich->addWidget(rbAlleSeiten, 0, 0, 1, 4);
    bereich->addWidget(rbSeiten, 1, 0);
    bereich->addWidget(new QLabel(tr("from")), 1, 1);
    bereich->addWidget(sbVon, 1, 2);
    bereich->addWidget(new QLabel(tr("to")), 1, 3);
    bereich->addWidget(sbBis, 1, 4);
    // Radio buttons in different group boxes exclude each other only within their box.
    auto* gruppe = new QButtonGroup(this);
    gruppe->addButton(rbAlleSeiten);
    gruppe->addButton(rbSeiten);

    sbKopien = Benannt<QSpinBox>("sbKopien");
    sbKopien->setRange(1, 999);
    auto* lKopien = Benannt<QLabel>("lKopien", tr("&Copies"));
    lKopien->setBuddy(sbKopien);
    auto* kopien = new QHBoxLayout;
    kopien->addWidget(lKopien);
    kopien->addWidget(sbKopien);
    kopien->addStretch();

    cbAnhang = Benannt<QCheckBox>("cbAnhang", QStringLiteral("Seite „%1“ anfügen").arg(anhang));
    cbAnhang->setChecked(true);
    cbAnhang->setVisible(!anhang.isEmpty());

    auto* knoepfe = new QDialogButtonBox;
    btnOK = knoepfe->addButton(QDialogButtonBox::Ok);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnAbbrechen = knoepfe->addButton(QDialogButtonBox::Cancel);
    btnAbbrechen->setObjectName(QStringLiteral("btnAbbrechen"));
    btnOK->setText(tr("&OK"));
    btnAbbrechen->setText(tr("&Cancel"));
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* haupt = new QVBoxLayout(this);
    haupt->addWidget(gbZiel);
    haupt->addLayout(kopien);
    haupt->addWidget(gbSeiten);
    haupt->addWidget(cbAnhang);
    haupt->addWidget(knoepfe);

    for (QRadioButton* rb : {rbDrucker, rbVorschau, rbDatei, rbAlleSeiten, rbSeiten})
        connect(rb, &QRadioButton::toggled, this, &TfrmAusgabeOptionen::Abgleichen);
    connect(sbVon, &QSpinBox::valueChanged, this, [this](int von) {
        if (sbBis->value() < von)
            sbBis->setValue(von);
    });
    Abgleichen();
}

void TfrmAusgabeOptionen::Abgleichen()
{
    // The preview always shows every page; copies only make sense on paper.
    sbKopien->setEnabled(rbDrucker->isChecked());
    const bool bereich = !rbVorschau->isChecked();
    rbAlleSeiten->setEnabled(bereich);
    rbSeiten->setEnabled(bereich);
    sbVon->setEnabled(bereich && rbSeiten->isChecked());
    sbBis->setEnabled(bereich && rbSeiten->isChecked());
}

TAusgabeOptionen TfrmAusgabeOptionen::Optionen() const
{
    TAusgabeOptionen o;
    o.Anhang = cbAnhang->isChecked();
    o.Ziel = rbVorschau->isChecked() ? TBerichtZiel::Vorschau
             : rbDatei->isChecked()  ? TBerichtZiel::Datei
                                     : TBerichtZiel::Drucker;
    o.Kopien = o.Ziel == TBerichtZiel::Drucker ? sbKopien->value() : 1;
    if (o.Ziel != TBerichtZiel::Vorschau && rbSeiten->isChecked()) {
        o.Von = sbVon->value();
        o.Bis = std::max(sbVon->value(), sbBis->value());
    }
    return o;
}

TfrmBerichtStatus::TfrmBerichtStatus(QWidget* eltern) : QDialog(eltern)
{
    setObjectName(QStringLiteral("frmBerichtStatus"));
    setWindowTitle(tr("Report Status"));
    setModal(false);
    lStatus = Benannt<QLabel>("lStatus");
    lStatus->setMinimumWidth(240);
    lStatus->setAlignment(Qt::AlignCenter);
    auto* haupt = new QVBoxLayout(this);
    haupt->addWidget(lStatus);
}

void TfrmBerichtStatus::Zeige(const QString& text)
{
    lStatus->setText(text);
    if (!isVisible())
        show();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

TBerichtSeitenAnsicht::TBerichtSeitenAnsicht(double breite, double hoehe, QWidget* eltern)
    : QWidget(eltern)
{
    setObjectName(QStringLiteral("pSeite"));
    setFixedSize(static_cast<int>(std::lround(breite * logicalDpiX())),
                 static_cast<int>(std::lround(hoehe * logicalDpiY())));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TBerichtSeitenAnsicht::SetzeSeite(const TBerichtSeite* seite)
{
    m_seite = seite;
    update();
}

void TBerichtSeitenAnsicht::paintEvent(QPaintEvent*)
{
    QPainter maler(this);
    maler.fillRect(rect(), Qt::white);
    if (m_seite)
        ZeichneBerichtSeite(maler, *m_seite);
}

TfrmBerichtVorschau::TfrmBerichtVorschau(const TBerichtDefinition& definition,
                                         const std::vector<TBerichtSeite>& seiten, QWidget* eltern)
    : QDialog(eltern), m_seiten(seiten)
{
    setObjectName(QStringLiteral("frmBerichtVorschau"));
    setWindowTitle(tr("Report Preview"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);

    pSeite = new TBerichtSeitenAnsicht(definition.Seitenbreite, definition.Seitenhoehe);
    saSeite = Benannt<QScrollArea>("saSeite");
    saSeite->setBackgroundRole(QPalette::Dark);
    saSeite->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    saSeite->setWidget(pSeite);

    btnErsteSeite = Benannt<QPushButton>("btnErsteSeite", QStringLiteral("|<"));
    btnVorigeSeite = Benannt<QPushButton>("btnVorigeSeite", QStringLiteral("<"));
    btnNaechsteSeite = Benannt<QPushButton>("btnNaechsteSeite", QStringLiteral(">"));
    btnLetzteSeite = Benannt<QPushButton>("btnLetzteSeite", QStringLiteral(">|"));
    btnErsteSeite->setToolTip(tr("First page"));
    btnVorigeSeite->setToolTip(tr("Previous page"));
    btnNaechsteSeite->setToolTip(tr("Next page"));
    btnLetzteSeite->setToolTip(tr("Last page"));
    btnDrucken = Benannt<QPushButton>("btnDrucken", tr("&Print..."));
    btnSchliessen = Benannt<QPushButton>("btnSchliessen", tr("&Close"));
    lSeite = Benannt<QLabel>("lSeite");
    lZoom = Benannt<QLabel>("lZoom", QStringLiteral("Zoom 100 %"));

    auto* leiste = new QHBoxLayout;
    for (QPushButton* b : {btnErsteSeite, btnVorigeSeite, btnNaechsteSeite, btnLetzteSeite}) {
        b->setAutoDefault(false);
        leiste->addWidget(b);
    }
    leiste->addWidget(lSeite);
    leiste->addStretch();
    leiste->addWidget(lZoom);
    leiste->addWidget(btnDrucken);
    leiste->addWidget(btnSchliessen);
    btnDrucken->setAutoDefault(false);

    auto* haupt = new QVBoxLayout(this);
    haupt->addLayout(leiste);
    haupt->addWidget(saSeite, 1);
    resize(pSeite->width() + 60, 720);

    connect(btnErsteSeite, &QPushButton::clicked, this, [this] { ZeigeSeite(1); });
    connect(btnVorigeSeite, &QPushButton::clicked, this, [this] { ZeigeSeite(m_seite - 1); });
    connect(btnNaechsteSeite, &QPushButton::clicked, this, [this] { ZeigeSeite(m_seite + 1); });
    connect(btnLetzteSeite, &QPushButton::clicked, this,
            [this] { ZeigeSeite(static_cast<int>(m_seiten.size())); });
    connect(btnSchliessen, &QPushButton::clicked, this, &QDialog::accept);
    ZeigeSeite(1);
}

void TfrmBerichtVorschau::ZeigeSeite(int seite)
{
    const int anzahl = static_cast<int>(m_seiten.size());
    m_seite = std::clamp(seite, 1, std::max(1, anzahl));
    pSeite->SetzeSeite(anzahl > 0 ? &m_seiten[static_cast<size_t>(m_seite - 1)] : nullptr);
    lSeite->setText(tr("Page %1 of %2").arg(m_seite).arg(anzahl));
    btnErsteSeite->setEnabled(m_seite > 1);
    btnVorigeSeite->setEnabled(m_seite > 1);
    btnNaechsteSeite->setEnabled(m_seite < anzahl);
    btnLetzteSeite->setEnabled(m_seite < anzahl);
}
