// Packing the sources of data/ into Data1.cry, Data2.cry and Data3.cry.
#pragma once

#include "quellen.h"
#include "refdata/tabelle.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

struct TPackBericht {
    int Stationen = 0;
    int Postleitzahlen = 0;
    int Produkte = 0;
};

// The station table: Station and the twelve months in millimetres (March is "Mae").
void FuelleStationstabelle(TTabelle& tabelle, const std::vector<TStationQuelle>& stationen);
// The postal-code table: each code with its coordinate and its nearest suitable station.
void FuellePLZTabelle(TTabelle& tabelle, const std::vector<TPLZQuelle>& plz,
                      const std::vector<TStationQuelle>& stationen);
// The product table, pictures converted from SVG in `bildordner` to Windows bitmap bytes.
void FuelleProdukttabelle(TTabelle& tabelle, const std::vector<TProduktQuelle>& produkte,
                          const QString& bildordner);

// The bytes of a 24-bit Windows bitmap of the SVG picture, at the given size.
QByteArray SvgAlsBmp(const QString& pfad, int breite, int hoehe);

// Writes the three files into `aus`. With `zufall` the chaining values and blob sizes repeat
// from run to run; without, they are fresh every time.
TPackBericht PackeAlles(const QString& daten, const QString& aus,
                        std::optional<std::uint32_t> zufall);
