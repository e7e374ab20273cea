// Map window: picks the postal code of the weather station nearest to a click on the map.
#include "refdata/kartendialog.h"

#include "refdata/plzkonverter.h"
#include "ui/bilder.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QtMath>

namespace {
// Everything outside the country has this colour; it is drawn transparently.
constexpr QRgb KartenHintergrund = qRgb(252, 2, 252);
} // namespace

TfrmKarteDialog::TfrmKarteDialog(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmKarteDialog"));
    setWindowTitle(QStringLiteral("Standort"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(false);
    setFixedSize(505, 659);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(16, 8, 473, 33);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // 8 point at 96 dpi: the two lines fit the label's height.
    QFont fett(QStringLiteral("Arial"));
    fett.setPixelSize(11);
    fett.setBold(true);
    Label1->setFont(fett);
    Label1->setText(QStringLiteral(
        "Bitte wählen Sie auf der Karte Ihren Standort durch anklicken aus. Die Postleitzahl der "
        "nächstgelegen Wetterstation wird dadurch automatisch ausgewählt."));

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

    if (const QScreen* bildschirm = QGuiApplication::primaryScreen())
        move(bildschirm->availableGeometry().center() - rect().center());
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
        iKarteMouseUp(maus->button(), qFloor(p.x()), qFloor(p.y()));
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
    TPLZConverter& plz = GeladenerPLZConverter();
    const QString station = plz.FindNearestStation(TPixel{x, y});
    FSelectedPLZ = plz.GetPLZ(station);
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
        FCloseCallback(FCloseResult);
    else
        deleteLater();
}
