// Calculation files. JSON is read by a small parser of its own that keeps every number as its
// text, so that values are read at full extended precision and never pass through double.
#include "model/berechnungsdatei.h"

#include "model/berechnung.h"
#include "model/fehler.h"
#include "model/zahlenformat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

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
            } else {
                ++spalte;
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

// The one member of an object with this key; refused when missing or written twice.
const TJson& Feld(const TJson& objekt, const QString& name)
{
    const TJson* gefunden = nullptr;
    for (size_t i = 0; i < objekt.schluessel.size(); ++i) {
        if (objekt.schluessel[i] != name)
            continue;
        if (gefunden)
            ungueltig(QStringLiteral("das Feld %1 steht doppelt").arg(feldname(name)));
        gefunden = &objekt.liste[i];
    }
    if (!gefunden)
        ungueltig(QStringLiteral("das Feld %1 fehlt").arg(feldname(name)));
    return *gefunden;
}

long double Zahl(const TJson& wert, const QString& name)
{
    if (wert.art != TJson::Art::Zahl)
        ungueltig(QStringLiteral("%1 ist keine Zahl").arg(feldname(name)));
    const auto zahl = zahl::LiesInvariant(wert.zahl);
    if (!zahl)
        ungueltig(QStringLiteral("%1 ist keine endliche Zahl").arg(feldname(name)));
    if (*zahl < 0)
        ungueltig(QStringLiteral("%1 darf nicht negativ sein").arg(feldname(name)));
    return *zahl + 0.0L; // no -0
}

long double Anteil(const TJson& wert, const QString& name)
{
    const long double zahl = Zahl(wert, name);
    if (zahl > 1)
        ungueltig(QStringLiteral("%1 muss zwischen 0 und 1 liegen").arg(feldname(name)));
    return zahl;
}

const TJson& Liste(const TJson& wert, const QString& name)
{
    if (wert.art != TJson::Art::Liste)
        ungueltig(QStringLiteral("%1 ist keine Liste").arg(feldname(name)));
    return wert;
}

// The number members of the set after the areas and the curve, in the file's order.
struct TZahlFeld {
    const char* name;
    long double TParameterSatz::*wert;
    bool anteil; // 0 … 1
};
constexpr TZahlFeld Eingaben[] = {
    {"Menge", &TParameterSatz::Menge, false},
    {"WGrad", &TParameterSatz::WGrad, true},
    {"PersWCSpar", &TParameterSatz::PersWCSpar, false},
    {"PersWCSparV", &TParameterSatz::PersWCSparV, false},
    {"PersWCNorm", &TParameterSatz::PersWCNorm, false},
    {"PersWCNormV", &TParameterSatz::PersWCNormV, false},
    {"PersWasch", &TParameterSatz::PersWasch, false},
    {"PersWaschV", &TParameterSatz::PersWaschV, false},
    {"Garten", &TParameterSatz::Garten, false},
    {"GartenV", &TParameterSatz::GartenV, false},
    {"LadeBeiwert", &TParameterSatz::LadeBeiwert, true},
};
constexpr TZahlFeld Ergebnisse[] = {
    {"Ertrag", &TParameterSatz::Ertrag, false},
    {"Bedarf", &TParameterSatz::Bedarf, false},
    {"Volumen", &TParameterSatz::Volumen, false},
    {"Rate", &TParameterSatz::Rate, false},
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
    const auto zahlFeld = [&](const TZahlFeld& f) {
        s += std::string("    \"") + f.name + "\": " + JsonZahl(satz.*f.wert, f.name) + ",\n";
    };
    zahlFeld(Eingaben[0]);
    zahlFeld(Eingaben[1]);
    s += "    \"PLZ\": " + JsonText(satz.PLZ) + ",\n";
    for (size_t i = 2; i < std::size(Eingaben); ++i)
        zahlFeld(Eingaben[i]);
    for (const TZahlFeld& f : Ergebnisse)
        zahlFeld(f);
    s.resize(s.size() - 2); // the last ",\n"
    s += "\n  }\n}\n";
    return QByteArray::fromStdString(s);
}

TParameterSatz BerechnungAusJson(const QByteArray& text)
{
    try {
        if (text.size() > MaxBerechnungsGroesse)
            ungueltig(QStringLiteral("sie ist größer als 1 MB"));
        const TJson wurzel = TJsonLeser(text).Dokument();
        if (wurzel.art != TJson::Art::Objekt)
            ungueltig(QStringLiteral("sie ist keine Tropfwerk-Berechnung"));
        const auto format =
            std::find(wurzel.schluessel.begin(), wurzel.schluessel.end(), u"format");
        const TJson* formatWert =
            format == wurzel.schluessel.end()
                ? nullptr
                : &wurzel.liste[static_cast<size_t>(format - wurzel.schluessel.begin())];
        if (!formatWert || formatWert->art != TJson::Art::Text || formatWert->text != Formatname)
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

        TParameterSatz satz;
        InitParameterSatz(satz);
        const QString flaechenName = QStringLiteral("Flaechen");
        for (const TJson& eintrag : Liste(Feld(daten, flaechenName), flaechenName).liste) {
            if (eintrag.art != TJson::Art::Objekt)
                ungueltig(QStringLiteral("ein Eintrag in %1 ist kein Objekt")
                              .arg(feldname(flaechenName)));
            const QString flaeche = QStringLiteral("Flaeche");
            const QString beiwert = QStringLiteral("Beiwert");
            satz.Flaechen.push_back(
                {Zahl(Feld(eintrag, flaeche), flaeche), Anteil(Feld(eintrag, beiwert), beiwert)});
        }
        const QString nsName = QStringLiteral("Niederschlag");
        const TJson& monate = Liste(Feld(daten, nsName), nsName);
        if (monate.liste.size() != satz.Niederschlag.size())
            ungueltig(QStringLiteral("%1 braucht genau 12 Monatswerte").arg(feldname(nsName)));
        for (size_t i = 0; i < satz.Niederschlag.size(); ++i)
            satz.Niederschlag[i] = Zahl(monate.liste[i], nsName);
        for (const TZahlFeld& f : Eingaben) {
            const QString name = QString::fromLatin1(f.name);
            const TJson& wert = Feld(daten, name);
            satz.*f.wert = f.anteil ? Anteil(wert, name) : Zahl(wert, name);
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
            ungueltig(
                QStringLiteral("%1 ist keine fünfstellige Postleitzahl").arg(feldname(plzName)));
        satz.PLZ = plz.text;

        // Every input is finite, non-negative and in range: the calculation cannot fail.
        BerechneAlles(satz);
        return satz;
    } catch (const TUngueltig& fehler) {
        throw EFehler(fehler.grund);
    }
}

TParameterSatz LadeBerechnung(const QString& pfad)
{
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly))
        throw EFehler(QStringLiteral("Die Datei „%1“ kann nicht gelesen werden (%2).")
                          .arg(Anzeigename(pfad), datei.errorString()));
    // One byte more than allowed tells a file that is too large without reading all of it.
    const QByteArray text = datei.read(MaxBerechnungsGroesse + 1);
    if (datei.error() != QFileDevice::NoError)
        throw EFehler(QStringLiteral("Die Datei „%1“ kann nicht gelesen werden (%2).")
                          .arg(Anzeigename(pfad), datei.errorString()));
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

QString BerechnungsVorschlag(const TParameterSatz& satz)
{
    if (satz.PLZ.isEmpty())
        return QStringLiteral("Berechnung") + BerechnungsEndung;
    return QStringLiteral("Berechnung %1").arg(satz.PLZ) + BerechnungsEndung;
}
