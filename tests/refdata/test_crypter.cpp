// Key generator, block cipher, blob format and data-file container.
#include "model/fehler.h"
#include "refdata/crypter.h"
#include "refdata/datendatei.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <new>
#include <random>
#include <vector>

namespace {

QString Testdatei(const QString& name)
{
    return QStringLiteral(TW_TESTDATEN "/") + name;
}

QByteArray LiesDatei(const QString& pfad)
{
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly))
        ADD_FAILURE() << "cannot open " << pfad.toStdString();
    return f.readAll();
}

void SchreibeDatei(const QString& pfad, const QByteArray& inhalt)
{
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(inhalt), inhalt.size());
}

void HaengeAn(QByteArray& a, std::uint32_t w)
{
    for (int i = 0; i < 4; ++i)
        a.append(static_cast<char>((w >> (8 * i)) & 0xFF));
}

std::uint32_t Wort(const QByteArray& a, qsizetype pos)
{
    std::uint32_t w = 0;
    for (int i = 3; i >= 0; --i)
        w = (w << 8) | static_cast<std::uint8_t>(a[pos + i]);
    return w;
}

// A blob built from the block cipher alone: header with `m` and the chaining value, then
// `bereich` (padding and plaintext) chained block by block; a tail short of a block stays plain.
QByteArray Handblob(const TCrypter& c, const QByteArray& bereich, std::int32_t m,
                    std::uint32_t kL = 0x11223344, std::uint32_t kR = 0x55667788)
{
    QByteArray blob;
    HaengeAn(blob, static_cast<std::uint32_t>(m));
    HaengeAn(blob, kL);
    HaengeAn(blob, kR);
    qsizetype i = 0;
    for (; i + 8 <= bereich.size(); i += 8) {
        std::uint32_t L = Wort(bereich, i) ^ kL;
        std::uint32_t R = Wort(bereich, i + 4) ^ kR;
        c.EncryptBlock(L, R);
        HaengeAn(blob, L);
        HaengeAn(blob, R);
        kL = L;
        kR = R;
    }
    blob.append(bereich.mid(i));
    return blob;
}

QByteArray Rekord(const QByteArray& blob)
{
    QByteArray r;
    HaengeAn(r, static_cast<std::uint32_t>(blob.size()));
    return r + blob;
}

std::unique_ptr<TCrypter> Crypter(const QByteArray& key)
{
    auto c = std::make_unique<TCrypter>();
    c->InitKey(key);
    return c;
}

bool GleicherPlan(const TCrypter& a, const TCrypter& b)
{
    return a.P() == b.P() && a.S() == b.S();
}

const QString kMeldung = QStringLiteral("Fehler beim Zugriff auf %1. Die Anwendung wird beendet.");

// The reference values of cipher.txt.
struct TVektoren {
    struct TKey {
        std::int32_t seed;
        int laenge;
        QByteArray key;
    };
    struct TWort {
        QString name;
        std::uint32_t wert;
    };
    struct TBlock {
        std::uint32_t L, R, eL, eR;
    };
    struct TBlob {
        QByteArray blob, klartext;
    };
    std::vector<TKey> keys;
    QByteArray planKey;
    std::vector<TWort> plan;
    std::vector<TBlock> bloecke;
    std::vector<TBlob> blobs;
};

const TVektoren& Vektoren()
{
    static const TVektoren alle = [] {
        TVektoren v;
        const QRegularExpression reKey(R"(^key seed (-?\d+) length (\d+) = ([0-9a-f]+)$)");
        const QRegularExpression rePlan(R"(^schedule key = key seed (-?\d+) length (\d+)$)");
        const QRegularExpression reWort(R"((P|S[0-3])\[(\d+)\]=([0-9a-f]{8}))");
        const QRegularExpression reBlock(
            R"(^EncryptBlock\(L=(\w{8}), R=(\w{8})\) = \(L=(\w{8}), R=(\w{8})\)$)");
        const QRegularExpression reBlob(R"(^blob \(\d+ bytes\) = (\w+) decrypts to (\w+)$)");
        const QList<QByteArray> zeilen = LiesDatei(Testdatei("cipher.txt")).split('\n');
        for (const QByteArray& z : zeilen) {
            const QString zeile = QString::fromLatin1(z).trimmed();
            if (auto m = reKey.match(zeile); m.hasMatch()) {
                v.keys.push_back({m.captured(1).toInt(), m.captured(2).toInt(),
                                  QByteArray::fromHex(m.captured(3).toLatin1())});
            } else if (auto mp = rePlan.match(zeile); mp.hasMatch()) {
                v.planKey = GenerateKey(mp.captured(1).toInt(), mp.captured(2).toInt());
            } else if (zeile.startsWith(QLatin1String("after InitKey"))) {
                for (auto it = reWort.globalMatch(zeile); it.hasNext();) {
                    const auto mw = it.next();
                    v.plan.push_back({mw.captured(1) + '[' + mw.captured(2) + ']',
                                      mw.captured(3).toUInt(nullptr, 16)});
                }
            } else if (auto mb = reBlock.match(zeile); mb.hasMatch()) {
                v.bloecke.push_back(
                    {mb.captured(1).toUInt(nullptr, 16), mb.captured(2).toUInt(nullptr, 16),
                     mb.captured(3).toUInt(nullptr, 16), mb.captured(4).toUInt(nullptr, 16)});
            } else if (auto ml = reBlob.match(zeile); ml.hasMatch()) {
                v.blobs.push_back({QByteArray::fromHex(ml.captured(1).toLatin1()),
                                   QByteArray::fromHex(ml.captured(2).toLatin1())});
            }
        }
        return v;
    }();
    return alle;
}

std::uint32_t Planwort(const TCrypter& c, const QString& name)
{
    const int i = name.section('[', 1).chopped(1).toInt();
    if (name.startsWith('P'))
        return c.P()[i];
    return c.S()[name[1].digitValue()][i];
}

} // namespace

// ---- key generator ----

TEST(Schluessel, KnownAnswers)
{
    const auto& v = Vektoren();
    ASSERT_EQ(v.keys.size(), 6u);
    for (const auto& k : v.keys) {
        SCOPED_TRACE(k.seed);
        EXPECT_EQ(GenerateKey(k.seed, k.laenge).toHex(), k.key.toHex());
    }
}

TEST(Schluessel, KeyRandomContinuesFromSeed)
{
    // Seed 1: first state 134775814, second state 134775814 * 134775813 + 1 mod 2^32.
    GenerateKey(1, 0);
    EXPECT_EQ(KeyRandom(1000), 31u); // floor(134775814 * 1000 / 2^32)
    EXPECT_EQ(KeyRandom(256), 0xDCu);
    GenerateKey(1, 0);
    EXPECT_EQ(KeyRandom(256), 0x08u);
    EXPECT_EQ(KeyRandom(1), 0u);

    // GenerateKey starts from its seed, whatever ran before.
    const QByteArray a = GenerateKey(-5, 20);
    KeyRandom(7);
    EXPECT_EQ(GenerateKey(-5, 20), a);
    EXPECT_TRUE(GenerateKey(3, -1).isEmpty());
}

TEST(Schluessel, DataFiles)
{
    EXPECT_STREQ(Data1.Name, "Data1.cry");
    EXPECT_STREQ(Data2.Name, "Data2.cry");
    EXPECT_STREQ(Data3.Name, "Data3.cry");
    EXPECT_EQ(Data1.Schluessellaenge, 43);
    EXPECT_EQ(Data2.Schluessellaenge, 38);
    EXPECT_EQ(Data3.Schluessellaenge, 39);
    EXPECT_NE(Data1.Seed, Data2.Seed);
    EXPECT_NE(Data1.Seed, Data3.Seed);
    EXPECT_NE(Data2.Seed, Data3.Seed);
    // The delivered files are encrypted under exactly these keys.
    EXPECT_EQ(
        GenerateKey(Data1.Seed, Data1.Schluessellaenge).toHex(),
        "24902d88d023d15bf5a3415fb9ad9a14fb61edae06388fac236e83c8fe686fadef77d9277ef4ada6c59745");
    EXPECT_EQ(GenerateKey(Data2.Seed, Data2.Schluessellaenge).toHex(),
              "e47578869aa0c47973fd27e9c32524f2a033482e17274527f66dae02e1889f966f41b6598bd1");
    EXPECT_EQ(GenerateKey(Data3.Seed, Data3.Schluessellaenge).toHex(),
              "9983c27ca3955169aa17a4c976b7c5cde3df31a533475233ce944ea560f9dcf5a600ebaa49f040");
}

// ---- key schedule ----

TEST(Schluesselplan, KnownAnswers)
{
    const auto& v = Vektoren();
    ASSERT_EQ(v.plan.size(), 6u);
    ASSERT_EQ(v.planKey.size(), 43);
    const auto c = Crypter(v.planKey);
    for (const auto& w : v.plan)
        EXPECT_EQ(Planwort(*c, w.name), w.wert) << w.name.toStdString();
}

TEST(Schluesselplan, KeyIsReadCyclicallyOver72Bytes)
{
    for (int laenge : {1, 5, 38, 39, 43, 72}) {
        SCOPED_TRACE(laenge);
        const QByteArray key = GenerateKey(99, laenge);
        QByteArray lang;
        while (lang.size() < 72)
            lang += key;
        lang.truncate(72);
        EXPECT_TRUE(GleicherPlan(*Crypter(key), *Crypter(lang)));
        // Bytes beyond the 72 mixed in do not count.
        EXPECT_TRUE(GleicherPlan(*Crypter(lang), *Crypter(lang + "xyz")));
    }
}

TEST(Schluesselplan, ZeroBytesCount)
{
    const QByteArray key = GenerateKey(7, 38);
    EXPECT_FALSE(GleicherPlan(*Crypter(key), *Crypter(key + '\0')));
    EXPECT_FALSE(GleicherPlan(*Crypter(QByteArray("\x01\x00", 2)), *Crypter("\x01")));
    EXPECT_FALSE(GleicherPlan(*Crypter(QByteArray("\0ab", 3)), *Crypter("ab")));
    // A key of one zero byte mixes nothing in, like 72 zero bytes.
    EXPECT_TRUE(GleicherPlan(*Crypter(QByteArray(1, '\0')), *Crypter(QByteArray(72, '\0'))));
}

// ---- block cipher ----

TEST(Block, KnownAnswers)
{
    const auto& v = Vektoren();
    ASSERT_EQ(v.bloecke.size(), 3u);
    const auto c = Crypter(v.planKey);
    for (const auto& b : v.bloecke) {
        std::uint32_t L = b.L, R = b.R;
        c->EncryptBlock(L, R);
        EXPECT_EQ(L, b.eL);
        EXPECT_EQ(R, b.eR);
        c->DecryptBlock(L, R);
        EXPECT_EQ(L, b.L);
        EXPECT_EQ(R, b.R);
    }
}

TEST(Block, DecryptInvertsEncrypt)
{
    const auto c = Crypter(GenerateKey(Data2.Seed, 38));
    std::mt19937 zufall(17);
    for (int i = 0; i < 1000; ++i) {
        const std::uint32_t L0 = zufall(), R0 = zufall();
        std::uint32_t L = L0, R = R0;
        c->DecryptBlock(L, R);
        c->EncryptBlock(L, R);
        ASSERT_EQ(L, L0);
        ASSERT_EQ(R, R0);
    }
}

// ---- blobs ----

TEST(Blob, KnownAnswers)
{
    const auto& v = Vektoren();
    ASSERT_EQ(v.blobs.size(), 3u);
    TCrypter c;
    for (const auto& b : v.blobs) {
        QByteArray klartext;
        EXPECT_EQ(c.Decrypt(b.blob.constData(), b.blob.size(), v.planKey, klartext),
                  b.klartext.size());
        EXPECT_EQ(klartext.toHex(), b.klartext.toHex());
    }
}

TEST(Blob, ValidityAndPaddingInFront)
{
    struct TFall {
        int bereich;    // bytes after the header
        std::int32_t m; // plaintext length field
        int erwartet;   // result, -1 for an invalid blob
    };
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    const TFall faelle[] = {{8, 8, 8},     {8, 1, 1},    {8, 0, -1},   {8, 9, -1},   {8, -1, -1},
                            {16, 9, 9},    {16, 16, 16}, {16, 8, -1},  {16, 17, -1}, {4, 4, -1},
                            {4, 0, -1},    {0, 0, -1},   {12, 12, -1}, {12, 5, -1},  {40, 33, 33},
                            {8, kMin, -1}, {8, kMax, -1}};
    const auto c = Crypter(GenerateKey(Data1.Seed, 43));
    for (const auto& f : faelle) {
        SCOPED_TRACE(testing::Message() << "area " << f.bereich << ", m " << f.m);
        QByteArray bereich;
        for (int i = 0; i < f.bereich; ++i)
            bereich.append(static_cast<char>('a' + i));
        const QByteArray blob = Handblob(*c, bereich, f.m);
        QByteArray klartext("alt");
        EXPECT_EQ(c->DecryptBlob(blob.constData(), blob.size(), klartext), f.erwartet);
        EXPECT_EQ(klartext, f.erwartet < 0 ? QByteArray() : bereich.right(f.erwartet));
    }
}

TEST(Blob, ChainingConfinesDamage)
{
    const auto c = Crypter(GenerateKey(Data3.Seed, 39));
    const QByteArray bereich = "0123456789abcdefghijklmnopqrstuv"; // four blocks
    const QByteArray blob = Handblob(*c, bereich, 32);
    QByteArray klartext;
    ASSERT_EQ(c->DecryptBlob(blob.constData(), blob.size(), klartext), 32);
    ASSERT_EQ(klartext, bereich);

    // A changed bit of the header's left word flips the same bit of the first block only.
    QByteArray b = blob;
    b[5] = static_cast<char>(b[5] ^ 0x10);
    ASSERT_EQ(c->DecryptBlob(b.constData(), b.size(), klartext), 32);
    QByteArray erwartet = bereich;
    erwartet[1] = static_cast<char>(erwartet[1] ^ 0x10);
    EXPECT_EQ(klartext, erwartet);

    // A changed ciphertext block spoils itself and flips the same bit in the next block.
    b = blob;
    b[12 + 8 + 6] = static_cast<char>(b[12 + 8 + 6] ^ 0x01);
    ASSERT_EQ(c->DecryptBlob(b.constData(), b.size(), klartext), 32);
    EXPECT_EQ(klartext.left(8), bereich.left(8));
    EXPECT_NE(klartext.mid(8, 8), bereich.mid(8, 8));
    erwartet = bereich.mid(16);
    erwartet[6] = static_cast<char>(erwartet[6] ^ 0x01);
    EXPECT_EQ(klartext.mid(16), erwartet);
}

TEST(Blob, DecryptRunsKeySchedule)
{
    const QByteArray key = GenerateKey(Data2.Seed, 38);
    const QByteArray blob = Handblob(*Crypter(key), "12345678", 6);
    TCrypter c;
    c.InitKey(GenerateKey(Data1.Seed, 43));
    QByteArray klartext;
    EXPECT_EQ(c.Decrypt(blob.constData(), blob.size(), key, klartext), 6);
    EXPECT_EQ(klartext, "345678");
    EXPECT_TRUE(GleicherPlan(c, *Crypter(key)));
    EXPECT_EQ(c.Decrypt(blob.constData(), 15, key, klartext), -1);
    EXPECT_TRUE(klartext.isEmpty());
}

TEST(Blob, WriterMatchesHandBuiltBlobs)
{
    const auto c = Crypter(GenerateKey(Data1.Seed, 43));
    for (int m = 1; m <= 40; ++m) {
        SCOPED_TRACE(m);
        QByteArray klartext;
        for (int i = 0; i < m; ++i)
            klartext.append(static_cast<char>(0xF0 - 3 * i));
        const int polster = (8 - m % 8) % 8;
        const QByteArray blob = c->EncryptBlob(klartext, 0xCAFEBABE, 0x0BADF00D, polster);
        EXPECT_EQ(blob,
                  Handblob(*c, QByteArray(polster, '\0') + klartext, m, 0xCAFEBABE, 0x0BADF00D));
        QByteArray zurueck;
        EXPECT_EQ(c->DecryptBlob(blob.constData(), blob.size(), zurueck), m);
        EXPECT_EQ(zurueck, klartext);
        // Padding that does not fill the last block is refused.
        EXPECT_TRUE(c->EncryptBlob(klartext, 1, 2, (polster + 1) % 8).isEmpty());
    }
    EXPECT_TRUE(c->EncryptBlob(QByteArray(), 1, 2, 0).isEmpty());
    EXPECT_TRUE(c->EncryptBlob("abcdefgh", 1, 2, 8).isEmpty());
    EXPECT_TRUE(c->EncryptBlob("abcdefg", 1, 2, -7).isEmpty());
}

// ---- container ----

namespace {

struct TBeispiel {
    const char* cry;
    const char* payload;
    std::int32_t seed;
    int laenge;
};
const TBeispiel kBeispiele[] = {
    {"sample-csv.cry", "sample-csv.payload", 777, 43},
    {"sample-binary.cry", "sample-binary.payload", 4242, 39},
};

// Expects the access error for `name` from reading `datei` both from memory and from a file.
void ErwarteZugriffsfehler(const QByteArray& datei, const QByteArray& key)
{
    QByteArray strom;
    try {
        DecryptBytesToStream(datei, strom, key, QStringLiteral("Data1.cry"));
        ADD_FAILURE() << "no error from memory";
    } catch (const ESchwererFehler& e) {
        EXPECT_EQ(e.Meldung(), kMeldung.arg("Data1.cry"));
    }
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath("Data2.cry");
    SchreibeDatei(pfad, datei);
    try {
        DecryptFileToStream(pfad, strom, key);
        ADD_FAILURE() << "no error from the file";
    } catch (const ESchwererFehler& e) {
        EXPECT_EQ(e.Meldung(), kMeldung.arg("Data2.cry"));
    }
}

} // namespace

TEST(Container, SampleFiles)
{
    for (const auto& b : kBeispiele) {
        SCOPED_TRACE(b.cry);
        const QByteArray key = GenerateKey(b.seed, b.laenge);
        const QByteArray payload = LiesDatei(Testdatei(b.payload));
        ASSERT_FALSE(payload.isEmpty());
        QByteArray strom("vorher");
        DecryptFileToStream(Testdatei(b.cry), strom, key);
        EXPECT_EQ(strom, payload);
        strom = "vorher";
        DecryptBytesToStream(LiesDatei(Testdatei(b.cry)), strom, key, "x");
        EXPECT_EQ(strom, payload);
    }
}

TEST(Container, EmptyFileGivesEmptyStream)
{
    QTemporaryDir ordner;
    SchreibeDatei(ordner.filePath("leer.cry"), QByteArray());
    QByteArray strom("vorher");
    DecryptFileToStream(ordner.filePath("leer.cry"), strom, GenerateKey(1, 43));
    EXPECT_TRUE(strom.isEmpty());
}

TEST(Container, InvalidBlobsAreSkipped)
{
    const QByteArray key = GenerateKey(Data2.Seed, 38);
    const auto c = Crypter(key);
    const QByteArray datei = Rekord(Handblob(*c, "xxxxxabc", 3)) +
                             Rekord(Handblob(*c, "0123", 4)) +             // 16 bytes
                             Rekord(QByteArray()) +                        // empty blob
                             Rekord(Handblob(*c, "01234567", 0)) +         // m = 0
                             Rekord(Handblob(*c, "0123456789abcdef", 8)) + // p = 8
                             Rekord(Handblob(*c, "xxxdefgh", 5));
    QByteArray strom;
    DecryptBytesToStream(datei, strom, key, "Data2.cry");
    EXPECT_EQ(strom, "abcdefgh");
}

TEST(Container, AccessErrors)
{
    const QByteArray key = GenerateKey(Data1.Seed, 43);
    const QByteArray gut = Rekord(Handblob(*Crypter(key), "12345678", 8));
    QByteArray minus1, minimal, zuLang, riesig;
    HaengeAn(minus1, 0xFFFFFFFFu);
    HaengeAn(minimal, 0x80000000u);
    HaengeAn(zuLang, 21);
    zuLang += QByteArray(20, 'z');
    HaengeAn(riesig, 0x7FFFFFFFu);
    riesig += QByteArray(100, 'z');
    const QByteArray schwanz[] = {QByteArray(1, '\x14'),
                                  QByteArray(2, '\x14'),
                                  QByteArray(3, '\x14'),
                                  minus1 + gut,
                                  minimal,
                                  zuLang,
                                  riesig};
    for (const QByteArray& s : schwanz) {
        SCOPED_TRACE(s.left(8).toHex().toStdString());
        ErwarteZugriffsfehler(gut + s, key);
        ErwarteZugriffsfehler(s, key);
    }
}

namespace {
qint64 groessteAnforderung = 0;
void MerkeAnforderung(qint64 bytes)
{
    groessteAnforderung = std::max(groessteAnforderung, bytes);
}
void KeinSpeicher(qint64)
{
    throw std::bad_alloc();
}
} // namespace

TEST(Container, MemoryFollowsThePlaintextAndItsLackIsAnAccessError)
{
    // Buffers grow with what is read, never to the size the file claims.
    const QByteArray payload = LiesDatei(Testdatei("sample-csv.payload"));
    const QByteArray key = GenerateKey(777, 43);
    groessteAnforderung = 0;
    const TSpeicherHaken alt = SetzeSpeicherHaken(MerkeAnforderung);
    QByteArray strom;
    DecryptFileToStream(Testdatei("sample-csv.cry"), strom, key);
    EXPECT_EQ(strom, payload);
    EXPECT_GT(groessteAnforderung, 0);
    EXPECT_LE(groessteAnforderung, payload.size());

    SetzeSpeicherHaken(KeinSpeicher);
    ErwarteZugriffsfehler(LiesDatei(Testdatei("sample-csv.cry")), key);
    SetzeSpeicherHaken(alt);
}

TEST(Container, UnreadableFile)
{
    QTemporaryDir ordner;
    QByteArray strom;
    // A sparse file far larger than any data file is refused before it is read.
    QFile riesig(ordner.filePath("riesig.cry"));
    ASSERT_TRUE(riesig.open(QIODevice::WriteOnly) && riesig.resize(qint64{1} << 40));
    riesig.close();
    for (const QString& pfad :
         {ordner.filePath("fehlt.cry"), ordner.path(), ordner.filePath("riesig.cry")}) {
        try {
            DecryptFileToStream(pfad, strom, GenerateKey(1, 43));
            ADD_FAILURE() << pfad.toStdString();
        } catch (const ESchwererFehler& e) {
            EXPECT_EQ(e.Meldung(), kMeldung.arg(QFileInfo(pfad).fileName()));
        }
    }
}

TEST(Container, TruncationAtEveryLength)
{
    const QByteArray datei = LiesDatei(Testdatei("sample-csv.cry"));
    const QByteArray payload = LiesDatei(Testdatei("sample-csv.payload"));
    const QByteArray key = GenerateKey(777, 43);

    // Record boundaries and the plaintext that the records before them hold.
    std::vector<std::pair<qsizetype, qsizetype>> grenzen{{0, 0}};
    for (qsizetype pos = 0, klar = 0; pos < datei.size();) {
        const qsizetype n = Wort(datei, pos);
        klar += Wort(datei, pos + 4);
        pos += 4 + n;
        grenzen.emplace_back(pos, klar);
    }
    ASSERT_EQ(grenzen.back(), std::make_pair(datei.size(), payload.size()));

    std::size_t naechste = 0;
    for (qsizetype laenge = 0; laenge <= datei.size(); ++laenge) {
        SCOPED_TRACE(laenge);
        QByteArray strom;
        if (grenzen[naechste].first == laenge) {
            DecryptBytesToStream(datei.left(laenge), strom, key, "Data1.cry");
            EXPECT_EQ(strom, payload.left(grenzen[naechste].second));
            ++naechste;
        } else {
            EXPECT_THROW(DecryptBytesToStream(datei.left(laenge), strom, key, "Data1.cry"),
                         ESchwererFehler);
        }
    }
    EXPECT_EQ(naechste, grenzen.size());
}

TEST(Container, TamperedRecordStaysInItsBlob)
{
    const QByteArray datei = LiesDatei(Testdatei("sample-csv.cry"));
    const QByteArray payload = LiesDatei(Testdatei("sample-csv.payload"));
    const QByteArray key = GenerateKey(777, 43);
    const qsizetype satz = 4 + 52; // records of 37 plaintext bytes and 3 bytes padding
    ASSERT_EQ(Wort(datei, 0), 52u);

    // Every ciphertext byte of the fourth record: damage only within its 37 bytes.
    for (qsizetype i = 3 * satz + 16; i < 4 * satz; ++i) {
        QByteArray b = datei;
        b[i] = static_cast<char>(b[i] ^ 0x40);
        QByteArray strom;
        DecryptBytesToStream(b, strom, key, "Data1.cry");
        ASSERT_EQ(strom.size(), payload.size());
        EXPECT_EQ(strom.left(3 * 37), payload.left(3 * 37));
        EXPECT_EQ(strom.mid(4 * 37), payload.mid(4 * 37));
        EXPECT_NE(strom.mid(3 * 37, 37), payload.mid(3 * 37, 37)) << i;
    }

    // A plaintext length that makes the third blob invalid drops just its bytes.
    QByteArray b = datei;
    b[2 * satz + 4] = 100;
    QByteArray strom;
    DecryptBytesToStream(b, strom, key, "Data1.cry");
    EXPECT_EQ(strom, payload.left(2 * 37) + payload.mid(3 * 37));
}

TEST(Container, LeseDatendateiUsesTheFilesKey)
{
    QTemporaryDir ordner;
    const auto c = Crypter(GenerateKey(Data3.Seed, Data3.Schluessellaenge));
    const QByteArray klartext = "TPF0 und noch etwas mehr";
    SchreibeDatei(ordner.filePath("Data3.cry"),
                  Rekord(c->EncryptBlob(klartext.left(16), 1, 2, 0)) +
                      Rekord(c->EncryptBlob(klartext.mid(16), 3, 4, 0)));
    EXPECT_EQ(LeseDatendatei(Data3, ordner.path()), klartext);

    QFile::copy(ordner.filePath("Data3.cry"), ordner.filePath("Data1.cry"));
    const QByteArray falsch = LeseDatendatei(Data1, ordner.path());
    EXPECT_EQ(falsch.size(), klartext.size());
    EXPECT_NE(falsch, klartext);

    try {
        LeseDatendatei(Data2, ordner.path());
        ADD_FAILURE();
    } catch (const ESchwererFehler& e) {
        EXPECT_EQ(e.Meldung(), kMeldung.arg("Data2.cry"));
    }
}
