// Parameter set defaults, deep copies, the maker record and the full-stop rule.
#include "model/datendateien.h"
#include "model/fehler.h"
#include "model/parametersatz.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ParameterSatz, FreshSetHasDefaults)
{
    TParameterSatz s;
    s.Flaechen = {{1, 1}};
    s.Menge = 3;
    s.PLZ = QStringLiteral("12345");
    s.Rate = 7;
    InitParameterSatz(s);
    EXPECT_TRUE(s.Flaechen.empty());
    EXPECT_EQ(s.Niederschlag, StandardNiederschlag);
    EXPECT_EQ(s.Menge, 0);
    EXPECT_EQ(s.WGrad, 0);
    EXPECT_TRUE(s.PLZ.isEmpty());
    EXPECT_EQ(s.PersWCSparV, 8.8L);
    EXPECT_EQ(s.PersWCNormV, 14.0L);
    EXPECT_EQ(s.PersWaschV, 4.4L);
    EXPECT_EQ(s.GartenV, 0.06L);
    EXPECT_EQ(s.LadeBeiwert, 0.06L);
    EXPECT_EQ(s.Rate, 0);
}

TEST(ParameterSatz, StandardCurveSumsTo0715)
{
    long double summe = 0;
    for (long double m : StandardNiederschlag)
        summe += m;
    EXPECT_NEAR(summe, 0.715L, 1e-15L);
    EXPECT_EQ(StandardNiederschlag[0], 0.055L);
    EXPECT_EQ(StandardNiederschlag[7], 0.090L);
}

TEST(ParameterSatz, CopiesAreIndependent)
{
    TParameterSatz quelle;
    InitParameterSatz(quelle);
    quelle.Flaechen = {{100, 0.9L}, {50, 0.5L}, {20, 0.3L}};
    quelle.PersWCSpar = 2.5L;

    TParameterSatz ziel;
    ziel.Flaechen = {{1, 1}, {2, 1}, {3, 1}, {4, 1}};
    CopyParameterSatz(quelle, ziel);
    EXPECT_EQ(ziel, quelle);
    EXPECT_EQ(ziel.PersWCSpar, 2.5L);

    ziel.Flaechen.erase(ziel.Flaechen.begin());
    ziel.Flaechen[0].Flaeche = 999;
    EXPECT_EQ(quelle.Flaechen.size(), 3u);
    EXPECT_EQ(quelle.Flaechen[1].Flaeche, 50);

    TParameterSatz leer;
    InitParameterSatz(leer);
    CopyParameterSatz(leer, ziel);
    EXPECT_TRUE(ziel.Flaechen.empty());
}

TEST(ParameterSatz, MakerRecordComesFromStringTable)
{
    LadeHersteller();
    for (const QString* feld :
         {&Hersteller.Firma, &Hersteller.Strasse, &Hersteller.Ort, &Hersteller.Web,
          &Hersteller.EMail, &Hersteller.Telefon, &Hersteller.Fax})
        EXPECT_FALSE(feld->isEmpty());
    EXPECT_TRUE(Hersteller.EMail.contains(u'@'));
    EXPECT_TRUE(Hersteller.Web.endsWith(QStringLiteral("example.org")));
}

struct Punktfall {
    const char16_t* meldung;
    const char16_t* erwartet;
};

TEST(Fehler, FullStopRule)
{
    const Punktfall faelle[] = {
        {u"ungültige Postleitzahl", u"ungültige Postleitzahl."},
        {u"Kann Berechnung nicht durchführen! Ungültige Parameter!",
         u"Kann Berechnung nicht durchführen! Ungültige Parameter!"},
        {u"Schon ein Punkt.", u"Schon ein Punkt."},
        {u"Wert 12", u"Wert 12."},
        {u"Klammer (Data1.cry)", u"Klammer (Data1.cry)"}, // ')' sorts before '.'
        {u"Komma,", u"Komma,"},
        {u"Bindestrich-", u"Bindestrich-"},
        {u"Schrägstrich/", u"Schrägstrich/."},
        {u"Umlaut ä", u"Umlaut ä."},
        {u"", u""},
    };
    for (const auto& f : faelle) {
        EXPECT_EQ(MitSchlusspunkt(QString::fromUtf16(f.meldung)), QString::fromUtf16(f.erwartet))
            << QString::fromUtf16(f.meldung).toStdString();
    }
}

TEST(Fehler, MessageSurvivesAsUtf8)
{
    const EInvalidValueException e(QStringLiteral("Bitte geben Sie einen gültigen Wert ein"));
    EXPECT_EQ(e.Meldung(), QStringLiteral("Bitte geben Sie einen gültigen Wert ein"));
    EXPECT_STREQ(e.what(), "Bitte geben Sie einen gültigen Wert ein");
    const EFehler& basis = e;
    EXPECT_NE(dynamic_cast<const EInvalidValueException*>(&basis), nullptr);
}

TEST(Datendateien, MissingFilesInOrder)
{
    QTemporaryDir ordner;
    ASSERT_TRUE(ordner.isValid());
    const QDir dir(ordner.path());
    EXPECT_EQ(FehlendeDatendateien(dir), QStringList({"Data1.cry", "Data2.cry", "Data3.cry"}));
    for (const char* name : {"Data3.cry", "Data1.cry"}) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(FehlendeDatendateien(dir), QStringList({"Data2.cry"}));
    // A folder of that name is not a file.
    ASSERT_TRUE(dir.mkdir(QStringLiteral("Data2.cry")));
    EXPECT_EQ(FehlendeDatendateien(dir), QStringList({"Data2.cry"}));
}
