// Version block reader: blocks built here and hidden inside files, the real program file, the
// four failure messages and malformed blocks.
#include "app/ueber/ovoversioninfo.h"
#include "app/ueber/versionsressource.h"
#include "model/fehler.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <gtest/gtest.h>

namespace vr = versionsressource;

namespace {
QString U(const char* text)
{
    return QString::fromUtf8(text);
}

vr::TVersionsAngaben Beispiel()
{
    vr::TVersionsAngaben a;
    a.DateiVersion = {2, 5, 17, 301};
    a.ProduktVersion = {2, 5, 0, 0};
    a.Texte = {{U("CompanyName"), U("Brunnhuber & Kessler Softwarehaus GmbH")},
               {U("FileDescription"), U("Zisternenberechnung")},
               {U("FileVersion"), U("2.5.17.301")},
               {U("InternalName"), U("tw")},
               {U("LegalCopyright"), U("© 2003 Brunnhuber & Kessler")},
               {U("OriginalFilename"), U("tw.exe")},
               {U("ProductName"), U("Tropfwerk 2003")},
               {U("ProductVersion"), U("2.5")},
               {U("ProduktDatum"), U("24.12.2003")},
               {U("Leer"), U("")}};
    return a;
}

// Bytes that are not a block, some of them zero.
QByteArray Fuell(qsizetype n, char start)
{
    QByteArray d(n, '\0');
    for (qsizetype i = 0; i < n; ++i)
        d[i] = static_cast<char>(start + i * 7 % 251);
    return d;
}

class VersionsInfo : public ::testing::Test {
protected:
    // A file with the content; its name.
    QString Datei(const QByteArray& inhalt, const char* name = "programm")
    {
        const QString pfad = m_ordner.filePath(QString::fromLatin1(name));
        QFile f(pfad);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(inhalt);
        return pfad;
    }
    // The block between other bytes, as inside a program file.
    QString Programm(const QByteArray& block)
    {
        return Datei(Fuell(1001, 'a') + block + Fuell(333, 'q'));
    }
    // The message Load raises, or "" when it loads.
    static QString Fehler(TOvoVersionInfo& info)
    {
        try {
            info.Load();
        } catch (const EOvoVersionInfo& e) {
            return e.Meldung();
        }
        return QString();
    }

    QTemporaryDir m_ordner;
};

TEST_F(VersionsInfo, LiestDieAchtStandardtexteUndEigeneSchluessel)
{
    TOvoVersionInfo info(Programm(vr::BaueVersionsblock(Beispiel())));
    ASSERT_EQ(Fehler(info), QString());
    EXPECT_TRUE(info.Loaded());
    const struct {
        int Schluessel;
        const char* Wert;
    } faelle[] = {
        {TOvoVersionInfo::viCompanyName, "Brunnhuber & Kessler Softwarehaus GmbH"},
        {TOvoVersionInfo::viFileDescription, "Zisternenberechnung"},
        {TOvoVersionInfo::viFileVersion, "2.5.17.301"},
        {TOvoVersionInfo::viInternalName, "tw"},
        {TOvoVersionInfo::viLegalCopyright, "© 2003 Brunnhuber & Kessler"},
        {TOvoVersionInfo::viOriginalFilename, "tw.exe"},
        // Asked for as "Productname": keys compare without case.
        {TOvoVersionInfo::viProductName, "Tropfwerk 2003"},
        {TOvoVersionInfo::viProductVersion, "2.5"},
        {8, ""},
        {-1, ""},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(info.GetValue(f.Schluessel), U(f.Wert)) << f.Schluessel;
    EXPECT_EQ(info.GetValueByName(U("ProduktDatum")), U("24.12.2003"));
    EXPECT_EQ(info.GetValueByName(U("produktdatum")), U("24.12.2003"));
    EXPECT_EQ(info.GetValueByName(U("Leer")), QString());
    EXPECT_EQ(info.GetValueByName(U("Fehlt")), QString());
    EXPECT_EQ(info.GetValueByName(QString()), QString());

    ASSERT_EQ(info.Translations().size(), 1u);
    EXPECT_EQ(info.Translations()[0].Language, 0x0407);
    EXPECT_EQ(info.Translations()[0].CodePage, 0x04E4);
    EXPECT_EQ(info.Prefix(), U("\\StringFileInfo\\040704E4\\"));
    EXPECT_EQ(info.FixedFileInfo().Signatur, vr::FesteInfoSignatur);
    EXPECT_EQ(info.FixedFileInfo().DateiVersionMS, 0x00020005u);
    EXPECT_EQ(info.FixedFileInfo().DateiVersionLS, 0x0011012Du);
    EXPECT_EQ(info.FixedFileInfo().ProduktVersionMS, 0x00020005u);
    EXPECT_EQ(info.FixedFileInfo().ProduktVersionLS, 0u);

    info.Unload();
    EXPECT_FALSE(info.Loaded());
    EXPECT_EQ(info.Size(), 0u);
    EXPECT_EQ(info.GetValue(TOvoVersionInfo::viProductName), QString());
}

TEST_F(VersionsInfo, DasPraefixFolgtDerGewaehltenUebersetzung)
{
    // English table first, German second; the translation table names German first.
    std::vector<vr::TVersionsKnoten> tabellen;
    tabellen.push_back(vr::StringTabelle(U("040904B0"), {{U("ProductName"), U("Dripworks")}}));
    tabellen.push_back(vr::StringTabelle(U("040704e4"), {{U("ProductName"), U("Tropfwerk")}}));
    std::vector<vr::TVersionsKnoten> kinder;
    kinder.push_back(vr::StringFileInfo(std::move(tabellen)));
    kinder.push_back(vr::VarFileInfo({0x04E40407, 0x04B00409, 0x12345678}));
    TOvoVersionInfo info(
        Programm(vr::Serialisiere(vr::Wurzel(vr::TFesteDateiInfo{}, std::move(kinder)))));
    ASSERT_EQ(Fehler(info), QString());
    EXPECT_EQ(info.GetValue(TOvoVersionInfo::viProductName), U("Tropfwerk"));
    // The table has one entry per four bytes, but only the first is taken over.
    ASSERT_EQ(info.Translations().size(), 3u);
    EXPECT_EQ(info.Translations()[1].Language, 0);
    info.SelectTranslation(1);
    EXPECT_EQ(info.Prefix(), U("\\StringFileInfo\\00000000\\"));
    EXPECT_EQ(info.GetValue(TOvoVersionInfo::viProductName), QString());
    info.SelectTranslation(3); // outside the table: ignored
    EXPECT_EQ(info.Prefix(), U("\\StringFileInfo\\00000000\\"));
    info.SelectTranslation(0);
    EXPECT_EQ(info.GetValue(TOvoVersionInfo::viProductName), U("Tropfwerk"));
}

TEST_F(VersionsInfo, DieVierFehlermeldungenLassenDasObjektUngeladen)
{
    const QByteArray gut = vr::BaueVersionsblock(Beispiel());
    const auto wurzel = [](std::optional<vr::TFesteDateiInfo> feste, bool mitVar,
                           std::vector<quint32> uebersetzungen) {
        std::vector<vr::TVersionsKnoten> kinder;
        std::vector<vr::TVersionsKnoten> tabellen;
        tabellen.push_back(vr::StringTabelle(U("040704E4"), {{U("ProductName"), U("x")}}));
        kinder.push_back(vr::StringFileInfo(std::move(tabellen)));
        if (mitVar)
            kinder.push_back(vr::VarFileInfo(uebersetzungen));
        return vr::Serialisiere(vr::Wurzel(feste, std::move(kinder)));
    };
    QByteArray falscheSignatur = gut;
    falscheSignatur[40] = static_cast<char>(falscheSignatur[40] ^ 0x01);
    // A translation value of two bytes holds no whole entry.
    vr::TVersionsKnoten kurz = vr::VarFileInfo({});
    kurz.Kinder[0].Wert = QByteArray("\x07\x04", 2);
    kurz.Kinder[0].WertLaenge = 2;
    std::vector<vr::TVersionsKnoten> kurzKinder;
    kurzKinder.push_back(std::move(kurz));

    const struct {
        const char* Name;
        QString Pfad;
        QString Meldung;
    } faelle[] = {
        {"ohne Block", Datei(Fuell(5000, 'x'), "ohne"),
         U("GetFileVersionInfoSize: Error: %1").arg(ENODATA)},
        {"leere Datei", Datei(QByteArray(), "leer"),
         U("GetFileVersionInfoSize: Error: %1").arg(ENODATA)},
        {"fehlende Datei", m_ordner.filePath(U("gibtsnicht")),
         U("GetFileVersionInfoSize: Error: %1").arg(ENOENT)},
        {"abgeschnitten", Datei(Fuell(64, 'a') + gut.left(gut.size() / 2), "kurz"),
         U("GetFileVersionInfo: Error: %1").arg(EIO)},
        {"ohne feste Info", Programm(wurzel(std::nullopt, true, {0x04E40407})),
         U("VerQueryValue: Error reading Root")},
        {"falsche Signatur", Datei(falscheSignatur, "signatur"),
         U("VerQueryValue: Error reading Root")},
        {"ohne VarFileInfo", Datei(wurzel(vr::TFesteDateiInfo{}, false, {}), "ohnevar"),
         U("VerQueryValue: Error reading Translation")},
        {"leere Uebersetzung", Datei(wurzel(vr::TFesteDateiInfo{}, true, {}), "leer2"),
         U("Translation array smaller than 1")},
        {"halbe Uebersetzung",
         Datei(vr::Serialisiere(vr::Wurzel(vr::TFesteDateiInfo{}, std::move(kurzKinder))), "halb"),
         U("Translation array smaller than 1")},
    };
    for (const auto& f : faelle) {
        TOvoVersionInfo info(f.Pfad);
        EXPECT_EQ(Fehler(info), f.Meldung) << f.Name;
        EXPECT_FALSE(info.Loaded()) << f.Name;
        EXPECT_EQ(info.GetValueByName(U("ProductName")), QString()) << f.Name;
    }

    // A failed load after a good one leaves nothing readable behind.
    TOvoVersionInfo info(Datei(gut, "gut"));
    ASSERT_EQ(Fehler(info), QString());
    info.SetFileName(faelle[0].Pfad);
    EXPECT_EQ(Fehler(info), faelle[0].Meldung);
    EXPECT_EQ(info.GetValueByName(U("ProductName")), QString());
}

TEST_F(VersionsInfo, FindetDenBlockHinterAttrappenUndUeberStueckgrenzen)
{
    const QByteArray block = vr::BaueVersionsblock(Beispiel());
    // The root key alone, without a fixed information, and a header that is no node.
    QByteArray attrappe = vr::Serialisiere(vr::Wurzel(std::nullopt, {}));
    QByteArray schluessel = block.mid(6, 32);
    // The reader reads in pieces of one MiB; the key of the block straddles the first border.
    const qsizetype vorne = (1 << 20) - 20;
    QByteArray inhalt = attrappe + Fuell(100, 'k') + schluessel;
    inhalt += Fuell(vorne - inhalt.size(), 'z');
    inhalt += block + Fuell(10, 'e');
    TOvoVersionInfo info(Datei(inhalt));
    ASSERT_EQ(Fehler(info), QString());
    EXPECT_EQ(info.GetValueByName(U("ProduktDatum")), U("24.12.2003"));

    // A block at the very start and at the very end of a file.
    TOvoVersionInfo amAnfang(Datei(block, "anfang"));
    EXPECT_EQ(Fehler(amAnfang), QString());
    TOvoVersionInfo amEnde(Datei(Fuell(3, 'a') + block, "ende"));
    EXPECT_EQ(Fehler(amEnde), QString());
}

TEST_F(VersionsInfo, LiestDenBlockDesEigenenProgramms)
{
    TOvoVersionInfo info(QCoreApplication::applicationFilePath());
    ASSERT_EQ(Fehler(info), QString());
    EXPECT_EQ(info.GetValue(TOvoVersionInfo::viProductName), U("Tropfwerk 2003"));
    EXPECT_EQ(info.GetValue(TOvoVersionInfo::viProductVersion), U(TW_PRODUKTVERSION));
    EXPECT_EQ(info.GetValue(TOvoVersionInfo::viCompanyName),
              U("Brunnhuber & Kessler Softwarehaus GmbH"));
    EXPECT_EQ(info.GetValue(TOvoVersionInfo::viLegalCopyright),
              U("Copyright © 2003 Brunnhuber & Kessler Softwarehaus GmbH"));
    EXPECT_EQ(info.GetValueByName(U("ProduktDatum")), U(TW_PRODUKTDATUM));
    EXPECT_EQ(info.Prefix(), U("\\StringFileInfo\\040704E4\\"));
}

// Every prefix and every damaged length of a block is answered without reading outside it.
TEST(VersionsBlock, BeschaedigteBloeckeWerdenAbgewiesen)
{
    const QByteArray block = vr::BaueVersionsblock(Beispiel());
    const QString pfade[] = {U("\\"), U("\\VarFileInfo\\Translation"),
                             U("\\StringFileInfo\\040704E4\\ProduktDatum")};
    QByteArrayView wert;
    for (const QString& pfad : pfade)
        EXPECT_TRUE(vr::VerQueryValue(block, pfad, wert)) << pfad.toStdString();
    for (qsizetype n = 0; n < block.size(); ++n) {
        const QByteArray teil = block.left(n);
        for (const QString& pfad : pfade)
            if (vr::VerQueryValue(teil, pfad, wert)) {
                EXPECT_GE(wert.data(), teil.constData());
                EXPECT_LE(wert.data() + wert.size(), teil.constData() + teil.size());
            }
    }
    for (qsizetype i = 0; i < block.size(); i += 2) {
        for (quint16 laenge : {quint16(0), quint16(1), quint16(7), quint16(0xFFFF)}) {
            QByteArray kaputt = block;
            kaputt[i] = static_cast<char>(laenge & 0xFF);
            kaputt[i + 1] = static_cast<char>(laenge >> 8);
            for (const QString& pfad : pfade)
                if (vr::VerQueryValue(kaputt, pfad, wert)) {
                    EXPECT_GE(wert.data(), kaputt.constData());
                    EXPECT_LE(wert.data() + wert.size(), kaputt.constData() + kaputt.size());
                }
        }
    }
    // A block cut anywhere inside its root header is no block at all.
    EXPECT_FALSE(vr::VerQueryValue(block.left(block.size() - 1), U("\\"), wert));
}

TEST(VersionsBlock, KnotenSindAufVierByteAusgerichtet)
{
    // Key "A" ends at byte 10, so the value starts at 12; the odd value's end (15) is padded to
    // 16 before the child starts.
    vr::TVersionsKnoten knoten;
    knoten.Schluessel = U("A");
    knoten.Typ = 0;
    knoten.Wert = QByteArray("xyz", 3);
    knoten.WertLaenge = 3;
    knoten.Kinder.push_back(vr::TextKnoten(U("B"), U("c")));
    const QByteArray d = vr::Serialisiere(knoten);
    ASSERT_EQ(d.size(), 16 + 16);
    EXPECT_EQ(static_cast<quint8>(d[0]), 32); // length of the whole node
    EXPECT_EQ(d.mid(12, 3), QByteArray("xyz"));
    EXPECT_EQ(static_cast<quint8>(d[16]), 16); // child: header 6, "B\0" 4, pad 2, "c\0" 4
    EXPECT_EQ(static_cast<quint8>(d[18]), 2);  // two characters including the terminator
    QByteArrayView wert;
    ASSERT_TRUE(vr::VerQueryValue(d, U("b"), wert));
    EXPECT_EQ(wert.toByteArray(), QByteArray("c\0\0\0", 4));
}
} // namespace
