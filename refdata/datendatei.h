// The three encrypted data files: seeds, key lengths and reading a file into a byte stream.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

struct TDatendatei {
    const char* Name;     // file name in the working directory
    std::int32_t Seed;    // seed of GenerateKey
    int Schluessellaenge; // key length in bytes
};

extern const TDatendatei Data1; // weather stations, CSV table stream, 43-byte key
extern const TDatendatei Data2; // postal codes, CSV table stream, 38-byte key
extern const TDatendatei Data3; // products, binary table stream, 39-byte key

// Empties `strom`, then appends the plaintext of every valid blob of the file in file order.
// Invalid blobs are skipped. Raises ESchwererFehler "Fehler beim Zugriff auf <Name>. Die Anwendung
// wird beendet." when the file cannot be opened or read, a length field is incomplete or
// negative, or a blob runs past the end of the file. `anzeigename` is the name in the message
// (the file name without folder when empty).
void DecryptFileToStream(const QString& dateiname, QByteArray& strom, const QByteArray& key,
                         const QString& anzeigename = QString());

// The same on bytes already in memory (the container format without the file).
void DecryptBytesToStream(const QByteArray& datei, QByteArray& strom, const QByteArray& key,
                          const QString& anzeigename);

// GenerateKey + DecryptFileToStream for one of the three files, looked up in `ordner`.
QByteArray LeseDatendatei(const TDatendatei& datei, const QString& ordner = QStringLiteral("."));
