// About dialog. Labels and bullets carry their page group and text index as the property "Tag"
// (group × 100 + index); the texts and the layout find them by it.
#include "app/ueber/aboutboxdialog.h"

#include "app/ueber/ovourllabel.h"
#include "model/fehler.h"
#include "ui/fehlerwaechter.h"
#include "ui/werkzeug.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

namespace {
constexpr int Breite = 504;
constexpr int Hoehe = 370;
constexpr int LabelLinks = 56;
constexpr int PunktLinks = 40;
constexpr int PunktGroesse = 9;
constexpr int ErsteZeile = 190;
constexpr int PunktVersatz = 4;
constexpr int ZeilenAbstand = 20;
constexpr int UmbruchAbstand = 15;

const QColor Schwarz(0, 0, 0);
const QColor Maroon(128, 0, 0);
const QColor Rot(255, 0, 0);
const QColor Teal(0, 128, 128);
const QColor Navy(0, 0, 128);

int Tag(const QObject* objekt)
{
    return objekt->property("Tag").toInt();
}

// Line breaks in either convention become one "\n" each.
QString MitZeilenumbruechen(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

void UrlArt(TOvoUrlLabel* label, TURLType typ, const QColor& farbe)
{
    label->SetURLType(typ);
    label->SetUseCaption(true);
    label->SetInactiveColor(farbe);
}
} // namespace

TAboutBoxDialog::TAboutBoxDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBoxDialog"));
    FesterDialogRahmen(this, Breite, Hoehe);

    pcPages = new QTabWidget(this);
    pcPages->setObjectName(QStringLiteral("pcPages"));
    pcPages->setGeometry(0, 0, Breite, Hoehe);

    QWidget* produkt = Seite(tsProdukt, "tsProdukt", QStringLiteral("&Produkt"), "pProdukt",
                             imgProduktLogo, "imgProduktLogo");
    QWidget* kunde =
        Seite(tsKunde, "tsKunde", QStringLiteral("&Kunde"), "pKunde", imgKundeLogo, "imgKundeLogo");
    QWidget* vertrieb = Seite(tsVertrieb, "tsVertrieb", QStringLiteral("&Vertrieb"), "pVertrieb",
                              imgVertriebLogo, "imgVertriebLogo");
    QWidget* hersteller = Seite(tsHersteller, "tsHersteller", QStringLiteral("&Hersteller"),
                                "pHersteller", imgHerstellerLogo, "imgHerstellerLogo");

    labProduktName = new QLabel;
    labProduktVersion = new QLabel;
    labProduktDatum = new QLabel;
    labLizenz = new QLabel;
    labCopyright = new QLabel;
    labVertriebAdresse = new QLabel;
    labVertriebWeb = new TOvoUrlLabel;
    labVertriebEMail = new TOvoUrlLabel;
    labVertriebHotline = new QLabel;
    labKundeAdresse = new QLabel;
    labKundeEMail = new TOvoUrlLabel;
    labKundeWeb = new TOvoUrlLabel;
    labKundeTelNr = new QLabel;
    labHerstellerAdresse = new QLabel;
    labHerstellerWeb = new TOvoUrlLabel;
    labHerstellerEMail = new TOvoUrlLabel;

    Beschrifte(labProduktName, produkt, "labProduktName", "shpProduktName", 101, Schwarz);
    Beschrifte(labProduktVersion, produkt, "labProduktVersion", "shpProduktVersion", 102, Schwarz);
    Beschrifte(labProduktDatum, produkt, "labProduktDatum", "shpProduktDatum", 103, Schwarz);
    Beschrifte(labLizenz, produkt, "labLizenz", "shpLizenz", 104, Schwarz);
    Beschrifte(labCopyright, produkt, "labCopyright", "shpCopyright", 105, Maroon);
    Beschrifte(labVertriebAdresse, vertrieb, "labVertriebAdresse", "shpVertriebAdresse", 306,
               Schwarz);
    Beschrifte(labVertriebWeb, vertrieb, "labVertriebWeb", "shpVertriebWeb", 307, Teal);
    Beschrifte(labVertriebEMail, vertrieb, "labVertriebEMail", "shpVertriebEMail", 308, Navy);
    Beschrifte(labVertriebHotline, vertrieb, "labVertriebHotline", "shpVertriebHotline", 309, Rot);
    Beschrifte(labKundeAdresse, kunde, "labKundeAdresse", "shpKundeAdresse", 210, Schwarz);
    Beschrifte(labKundeEMail, kunde, "labKundeEMail", "shpKundeEMail", 211, Navy);
    Beschrifte(labKundeWeb, kunde, "labKundeWeb", "shpKundeWeb", 212, Teal);
    Beschrifte(labKundeTelNr, kunde, "labKundeTelNr", "shpKundeTelNr", 213, Schwarz);
    Beschrifte(labHerstellerAdresse, hersteller, "labHerstellerAdresse", "shpHerstellerAdresse",
               414, Schwarz);
    Beschrifte(labHerstellerWeb, hersteller, "labHerstellerWeb", "shpHerstellerWeb", 415, Teal);
    Beschrifte(labHerstellerEMail, hersteller, "labHerstellerEMail", "shpHerstellerEMail", 416,
               Navy);
    UrlArt(labVertriebWeb, utHTTP, Teal);
    UrlArt(labVertriebEMail, utMail, Navy);
    UrlArt(labKundeEMail, utMail, Navy);
    UrlArt(labKundeWeb, utHTTP, Teal);
    UrlArt(labHerstellerWeb, utHTTP, Teal);
    UrlArt(labHerstellerEMail, utMail, Navy);

    btnClose = Knopf(tsProdukt, "btnClose", QStringLiteral("&Schließen"), QRect(384, 296, 105, 33),
                     QStringLiteral("Infofenster schließen"));
    btnClose->setDefault(true);
    btnClose->setAutoDefault(true);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);

    // Keyboard preview: the dialog's handlers see every key before the control does.
    FiltereAlleTasten(this);

    FormCreate();
    connect(pcPages, &QTabWidget::currentChanged, this, &TAboutBoxDialog::pcPagesChange);
}

QWidget* TAboutBoxDialog::Seite(QWidget*& seite, const char* name, const QString& titel,
                                const char* panel, QLabel*& bild, const char* logo)
{
    seite = new QWidget;
    seite->setObjectName(QString::fromLatin1(name));
    pcPages->addTab(seite, titel);
    auto* p = new QWidget(seite);
    p->setObjectName(QString::fromLatin1(panel));
    WeisserHintergrund(p);
    p->setGeometry(0, 0, Breite, Hoehe);
    bild = new QLabel(p);
    bild->setObjectName(QString::fromLatin1(logo));
    bild->setGeometry(8, 8, 0, 0);
    bild->setVisible(false);
    return p;
}

void TAboutBoxDialog::Beschrifte(QLabel* label, QWidget* panel, const char* name, const char* punkt,
                                 int tag, const QColor& farbe)
{
    label->setParent(panel);
    label->setObjectName(QString::fromLatin1(name));
    label->setProperty("Tag", tag);
    label->setTextFormat(Qt::PlainText);
    QFont schrift = label->font();
    schrift.setPixelSize(13);
    schrift.setBold(true);
    label->setFont(schrift);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, farbe);
    label->setPalette(p);
    label->move(LabelLinks, ErsteZeile);
    FLabels.push_back(label);

    auto* bullet = new QFrame(panel);
    bullet->setObjectName(QString::fromLatin1(punkt));
    bullet->setProperty("Tag", tag);
    bullet->setAutoFillBackground(true);
    QPalette schwarz = bullet->palette();
    schwarz.setColor(QPalette::Window, Qt::black);
    bullet->setPalette(schwarz);
    bullet->setGeometry(PunktLinks, ErsteZeile + PunktVersatz, PunktGroesse, PunktGroesse);
    FBullets.push_back(bullet);
}

void TAboutBoxDialog::FormCreate()
{
    btnClose->setParent(tsProdukt);
    btnClose->move(384, 296);
    btnClose->raise();
    btnClose->show();
    pcPages->setCurrentWidget(tsProdukt);
}

void TAboutBoxDialog::pcPagesChange(int index)
{
    QWidget* seite = pcPages->widget(index);
    if (!seite)
        return;
    const bool hatteFokus = btnClose->hasFocus();
    btnClose->setParent(seite);
    btnClose->move(384, 296);
    btnClose->raise();
    btnClose->show();
    if (hatteFokus)
        btnClose->setFocus();
}

QLabel* TAboutBoxDialog::Beschriftung(int index) const
{
    for (QLabel* label : FLabels)
        if (Tag(label) % 100 == index)
            return label;
    return nullptr;
}

QFrame* TAboutBoxDialog::Punkt(int index) const
{
    for (QFrame* bullet : FBullets)
        if (Tag(bullet) % 100 == index)
            return bullet;
    return nullptr;
}

void TAboutBoxDialog::SetAboutBoxInfo(int index, const QString& text)
{
    QLabel* label = Beschriftung(index);
    if (!label)
        throw EFehler(QStringLiteral("SetAboutBoxInfo(%1, %2)").arg(index).arg(text));
    label->setText(MitZeilenumbruechen(text));
    label->adjustSize();
    label->setVisible(!text.isEmpty());
    if (QFrame* bullet = Punkt(index))
        bullet->setVisible(label->isVisibleTo(label->parentWidget()));
}

void TAboutBoxDialog::OrdneAn()
{
    int gruppe = -1;
    int zeile = 0;
    int extra = 0;
    for (int index = 1; index <= 16; ++index) {
        QLabel* label = Beschriftung(index);
        if (!label)
            continue;
        if (Tag(label) / 100 != gruppe) {
            gruppe = Tag(label) / 100;
            zeile = 0;
            extra = 0;
        }
        label->move(label->x(), ErsteZeile + ZeilenAbstand * zeile + extra);
        if (QFrame* bullet = Punkt(index))
            bullet->move(bullet->x(), ErsteZeile + PunktVersatz + ZeilenAbstand * zeile + extra);
        extra += UmbruchAbstand * static_cast<int>(label->text().count(QLatin1Char('\n')));
        if (label->isVisibleTo(label->parentWidget()))
            ++zeile;
    }
}

bool TAboutBoxDialog::eventFilter(QObject* objekt, QEvent* event)
{
    const bool taste = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    if (!taste)
        return QDialog::eventFilter(objekt, event);
    // Only where the key arrives first, not again while it travels up to the dialog.
    QWidget* fokus = QApplication::focusWidget();
    const bool zuerst = objekt == fokus || (objekt == this && (!fokus || !isAncestorOf(fokus)));
    if (!zuerst)
        return false;
    // An error of the owner's handlers ends the key here.
    bool verschluckt = true;
    Bewacht([&] { verschluckt = MeldeTaste(static_cast<QKeyEvent*>(event)); });
    return verschluckt;
}

bool TAboutBoxDialog::MeldeTaste(QKeyEvent* k)
{
    if (k->type() == QEvent::KeyPress) {
        if (OnKeyDown) {
            int key = k->key();
            OnKeyDown(this, key, k->modifiers());
            if (key == 0)
                return true;
        }
        if (OnKeyPress && !k->text().isEmpty()) {
            QString zeichen = k->text();
            OnKeyPress(this, zeichen);
            if (zeichen.isEmpty())
                return true;
        }
    } else if (OnKeyUp) {
        int key = k->key();
        OnKeyUp(this, key, k->modifiers());
        if (key == 0)
            return true;
    }
    return false;
}

void TAboutBoxDialog::keyPressEvent(QKeyEvent* event)
{
    // The close button is also the cancel button: Escape closes with OK.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        btnClose->click();
        return;
    }
    QDialog::keyPressEvent(event);
}
