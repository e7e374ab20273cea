// URL label: address building, highlight and the click.
#include "app/ueber/ovourllabel.h"

#include "ui/adresse.h"
#include "ui/fehlerwaechter.h"

#include <QAction>
#include <QMouseEvent>

TOvoUrlLabel::TOvoUrlLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
}

void TOvoUrlLabel::SetHighlightURLOnMouse(bool an)
{
    FHighlightURLOnMouse = an;
    SetUnderline(!an);
}

QString TOvoUrlLabel::Prefix() const
{
    switch (FURLType) {
    case utHTTP:
        return QStringLiteral("http://");
    case utFTP:
        return QStringLiteral("ftp://");
    case utMail:
        return QStringLiteral("mailto:");
    case utCustom:
        break;
    }
    return FCustomURLType;
}

QString TOvoUrlLabel::Address() const
{
    return FUseCaption ? Prefix() + text() : FURL;
}

QColor TOvoUrlLabel::FontColor() const
{
    return palette().color(QPalette::WindowText);
}

void TOvoUrlLabel::SetFontColor(const QColor& farbe)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, farbe);
    setPalette(p);
}

void TOvoUrlLabel::SetUnderline(bool an)
{
    QFont f = font();
    f.setUnderline(an);
    setFont(f);
}

void TOvoUrlLabel::Click()
{
    if (OnClick) {
        OnClick();
        return;
    }
    if (Action) {
        Action->trigger();
        return;
    }
    OpenURL(Address());
}

void TOvoUrlLabel::OpenURL(const QString& address)
{
    OeffneAdresse(address);
}

void TOvoUrlLabel::enterEvent(QEnterEvent* event)
{
    if (FHighlightURLOnMouse) {
        SetFontColor(FActiveColor);
        SetUnderline(true);
    }
    QLabel::enterEvent(event);
    if (OnMouseEnter)
        Bewacht(OnMouseEnter);
}

void TOvoUrlLabel::leaveEvent(QEvent* event)
{
    if (FHighlightURLOnMouse) {
        SetFontColor(FInactiveColor);
        SetUnderline(false);
    }
    QLabel::leaveEvent(event);
    if (OnMouseLeave)
        Bewacht(OnMouseLeave);
}

void TOvoUrlLabel::mousePressEvent(QMouseEvent* event)
{
    FGedrueckt = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void TOvoUrlLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool klick = FGedrueckt && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    FGedrueckt = false;
    QLabel::mouseReleaseEvent(event);
    if (klick)
        Bewacht([this] { Click(); });
}
