// The central error handler: errors escaping event handlers are shown and the program goes on.
#include "../support/rekorder.h"
#include "model/fehler.h"
#include "ui/fehleranzeige.h"
#include "ui/fehlerwaechter.h"

#include <QDialog>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {
struct Beendet {
    int status;
};
void BeendenWerfen(int status)
{
    throw Beendet{status};
}

QStringList s_warnungen;
void MerkeWarnung(QtMsgType, const QMessageLogContext&, const QString& text)
{
    s_warnungen << text;
}
} // namespace

TEST(ZentralerFehler, ErrorFromAClickIsShownWithTitleAndFullStop)
{
    struct Fall {
        std::function<void()> werfen;
        QString erwartet;
    };
    const Fall faelle[] = {
        {[] { throw EInvalidPLZ(QStringLiteral("ungültige Postleitzahl")); },
         QStringLiteral("ungültige Postleitzahl.")},
        {[] { throw EFehler(QStringLiteral("Ende!")); }, QStringLiteral("Ende!")},
        {[] { throw EInvalidValueException(QStringLiteral("Wert 5")); }, QStringLiteral("Wert 5.")},
        {[] { throw std::runtime_error("plain"); }, QStringLiteral("plain.")},
    };
    // Through the guard of the slots, and through the application's last resort.
    for (const bool bewacht : {true, false})
        for (const Fall& fall : faelle) {
            SCOPED_TRACE(bewacht ? "bewacht" : "notify");
            MeldungsRekorder meldungen;
            QDialog fenster;
            auto* knopf = new QPushButton(QStringLiteral("Los"), &fenster);
            if (bewacht)
                VerbindeBewacht(knopf, &QPushButton::clicked, &fenster, fall.werfen);
            else
                QObject::connect(knopf, &QPushButton::clicked, fall.werfen);
            fenster.show();
            s_warnungen.clear();
            const QtMessageHandler alterHandler = qInstallMessageHandler(MerkeWarnung);
            QTest::mouseClick(knopf, Qt::LeftButton);
            qInstallMessageHandler(alterHandler);
            EXPECT_FALSE(knopf->isDown());
            // The button finished its own release handling: nothing unwound through it.
            if (bewacht) {
                EXPECT_TRUE(s_warnungen.isEmpty()) << s_warnungen.join(u'\n').toStdString();
            }
            ASSERT_EQ(meldungen.Meldungen.size(), 1u);
            EXPECT_EQ(meldungen.Meldungen[0].Text, fall.erwartet);
            EXPECT_EQ(meldungen.Meldungen[0].Titel, QStringLiteral("Tropfwerk 2003"));
            EXPECT_EQ(meldungen.Meldungen[0].Symbol, QMessageBox::Critical);
            EXPECT_TRUE(fenster.isVisible()); // the window stays open
            // and keeps working
            QTest::mouseClick(knopf, Qt::LeftButton);
            EXPECT_EQ(meldungen.Meldungen.size(), 2u);
        }
}

TEST(ZentralerFehler, FatalErrorEndsTheProgramWithItsCaption)
{
    MeldungsRekorder meldungen;
    const BeendenFunktion alt = SetzeBeendenFunktion(BeendenWerfen);
    try {
        ZeigeUnbehandeltenFehler(ESchwererFehler(
            QStringLiteral("Fehler beim Zugriff auf Data3.cry. Die Anwendung wird beendet.")));
        FAIL() << "did not end";
    } catch (const Beendet& b) {
        EXPECT_NE(b.status, 0);
    }
    SetzeBeendenFunktion(alt);
    ASSERT_EQ(meldungen.Meldungen.size(), 1u);
    EXPECT_EQ(meldungen.Meldungen[0].Titel, QStringLiteral("Schwerer Fehler"));
    EXPECT_EQ(meldungen.Meldungen[0].Text,
              QStringLiteral("Fehler beim Zugriff auf Data3.cry. Die Anwendung wird beendet."));
}
