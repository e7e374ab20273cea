// Reading the source tables and choosing each postal code's station.
#include "quellen.h"

#include "model/fehler.h"
#include "model/zahlenformat.h"

#include <QFile>
#include <cmath>
#include <map>

namespace {
[[noreturn]] void Fehler(const QString& pfad, const QString& was)
{
    throw EFehler(QStringLiteral("%1: %2").arg(pfad, was));
}

// Column index by header name; raises when the column is missing.
class Spalten {
public:
    Spalten(const QString& pfad, const QStringList& kopf) : m_pfad(pfad)
    {
        for (int i = 0; i < kopf.size(); ++i)
            m_index[kopf[i].trimmed()] = i;
    }
    int operator()(const char* name) const
    {
        const auto it = m_index.find(QString::fromLatin1(name));
        if (it == m_index.end())
            Fehler(m_pfad, QStringLiteral("Spalte %1 fehlt").arg(QString::fromLatin1(name)));
        return it->second;
    }

private:
    QString m_pfad;
    std::map<QString, int> m_index;
};

long double Zahl(const QString& pfad, const QString& text, size_t zeile)
{
    const auto wert = zahl::LiesInvariant(text.trimmed().toStdString());
    if (!wert)
        Fehler(pfad, QStringLiteral("Zeile %1: keine Zahl: %2").arg(zeile + 1).arg(text));
    return *wert;
}

const QString& Feld(const QString& pfad, const QStringList& zeile, int spalte, size_t nummer)
{
    if (spalte >= zeile.size())
        Fehler(pfad, QStringLiteral("Zeile %1 ist zu kurz").arg(nummer + 1));
    return zeile[spalte];
}
} // namespace

std::vector<QStringList> LiesCsv(const QString& pfad)
{
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly))
        Fehler(pfad, QStringLiteral("kann nicht gelesen werden"));
    const QString text = QString::fromUtf8(datei.readAll());

    std::vector<QStringList> zeilen;
    QStringList zeile;
    QString wert;
    bool inAnfuehrung = false;
    bool hatWerte = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (inAnfuehrung) {
            if (c == u'"') {
                if (i + 1 < text.size() && text[i + 1] == u'"') {
                    wert += u'"';
                    ++i;
                } else {
                    inAnfuehrung = false;
                }
            } else {
                wert += c;
            }
        } else if (c == u'"') {
            inAnfuehrung = true;
            hatWerte = true;
        } else if (c == u',') {
            zeile << wert;
            wert.clear();
            hatWerte = true;
        } else if (c == u'\n' || c == u'\r') {
            if (hatWerte || !wert.isEmpty()) {
                zeile << wert;
                zeilen.push_back(zeile);
            }
            zeile.clear();
            wert.clear();
            hatWerte = false;
        } else {
            wert += c;
        }
    }
    if (inAnfuehrung)
        Fehler(pfad, QStringLiteral("Anführungszeichen nicht geschlossen"));
    if (hatWerte || !wert.isEmpty()) {
        zeile << wert;
        zeilen.push_back(zeile);
    }
    if (zeilen.empty())
        Fehler(pfad, QStringLiteral("keine Kopfzeile"));
    return zeilen;
}

std::vector<TStationQuelle> LiesStationen(const QString& pfad)
{
    const auto zeilen = LiesCsv(pfad);
    const Spalten spalte(pfad, zeilen[0]);
    static const char* const monate[12] = {"jan", "feb", "mar", "apr", "may", "jun",
                                           "jul", "aug", "sep", "oct", "nov", "dec"};
    std::vector<TStationQuelle> stationen;
    for (size_t z = 1; z < zeilen.size(); ++z) {
        const QStringList& zeile = zeilen[z];
        TStationQuelle s;
        s.Name = Feld(pfad, zeile, spalte("station"), z);
        s.Lon = Zahl(pfad, Feld(pfad, zeile, spalte("lon"), z), z);
        s.Lat = Zahl(pfad, Feld(pfad, zeile, spalte("lat"), z), z);
        for (int m = 0; m < 12; ++m)
            s.Monate[static_cast<size_t>(m)] = Zahl(pfad, Feld(pfad, zeile, spalte(monate[m]), z), z);
        s.Hoehe = Zahl(pfad, Feld(pfad, zeile, spalte("elevation_m"), z), z);
        stationen.push_back(s);
    }
    return stationen;
}

std::vector<TPLZQuelle> LiesPostleitzahlen(const QString& pfad)
{
    const auto zeilen = LiesCsv(pfad);
    const Spalten spalte(pfad, zeilen[0]);
    std::vector<TPLZQuelle> plz;
    for (size_t z = 1; z < zeilen.size(); ++z) {
        const QStringList& zeile = zeilen[z];
        TPLZQuelle p;
        p.PLZ = Feld(pfad, zeile, spalte("plz"), z);
        if (p.PLZ.size() != 5)
            Fehler(pfad, QStringLiteral("Zeile %1: Postleitzahl %2").arg(z + 1).arg(p.PLZ));
        p.Lon = Zahl(pfad, Feld(pfad, zeile, spalte("lon"), z), z);
        p.Lat = Zahl(pfad, Feld(pfad, zeile, spalte("lat"), z), z);
        plz.push_back(p);
    }
    return plz;
}

std::vector<TProduktQuelle> LiesProdukte(const QString& pfad)
{
    const auto zeilen = LiesCsv(pfad);
    const Spalten spalte(pfad, zeilen[0]);
    std::vector<TProduktQuelle> produkte;
    for (size_t z = 1; z < zeilen.size(); ++z) {
        const QStringList& zeile = zeilen[z];
        TProduktQuelle p;
        p.ID = static_cast<int>(Zahl(pfad, Feld(pfad, zeile, spalte("ID"), z), z));
        p.Hersteller = Feld(pfad, zeile, spalte("Hersteller"), z);
        p.Produkt = Feld(pfad, zeile, spalte("Produkt"), z);
        p.Volumen = Zahl(pfad, Feld(pfad, zeile, spalte("Volumen"), z), z);
        p.Preis = Zahl(pfad, Feld(pfad, zeile, spalte("Preis"), z), z);
        p.Beschreibung = Feld(pfad, zeile, spalte("Beschreibung"), z);
        p.URL = Feld(pfad, zeile, spalte("URL"), z);
        p.Adresse = Feld(pfad, zeile, spalte("Adresse"), z);
        p.Bild = Feld(pfad, zeile, spalte("Bild"), z).trimmed();
        produkte.push_back(p);
    }
    return produkte;
}

long double Entfernung(long double lon1, long double lat1, long double lon2, long double lat2)
{
    constexpr long double Grad = 3.14159265358979323846264338327950288L / 180;
    const long double dLat = (lat2 - lat1) * Grad;
    const long double dLon = (lon2 - lon1) * Grad;
    const long double a = std::sin(dLat / 2) * std::sin(dLat / 2) +
                          std::cos(lat1 * Grad) * std::cos(lat2 * Grad) * std::sin(dLon / 2) *
                              std::sin(dLon / 2);
    return 2 * 6371 * std::asin(std::sqrt(std::min<long double>(1, a)));
}

int NaechsteStation(const std::vector<TStationQuelle>& stationen, long double lon, long double lat)
{
    // A flat approximation finds the candidates quickly; the great circle decides among them.
    constexpr long double Grad = 3.14159265358979323846264338327950288L / 180;
    const double breite = std::cos(static_cast<double>(lat * Grad));
    auto naeherung = [&](const TStationQuelle& s) {
        const double dx = static_cast<double>(s.Lon - lon) * breite;
        const double dy = static_cast<double>(s.Lat - lat);
        return dx * dx + dy * dy;
    };
    double besteNaeherung = -1;
    for (const TStationQuelle& s : stationen) {
        if (s.Hoehe <= BergstationAbHoehe && (besteNaeherung < 0 || naeherung(s) < besteNaeherung))
            besteNaeherung = naeherung(s);
    }
    int beste = -1;
    long double besteEntfernung = 0;
    for (size_t i = 0; i < stationen.size(); ++i) {
        const TStationQuelle& s = stationen[i];
        if (s.Hoehe > BergstationAbHoehe || naeherung(s) > besteNaeherung * 1.05 + 1e-12)
            continue;
        const long double d = Entfernung(lon, lat, s.Lon, s.Lat);
        if (beste < 0 || d < besteEntfernung) {
            beste = static_cast<int>(i);
            besteEntfernung = d;
        }
    }
    return beste;
}
