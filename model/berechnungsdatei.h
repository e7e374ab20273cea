// Calculation files: one parameter set as UTF-8 JSON (*.tropfwerk), written and read back
// bit for bit. The results are never read; they are computed again from the inputs.
#pragma once

#include "model/parametersatz.h"

#include <QByteArray>
#include <QString>

#include <string>

inline constexpr qint64 MaxBerechnungsGroesse = 1024 * 1024; // bytes
inline const QString BerechnungsEndung = QStringLiteral(".tropfwerk");
inline const QString BerechnungsMimeTyp = QStringLiteral("application/x-tropfwerk");

// The file's text: {"format": "Tropfwerk-Berechnung", "version": 1, "parametersatz": {…}}, and
// with the set's money inputs "wirtschaftlichkeit": {"Wasserpreis": …, "Pumpenstrom": …,
// "Wartung": …, "Einbau": …, "Gebuehr": …}.
// Numbers are the shortest decimals that read back as the stored values. Raises EFehler for a
// value that JSON cannot hold (not finite).
QByteArray BerechnungAlsJson(const TParameterSatz& satz);

// Reads a file's text into a set and computes its results. Raises EFehler with the reason
// (without the file name) when the text is not a valid calculation.
TParameterSatz BerechnungAusJson(const QByteArray& text);

// Reads a calculation file. Raises EFehler "Die Datei „<Name>“ ist keine gültige Berechnung:
// <Grund>." or the file's access error; nothing is returned then.
TParameterSatz LadeBerechnung(const QString& pfad);

// Writes a calculation file through a temporary file, so an interrupted or failed save leaves
// the old file as it was. Raises EFehler naming the file and the reason when it fails.
void SpeichereBerechnung(const QString& pfad, const TParameterSatz& satz);

// A JSON string literal of the text, and a JSON number of the value (shortest decimal that
// reads back; raises EFehler naming `name` for a value that is not finite).
std::string JsonText(const QString& text);
std::string JsonZahl(long double wert, const char* name);

// The path with ".tropfwerk" appended unless it already ends in it (in any case): "Haus 2.OG"
// becomes "Haus 2.OG.tropfwerk", "x.TROPFWERK" stays.
QString MitBerechnungsEndung(const QString& pfad);

// The file name the save dialog proposes: "Berechnung 14195.tropfwerk", without a postal code
// "Berechnung.tropfwerk".
QString BerechnungsVorschlag(const TParameterSatz& satz);
