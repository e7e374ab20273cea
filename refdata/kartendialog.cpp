// Map window: picks the postal code of the weather station nearest to a click on the map.
#include "refdata/kartendialog.h"

#include "refdata/plzkonverter.h"
#include "ui/bilder.h"
#include "ui/fehlerwaechter.h"
#include "ui/werkzeug.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QtMath>

namespace {
// Everything outside the country has this colour; it is drawn transparently.
constexpr QRgb KartenHintergrund = qRgb(252, 2, 252);
} // namespace

TfrmKarteDialog::TfrmKarteDialog(TPLZConverter& plz, QWidget* owner) : QDialog(owner), FPLZ(plz)
{
    setObjectName(QStringLiteral("frmKarteDialog"));
    setWindowTitle(QStringLiteral("Standort"));
    FesterDialogRahmen(this, 505, 659);
    setModal(false);

    Label1 = Text(this, "Label1",
                  QStringLiteral("Bitte wählen Sie auf der Karte Ihren Standort durch anklicken "
                                 "aus. Die Postleitzahl der nächstgelegen Wetterstation wird "
                                 "dadurch automatisch ausgewählt."),
                  QRect(16, 8, 473, 33), true);
    // 8 point at 96 dpi: the two lines fit the label's height.
    QFont fett(QStringLiteral("Arial"));
    fett.setPixelSize(11);
    fett.setBold(true);
    Label1->setFont(fett);

    ErzeugeKarte();
    ZentriereAufBildschirm(this);
}

void TfrmKarteDialog::ErzeugeKarte()
{
    QPixmap bild = LadeBild(QStringLiteral("KARTE"));
    FKarte = bild.toImage().convertToFormat(QImage::Format_RGB32);
    bild.setMask(bild.createMaskFromColor(QColor(KartenHintergrund), Qt::MaskInColor));

    iKarte = new QLabel(this);
    iKarte->setObjectName(QStringLiteral("iKarte"));
    iKarte->setGeometry(16, 48, FKarte.width(), FKarte.height());
    iKarte->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    iKarte->setPixmap(bild);
    iKarte->setToolTip(QStringLiteral("Klicken Sie auf die Karte, um Ihren Standort zu wählen"));
    iKarte->installEventFilter(this);
}

void TfrmKarteDialog::SetCloseCallback(TCloseCallback callback)
{
    FCloseCallback = std::move(callback);
}

bool TfrmKarteDialog::eventFilter(QObject* objekt, QEvent* ereignis)
{
    if (objekt == iKarte && ereignis->type() == QEvent::MouseButtonRelease) {
        const auto* maus = static_cast<QMouseEvent*>(ereignis);
        // The pixel under the cursor, also for fractional positions.
        const QPointF p = maus->position();
        Bewacht([&] { iKarteMouseUp(maus->button(), qFloor(p.x()), qFloor(p.y())); });
        return true;
    }
    return QDialog::eventFilter(objekt, ereignis);
}

void TfrmKarteDialog::iKarteMouseUp(Qt::MouseButton knopf, int x, int y)
{
    if (knopf != Qt::LeftButton)
        return;
    // A button released after dragging off the picture is not over it.
    if (!FKarte.valid(x, y) || (FKarte.pixel(x, y) & RGB_MASK) == (KartenHintergrund & RGB_MASK))
        return;
    const QString station = FPLZ.FindNearestStation(TPixel{x, y});
    FSelectedPLZ = FPLZ.GetPLZ(station);
    FCloseResult = 1;
    close();
}

void TfrmKarteDialog::reject()
{
    close();
}

void TfrmKarteDialog::closeEvent(QCloseEvent* ereignis)
{
    if (FCloseResult == 0) {
        FSelectedPLZ.clear();
        FCloseResult = 2;
    }
    ereignis->accept();
    // The outcome is reported once; the window is released right after.
    if (FGemeldet)
        return;
    FGemeldet = true;
    if (FCloseCallback)
        Bewacht([this] { FCloseCallback(FCloseResult); });
    else
        deleteLater();
}
