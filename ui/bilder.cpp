// Pictures are SVG drawings in the resources, rendered to pixmaps on demand; pictures that
// must keep exact pixel colours (the map) are bitmaps.
#include "ui/bilder.h"

#include "model/fehler.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

namespace {
QString Pfad(const QString& name, const char* endung)
{
    return QStringLiteral(":/bilder/%1.%2").arg(name.toLower(), QString::fromLatin1(endung));
}
} // namespace

QSize BildGroesse(const QString& name)
{
    if (QFile::exists(Pfad(name, "bmp")))
        return QPixmap(Pfad(name, "bmp")).size();
    QSvgRenderer renderer(Pfad(name, "svg"));
    return renderer.isValid() ? renderer.defaultSize() : QSize();
}

QPixmap LadeBild(const QString& name, QSize groesse)
{
    if (QFile::exists(Pfad(name, "bmp"))) {
        QPixmap bild(Pfad(name, "bmp"));
        if (groesse.isValid() && bild.size() != groesse)
            bild = bild.scaled(groesse, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        return bild;
    }
    QSvgRenderer renderer(Pfad(name, "svg"));
    if (!renderer.isValid())
        throw EFehler(QStringLiteral("Das Bild %1 wurde nicht gefunden").arg(name));
    if (!groesse.isValid())
        groesse = renderer.defaultSize();
    QPixmap bild(groesse);
    bild.fill(Qt::transparent);
    QPainter maler(&bild);
    maler.setRenderHint(QPainter::Antialiasing);
    renderer.render(&maler);
    return bild;
}
