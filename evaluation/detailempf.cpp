// Product detail window bound to the current row of the product table.
#include "evaluation/detailempf.h"

#include "evaluation/gestaltung.h"
#include "refdata/tabelle.h"
#include "ui/adresse.h"
#include "ui/bilder.h"
#include "ui/fehlerwaechter.h"
#include "ui/tabellenansicht.h"
#include "ui/werkzeug.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QTableView>

#include <algorithm>
#include <array>
#include <cmath>

namespace {
constexpr QSize BildFlaeche{153, 145};

// A bold heading.
QLabel* Ueberschrift(QWidget* eltern, const char* text, const QRect& lage)
{
    return Fett(Text(eltern, "", QString::fromUtf8(text), lage));
}

// A word-wrapped plain text filled from the current row.
QLabel* Datentext(QWidget* eltern, const char* name, const QRect& lage)
{
    QLabel* label = Text(eltern, name, QString(), lage, true);
    label->setTextFormat(Qt::PlainText);
    return label;
}
} // namespace

TfrmDetailEmpf::TfrmDetailEmpf(TTabelle& tabelle, QWidget* parent)
    : QDialog(parent), mtProd(tabelle)
{
    setObjectName(QStringLiteral("frmDetailEmpf"));
    setWindowTitle(QStringLiteral("Produkt-Empfehlungen"));
    FesterRahmen(this,
                 Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                     Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                     Qt::MSWindowsFixedSizeDialogHint,
                 461, 416);

    Label1 = Ueberschrift(this, "Bitte wählen Sie ein Produkt für eine detaillierte Beschreibung",
                          {8, 8, 445, 18});
    Label1->setObjectName(QStringLiteral("Label1"));
    dbgProd = ErzeugeTabellenansicht(
        this, "dbgProd", mtProd,
        {{"Hersteller", 140}, {"Produkt", 140}, {"Volumen", 54}, {"Preis", 74}});
    dbgProd->setGeometry(8, 30, 445, 126);
    dbgProd->setAccessibleName(QStringLiteral("Produkte"));

    Ueberschrift(this, "Gewähltes Produkt : ", {8, 164, 140, 18});
    DBText1 = Datentext(this, "DBText1", {148, 164, 305, 18});
    DBText1->setFont(Fett(DBText1->font()));
    DBText1->setWordWrap(false);

    Ueberschrift(this, "Produkt-Beschreibung", {8, 190, 265, 18});
    sbDesc = new QScrollArea(this);
    sbDesc->setObjectName(QStringLiteral("sbDesc"));
    sbDesc->setGeometry(8, 208, 265, 81);
    sbDesc->setFrameShape(QFrame::NoFrame);
    sbDesc->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sbDesc->setWidgetResizable(true);
    dbBeschreibung = Datentext(nullptr, "dbBeschreibung", {});
    sbDesc->setWidget(dbBeschreibung);
    sbDesc->setAccessibleName(QStringLiteral("Produkt-Beschreibung"));

    ZistImg = new QLabel(this);
    ZistImg->setObjectName(QStringLiteral("ZistImg"));
    ZistImg->setGeometry(QRect(QPoint(296, 176), BildFlaeche));
    ZistImg->setScaledContents(true);

    Ueberschrift(this, "Hersteller-Adresse", {8, 298, 265, 18});
    // As many whole lines as the space above "Internet-Link" holds; longer addresses scroll.
    sbAdresse = new QScrollArea(this);
    sbAdresse->setObjectName(QStringLiteral("sbAdresse"));
    const int zeilen = std::max(1, 42 / fontMetrics().lineSpacing());
    sbAdresse->setGeometry(8, 316, 280, zeilen * fontMetrics().lineSpacing());
    sbAdresse->setFrameShape(QFrame::NoFrame);
    sbAdresse->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sbAdresse->setWidgetResizable(true);
    dbAdresse = Datentext(nullptr, "dbAdresse", {});
    sbAdresse->setWidget(dbAdresse);
    sbAdresse->setAccessibleName(QStringLiteral("Hersteller-Adresse"));
    Ueberschrift(this, "Internet-Link", {8, 360, 265, 18});
    dbURL = Datentext(this, "dbURL", {8, 378, 280, 18});
    dbURL->setWordWrap(false);
    QFont unterstrichen = dbURL->font();
    unterstrichen.setUnderline(true);
    dbURL->setFont(unterstrichen);
    dbURL->setCursor(Qt::PointingHandCursor);
    // Tab reaches the link and Enter opens it.
    dbURL->setFocusPolicy(Qt::StrongFocus);
    dbURL->setAccessibleDescription(QStringLiteral("Internet-Link, öffnen mit der Eingabetaste"));
    dbURL->installEventFilter(this);

    btnClose = Knopf(this, "btnClose", QStringLiteral("&Schließen"), {353, 380, 100, 28});
    btnClose->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    btnClose->setDefault(true);
    btnClose->setAutoDefault(true);
    connect(btnClose, &QPushButton::clicked, this, [this] { done(mrCancel); });
    TabReihenfolge({dbgProd, sbDesc, sbAdresse, dbURL, btnClose});

    VerbindeBewacht(&mtProd, &TTabelle::AktuelleZeileGeaendert, this,
                    &TfrmDetailEmpf::dsrcProdDataChange);
    VerbindeBewacht(&mtProd, &TTabelle::Zurueckgesetzt, this, &TfrmDetailEmpf::dsrcProdDataChange);
    VerbindeBewacht(&mtProd, &TTabelle::Zurueckgesetzt, this, &TfrmDetailEmpf::PasseSpaltenAn);
    PasseSpaltenAn();
    VerbindeBewacht(&mtProd, &TTabelle::WertGeaendert, this, &TfrmDetailEmpf::dsrcProdDataChange);
    dsrcProdDataChange();
    btnClose->setFocus();
}

void TfrmDetailEmpf::reject()
{
    done(mrCancel);
}

void TfrmDetailEmpf::dsrcProdDataChange()
{
    DBText1->setText(mtProd.AktuellerText(u"Produkt"));
    dbBeschreibung->setText(mtProd.AktuellerText(u"Beschreibung"));
    dbAdresse->setText(mtProd.AktuellerText(u"Adresse"));
    dbURL->setText(mtProd.AktuellerText(u"URL"));
    dbURL->adjustSize();

    QPixmap bild;
    const TWert& daten = mtProd.AktuelleZeile() < 0 ? TWert{} : mtProd.AktuellerWert(u"Bild");
    if (const auto* bytes = std::get_if<QByteArray>(&daten); bytes && !bytes->isEmpty())
        bild.loadFromData(*bytes, "BMP");
    // No picture, or one that is not a bitmap: the default picture.
    if (bild.isNull())
        bild = LadeBild(QStringLiteral("ZISTDEF"), BildFlaeche);
    ZistImg->setPixmap(bild);
}

void TfrmDetailEmpf::PasseSpaltenAn()
{
    // Width a cell needs for a text: the item delegate's margins, the grid line and the
    // fraction of a pixel that the text's exact width adds.
    const QFontMetricsF masse(dbgProd->font());
    const int rand =
        2 * (dbgProd->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, dbgProd) + 1) + 2;
    const auto bedarf = [&](const char16_t* feld, int mindestens) {
        int breite = mindestens;
        for (int zeile = 0; zeile < mtProd.Anzahl(); ++zeile) {
            const qreal text = masse.horizontalAdvance(mtProd.Anzeigetext(zeile, feld));
            breite = std::max(breite, static_cast<int>(std::ceil(text)) + rand);
        }
        return breite;
    };
    // The room inside the frame, beside the row header and a vertical scroll bar.
    const int platz = dbgProd->width() - 2 * dbgProd->frameWidth() -
                      dbgProd->verticalHeader()->width() -
                      dbgProd->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, dbgProd);
    const int volumen = bedarf(u"Volumen", 54);
    const int preis = bedarf(u"Preis", 74);
    // The product column gives way first: the chosen product is shown in full below the grid.
    constexpr int MindestProdukt = 80;
    const int hersteller =
        std::max(MindestProdukt,
                 std::min(bedarf(u"Hersteller", 140), platz - volumen - preis - MindestProdukt));
    const int produkt = std::max(MindestProdukt, platz - hersteller - volumen - preis);
    const std::array<int, 4> breiten{hersteller, produkt, volumen, preis};
    for (int spalte = 0; spalte < 4; ++spalte)
        dbgProd->setColumnWidth(spalte, breiten[static_cast<size_t>(spalte)]);
}

void TfrmDetailEmpf::dbURLClick()
{
    OeffneAdresse(QStringLiteral("http://") + mtProd.AktuellerText(u"URL"));
}

bool TfrmDetailEmpf::eventFilter(QObject* objekt, QEvent* ereignis)
{
    if (objekt == dbURL && ereignis->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(ereignis)->button() == Qt::LeftButton) {
        Bewacht([this] { dbURLClick(); });
        return true;
    }
    if (objekt == dbURL &&
        (IstEnterTaste(ereignis) || (ereignis->type() == QEvent::KeyPress &&
                                     static_cast<QKeyEvent*>(ereignis)->key() == Qt::Key_Space))) {
        Bewacht([this] { dbURLClick(); });
        return true;
    }
    return QDialog::eventFilter(objekt, ereignis);
}
