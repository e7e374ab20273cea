// Start-up: data-file search, command line, splash window, and the help window's pages.
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
    ASSERT_TRUE(dir.mkpath(QStringLiteral(".")));
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

// Sets or clears an environment variable for the life of the object.
class TUmgebung {
public:
    TUmgebung(const char* name, const QString& wert)
        : m_name(name), m_alt(qgetenv(name)), m_war(qEnvironmentVariableIsSet(name))
    {
        if (wert.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, wert.toLocal8Bit());
    }
    ~TUmgebung()
    {
        if (m_war)
            qputenv(m_name, m_alt);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    QByteArray m_alt;
    bool m_war;
};
} // namespace

// The data search order: an explicit folder alone (option or environment), else the program's
// folder, then the installed data folder beside it. Without a complete folder one box per file
// missing from the most complete one, naming the folders searched.
TEST(StartPruefung, SearchOrderAndOneBoxPerMissingFile)
{
    using Namen = std::initializer_list<const char*>;
    const Namen alle = {"Data1.cry", "Data2.cry", "Data3.cry"};
    struct Fall {
        const char* name;
        Namen explizit, programm, installiert;
        const char* option;   // --daten, relative to the root
        const char* umgebung; // TROPFWERK_DATEN, relative to the root
        const char* gefunden; // relative to the root; nullptr: none
        std::vector<const char*> gemeldet;
        std::vector<const char*> gesucht; // the first folders named, relative to the root
    };
    const Fall faelle[] = {
        {"option before program folder", alle, alle, alle, "explizit", nullptr, "explizit", {}, {}},
        {"environment before program folder",
         alle,
         alle,
         {},
         nullptr,
         "explizit",
         "explizit",
         {},
         {}},
        {"explicit folder alone",
         {"Data1.cry", "Data2.cry"},
         alle,
         alle,
         "explizit",
         nullptr,
         nullptr,
         {"Data3.cry"},
         {"explizit"}},
        {"explicit folder, two missing",
         {"Data2.cry"},
         {},
         {},
         "explizit",
         nullptr,
         nullptr,
         {"Data1.cry", "Data3.cry"},
         {"explizit"}},
        {"program folder", {}, alle, alle, nullptr, nullptr, "bin", {}, {}},
        {"installed folder", {}, {"Data1.cry"}, alle, nullptr, nullptr, "share/tropfwerk", {}, {}},
        {"split over two folders",
         {},
         {"Data1.cry", "Data2.cry"},
         {"Data3.cry"},
         nullptr,
         nullptr,
         nullptr,
         {"Data3.cry"},
         {"bin", "share/tropfwerk"}},
        {"none",
         {},
         {},
         {},
         nullptr,
         nullptr,
         nullptr,
         {"Data1.cry", "Data2.cry", "Data3.cry"},
         {"bin", "share/tropfwerk"}},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        QTemporaryDir wurzel;
        ASSERT_TRUE(wurzel.isValid());
        const QDir w(wurzel.path());
        const auto pfad = [&w](const char* relativ) {
            return relativ ? w.filePath(QString::fromLatin1(relativ)) : QString();
        };
        Anlegen(QDir(pfad("explizit")), fall.explizit);
        Anlegen(QDir(pfad("bin")), fall.programm);
        Anlegen(QDir(pfad("share/tropfwerk")), fall.installiert);
        const TUmgebung umgebung("TROPFWERK_DATEN", pfad(fall.umgebung));

        MeldungsRekorder meldungen;
        EXPECT_EQ(SucheDatenordner(pfad(fall.option), pfad("bin")), pfad(fall.gefunden));
        ASSERT_EQ(meldungen.Meldungen.size(), fall.gemeldet.size());
        QStringList gesucht;
        for (const char* ordner : fall.gesucht)
            gesucht << u'„' + pfad(ordner) + u'“';
        for (size_t i = 0; i < fall.gemeldet.size(); ++i) {
            const Meldung& m = meldungen.Meldungen[i];
            EXPECT_TRUE(m.Text.startsWith(Text(fall.gemeldet[i]) +
                                          QStringLiteral("\nGesucht in: ") +
                                          gesucht.join(QStringLiteral(", "))))
                << m.Text.toStdString();
            EXPECT_EQ(m.Text.count(u'„'), fall.option ? 1 : 3) << m.Text.toStdString();
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
    MeldungsRekorder meldungen;
    const int status = ProgrammStart({}, ordner.path());
    EXPECT_NE(status, 0);
    ASSERT_EQ(meldungen.Meldungen.size(), 1u);
    EXPECT_EQ(meldungen.Meldungen[0].Text,
              Text("Data3.cry") + QStringLiteral("\nGesucht in: „%1“.").arg(ordner.path()));
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
}

// What the command line asks for; --hilfe and --version without a display are checked on the
// installed program.
TEST(Befehlszeile, OptionsFilesAndWrongCalls)
{
    struct Fall {
        QStringList argumente;
        bool ende;
        int status;
        const char* textAnfang;
        QString datenordner;
        QStringList dateien;
    };
    const Fall faelle[] = {
        {{}, false, 0, "", {}, {}},
        {{"Haus 1.tropfwerk"}, false, 0, "", {}, {"Haus 1.tropfwerk"}},
        {{"--daten", "/d", "a.tropfwerk", "b"}, false, 0, "", "/d", {"a.tropfwerk", "b"}},
        {{"--daten=/d", "--", "-a.tropfwerk"}, false, 0, "", "/d", {"-a.tropfwerk"}},
        {{"--hilfe"}, true, 0, "Aufruf: tropfwerk [--daten ORDNER] [DATEI]\n", {}, {}},
        {{"-h", "a"}, true, 0, "Aufruf: tropfwerk", {}, {}},
        {{"--help"}, true, 0, "Aufruf: tropfwerk", {}, {}},
        {{"--version"}, true, 0, "Tropfwerk 2003 1.", {}, {}},
        {{"a", "--unsinn"}, true, 2, "Unbekannte Option „--unsinn“.\nAufruf: tropfwerk", {}, {}},
        {{"-x"}, true, 2, "Unbekannte Option „-x“.\nAufruf: tropfwerk", {}, {}},
        {{"--daten"}, true, 2, "--daten braucht einen Ordner", {}, {}},
        {{"--version=2"}, true, 2, "--daten braucht einen Ordner", {}, {}},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.argumente.join(u' ').toStdString());
        const TBefehlszeile zeile = LiesBefehlszeile(fall.argumente);
        EXPECT_EQ(zeile.Ende, fall.ende);
        EXPECT_EQ(zeile.Status, fall.status);
        const QString anfang = QString::fromUtf8(fall.textAnfang);
        EXPECT_EQ(zeile.Text.left(anfang.size()), anfang);
        EXPECT_EQ(zeile.Text.isEmpty(), !fall.ende);
        EXPECT_EQ(zeile.Datenordner, fall.datenordner);
        EXPECT_EQ(zeile.Dateien, fall.dateien);
    }
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
    MeldungsRekorder meldungen;
    int status = 0;
    try {
        ProgrammStart({}, QStringLiteral(TW_DATENORDNER));
    } catch (const Beendet& b) {
        status = b.status;
    }
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
