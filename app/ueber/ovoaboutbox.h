// The about box as a component: holds the texts, pictures and pages of the about dialog and
// shows it on Execute.
#pragma once

#include "app/ueber/aboutboxdialog.h"

#include <QFlags>
#include <QObject>
#include <QPixmap>
#include <QString>
#include <array>

enum TAboutBoxPage {
    abHersteller = 0x1,
    abProdukt = 0x2,
    abKunde = 0x4,
    abVertrieb = 0x8,
};
Q_DECLARE_FLAGS(TAboutBoxPages, TAboutBoxPage)
Q_DECLARE_OPERATORS_FOR_FLAGS(TAboutBoxPages)

class TOvoAboutBox : public QObject {
    Q_OBJECT
public:
    static constexpr int TextAnzahl = 16;

    explicit TOvoAboutBox(QObject* owner = nullptr);

    // Builds, fills and shows the dialog modally; returns when it has closed.
    void Execute();

    QString Caption;
    TAboutBoxPages Pages;
    bool UseVersionInfo = false;
    TOvoKeyEvent OnKeyDown;
    TOvoKeyPressEvent OnKeyPress;
    TOvoKeyEvent OnKeyUp;

    // The text of index 1 to 16.
    QString Text(int index) const;
    void SetText(int index, const QString& text);

    QString ProduktName() const { return Text(1); }
    void SetProduktName(const QString& t) { SetText(1, t); }
    QString ProduktVersion() const { return Text(2); }
    void SetProduktVersion(const QString& t) { SetText(2, t); }
    QString ProduktDatum() const { return Text(3); }
    void SetProduktDatum(const QString& t) { SetText(3, t); }
    QString Lizenz() const { return Text(4); }
    void SetLizenz(const QString& t) { SetText(4, t); }
    QString Copyright() const { return Text(5); }
    void SetCopyright(const QString& t) { SetText(5, t); }
    QString VertriebAdresse() const { return Text(6); }
    void SetVertriebAdresse(const QString& t) { SetText(6, t); }
    QString VertriebWeb() const { return Text(7); }
    void SetVertriebWeb(const QString& t) { SetText(7, t); }
    QString VertriebEMail() const { return Text(8); }
    void SetVertriebEMail(const QString& t) { SetText(8, t); }
    QString VertriebHotline() const { return Text(9); }
    void SetVertriebHotline(const QString& t) { SetText(9, t); }
    QString KundeAdresse() const { return Text(10); }
    void SetKundeAdresse(const QString& t) { SetText(10, t); }
    QString KundeEMail() const { return Text(11); }
    void SetKundeEMail(const QString& t) { SetText(11, t); }
    QString KundeWeb() const { return Text(12); }
    void SetKundeWeb(const QString& t) { SetText(12, t); }
    QString KundeTelNr() const { return Text(13); }
    void SetKundeTelNr(const QString& t) { SetText(13, t); }
    QString HerstellerAdresse() const { return Text(14); }
    void SetHerstellerAdresse(const QString& t) { SetText(14, t); }
    QString HerstellerWeb() const { return Text(15); }
    void SetHerstellerWeb(const QString& t) { SetText(15, t); }
    QString HerstellerEMail() const { return Text(16); }
    void SetHerstellerEMail(const QString& t) { SetText(16, t); }

    // The pictures, owned by the box; setting one copies it.
    const QPixmap& ProduktLogo() const { return FProduktLogo; }
    void SetProduktLogo(const QPixmap& bild) { FProduktLogo = bild; }
    const QPixmap& VertriebLogo() const { return FVertriebLogo; }
    void SetVertriebLogo(const QPixmap& bild) { FVertriebLogo = bild; }
    const QPixmap& KundeLogo() const { return FKundeLogo; }
    void SetKundeLogo(const QPixmap& bild) { FKundeLogo = bild; }
    const QPixmap& HerstellerLogo() const { return FHerstellerLogo; }
    void SetHerstellerLogo(const QPixmap& bild) { FHerstellerLogo = bild; }

private:
    std::array<QString, TextAnzahl> FTexte;
    QPixmap FProduktLogo;
    QPixmap FVertriebLogo;
    QPixmap FKundeLogo;
    QPixmap FHerstellerLogo;
};
