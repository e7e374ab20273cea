// The three encrypted data files: seeds, key lengths and reading a file into a byte stream.
#pragma once

#include "model/fehler.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

struct TDatendatei {
    const char* Name;     // file name in the data folder
    std::int32_t Seed;    // seed of GenerateKey
    int Schluessellaenge; // key length in bytes
};

extern const TDatendatei Data1; // weather stations, CSV table stream, 43-byte key
extern const TDatendatei Data2; // postal codes, CSV table stream, 38-byte key
extern const TDatendatei Data3; // products, binary table stream, 39-byte key

// Empties `strom`, then appends the plaintext of every valid blob of the file in file order.
// Invalid blobs are skipped. Raises ESchwererFehler "Fehler beim Zugriff auf <Name>. Die Anwendung
// wird beendet." when the file cannot be opened or read, a length field is incomplete or
// negative, a blob runs past the end of the file, or memory runs out while reading (the file's
// size is not trusted: buffers grow with what is actually read). `anzeigename` is the name in the
// message (the file name without folder when empty).
void DecryptFileToStream(const QString& dateiname, QByteArray& strom, const QByteArray& key,
                         const QString& anzeigename = QString());

// The same on bytes already in memory (the container format without the file).
void DecryptBytesToStream(const QByteArray& datei, QByteArray& strom, const QByteArray& key,
                          const QString& anzeigename);

// GenerateKey + DecryptFileToStream for one of the three files, looked up in `ordner`.
QByteArray LeseDatendatei(const TDatendatei& datei, const QString& ordner = QStringLiteral("."));

// "Fehler beim Zugriff auf <name>. Die Anwendung wird beendet."
ESchwererFehler Zugriffsfehler(const QString& name);

// "Die Datei <name> enthält keine gültige Tabelle (<grund>)." with `zusatz` appended after a
// blank when not empty. The reason comes from a damaged file: its control characters are
// dropped, it is shortened when very long, and its own closing full stops are left out.
QString Tabellenfehler(const QString& name, const QString& grund, const QString& zusatz = {});

// Test seam: every buffer the reader is about to grow passes its new size here first. A test
// may throw std::bad_alloc from it; nullptr restores the default (no check). Returns the old one.
using TSpeicherHaken = void (*)(qint64 bytes);
TSpeicherHaken SetzeSpeicherHaken(TSpeicherHaken haken);
