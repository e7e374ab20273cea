// The calculator: its three formats over a folder of cases with the shipped products, a bad
// file among good ones, the coverage curve and money figures, and the wrong calls.
#include "../support/beispiel.h"
#include "model/berechnung.h"
#include "model/berechnungsdatei.h"
#include "rechner.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Lauf {
    int status = -1;
    QString aus, fehler;
};

Lauf Rechne(const QStringList& argumente)
{
    Lauf lauf;
    QTextStream aus(&lauf.aus);
    QTextStream fehler(&lauf.fehler);
    lauf.status = FuehreRechnerAus(argumente, QStringLiteral(TW_DATENORDNER), aus, fehler);
    return lauf;
}

// Two cases and a broken file in a folder: 4 persons with a water-saving toilet and a washing
// machine under 100 m² of roof (the worked example: Volumen 3,168 m³), and a hand-entered
// curve without demand.
class Rechner : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ordner.isValid());
        TParameterSatz haus = Beispiel();
        haus.PLZ = QStringLiteral("14195");
        SpeichereBerechnung(ordner.filePath(QStringLiteral("a Haus.tropfwerk")), haus);
        TParameterSatz leer;
        InitParameterSatz(leer);
        SpeichereBerechnung(ordner.filePath(QStringLiteral("b leer.tropfwerk")), leer);
        QFile kaputt(ordner.filePath(QStringLiteral("c kaputt.tropfwerk")));
        ASSERT_TRUE(kaputt.open(QIODevice::WriteOnly));
        kaputt.write("{\"format\": \"Tropfwerk-Berechnung\", \"version\": 1}");
    }
    QTemporaryDir ordner;
};

} // namespace

TEST_F(Rechner, DreiFormateUndEineKaputteDatei)
{
    const Lauf text = Rechne({ordner.path()});
    EXPECT_EQ(text.status, 1);
    EXPECT_TRUE(text.fehler.startsWith(
        QStringLiteral("Die Datei „%1“ ist keine gültige Berechnung: "
                       "das Feld „parametersatz“ fehlt.")
            .arg(QDir::toNativeSeparators(ordner.filePath(QStringLiteral("c kaputt.tropfwerk"))))))
        << text.fehler.toStdString();
    for (const char* zeile :
         {"Postleitzahl:         14195", "Jahresniederschlag:   0,715 m",
          "Ertrag:               57,92 m³/Jahr", "Bedarf:               52,80 m³/Jahr",
          "Volumen:              3,17 m³", "Deckungsrate:         109,69 %",
          "(Niederschlag von Hand eingegeben)", "Empfohlene Zisternen: keine"})
        EXPECT_TRUE(text.aus.contains(QString::fromUtf8(zeile))) << zeile << "\n"
                                                                 << text.aus.toStdString();

    const Lauf json = Rechne({QStringLiteral("--format"), QStringLiteral("json"), ordner.path()});
    EXPECT_EQ(json.status, 1);
    QJsonParseError fehler{};
    const QJsonArray faelle = QJsonDocument::fromJson(json.aus.toUtf8(), &fehler).array();
    ASSERT_EQ(fehler.error, QJsonParseError::NoError) << json.aus.toStdString();
    ASSERT_EQ(faelle.size(), 2);
    const QJsonObject haus = faelle[0].toObject();
    EXPECT_TRUE(haus[u"Datei"].toString().endsWith(u"a Haus.tropfwerk"));
    EXPECT_DOUBLE_EQ(haus[u"Ertrag"].toDouble(), 57.915);
    EXPECT_DOUBLE_EQ(haus[u"Bedarf"].toDouble(), 52.8);
    EXPECT_DOUBLE_EQ(haus[u"Volumen"].toDouble(), 3.168);
    EXPECT_DOUBLE_EQ(haus[u"Rate"].toDouble(), 109.6875);
    const QJsonArray produkte = haus[u"Produkte"].toArray();
    ASSERT_FALSE(produkte.isEmpty());
    for (const QJsonValue p : produkte) {
        const double volumen = p[u"Volumen"].toDouble();
        EXPECT_GE(volumen, 2.66);
        EXPECT_LE(volumen, 3.67);
        EXPECT_FALSE(p[u"Hersteller"].toString().isEmpty());
        EXPECT_GT(p[u"Preis"].toDouble(), 0);
    }
    EXPECT_TRUE(faelle[1][u"Produkte"].toArray().isEmpty());

    const Lauf csv = Rechne(
        {QStringLiteral("--format=csv"), ordner.filePath(QStringLiteral("a Haus.tropfwerk"))});
    EXPECT_EQ(csv.status, 0);
    EXPECT_TRUE(csv.fehler.isEmpty());
    const QStringList zeilen = csv.aus.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(zeilen.size(), produkte.size() + 1);
    EXPECT_EQ(zeilen[0], QStringLiteral("Datei,PLZ,Niederschlag,Ertrag,Bedarf,Volumen,Rate,"
                                        "Hersteller,Produkt,Produktvolumen,Preis,"
                                        "Deckung,Regenwasser,Ersparnis,Amortisation"));
    EXPECT_TRUE(zeilen[1].contains(QStringLiteral(",14195,0.715,57.915,52.8,3.168,109.6875,")))
        << zeilen[1].toStdString();
}

TEST_F(Rechner, KurveUndWirtschaftlichkeit)
{
    const QString haus = ordner.filePath(QStringLiteral("a Haus.tropfwerk"));
    const QString leer = ordner.filePath(QStringLiteral("b leer.tropfwerk"));
    const auto json = [](QStringList argumente) {
        argumente.prepend(QStringLiteral("--format=json"));
        const Lauf lauf = Rechne(argumente);
        EXPECT_EQ(lauf.status, 0) << lauf.fehler.toStdString();
        return QJsonDocument::fromJson(lauf.aus.toUtf8()).array();
    };

    // The same house before and after another site: the same weather, the same curve.
    const QJsonArray faelle = json({QStringLiteral("--kurve"), haus, leer, haus});
    ASSERT_EQ(faelle.size(), 3);
    EXPECT_EQ(faelle[0][u"Kurve"], faelle[2][u"Kurve"]);
    EXPECT_EQ(faelle[0][u"Knick"], faelle[2][u"Knick"]);
    for (const QJsonValue fall : faelle) {
        const QJsonArray kurve = fall[u"Kurve"].toArray();
        ASSERT_GE(kurve.size(), 41);
        EXPECT_EQ(kurve[0][u"Volumen"].toDouble(-1), 0);
        for (qsizetype i = 1; i < kurve.size(); ++i) {
            EXPECT_GT(kurve[i][u"Volumen"].toDouble(), kurve[i - 1][u"Volumen"].toDouble());
            EXPECT_GE(kurve[i][u"Deckung"].toDouble(), kurve[i - 1][u"Deckung"].toDouble() - 1e-12);
            EXPECT_LE(kurve[i][u"Ueberlauf"].toDouble(),
                      kurve[i - 1][u"Ueberlauf"].toDouble() + 1e-12);
        }
    }
    // The house has its knee; without demand there is none, and no sentence names a volume.
    EXPECT_TRUE(faelle[0][u"Knick"].isDouble());
    EXPECT_TRUE(faelle[1][u"Knick"].isNull());
    EXPECT_FALSE(Rechne({QStringLiteral("--kurve"), leer}).aus.contains(u"Ab "));
    const QJsonArray kurve = faelle[0][u"Kurve"].toArray();
    EXPECT_GT(kurve.last()[u"Deckung"].toDouble(), 0.3);
    EXPECT_LT(kurve.last()[u"Deckung"].toDouble(), 1);

    // Without --kurve no curve; the text names the knee in German.
    EXPECT_FALSE(json({haus})[0].toObject().contains(u"Kurve"));
    const Lauf text = Rechne({QStringLiteral("--kurve"), haus});
    QString knick = QStringLiteral("im berechneten Bereich");
    if (faelle[0][u"Knick"].isDouble()) {
        QString zahl = QString::number(faelle[0][u"Knick"].toDouble(), 'f', 2).replace(u'.', u',');
        while (zahl.endsWith(u'0'))
            zahl.chop(1);
        if (zahl.endsWith(u','))
            zahl.chop(1);
        knick = QStringLiteral("Ab %1 m³ bringt jeder weitere Kubikmeter weniger als 1 "
                               "Prozentpunkt Regenwasseranteil.")
                    .arg(zahl);
    }
    EXPECT_TRUE(text.aus.contains(u"Deckungskurve:") &&
                text.aus.contains(knick, Qt::CaseInsensitive))
        << knick.toStdString() << "\n"
        << text.aus.toStdString();

    // Saving = rainwater × (water price − pump) − maintenance + fee; payback = (price +
    // installation) / saving, never without a saving. The file's money inputs replace the
    // defaults, and an option replaces the file's value.
    TParameterSatz mitGeld = LadeBerechnung(haus);
    mitGeld.Kosten = TKosten{3, 0.75L, 40, 1500, 6};
    const QString geldDatei = ordner.filePath(QStringLiteral("Geld.tropfwerk"));
    SpeichereBerechnung(geldDatei, mitGeld);
    struct Geld {
        QStringList argumente;
        bool geldInDatei;
        double wasserpreis, pumpe, wartung, einbau, gebuehr;
    };
    const Geld faelleGeld[] = {
        {{}, false, 2.10, 0.25, 50, 2500, 0},
        {{QStringLiteral("--wasserpreis"), QStringLiteral("3,5"), QStringLiteral("--pumpe=0.5"),
          QStringLiteral("--wartung"), QStringLiteral("20"), QStringLiteral("--einbau"),
          QStringLiteral("1000"), QStringLiteral("--gebuehr"), QStringLiteral("12,5")},
         false,
         3.5,
         0.5,
         20,
         1000,
         12.5},
        {{QStringLiteral("--wasserpreis"), QStringLiteral("0")}, false, 0, 0.25, 50, 2500, 0},
        {{}, true, 3, 0.75, 40, 1500, 6},
        {{QStringLiteral("--wartung=30"), QStringLiteral("--wasserpreis"), QStringLiteral("4.5")},
         true,
         4.5,
         0.75,
         30,
         1500,
         6}};
    const QJsonArray vorgabe = faelle[0][u"Produkte"].toArray();
    ASSERT_FALSE(vorgabe.isEmpty());
    for (const Geld& g : faelleGeld) {
        SCOPED_TRACE(g.argumente.join(u' ').toStdString());
        const QJsonArray produkte =
            json(g.argumente + QStringList{g.geldInDatei ? geldDatei : haus})[0][u"Produkte"]
                .toArray();
        ASSERT_EQ(produkte.size(), vorgabe.size());
        for (qsizetype i = 0; i < produkte.size(); ++i) {
            const QJsonValue p = produkte[i];
            const double deckung = p[u"Deckung"].toDouble(-1);
            EXPECT_EQ(deckung, vorgabe[i][u"Deckung"].toDouble());
            EXPECT_GT(deckung, 0);
            EXPECT_LT(deckung, 1);
            const double regen = deckung * 52.8;
            EXPECT_NEAR(p[u"Regenwasser"].toDouble(), regen, 1e-9);
            const double ersparnis = regen * (g.wasserpreis - g.pumpe) - g.wartung + g.gebuehr;
            EXPECT_NEAR(p[u"Ersparnis"].toDouble(), ersparnis, 1e-9);
            if (ersparnis > 0)
                EXPECT_NEAR(p[u"Amortisation"].toDouble(),
                            (p[u"Preis"].toDouble() + g.einbau) / ersparnis, 1e-9);
            else
                EXPECT_TRUE(p[u"Amortisation"].isNull());
        }
    }
}

TEST(RechnerAufruf, FalscheAufrufeGebenDieUebersichtUndStatus2)
{
    const QStringList falsch[] = {
        {},
        {QStringLiteral("--format")},
        {QStringLiteral("--format"), QStringLiteral("xml"), QStringLiteral("a")},
        {QStringLiteral("--kurz"), QStringLiteral("a")},
        {QStringLiteral("--daten"), QStringLiteral("x")},
        {QStringLiteral("--wasserpreis"), QStringLiteral("2,1x"), QStringLiteral("a")},
        {QStringLiteral("--pumpe"), QStringLiteral("-0,1"), QStringLiteral("a")},
        {QStringLiteral("--wartung=1.000,5"), QStringLiteral("a")},
        {QStringLiteral("--einbau=1000000.01"), QStringLiteral("a")},
        {QStringLiteral("a"), QStringLiteral("--einbau")}};
    for (const QStringList& argumente : falsch) {
        SCOPED_TRACE(argumente.join(u' ').toStdString());
        const Lauf lauf = Rechne(argumente);
        EXPECT_EQ(lauf.status, 2);
        EXPECT_TRUE(lauf.fehler.contains(u"Aufruf: tropfwerk-rechner"))
            << lauf.fehler.toStdString();
        EXPECT_TRUE(lauf.aus.isEmpty());
    }
    const Lauf hilfe = Rechne({QStringLiteral("--hilfe")});
    EXPECT_EQ(hilfe.status, 0);
    EXPECT_TRUE(hilfe.aus.startsWith(u"Aufruf: tropfwerk-rechner"));
}

// A product file that cannot be used: status 1, and the message says what is wrong with which
// file in which folder.
TEST(RechnerAufruf, ProduktdateiFehlerNennenOrdnerUndDatei)
{
    QTemporaryDir wurzel;
    ASSERT_TRUE(wurzel.isValid());
    const QDir w(wurzel.path());
    ASSERT_TRUE(w.mkpath(QStringLiteral("leer")) && w.mkpath(QStringLiteral("kurz")) &&
                w.mkpath(QStringLiteral("kaputt")));
    QFile original(QStringLiteral(TW_DATENORDNER "/Data3.cry"));
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray inhalt = original.readAll();
    const auto schreibe = [&w](const QString& datei, const QByteArray& bytes) {
        QFile f(w.filePath(datei));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    schreibe(QStringLiteral("kurz/Data3.cry"), inhalt.left(inhalt.size() / 2));
    QByteArray falsch = inhalt; // a valid container whose table stream is garbage
    falsch[20] = static_cast<char>(falsch[20] ^ 0x55);
    schreibe(QStringLiteral("kaputt/Data3.cry"), falsch);

    struct Fall {
        QStringList argumente;
        QString programmOrdner;
        QString meldung; // its beginning
    };
    const QString datei = QStringLiteral("x.tropfwerk");
    const Fall faelle[] = {
        {{QStringLiteral("--daten"), w.filePath(QStringLiteral("fehlt")), datei},
         {},
         QStringLiteral("Der Datenordner „%1“ existiert nicht; darin wird die Produktdatei "
                        "Data3.cry gesucht.")
             .arg(w.filePath(QStringLiteral("fehlt")))},
        {{QStringLiteral("--daten"), w.filePath(QStringLiteral("leer")), datei},
         {},
         QStringLiteral("Die Datei Data3.cry wurde nicht gefunden.\nGesucht in: „%1“.")
             .arg(w.filePath(QStringLiteral("leer")))},
        {{datei},
         w.filePath(QStringLiteral("leer")),
         QStringLiteral("Die Datei Data3.cry wurde nicht gefunden.\nGesucht in: „%1“, „")
             .arg(w.filePath(QStringLiteral("leer")))},
        {{QStringLiteral("--daten=") + w.filePath(QStringLiteral("kurz")), datei},
         {},
         QStringLiteral("Die Datei „%1“ ist unvollständig oder beschädigt.")
             .arg(w.filePath(QStringLiteral("kurz/Data3.cry")))},
        {{QStringLiteral("--daten"), w.filePath(QStringLiteral("kaputt")), datei},
         {},
         QStringLiteral("Die Datei Data3.cry enthält keine gültige Tabelle")},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.argumente.join(u' ').toStdString());
        QString aus, fehler;
        QTextStream ausStrom(&aus), fehlerStrom(&fehler);
        EXPECT_EQ(FuehreRechnerAus(fall.argumente, fall.programmOrdner, ausStrom, fehlerStrom), 1);
        EXPECT_TRUE(fehler.startsWith(fall.meldung)) << fehler.toStdString();
        EXPECT_TRUE(fehler.contains(u"Data3.cry")) << fehler.toStdString();
        EXPECT_TRUE(fehler.contains(w.path())) << fehler.toStdString();
        EXPECT_TRUE(aus.isEmpty());
    }
}

// The program itself in a script's hands: every loss is exit 1 with a German message naming what
// was lost, and the good files are still computed. Runs as an ordinary user (nobody) where the
// tests run as root, so that a file without read permission is unreadable.
TEST(RechnerProgramm, VerlusteGebenStatus1UndEineMeldung)
{
    QStringList vorne;
    if (::geteuid() == 0) {
        const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        if (setpriv.isEmpty())
            GTEST_SKIP() << "runs as root and setpriv is missing: no unreadable file possible";
        vorne = {setpriv, QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                 QStringLiteral("--clear-groups"), QStringLiteral("--")};
    }
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    QFile::setPermissions(tmp.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ReadOther | QFile::ExeOther);
    const QDir ordner(tmp.path());
    const QString gut = ordner.filePath(QStringLiteral("gut.tropfwerk"));
    SpeichereBerechnung(gut, Beispiel());
    QFile::setPermissions(gut, QFile::ReadOwner | QFile::ReadOther);
    const QString gesperrt = ordner.filePath(QStringLiteral("gesperrt.tropfwerk"));
    SpeichereBerechnung(gesperrt, Beispiel());
    QFile::setPermissions(gesperrt, QFile::WriteOwner);
    ASSERT_EQ(
        ::symlink("fehlt", QFile::encodeName(ordner.filePath(QStringLiteral("tot.tropfwerk")))), 0);
    const QString fifo = ordner.filePath(QStringLiteral("fifo.tropfwerk"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    ASSERT_TRUE(QFile::copy(gut, QFile::decodeName(QFile::encodeName(tmp.path()) + "/a")));
    ASSERT_EQ(::rename(QFile::encodeName(ordner.filePath(QStringLiteral("a"))).constData(),
                       (QFile::encodeName(tmp.path()) + "/\xff.tropfwerk").constData()),
              0);
    ASSERT_TRUE(ordner.mkpath(QStringLiteral("leer")));
    ASSERT_TRUE(ordner.mkpath(QStringLiteral("x.tropfwerk")));
    const auto name = [&](const char* datei) {
        return QDir::toNativeSeparators(ordner.filePath(QString::fromUtf8(datei)));
    };

    const struct {
        QStringList argumente;
        const char* ausgabe; // file for stdout, else read
        QStringList meldungen;
        bool gutBerechnet;
    } faelle[] = {
        {{gut},
         "/dev/full",
         {QStringLiteral("Die Ausgabe konnte nicht vollständig geschrieben werden (kein "
                         "Speicherplatz mehr auf dem Gerät).")},
         false},
        {{fifo},
         nullptr,
         {QStringLiteral("Die Datei „%1“ kann nicht gelesen werden (keine reguläre Datei).")
              .arg(name("fifo.tropfwerk"))},
         false},
        {{tmp.path()},
         nullptr,
         {QStringLiteral("Die Datei „%1“ kann nicht gelesen werden (Zugriff verweigert).")
              .arg(name("gesperrt.tropfwerk")),
          QStringLiteral("Die Datei „%1“ kann nicht gelesen werden (Datei oder Ordner nicht "
                         "gefunden).")
              .arg(name("tot.tropfwerk")),
          QStringLiteral("Die Datei „%1“ kann nicht gelesen werden (keine reguläre Datei).")
              .arg(name("fifo.tropfwerk")),
          QStringLiteral("Die Datei „%1“ kann nicht gelesen werden (ist ein Ordner).")
              .arg(name("x.tropfwerk")),
          QStringLiteral(".tropfwerk“ kann nicht gelesen werden (ihr Name ist kein gültiges "
                         "UTF-8).")},
         true},
        {{ordner.filePath(QStringLiteral("leer")), gut},
         nullptr,
         {QStringLiteral("Der Ordner „%1“ enthält keine Berechnungsdateien (*.tropfwerk).")
              .arg(name("leer"))},
         true},
        {{ordner.filePath(QStringLiteral("x.tropfwerk"))},
         nullptr,
         {QStringLiteral("„%1“ ist ein Ordner, keine Berechnungsdatei.").arg(name("x.tropfwerk"))},
         false},
        {{QStringLiteral("--daten"), ordner.filePath(QStringLiteral("leer")), gut},
         nullptr,
         {QStringLiteral("Data3.cry")},
         false},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.argumente.join(u' ').toStdString());
        QProcess rechner;
        if (f.ausgabe)
            rechner.setStandardOutputFile(QString::fromUtf8(f.ausgabe));
        const QStringList aufruf = vorne + QStringList{QStringLiteral(TW_RECHNER)} + f.argumente;
        rechner.start(aufruf.first(), aufruf.mid(1));
        ASSERT_TRUE(rechner.waitForFinished(60000)) << "hangs";
        EXPECT_EQ(rechner.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(rechner.exitCode(), 1);
        const QString fehler = QString::fromUtf8(rechner.readAllStandardError());
        for (const QString& meldung : f.meldungen)
            EXPECT_TRUE(fehler.contains(meldung)) << meldung.toStdString() << "\n"
                                                  << fehler.toStdString();
        EXPECT_EQ(QString::fromUtf8(rechner.readAllStandardOutput()).contains(u"gut.tropfwerk"),
                  f.gutBerechnet);
    }
}
