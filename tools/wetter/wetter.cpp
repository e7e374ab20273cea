#include "wetter.h"

#include "model/zahlenformat.h"
#include "simulation/kern/deckungskurve.h"

#include <QElapsedTimer>
#include <QTextStream>

#include <zlib.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

constexpr int MindestMonate = 5; // complete months for a station-month of the regression
const std::array<double, 2> Daecher{120, 80}; // m², × coefficient 0,9 × WGrad 0,9
constexpr double Jahresbedarf = 52.8;         // m³
const std::array<double, 5> Formen{0.4, 0.5, 0.6, 0.7, 0.8};
const std::array<double, 7> Streuungen{0.20, 0.25, 0.30, 0.35, 0.40, 0.45, 0.50};
const std::array<double, 5> Haeufungen{0, 0.5, 1, 1.25, 1.5};
const std::array<double, 5> PersistenzSommerWerte{0, -0.2, -0.4, -0.6, -0.8};

const char* const Hilfe =
    "Aufruf: tropfwerk-wetter anpassen <tageswerte.csv.gz>…\n"
    "        tropfwerk-wetter pruefen <tageswerte.csv.gz>…\n"
    "\n"
    "Jede Datei enthält je Tag eine Zeile \"date,S001,S002,…\" (Datum ISO) mit dem Niederschlag\n"
    "in mm; leere und negative Werte fehlen. Ein vollständiges Jahr hat keinen fehlenden Tag.\n"
    "Anpassungshälfte: die Stationen der Spalten mit geradem Index ab 0 (S001, S003, …),\n"
    "Prüfhälfte: die mit ungeradem Index (S002, S004, …); eine Station, die schon eine\n"
    "Datei davor enthält (gleiche Werte an allen gemeinsamen Tagen), bleibt auf ihrer Seite.\n"
    "Geprüft werden Stationen mit mindestens 15 vollständigen Jahren (29. Februar\n"
    "weggelassen), je Station 200 erzeugte Jahre mit fester Saat, Dächer von 120 und 80 m².\n"
    "\n"
    "anpassen: Nasstage (ab 0,1 mm) und Persistenz aus der Anpassungshälfte, Form,\n"
    "          Monatsstreuung und Häufung per Rastersuche, danach die Änderung der Persistenz\n"
    "          mit dem Sommeranteil; gibt die Parameter als C++ aus.\n"
    "pruefen:  prüft die Parameter des Programms an der Prüfhälfte; Rückgabe 0, wenn alle\n"
    "          Stationen höchstens 3 und mindestens 95 % höchstens 2 Prozentpunkte\n"
    "          abweichen. Dazu die Zufallsgrenze: dieselbe Prüfung, wenn statt der echten\n"
    "          Reihe eine erzeugte gleicher Länge (andere Saat) die Station vertritt.\n";

bool IstNass(double mm)
{
    // The series hold whole tenths (or hundredths) of a millimetre.
    return mm >= NassAbMm - 1e-9;
}

bool IstSchalttag(const QDate& tag)
{
    return tag.month() == 2 && tag.day() == 29;
}

QString Pp(double wert)
{
    return zahl::Dezimal(wert, 2);
}

QString Prozent(double anteil)
{
    return zahl::Dezimal(anteil * 100, 1) + QStringLiteral(" %");
}

void SchreibeVerteilung(QTextStream& aus, const TVerteilung& v, const char* was = "Stationen")
{
    aus << was << ": " << v.Stationen << ", innerhalb 2 pp: " << Prozent(v.Anteil)
        << ", innerhalb 3 pp: " << Prozent(v.AnteilAlle) << ", Median " << Pp(v.Median)
        << " pp, p90 " << Pp(v.P90) << " pp, Max " << Pp(v.Max) << " pp, Mittel " << Pp(v.Mittel)
        << " pp\n";
}

QString Zahl(double wert, int stellen)
{
    return QString::number(wert, 'f', stellen);
}

double Runde(double wert, int stellen)
{
    const double f = std::pow(10.0, stellen);
    return std::round(wert * f) / f;
}

std::vector<double> Abweichungen(const std::vector<TPruefStation>& stationen,
                                 const TWetterParameter& p)
{
    std::vector<double> ergebnis;
    ergebnis.reserve(stationen.size());
    for (const TPruefStation& s : stationen)
        ergebnis.push_back(MaxAbweichung(s, p));
    return ergebnis;
}

std::optional<std::vector<TTagesreihen>> LeseDateien(const QStringList& pfade, QTextStream& fehler)
{
    std::vector<TTagesreihen> dateien;
    for (const QString& pfad : pfade) {
        QString text;
        std::optional<QByteArray> inhalt = LeseGzip(pfad, text);
        std::optional<TTagesreihen> reihen;
        if (inhalt)
            reihen = LeseTagesreihen(*inhalt, text);
        if (!reihen) {
            fehler << pfad << ": " << text << '\n';
            return std::nullopt;
        }
        dateien.push_back(std::move(*reihen));
    }
    TeileAuf(dateien);
    return dateien;
}

int Anpassen(const std::vector<TTagesreihen>& dateien, QTextStream& aus)
{
    TWetterParameter p = PasseNassTageAn(dateien, AngepassteWetterParameter());
    const std::vector<TPruefStation> stationen = PruefStationen(dateien, true);
    if (stationen.empty()) {
        aus << "Keine Station der Anpassungshälfte hat " << MindestJahre
            << " vollständige Jahre.\n";
        return 1;
    }
    aus << "Rastersuche über " << stationen.size() << " Stationen der Anpassungshälfte:\n";
    TVerteilung beste;
    double besteForm = p.Form;
    double besteStreuung = p.Monatsstreuung;
    double besteHaeufung = p.Haeufung;
    bool gefunden = false;
    for (const double form : Formen)
        for (const double streuung : Streuungen)
            for (const double haeufung : Haeufungen) {
                p.Form = form;
                p.Monatsstreuung = streuung;
                p.Haeufung = haeufung;
                const TVerteilung v = Verteile(Abweichungen(stationen, p));
                aus << "Form " << zahl::Dezimal(form, 2) << ", Monatsstreuung "
                    << zahl::Dezimal(streuung, 2) << ", Häufung " << zahl::Dezimal(haeufung, 2)
                    << ": ";
                SchreibeVerteilung(aus, v);
                // The mean of the largest deviations decides; it is steadier than a share or a
                // quantile.
                if (!gefunden || v.Mittel < beste.Mittel) {
                    beste = v;
                    besteForm = form;
                    besteStreuung = streuung;
                    besteHaeufung = haeufung;
                    gefunden = true;
                }
            }
    p.Form = besteForm;
    p.Monatsstreuung = besteStreuung;
    p.Haeufung = besteHaeufung;
    double bestePersistenzSommer = p.PersistenzSommer;
    for (const double wert : PersistenzSommerWerte) {
        p.PersistenzSommer = wert;
        const TVerteilung v = Verteile(Abweichungen(stationen, p));
        aus << "Persistenz je Sommeranteil " << zahl::Dezimal(wert, 2) << ": ";
        SchreibeVerteilung(aus, v);
        if (v.Mittel < beste.Mittel) {
            beste = v;
            bestePersistenzSommer = wert;
        }
    }
    p.PersistenzSommer = bestePersistenzSommer;

    aus << "\nstatic const TWetterParameter parameter{\n"
        << "    " << Zahl(p.NassA, 4) << ",\n"
        << "    " << Zahl(p.NassB, 4) << ",\n"
        << "    {";
    for (std::size_t m = 0; m < 12; ++m)
        aus << (m > 0 ? ", " : "") << Zahl(p.Persistenz[m], 3);
    aus << "},\n"
        << "    " << Zahl(p.Form, 2) << ",\n"
        << "    " << Zahl(p.Monatsstreuung, 2) << ",\n"
        << "    " << Zahl(p.Haeufung, 2) << ",\n"
        << "    " << Zahl(p.PersistenzSommer, 2) << "};\n\n"
        << "Anpassungshälfte: ";
    SchreibeVerteilung(aus, beste);
    return 0;
}

int Pruefen(const std::vector<TTagesreihen>& dateien, QTextStream& aus)
{
    const std::vector<TPruefStation> stationen = PruefStationen(dateien, false);
    if (stationen.empty()) {
        aus << "Keine Station der Prüfhälfte hat " << MindestJahre << " vollständige Jahre.\n";
        return 1;
    }
    const std::vector<double> abweichungen = Abweichungen(stationen, AngepassteWetterParameter());
    for (std::size_t i = 0; i < stationen.size(); ++i)
        aus << stationen[i].Name << ": " << stationen[i].Jahre << " Jahre, größte Abweichung "
            << Pp(abweichungen[i]) << " pp\n";
    const TVerteilung v = Verteile(abweichungen);
    aus << "Prüfhälfte: ";
    SchreibeVerteilung(aus, v);
    aus << "Zufallsgrenze (Generator gegen eigene Stichproben gleicher Länge, "
        << ZufallsWiederholungen << " je Station): ";
    SchreibeVerteilung(aus, Verteile(Zufallsgrenze(stationen, AngepassteWetterParameter())),
                       "Stichproben");
    const bool erreicht = v.Anteil >= ZielAnteil && v.AnteilAlle >= 1;
    aus << (erreicht ? "Ziel erreicht" : "Ziel verfehlt") << " (alle innerhalb 3 pp, mindestens "
        << Prozent(ZielAnteil) << " innerhalb 2 pp).\n";
    return erreicht ? 0 : 1;
}

} // namespace

std::optional<QByteArray> LeseGzip(const QString& pfad, QString& fehler)
{
    const QByteArray name = pfad.toLocal8Bit();
    gzFile datei = gzopen(name.constData(), "rb");
    if (datei == nullptr) {
        fehler = QStringLiteral("Datei lässt sich nicht öffnen");
        return std::nullopt;
    }
    QByteArray inhalt;
    std::array<char, 1 << 16> puffer{};
    int gelesen = 0;
    while ((gelesen = gzread(datei, puffer.data(), static_cast<unsigned>(puffer.size()))) > 0)
        inhalt.append(puffer.data(), gelesen);
    int fehlernummer = Z_OK;
    const char* meldung = gzerror(datei, &fehlernummer);
    const bool ok = gelesen == 0 && (fehlernummer == Z_OK || fehlernummer == Z_STREAM_END);
    if (!ok)
        fehler = QStringLiteral("Lesefehler: ") + QString::fromUtf8(meldung);
    gzclose(datei);
    if (!ok)
        return std::nullopt;
    return inhalt;
}

std::optional<TTagesreihen> LeseTagesreihen(const QByteArray& text, QString& fehler)
{
    TTagesreihen reihen;
    const QList<QByteArray> zeilen = text.split('\n');
    int zeilennummer = 0;
    for (QByteArray zeile : zeilen) {
        ++zeilennummer;
        if (zeile.endsWith('\r'))
            zeile.chop(1);
        if (zeile.isEmpty())
            continue;
        const QList<QByteArray> felder = zeile.split(',');
        const auto ort = [zeilennummer](const QString& was) {
            return QStringLiteral("Zeile %1: %2").arg(zeilennummer).arg(was);
        };
        if (reihen.Stationen.isEmpty() && reihen.Werte.empty()) {
            if (felder.size() < 2 || felder.front().trimmed() != "date") {
                fehler = ort(QStringLiteral("Kopfzeile \"date,Station,…\" erwartet"));
                return std::nullopt;
            }
            for (qsizetype i = 1; i < felder.size(); ++i)
                reihen.Stationen << QString::fromUtf8(felder.at(i).trimmed());
            reihen.Werte.resize(static_cast<std::size_t>(reihen.Stationen.size()));
            continue;
        }
        const QDate tag = QDate::fromString(QString::fromLatin1(felder.front()), Qt::ISODate);
        if (!tag.isValid()) {
            fehler = ort(QStringLiteral("ungültiges Datum"));
            return std::nullopt;
        }
        if (reihen.Tage == 0)
            reihen.Erster = tag;
        else if (reihen.Erster.addDays(reihen.Tage) != tag) {
            fehler = ort(QStringLiteral("die Tage folgen nicht lückenlos aufeinander"));
            return std::nullopt;
        }
        if (felder.size() - 1 > reihen.Stationen.size()) {
            fehler = ort(QStringLiteral("mehr Werte als Stationen"));
            return std::nullopt;
        }
        for (std::size_t s = 0; s < reihen.Werte.size(); ++s) {
            const auto i = static_cast<qsizetype>(s) + 1;
            const QByteArray feld = i < felder.size() ? felder.at(i).trimmed() : QByteArray();
            double wert = std::numeric_limits<double>::quiet_NaN();
            if (!feld.isEmpty()) {
                const char* ende = feld.constData() + feld.size();
                double gelesen = 0;
                const auto [rest, fehlercode] = std::from_chars(feld.constData(), ende, gelesen);
                if (fehlercode != std::errc() || rest != ende) {
                    fehler = ort(QStringLiteral("keine Zahl: ") + QString::fromUtf8(feld));
                    return std::nullopt;
                }
                if (std::isfinite(gelesen) && gelesen >= 0)
                    wert = gelesen;
            }
            reihen.Werte[s].push_back(wert);
        }
        ++reihen.Tage;
    }
    if (reihen.Tage == 0) {
        fehler = QStringLiteral("keine Tageswerte");
        return std::nullopt;
    }
    for (std::size_t s = 0; s < reihen.Werte.size(); ++s)
        reihen.Anpassen.push_back(IstAnpassStation(s));
    return reihen;
}

std::vector<int> VollstaendigeJahre(const TTagesreihen& reihen, std::size_t station)
{
    std::vector<int> jahre;
    if (reihen.Tage == 0 || station >= reihen.Werte.size())
        return jahre;
    const std::vector<double>& werte = reihen.Werte[station];
    const QDate letzter = reihen.Erster.addDays(reihen.Tage - 1);
    for (int jahr = reihen.Erster.year(); jahr <= letzter.year(); ++jahr) {
        const qint64 von = reihen.Erster.daysTo(QDate(jahr, 1, 1));
        const qint64 bis = reihen.Erster.daysTo(QDate(jahr, 12, 31));
        if (von < 0 || bis >= reihen.Tage)
            continue;
        bool vollstaendig = true;
        for (qint64 t = von; t <= bis && vollstaendig; ++t)
            vollstaendig = !std::isnan(werte[static_cast<std::size_t>(t)]);
        if (vollstaendig)
            jahre.push_back(jahr);
    }
    return jahre;
}

std::vector<double> Jahresreihe(const TTagesreihen& reihen, std::size_t station,
                                const std::vector<int>& jahre)
{
    std::vector<double> tage;
    tage.reserve(jahre.size() * TageJeJahr);
    for (const int jahr : jahre) {
        const QDate anfang(jahr, 1, 1);
        const qint64 von = reihen.Erster.daysTo(anfang);
        for (int t = 0; t < anfang.daysInYear(); ++t)
            if (!IstSchalttag(anfang.addDays(t)))
                tage.push_back(reihen.Werte[station][static_cast<std::size_t>(von + t)] / 1000);
    }
    return tage;
}

TNiederschlag Monatsmittel(const std::vector<double>& tage)
{
    TNiederschlag mittel{};
    const std::size_t jahre = tage.size() / TageJeJahr;
    if (jahre == 0)
        return mittel;
    std::size_t t = 0;
    for (std::size_t j = 0; j < jahre; ++j)
        for (std::size_t m = 0; m < 12; ++m)
            for (int d = 0; d < Monatstage[m]; ++d)
                mittel[m] += tage[t++];
    for (auto& wert : mittel)
        wert /= static_cast<long double>(jahre);
    return mittel;
}

std::vector<double> TypischeDeckung(const std::vector<double>& tage)
{
    std::vector<double> volumina;
    for (int i = 1; i <= 16; ++i)
        volumina.push_back(0.5 * i);
    std::vector<double> deckung;
    for (const double dach : Daecher) {
        THausTage haus;
        haus.ErtragJeMeter = dach * 0.9 * 0.9;
        haus.Bedarf.assign(TageJeJahr, Jahresbedarf / TageJeJahr);
        for (const TDeckungsPunkt& punkt : BerechneDeckung(haus, tage, volumina))
            deckung.push_back(punkt.Deckung);
    }
    return deckung;
}

bool IstAnpassStation(std::size_t station)
{
    return station % 2 == 0;
}

bool GleicheStation(const TTagesreihen& a, std::size_t sa, const TTagesreihen& b, std::size_t sb)
{
    const qint64 versatz = a.Erster.daysTo(b.Erster); // day t of b is day t + versatz of a
    int gemeinsam = 0;
    for (qint64 t = std::max<qint64>(0, -versatz); t < b.Tage && t + versatz < a.Tage; ++t) {
        const double x = a.Werte[sa][static_cast<std::size_t>(t + versatz)];
        const double y = b.Werte[sb][static_cast<std::size_t>(t)];
        if (std::isnan(x) || std::isnan(y))
            continue;
        if (std::fabs(x - y) > 1e-9)
            return false;
        ++gemeinsam;
    }
    return gemeinsam >= TageJeJahr;
}

void TeileAuf(std::vector<TTagesreihen>& dateien)
{
    for (std::size_t d = 0; d < dateien.size(); ++d) {
        TTagesreihen& reihen = dateien[d];
        reihen.Anpassen.assign(reihen.Werte.size(), false);
        for (std::size_t s = 0; s < reihen.Werte.size(); ++s) {
            reihen.Anpassen[s] = IstAnpassStation(s);
            bool gefunden = false;
            for (std::size_t frueher = 0; frueher < d && !gefunden; ++frueher)
                for (std::size_t f = 0; f < dateien[frueher].Werte.size() && !gefunden; ++f)
                    if (GleicheStation(dateien[frueher], f, reihen, s)) {
                        reihen.Anpassen[s] = dateien[frueher].Anpassen[f];
                        gefunden = true;
                    }
        }
    }
}

std::vector<TPruefStation> PruefStationen(const std::vector<TTagesreihen>& dateien,
                                          bool anpassHaelfte)
{
    std::vector<TPruefStation> stationen;
    for (std::size_t d = 0; d < dateien.size(); ++d) {
        const TTagesreihen& reihen = dateien[d];
        for (std::size_t s = 0; s < reihen.Werte.size(); ++s) {
            if (reihen.Anpassen.size() != reihen.Werte.size() ||
                reihen.Anpassen[s] != anpassHaelfte)
                continue;
            const std::vector<int> jahre = VollstaendigeJahre(reihen, s);
            if (static_cast<int>(jahre.size()) < MindestJahre)
                continue;
            const std::vector<double> tage = Jahresreihe(reihen, s, jahre);
            stationen.push_back({reihen.Stationen.at(static_cast<qsizetype>(s)),
                                 static_cast<int>(jahre.size()), StationsSaat(d, s),
                                 Monatsmittel(tage), TypischeDeckung(tage)});
        }
    }
    return stationen;
}

std::uint64_t StationsSaat(std::size_t datei, std::size_t station)
{
    return 20031 + 1000 * datei + station;
}

double MaxAbweichung(const TPruefStation& station, const TWetterParameter& p)
{
    const std::vector<double> erzeugt =
        TypischeDeckung(ErzeugeWetter(station.Mittel, GeneratorJahre, station.Saat, p));
    double groesste = 0;
    for (std::size_t i = 0; i < erzeugt.size() && i < station.Kurve.size(); ++i)
        groesste = std::max(groesste, std::fabs(erzeugt[i] - station.Kurve[i]) * 100);
    return groesste;
}

std::vector<double> Zufallsgrenze(const std::vector<TPruefStation>& stationen,
                                  const TWetterParameter& p)
{
    std::vector<double> ergebnis;
    ergebnis.reserve(stationen.size() * ZufallsWiederholungen);
    for (const TPruefStation& s : stationen)
        for (std::size_t w = 1; w <= ZufallsWiederholungen; ++w) {
            // The sample takes the place of the real series, and the check runs as for it.
            const std::vector<double> stichprobe =
                ErzeugeWetter(s.Mittel, s.Jahre, s.Saat + 100000 * w, p);
            const TPruefStation ersatz{s.Name, s.Jahre, s.Saat, Monatsmittel(stichprobe),
                                       TypischeDeckung(stichprobe)};
            ergebnis.push_back(MaxAbweichung(ersatz, p));
        }
    return ergebnis;
}

TVerteilung Verteile(std::vector<double> abweichungen)
{
    TVerteilung v;
    if (abweichungen.empty())
        return v;
    std::sort(abweichungen.begin(), abweichungen.end());
    const std::size_t n = abweichungen.size();
    v.Stationen = static_cast<int>(n);
    const auto anteil = [&abweichungen, n](double pp) {
        return static_cast<double>(std::count_if(abweichungen.begin(), abweichungen.end(),
                                                 [pp](double a) { return a <= pp; })) /
               static_cast<double>(n);
    };
    v.Anteil = anteil(ZielAbweichungPp);
    v.AnteilAlle = anteil(ZielAllePp);
    v.Median =
        n % 2 == 1 ? abweichungen[n / 2] : (abweichungen[n / 2 - 1] + abweichungen[n / 2]) / 2;
    // Nearest rank.
    const auto rang = static_cast<std::size_t>(std::ceil(0.9 * static_cast<double>(n)));
    v.P90 = abweichungen[std::max<std::size_t>(rang, 1) - 1];
    v.Max = abweichungen.back();
    double summe = 0;
    for (const double a : abweichungen)
        summe += a;
    v.Mittel = summe / static_cast<double>(n);
    return v;
}

namespace {

struct TBeobachtung {
    double X = 0;       // ln(monthly mean, mm)
    double Anteil = 0;  // wet days / days
    double Gewicht = 0; // days
};

// Binomial logistic regression of the shares on X by iteratively reweighted least squares:
// intercept and slope.
std::pair<double, double> LogistischeRegression(const std::vector<TBeobachtung>& beobachtungen)
{
    double a = 0;
    double b = 0;
    for (int schritt = 0; schritt < 100; ++schritt) {
        double s00 = 0, s01 = 0, s11 = 0, r0 = 0, r1 = 0;
        for (const TBeobachtung& o : beobachtungen) {
            const double eta = a + b * o.X;
            const double mu = 1 / (1 + std::exp(-eta));
            const double w = o.Gewicht * mu * (1 - mu);
            const double z = eta + (o.Anteil - mu) / (mu * (1 - mu));
            s00 += w;
            s01 += w * o.X;
            s11 += w * o.X * o.X;
            r0 += w * z;
            r1 += w * z * o.X;
        }
        const double det = s00 * s11 - s01 * s01;
        if (!(std::fabs(det) > 0))
            break;
        const double neuA = (s11 * r0 - s01 * r1) / det;
        const double neuB = (s00 * r1 - s01 * r0) / det;
        const bool fertig = std::fabs(neuA - a) < 1e-10 && std::fabs(neuB - b) < 1e-10;
        a = neuA;
        b = neuB;
        if (fertig)
            break;
    }
    return {a, b};
}

} // namespace

TWetterParameter PasseNassTageAn(const std::vector<TTagesreihen>& dateien, TWetterParameter p)
{
    std::vector<TBeobachtung> beobachtungen;
    // Transitions per calendar month pooled over the fit stations: [month][from][to].
    std::array<std::array<std::array<double, 2>, 2>, 12> uebergaenge{};

    for (const TTagesreihen& reihen : dateien)
        for (std::size_t s = 0; s < reihen.Werte.size(); ++s) {
            if (reihen.Anpassen.size() != reihen.Werte.size() || !reihen.Anpassen[s])
                continue;
            const std::vector<double>& werte = reihen.Werte[s];
            std::array<double, 12> summe{};
            std::array<double, 12> nass{};
            std::array<double, 12> tage{};
            std::array<int, 12> monate{};
            int t = 0;
            while (t < reihen.Tage) {
                // One calendar month of the series at a time.
                const QDate anfang = reihen.Erster.addDays(t);
                const auto m = static_cast<std::size_t>(anfang.month() - 1);
                const int laenge =
                    std::min(anfang.daysInMonth() - anfang.day() + 1, reihen.Tage - t);
                double monatSumme = 0;
                double monatNass = 0;
                double monatTage = 0;
                bool vollstaendig = anfang.day() == 1 && laenge == anfang.daysInMonth();
                for (int d = t; d < t + laenge; ++d) {
                    const double wert = werte[static_cast<std::size_t>(d)];
                    if (std::isnan(wert)) {
                        vollstaendig = false;
                        continue;
                    }
                    if (d > 0 && !std::isnan(werte[static_cast<std::size_t>(d - 1)]))
                        uebergaenge[m][IstNass(werte[static_cast<std::size_t>(d - 1)]) ? 1 : 0]
                                   [IstNass(wert) ? 1 : 0] += 1;
                    if (IstSchalttag(reihen.Erster.addDays(d)))
                        continue;
                    monatSumme += wert;
                    monatNass += IstNass(wert) ? 1 : 0;
                    monatTage += 1;
                }
                if (vollstaendig) {
                    summe[m] += monatSumme;
                    nass[m] += monatNass;
                    tage[m] += monatTage;
                    ++monate[m];
                }
                t += laenge;
            }
            for (std::size_t m = 0; m < 12; ++m)
                if (monate[m] >= MindestMonate && summe[m] > 0)
                    beobachtungen.push_back(
                        {std::log(summe[m] / monate[m]), nass[m] / tage[m], tage[m]});
        }

    if (!beobachtungen.empty()) {
        const auto [a, b] = LogistischeRegression(beobachtungen);
        p.NassA = Runde(a, 4);
        p.NassB = Runde(b, 4);
    }
    for (std::size_t m = 0; m < 12; ++m) {
        const auto& u = uebergaenge[m];
        const double ausTrocken = u[0][0] + u[0][1];
        const double ausNass = u[1][0] + u[1][1];
        if (ausTrocken > 0 && ausNass > 0)
            p.Persistenz[m] = Runde(u[1][1] / ausNass - u[0][1] / ausTrocken, 3);
    }
    return p;
}

int FuehreWetterAus(const QStringList& argumente, QTextStream& aus, QTextStream& fehler)
{
    const QString befehl = argumente.value(0);
    if (argumente.size() < 2 ||
        (befehl != QLatin1String("anpassen") && befehl != QLatin1String("pruefen"))) {
        (argumente.isEmpty() || befehl == QLatin1String("--help") ? aus : fehler) << Hilfe;
        return argumente.isEmpty() || befehl == QLatin1String("--help") ? 0 : 2;
    }
    QElapsedTimer uhr;
    uhr.start();
    const std::optional<std::vector<TTagesreihen>> dateien = LeseDateien(argumente.mid(1), fehler);
    if (!dateien)
        return 2;
    const int ergebnis =
        befehl == QLatin1String("anpassen") ? Anpassen(*dateien, aus) : Pruefen(*dateien, aus);
    aus << "Laufzeit: " << zahl::Dezimal(static_cast<double>(uhr.elapsed()) / 1000, 1) << " s\n";
    return ergebnis;
}
