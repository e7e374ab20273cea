// Postal codes and weather stations: which station serves a site, its curve and annual sum.
#pragma once

#include "model/parametersatz.h"
#include "refdata/geokonverter.h"

#include <QString>
#include <memory>

class TTabelle;

// Fields of the station table for January to December (March is spelled "Mae").
extern const char* const Monatsfelder[12];

enum TStadtTyp { stStadt = 0, stStation = 1 };

class TPLZConverter {
public:
    // Loads PLZTable from Data2.cry and StationTable from Data1.cry in `ordner`.
    explicit TPLZConverter(const QString& ordner = QStringLiteral("."));
    // Takes two tables already loaded (tests, tools).
    TPLZConverter(std::unique_ptr<TTabelle> plzTabelle, std::unique_ptr<TTabelle> stationTabelle);
    virtual ~TPLZConverter();

    // Positions the chosen table on the first row whose name equals `name` exactly.
    virtual void LocateCity(const QString& name, int typ);
    // Match score 0..5 of two five-character codes, "?" matching any digit.
    virtual int ComparePLZ(const QString& a, const QString& b);
    virtual bool CheckPLZ(const QString& plz);
    virtual TNiederschlag GetNiederschlag(const QString& station);
    virtual void GetNiederschlagPLZ(const QString& plz, TNiederschlag& kurve);
    virtual QString GetStation(const QString& plz);
    virtual QString GetPLZ(const QString& station);
    virtual long double GetMenge(const QString& station);
    virtual long double GetMengePLZ(const QString& plz);
    virtual TPixel GetKartenpunkt(const QString& station);
    virtual TPixel GetKartenpunktPLZ(const QString& plz);
    virtual QString FindNearestStation(TPixel pixel);
    virtual QString ApproximatePLZ(const QString& plz);
    // The place of a postal code listed exactly as typed; empty for a code only a pattern
    // covers, and for tables without places.
    QString GetOrt(const QString& plz);

    TTabelle& PLZTable() { return *m_plz; }
    TTabelle& StationTable() { return *m_station; }
    // The folder the tables were loaded from; the product file lies beside them.
    const QString& Datenordner() const { return m_ordner; }

private:
    QString m_ordner = QStringLiteral(".");
    std::unique_ptr<TTabelle> m_plz;
    std::unique_ptr<TTabelle> m_station;
};

// The program's engine and map converter, created at start-up after the data-file check.
extern std::unique_ptr<TPLZConverter> PLZConverter;
extern std::unique_ptr<TGeoConverter> GeoConverter;

// The engine the windows are given: the program's one, or while none is loaded a stand-in whose
// every query raises EFehler "Postleitzahlen nicht geladen".
TPLZConverter& PLZConverterOderErsatz();
