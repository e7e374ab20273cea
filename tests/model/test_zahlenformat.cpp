#include "model/zahlenformat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <set>
#include <string>

namespace {

std::string s(const QString& q)
{
    return q.toStdString();
}

TEST(Zahlenformat, FestRundetAufStellenUndZiffern)
{
    struct Fall {
        long double wert;
        int stellen;
        int praezision;
        const char* text;
    };
    const Fall faelle[] = {
        {12.5L, 2, 2, "13,00"},
        {0.06L, 2, 2, "0,06"},
        {57.915L, 2, 6, "57,92"},
        {4.0L, 1, 2, "4,0"},
        {12.3L, 1, 2, "12,0"},
        {0.0L, 0, 3, "0"},
        {8.8L, 2, 2, "8,80"},
        {14.0L, 2, 2, "14,00"},
        {4.4L, 2, 2, "4,40"},
        {0.0L, 2, 6, "0,00"},
        {0.715L, 3, 3, "0,715"},
        {2.675L, 2, 6, "2,68"},
        {0.5L, 0, 6, "1"},
        {2.5L, 0, 6, "3"},
        {-2.5L, 0, 6, "-3"},
        {-0.125L, 2, 6, "-0,13"},
        {0.005L, 2, 2, "0,01"},
        {0.0049L, 2, 6, "0,00"},
        {9.96L, 2, 2, "10,00"},
        {1234.5678L, 2, 6, "1234,57"},
        {2.0L, 2, 6, "2,00"},
        {123456.789L, 2, 6, "123457,00"},
        // sign of a value that rounds to zero is dropped
        {-0.0L, 2, 2, "0,00"},
        {-0.001L, 2, 2, "0,00"},
        // more integer digits than significant ones: exponent form
        {100.0L, 2, 2, "1E+2"},
        {12345678.0L, 2, 6, "1,23457E+7"},
        {-12345600.0L, 2, 6, "-1,23456E+7"},
        {999.96L, 1, 3, "1E+3"},
        {999999.999L, 2, 6, "1E+6"},
        {1.5e20L, 2, 6, "1,5E+20"},
        // out-of-range arguments are clamped
        {3.14159L, -1, 6, "3"},
        {3.14159L, 2, 0, "3,00"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.text);
        EXPECT_EQ(s(zahl::Fest(f.wert, f.stellen, f.praezision)), f.text);
    }
    EXPECT_EQ(s(zahl::Fest(std::numeric_limits<long double>::quiet_NaN(), 2, 6)), "NAN");
    EXPECT_EQ(s(zahl::Fest(-std::numeric_limits<long double>::infinity(), 2, 6)), "-INF");
}

TEST(Zahlenformat, FestVerlustfreiZeigtDenWertUnveraendert)
{
    struct Fall {
        long double wert;
        int stellen;
        int praezision;
        int maxStellen;
        const char* text;
    };
    const Fall faelle[] = {
        // a fresh set looks as with Fest
        {0.0L, 0, 3, 4, "0"},
        {0.0L, 1, 2, 4, "0,0"},
        {8.8L, 2, 2, 4, "8,80"},
        {14.0L, 2, 2, 4, "14,00"},
        {4.4L, 2, 2, 4, "4,40"},
        {0.0L, 2, 6, 4, "0,00"},
        {0.06L, 2, 2, 4, "0,06"},
        // values the format would change
        {12.5L, 2, 2, 4, "12,50"},
        {12.3L, 1, 2, 4, "12,3"},
        {0.065L, 2, 2, 4, "0,065"},
        {90.1234L, 0, 3, 4, "90,1234"},
        {0.901234L * 100, 0, 3, 4, "90,1234"},
        {12345678.0L, 2, 6, 4, "12345678,00"},
        {0.12345L, 2, 2, 6, "0,12345"},
        // nothing exact within the limit: the most decimals allowed
        {1.0L / 3, 2, 2, 4, "0,3333"},
        {1e-7L, 2, 2, 4, "0,0000"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.text);
        EXPECT_EQ(s(zahl::FestVerlustfrei(f.wert, f.stellen, f.praezision, f.maxStellen)), f.text);
    }
    // whatever was typed with up to four decimals comes back unchanged
    for (const char* getippt : {"12,345", "0,0625", "99", "1,1", "57,915", "0,9999", "3,14"}) {
        SCOPED_TRACE(getippt);
        const auto wert = zahl::Lies(QString::fromLatin1(getippt));
        ASSERT_TRUE(wert);
        EXPECT_EQ(zahl::Lies(zahl::FestVerlustfrei(*wert, 2, 2)), wert);
    }
}

TEST(Zahlenformat, DezimalWieProzentF)
{
    struct Fall {
        long double wert;
        int stellen;
        const char* text;
    };
    const Fall faelle[] = {
        {0.0L, 2, "0,00"},
        {99.0L, 2, "99,00"},
        {100000.0L, 0, "100000"},
        {2.5L, 0, "3"},
        {-0.004L, 2, "0,00"},
        {0.125L, 2, "0,13"},
        {-1.005L, 2, "-1,01"},
        {1234567.891L, 2, "1234567,89"},
        {1e20L, 0, "100000000000000000000"},
        {0.001L, 0, "0"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.text);
        EXPECT_EQ(s(zahl::Dezimal(f.wert, f.stellen)), f.text);
    }
}

TEST(Zahlenformat, MusterDerTabellenfelder)
{
    struct Fall {
        long double wert;
        const char* muster;
        const char* text;
    };
    const Fall faelle[] = {
        {0.715L, "0.000' m/Jahr'", "0,715 m/Jahr"},
        {90.0L, "#0.#' %'", "90 %"},
        {109.6875L, "##0.#' %'", "109,7 %"},
        {52.8L, "##0.0' m³'", "52,8 m³"},
        {3.168L, "#0.00' m³'", "3,17 m³"},
        {4.5L, "##0.0' m³'", "4,5 m³"},
        {899.0L, "#0.00' EUR'", "899,00 EUR"},
        {0.06L, "0.00", "0,06"},
        {0.0L, "#0.#", "0"},
        {2.5L, "#0.#", "2,5"},
        {0.05L, "#0.#", "0,1"},
        {100.0L, "####0.#' m²'", "100 m²"},
        {12345.67L, "0.0", "12345,7"},
        {7.0L, "000", "007"},
        {2.5L, "#0.0#", "2,5"},
        {2.567L, "#0.0#", "2,57"},
        {1.0L, "0.0\"x\"", "1,0x"},
        {1234.0L, "#0-00", "12-34"},
        {5.0L, "#0-00", "0-05"},
        {0.5L, "#.##", ",5"},
        {5.25L, ".00", "5,25"},
        {-3.25L, "#0.0", "-3,3"},
        {-0.04L, "#0.0", "0,0"},
        {-1.5L, "0.00;(0.00)", "(1,50)"},
        {1.5L, "0.00;(0.00)", "1,50"},
        {-1.5L, "0.00;", "-1,50"},
        {0.01L, "0.0;-0.0;'null'", "null"},
        {2.0L, "0.0';' x", "2,0; x"},
        {2.5L, "", "2,5"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.muster);
        EXPECT_EQ(s(zahl::Muster(f.wert, QString::fromUtf8(f.muster))), f.text);
    }
}

TEST(Zahlenformat, LiesNimmtDeutscheZahlen)
{
    struct Fall {
        const char* text;
        long double wert;
    };
    const Fall faelle[] = {
        {" 12,5 ", 12.5L},
        {"-3", -3.0L},
        {"+3", 3.0L},
        {"1,5e3", 1500.0L},
        {"1E-2", 0.01L},
        {",5", 0.5L},
        {"5,", 5.0L},
        {"0,06", 0.06L},
        {"\t7\t", 7.0L},
        {"1,5E+3", 1500.0L},
        {"-0,715", -0.715L},
        {"90,1234", 90.1234L},
        // underflow reads as zero
        {"1e-5000", 0.0L},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.text);
        const auto wert = zahl::Lies(QString::fromLatin1(f.text));
        ASSERT_TRUE(wert);
        EXPECT_EQ(*wert, f.wert);
    }
    for (const char* text :
         {"",     "  ", "1.5", "1.000",  "1 000", "inf",      "nan",         "INF",
          "0x10", "1e", "1e+", "1,2,3",  "abc",   "--1",      "1e5000",      "-1e5000",
          ",",    "-",  "e5",  "1,5 e3", "12,5x", "\xd9\xa3", "\xef\xbc\x91"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(zahl::Lies(QString::fromUtf8(text)));
    }
}

TEST(Zahlenformat, LiesGanzzahlDezimalUndHex)
{
    struct Fall {
        const char* text;
        std::int32_t wert;
    };
    const Fall faelle[] = {
        {"12345", 12345},
        {"  123", 123},
        {"-5", -5},
        {"+5", 5},
        {"$1F", 31},
        {"x1F", 31},
        {"X1f", 31},
        {"0x1F", 31},
        {"0X1f", 31},
        {"-$10", -16},
        {"01067", 1067},
        {"0", 0},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"$7FFFFFFF", INT32_MAX},
        {"-$80000000", INT32_MIN},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.text);
        EXPECT_EQ(zahl::LiesGanzzahl(QString::fromLatin1(f.text)), f.wert);
    }
    for (const char* text :
         {"123 ", "", " ", "12a", "99999999999", "$", "x", "0x", "2147483648", "$80000000",
          "-2147483649", "-$80000001", "- 5", "+", "--5", "12,5", "1.0", "$1G", "\xd9\xa3"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(zahl::LiesGanzzahl(QString::fromUtf8(text)));
    }
}

TEST(Zahlenformat, InvariantKuerzesterText)
{
    struct Fall {
        long double wert;
        const char* text;
    };
    const Fall faelle[] = {
        {53.628L, "53.628"}, {0.055L, "0.055"}, {-2.0L, "-2"},       {0.0L, "0"},
        {-0.0L, "0"},        {1e-20L, "1e-20"}, {1e20L, "1e+20"},    {0.1L, "0.1"},
        {40.0L, "40"},       {1500.0L, "1500"}, {0.0001L, "0.0001"}, {-300.0L, "-300"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.text);
        EXPECT_EQ(zahl::Invariant(f.wert), f.text);
    }
    const long double werte[] = {
        1.0L / 3,       0.1L + 0.2L, -123456789.123456789L,
        LDBL_MAX,       LDBL_MIN,    std::numeric_limits<long double>::denorm_min(),
        0.901234L * 100};
    for (long double wert : werte) {
        const std::string text = zahl::Invariant(wert);
        SCOPED_TRACE(text);
        EXPECT_EQ(text.find(','), std::string::npos);
        EXPECT_EQ(zahl::LiesInvariant(text), wert);
    }

    // Decimals of 1 to 18 digits come back as written; values using all 64 bits need up to 21
    // digits, and one digit fewer never reads back.
    const std::string ziffern = "123456789123456789";
    for (size_t n = 1; n <= ziffern.size(); ++n) {
        const std::string text = "0." + ziffern.substr(0, n);
        EXPECT_EQ(zahl::Invariant(zahl::LiesInvariant(text).value()), text);
    }
    const auto signifikant = [](std::string text) {
        text = text.substr(0, text.find('e'));
        std::erase(text, '.');
        std::erase(text, '-');
        text.erase(0, text.find_first_not_of('0'));
        text.erase(text.find_last_not_of('0') + 1);
        return static_cast<int>(text.size());
    };
    std::mt19937_64 rng(21);
    std::set<int> laengen;
    for (int i = 0; i < 3000; ++i) {
        const long double wert = std::ldexp(static_cast<long double>(rng() | (1ULL << 63)),
                                            static_cast<int>(rng() % 80) - 103);
        const std::string text = zahl::Invariant(wert);
        ASSERT_EQ(zahl::LiesInvariant(text), wert) << text;
        const int n = signifikant(text);
        laengen.insert(n);
        if (n == 1)
            continue;
        char kuerzer[64];
        std::snprintf(kuerzer, sizeof kuerzer, "%.*Le", n - 2, wert);
        std::string punkt = kuerzer;
        std::replace(punkt.begin(), punkt.end(), ',', '.');
        EXPECT_NE(zahl::LiesInvariant(punkt), wert) << text << " " << punkt;
    }
    for (int n = 19; n <= 21; ++n)
        EXPECT_TRUE(laengen.count(n)) << n;
}

TEST(Zahlenformat, LiesInvariantNurMitPunkt)
{
    struct Fall {
        const char* text;
        long double wert;
    };
    const Fall faelle[] = {
        {"53.628", 53.628L}, {"-0.5", -0.5L}, {"1e-3", 0.001L}, {"7", 7.0L},
        {"+7", 7.0L},        {".5", 0.5L},    {"5.", 5.0L},     {"1.5E+2", 150.0L},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.text);
        EXPECT_EQ(zahl::LiesInvariant(f.text), f.wert);
    }
    for (const char* text :
         {"", "1,5", " 1", "1 ", "inf", "nan", "1e99999", "-", "1e", "0x10", "1.2.3", "."}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(zahl::LiesInvariant(text));
    }
}

// The process locale must not leak into any format. The test command provides the German
// locale and names it in TROPFWERK_TEST_LOCALE; there it must work.
TEST(Zahlenformat, UnabhaengigVomGebietsschema)
{
    const std::string vorher = std::setlocale(LC_ALL, nullptr);
    const char* verlangt = std::getenv("TROPFWERK_TEST_LOCALE");
    if (!std::setlocale(LC_ALL, verlangt ? verlangt : "de_DE.UTF-8")) {
        if (verlangt)
            FAIL() << "locale " << verlangt << " is not usable";
        GTEST_SKIP() << "German locale not installed";
    }
    const std::string komma = std::localeconv()->decimal_point;
    const std::string invariant = zahl::Invariant(53.628L);
    const auto gelesen = zahl::LiesInvariant("53.628");
    const auto getippt = zahl::Lies(QStringLiteral("0,06"));
    const QString fest = zahl::Fest(12.5L, 2, 2);
    const QString verlustfrei = zahl::FestVerlustfrei(0.065L, 2, 2);
    std::setlocale(LC_ALL, vorher.c_str());
    EXPECT_EQ(komma, ",");
    EXPECT_EQ(invariant, "53.628");
    EXPECT_EQ(gelesen, 53.628L);
    EXPECT_EQ(getippt, 0.06L);
    EXPECT_EQ(s(fest), "13,00");
    EXPECT_EQ(s(verlustfrei), "0,065");
}

} // namespace
