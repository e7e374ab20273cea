// Source tables of the data files, as kept in data/: UTF-8 CSV with a header line.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

struct TStationQuelle {
    QString Name;
    long double Lon = 0;
    long double Lat = 0;
    std::array<long double, 12> Monate{}; // millimetres, January first
    long double Hoehe = 0;                // metres above sea level
};

struct TPLZQuelle {
    QString PLZ;
    QString Ort;
    long double Lon = 0;
    long double Lat = 0;
};

struct TProduktQuelle {
    int ID = 0;
    QString Hersteller;
    QString Produkt;
    long double Volumen = 0;
    long double Preis = 0;
    QString Beschreibung;
    QString URL;
    QString Adresse;
    QString Bild; // file name in data/produktbilder, empty without picture
};

// Reads a CSV file (RFC 4180 quoting). The first row is the header. Raises EFehler when the
// file cannot be read or a quote is not closed.
std::vector<QStringList> LiesCsv(const QString& pfad);

std::vector<TStationQuelle> LiesStationen(const QString& pfad);
std::vector<TPLZQuelle> LiesPostleitzahlen(const QString& pfad);
std::vector<TProduktQuelle> LiesProdukte(const QString& pfad);

// Stations higher than this represent mountain tops, huts and ridges, not settlements; they
// are never chosen as the station of a postal code.
inline constexpr long double BergstationAbHoehe = 1000;

// Distance on the ground in kilometres (great circle on a sphere of 6371 km).
long double Entfernung(long double lon1, long double lat1, long double lon2, long double lat2);

// Index of the station nearest to the point among those below BergstationAbHoehe; ties go to
// the first station. -1 when there is none.
int NaechsteStation(const std::vector<TStationQuelle>& stationen, long double lon, long double lat);
