// A label that opens a web or mail address when clicked and can highlight on mouse-over.
#pragma once

#include <QColor>
#include <QLabel>
#include <functional>

class QAction;

enum TURLType { utCustom, utHTTP, utFTP, utMail };

class TOvoUrlLabel : public QLabel {
    Q_OBJECT
public:
    explicit TOvoUrlLabel(QWidget* parent = nullptr);

    QColor ActiveColor() const { return FActiveColor; }
    void SetActiveColor(const QColor& farbe) { FActiveColor = farbe; }
    QString CustomURLType() const { return FCustomURLType; }
    void SetCustomURLType(const QString& praefix) { FCustomURLType = praefix; }
    bool HighlightURLOnMouse() const { return FHighlightURLOnMouse; }
    // True removes the underline (it then shows on mouse-over only); false underlines for good.
    void SetHighlightURLOnMouse(bool an);
    QColor InactiveColor() const { return FInactiveColor; }
    void SetInactiveColor(const QColor& farbe) { FInactiveColor = farbe; }
    QString URL() const { return FURL; }
    void SetURL(const QString& url) { FURL = url; }
    TURLType URLType() const { return FURLType; }
    void SetURLType(TURLType typ) { FURLType = typ; }
    bool UseCaption() const { return FUseCaption; }
    void SetUseCaption(bool an) { FUseCaption = an; }

    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseLeave;
    // With a click handler or an action the label clicks like any other; without both it opens
    // its address.
    std::function<void()> OnClick;
    QAction* Action = nullptr;

    // The prefix of the URL type.
    QString Prefix() const;
    // Prefix and caption with UseCaption, else URL.
    QString Address() const;
    // Font colour of the label's text.
    QColor FontColor() const;
    void SetFontColor(const QColor& farbe);

    void Click();
    // Hands the address to the desktop's opener.
    virtual void OpenURL(const QString& address);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void SetUnderline(bool an);

    QColor FActiveColor{0, 0, 255};
    QString FCustomURLType;
    bool FHighlightURLOnMouse = true;
    QColor FInactiveColor{0, 0, 0};
    QString FURL;
    TURLType FURLType = utCustom;
    bool FUseCaption = false;
    bool FGedrueckt = false;
};
