// tropfwerk-wetter: fits the daily weather generator to real daily station series and checks
// how well its coverage curves match the curves of the real series.
#pragma once

#include "simulation/kern/wettergenerator.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

class QTextStream;

// Stations with fewer complete years are left out of fitting the shape and of the check.
inline constexpr int MindestJahre = 15;
inline constexpr int GeneratorJahre = 200;
// Goal: every station within ZielAllePp percentage points, at least ZielAnteil of them within
// ZielAbweichungPp.
inline constexpr double ZielAllePp = 3;
inline constexpr double ZielAbweichungPp = 2;
inline constexpr double ZielAnteil = 0.95;

// Daily precipitation of several stations over consecutive days: a value in mm per station and
// day, NaN where missing (empty cell or negative value).
struct TTagesreihen {
    QDate Erster;
    int Tage = 0;
    QStringList Stationen;
    std::vector<std::vector<double>> Werte; // [station][day]
    std::vector<bool> Anpassen;             // per station: fit side (else check side)
};

// Reads "date,S001,S002,…" with one row per consecutive day.
std::optional<TTagesreihen> LeseTagesreihen(const QByteArray& text, QString& fehler);
// The whole content of a gzip file.
std::optional<QByteArray> LeseGzip(const QString& pfad, QString& fehler);

// The years without a missing day, ascending.
std::vector<int> VollstaendigeJahre(const TTagesreihen& reihen, std::size_t station);
// Rain in metres per day for the given years, 365 days each (29 February dropped).
std::vector<double> Jahresreihe(const TTagesreihen& reihen, std::size_t station,
                                const std::vector<int>& jahre);
// The twelve monthly means (metres per month) of a series of whole 365-day years.
TNiederschlag Monatsmittel(const std::vector<double>& tage);
// Coverage of the typical houses (roofs of 120 and 80 m² × 0,9, WGrad 0,9, 52,8 m³ a year
// evenly, no garden) at 0,5 … 8 m³ in steps of 0,5, through whole 365-day years of rain in
// metres: the 16 points of the large roof, then the 16 of the small one.
std::vector<double> TypischeDeckung(const std::vector<double>& tage);

// Fit half: stations at an even 0-based column index (S001, S003, …); check half: odd.
bool IstAnpassStation(std::size_t station);
// Whether two columns hold the same station: equal values on every day both have, and at least
// a year of such days.
bool GleicheStation(const TTagesreihen& a, std::size_t sa, const TTagesreihen& b, std::size_t sb);
// Sets the halves of several files: by IstAnpassStation, but a station that a file before
// holds too goes to the half it has there.
void TeileAuf(std::vector<TTagesreihen>& dateien);

struct TPruefStation {
    QString Name;
    int Jahre = 0;
    std::uint64_t Saat = 0;
    TNiederschlag Mittel{};
    std::vector<double> Kurve; // of the real series
};
// The stations of one half with at least MindestJahre complete years, file by file.
std::vector<TPruefStation> PruefStationen(const std::vector<TTagesreihen>& dateien,
                                          bool anpassHaelfte);
// Largest difference in percentage points between the generator's and the real curves.
double MaxAbweichung(const TPruefStation& station, const TWetterParameter& p);
// The seed of the generated years of a station: 20031 + column index, + 1000 per file before.
std::uint64_t StationsSaat(std::size_t datei, std::size_t station);

// What a perfect generator would score: per station, ZufallsWiederholungen samples of the
// station's length generated from its means (other seeds) checked in place of the real series.
inline constexpr std::size_t ZufallsWiederholungen = 3;
std::vector<double> Zufallsgrenze(const std::vector<TPruefStation>& stationen,
                                  const TWetterParameter& p);

struct TVerteilung {
    int Stationen = 0;
    double Anteil = 0;     // within ZielAbweichungPp
    double AnteilAlle = 0; // within ZielAllePp
    double Median = 0;
    double P90 = 0;
    double Max = 0;
    double Mittel = 0;
};
TVerteilung Verteile(std::vector<double> abweichungen);

// Logistic regression of the wet-day share on ln(monthly mean) and the persistence per month,
// from the complete months of the fit half; Form and Monatsstreuung are left as given.
TWetterParameter PasseNassTageAn(const std::vector<TTagesreihen>& dateien, TWetterParameter p);

// Runs "anpassen <datei>…" or "pruefen <datei>…"; the exit code.
int FuehreWetterAus(const QStringList& argumente, QTextStream& aus, QTextStream& fehler);
