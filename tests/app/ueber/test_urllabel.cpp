// URL label: the address from type, prefix and caption, the click, and the highlight on
// mouse-over.
#include "../../support/rekorder.h"
#include "app/ueber/ovourllabel.h"

#include <QAction>
#include <QApplication>
#include <QEnterEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace {
void Betrete(QWidget* w)
{
    QEnterEvent e(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(w, &e);
}

void Verlasse(QWidget* w)
{
    QEvent e(QEvent::Leave);
    QApplication::sendEvent(w, &e);
}

struct TLabelTest : ::testing::Test {
    TLabelTest()
    {
        label.setText(QStringLiteral("info@tropfwerk.example.org"));
        label.adjustSize();
        label.show();
    }
    TOvoUrlLabel label;
    AdressRekorder adressen;
};

TEST_F(TLabelTest, EinKlickOeffnetDieAdresseNachTypUndBeschriftung)
{
    const struct {
        TURLType Typ;
        bool UseCaption;
        const char* Adresse;
    } faelle[] = {
        {utMail, true, "mailto:info@tropfwerk.example.org"},
        {utHTTP, true, "http://info@tropfwerk.example.org"},
        {utFTP, true, "ftp://info@tropfwerk.example.org"},
        {utCustom, true, "news:info@tropfwerk.example.org"},
        // Without UseCaption the URL is opened as it is, whatever the type.
        {utMail, false, "https://www.tropfwerk.example.org/kontakt"},
        {utCustom, false, "https://www.tropfwerk.example.org/kontakt"},
    };
    label.SetCustomURLType(QStringLiteral("news:"));
    label.SetURL(QStringLiteral("https://www.tropfwerk.example.org/kontakt"));
    for (const auto& f : faelle) {
        adressen.Adressen.clear();
        label.SetURLType(f.Typ);
        label.SetUseCaption(f.UseCaption);
        QTest::mouseClick(&label, Qt::LeftButton);
        ASSERT_EQ(adressen.Adressen.size(), 1u) << f.Adresse;
        EXPECT_EQ(adressen.Adressen[0], QString::fromLatin1(f.Adresse));
    }
}

TEST_F(TLabelTest, VoreinstellungenUndNurEchteKlicks)
{
    TOvoUrlLabel neu;
    EXPECT_EQ(neu.ActiveColor(), QColor(0, 0, 255));
    EXPECT_EQ(neu.InactiveColor(), QColor(0, 0, 0));
    EXPECT_TRUE(neu.HighlightURLOnMouse());
    EXPECT_EQ(neu.URLType(), utCustom);
    EXPECT_FALSE(neu.UseCaption());
    EXPECT_FALSE(neu.font().underline());

    label.SetURLType(utMail);
    label.SetUseCaption(true);
    // Pressed on the label but released outside it, or with the right button: no click.
    QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(label.width() + 5, 2));
    QTest::mouseClick(&label, Qt::RightButton);
    EXPECT_TRUE(adressen.Adressen.empty());
}

TEST_F(TLabelTest, KlickHandlerOderAktionErsetzenDasOeffnen)
{
    label.SetUseCaption(true);
    label.SetURLType(utMail);
    int klicks = 0;
    label.OnClick = [&] { ++klicks; };
    QTest::mouseClick(&label, Qt::LeftButton);
    EXPECT_EQ(klicks, 1);

    label.OnClick = nullptr;
    QAction aktion(nullptr);
    int ausgeloest = 0;
    QObject::connect(&aktion, &QAction::triggered, [&] { ++ausgeloest; });
    label.Action = &aktion;
    QTest::mouseClick(&label, Qt::LeftButton);
    EXPECT_EQ(ausgeloest, 1);
    EXPECT_TRUE(adressen.Adressen.empty());

    label.Action = nullptr;
    QTest::mouseClick(&label, Qt::LeftButton);
    EXPECT_EQ(adressen.Adressen.size(), 1u);
}

TEST_F(TLabelTest, HebtBeimUeberfahrenHervorUndKehrtZurEigenenFarbeZurueck)
{
    const QColor teal(0, 128, 128);
    label.SetInactiveColor(teal);
    label.SetFontColor(teal);
    QColor farbeBeimEintritt;
    bool unterstrichenBeimEintritt = false;
    QColor farbeBeimVerlassen;
    label.OnMouseEnter = [&] {
        farbeBeimEintritt = label.FontColor();
        unterstrichenBeimEintritt = label.font().underline();
    };
    label.OnMouseLeave = [&] { farbeBeimVerlassen = label.FontColor(); };

    Betrete(&label);
    // The handler runs after the label's own change.
    EXPECT_EQ(farbeBeimEintritt, QColor(0, 0, 255));
    EXPECT_TRUE(unterstrichenBeimEintritt);
    EXPECT_EQ(label.FontColor(), QColor(0, 0, 255));
    Verlasse(&label);
    EXPECT_EQ(farbeBeimVerlassen, teal);
    EXPECT_EQ(label.FontColor(), teal);
    EXPECT_FALSE(label.font().underline());

    label.SetActiveColor(QColor(255, 0, 0));
    Betrete(&label);
    EXPECT_EQ(label.FontColor(), QColor(255, 0, 0));
}

TEST_F(TLabelTest, OhneHervorhebungImmerUnterstrichenUndInSeinerFarbe)
{
    const QColor navy(0, 0, 128);
    label.SetFontColor(navy);
    label.SetHighlightURLOnMouse(false);
    EXPECT_TRUE(label.font().underline());
    int eintritte = 0;
    label.OnMouseEnter = [&] { ++eintritte; };
    Betrete(&label);
    EXPECT_EQ(eintritte, 1);
    EXPECT_EQ(label.FontColor(), navy);
    EXPECT_TRUE(label.font().underline());
    Verlasse(&label);
    EXPECT_EQ(label.FontColor(), navy);
    EXPECT_TRUE(label.font().underline());

    // Switching it back on removes the underline; it shows on mouse-over only.
    label.SetHighlightURLOnMouse(true);
    EXPECT_FALSE(label.font().underline());
    Betrete(&label);
    EXPECT_TRUE(label.font().underline());
}
} // namespace
