// Start-up: data-file check, splash window, and the help window's pages.
#include "../support/modal.h"
#include "../support/rekorder.h"
#include "app/hauptfenster.h"
#include "app/logo.h"
#include "app/start.h"
#include "app/startpruefung.h"
#include "refdata/datendatei.h"
#include "ui/fehleranzeige.h"
#include "ui/hilfe.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <gtest/gtest.h>
#include <new>

namespace {
void Anlegen(const QDir& dir, std::initializer_list<const char*> namen)
{
    for (const char* name : namen) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
}

QString Text(const char* datei)
{
    return QStringLiteral("Die Datei %1 wurde nicht gefunden. Die Anwendung wird beendet.")
        .arg(QString::fromLatin1(datei));
}
} // namespace

TEST(StartPruefung, OneBoxPerMissingFileInOrder)
{
    struct Fall {
        std::initializer_list<const char*> vorhanden;
        std::vector<const char*> gemeldet;
    };
    const Fall faelle[] = {
        {{"Data1.cry", "Data2.cry", "Data3.cry"}, {}},
        {{"Data1.cry", "Data2.cry"}, {"Data3.cry"}},
        {{}, {"Data1.cry", "Data2.cry", "Data3.cry"}},
        {{"Data2.cry"}, {"Data1.cry", "Data3.cry"}},
    };
    for (const Fall& fall : faelle) {
        QTemporaryDir ordner;
        ASSERT_TRUE(ordner.isValid());
        Anlegen(QDir(ordner.path()), fall.vorhanden);
        MeldungsRekorder meldungen;
        EXPECT_EQ(PruefeDatendateien(QDir(ordner.path())), fall.gemeldet.empty());
        ASSERT_EQ(meldungen.Meldungen.size(), fall.gemeldet.size());
        for (size_t i = 0; i < fall.gemeldet.size(); ++i) {
            const Meldung& m = meldungen.Meldungen[i];
            EXPECT_EQ(m.Text, Text(fall.gemeldet[i]));
            EXPECT_EQ(m.Titel, QStringLiteral("Schwerer Fehler"));
            EXPECT_EQ(m.Symbol, QMessageBox::Critical);
            EXPECT_EQ(m.Besitzer, nullptr);
        }
    }
}

TEST(StartPruefung, ProgramEndsWithoutWindowWhenAFileIsMissing)
{
    QTemporaryDir ordner;
    ASSERT_TRUE(ordner.isValid());
    Anlegen(QDir(ordner.path()), {"Data1.cry", "Data2.cry"});
    const QString vorher = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(ordner.path()));
    MeldungsRekorder meldungen;
    const int status = ProgrammStart();
    QDir::setCurrent(vorher);
    EXPECT_NE(status, 0);
    ASSERT_EQ(meldungen.Meldungen.size(), 1u);
    EXPECT_EQ(meldungen.Meldungen[0].Text, Text("Data3.cry"));
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
}

TEST(StartPruefung, FailureWhileReadingADataFileIsItsFatalError)
{
    struct Beendet {
        int status;
    };
    const BeendenFunktion altesEnde =
        SetzeBeendenFunktion([](int status) { throw Beendet{status}; });
    const TSpeicherHaken alterHaken =
        SetzeSpeicherHaken([](qint64) -> void { throw std::bad_alloc(); });
    const QString vorher = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QStringLiteral(TW_DATENORDNER)));
    MeldungsRekorder meldungen;
    int status = 0;
    try {
        ProgrammStart();
    } catch (const Beendet& b) {
        status = b.status;
    }
    QDir::setCurrent(vorher);
    SetzeSpeicherHaken(alterHaken);
    SetzeBeendenFunktion(altesEnde);
    EXPECT_NE(status, 0);
    ASSERT_EQ(meldungen.Meldungen.size(), 1u);
    EXPECT_EQ(meldungen.Meldungen[0].Text,
              QStringLiteral("Fehler beim Zugriff auf Data2.cry. Die Anwendung wird beendet."));
    EXPECT_EQ(meldungen.Meldungen[0].Titel, QStringLiteral("Schwerer Fehler"));
    EXPECT_EQ(meldungen.Meldungen[0].Symbol, QMessageBox::Critical);
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
}

TEST(Splash, LayoutAndTimer)
{
    TfrmLogo splash;
    EXPECT_EQ(splash.windowTitle(), QStringLiteral("Tropfwerk 2003"));
    EXPECT_EQ(splash.size(), QSize(511, 191));
    EXPECT_EQ(splash.tDelay->interval(), 2000);
    EXPECT_TRUE(splash.tDelay->isActive());
    EXPECT_FALSE(splash.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(splash.windowFlags() & Qt::WindowMinimizeButtonHint);
}

TEST(Splash, CannotBeClosedEarlyAndClosesItselfAfterTwoSeconds)
{
    QElapsedTimer uhr;
    bool warNochOffen = false;
    QTimer versuch;
    versuch.setSingleShot(true);
    QObject::connect(&versuch, &QTimer::timeout, [&] {
        auto* splash = qobject_cast<TfrmLogo*>(QApplication::activeModalWidget());
        ASSERT_NE(splash, nullptr);
        splash->close();
        splash->reject();
        QTest::keyClick(splash, Qt::Key_Escape);
        QTest::keyClick(splash, Qt::Key_F4, Qt::AltModifier);
        warNochOffen = splash->isVisible();
    });
    versuch.start(300);
    uhr.start();
    TfrmMain fenster(true); // shows the splash modally, then itself
    const qint64 dauer = uhr.elapsed();
    EXPECT_TRUE(warNochOffen);
    EXPECT_GE(dauer, 1900);
    EXPECT_TRUE(fenster.isVisible());
    EXPECT_TRUE(fenster.findChildren<TfrmLogo*>().isEmpty()); // released after closing
}

TEST(Hilfe, EveryContextHasAPage)
{
    for (int kontext : {0, 10, 20, 30, 40}) {
        EXPECT_TRUE(QFile::exists(HilfeSeite(HilfeDatei::Anwendung, kontext))) << kontext;
    }
    for (int kontext : {0, 10})
        EXPECT_TRUE(QFile::exists(HilfeSeite(HilfeDatei::Information, kontext))) << kontext;
}

TEST(Hilfe, WindowShowsTheContextPage)
{
    THilfeFenster fenster(HilfeDatei::Anwendung);
    fenster.ZeigeKontext(30);
    EXPECT_EQ(fenster.windowTitle(), QStringLiteral("Tropfwerk 2003 Hilfe"));
    EXPECT_EQ(fenster.Browser()->documentTitle(), QStringLiteral("Die Experteneingabe"));
    fenster.ZeigeKontext(10);
    EXPECT_EQ(fenster.Browser()->documentTitle(), QStringLiteral("Das Hauptfenster"));
}
