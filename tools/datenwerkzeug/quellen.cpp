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

// The rows of a source file, read by column name; every error names file and line.
class TQuelle {
public:
    explicit TQuelle(const QString& pfad) : m_pfad(pfad), m_zeilen(LiesCsv(pfad))
    {
        const QStringList& kopf = m_zeilen[0];
        for (int i = 0; i < kopf.size(); ++i)
            m_index[kopf[i].trimmed()] = i;
    }
    // Data rows are 1 .. Zeilen() - 1.
    size_t Zeilen() const { return m_zeilen.size(); }

    const QString& Text(size_t zeile, const char* spalte) const
    {
        const auto it = m_index.find(QString::fromLatin1(spalte));
        if (it == m_index.end())
            Fehler(m_pfad, QStringLiteral("Spalte %1 fehlt").arg(QString::fromLatin1(spalte)));
        const QStringList& werte = m_zeilen[zeile];
        if (it->second >= werte.size())
            Fehler(m_pfad, QStringLiteral("Zeile %1 ist zu kurz").arg(zeile + 1));
        return werte[it->second];
    }

    long double Zahl(size_t zeile, const char* spalte) const
    {
        const QString& text = Text(zeile, spalte);
        const auto wert = zahl::LiesInvariant(text.trimmed().toStdString());
        if (!wert)
            Fehler(m_pfad, QStringLiteral("Zeile %1: keine Zahl: %2").arg(zeile + 1).arg(text));
        return *wert;
    }

private:
    QString m_pfad;
    std::vector<QStringList> m_zeilen;
    std::map<QString, int> m_index;
};
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
    const TQuelle quelle(pfad);
    static const char* const monate[12] = {"jan", "feb", "mar", "apr", "may", "jun",
                                           "jul", "aug", "sep", "oct", "nov", "dec"};
    std::vector<TStationQuelle> stationen;
    for (size_t z = 1; z < quelle.Zeilen(); ++z) {
        TStationQuelle s;
        s.Name = quelle.Text(z, "station");
        s.Lon = quelle.Zahl(z, "lon");
        s.Lat = quelle.Zahl(z, "lat");
        for (size_t m = 0; m < 12; ++m)
            s.Monate[m] = quelle.Zahl(z, monate[m]);
        s.Hoehe = quelle.Zahl(z, "elevation_m");
        stationen.push_back(s);
    }
    return stationen;
}

std::vector<TPLZQuelle> LiesPostleitzahlen(const QString& pfad)
{
    const TQuelle quelle(pfad);
    std::vector<TPLZQuelle> plz;
    for (size_t z = 1; z < quelle.Zeilen(); ++z) {
        TPLZQuelle p;
        p.PLZ = quelle.Text(z, "plz");
        if (p.PLZ.size() != 5)
            Fehler(pfad, QStringLiteral("Zeile %1: Postleitzahl %2").arg(z + 1).arg(p.PLZ));
        p.Ort = quelle.Text(z, "place");
        p.Lon = quelle.Zahl(z, "lon");
        p.Lat = quelle.Zahl(z, "lat");
        plz.push_back(p);
    }
    return plz;
}

std::vector<TProduktQuelle> LiesProdukte(const QString& pfad)
{
    const TQuelle quelle(pfad);
    std::vector<TProduktQuelle> produkte;
    for (size_t z = 1; z < quelle.Zeilen(); ++z) {
        TProduktQuelle p;
        p.ID = static_cast<int>(quelle.Zahl(z, "ID"));
        p.Hersteller = quelle.Text(z, "Hersteller");
        p.Produkt = quelle.Text(z, "Produkt");
        p.Volumen = quelle.Zahl(z, "Volumen");
        p.Preis = quelle.Zahl(z, "Preis");
        p.Beschreibung = quelle.Text(z, "Beschreibung");
        p.URL = quelle.Text(z, "URL");
        p.Adresse = quelle.Text(z, "Adresse");
        p.Bild = quelle.Text(z, "Bild").trimmed();
        produkte.push_back(p);
    }
    return produkte;
}

long double Entfernung(long double lon1, long double lat1, long double lon2, long double lat2)
{
    constexpr long double Grad = 3.14159265358979323846264338327950288L / 180;
    const long double dLat = (lat2 - lat1) * Grad;
    const long double dLon = (lon2 - lon1) * Grad;
    const long double a =
        std::sin(dLat / 2) * std::sin(dLat / 2) +
        std::cos(lat1 * Grad) * std::cos(lat2 * Grad) * std::sin(dLon / 2) * std::sin(dLon / 2);
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
