// Map window: layout, clicks on land and background, closing, callback and engine errors.
#include "../support/rekorder.h"
#include "model/fehler.h"
#include "refdata/kartendialog.h"
#include "refdata/plzkonverter.h"
#include "refdata/tabelle.h"

#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {
// Engine stand-in: records the calls of the map window and answers with fixed values.
class TTestKonverter : public TPLZConverter {
public:
    TTestKonverter() : TPLZConverter(nullptr, nullptr) {}

    QString FindNearestStation(TPixel pixel) override
    {
        Pixel.push_back(pixel);
        if (SucheWirft)
            SucheWirft();
        return Station;
    }
    QString GetPLZ(const QString& station) override
    {
        Stationen.push_back(station);
        if (PLZWirft)
            PLZWirft();
        return PLZ;
    }

    QString Station = QStringLiteral("Saarbrücken-Ensheim");
    QString PLZ = QStringLiteral("66000");
    std::function<void()> SucheWirft;
    std::function<void()> PLZWirft;
    std::vector<TPixel> Pixel;
    std::vector<QString> Stationen;
};

class KartenDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialog = new TfrmKarteDialog(*engine);
        dialog->SetCloseCallback([this](int ergebnis) { Rueckrufe.push_back(ergebnis); });
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    }
    void TearDown() override { delete dialog.data(); }

    void Klick(Qt::MouseButton knopf, QPoint p) { QTest::mouseClick(dialog->iKarte, knopf, {}, p); }

    std::unique_ptr<TTestKonverter> engine = std::make_unique<TTestKonverter>();
    QPointer<TfrmKarteDialog> dialog;
    std::vector<int> Rueckrufe;
};
} // namespace

TEST_F(KartenDialog, LayoutAndTexts)
{
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Standort"));
    EXPECT_EQ(dialog->size(), QSize(505, 659));
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
    EXPECT_FALSE(dialog->isModal());
    EXPECT_FALSE(dialog->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(dialog->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(dialog->CloseResult(), 0);
    EXPECT_TRUE(dialog->SelectedPLZ().isEmpty());

    EXPECT_EQ(dialog->Label1->geometry(), QRect(16, 8, 473, 33));
    EXPECT_TRUE(dialog->Label1->font().bold());
    EXPECT_TRUE(dialog->Label1->wordWrap());
    EXPECT_EQ(
        dialog->Label1->text(),
        QStringLiteral("Bitte wählen Sie auf der Karte Ihren Standort durch anklicken aus. Die "
                       "Postleitzahl der nächstgelegen Wetterstation wird dadurch automatisch "
                       "ausgewählt."));
    // The wrapped text fits the label's height.
    EXPECT_LE(dialog->Label1->heightForWidth(473), 33);

    EXPECT_EQ(dialog->iKarte->geometry(), QRect(16, 48, 471, 602));
    EXPECT_EQ(dialog->iKarte->toolTip(),
              QStringLiteral("Klicken Sie auf die Karte, um Ihren Standort zu wählen"));
}

TEST_F(KartenDialog, BackgroundIsDrawnTransparently)
{
    const QImage gezeigt = dialog->iKarte->pixmap().toImage();
    ASSERT_EQ(gezeigt.size(), QSize(471, 602));
    EXPECT_EQ(qAlpha(gezeigt.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(gezeigt.pixel(460, 590)), 0);
    EXPECT_EQ(qAlpha(gezeigt.pixel(62, 440)), 255);
    EXPECT_EQ(qAlpha(gezeigt.pixel(200, 250)), 255);

    // On screen the window's face colour shows around the country, and no magenta at all.
    const QImage fenster = dialog->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb flaeche = dialog->palette().color(QPalette::Window).rgb();
    EXPECT_EQ(fenster.pixel(16 + 2, 48 + 2) & RGB_MASK, flaeche & RGB_MASK);
    for (int y = 0; y < fenster.height(); ++y)
        for (int x = 0; x < fenster.width(); ++x)
            ASSERT_NE(fenster.pixel(x, y) & RGB_MASK, qRgb(252, 2, 252) & RGB_MASK)
                << x << "," << y;
}

TEST_F(KartenDialog, LeftClickOnLandChoosesTheNearestStationsPostalCode)
{
    Klick(Qt::LeftButton, QPoint(62, 440));

    ASSERT_EQ(engine->Pixel.size(), 1u);
    EXPECT_EQ(engine->Pixel[0], (TPixel{62, 440}));
    ASSERT_EQ(engine->Stationen.size(), 1u);
    EXPECT_EQ(engine->Stationen[0], QStringLiteral("Saarbrücken-Ensheim"));
    EXPECT_EQ(dialog->SelectedPLZ(), QStringLiteral("66000"));
    EXPECT_EQ(dialog->CloseResult(), 1);
    EXPECT_EQ(Rueckrufe, std::vector<int>{1});
    EXPECT_FALSE(dialog->isVisible());

    dialog->close(); // a second close keeps the choice and reports nothing more
    EXPECT_EQ(dialog->CloseResult(), 1);
    EXPECT_EQ(dialog->SelectedPLZ(), QStringLiteral("66000"));
    EXPECT_EQ(Rueckrufe, std::vector<int>{1});
}

TEST_F(KartenDialog, IgnoredClicksChangeNothing)
{
    struct Fall {
        const char* was;
        Qt::MouseButton knopf;
        QPoint punkt;
    };
    const Fall faelle[] = {
        {"left on the background", Qt::LeftButton, {5, 5}},
        {"left on the sea", Qt::LeftButton, {40, 80}},
        {"right on land", Qt::RightButton, {62, 440}},
        {"middle on land", Qt::MiddleButton, {200, 250}},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.was);
        Klick(fall.knopf, fall.punkt);
        EXPECT_TRUE(engine->Pixel.empty());
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->CloseResult(), 0);
        EXPECT_TRUE(dialog->SelectedPLZ().isEmpty());
        EXPECT_TRUE(Rueckrufe.empty());
    }
    // Released after dragging off the picture: not over it.
    for (const QPoint p : {QPoint(-1, 300), QPoint(471, 300), QPoint(200, 602)})
        dialog->iKarteMouseUp(Qt::LeftButton, p.x(), p.y());
    EXPECT_TRUE(engine->Pixel.empty());
    EXPECT_EQ(dialog->CloseResult(), 0);
}

TEST_F(KartenDialog, EngineErrorIsShownAndTheWindowStaysOpen)
{
    struct Fall {
        const char* was;
        std::function<void(TTestKonverter&)> vorbereiten;
        QString meldung;
    };
    const Fall faelle[] = {
        {"station without a postal-code row",
         [](TTestKonverter& k) {
             k.PLZWirft = [] { throw EInvalidCity(QStringLiteral("Stadt nicht gefunden")); };
         },
         QStringLiteral("Stadt nicht gefunden.")},
        {"search fails",
         [](TTestKonverter& k) {
             k.SucheWirft = [] { throw EFehler(QStringLiteral("Tabelle leer!")); };
         },
         QStringLiteral("Tabelle leer!")},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.was);
        TTestKonverter& k = *engine;
        k.SucheWirft = nullptr;
        k.PLZWirft = nullptr;
        fall.vorbereiten(k);
        MeldungsRekorder meldungen;
        Klick(Qt::LeftButton, QPoint(62, 440));
        ASSERT_EQ(meldungen.Meldungen.size(), 1u);
        EXPECT_EQ(meldungen.Meldungen[0].Text, fall.meldung);
        EXPECT_EQ(meldungen.Meldungen[0].Titel, QStringLiteral("Tropfwerk 2003"));
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->CloseResult(), 0);
        EXPECT_TRUE(dialog->SelectedPLZ().isEmpty());
        EXPECT_TRUE(Rueckrufe.empty());
    }
    {
        // without a loaded engine the click is refused with a message
        SCOPED_TRACE("no engine");
        ASSERT_FALSE(PLZConverter);
        TfrmKarteDialog ohne(PLZConverterOderErsatz());
        ohne.SetCloseCallback([this](int ergebnis) { Rueckrufe.push_back(ergebnis); });
        ohne.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&ohne));
        MeldungsRekorder meldungen;
        QTest::mouseClick(ohne.iKarte, Qt::LeftButton, {}, QPoint(62, 440));
        ASSERT_EQ(meldungen.Meldungen.size(), 1u);
        EXPECT_EQ(meldungen.Meldungen[0].Text, QStringLiteral("Postleitzahlen nicht geladen."));
        EXPECT_TRUE(ohne.isVisible());
        EXPECT_EQ(ohne.CloseResult(), 0);
        EXPECT_TRUE(Rueckrufe.empty());
        ohne.SetCloseCallback({});
    }
    // Once the engine answers again, the next click chooses.
    engine->SucheWirft = nullptr;
    engine->PLZWirft = nullptr;
    Klick(Qt::LeftButton, QPoint(62, 440));
    EXPECT_EQ(dialog->CloseResult(), 1);
    EXPECT_EQ(Rueckrufe, std::vector<int>{1});
}

TEST_F(KartenDialog, ClosingWithoutAChoiceReportsTwo)
{
    struct Fall {
        const char* was;
        std::function<void(TfrmKarteDialog&)> schliessen;
    };
    const Fall faelle[] = {
        {"close box", [](TfrmKarteDialog& d) { d.windowHandle()->close(); }},
        {"close()", [](TfrmKarteDialog& d) { d.close(); }},
        {"Escape", [](TfrmKarteDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.was);
        Rueckrufe.clear();
        QPointer<TfrmKarteDialog> d = new TfrmKarteDialog(*engine);
        d->SetCloseCallback([&](int ergebnis) {
            Rueckrufe.push_back(ergebnis);
            EXPECT_TRUE(d->SelectedPLZ().isEmpty());
            d->deleteLater();
        });
        d->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(d));
        fall.schliessen(*d);
        ASSERT_FALSE(d.isNull());
        EXPECT_EQ(d->CloseResult(), 2);
        EXPECT_TRUE(d->SelectedPLZ().isEmpty());
        EXPECT_EQ(Rueckrufe, std::vector<int>{2});
        // The owner released it in its callback.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(d.isNull());
    }
}

TEST_F(KartenDialog, WithoutCallbackTheWindowReleasesItself)
{
    QPointer<TfrmKarteDialog> frei = new TfrmKarteDialog(*engine);
    frei->show();
    frei->close();
    EXPECT_EQ(frei->CloseResult(), 2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frei.isNull());

    frei = new TfrmKarteDialog(*engine);
    frei->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frei));
    QTest::mouseClick(frei->iKarte, Qt::LeftButton, {}, QPoint(278, 110));
    EXPECT_EQ(engine->Pixel.size(), 1u);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frei.isNull());

    // With a callback the owner releases it, not the window.
    dialog->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(dialog.isNull());
}
