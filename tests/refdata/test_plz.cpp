// Postal-code engine on small tables built here, the geographic converter, and a few real
// look-ups on the shipped data files.
#include "model/fehler.h"
#include "refdata/plzkonverter.h"
#include "refdata/tabelle.h"

#include <gtest/gtest.h>

namespace {
struct PLZZeile {
    const char* code;
    const char16_t* stadt;
    long double lon;
    long double lat;
};

std::unique_ptr<TTabelle> PLZTabelle(std::initializer_list<PLZZeile> zeilen)
{
    auto t = std::make_unique<TTabelle>();
    t->DefiniereFelder({FeldDefinition("Postleitzahl", TFeldTyp::String, 5),
                        FeldDefinition("Stadt", TFeldTyp::String, 40),
                        FeldDefinition("Lon", TFeldTyp::Float),
                        FeldDefinition("Lat", TFeldTyp::Float)});
    for (const PLZZeile& z : zeilen)
        t->ZeileAnhaengen({QString::fromLatin1(z.code), QString::fromUtf16(z.stadt), z.lon, z.lat});
    return t;
}

std::unique_ptr<TTabelle>
StationTabelle(std::initializer_list<std::pair<const char16_t*, long double>> zeilen)
{
    auto t = std::make_unique<TTabelle>();
    std::vector<TFeld> felder{FeldDefinition("Station", TFeldTyp::String, 40)};
    for (const char* m : Monatsfelder)
        felder.push_back(FeldDefinition(m, TFeldTyp::Float));
    t->DefiniereFelder(felder);
    for (const auto& [name, mm] : zeilen) {
        TZeile z{QString::fromUtf16(name)};
        for (int m = 0; m < 12; ++m)
            z.emplace_back(mm + m);
        t->ZeileAnhaengen(std::move(z));
    }
    return t;
}

template <typename E> QString Meldung(const std::function<void()>& f)
{
    try {
        f();
    } catch (const E& e) {
        return e.Meldung();
    }
    return QStringLiteral("<kein Fehler>");
}

class PLZKlein : public ::testing::Test {
protected:
    TPLZConverter plz{
        PLZTabelle({{"01???", u"A", 13.0L, 51.0L},
                    {"010??", u"B", 13.5L, 51.5L},
                    {"80???", u"München", 11.5L, 48.1L},
                    {"80331", u"München", 11.6L, 48.2L},
                    {"66???", u"Saarbrücken", 7.0L, 49.2L}}),
        StationTabelle({{u"A", 50}, {u"B", 60}, {u"München", 70}, {u"Saarbrücken", 40}})};
};
} // namespace

TEST(PLZVergleich, ScoresAndWildcards)
{
    TPLZConverter plz(PLZTabelle({}), StationTabelle({}));
    struct Fall {
        const char* a;
        const char* b;
        int wertung;
    };
    for (const Fall& f :
         {Fall{"01???", "01067", 2}, Fall{"01067", "01067", 5}, Fall{"02???", "01067", 0},
          Fall{"0????", "1????", 0}, Fall{"?????", "?????", 5}, Fall{"0106?", "01067", 4}}) {
        EXPECT_EQ(plz.ComparePLZ(QString::fromLatin1(f.a), QString::fromLatin1(f.b)), f.wertung)
            << f.a << " " << f.b;
    }
    EXPECT_EQ(Meldung<EInvalidPLZ>(
                  [&] { plz.ComparePLZ(QStringLiteral("0106"), QStringLiteral("01067")); }),
              QStringLiteral("Ungültige Postleitzahl."));
}

TEST(PLZPruefung, AcceptedAndRefusedTexts)
{
    TPLZConverter plz(PLZTabelle({}), StationTabelle({}));
    for (const char* gut : {"01067", "99999", " 1234", "-1234", "$1F00", "x1F00", "0x1F0"})
        EXPECT_TRUE(plz.CheckPLZ(QString::fromLatin1(gut))) << gut;
    for (const char* schlecht :
         {"", "1234", "123456", "12a45", "1234 ", "12 45", "$$123", "+-123"}) {
        EXPECT_EQ(Meldung<EInvalidPLZ>([&] { plz.CheckPLZ(QString::fromLatin1(schlecht)); }),
                  QStringLiteral("ungültige Postleitzahl"))
            << schlecht;
    }
}

TEST_F(PLZKlein, MostSpecificPatternWinsThenFirstRow)
{
    EXPECT_EQ(plz.GetStation(QStringLiteral("01000")), QStringLiteral("B"));
    EXPECT_EQ(plz.GetStation(QStringLiteral("01999")), QStringLiteral("A"));
    EXPECT_EQ(plz.GetStation(QStringLiteral("80331")), QStringLiteral("München"));
    EXPECT_EQ(Meldung<EInvalidCity>([&] { plz.GetStation(QStringLiteral("55555")); }),
              QStringLiteral("keine Stadt zu dieser PLZ vorhanden"));
}

TEST_F(PLZKlein, ApproximateKeepsLeadingDigit)
{
    EXPECT_EQ(plz.ApproximatePLZ(QStringLiteral("80331")), QStringLiteral("80331")); // exact row
    EXPECT_EQ(plz.ApproximatePLZ(QStringLiteral("01067")),
              QStringLiteral("01000")); // tie: first row
    EXPECT_EQ(plz.ApproximatePLZ(QStringLiteral("66123")), QStringLiteral("66000"));
    EXPECT_EQ(plz.ApproximatePLZ(QStringLiteral("80999")), QStringLiteral("80331"));
    EXPECT_EQ(Meldung<EFehler>([&] { plz.ApproximatePLZ(QStringLiteral("99999")); }),
              QStringLiteral("Postleitzahl konnte nicht angenähert werden!"));
    // Texts that pass the check but begin with a blank, sign or $ have no row.
    for (const char* text : {" 1234", "-1234", "$1F00"})
        EXPECT_EQ(Meldung<EFehler>([&] { plz.ApproximatePLZ(QString::fromLatin1(text)); }),
                  QStringLiteral("Postleitzahl konnte nicht angenähert werden!"));
}

TEST_F(PLZKlein, CurveAndAnnualSumInMetres)
{
    TNiederschlag kurve{};
    plz.GetNiederschlagPLZ(QStringLiteral("66111"), kurve);
    EXPECT_EQ(kurve[0], 40.0L / 1000);
    EXPECT_EQ(kurve[11], 51.0L / 1000);
    // 40..51 mm: 546 mm
    EXPECT_NEAR(plz.GetMengePLZ(QStringLiteral("66111")), 0.546L, 1e-15L);
    EXPECT_EQ(Meldung<EInvalidCity>([&] { plz.GetNiederschlag(QStringLiteral("Atlantis")); }),
              QStringLiteral("Stadt nicht gefunden"));
    EXPECT_EQ(Meldung<EFehler>([&] { plz.LocateCity(QStringLiteral("A"), 2); }),
              QStringLiteral("ungültiger Stadttyp"));
}

TEST_F(PLZKlein, GetPLZWritesWildcardsAsZeroFromFirstRow)
{
    EXPECT_EQ(plz.GetPLZ(QStringLiteral("München")), QStringLiteral("80000"));
    EXPECT_EQ(plz.GetPLZ(QStringLiteral("B")), QStringLiteral("01000"));
}

TEST(PLZKarte, NearestStationTiesKeepEarlierRow)
{
    const TGeoConverter geo = KartenKonverter();
    const TPixel pixel{235, 300};
    const TGeoPoint ort = geo.PixelToGeo(pixel);
    TPLZConverter plz(PLZTabelle({{"11111", u"Erste", ort.Lon + 0.1L, ort.Lat},
                                  {"22222", u"Zweite", ort.Lon - 0.1L, ort.Lat},
                                  {"33333", u"Weit", ort.Lon + 3, ort.Lat}}),
                      StationTabelle({}));
    EXPECT_EQ(plz.FindNearestStation(pixel), QStringLiteral("Erste"));

    TPLZConverter leer(PLZTabelle({}), StationTabelle({}));
    EXPECT_THROW(leer.FindNearestStation(pixel), EFehler);
}

TEST(GeoKonverter, ReferencePointsAndExamples)
{
    const TGeoConverter geo = KartenKonverter();
    EXPECT_NEAR(static_cast<double>(geo.ScaleX), 48.957389, 1e-6);
    EXPECT_NEAR(static_cast<double>(geo.ScaleY), -75.085324, 1e-6);
    EXPECT_EQ(geo.OffsetX, -281);
    EXPECT_EQ(geo.OffsetY, 4137);
    EXPECT_EQ(geo.GeoToPixel({11.412L, 53.628L}), (TPixel{278, 110}));
    EXPECT_EQ(geo.GeoToPixel({7.0L, 49.233L}), (TPixel{62, 440}));
    EXPECT_EQ(geo.GeoToPixel({13.4L, 52.5L}), (TPixel{375, 195}));
    const TGeoPoint p = geo.PixelToGeo({235, 300});
    EXPECT_NEAR(static_cast<double>(p.Lon), 10.53978, 1e-5);
    EXPECT_NEAR(static_cast<double>(p.Lat), 51.10186, 1e-5);
    const TGeoPoint r = geo.PixelToGeo({62, 440});
    EXPECT_NEAR(static_cast<double>(r.Lon), 7.00609, 1e-5);
    EXPECT_NEAR(static_cast<double>(r.Lat), 49.23732, 1e-5);
}

TEST(PLZEchteDaten, CitiesReachTheirStations)
{
    TPLZConverter plz(QStringLiteral(TW_DATENORDNER));
    struct Fall {
        const char* code;
        const char16_t* stadt;
    };
    for (const Fall& f :
         {Fall{"01067", u"Dresden"}, Fall{"80331", u"München"}, Fall{"10115", u"Berlin"}}) {
        const QString code = plz.ApproximatePLZ(QString::fromLatin1(f.code));
        EXPECT_EQ(code, QString::fromLatin1(f.code));
        const QString station = plz.GetStation(code);
        EXPECT_TRUE(station.contains(QString::fromUtf16(f.stadt))) << station.toStdString();
        const long double menge = plz.GetMengePLZ(code);
        EXPECT_GT(menge, 0.45L);
        EXPECT_LT(menge, 1.2L);
    }
    // A code missing from the table comes back as its nearest neighbour with the same first digit.
    const QString naeherung = plz.ApproximatePLZ(QStringLiteral("01000"));
    EXPECT_EQ(naeherung.size(), 5);
    EXPECT_EQ(naeherung[0], u'0');
}

TEST(PLZEchteDaten, MapMarksGiveTheirRegion)
{
    TPLZConverter plz(QStringLiteral(TW_DATENORDNER));
    EXPECT_TRUE(plz.GetPLZ(plz.FindNearestStation({62, 440})).startsWith(QStringLiteral("66")));
    EXPECT_TRUE(plz.GetPLZ(plz.FindNearestStation({278, 110})).startsWith(QStringLiteral("19")));
}
