// The container of the three data files: records of a length and a blob, decrypted into one stream.
#include "refdata/datendatei.h"

#include "model/fehler.h"
#include "refdata/crypter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <exception>
#include <memory>
#include <utility>

const TDatendatei Data1{"Data1.cry", -1194620981, 43};
const TDatendatei Data2{"Data2.cry", 1593047215, 38};
const TDatendatei Data3{"Data3.cry", 730218449, 39};

namespace {

TSpeicherHaken speicherHaken = nullptr;

// Every growth of a buffer of the reader passes here first.
void Speicher(qint64 bytes)
{
    if (speicherHaken)
        speicherHaken(bytes);
}

[[noreturn]] void Zugriff(const QString& name)
{
    throw Zugriffsfehler(name);
}

std::int32_t LiesLaenge(const char* q)
{
    const auto* b = reinterpret_cast<const unsigned char*>(q);
    const std::uint32_t w = std::uint32_t{b[0]} | (std::uint32_t{b[1]} << 8) |
                            (std::uint32_t{b[2]} << 16) | (std::uint32_t{b[3]} << 24);
    return static_cast<std::int32_t>(w);
}

// Container bytes already in memory.
class TSpeicherQuelle {
public:
    explicit TSpeicherQuelle(const QByteArray& daten) : m_daten(daten) {}
    qint64 Rest() const { return m_daten.size() - m_pos; }
    const char* Hole(qint64 n)
    {
        const char* p = m_daten.constData() + m_pos;
        m_pos += n;
        return p;
    }

private:
    const QByteArray& m_daten;
    qint64 m_pos = 0;
};

// Container bytes read from an open file, one record at a time.
class TDateiQuelle {
public:
    explicit TDateiQuelle(QFile& datei) : m_datei(datei), m_groesse(datei.size()) {}
    qint64 Rest() const { return m_groesse - m_pos; }
    // The next `n` bytes (n <= Rest()), or nullptr when they cannot be read.
    const char* Hole(qint64 n)
    {
        Speicher(n);
        m_puffer.resize(n);
        if (m_datei.read(m_puffer.data(), n) != n)
            return nullptr;
        m_pos += n;
        return m_puffer.constData();
    }

private:
    QFile& m_datei;
    qint64 m_groesse;
    qint64 m_pos = 0;
    QByteArray m_puffer;
};

// Far above any data file the program ships (a few MB): a larger file is damaged, and reading
// it through would take long for nothing.
constexpr qint64 MaxDateigroesse = qint64{256} * 1024 * 1024;

// Reads records up to the end. Every length is checked against the bytes that remain before
// anything is allocated, so the stream never grows beyond the container's size. Nothing is
// reserved for the size the file claims: the stream grows with the plaintext actually read.
template <class Quelle>
void LeseContainer(Quelle& quelle, QByteArray& strom, const TCrypter& crypter, const QString& name)
{
    QByteArray klartext;
    while (quelle.Rest() > 0) {
        if (quelle.Rest() < 4)
            Zugriff(name);
        const char* kopf = quelle.Hole(4);
        if (kopf == nullptr)
            Zugriff(name);
        const std::int32_t n = LiesLaenge(kopf);
        if (n < 0 || n > quelle.Rest())
            Zugriff(name);
        const char* blob = quelle.Hole(n);
        if (blob == nullptr)
            Zugriff(name);
        if (crypter.DecryptBlob(blob, n, klartext) > 0) {
            Speicher(strom.size() + klartext.size());
            strom.append(klartext);
        }
    }
}

// Runs `lesen`; any failure in it, running out of memory included, is the file's access error.
template <class F> void MitZugriffsfehler(const QString& name, QByteArray& strom, F lesen)
{
    try {
        lesen();
    } catch (const ESchwererFehler&) {
        throw;
    } catch (const std::exception&) {
        strom = QByteArray(); // gives the memory back
        Zugriff(name);
    }
}

// Drops control characters and trailing full stops; very long reasons are cut.
QString Lesbar(const QString& grund)
{
    constexpr qsizetype Hoechstens = 300;
    QString aus;
    aus.reserve(std::min(grund.size(), Hoechstens + 1));
    for (const QChar c : grund) {
        if (aus.size() > Hoechstens)
            break;
        if (c.category() != QChar::Other_Control)
            aus.append(c);
    }
    if (aus.size() > Hoechstens) {
        aus.truncate(Hoechstens);
        aus.append(u'\u2026');
    }
    aus = aus.trimmed();
    while (aus.endsWith(u'.'))
        aus.chop(1);
    return aus.trimmed();
}

QString Anzeigename(const QString& dateiname, const QString& anzeigename)
{
    return anzeigename.isEmpty() ? QFileInfo(dateiname).fileName() : anzeigename;
}

} // namespace

void DecryptFileToStream(const QString& dateiname, QByteArray& strom, const QByteArray& key,
                         const QString& anzeigename)
{
    strom.resize(0); // keeps the capacity for the next file
    const QString name = Anzeigename(dateiname, anzeigename);
    MitZugriffsfehler(name, strom, [&] {
        QFile datei(dateiname);
        if (!datei.open(QIODevice::ReadOnly) || datei.isSequential() ||
            datei.size() > MaxDateigroesse)
            Zugriff(name);

        // The key schedule depends only on the key: once per file.
        auto crypter = std::make_unique<TCrypter>();
        crypter->InitKey(key);
        TDateiQuelle quelle(datei);
        LeseContainer(quelle, strom, *crypter, name);
    });
}

void DecryptBytesToStream(const QByteArray& datei, QByteArray& strom, const QByteArray& key,
                          const QString& anzeigename)
{
    strom.resize(0); // keeps the capacity for the next file
    MitZugriffsfehler(anzeigename, strom, [&] {
        auto crypter = std::make_unique<TCrypter>();
        crypter->InitKey(key);
        TSpeicherQuelle quelle(datei);
        LeseContainer(quelle, strom, *crypter, anzeigename);
    });
}

QByteArray LeseDatendatei(const TDatendatei& datei, const QString& ordner)
{
    QByteArray strom;
    DecryptFileToStream(QDir(ordner).filePath(QString::fromLatin1(datei.Name)), strom,
                        GenerateKey(datei.Seed, datei.Schluessellaenge),
                        QString::fromLatin1(datei.Name));
    return strom;
}

ESchwererFehler Zugriffsfehler(const QString& name)
{
    return ESchwererFehler(
        QStringLiteral("Fehler beim Zugriff auf %1. Die Anwendung wird beendet.").arg(name));
}

QString Tabellenfehler(const QString& name, const QString& grund, const QString& zusatz)
{
    QString text =
        QStringLiteral("Die Datei %1 enthält keine gültige Tabelle (%2).").arg(name, Lesbar(grund));
    if (!zusatz.isEmpty())
        text += u' ' + zusatz;
    return text;
}

TSpeicherHaken SetzeSpeicherHaken(TSpeicherHaken haken)
{
    return std::exchange(speicherHaken, haken);
}
