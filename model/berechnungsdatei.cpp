// Calculation files. JSON is read by a small parser of its own that keeps every number as its
// text, so that values are read at full extended precision and never pass through double.
#include "model/berechnungsdatei.h"

#include "model/berechnung.h"
#include "model/fehler.h"
#include "model/grenzen.h"
#include "model/zahlenformat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString Formatname = QStringLiteral("Tropfwerk-Berechnung");
constexpr int Version = 1;
constexpr int MaxTiefe = 64;

// A reason why a text is no valid calculation.
struct TUngueltig {
    QString grund;
};

[[noreturn]] void ungueltig(const QString& grund)
{
    throw TUngueltig{grund};
}

QString feldname(const QString& name)
{
    return QStringLiteral("„%1“").arg(name);
}

struct TJson {
    enum class Art { Null, Wahr, Falsch, Zahl, Text, Liste, Objekt };
    Art art = Art::Null;
    std::string zahl; // a number's text as written
    QString text;
    std::vector<TJson> liste;        // a list's values, or an object's values
    std::vector<QString> schluessel; // an object's keys, in the order of `liste`
};

// Recursive descent over RFC 8259 JSON; nesting deeper than MaxTiefe is refused.
class TJsonLeser {
public:
    explicit TJsonLeser(const QByteArray& text) : m_p(text.constData()), m_ende(m_p + text.size())
    {
        m_anfang = m_p;
    }

    TJson Dokument()
    {
        if (m_ende - m_p >= 3 && static_cast<unsigned char>(m_p[0]) == 0xEF &&
            static_cast<unsigned char>(m_p[1]) == 0xBB &&
            static_cast<unsigned char>(m_p[2]) == 0xBF)
            m_p += 3; // byte order mark
        TJson wert = Wert(0);
        Leerraum();
        if (m_p != m_ende)
            Fehler();
        return wert;
    }

private:
    [[noreturn]] void Fehler() const
    {
        int zeile = 1;
        int spalte = 1;
        for (const char* c = m_anfang; c < m_p && c < m_ende; ++c) {
            if (*c == '\n') {
                ++zeile;
                spalte = 1;
            } else if ((static_cast<unsigned char>(*c) & 0xC0) != 0x80) {
                ++spalte; // one per character, not per UTF-8 byte
            }
        }
        ungueltig(
            QStringLiteral("kein gültiges JSON (Zeile %1, Spalte %2)").arg(zeile).arg(spalte));
    }

    void Leerraum()
    {
        while (m_p < m_ende && (*m_p == ' ' || *m_p == '\t' || *m_p == '\n' || *m_p == '\r'))
            ++m_p;
    }

    bool Wort(const char* wort)
    {
        const char* q = m_p;
        for (; *wort != '\0'; ++wort, ++q) {
            if (q >= m_ende || *q != *wort)
                return false;
        }
        m_p = q;
        return true;
    }

    TJson Wert(int tiefe)
    {
        if (tiefe > MaxTiefe)
            Fehler();
        Leerraum();
        if (m_p >= m_ende)
            Fehler();
        TJson wert;
        switch (*m_p) {
        case '{':
            wert.art = TJson::Art::Objekt;
            ++m_p;
            Leerraum();
            if (m_p < m_ende && *m_p == '}') {
                ++m_p;
                return wert;
            }
            for (;;) {
                Leerraum();
                if (m_p >= m_ende || *m_p != '"')
                    Fehler();
                QString schluessel = Text();
                Leerraum();
                if (m_p >= m_ende || *m_p != ':')
                    Fehler();
                ++m_p;
                wert.schluessel.push_back(std::move(schluessel));
                wert.liste.push_back(Wert(tiefe + 1));
                Leerraum();
                if (m_p < m_ende && *m_p == ',') {
                    ++m_p;
                    continue;
                }
                if (m_p < m_ende && *m_p == '}') {
                    ++m_p;
                    return wert;
                }
                Fehler();
            }
        case '[':
            wert.art = TJson::Art::Liste;
            ++m_p;
            Leerraum();
            if (m_p < m_ende && *m_p == ']') {
                ++m_p;
                return wert;
            }
            for (;;) {
                wert.liste.push_back(Wert(tiefe + 1));
                Leerraum();
                if (m_p < m_ende && *m_p == ',') {
                    ++m_p;
                    continue;
                }
                if (m_p < m_ende && *m_p == ']') {
                    ++m_p;
                    return wert;
                }
                Fehler();
            }
        case '"':
            wert.art = TJson::Art::Text;
            wert.text = Text();
            return wert;
        case 't':
            if (!Wort("true"))
                Fehler();
            wert.art = TJson::Art::Wahr;
            return wert;
        case 'f':
            if (!Wort("false"))
                Fehler();
            wert.art = TJson::Art::Falsch;
            return wert;
        case 'n':
            if (!Wort("null"))
                Fehler();
            return wert;
        default:
            wert.art = TJson::Art::Zahl;
            wert.zahl = Zahl();
            return wert;
        }
    }

    // -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?
    std::string Zahl()
    {
        const char* start = m_p;
        const auto ziffern = [this] {
            const char* vorher = m_p;
            while (m_p < m_ende && *m_p >= '0' && *m_p <= '9')
                ++m_p;
            return m_p - vorher;
        };
        if (m_p < m_ende && *m_p == '-')
            ++m_p;
        if (m_p < m_ende && *m_p == '0')
            ++m_p;
        else if (ziffern() == 0)
            Fehler();
        if (m_p < m_ende && *m_p == '.') {
            ++m_p;
            if (ziffern() == 0)
                Fehler();
        }
        if (m_p < m_ende && (*m_p == 'e' || *m_p == 'E')) {
            ++m_p;
            if (m_p < m_ende && (*m_p == '+' || *m_p == '-'))
                ++m_p;
            if (ziffern() == 0)
                Fehler();
        }
        return std::string(start, m_p);
    }

    unsigned Hex4()
    {
        if (m_ende - m_p < 4)
            Fehler();
        unsigned wert = 0;
        for (int i = 0; i < 4; ++i, ++m_p) {
            const char c = *m_p;
            wert <<= 4;
            if (c >= '0' && c <= '9')
                wert |= static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f')
                wert |= static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                wert |= static_cast<unsigned>(c - 'A' + 10);
            else
                Fehler();
        }
        return wert;
    }

    // A string at m_p (on its opening quote); UTF-8 must be valid.
    QString Text()
    {
        ++m_p;
        QByteArray roh;
        for (;;) {
            if (m_p >= m_ende)
                Fehler();
            const char c = *m_p;
            if (c == '"') {
                ++m_p;
                break;
            }
            if (static_cast<unsigned char>(c) < 0x20)
                Fehler();
            if (c != '\\') {
                roh += c;
                ++m_p;
                continue;
            }
            ++m_p;
            if (m_p >= m_ende)
                Fehler();
            const char e = *m_p++;
            switch (e) {
            case '"':
                roh += '"';
                break;
            case '\\':
                roh += '\\';
                break;
            case '/':
                roh += '/';
                break;
            case 'b':
                roh += '\b';
                break;
            case 'f':
                roh += '\f';
                break;
            case 'n':
                roh += '\n';
                break;
            case 'r':
                roh += '\r';
                break;
            case 't':
                roh += '\t';
                break;
            case 'u': {
                char32_t zeichen = Hex4();
                if (zeichen >= 0xD800 && zeichen < 0xDC00) {
                    if (!Wort("\\u"))
                        Fehler();
                    const unsigned tief = Hex4();
                    if (tief < 0xDC00 || tief >= 0xE000)
                        Fehler();
                    zeichen = 0x10000 + ((zeichen - 0xD800) << 10) + (tief - 0xDC00);
                } else if (zeichen >= 0xDC00 && zeichen < 0xE000) {
                    Fehler();
                }
                roh += QString::fromUcs4(&zeichen, 1).toUtf8();
                break;
            }
            default:
                Fehler();
            }
        }
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = utf8(roh);
        if (utf8.hasError())
            Fehler();
        return text;
    }

    const char* m_anfang;
    const char* m_p;
    const char* m_ende;
};

// The member of an object with this key, or nullptr; refused when written twice.
const TJson* OptionalesFeld(const TJson& objekt, const QString& name)
{
    const TJson* gefunden = nullptr;
    for (size_t i = 0; i < objekt.schluessel.size(); ++i) {
        if (objekt.schluessel[i] != name)
            continue;
        if (gefunden)
            ungueltig(QStringLiteral("das Feld %1 steht doppelt").arg(feldname(name)));
        gefunden = &objekt.liste[i];
    }
    return gefunden;
}

// The one member of an object with this key; refused when missing or written twice.
const TJson& Feld(const TJson& objekt, const QString& name)
{
    const TJson* gefunden = OptionalesFeld(objekt, name);
    if (!gefunden)
        ungueltig(QStringLiteral("das Feld %1 fehlt").arg(feldname(name)));
    return *gefunden;
}

long double Zahl(const TJson& wert, const QString& bezeichnung, const TGrenze& grenze)
{
    if (wert.art != TJson::Art::Zahl)
        ungueltig(QStringLiteral("%1 ist keine Zahl").arg(bezeichnung));
    const auto zahl = zahl::LiesInvariant(wert.zahl);
    if (!zahl)
        ungueltig(QStringLiteral("%1 ist keine endliche Zahl").arg(bezeichnung));
    if (!ImBereich(*zahl, grenze)) {
        if (*zahl >= grenze.Min && *zahl <= grenze.Max)
            ungueltig(QStringLiteral("%1 ist zu klein: außer 0 ist der kleinste Wert %2")
                          .arg(bezeichnung, zahl::Umkehrbar(grenzen::KleinsterWert, 0, 18)));
        const QString einheit =
            *grenze.Einheit ? u' ' + QString::fromUtf16(grenze.Einheit) : QString();
        ungueltig(
            QStringLiteral("%1 muss %2%3 liegen").arg(bezeichnung, Bereichstext(grenze), einheit));
    }
    return *zahl + 0.0L; // no -0
}

const TJson& Liste(const TJson& wert, const QString& name)
{
    if (wert.art != TJson::Art::Liste)
        ungueltig(QStringLiteral("%1 ist keine Liste").arg(feldname(name)));
    return wert;
}

const char* const Monatsnamen[12] = {"Januar",    "Februar", "März",     "April",
                                     "Mai",       "Juni",    "Juli",     "August",
                                     "September", "Oktober", "November", "Dezember"};

// The result members: written for other programs, never read.
struct TErgebnisFeld {
    const char* name;
    long double TParameterSatz::*wert;
};
constexpr TErgebnisFeld Ergebnisse[] = {
    {"Ertrag", &TParameterSatz::Ertrag},
    {"Bedarf", &TParameterSatz::Bedarf},
    {"Volumen", &TParameterSatz::Volumen},
    {"Rate", &TParameterSatz::Rate},
};

QString Anzeigename(const QString& pfad)
{
    return QDir::toNativeSeparators(pfad);
}

} // namespace

std::string JsonZahl(long double wert, const char* name)
{
    if (!std::isfinite(wert))
        throw EFehler(QStringLiteral("Der Wert von „%1“ ist keine endliche Zahl und kann nicht "
                                     "gespeichert werden.")
                          .arg(QString::fromLatin1(name)));
    return zahl::Invariant(wert);
}

std::string JsonText(const QString& text)
{
    std::string aus = "\"";
    for (const char c : text.toStdString()) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            aus += '\\';
            aus += c;
        } else if (u < 0x20) {
            char puffer[8];
            std::snprintf(puffer, sizeof puffer, "\\u%04x", u);
            aus += puffer;
        } else {
            aus += c;
        }
    }
    return aus + '"';
}

QByteArray BerechnungAlsJson(const TParameterSatz& satz)
{
    std::string s = "{\n  \"format\": " + JsonText(Formatname) +
                    ",\n  \"version\": " + std::to_string(Version) +
                    ",\n  \"parametersatz\": {\n    \"Flaechen\": [";
    for (size_t i = 0; i < satz.Flaechen.size(); ++i) {
        s += i == 0 ? "\n" : ",\n";
        s += "      {\"Flaeche\": " + JsonZahl(satz.Flaechen[i].Flaeche, "Flaeche") +
             ", \"Beiwert\": " + JsonZahl(satz.Flaechen[i].Beiwert, "Beiwert") + "}";
    }
    s += satz.Flaechen.empty() ? "],\n" : "\n    ],\n";
    s += "    \"Niederschlag\": [";
    for (size_t i = 0; i < satz.Niederschlag.size(); ++i)
        s += (i == 0 ? "" : ", ") + JsonZahl(satz.Niederschlag[i], "Niederschlag");
    s += "],\n";
    const auto zahlFeld = [&](const char* name, const std::string& text) {
        s += std::string("    \"") + name + "\": " + text + ",\n";
    };
    for (const TGrenzFeld& f : GrenzFelder) {
        // Menge is the sum of the curve, formed again on reading like the results.
        const std::string text = JsonZahl(satz.*f.Wert, f.Name);
        zahlFeld(f.Name, f.Wert == &TParameterSatz::Menge ? zahl::Gerundet(satz.Menge) : text);
        if (f.Wert == &TParameterSatz::WGrad)
            s += "    \"PLZ\": " + JsonText(satz.PLZ) + ",\n";
    }
    // Results are computed again on reading: 15 digits say all they mean.
    for (const TErgebnisFeld& f : Ergebnisse) {
        JsonZahl(satz.*f.wert, f.name); // refuses inf and NaN
        zahlFeld(f.name, zahl::Gerundet(satz.*f.wert));
    }
    s.resize(s.size() - 2); // the last ",\n"
    s += "\n  }";
    if (satz.Kosten) {
        s += ",\n  \"wirtschaftlichkeit\": {";
        for (const TKostenGrenzFeld& f : KostenGrenzFelder)
            s += std::string(f.Wert == &TKosten::Wasserpreis ? "" : ", ") + '"' + f.Name +
                 "\": " + JsonZahl(*satz.Kosten.*f.Wert, f.Name);
        s += '}';
    }
    s += "\n}\n";
    return QByteArray::fromStdString(s);
}

namespace {

// The inputs of the "parametersatz" object.
TParameterSatz LiesParametersatz(const TJson& daten)
{
    TParameterSatz satz;
    InitParameterSatz(satz);
    const QString flaechenName = QStringLiteral("Flaechen");
    const TJson& flaechen = Liste(Feld(daten, flaechenName), flaechenName);
    for (size_t i = 0; i < flaechen.liste.size(); ++i) {
        const TJson& eintrag = flaechen.liste[i];
        const QString welche = QStringLiteral(" der %1. Fläche").arg(i + 1);
        if (eintrag.art != TJson::Art::Objekt)
            ungueltig(QStringLiteral("die %1. Fläche in %2 ist kein Objekt")
                          .arg(i + 1)
                          .arg(feldname(flaechenName)));
        const QString flaeche = QStringLiteral("Flaeche");
        const QString beiwert = QStringLiteral("Beiwert");
        satz.Flaechen.push_back(
            {Zahl(Feld(eintrag, flaeche), feldname(flaeche) + welche, grenzen::Flaeche),
             Zahl(Feld(eintrag, beiwert), feldname(beiwert) + welche, grenzen::Anteil)});
    }
    const QString nsName = QStringLiteral("Niederschlag");
    const TJson& monate = Liste(Feld(daten, nsName), nsName);
    if (monate.liste.size() != satz.Niederschlag.size())
        ungueltig(QStringLiteral("%1 braucht genau 12 Monatswerte").arg(feldname(nsName)));
    for (size_t i = 0; i < satz.Niederschlag.size(); ++i)
        satz.Niederschlag[i] =
            Zahl(monate.liste[i],
                 feldname(nsName) + QStringLiteral(" im ") + QString::fromUtf8(Monatsnamen[i]),
                 grenzen::Monatsniederschlag);
    for (const TGrenzFeld& f : GrenzFelder) {
        const QString name = QString::fromLatin1(f.Name);
        satz.*f.Wert = Zahl(Feld(daten, name), feldname(name), *f.Grenze);
    }
    const QString plzName = QStringLiteral("PLZ");
    const TJson& plz = Feld(daten, plzName);
    if (plz.art != TJson::Art::Text)
        ungueltig(QStringLiteral("%1 ist kein Text").arg(feldname(plzName)));
    const bool fuenfZiffern =
        plz.text.size() == 5 && std::all_of(plz.text.begin(), plz.text.end(), [](QChar c) {
            return c.isDigit() && c.unicode() < 0x80;
        });
    if (!plz.text.isEmpty() && !fuenfZiffern)
        ungueltig(QStringLiteral("%1 ist keine fünfstellige Postleitzahl").arg(feldname(plzName)));
    satz.PLZ = plz.text;
    return satz;
}

} // namespace

TParameterSatz BerechnungAusJson(const QByteArray& text)
{
    try {
        if (text.size() > MaxBerechnungsGroesse)
            ungueltig(QStringLiteral("sie ist größer als 1 MB"));
        const TJson wurzel = TJsonLeser(text).Dokument();
        if (wurzel.art != TJson::Art::Objekt)
            ungueltig(QStringLiteral("sie ist keine Tropfwerk-Berechnung"));
        const TJson* format = OptionalesFeld(wurzel, QStringLiteral("format"));
        if (!format || format->art != TJson::Art::Text || format->text != Formatname)
            ungueltig(QStringLiteral("sie ist keine Tropfwerk-Berechnung"));
        const TJson& version = Feld(wurzel, QStringLiteral("version"));
        const auto nummer =
            version.art == TJson::Art::Zahl ? zahl::LiesInvariant(version.zahl) : std::nullopt;
        if (!nummer || *nummer < 1 || *nummer != std::floor(*nummer))
            ungueltig(QStringLiteral("ihre Version ist ungültig"));
        if (*nummer > Version)
            ungueltig(QStringLiteral("sie stammt aus einer neueren Programmversion (Version %1)")
                          .arg(QString::fromStdString(zahl::Invariant(*nummer))));
        const TJson& daten = Feld(wurzel, QStringLiteral("parametersatz"));
        if (daten.art != TJson::Art::Objekt)
            ungueltig(QStringLiteral("%1 ist kein Objekt")
                          .arg(feldname(QStringLiteral("parametersatz"))));
        TParameterSatz satz = LiesParametersatz(daten);
        const QString geldName = QStringLiteral("wirtschaftlichkeit");
        if (const TJson* geld = OptionalesFeld(wurzel, geldName)) {
            if (geld->art != TJson::Art::Objekt)
                ungueltig(QStringLiteral("%1 ist kein Objekt").arg(feldname(geldName)));
            TKosten kosten;
            for (const TKostenGrenzFeld& f : KostenGrenzFelder) {
                const QString name = QString::fromLatin1(f.Name);
                kosten.*f.Wert = Zahl(Feld(*geld, name), feldname(name), *f.Grenze);
            }
            satz.Kosten = kosten;
        }
        // Every input is in its range: the calculation cannot fail or overflow.
        BerechneAlles(satz);
        return satz;
    } catch (const TUngueltig& fehler) {
        throw EFehler(fehler.grund);
    }
}

TParameterSatz LadeBerechnung(const QString& pfad)
{
    const auto nichtLesbar = [&](const QString& grund) {
        return EFehler(QStringLiteral("Die Datei „%1“ kann nicht gelesen werden (%2).")
                           .arg(Anzeigename(pfad), grund));
    };
    const QByteArray name = QFile::encodeName(pfad);
    // Only regular files are opened: a FIFO or a device would block or never end.
    struct stat info {};
    if (::stat(name.constData(), &info) != 0)
        throw nichtLesbar(Systemgrund(errno));
    if (S_ISDIR(info.st_mode))
        throw nichtLesbar(Systemgrund(EISDIR));
    if (!S_ISREG(info.st_mode))
        throw nichtLesbar(QStringLiteral("keine reguläre Datei"));
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw nichtLesbar(Systemgrund(errno));
    QByteArray text;
    int lesefehler = 0;
    if (::fstat(fd, &info) != 0)
        lesefehler = errno;
    else if (!S_ISREG(info.st_mode))
        lesefehler = -1;
    // One byte more than allowed tells a file that is too large without reading all of it.
    char puffer[65536];
    while (lesefehler == 0 && text.size() <= MaxBerechnungsGroesse) {
        const ssize_t n = ::read(fd, puffer, sizeof puffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            lesefehler = errno;
        if (n <= 0)
            break;
        text.append(puffer, std::min<qsizetype>(n, MaxBerechnungsGroesse + 1 - text.size()));
    }
    ::close(fd);
    if (lesefehler != 0)
        throw nichtLesbar(lesefehler < 0 ? QStringLiteral("keine reguläre Datei")
                                         : Systemgrund(lesefehler));
    try {
        return BerechnungAusJson(text);
    } catch (const EFehler& fehler) {
        throw EFehler(QStringLiteral("Die Datei „%1“ ist keine gültige Berechnung: %2.")
                          .arg(Anzeigename(pfad), fehler.Meldung()));
    }
}

void SpeichereBerechnung(const QString& pfad, const TParameterSatz& satz)
{
    const QByteArray text = BerechnungAlsJson(satz);
    QSaveFile datei(pfad);
    const auto fehler = [&] {
        return EFehler(QStringLiteral("Die Berechnung konnte nicht unter „%1“ gespeichert "
                                      "werden (%2).")
                           .arg(Anzeigename(pfad), datei.errorString()));
    };
    // Unbuffered, because a buffered write that stops half-way (disk full) is not reported
    // and would be committed.
    if (!datei.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw fehler();
    for (qint64 geschrieben = 0; geschrieben < text.size();) {
        const qint64 n = datei.write(text.constData() + geschrieben, text.size() - geschrieben);
        if (n <= 0) {
            const EFehler f = fehler();
            datei.cancelWriting();
            throw f;
        }
        geschrieben += n;
    }
    if (!datei.commit())
        throw fehler();
}

QString MitBerechnungsEndung(const QString& pfad)
{
    return pfad.endsWith(BerechnungsEndung, Qt::CaseInsensitive) ? pfad : pfad + BerechnungsEndung;
}

QString BerechnungsVorschlag(const TParameterSatz& satz)
{
    if (satz.PLZ.isEmpty())
        return QStringLiteral("Berechnung") + BerechnungsEndung;
    return QStringLiteral("Berechnung %1").arg(satz.PLZ) + BerechnungsEndung;
}
