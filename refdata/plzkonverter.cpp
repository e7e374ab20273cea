// Postal-code engine: every lookup is a walk over the table rows in file order; ties go to the
// row visited first.
#include "refdata/plzkonverter.h"

#include "model/fehler.h"
#include "model/zahlenformat.h"
#include "refdata/datendatei.h"
#include "refdata/tabelle.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

std::unique_ptr<TPLZConverter> PLZConverter;
std::unique_ptr<TGeoConverter> GeoConverter;

const char* const Monatsfelder[12] = {"Jan", "Feb", "Mae", "Apr", "Mai", "Jun",
                                      "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};

namespace {

// The text of a value as the engine reads it (NULL is empty).
QString Text(const TTabelle& t, int zeile, int feld)
{
    const TWert& w = t.Wert(zeile, feld);
    if (const auto* s = std::get_if<QString>(&w))
        return *s;
    return AlsText(w);
}

long double Zahl(const TTabelle& t, int zeile, int feld)
{
    return AlsZahl(t.Wert(zeile, feld));
}

// Metres of a table's millimetres as the decimal they mean: 65.4 mm gives the long double
// nearest 0.0654, not the stored value's binary neighbour divided by 1000.
long double MillimeterAlsMeter(long double mm)
{
    char puffer[40];
    const auto [ende, fehler] = std::to_chars(
        puffer, puffer + sizeof puffer, static_cast<double>(mm), std::chars_format::scientific);
    const std::string_view text(puffer, static_cast<size_t>(ende - puffer));
    const size_t e = text.find('e');
    if (fehler != std::errc() || e == std::string_view::npos || !std::isfinite(mm))
        return mm / 1000;
    const std::string exponent(text.substr(e + 1)); // the buffer has no terminating zero
    const std::string verschoben =
        std::string(text.substr(0, e)) + 'e' + std::to_string(std::atoi(exponent.c_str()) - 3);
    return zahl::LiesInvariant(verschoben).value_or(mm / 1000);
}

std::unique_ptr<TTabelle> LadeTabelle(const TDatendatei& datei, const QString& ordner,
                                      std::initializer_list<const char16_t*> pflichtfelder)
{
    const QString name = QString::fromLatin1(datei.Name);
    const QByteArray strom = LeseDatendatei(datei, ordner);
    try {
        auto tabelle = std::make_unique<TTabelle>();
        tabelle->LadeCsv(strom);
        for (const char16_t* feld : pflichtfelder)
            tabelle->FeldIndexPflicht(QStringView(feld));
        return tabelle;
    } catch (const ESchwererFehler&) {
        throw;
    } catch (const EFehler& fehler) {
        throw ESchwererFehler(
            Tabellenfehler(name, fehler.Meldung(), QStringLiteral("Die Anwendung wird beendet.")));
    } catch (const std::exception&) {
        throw Zugriffsfehler(name); // out of memory while loading
    }
}

// The code of a table row with every "?" written as "0".
QString OhneJoker(QString code)
{
    return code.replace(u'?', u'0');
}
} // namespace

namespace {
[[noreturn]] void NichtGeladen()
{
    throw EFehler(QStringLiteral("Postleitzahlen nicht geladen"));
}

// Stands in for an engine that is not loaded: every query fails.
class TFehlenderPLZConverter : public TPLZConverter {
public:
    TFehlenderPLZConverter() : TPLZConverter(nullptr, nullptr) {}
    void LocateCity(const QString&, int) override { NichtGeladen(); }
    int ComparePLZ(const QString&, const QString&) override { NichtGeladen(); }
    bool CheckPLZ(const QString&) override { NichtGeladen(); }
    TNiederschlag GetNiederschlag(const QString&) override { NichtGeladen(); }
    void GetNiederschlagPLZ(const QString&, TNiederschlag&) override { NichtGeladen(); }
    QString GetStation(const QString&) override { NichtGeladen(); }
    QString GetPLZ(const QString&) override { NichtGeladen(); }
    long double GetMenge(const QString&) override { NichtGeladen(); }
    long double GetMengePLZ(const QString&) override { NichtGeladen(); }
    TPixel GetKartenpunkt(const QString&) override { NichtGeladen(); }
    TPixel GetKartenpunktPLZ(const QString&) override { NichtGeladen(); }
    QString FindNearestStation(TPixel) override { NichtGeladen(); }
    QString ApproximatePLZ(const QString&) override { NichtGeladen(); }
};
} // namespace

TPLZConverter& PLZConverterOderErsatz()
{
    if (PLZConverter)
        return *PLZConverter;
    static TFehlenderPLZConverter ersatz;
    return ersatz;
}

TPLZConverter::TPLZConverter(const QString& ordner) : m_ordner(ordner)
{
    m_plz = LadeTabelle(Data2, ordner, {u"Postleitzahl", u"Stadt", u"Lon", u"Lat"});
    m_station = LadeTabelle(Data1, ordner,
                            {u"Station", u"Jan", u"Feb", u"Mae", u"Apr", u"Mai", u"Jun", u"Jul",
                             u"Aug", u"Sep", u"Okt", u"Nov", u"Dez"});
}

TPLZConverter::TPLZConverter(std::unique_ptr<TTabelle> plzTabelle,
                             std::unique_ptr<TTabelle> stationTabelle)
    : m_plz(std::move(plzTabelle)), m_station(std::move(stationTabelle))
{
}

TPLZConverter::~TPLZConverter() = default;

void TPLZConverter::LocateCity(const QString& name, int typ)
{
    TTabelle* tabelle = nullptr;
    int feld = -1;
    if (typ == stStadt) {
        tabelle = m_plz.get();
        feld = tabelle->FeldIndexPflicht(u"Stadt");
    } else if (typ == stStation) {
        tabelle = m_station.get();
        feld = tabelle->FeldIndexPflicht(u"Station");
    } else {
        throw EFehler(QStringLiteral("ungültiger Stadttyp"));
    }
    for (int zeile = 0; zeile < tabelle->Anzahl(); ++zeile) {
        if (Text(*tabelle, zeile, feld) == name) {
            tabelle->SetzeAktuelleZeile(zeile);
            return;
        }
    }
    throw EInvalidCity(QStringLiteral("Stadt nicht gefunden"));
}

int TPLZConverter::ComparePLZ(const QString& a, const QString& b)
{
    if (a.size() != 5 || b.size() != 5)
        throw EInvalidPLZ(QStringLiteral("Ungültige Postleitzahl."));
    int wertung = 5;
    for (int i = 0; i < 5; ++i) {
        if (a[i] == b[i])
            continue;
        if (a[i] == u'?' || b[i] == u'?')
            --wertung;
        else
            return 0;
    }
    return wertung;
}

bool TPLZConverter::CheckPLZ(const QString& plz)
{
    if (plz.size() != 5 || !zahl::LiesGanzzahl(plz))
        throw EInvalidPLZ(QStringLiteral("ungültige Postleitzahl"));
    return true;
}

TNiederschlag TPLZConverter::GetNiederschlag(const QString& station)
{
    LocateCity(station, stStation);
    const int zeile = m_station->AktuelleZeile();
    TNiederschlag kurve{};
    for (size_t monat = 0; monat < 12; ++monat)
        kurve[monat] = MillimeterAlsMeter(
            Zahl(*m_station, zeile,
                 m_station->FeldIndexPflicht(QString::fromLatin1(Monatsfelder[monat]))));
    return kurve;
}

void TPLZConverter::GetNiederschlagPLZ(const QString& plz, TNiederschlag& kurve)
{
    kurve = GetNiederschlag(GetStation(plz));
}

QString TPLZConverter::GetStation(const QString& plz)
{
    CheckPLZ(plz);
    const int codeFeld = m_plz->FeldIndexPflicht(u"Postleitzahl");
    const int stadtFeld = m_plz->FeldIndexPflicht(u"Stadt");
    int beste = 0;
    bool gefunden = false;
    QString ergebnis;
    for (int zeile = 0; zeile < m_plz->Anzahl(); ++zeile) {
        const QString code = Text(*m_plz, zeile, codeFeld);
        if (code.size() != 5)
            continue; // a malformed row cannot match
        const int wertung = ComparePLZ(code, plz);
        if (wertung <= 0)
            continue;
        gefunden = true;
        if (wertung > beste) {
            beste = wertung;
            ergebnis = Text(*m_plz, zeile, stadtFeld);
            m_plz->SetzeAktuelleZeile(zeile);
        }
        if (wertung == 5)
            break;
    }
    if (!gefunden)
        throw EInvalidCity(QStringLiteral("keine Stadt zu dieser PLZ vorhanden"));
    return ergebnis;
}

QString TPLZConverter::GetOrt(const QString& plz)
{
    if (!CheckPLZ(plz) || !m_plz)
        return {};
    const int ortFeld = m_plz->FeldIndex(u"Ort");
    if (ortFeld < 0)
        return {};
    const int codeFeld = m_plz->FeldIndexPflicht(u"Postleitzahl");
    for (int zeile = 0; zeile < m_plz->Anzahl(); ++zeile)
        if (Text(*m_plz, zeile, codeFeld) == plz)
            return Text(*m_plz, zeile, ortFeld);
    return {};
}

QString TPLZConverter::GetPLZ(const QString& station)
{
    LocateCity(station, stStadt);
    return OhneJoker(
        Text(*m_plz, m_plz->AktuelleZeile(), m_plz->FeldIndexPflicht(u"Postleitzahl")));
}

long double TPLZConverter::GetMenge(const QString& station)
{
    long double summe = 0;
    for (long double monat : GetNiederschlag(station))
        summe += monat;
    return summe;
}

long double TPLZConverter::GetMengePLZ(const QString& plz)
{
    return GetMenge(GetStation(plz));
}

TPixel TPLZConverter::GetKartenpunkt(const QString& station)
{
    LocateCity(station, stStadt);
    const int zeile = m_plz->AktuelleZeile();
    const TGeoPoint punkt{Zahl(*m_plz, zeile, m_plz->FeldIndexPflicht(u"Lon")),
                          Zahl(*m_plz, zeile, m_plz->FeldIndexPflicht(u"Lat"))};
    return GeoConverter ? GeoConverter->GeoToPixel(punkt) : KartenKonverter().GeoToPixel(punkt);
}

TPixel TPLZConverter::GetKartenpunktPLZ(const QString& plz)
{
    return GetKartenpunkt(GetStation(plz));
}

QString TPLZConverter::FindNearestStation(TPixel pixel)
{
    if (m_plz->Anzahl() == 0)
        throw EFehler(QStringLiteral("Es sind keine Postleitzahlen geladen"));
    const TGeoPoint ort =
        GeoConverter ? GeoConverter->PixelToGeo(pixel) : KartenKonverter().PixelToGeo(pixel);
    const int lonFeld = m_plz->FeldIndexPflicht(u"Lon");
    const int latFeld = m_plz->FeldIndexPflicht(u"Lat");
    const int stadtFeld = m_plz->FeldIndexPflicht(u"Stadt");
    auto abstand = [&](int zeile) {
        const long double dx = ort.Lon - Zahl(*m_plz, zeile, lonFeld);
        const long double dy = ort.Lat - Zahl(*m_plz, zeile, latFeld);
        return std::sqrt(dx * dx + dy * dy);
    };
    int beste = 0;
    long double besterAbstand = abstand(0);
    for (int zeile = 1; zeile < m_plz->Anzahl(); ++zeile) {
        const long double d = abstand(zeile);
        if (d < besterAbstand) {
            besterAbstand = d;
            beste = zeile;
        }
    }
    m_plz->SetzeAktuelleZeile(beste);
    return Text(*m_plz, beste, stadtFeld);
}

QString TPLZConverter::ApproximatePLZ(const QString& plz)
{
    CheckPLZ(plz);
    const QChar erstes = plz[0];
    const long long ziel = static_cast<long long>(*zahl::LiesGanzzahl(plz)) % 10000;
    const int codeFeld = m_plz->FeldIndexPflicht(u"Postleitzahl");
    long long beste = 10000;
    QString kandidat;
    for (int zeile = 0; zeile < m_plz->Anzahl(); ++zeile) {
        const QString code = Text(*m_plz, zeile, codeFeld);
        if (code.isEmpty() || code[0] != erstes)
            continue;
        const auto zahl = zahl::LiesGanzzahl(OhneJoker(code));
        if (!zahl)
            continue; // a row that is no code cannot be a candidate
        const long long n = static_cast<long long>(*zahl) % 10000;
        const long long abstand = n < ziel ? ziel - n : n - ziel;
        if (abstand < beste) {
            beste = abstand;
            kandidat = QStringLiteral("%1").arg(n, 4, 10, QChar(u'0'));
        }
    }
    if (beste >= 10000)
        throw EFehler(QStringLiteral("Postleitzahl konnte nicht angenähert werden!"));
    return erstes + kandidat;
}
