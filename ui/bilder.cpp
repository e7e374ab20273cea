// Pictures are SVG drawings in the resources, rendered to pixmaps on demand.
#include "ui/bilder.h"

#include "model/fehler.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

namespace {
QString Pfad(const QString& name)
{
    return QStringLiteral(":/bilder/%1.svg").arg(name.toLower());
}
} // namespace

QSize BildGroesse(const QString& name)
{
    QSvgRenderer renderer(Pfad(name));
    return renderer.isValid() ? renderer.defaultSize() : QSize();
}

QPixmap LadeBild(const QString& name, QSize groesse)
{
    QSvgRenderer renderer(Pfad(name));
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
