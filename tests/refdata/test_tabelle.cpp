// In-memory table, Windows-1252 codec, CSV and binary table streams, item model and products.
#include "model/fehler.h"
#include "refdata/binaerstrom.h"
#include "refdata/cp1252.h"
#include "refdata/crypter.h"
#include "refdata/csvstrom.h"
#include "refdata/datendatei.h"
#include "refdata/produkte.h"
#include "refdata/tabelle.h"
#include "refdata/tabellenmodell.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>
#include <random>

namespace {

QByteArray LiesTestdatei(const char* name)
{
    QFile f(QStringLiteral(TW_TESTDATEN "/") + QString::fromLatin1(name));
    if (!f.open(QIODevice::ReadOnly))
        ADD_FAILURE() << "cannot open " << name;
    return f.readAll();
}

// Message of the EFehler that `f` raises; empty when it raises none.
QString Meldung(const std::function<void()>& f)
{
    try {
        f();
    } catch (const EFehler& e) {
        return e.Meldung();
    }
    return {};
}

long double Zahl(const TWert& w)
{
    EXPECT_TRUE(std::holds_alternative<long double>(w)) << "index " << w.index();
    return std::holds_alternative<long double>(w) ? std::get<long double>(w) : -1e300L;
}

qint64 Ganz(const TWert& w)
{
    EXPECT_TRUE(std::holds_alternative<qint64>(w)) << "index " << w.index();
    return std::holds_alternative<qint64>(w) ? std::get<qint64>(w) : -999999;
}

QString Text(const TWert& w)
{
    EXPECT_TRUE(std::holds_alternative<QString>(w)) << "index " << w.index();
    return std::holds_alternative<QString>(w) ? std::get<QString>(w)
                                              : QStringLiteral("<kein Text>");
}

// --- Windows-1252

TEST(Cp1252, DecodesEveryByteAndTheSpecialsOf80To9F)
{
    QByteArray alle;
    for (int b = 0; b < 256; ++b)
        alle.append(static_cast<char>(b));
    const QString t = cp1252::Dekodiere(alle);
    ASSERT_EQ(t.size(), 256);
    for (int b = 0; b < 0x80; ++b)
        EXPECT_EQ(t[b].unicode(), b);
    for (int b = 0xA0; b < 0x100; ++b)
        EXPECT_EQ(t[b].unicode(), b);
    const std::pair<int, char16_t> besondere[] = {
        {0x80, 0x20AC}, {0x81, 0x0081}, {0x82, 0x201A}, {0x83, 0x0192}, {0x84, 0x201E},
        {0x85, 0x2026}, {0x86, 0x2020}, {0x87, 0x2021}, {0x88, 0x02C6}, {0x89, 0x2030},
        {0x8A, 0x0160}, {0x8B, 0x2039}, {0x8C, 0x0152}, {0x8D, 0x008D}, {0x8E, 0x017D},
        {0x8F, 0x008F}, {0x90, 0x0090}, {0x91, 0x2018}, {0x92, 0x2019}, {0x93, 0x201C},
        {0x94, 0x201D}, {0x95, 0x2022}, {0x96, 0x2013}, {0x97, 0x2014}, {0x98, 0x02DC},
        {0x99, 0x2122}, {0x9A, 0x0161}, {0x9B, 0x203A}, {0x9C, 0x0153}, {0x9D, 0x009D},
        {0x9E, 0x017E}, {0x9F, 0x0178}};
    for (const auto& [byte, zeichen] : besondere)
        EXPECT_EQ(t[byte].unicode(), zeichen) << std::hex << byte;
    // exact both ways
    EXPECT_EQ(cp1252::Kodiere(t), alle);
}

TEST(Cp1252, RefusesWhatItCannotHold)
{
    const struct {
        QString text;
        qsizetype fremd;
    } faelle[] = {
        {QStringLiteral("Grüße €"), -1},
        {QStringLiteral("abc\u0100"), 3},            // Ā
        {QStringLiteral("x\u0080"), 1},              // the byte 0x80 is the euro sign
        {QStringLiteral("\u0085"), 0},               // 0x85 is the ellipsis
        {QString::fromUtf8("a\xF0\x9F\x98\x80"), 1}, // outside the BMP
    };
    for (const auto& f : faelle) {
        EXPECT_EQ(cp1252::ErstesFremdesZeichen(f.text), f.fremd) << f.text.toStdString();
        if (f.fremd >= 0) {
            EXPECT_FALSE(Meldung([&] { cp1252::Kodiere(f.text); }).isEmpty());
            EXPECT_EQ(cp1252::KodiereErsetzend(f.text).at(f.fremd), '?');
        }
    }
    EXPECT_EQ(Meldung([] { cp1252::Kodiere(u"A\u0100"); }),
              QStringLiteral("Das Zeichen U+0100 in \"A\u0100\" lässt sich nicht in "
                             "Windows-1252 schreiben."));
    EXPECT_EQ(Meldung([] { cp1252::Kodiere(QString::fromUtf8("\xF0\x9F\x98\x80")); }).left(17),
              QStringLiteral("Das Zeichen U+1F6"));
}

// --- CSV table stream

TEST(CsvStrom, ReadsTheSamplePayload)
{
    TTabelle t;
    t.LadeCsv(LiesTestdatei("sample-csv.payload"));
    ASSERT_EQ(t.FeldAnzahl(), 4);
    EXPECT_EQ(t.Feld(0).Name, "Station");
    EXPECT_EQ(t.Feld(0).Typ, TFeldTyp::String);
    EXPECT_EQ(t.Feld(0).Groesse, 40);
    EXPECT_EQ(t.Feld(1).Typ, TFeldTyp::Float);
    EXPECT_EQ(t.Feld(2).Name, "Mae");
    EXPECT_EQ(t.Feld(3).Typ, TFeldTyp::Integer);
    for (const TFeld& f : t.Felder()) {
        EXPECT_EQ(f.Anzeigename, f.Name);
        EXPECT_EQ(f.Anzeigebreite, 10);
        EXPECT_EQ(f.Art, TFeldArt::Data);
        EXPECT_FALSE(f.Pflicht);
    }
    ASSERT_EQ(t.Anzahl(), 3);
    EXPECT_EQ(Text(t.Wert(0, 0)), QStringLiteral("K\u00F6ln-Bonn"));
    EXPECT_EQ(Zahl(t.Wert(0, 1)), 62.5L);
    EXPECT_EQ(Zahl(t.Wert(0, 2)), 58.0L);
    EXPECT_EQ(Ganz(t.Wert(0, 3)), 1);
    EXPECT_EQ(Text(t.Wert(1, 0)), QStringLiteral("Bad \"Quelle\" 100%"));
    EXPECT_EQ(Zahl(t.Wert(1, 1)), 70.25L);
    EXPECT_TRUE(IstNull(t.Wert(1, 2)));
    EXPECT_EQ(Ganz(t.Wert(1, 3)), 2);
    EXPECT_EQ(Text(t.Wert(2, 0)), QStringLiteral("Zugspitze"));
    EXPECT_EQ(Zahl(t.Wert(2, 1)), 180.0L);
    EXPECT_EQ(Zahl(t.Wert(2, 2)), 190.5L);
    EXPECT_TRUE(IstNull(t.Wert(2, 3)));
    EXPECT_EQ(t.Anzeigetext(1, 1), "70,25");
    EXPECT_EQ(t.Anzeigetext(1, 2), "");
}

// The stream's decimal point holds while the process runs with German number formats. The
// test command provides the locale and names it in TROPFWERK_TEST_LOCALE; there it must work.
TEST(CsvStrom, ReadsPointNumbersUnderAGermanLocale)
{
    const std::string vorher = std::setlocale(LC_ALL, nullptr);
    const char* verlangt = std::getenv("TROPFWERK_TEST_LOCALE");
    if (!std::setlocale(LC_ALL, verlangt ? verlangt : "de_DE.UTF-8")) {
        if (verlangt)
            FAIL() << "locale " << verlangt << " is not usable";
        GTEST_SKIP() << "German locale not installed";
    }
    const std::string komma = std::localeconv()->decimal_point;
    TTabelle t;
    const QString fehler = Meldung([&] { t.LadeCsv(LiesTestdatei("sample-csv.payload")); });
    std::setlocale(LC_ALL, vorher.c_str());
    EXPECT_EQ(komma, ",");
    EXPECT_EQ(fehler, QString());
    ASSERT_EQ(t.Anzahl(), 3);
    EXPECT_EQ(Zahl(t.Wert(1, 1)), 70.25L);
    EXPECT_EQ(Zahl(t.Wert(2, 2)), 190.5L);
}

// Definitions of two fields "Name" (String) and "Wert" (Float) with these labels.
QByteArray Definitionen(const char* nameLabel = "Name", const char* wertLabel = "Wert")
{
    return QByteArray("\"@@TABLEDEF START@@\",\r\n\"Name=String,20,\"\"") + nameLabel +
           "\"\",\"\"\"\",10,Data,\"\"\"\"\",\r\n\"Wert=Float,0,\"\"" + wertLabel +
           "\"\",\"\"\"\",10,Data,\"\"\"\"\",\r\n\"@@TABLEDEF END@@\",\r\n";
}

TEST(CsvStrom, MatchesHeaderColumnsByLabelIgnoringCaseOfAToZ)
{
    const struct {
        const char* kopf;
        const char* zeile;
        const char* name; // nullptr: NULL
        const char* wert;
    } faelle[] = {
        {"\"NAME\",\"wErT\",", "\"a\",1.5,", "a", "1.5"},
        {"\"Wert\",\"Name\",", "2,\"b\",", "b", "2"},                     // columns in any order
        {"\"Name\",\"Unbekannt\",\"Wert\",", "\"c\",\"x\",3,", "c", "3"}, // unknown skipped
        {"\"Name\",", "\"d\",", "d", nullptr},                            // field no column names
        {"\"Name\",\"Wert\",", "\"e\",", "e", nullptr},                   // short line
        {"\"Name\",\"Name\",\"Wert\",", "\"f\",\"g\",4,", "f", "4"},      // first column wins
        {"Name,Wert", "h,5", "h", "5"},              // unquoted, no trailing comma
        {"\"Name\",\"Wert\",", ",6,", nullptr, "6"}, // NULL text
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.kopf);
        TTabelle t;
        t.LadeCsv(Definitionen() + f.kopf + "\r\n" + f.zeile + "\r\n");
        ASSERT_EQ(t.Anzahl(), 1);
        if (f.name)
            EXPECT_EQ(Text(t.Wert(0, 0)), QString::fromLatin1(f.name));
        else
            EXPECT_TRUE(IstNull(t.Wert(0, 0)));
        if (f.wert)
            EXPECT_EQ(Zahl(t.Wert(0, 1)), std::stold(f.wert));
        else
            EXPECT_TRUE(IstNull(t.Wert(0, 1)));
    }
    // only a to z fold: "Ä" and "ä" differ
    TTabelle t;
    t.LadeCsv(Definitionen("\xC4rger") + "\"\xE4RGER\",\"Wert\",\r\n\"x\",1,\r\n");
    EXPECT_TRUE(IstNull(t.Wert(0, 0)));
    t.LadeCsv(Definitionen("\xC4rger") + "\"\xC4RGER\",\r\n\"x\",\r\n");
    EXPECT_EQ(Text(t.Wert(0, 0)), "x");
}

TEST(CsvStrom, ValuesQuotesNullsAndEscapes)
{
    const struct {
        QByteArray zeile;
        TWert name;
    } faelle[] = {
        {"\"\",", QString("")},                               // empty text is not NULL
        {",", TWert{}},                                       // empty unquoted is NULL
        {"\"a\"\"b\",", QString("a\"b")},                     // doubled quote
        {"\"a,b\",", QString("a,b")},                         // comma inside quotes
        {"\"%%%0%c%n\",", QString::fromLatin1("%\0\r\n", 4)}, // the four escapes
        {"\"50%x%\",", QString("50%x%")},                     // other % stays
        {"unquoted %% text,", QString("unquoted % text")},
        {"\"open", QString("open")},                // quote never closed
        {"\"a\"b,", QString("ab")},                 // text after closing quote
        {"\"\xFC\x80\",", QString::fromUtf8("ü€")}, // Windows-1252
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.zeile.toStdString());
        TTabelle t;
        t.LadeCsv(Definitionen() + "\"Name\",\"Wert\",\r\n" + f.zeile + "\r\n");
        ASSERT_EQ(t.Anzahl(), 1);
        EXPECT_EQ(t.Wert(0, 0), f.name);
    }
}

TEST(CsvStrom, AnyRunOfCrLfAndZeroBytesEndsOneLine)
{
    static const char mitNullen[] = "\"Name\",\"Wert\",\r\n\r\n\n\"a\",1,\0\0\r\n\"b\",2,\0";
    const QByteArray zeilen[] = {
        "\"Name\",\"Wert\",\r\n\"a\",1,\r\n\"b\",2,\r\n",
        "\"Name\",\"Wert\",\n\"a\",1,\r\r\r\"b\",2,",
        QByteArray(mitNullen, sizeof mitNullen - 1),
    };
    for (const QByteArray& z : zeilen) {
        QByteArray strom = Definitionen();
        strom.replace("\r\n", QByteArray("\n\0", 2));
        strom += z;
        TTabelle t;
        t.LadeCsv(strom);
        ASSERT_EQ(t.Anzahl(), 2);
        EXPECT_EQ(Text(t.Wert(1, 0)), "b");
        EXPECT_EQ(Zahl(t.Wert(1, 1)), 2.0L);
    }
}

TEST(CsvStrom, DefinitionLines)
{
    const auto lade = [](const QByteArray& def) {
        return LiesCsvStrom("\"@@TABLEDEF START@@\",\r\n" + def + "\r\n\"@@TABLEDEF END@@\",\r\n");
    };
    // label with comma and blanks, flags, kind and default
    TTabellenInhalt i = lade("\"ID=Integer,0,\"\"Nr, laufend\"\",\"\"\"\",7,REQ,RO,INV,Calculated,"
                             "\"\"1 + 1\"\"\",");
    ASSERT_EQ(i.Felder.size(), 1u);
    const TFeld& f = i.Felder[0];
    EXPECT_EQ(f.Name, "ID");
    EXPECT_EQ(f.Typ, TFeldTyp::Integer);
    EXPECT_EQ(f.Anzeigename, "Nr, laufend");
    EXPECT_EQ(f.Anzeigebreite, 7);
    EXPECT_TRUE(f.Pflicht);
    EXPECT_TRUE(f.NurLesen);
    EXPECT_TRUE(f.Versteckt);
    EXPECT_EQ(f.Art, TFeldArt::Calculated);
    EXPECT_EQ(f.Vorgabe, "1 + 1");

    // six items: the sixth is the kind; fewer: Data; blanks separate unquoted items
    EXPECT_EQ(lade("\"A=String,5,\"\"L\"\",\"\"\"\",10,Lookup\"").Felder[0].Art, TFeldArt::Lookup);
    EXPECT_EQ(lade("\"A=Float\"").Felder[0].Art, TFeldArt::Data);
    const TFeld b = lade("\"A=String 12 Lab\"").Felder[0];
    EXPECT_EQ(b.Groesse, 12);
    EXPECT_EQ(b.Anzeigename, "Lab");
    // the name runs to the first equals sign
    EXPECT_EQ(Meldung([&] { lade("\"a=b=Memo\""); }),
              "Unbekannter Feldtyp (b=Memo) in der CSV Datei. (a=b=Memo)");
}

TEST(CsvStrom, TypeVocabulary)
{
    const struct {
        const char* name;
        TWertArt art;
    } typen[] = {
        {"String", TWertArt::Text},
        {"SmallInt", TWertArt::Ganzzahl},
        {"Integer", TWertArt::Ganzzahl},
        {"Word", TWertArt::Ganzzahl},
        {"Boolean", TWertArt::Logisch},
        {"Float", TWertArt::Gleitkomma},
        {"Currency", TWertArt::Gleitkomma},
        {"BCD", TWertArt::Gleitkomma},
        {"Date", TWertArt::Gleitkomma},
        {"Time", TWertArt::Gleitkomma},
        {"DateTime", TWertArt::Gleitkomma},
        {"Bytes", TWertArt::Bytes},
        {"VarBytes", TWertArt::Bytes},
        {"AutoInc", TWertArt::Ganzzahl},
        {"Blob", TWertArt::Bytes},
        {"Memo", TWertArt::Text},
        {"Graphic", TWertArt::Bytes},
        {"FmtMemo", TWertArt::Text},
        {"ParadoxOle", TWertArt::Bytes},
        {"dBaseOle", TWertArt::Bytes},
        {"TypedBinary", TWertArt::Bytes},
        {"FixedChar", TWertArt::Text},
        {"LargeInt", TWertArt::Ganzzahl},
        {"ADT", TWertArt::Bytes},
        {"Array", TWertArt::Bytes},
        {"HugeBlob", TWertArt::Bytes},
        {"HugeClob", TWertArt::Text},
        {"SQLTimeStamp", TWertArt::Gleitkomma},
        {"FMTBcdField", TWertArt::Gleitkomma},
    };
    for (const auto& t : typen) {
        SCOPED_TRACE(t.name);
        const auto typ = FeldTypAusName(QString::fromLatin1(t.name));
        ASSERT_TRUE(typ);
        EXPECT_EQ(FeldTypName(*typ), QString::fromLatin1(t.name));
        EXPECT_EQ(WertArtVon(*typ), t.art);
        const TTabellenInhalt i =
            LiesCsvStrom("\"@@TABLEDEF START@@\",\r\n\"F=" + QByteArray(t.name) + ",0\",\r\n");
        EXPECT_EQ(i.Felder.at(0).Typ, *typ);
    }
    EXPECT_FALSE(FeldTypAusName(u"string"));
    EXPECT_FALSE(FeldTypAusName(u"WideString"));
}

TEST(CsvStrom, RefusedStreams)
{
    const QByteArray kopf = "\"@@TABLEDEF START@@\",\r\n";
    const struct {
        QByteArray strom;
        const char* meldung;
    } faelle[] = {
        {kopf + "\"Feld=Strang,10,\"\"F\"\"\",\r\n\"@@TABLEDEF END@@\",\r\n",
         "Unbekannter Feldtyp (Strang) in der CSV Datei. (Feld=Strang,10,\"F\")"},
        {kopf + "\"Feld=,10\",\r\n", "Unbekannter Feldtyp () in der CSV Datei. (Feld=,10)"},
        {"", "Die CSV Datei enthält keine Felddefinitionen."},
        {QByteArray("\r\n\0\n", 4), "Die CSV Datei enthält keine Felddefinitionen."},
        {"\"Name\",\"Wert\",\r\n\"a\",1,\r\n", "Die CSV Datei enthält keine Felddefinitionen."},
        {"\"@@FILE VERSION@@\",\"251\",\r\n\"@@TABLEDEF START@@\",\r\n\"@@TABLEDEF END@@\","
         "\r\n\"x\",\r\n",
         "Die CSV Datei enthält keine Felddefinitionen."},
        {kopf + "\"ohne Gleichheitszeichen\",\r\n",
         "Ungültige Felddefinition in der CSV Datei. (ohne Gleichheitszeichen)"},
        {kopf + "\"A=String,zehn\",\r\n",
         "Ungültige Feldgröße (zehn) in der CSV Datei. (A=String,zehn)"},
        {kopf + "\"A=String,1,\"\"\"\",\"\"\"\",1,Daten\",\r\n",
         "Unbekannte Feldart (Daten) in der CSV Datei. (A=String,1,\"\",\"\",1,Daten)"},
        // values that do not convert to their field
        {Definitionen() + "\"Name\",\"Wert\",\r\n\"a\",1.5.,\r\n",
         "Ungültiger Wert für das Feld Wert (1.5.)"},
        {Definitionen() + "\"Name\",\"Wert\",\r\n\"a\",\"1,5\",\r\n",
         "Ungültiger Wert für das Feld Wert (1,5)"},
        {Definitionen() + "\"Name\",\"Wert\",\r\n\"a\",zwei,\r\n",
         "Ungültiger Wert für das Feld Wert (zwei)"},
        {Definitionen() + "\"Name\",\"Wert\",\r\n\"a\",inf,\r\n",
         "Ungültiger Wert für das Feld Wert (inf)"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.strom.toStdString());
        TTabelle t;
        EXPECT_EQ(Meldung([&] { t.LadeCsv(f.strom); }), QString::fromUtf8(f.meldung));
    }
}

TEST(CsvStrom, ConvertsByFieldType)
{
    const QByteArray strom =
        "\"@@TABLEDEF START@@\",\r\n\"S=SmallInt,0\",\r\n\"W=Word,0\",\r\n\"I=Integer,0\",\r\n"
        "\"L=LargeInt,0\",\r\n\"B=Boolean,0\",\r\n\"D=Date,0\",\r\n\"T=Time,0\",\r\n"
        "\"DT=DateTime,0\",\r\n\"G=Graphic,0\",\r\n\"C=Currency,0\",\r\n"
        "\"@@INDEXDEF START@@\",\r\n\"was auch immer\",\r\n\"@@INDEXDEF END@@\",\r\n"
        "\"@@TABLEDEF END@@\",\r\n"
        "S,W,I,L,B,D,T,DT,G,C,\r\n"
        "-32768,65535,-2147483648,-9223372036854775808,True,30/12/1899,00:00:00,"
        "01/01/2000 12:00:00,\"B%0M\",1e2,\r\n"
        "+7,0,2147483647,9223372036854775807,true,24/12/2003,23:59:59,24/12/2003,\"\",0.05,\r\n";
    TTabelle t;
    t.LadeCsv(strom);
    ASSERT_EQ(t.Anzahl(), 2);
    EXPECT_EQ(Ganz(t.Wert(0, 0)), -32768);
    EXPECT_EQ(Ganz(t.Wert(0, 1)), 65535);
    EXPECT_EQ(Ganz(t.Wert(0, 2)), INT32_MIN);
    EXPECT_EQ(Ganz(t.Wert(0, 3)), INT64_MIN);
    EXPECT_EQ(t.Wert(0, 4), TWert(true));
    EXPECT_EQ(Zahl(t.Wert(0, 5)), 0.0L);
    EXPECT_EQ(Zahl(t.Wert(0, 6)), 0.0L);
    EXPECT_EQ(Zahl(t.Wert(0, 7)), 36526.5L);
    EXPECT_EQ(t.Wert(0, 8), TWert(QByteArray("B\0M", 3)));
    EXPECT_EQ(Zahl(t.Wert(0, 9)), 100.0L);
    EXPECT_EQ(Ganz(t.Wert(1, 0)), 7);
    EXPECT_EQ(Ganz(t.Wert(1, 3)), INT64_MAX);
    EXPECT_EQ(t.Wert(1, 4), TWert(false)); // only exactly "True" is true
    EXPECT_EQ(Zahl(t.Wert(1, 5)), 37979.0L);
    EXPECT_EQ(Zahl(t.Wert(1, 6)), 86399.0L / 86400.0L);
    EXPECT_EQ(t.Wert(1, 8), TWert(QByteArray()));
    EXPECT_EQ(Zahl(t.Wert(1, 9)), 0.05L);
    EXPECT_EQ(t.Anzeigetext(1, 5), "24.12.2003");
    EXPECT_EQ(t.Anzeigetext(0, 7), "01.01.2000 12:00:00");
    EXPECT_EQ(t.Anzeigetext(1, 6), "23:59:59");
    EXPECT_EQ(t.Anzeigetext(0, 4), "True");

    const struct {
        const char* feld;
        const char* wert;
    } falsch[] = {
        {"S", "32768"},      {"W", "-1"},       {"I", "2147483648"},          {"I", "1.0"},
        {"I", " 1"},         {"I", "0x10"},     {"L", "9223372036854775808"}, {"D", "31/02/2003"},
        {"D", "2003-12-24"}, {"T", "24:00:00"}, {"DT", "24/12/2003 1:2"},     {"C", "1.5e99999"}};
    const QByteArray defs = strom.left(strom.indexOf("S,W,"));
    for (const auto& f : falsch) {
        SCOPED_TRACE(f.wert);
        TTabelle u;
        EXPECT_EQ(Meldung([&] { u.LadeCsv(defs + f.feld + "\r\n" + f.wert + "\r\n"); }),
                  QStringLiteral("Ungültiger Wert für das Feld %1 (%2)")
                      .arg(QLatin1String(f.feld), QLatin1String(f.wert)));
    }
}

TEST(CsvStrom, OnlyDataFieldsReceiveValues)
{
    TTabelle t;
    t.LadeCsv(
        "\"@@TABLEDEF START@@\",\r\n\"A=String,5,\"\"A\"\",\"\"\"\",10,Calculated,\"\"\"\"\",\r\n"
        "\"B=String,5\",\r\n\"@@TABLEDEF END@@\",\r\n\"A\",\"B\",\r\n\"x\",\"y\",\r\n");
    ASSERT_EQ(t.Anzahl(), 1);
    EXPECT_TRUE(IstNull(t.Wert(0, 0)));
    EXPECT_EQ(Text(t.Wert(0, 1)), "y");
}

TEST(CsvStrom, WriterOutputAndRoundTrip)
{
    TTabelle t;
    TFeld name = FeldDefinition("Name", TFeldTyp::String, 20);
    name.Anzeigename = QStringLiteral("Bezeichnung \"kurz\"");
    name.Pflicht = true;
    TFeld wert = FeldDefinition("Wert", TFeldTyp::Float);
    wert.NurLesen = true;
    t.DefiniereFelder(
        {name, wert, FeldDefinition("Anzahl", TFeldTyp::Integer),
         FeldDefinition("Ja", TFeldTyp::Boolean), FeldDefinition("Tag", TFeldTyp::DateTime),
         FeldDefinition("Roh", TFeldTyp::Blob), FeldDefinition("Gross", TFeldTyp::LargeInt),
         FeldDefinition("Zeit", TFeldTyp::SQLTimeStamp)});
    t.ZeileAnhaengen({QStringLiteral("a,\"b\"\r\n%\0€ü"), 53.628L, qint64(-3), true, 38000.25L,
                      QByteArray("\0\x01\xFF\"%", 5), INT64_MIN, 1.5L});
    t.ZeileAnhaengen({QString(""), TWert{}, TWert{}, false, TWert{}, QByteArray(), qint64(0)});
    t.ZeileAnhaengen({TWert{}, 0.1L, qint64(7), TWert{}, 2.0L, TWert{}, TWert{}, TWert{}});
    const QByteArray csv = SchreibeCsv(t);
    EXPECT_TRUE(csv.startsWith("\"@@FILE VERSION@@\",\"251\",\r\n\"@@TABLEDEF START@@\",\r\n"
                               "\"Name=String,20,\"\"Bezeichnung \"\"\"\"kurz\"\"\"\"\"\",\"\"\"\","
                               "10,REQ,Data,\"\"\"\"\",\r\n\"Wert=Float,0,\"\"\"\",\"\"\"\",10,RO,"
                               "Data,\"\"\"\"\",\r\n"))
        << csv.toStdString();
    EXPECT_TRUE(csv.contains("\"@@TABLEDEF END@@\",\r\n\"Bezeichnung \"\"kurz\"\"\",\"Wert\","
                             "\"Anzahl\",\"Ja\",\"Tag\",\"Roh\",\"Gross\",\"Zeit\",\r\n"));
    EXPECT_TRUE(csv.contains("\"a,\"\"b\"\"%c%n%%%0\x80\xFC\",53.628,-3,True,"
                             "14/01/2004 06:00:00,\"%0\x01\xFF\"\"%%\",-9223372036854775808,"
                             "31/12/1899 12:00:00,\r\n"))
        << csv.toStdString();
    EXPECT_TRUE(csv.contains("\r\n\"\",,,False,,\"\",0,,\r\n"));
    EXPECT_TRUE(csv.endsWith("\r\n,0.1,7,,01/01/1900 00:00:00,,,,\r\n"));

    TTabelle u;
    u.LadeCsv(csv);
    EXPECT_EQ(u.Felder(), t.Felder());
    ASSERT_EQ(u.Anzahl(), 3);
    for (int z = 0; z < 3; ++z)
        for (int f = 0; f < t.FeldAnzahl(); ++f)
            EXPECT_EQ(u.Wert(z, f), t.Wert(z, f)) << z << "/" << f;

    t.SetzeWert(0, 0, QStringLiteral("\u0100"));
    EXPECT_FALSE(Meldung([&] { SchreibeCsv(t); }).isEmpty());
}

// --- binary table stream

// Builds binary streams byte by byte.
struct TBau {
    QByteArray a;
    TBau& b(std::initializer_list<int> bytes)
    {
        for (int x : bytes)
            a.append(static_cast<char>(x));
        return *this;
    }
    TBau& s(const QByteArray& t)
    {
        a.append(char(0x06)).append(static_cast<char>(t.size())).append(t);
        return *this;
    }
    TBau& i(int w)
    {
        if (w >= -128 && w <= 127)
            return b({0x02, w & 0xFF});
        if (w >= -32768 && w <= 32767)
            return b({0x03, w & 0xFF, (w >> 8) & 0xFF});
        return b({0x04, w & 0xFF, (w >> 8) & 0xFF, (w >> 16) & 0xFF, (w >> 24) & 0xFF});
    }
    TBau& f(long double w)
    {
        a.append(char(0x05)).append(ExtendedBytes(w));
        return *this;
    }
    // Signature, version and one stored definition (with the parts of the version).
    TBau& kopf(int version, const QByteArray& typ = "String")
    {
        a = "TPF0";
        if (version != 100)
            i(version);
        b({0x01}).s("X").s(typ).i(10).s("X").s("").i(10).b({0x08, 0x08});
        if (version >= 250)
            s("Data");
        if (version >= 251)
            s("");
        b({0x00});
        if (version >= 200)
            b({0x01, 0x00});
        return *this;
    }
};

std::vector<TFeld> Zielfelder()
{
    return {FeldDefinition("ID", TFeldTyp::Integer), FeldDefinition("Name", TFeldTyp::String, 20),
            FeldDefinition("Wert", TFeldTyp::Float)};
}

TEST(BinaerStrom, ReadsTheSamplePayloadIntoTheProductTable)
{
    const auto mtProd = ErzeugeProduktTabelle();
    LadeProdukte(*mtProd, LiesTestdatei("sample-binary.payload"));
    TTabelle& t = *mtProd;
    ASSERT_EQ(t.Anzahl(), 2);
    EXPECT_EQ(Ganz(t.Wert(0, u"ID")), 1);
    EXPECT_EQ(Text(t.Wert(0, u"Hersteller")), "Muster GmbH");
    EXPECT_EQ(Text(t.Wert(0, u"Produkt")), "Flachtank 3000");
    EXPECT_EQ(Zahl(t.Wert(0, u"Volumen")), 3.0L);
    EXPECT_EQ(Zahl(t.Wert(0, u"Preis")), 1299.0L);
    const QString beschreibung = Text(t.Wert(0, u"Beschreibung"));
    EXPECT_EQ(beschreibung.size(), 336); // a long string (tag 0x0C), kept whole
    EXPECT_TRUE(beschreibung.startsWith(QStringLiteral("Flacher Erdtank für Gärten. Flacher")));
    EXPECT_EQ(Text(t.Wert(0, u"URL")), "muster.example.org");
    EXPECT_EQ(Text(t.Wert(0, u"Adresse")), "Musterweg 1\r\n12345 Musterstadt");
    const TWert& bild = t.Wert(0, u"Bild");
    ASSERT_TRUE(std::holds_alternative<QByteArray>(bild));
    EXPECT_EQ(std::get<QByteArray>(bild).size(), 302);
    EXPECT_TRUE(std::get<QByteArray>(bild).startsWith("BM"));
    // the record's older version ("alt") is skipped
    for (int f = 0; f < t.FeldAnzahl(); ++f)
        EXPECT_NE(t.Anzeigetext(0, f), "alt");

    EXPECT_EQ(Ganz(t.Wert(1, u"ID")), 2);
    EXPECT_EQ(Text(t.Wert(1, u"Produkt")), "Betonzisterne 4,8");
    EXPECT_EQ(Zahl(t.Wert(1, u"Volumen")), static_cast<long double>(4.8)); // stored as a double
    EXPECT_EQ(Zahl(t.Wert(1, u"Preis")), 2450.5L);
    EXPECT_EQ(Text(t.Wert(1, u"Beschreibung")), "Kurz");
    EXPECT_TRUE(IstNull(t.Wert(1, u"URL")));
    EXPECT_EQ(Text(t.Wert(1, u"Adresse")), "Adresse");
    EXPECT_TRUE(IstNull(t.Wert(1, u"Bild")));

    EXPECT_EQ(t.Anzeigetext(0, u"Volumen"), QStringLiteral("3,0 m³"));
    EXPECT_EQ(t.Anzeigetext(0, u"Preis"), "1299,00 EUR");
    EXPECT_EQ(t.Anzeigetext(1, u"Volumen"), QStringLiteral("4,8 m³"));
    EXPECT_EQ(t.Anzeigetext(1, u"Preis"), "2450,50 EUR");
    EXPECT_EQ(t.Anzeigetext(1, u"Bild"), "");

    // read with its own definitions: the nine product fields as stored
    const TTabellenInhalt eigen =
        LiesBinaerStromMitDefinitionen(LiesTestdatei("sample-binary.payload"));
    ASSERT_EQ(eigen.Felder.size(), 9u);
    EXPECT_EQ(eigen.Felder[5].Name, "Beschreibung");
    EXPECT_EQ(eigen.Felder[5].Groesse, 200);
    EXPECT_EQ(eigen.Felder[8].Typ, TFeldTyp::Graphic);
    EXPECT_EQ(eigen.Zeilen.size(), 2u);
}

TEST(BinaerStrom, EveryTruncationIsRefusedWithAMessage)
{
    const QByteArray strom = LiesTestdatei("sample-binary.payload");
    const auto felder = ErzeugeProduktTabelle()->Felder();
    for (qsizetype n = 0; n < strom.size(); ++n) {
        const QString m = Meldung([&] { LiesBinaerStrom(strom.first(n), felder); });
        EXPECT_EQ(m, n < 4 ? QStringLiteral("Ungültiges Stream-Format")
                           : QStringLiteral("Der Datenstrom der Tabelle endet unerwartet."))
            << n;
    }
}

TEST(BinaerStrom, RefusedStreams)
{
    const struct {
        QByteArray strom;
        const char* meldung;
    } faelle[] = {
        {"TPF1\x01\x00", "Ungültiges Stream-Format"},
        {"tpf0", "Ungültiges Stream-Format"},
        {TBau().kopf(251).a.replace("String", "Strang"), "Unbekannter Feldtyp (Strang)"},
        {TBau().b({'T', 'P', 'F', '0'}).i(99).a, "Ungültiges Stream-Format"},
        {TBau().b({'T', 'P', 'F', '0'}).i(252).a, "Ungültiges Stream-Format"},
        {TBau().b({'T', 'P', 'F', '0', 0x05}).a, "Ungültiger Eigenschaftswert"},
        {TBau().b({'T', 'P', 'F', '0'}).i(251).b({0x02}).a, "Ungültiger Eigenschaftswert"},
        // a definition whose name is an integer
        {TBau().b({'T', 'P', 'F', '0', 0x01}).i(5).a, "Ungültiger Eigenschaftswert"},
        // records must be a list
        {TBau().kopf(251).b({0x06, 0x00}).a, "Ungültiger Eigenschaftswert"},
        // a record of version 230 or later must be a list
        {TBau().kopf(251).b({0x01}).i(0).a, "Ungültiger Eigenschaftswert"},
        // integer expected, string found / unknown tag
        {TBau().kopf(251).b({0x01, 0x01}).i(0).b({0x08}).s("1").a, "Ungültiger Eigenschaftswert"},
        {TBau().kopf(251).b({0x01, 0x01}).i(0).b({0x08, 0x07}).a, "Ungültiger Eigenschaftswert"},
        // string expected, float found
        {TBau().kopf(251).b({0x01, 0x01}).i(0).b({0x08}).i(1).b({0x08}).f(1).a,
         "Ungültiger Eigenschaftswert"},
        // negative long-string length
        {TBau()
             .kopf(251)
             .b({0x01, 0x01})
             .i(0)
             .b({0x08})
             .i(1)
             .b({0x08, 0x0C, 0xFF, 0xFF, 0xFF, 0xFF})
             .a,
         "Ungültiger Eigenschaftswert"},
        // lengths beyond the end are refused before anything is allocated
        {TBau()
             .kopf(251)
             .b({0x01, 0x01})
             .i(0)
             .b({0x08})
             .i(1)
             .b({0x08, 0x0C, 0xFF, 0xFF, 0xFF, 0x7F})
             .a,
         "Der Datenstrom der Tabelle endet unerwartet."},
        {TBau()
             .kopf(251)
             .b({0x01, 0x01})
             .i(0)
             .b({0x08})
             .i(1)
             .b({0x08, 0x12, 0xFF, 0xFF, 0xFF, 0x7F})
             .a,
         "Der Datenstrom der Tabelle endet unerwartet."},
        // values that do not fit their field
        {TBau().kopf(251).b({0x01, 0x01}).i(0).b({0x08, 0x13, 0, 0, 0, 0, 1, 0, 0, 0}).a,
         "Ungültiger Wert für das Feld ID (4294967296)"},
        {TBau()
             .kopf(251)
             .b({0x01, 0x01})
             .i(0)
             .b({0x08})
             .i(1)
             .b({0x08})
             .s("a")
             .b({0x08})
             .b({0x05, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F})
             .a,
         "Ungültiger Wert für das Feld Wert (inf)"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.strom.toHex().toStdString());
        EXPECT_EQ(Meldung([&] { LiesBinaerStrom(f.strom, Zielfelder()); }),
                  QString::fromUtf8(f.meldung));
    }
}

TEST(BinaerStrom, VersionsSelectTheOptionalParts)
{
    TTabelle t;
    t.DefiniereFelder(Zielfelder());
    t.ZeileAnhaengen({qint64(300), QStringLiteral("Öl"), 2.5L});
    t.ZeileAnhaengen({qint64(-70000), TWert{}, TWert{}});
    const struct {
        int version;
        QByteArray anfang;
    } faelle[] = {
        {100, QByteArray("TPF0\x01\x06\x02ID", 9)},   {200, QByteArray("TPF0\x03\xC8\x00\x01", 8)},
        {230, QByteArray("TPF0\x03\xE6\x00\x01", 8)}, {249, QByteArray("TPF0\x03\xF9\x00\x01", 8)},
        {250, QByteArray("TPF0\x03\xFA\x00\x01", 8)}, {251, QByteArray("TPF0\x03\xFB\x00\x01", 8)},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.version);
        const QByteArray strom = SchreibeBinaer(t, f.version);
        EXPECT_TRUE(strom.startsWith(f.anfang)) << strom.toHex().toStdString();
        const std::vector<TZeile> zeilen = LiesBinaerStrom(strom, t.Felder());
        ASSERT_EQ(zeilen.size(), 2u);
        EXPECT_EQ(zeilen[0], t.GesamtZeile(0));
        EXPECT_EQ(Ganz(zeilen[1][0]), -70000);
        if (f.version >= 249) {
            EXPECT_EQ(zeilen[1], t.GesamtZeile(1));
        } else { // no null flags: NULL travels as the empty value
            EXPECT_EQ(zeilen[1][1], TWert(QString()));
            EXPECT_EQ(zeilen[1][2], TWert(0.0L));
        }
        // the stored definitions of every version read back
        const TTabellenInhalt eigen = LiesBinaerStromMitDefinitionen(strom);
        EXPECT_EQ(eigen.Felder.size(), 3u);
        EXPECT_EQ(eigen.Felder[1].Groesse, 20);
    }
    // smallest integer tags and the 0x0C long string
    TTabelle u;
    u.DefiniereFelder(
        {FeldDefinition("I", TFeldTyp::Integer), FeldDefinition("M", TFeldTyp::Memo)});
    u.ZeileAnhaengen({qint64(127), QString(256, u'x')});
    u.ZeileAnhaengen({qint64(-129), QString(255, u'y')});
    u.ZeileAnhaengen({qint64(32768), TWert{}});
    const QByteArray strom = SchreibeBinaer(u);
    EXPECT_TRUE(
        strom.contains(QByteArray("\x01\x02\x00\x08\x02\x7F\x08\x0C\x00\x01\x00\x00xx", 14)));
    EXPECT_TRUE(strom.contains(QByteArray("\x08\x03\x7F\xFF\x08\x06\xFFy", 8)));
    EXPECT_TRUE(strom.contains(QByteArray("\x08\x04\x00\x80\x00\x00\x09\x00\x00", 9)));
    EXPECT_TRUE(Meldung([&] { SchreibeBinaer(u, 99); }).contains(u"Version"));
}

TEST(BinaerStrom, OlderRecordVersionsAreSkipped)
{
    // version 251: a record list holding the content and two older states
    const QByteArray neu = TBau()
                               .kopf(251)
                               .b({0x01, 0x01})
                               .i(2)
                               .b({0x08})
                               .i(1)
                               .b({0x08})
                               .s("neu")
                               .b({0x09})
                               .i(1)
                               .b({0x08})
                               .i(1)
                               .b({0x08})
                               .s("alt")
                               .b({0x08})
                               .f(1)
                               .i(4)
                               .b({0x09, 0x09, 0x09})
                               .b({0x00})
                               .b({0x01, 0x00}) // a record without versions adds no row
                               .b({0x01})
                               .i(0)
                               .b({0x08})
                               .i(2)
                               .b({0x08})
                               .s("z")
                               .b({0x08})
                               .i(-3)
                               .b({0x00, 0x00})
                               .a;
    const auto zeilen = LiesBinaerStrom(neu, Zielfelder());
    ASSERT_EQ(zeilen.size(), 2u);
    EXPECT_EQ(zeilen[0], (TZeile{qint64(1), QString("neu"), TWert{}}));
    EXPECT_EQ(zeilen[1], (TZeile{qint64(2), QString("z"), -3.0L}));

    // version 240: record lists and states, no null flags
    const QByteArray mitListen = TBau()
                                     .kopf(240)
                                     .b({0x01, 0x01})
                                     .i(0)
                                     .i(5)
                                     .s("a")
                                     .f(0.5L)
                                     .i(0)
                                     .i(6)
                                     .s("b")
                                     .f(0.25L)
                                     .b({0x00, 0x00})
                                     .a;
    EXPECT_EQ(LiesBinaerStrom(mitListen, Zielfelder()),
              (std::vector<TZeile>{{qint64(5), QString("a"), 0.5L}}));

    // version 210: no record lists, one version per record
    const QByteArray ohneListen =
        TBau().kopf(210).b({0x01}).i(5).s("a").f(0.5L).i(6).s("b").i(7).b({0x00}).a;
    EXPECT_EQ(
        LiesBinaerStrom(ohneListen, Zielfelder()),
        (std::vector<TZeile>{{qint64(5), QString("a"), 0.5L}, {qint64(6), QString("b"), 7.0L}}));
    // without data fields such a record list could never end
    EXPECT_EQ(Meldung([&] {
                  LiesBinaerStrom(TBau().kopf(210).b({0x01, 0x02, 0x00}).a, std::vector<TFeld>{});
              }),
              "Ungültiger Eigenschaftswert");
}

TEST(BinaerStrom, ValuesByTheTargetFieldsType)
{
    std::vector<TFeld> felder = {
        FeldDefinition("F", TFeldTyp::Float),   FeldDefinition("B", TFeldTyp::Boolean),
        FeldDefinition("T", TFeldTyp::String),  FeldDefinition("W", TFeldTyp::Memo),
        FeldDefinition("D", TFeldTyp::Date),    FeldDefinition("L", TFeldTyp::LargeInt),
        FeldDefinition("G", TFeldTyp::Graphic), FeldDefinition("S", TFeldTyp::SmallInt)};
    const struct {
        QByteArray werte; // the eight entries of one record, each with its null flag
        TZeile erwartet;
    } faelle[] = {
        // floats given as integers; any tag but 0x09 is false; wide and UTF-8 strings
        {TBau()
             .b({0x08})
             .i(-5)
             .b({0x08, 0x09, 0x08, 0x12, 3, 0, 0, 0, 0xFC, 0, 0xAC, 0x20, 0x00, 0x01})
             .b({0x08, 0x14, 5, 0, 0, 0, 'a', 0xC3, 0xA4, 0xC4, 0x80})
             .b({0x08})
             .f(0)
             .b({0x08})
             .f(-4096)
             .b({0x08})
             .s(QByteArray("\x00\xFF", 2))
             .b({0x08})
             .i(-32768)
             .a,
         {-5.0L, true, QStringLiteral("ü€?"), QStringLiteral("aä?"), TWert{}, qint64(-4096),
          QByteArray("\x00\xFF", 2), qint64(-32768)}},
        {TBau()
             .b({0x08, 0x13, 1, 0, 0, 0, 0, 0, 0, 0x80, 0x08, 0x02, 0x08})
             .s("\x80")
             .b({0x08})
             .s("")
             .b({0x08})
             .f(37979)
             .b({0x09, 0x08})
             .s("")
             .b({0x09})
             .a,
         {static_cast<long double>(INT64_MIN + 1), false, QStringLiteral("€"), QString(""),
          37979.0L, TWert{}, QByteArray(""), TWert{}}},
    };
    for (const auto& f : faelle) {
        const QByteArray strom =
            TBau().kopf(251).b({0x01, 0x01}).i(0).a + f.werte + QByteArray("\x00\x00", 2);
        SCOPED_TRACE(strom.toHex().toStdString());
        const auto zeilen = LiesBinaerStrom(strom, felder);
        ASSERT_EQ(zeilen.size(), 1u);
        for (size_t i = 0; i < felder.size(); ++i)
            EXPECT_EQ(zeilen[0][i], f.erwartet[i]) << i;
    }
    const auto einWert = [](TFeldTyp typ, const QByteArray& wert) {
        return Meldung([&] {
            LiesBinaerStrom(TBau().kopf(251).b({0x01, 0x01}).i(0).b({0x08}).a + wert +
                                QByteArray("\x00\x00", 2),
                            {FeldDefinition("X", typ)});
        });
    };
    EXPECT_EQ(einWert(TFeldTyp::LargeInt, TBau().f(0.5L).a),
              "Ungültiger Wert für das Feld X (0.5)");
    EXPECT_EQ(einWert(TFeldTyp::LargeInt, TBau().f(9223372036854775808.0L).a),
              "Ungültiger Wert für das Feld X (9223372036854775808)");
    EXPECT_EQ(einWert(TFeldTyp::SmallInt, TBau().i(40000).a),
              "Ungültiger Wert für das Feld X (40000)");
    EXPECT_EQ(einWert(TFeldTyp::Word, TBau().i(-1).a), "Ungültiger Wert für das Feld X (-1)");
    EXPECT_EQ(einWert(TFeldTyp::Date, TBau().f(2958466).a),
              "Ungültiger Wert für das Feld X (2958466)");
    EXPECT_EQ(einWert(TFeldTyp::Integer, TBau().f(1).a), "Ungültiger Eigenschaftswert");
    EXPECT_EQ(einWert(TFeldTyp::Float, TBau().s("1").a), "Ungültiger Eigenschaftswert");
    EXPECT_EQ(einWert(TFeldTyp::FMTBcdField, TBau().s("1.25").a), "");
    EXPECT_EQ(einWert(TFeldTyp::FMTBcdField, TBau().s("x").a),
              "Ungültiger Wert für das Feld X (x)");
}

TEST(BinaerStrom, ExtendedValuesArePortable)
{
    const struct {
        long double wert;
        const char* hex; // significand little-endian, then sign and exponent
    } faelle[] = {
        {0.0L, "00000000000000000000"},
        {-0.0L, "00000000000000000080"},
        {1.0L, "0000000000000080ff3f"},
        {3.0L, "00000000000000c00040"},
        {-2.5L, "00000000000000a000c0"},
        {static_cast<long double>(4.8), "0098999999999999"
                                        "0140"},
        {LDBL_MIN, "00000000000000800100"},
        {LDBL_TRUE_MIN, "01000000000000000000"},
        {LDBL_MAX, "fffffffffffffffffe7f"},
        {std::numeric_limits<long double>::infinity(), "0000000000000080ff7f"},
        {-std::numeric_limits<long double>::infinity(), "0000000000000080ffff"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.hex);
        const QByteArray bytes = QByteArray::fromHex(f.hex);
        EXPECT_EQ(ExtendedBytes(f.wert).toHex(), QByteArray(f.hex));
        EXPECT_EQ(ExtendedWert(bytes), f.wert);
        EXPECT_EQ(std::signbit(ExtendedWert(bytes)), std::signbit(f.wert));
    }
    EXPECT_TRUE(std::isnan(ExtendedWert(QByteArray::fromHex("000000000000c0ffff7f"))));
    EXPECT_TRUE(std::isnan(ExtendedWert(ExtendedBytes(std::nanl("")))));
    // an unnormal (integer bit clear) still has its arithmetic value
    EXPECT_EQ(ExtendedWert(QByteArray::fromHex("0000000000000040ff3f")), 0.5L);

    // on an x87 machine the bytes are the value's own memory
    if constexpr (LDBL_MANT_DIG == 64) {
        std::mt19937_64 zufall(12345);
        for (int i = 0; i < 10000; ++i) {
            unsigned char roh[sizeof(long double)] = {};
            const std::uint64_t m = zufall() | 0x8000000000000000ULL;
            const auto e = static_cast<std::uint16_t>(1 + zufall() % 0x7FFE + (i % 2 ? 0x8000 : 0));
            std::memcpy(roh, &m, 8);
            std::memcpy(roh + 8, &e, 2);
            long double w;
            std::memcpy(&w, roh, sizeof w);
            const QByteArray bytes(reinterpret_cast<const char*>(roh), 10);
            ASSERT_EQ(ExtendedWert(bytes), w) << bytes.toHex().toStdString();
            ASSERT_EQ(ExtendedBytes(w), bytes);
        }
    }
}

TEST(BinaerStrom, RoundTripOfEveryValueKind)
{
    TTabelle t;
    t.DefiniereFelder(
        {FeldDefinition("S", TFeldTyp::String, 10), FeldDefinition("I", TFeldTyp::Integer),
         FeldDefinition("B", TFeldTyp::Boolean), FeldDefinition("F", TFeldTyp::Float),
         FeldDefinition("C", TFeldTyp::Currency), FeldDefinition("D", TFeldTyp::DateTime),
         FeldDefinition("L", TFeldTyp::LargeInt), FeldDefinition("G", TFeldTyp::Graphic),
         FeldDefinition("M", TFeldTyp::Memo), FeldDefinition("Z", TFeldTyp::SQLTimeStamp),
         FeldDefinition("N", TFeldTyp::FMTBcdField), FeldDefinition("W", TFeldTyp::Word)});
    std::string lang(70000, 'x');
    t.ZeileAnhaengen({QStringLiteral("Straße „Ä“"), qint64(INT32_MIN), true, 0.1L, 12.34L,
                      38000.75L, qint64(1) << 53, QByteArray(lang.data(), 300),
                      QString::fromStdString(lang), 37979.5L, -1e-30L, qint64(65535)});
    t.ZeileAnhaengen({});
    t.ZeileAnhaengen({QString(""), qint64(0), false, -0.0L, LDBL_MAX, 1.0L, qint64(-1),
                      QByteArray(""), QString(""), 1.0L, 0.0L, qint64(0)});
    const std::vector<TZeile> zeilen = LiesBinaerStrom(SchreibeBinaer(t), t.Felder());
    ASSERT_EQ(zeilen.size(), 3u);
    for (size_t z = 0; z < 3; ++z)
        EXPECT_EQ(zeilen[z], t.GesamtZeile(int(z))) << z;

    t.SetzeWert(0, 0, QStringLiteral("\u0100"));
    EXPECT_FALSE(Meldung([&] { SchreibeBinaer(t); }).isEmpty());
}

TEST(Stroeme, ShortRecordsCannotBlowUpMemory)
{
    // many fields and many one-byte lines: each line would cost a row of all fields
    QByteArray csv = "\"@@TABLEDEF START@@\",\r\n";
    for (int i = 0; i < 200; ++i)
        csv += "\"F" + QByteArray::number(i) + "=String\"\n";
    csv += "\"@@TABLEDEF END@@\",\nF0\n" + QByteArray(100000, 'x').replace("x", "x\n");
    EXPECT_EQ(Meldung([&] { LiesCsvStrom(csv); }),
              "Die CSV Datei enthält mehr Datenzeilen, als ihre Größe zulässt.");
    // but lines shorter than the fields are legal and load
    QByteArray kurz = "\"@@TABLEDEF START@@\",\r\n";
    for (int i = 0; i < 13; ++i)
        kurz += "\"F" + QByteArray::number(i) + "=String,10\",\r\n";
    kurz += "\"@@TABLEDEF END@@\",\r\nF0,F1,F2,F3,F4,F5,F6,F7,F8,F9,F10,F11,F12,\r\n";
    for (int i = 0; i < 9000; ++i)
        kurz += "x,\r\n";
    const TTabellenInhalt geladen = LiesCsvStrom(kurz);
    ASSERT_EQ(geladen.Zeilen.size(), 9000u);
    EXPECT_EQ(geladen.Zeilen.back()[0], TWert(QStringLiteral("x")));
    EXPECT_TRUE(IstNull(geladen.Zeilen.back()[12]));

    // stored fields without data cost no bytes per record
    TBau bau;
    bau.b({'T', 'P', 'F', '0'}).i(251).b({0x01});
    for (int i = 0; i < 300; ++i)
        bau.s("F" + QByteArray::number(i))
            .s("Float")
            .i(0)
            .s("")
            .s("")
            .i(10)
            .b({0x08, 0x08})
            .s("Calculated")
            .s("");
    bau.b({0x00, 0x01, 0x00, 0x01});
    for (int i = 0; i < 20000; ++i)
        bau.b({0x01, 0x02, 0x00, 0x00});
    bau.b({0x00});
    EXPECT_EQ(Meldung([&] { LiesBinaerStromMitDefinitionen(bau.a); }),
              "Der Datenstrom der Tabelle enthält mehr Datensätze, als seine Größe zulässt.");
    // the same records with two such fields are fine
    TBau zwei;
    zwei.b({'T', 'P', 'F', '0'}).i(251).b({0x01});
    for (int i = 0; i < 2; ++i)
        zwei.s("F" + QByteArray::number(i))
            .s("Float")
            .i(0)
            .s("")
            .s("")
            .i(10)
            .b({0x08, 0x08})
            .s("Calculated")
            .s("");
    zwei.b({0x00, 0x01, 0x00, 0x01});
    for (int i = 0; i < 20000; ++i)
        zwei.b({0x01, 0x02, 0x00, 0x00});
    zwei.b({0x00});
    EXPECT_EQ(LiesBinaerStromMitDefinitionen(zwei.a).Zeilen.size(), 20000u);
}

// --- the table

TTabelle* Zahlentabelle(TTabelle& t, std::initializer_list<TWert> werte)
{
    t.DefiniereFelder(
        {FeldDefinition("Nr", TFeldTyp::Integer), FeldDefinition("Wert", TFeldTyp::Float)});
    qint64 nr = 0;
    for (const TWert& w : werte)
        t.ZeileAnhaengen({nr++, w});
    return &t;
}

TEST(Tabelle, FieldsAreFoundIgnoringCase)
{
    TTabelle t;
    Zahlentabelle(t, {});
    EXPECT_EQ(t.FeldIndex(u"wert"), 1);
    EXPECT_EQ(t.FeldIndex(u"NR"), 0);
    EXPECT_EQ(t.FeldIndex(u"Nummer"), -1);
    EXPECT_EQ(Meldung([&] { t.FeldIndexPflicht(u"Nummer"); }), "Feld 'Nummer' nicht gefunden");
}

TEST(Tabelle, SortsAscendingAndStableWithNullFirst)
{
    TTabelle t;
    Zahlentabelle(t, {3.0L, TWert{}, 1.0L, 3.0L, -2.0L, 1.0L, TWert{}});
    t.Sortiere(u"wert");
    EXPECT_EQ(t.Sortierfeld(), "Wert");
    std::vector<qint64> folge;
    for (int z = 0; z < t.Anzahl(); ++z)
        folge.push_back(Ganz(t.Wert(z, 0)));
    EXPECT_EQ(folge, (std::vector<qint64>{1, 6, 4, 2, 5, 0, 3}));

    TTabelle texte;
    texte.DefiniereFelder({FeldDefinition("T", TFeldTyp::String)});
    for (const char* s : {"b", "B", "a", "ä"})
        texte.ZeileAnhaengen({QString::fromUtf8(s)});
    texte.Sortiere(u"T");
    // by character code, capitals first
    EXPECT_EQ(Text(texte.Wert(0, 0)) + Text(texte.Wert(1, 0)) + Text(texte.Wert(2, 0)) +
                  Text(texte.Wert(3, 0)),
              QStringLiteral("Babä"));
}

TEST(Tabelle, FilterBoundsAreInclusiveAndNullNeverPasses)
{
    TTabelle t;
    Zahlentabelle(t, {1.0L, 2.0L, TWert{}, 2.5L, 3.0L, 3.0001L});
    t.SetzeFilter(u"Wert", 2.0L, 3.0L);
    EXPECT_TRUE(t.FilterAktiv());
    ASSERT_EQ(t.Anzahl(), 3);
    EXPECT_EQ(Ganz(t.Wert(0, 0)), 1);
    EXPECT_EQ(Ganz(t.Wert(2, 0)), 4);
    EXPECT_EQ(t.GesamtAnzahl(), 6);
    t.SetzeFilter(u"Nr", 5, 5);
    ASSERT_EQ(t.Anzahl(), 1);
    EXPECT_EQ(Zahl(t.Wert(0, 1)), 3.0001L);
    t.SetzeFilter(u"Wert", 4, 3);
    EXPECT_EQ(t.Anzahl(), 0);
    EXPECT_EQ(t.AktuelleZeile(), -1);
    t.FilterAus();
    EXPECT_EQ(t.Anzahl(), 6);
    EXPECT_EQ(Meldung([&] { t.Wert(6, 0); }), "Zeile 6 außerhalb der Tabelle");

    TTabelle texte;
    texte.DefiniereFelder({FeldDefinition("T", TFeldTyp::String)});
    EXPECT_EQ(Meldung([&] { texte.SetzeFilter(u"T", 0, 1); }), "Feld 'T' ist kein Zahlenfeld");
}

TEST(Tabelle, OneCurrentRowFollowsFilterAndSort)
{
    TTabelle t;
    Zahlentabelle(t, {5.0L, 1.0L, 3.0L, 2.0L});
    std::vector<int> gemeldet;
    int zurueckgesetzt = 0;
    QObject::connect(&t, &TTabelle::AktuelleZeileGeaendert, [&](int z) { gemeldet.push_back(z); });
    QObject::connect(&t, &TTabelle::Zurueckgesetzt, [&] { ++zurueckgesetzt; });
    EXPECT_EQ(t.AktuelleZeile(), 0);
    t.SetzeAktuelleZeile(2); // Nr 2 (3.0)
    t.SetzeAktuelleZeile(2); // no change, no signal
    t.Sortiere(u"Wert");     // 1, 2, 3, 5: Nr 2 is now the third row
    EXPECT_EQ(t.AktuelleZeile(), 2);
    EXPECT_EQ(Ganz(t.AktuellerWert(u"Nr")), 2);
    t.SetzeFilter(u"Wert", 2.5L, 10); // 3, 5: Nr 2 stays current at row 0
    EXPECT_EQ(t.AktuelleZeile(), 0);
    EXPECT_EQ(t.AktuellerText(u"Wert"), "3");
    t.SetzeFilter(u"Wert", 4, 10); // the current row is gone: the first row becomes current
    EXPECT_EQ(Ganz(t.AktuellerWert(u"Nr")), 0);
    t.SetzeAktuelleZeile(99);
    EXPECT_EQ(t.AktuelleZeile(), 0);
    t.SetzeFilter(u"Wert", 100, 200);
    EXPECT_EQ(t.AktuelleZeile(), -1);
    EXPECT_TRUE(IstNull(t.AktuellerWert(u"Wert")));
    EXPECT_EQ(t.AktuellerText(u"Wert"), "");
    EXPECT_EQ(gemeldet, (std::vector<int>{2, 0, 0, -1}));
    EXPECT_EQ(zurueckgesetzt, 4);
    t.Leeren();
    EXPECT_EQ(t.GesamtAnzahl(), 0);
    EXPECT_EQ(t.FeldAnzahl(), 2);
}

TEST(Tabelle, DisplayTextsAndValueChecks)
{
    TTabelle t;
    TFeld v = FeldDefinition("V", TFeldTyp::Float);
    v.Anzeigeformat = QStringLiteral("##0.0' m³'");
    TFeld p = FeldDefinition("P", TFeldTyp::Currency);
    p.Anzeigeformat = QStringLiteral("#0.00' EUR'");
    TFeld g = FeldDefinition("G", TFeldTyp::Integer);
    g.Anzeigeformat = QStringLiteral("0.0");
    t.DefiniereFelder(
        {v, p, g, FeldDefinition("F", TFeldTyp::Float), FeldDefinition("B", TFeldTyp::Graphic)});
    t.ZeileAnhaengen({4.5L, 899.0L, qint64(7), 0.715L, QByteArray("BM")});
    t.ZeileAnhaengen({TWert{}, TWert{}, TWert{}, 1.5e20L});
    EXPECT_EQ(t.Anzeigetext(0, 0), QStringLiteral("4,5 m³"));
    EXPECT_EQ(t.Anzeigetext(0, 1), "899,00 EUR");
    EXPECT_EQ(t.Anzeigetext(0, 2), "7,0");
    EXPECT_EQ(t.Anzeigetext(0, 3), "0,715");
    EXPECT_EQ(t.Anzeigetext(0, 4), "(Bild)");
    for (int f = 0; f < 3; ++f)
        EXPECT_EQ(t.Anzeigetext(1, f), "");
    EXPECT_EQ(t.Anzeigetext(1, 3), "1,5E+20");

    EXPECT_FALSE(Meldung([&] { t.ZeileAnhaengen({QStringLiteral("4,5")}); }).isEmpty());
    EXPECT_FALSE(Meldung([&] { t.SetzeWert(0, 2, 1.0L); }).isEmpty());
    EXPECT_FALSE(Meldung([&] { t.ZeileAnhaengen(TZeile(6)); }).isEmpty());
    EXPECT_EQ(t.GesamtAnzahl(), 2);
    int geaendert = -1;
    QObject::connect(&t, &TTabelle::WertGeaendert, [&](int z, int f) { geaendert = z * 10 + f; });
    t.SetzeWert(1, 2, qint64(3));
    EXPECT_EQ(geaendert, 12);
    EXPECT_EQ(t.Anzeigetext(1, 2), "3,0");

    // a field added later is NULL in the existing rows
    t.FeldHinzu(FeldDefinition("Neu", TFeldTyp::String));
    EXPECT_TRUE(IstNull(t.Wert(0, 5)));

    EXPECT_EQ(AlsZahl(TWert(QStringLiteral("53.628"))), 53.628L);
    EXPECT_EQ(AlsZahl(TWert{}), 0.0L);
    EXPECT_EQ(AlsZahl(TWert(qint64(4))), 4.0L);
    EXPECT_FALSE(Meldung([] { AlsZahl(TWert(QStringLiteral("x"))); }).isEmpty());
    EXPECT_EQ(AlsText(TWert(2.5L)), "2.5");
    EXPECT_EQ(AlsBytes(TWert(QStringLiteral("ä"))), QByteArray("\xE4"));
}

TEST(Tabelle, ReplacesRowsOnlyWhenTheWholeStreamParses)
{
    TTabelle t;
    t.LadeCsv(LiesTestdatei("sample-csv.payload"));
    const QByteArray kaputt = LiesTestdatei("sample-csv.payload").replace("180.0", "18O.0");
    EXPECT_FALSE(Meldung([&] { t.LadeCsv(kaputt); }).isEmpty());
    EXPECT_EQ(t.Anzahl(), 3);

    const auto mtProd = ErzeugeProduktTabelle();
    LadeProdukte(*mtProd, LiesTestdatei("sample-binary.payload"));
    QByteArray ohneSchluss = LiesTestdatei("sample-binary.payload");
    ohneSchluss.chop(1);
    EXPECT_FALSE(Meldung([&] { mtProd->LadeBinaer(ohneSchluss); }).isEmpty());
    EXPECT_EQ(mtProd->Anzahl(), 2);
    EXPECT_EQ(mtProd->FeldAnzahl(), 9);
}

// --- item model

TEST(TabellenModell, ShowsVisibleRowsAndFollowsTheTable)
{
    const auto mtProd = ErzeugeProduktTabelle();
    LadeProdukte(*mtProd, LiesTestdatei("sample-binary.payload"));
    TTabellenModell grid(*mtProd, {"Hersteller", "Produkt", "Volumen", "Preis"});
    TTabellenModell detail(*mtProd, {"produkt", "Fehlt"});
    ASSERT_EQ(grid.columnCount(), 4);
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.headerData(2, Qt::Horizontal).toString(), "Volumen");
    EXPECT_EQ(detail.headerData(1, Qt::Horizontal).toString(), "Fehlt");
    EXPECT_FALSE(grid.headerData(0, Qt::Vertical).isValid());
    EXPECT_EQ(grid.data(grid.index(0, 2)).toString(), QStringLiteral("3,0 m³"));
    EXPECT_EQ(grid.data(grid.index(1, 3)).toString(), "2450,50 EUR");
    EXPECT_EQ(grid.data(grid.index(0, 3), Qt::UserRole).toDouble(), 1299.0);
    EXPECT_EQ(grid.data(grid.index(0, 3), Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_EQ(grid.data(grid.index(0, 0), Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::AlignLeft | Qt::AlignVCenter);
    EXPECT_FALSE(detail.data(detail.index(0, 1)).isValid());
    EXPECT_EQ(detail.FeldVonSpalte(0), 2);
    EXPECT_EQ(detail.FeldVonSpalte(1), -1);

    int resets = 0;
    QObject::connect(&grid, &QAbstractItemModel::modelReset, [&] { ++resets; });
    std::vector<QModelIndex> gemeldet;
    QObject::connect(&detail, &TTabellenModell::AktuellerIndexGeaendert,
                     [&](const QModelIndex& i) { gemeldet.push_back(i); });

    // a row picked in one view is the current row of every view
    grid.SetzeAktuell(grid.index(1, 3));
    EXPECT_EQ(mtProd->AktuelleZeile(), 1);
    EXPECT_EQ(detail.AktuellerIndex(), detail.index(1, 0));
    ASSERT_EQ(gemeldet.size(), 1u);
    EXPECT_EQ(gemeldet.back(), detail.index(1, 0));
    EXPECT_EQ(TTabellenModell::IndexZuZeile(gemeldet.back()), 1);
    detail.SetzeAktuell(grid.index(0, 0)); // an index of another model is ignored
    EXPECT_EQ(mtProd->AktuelleZeile(), 1);

    // the filter shows in every view
    FilterProducts(*mtProd, 4.38L);
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(grid.rowCount(), 1);
    EXPECT_EQ(detail.rowCount(), 1);
    EXPECT_EQ(detail.data(detail.index(0, 0)).toString(), "Betonzisterne 4,8");
    EXPECT_EQ(detail.AktuellerIndex(), detail.index(0, 0));
    EXPECT_EQ(grid.ZeileZuIndex(1), QModelIndex());
    EXPECT_EQ(grid.ZeileZuIndex(-1), QModelIndex());

    // values changing in place reach the columns that show them
    std::vector<int> spalten;
    QObject::connect(
        &grid, &QAbstractItemModel::dataChanged,
        [&](const QModelIndex& a, const QModelIndex&) { spalten.push_back(a.column()); });
    mtProd->SetzeWert(0, mtProd->FeldIndex(u"Preis"), 10.0L);
    EXPECT_EQ(spalten, std::vector<int>{3});

    // a table with all columns
    TTabelle t;
    Zahlentabelle(t, {1.0L});
    TTabellenModell alle(t);
    EXPECT_EQ(alle.columnCount(), 2);
    t.FeldHinzu(FeldDefinition("Drei", TFeldTyp::String));
    EXPECT_EQ(alle.columnCount(), 3);
}

// --- products

void Produkte(TTabelle& mtProd, std::initializer_list<long double> volumen)
{
    DefiniereProduktFelder(mtProd);
    qint64 id = 0;
    for (long double v : volumen)
        mtProd.ZeileAnhaengen(
            {++id, QStringLiteral("H"), QStringLiteral("P%1").arg(id), v, 100.0L});
}

std::vector<qint64> SichtbareIds(const TTabelle& t)
{
    std::vector<qint64> ids;
    for (int z = 0; z < t.Anzahl(); ++z)
        ids.push_back(Ganz(t.Wert(z, 0)));
    return ids;
}

TEST(Produkte, TableHasTheNineFields)
{
    const auto mtProd = ErzeugeProduktTabelle();
    const struct {
        const char* name;
        TFeldTyp typ;
        int groesse;
        const char* format;
    } felder[] = {{"ID", TFeldTyp::Integer, 0, ""},
                  {"Hersteller", TFeldTyp::String, 30, ""},
                  {"Produkt", TFeldTyp::String, 30, ""},
                  {"Volumen", TFeldTyp::Float, 0, "##0.0' m³'"},
                  {"Preis", TFeldTyp::Float, 0, "#0.00' EUR'"},
                  {"Beschreibung", TFeldTyp::String, 200, ""},
                  {"URL", TFeldTyp::String, 50, ""},
                  {"Adresse", TFeldTyp::String, 200, ""},
                  {"Bild", TFeldTyp::Graphic, 0, ""}};
    ASSERT_EQ(mtProd->FeldAnzahl(), 9);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(mtProd->Feld(i).Name, QString::fromLatin1(felder[i].name));
        EXPECT_EQ(mtProd->Feld(i).Typ, felder[i].typ);
        EXPECT_EQ(mtProd->Feld(i).Groesse, felder[i].groesse);
        EXPECT_EQ(mtProd->Feld(i).Anzeigeformat, QString::fromUtf8(felder[i].format));
        EXPECT_EQ(mtProd->Feld(i).Pflicht, i == 0);
    }
}

TEST(Produkte, FilterWindowAroundTheVolume)
{
    const struct {
        long double v;
        const char* text;
        long double unten, oben;
    } faelle[] = {
        {4.38L, "VOLUMEN >= 3,88 AND VOLUMEN <= 4,88", 3.88L, 4.88L},
        {static_cast<long double>(4.38), "VOLUMEN >= 3,88 AND VOLUMEN <= 4,88", 3.88L, 4.88L},
        {0.0L, "VOLUMEN >= -0,50 AND VOLUMEN <= 0,50", -0.5L, 0.5L},
        {4.375L, "VOLUMEN >= 3,88 AND VOLUMEN <= 4,88", 3.88L, 4.88L}, // halves away from zero
        {3.168L, "VOLUMEN >= 2,67 AND VOLUMEN <= 3,67", 2.67L, 3.67L},
        {0.3L, "VOLUMEN >= -0,20 AND VOLUMEN <= 0,80", -0.2L, 0.8L},
    };
    for (const auto& f : faelle) {
        const TProduktfilter p = Produktfilter(f.v);
        EXPECT_EQ(p.Text, QString::fromLatin1(f.text));
        EXPECT_EQ(p.Unten, f.unten);
        EXPECT_EQ(p.Oben, f.oben);
    }

    TTabelle mtProd;
    // 4.88 and 3.88 once as long double, once as the double a file may hold
    Produkte(mtProd, {4.9L, 3.8L, 4.8L, 3.9L, 4.88L, 3.88L, static_cast<long double>(3.88),
                      static_cast<long double>(4.88), 3.87L, 4.89L, 4.8L, 0.5L});
    mtProd.Sortiere(u"Volumen");
    EXPECT_EQ(FilterProducts(mtProd, 4.38L), "VOLUMEN >= 3,88 AND VOLUMEN <= 4,88");
    // ascending volume, equal volumes in table order
    EXPECT_EQ(SichtbareIds(mtProd), (std::vector<qint64>{7, 6, 4, 3, 11, 8, 5}));
    FilterProducts(mtProd, 0);
    EXPECT_EQ(SichtbareIds(mtProd), std::vector<qint64>{12});
    FilterProducts(mtProd, 100);
    EXPECT_EQ(mtProd.Anzahl(), 0);
}

TEST(Produkte, LoadProductsReadsData3FromTheFolder)
{
    QTemporaryDir ordner;
    ASSERT_TRUE(ordner.isValid());
    const QByteArray klartext = LiesTestdatei("sample-binary.payload");
    TCrypter c;
    c.InitKey(GenerateKey(Data3.Seed, Data3.Schluessellaenge));
    QByteArray datei;
    for (qsizetype pos = 0; pos < klartext.size(); pos += 37) {
        const QByteArray teil = klartext.mid(pos, 37);
        const QByteArray blob = c.EncryptBlob(teil, 0x1234u + std::uint32_t(pos), 0x9876u,
                                              int((8 - teil.size() % 8) % 8));
        ASSERT_FALSE(blob.isEmpty());
        for (int i = 0; i < 4; ++i)
            datei.append(static_cast<char>((blob.size() >> (8 * i)) & 0xFF));
        datei.append(blob);
    }
    QFile f(QDir(ordner.path()).filePath("Data3.cry"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(datei);
    f.close();

    const auto mtProd = ErzeugeProduktTabelle();
    mtProd->SetzeFilter(u"Volumen", 4, 5); // the filter of an earlier load stays in force
    LoadProducts(*mtProd, ordner.path());
    EXPECT_EQ(mtProd->GesamtAnzahl(), 2);
    EXPECT_EQ(mtProd->Anzahl(), 1);
    EXPECT_EQ(mtProd->Sortierfeld(), "Volumen");
    mtProd->FilterAus();
    EXPECT_EQ(mtProd->Anzeigetext(0, u"Volumen"), QStringLiteral("3,0 m³"));

    // an access error comes from the data-file layer and is fatal
    try {
        LoadProducts(*mtProd, ordner.path() + "/fehlt");
        ADD_FAILURE() << "no error";
    } catch (const ESchwererFehler& e) {
        EXPECT_EQ(e.Meldung(), "Fehler beim Zugriff auf Data3.cry. Die Anwendung wird beendet.");
    }
    // so is running out of memory while reading it
    const TSpeicherHaken alt = SetzeSpeicherHaken([](qint64) -> void { throw std::bad_alloc(); });
    try {
        LoadProducts(*mtProd, ordner.path());
        ADD_FAILURE() << "no error";
    } catch (const ESchwererFehler& e) {
        EXPECT_EQ(e.Meldung(), "Fehler beim Zugriff auf Data3.cry. Die Anwendung wird beendet.");
    }
    SetzeSpeicherHaken(alt);

    // a damaged stream names the file; control characters of the reason are dropped
    const auto schreibe = [&](const QByteArray& nutzlast) {
        QFile d(QDir(ordner.path()).filePath("Data3.cry"));
        ASSERT_TRUE(d.open(QIODevice::WriteOnly));
        const QByteArray blob = c.EncryptBlob(nutzlast, 1, 2, int((8 - nutzlast.size() % 8) % 8));
        for (int i = 0; i < 4; ++i)
            d.write(QByteArray(1, static_cast<char>((blob.size() >> (8 * i)) & 0xFF)));
        d.write(blob);
    };
    const struct {
        QByteArray nutzlast;
        QString meldung;
    } kaputt[] = {
        {"TPF1", "Die Datei Data3.cry enthält keine gültige Tabelle (Ungültiges Stream-Format)."},
        {QByteArray("TPF0\x03\xFB\x00\x01\x06\x01N\x06\x04X\x07\x01Y", 17),
         "Die Datei Data3.cry enthält keine gültige Tabelle (Unbekannter Feldtyp (XY))."},
    };
    for (const auto& k : kaputt) {
        schreibe(k.nutzlast);
        try {
            LoadProducts(*mtProd, ordner.path());
            ADD_FAILURE() << "no error";
        } catch (const ESchwererFehler&) {
            ADD_FAILURE() << "a damaged product stream ends only its window";
        } catch (const EFehler& e) {
            EXPECT_EQ(e.Meldung(), k.meldung);
        }
    }
}

} // namespace
