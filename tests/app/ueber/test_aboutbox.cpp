// About box: texts, bullets and the layout rule, pages and the travelling close button, logos,
// texts from the version block, key handlers, and the program's own about box.
#include "../../support/modal.h"
#include "../../support/rekorder.h"
#include "app/ueber/ovoaboutbox.h"
#include "app/ueber/ovourllabel.h"
#include "app/ueber/ueberbox.h"
#include "model/fehler.h"
#include "model/parametersatz.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {
QString U(const char* text)
{
    return QString::fromUtf8(text);
}

// Runs Execute and hands the shown dialog to pruefe before closing it with the close button.
template <typename F> void ImDialog(TOvoAboutBox& box, F pruefe)
{
    bool gesehen = false;
    ModalFolge antworten({[&](QWidget* f) {
        auto* dialog = qobject_cast<TAboutBoxDialog*>(f);
        ASSERT_NE(dialog, nullptr);
        gesehen = true;
        pruefe(*dialog);
        if (dialog->isVisible())
            dialog->btnClose->click();
    }});
    box.Execute();
    EXPECT_TRUE(gesehen);
}

QStringList SichtbareSeiten(const TAboutBoxDialog& d)
{
    QStringList seiten;
    for (int i = 0; i < d.pcPages->count(); ++i)
        if (d.pcPages->isTabVisible(i))
            seiten << d.pcPages->widget(i)->objectName();
    return seiten;
}

// Top of the label and of its bullet, or -1 for a hidden label.
std::pair<int, int> Lage(const TAboutBoxDialog& d, int index)
{
    const QLabel* label = d.Beschriftung(index);
    const QFrame* punkt = d.Punkt(index);
    if (!label->isVisibleTo(label->parentWidget()))
        return {-1, punkt->isVisibleTo(punkt->parentWidget()) ? punkt->y() : -1};
    return {label->y(), punkt->y()};
}

TEST(AboutBox, LeereTexteRueckenNachUndZeilenumbruecheSchiebenNachUnten)
{
    TOvoAboutBox box;
    box.Pages = TAboutBoxPages(abProdukt) | abKunde | abVertrieb | abHersteller;
    box.SetProduktName(U("Tropfwerk"));
    box.SetProduktVersion(U("Version 9"));
    box.SetProduktDatum(QString()); // hidden: Lizenz and Copyright move up a row
    box.SetLizenz(U("eins\nzwei\r\ndrei"));
    box.SetCopyright(U("© Niemand"));
    box.SetVertriebAdresse(U("Vertrieb"));
    box.SetVertriebWeb(QString());
    box.SetVertriebEMail(U("vertrieb@example.org"));
    box.SetVertriebHotline(U("0800"));
    box.SetKundeAdresse(U("a\rb"));
    box.SetKundeEMail(U("kunde@example.org"));
    box.SetKundeWeb(QString());
    box.SetKundeTelNr(U("123"));
    box.SetHerstellerAdresse(QString());
    box.SetHerstellerWeb(QString());
    box.SetHerstellerEMail(U("h@example.org"));

    // Index, label top, bullet top (-1: hidden). Every page starts again at 190.
    const int erwartet[][3] =
        {
            {1, 190, 194},  {2, 210, 214},  {3, -1, -1},    {4, 230, 234},
            {5, 280, 284}, // two line breaks push it down 30
            {6, 190, 194},  {7, -1, -1},    {8, 210, 214},  {9, 230, 234},
            {10, 190, 194}, {11, 225, 229}, {12, -1, -1},   {13, 245, 249},
            {14, -1, -1},   {15, -1, -1},   {16, 190, 194},
        };
    ImDialog(box, [&](TAboutBoxDialog& d) {
        for (const auto& e : erwartet) {
            const auto [oben, punkt] = Lage(d, e[0]);
            EXPECT_EQ(oben, e[1]) << "Index " << e[0];
            EXPECT_EQ(punkt, e[2]) << "Index " << e[0];
        }
        EXPECT_EQ(d.labLizenz->text(), U("eins\nzwei\ndrei"));
        EXPECT_EQ(d.labKundeEMail->text(), U("kunde@example.org"));
        EXPECT_EQ(d.labLizenz->x(), 56);
        EXPECT_EQ(d.Punkt(4)->geometry(), QRect(40, 234, 9, 9));
    });
}

TEST(AboutBox, SeitenLogosUndDerWanderndeSchliessenknopf)
{
    TOvoAboutBox box;
    box.Pages = TAboutBoxPages(abHersteller) | abProdukt;
    box.Caption = U("Über Test");
    QPixmap logo(300, 120);
    logo.fill(Qt::blue);
    box.SetHerstellerLogo(logo);
    logo.fill(Qt::red); // the box keeps its own copy
    box.SetProduktLogo(QPixmap(600, 400));
    ImDialog(box, [&](TAboutBoxDialog& d) {
        EXPECT_EQ(d.windowTitle(), U("Über Test"));
        EXPECT_EQ(d.size(), QSize(504, 370));
        EXPECT_EQ(SichtbareSeiten(d), (QStringList{U("tsProdukt"), U("tsHersteller")}));
        EXPECT_EQ(d.pcPages->currentWidget(), d.tsProdukt);
        EXPECT_EQ(d.btnClose->parentWidget(), d.tsProdukt);
        EXPECT_TRUE(d.btnClose->isVisible());

        EXPECT_TRUE(d.imgHerstellerLogo->isVisibleTo(d.tsHersteller));
        EXPECT_EQ(d.imgHerstellerLogo->geometry(), QRect(8, 8, 300, 120));
        EXPECT_EQ(d.imgHerstellerLogo->pixmap().toImage().pixelColor(5, 5), QColor(Qt::blue));
        EXPECT_EQ(d.imgProduktLogo->geometry(), QRect(8, 8, 481, 321));
        EXPECT_FALSE(d.imgKundeLogo->isVisibleTo(d.tsKunde));
        EXPECT_FALSE(d.imgVertriebLogo->isVisibleTo(d.tsVertrieb));

        d.pcPages->setCurrentWidget(d.tsHersteller);
        EXPECT_EQ(d.btnClose->parentWidget(), d.tsHersteller);
        EXPECT_EQ(d.btnClose->geometry(), QRect(384, 296, 105, 33));
        EXPECT_TRUE(d.btnClose->isVisible());
        d.pcPages->setCurrentWidget(d.tsProdukt);
        EXPECT_EQ(d.btnClose->parentWidget(), d.tsProdukt);
    });
}

TEST(AboutBox, DialogSchaltflaecheUndLabelArten)
{
    TOvoAboutBox box;
    box.Pages = TAboutBoxPages(abVertrieb);
    box.SetVertriebEMail(U("vertrieb@example.org"));
    AdressRekorder adressen;
    const QColor maroon(128, 0, 0), rot(255, 0, 0), teal(0, 128, 128), navy(0, 0, 128);
    ImDialog(box, [&](TAboutBoxDialog& d) {
        EXPECT_EQ(d.btnClose->text(), U("&Schließen"));
        EXPECT_EQ(d.btnClose->toolTip(), U("Infofenster schließen"));
        EXPECT_TRUE(d.btnClose->isDefault());
        EXPECT_EQ(d.pcPages->tabText(0), U("&Produkt"));
        EXPECT_EQ(d.pcPages->tabText(3), U("&Hersteller"));

        const struct {
            const QLabel* Label;
            QColor Farbe;
        } farben[] = {{d.labProduktName, Qt::black}, {d.labCopyright, maroon},
                      {d.labVertriebHotline, rot},   {d.labVertriebWeb, teal},
                      {d.labKundeEMail, navy},       {d.labHerstellerWeb, teal}};
        for (const auto& f : farben) {
            EXPECT_EQ(f.Label->palette().color(QPalette::WindowText), f.Farbe)
                << f.Label->objectName().toStdString();
            EXPECT_EQ(f.Label->font().pixelSize(), 13);
            EXPECT_TRUE(f.Label->font().bold());
        }
        const struct {
            TOvoUrlLabel* Label;
            TURLType Typ;
            QColor Farbe;
        } urls[] = {{d.labVertriebWeb, utHTTP, teal},   {d.labVertriebEMail, utMail, navy},
                    {d.labKundeEMail, utMail, navy},    {d.labKundeWeb, utHTTP, teal},
                    {d.labHerstellerWeb, utHTTP, teal}, {d.labHerstellerEMail, utMail, navy}};
        for (const auto& u : urls) {
            EXPECT_EQ(u.Label->URLType(), u.Typ) << u.Label->objectName().toStdString();
            EXPECT_TRUE(u.Label->UseCaption());
            EXPECT_EQ(u.Label->InactiveColor(), u.Farbe);
        }
        d.pcPages->setCurrentWidget(d.tsVertrieb);
        QTest::mouseClick(d.labVertriebEMail, Qt::LeftButton);
    });
    EXPECT_EQ(adressen.Adressen, std::vector<QString>{U("mailto:vertrieb@example.org")});
}

TEST(AboutBox, SetAboutBoxInfoOhneLabelWirftAus)
{
    TAboutBoxDialog dialog;
    try {
        dialog.SetAboutBoxInfo(17, U("zu viel"));
        FAIL() << "keine Ausnahme";
    } catch (const EFehler& e) {
        EXPECT_EQ(e.Meldung(), U("SetAboutBoxInfo(17, zu viel)"));
    }
    EXPECT_THROW(dialog.SetAboutBoxInfo(0, QString()), EFehler);
    EXPECT_THROW(dialog.SetAboutBoxInfo(104, U("x")), EFehler);
    EXPECT_EQ(dialog.Beschriftung(4), dialog.labLizenz);
    dialog.SetAboutBoxInfo(4, U("x"));
    EXPECT_EQ(dialog.labLizenz->text(), U("x"));
}

TEST(AboutBox, ErgaenztTexteAusDemVersionsblockDesProgramms)
{
    TOvoAboutBox box;
    box.Pages = TAboutBoxPages(abProdukt);
    box.UseVersionInfo = true;
    box.SetProduktVersion(U("Version "));
    box.SetProduktDatum(U("Stand: "));
    box.SetCopyright(U("Alt "));
    ImDialog(box, [&](TAboutBoxDialog& d) {
        EXPECT_EQ(d.labProduktName->text(), U("Tropfwerk 2003"));
        EXPECT_EQ(d.labProduktVersion->text(), U("Version " TW_PRODUKTVERSION));
        EXPECT_EQ(d.labProduktDatum->text(), U("Stand: " TW_PRODUKTDATUM));
        EXPECT_EQ(d.labCopyright->text(),
                  U("Alt Copyright © 2003 Brunnhuber & Kessler Softwarehaus GmbH"));
        EXPECT_TRUE(d.labProduktName->isVisibleTo(d.tsProdukt));
        EXPECT_EQ(d.labProduktDatum->y(), 230);
        EXPECT_EQ(d.labLizenz->y(), 250); // hidden, its text is empty
        EXPECT_FALSE(d.labLizenz->isVisibleTo(d.tsProdukt));
        EXPECT_EQ(d.labCopyright->y(), 250);
    });
}

TEST(AboutBox, TastenGehenErstAnDieHandlerDerBox)
{
    TOvoAboutBox box;
    box.Pages = TAboutBoxPages(abProdukt);
    std::vector<int> unten, oben;
    QString zeichen;
    box.OnKeyDown = [&](QObject*, int& key, Qt::KeyboardModifiers) {
        unten.push_back(key);
        if (key == Qt::Key_Escape && unten.size() == 2)
            key = 0; // the first Escape is swallowed
    };
    box.OnKeyUp = [&](QObject*, int& key, Qt::KeyboardModifiers) { oben.push_back(key); };
    box.OnKeyPress = [&](QObject*, QString& k) { zeichen += k; };
    int ergebnis = -1;
    ModalFolge antworten({[&](QWidget* f) {
        auto* d = qobject_cast<TAboutBoxDialog*>(f);
        QWidget* ziel = QApplication::focusWidget() ? QApplication::focusWidget() : d;
        QTest::keyClick(ziel, Qt::Key_A);
        QTest::keyClick(ziel, Qt::Key_Escape);
        EXPECT_TRUE(d->isVisible());
        QTest::keyClick(ziel, Qt::Key_Escape);
        ergebnis = d->result();
        if (d->isVisible())
            d->reject();
    }});
    box.Execute();
    EXPECT_EQ(unten, (std::vector<int>{Qt::Key_A, Qt::Key_Escape, Qt::Key_Escape}));
    EXPECT_EQ(zeichen, U("a\x1b"));
    ASSERT_FALSE(oben.empty());
    EXPECT_EQ(oben.front(), Qt::Key_A);
    // Escape works the close button, which closes with OK.
    EXPECT_EQ(ergebnis, QDialog::Accepted);
}

TEST(UeberTropfwerk, ZeigtProduktUndHerstellerMitQuellenangaben)
{
    LadeHersteller();
    QWidget besitzer;
    TOvoAboutBox* box = UeberTropfwerk(&besitzer);
    EXPECT_EQ(UeberTropfwerk(&besitzer), box);
    EXPECT_EQ(box->parent(), &besitzer);
    EXPECT_FALSE(box->UseVersionInfo);
    EXPECT_EQ(box->KundeAdresse(), Hersteller.Strasse);
    EXPECT_EQ(box->KundeTelNr(), Hersteller.Telefon);
    AdressRekorder adressen;
    bool gesehen = false;
    ModalFolge antworten({[&](QWidget* f) {
        auto* d = qobject_cast<TAboutBoxDialog*>(f);
        ASSERT_NE(d, nullptr);
        gesehen = true;
        EXPECT_EQ(d->windowTitle(), U("Über Tropfwerk 2003"));
        EXPECT_EQ(SichtbareSeiten(*d), (QStringList{U("tsProdukt"), U("tsHersteller")}));
        EXPECT_EQ(d->labProduktName->text(), U("Tropfwerk 2003"));
        EXPECT_EQ(d->labProduktVersion->text(), U("Version 1.0"));
        EXPECT_FALSE(d->labProduktDatum->isVisibleTo(d->tsProdukt));
        for (const char* quelle : {"Datenbasis: Deutscher Wetterdienst, eigene Bearbeitung",
                                   "© GeoNames (www.geonames.org), CC BY 4.0",
                                   "© GeoBasis-DE / BKG (2023)", "dl-de/by-2-0"})
            EXPECT_TRUE(d->labLizenz->text().contains(U(quelle))) << quelle;
        EXPECT_TRUE(d->imgProduktLogo->isVisibleTo(d->tsProdukt));
        EXPECT_TRUE(d->imgHerstellerLogo->isVisibleTo(d->tsHersteller));
        EXPECT_TRUE(d->labHerstellerAdresse->text().startsWith(
            U("Brunnhuber & Kessler Softwarehaus GmbH\n")));
        EXPECT_EQ(d->labHerstellerWeb->text(), U("www.tropfwerk.example.org"));

        // No line of text runs under the close button, below the logo or off the page.
        for (QWidget* seite : {d->tsProdukt, d->tsHersteller}) {
            d->pcPages->setCurrentWidget(seite);
            const QRect knopf = d->btnClose->geometry();
            for (QLabel* label : seite->findChildren<QLabel*>()) {
                if (!label->isVisibleTo(seite) || label->objectName().startsWith(U("img")))
                    continue;
                const QFontMetrics fm(label->font());
                const QStringList zeilen = label->text().split(QLatin1Char('\n'));
                for (int i = 0; i < zeilen.size(); ++i) {
                    const QRect zeile(label->x(), label->y() + i * fm.lineSpacing(),
                                      fm.horizontalAdvance(zeilen[i]), fm.height());
                    EXPECT_FALSE(zeile.intersects(knopf)) << zeilen[i].toStdString();
                    EXPECT_LE(zeile.right(), seite->width()) << zeilen[i].toStdString();
                    EXPECT_LE(zeile.bottom(), seite->height()) << zeilen[i].toStdString();
                    EXPECT_GE(zeile.top(), 8 + d->imgProduktLogo->height());
                }
            }
        }
        QTest::mouseClick(d->labHerstellerWeb, Qt::LeftButton);
        QTest::mouseClick(d->labHerstellerEMail, Qt::LeftButton);
        d->btnClose->click();
    }});
    ZeigeUeberTropfwerk(&besitzer);
    EXPECT_TRUE(gesehen);
    EXPECT_EQ(adressen.Adressen, (std::vector<QString>{U("http://www.tropfwerk.example.org"),
                                                       U("mailto:info@tropfwerk.example.org")}));
    // The dialog is released when it closes; the box stays with its owner.
    EXPECT_TRUE(besitzer.findChildren<TAboutBoxDialog*>().isEmpty());
}
} // namespace
