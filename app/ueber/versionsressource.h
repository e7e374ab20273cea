// Version block of a program file: the tree of keyed nodes with the fixed file information, the
// string tables and the translation table, as the Windows version resource lays it out
// (little-endian, UTF-16 keys, every node aligned to four bytes). Builds such blocks, finds one
// inside any file by its signature and answers path queries on it.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>
#include <utility>
#include <vector>

namespace versionsressource {

constexpr quint32 FesteInfoSignatur = 0xFEEF04BD;

// The fixed file information record (13 little-endian 32-bit words).
struct TFesteDateiInfo {
    quint32 Signatur = FesteInfoSignatur;
    quint32 StrukturVersion = 0x00010000;
    quint32 DateiVersionMS = 0;
    quint32 DateiVersionLS = 0;
    quint32 ProduktVersionMS = 0;
    quint32 ProduktVersionLS = 0;
    quint32 DateiFlagsMaske = 0x3F;
    quint32 DateiFlags = 0;
    quint32 DateiBS = 0x00040004;
    quint32 DateiTyp = 1;
    quint32 DateiUntertyp = 0;
    quint32 DateiDatumMS = 0;
    quint32 DateiDatumLS = 0;

    bool operator==(const TFesteDateiInfo&) const = default;
};
constexpr int FesteInfoGroesse = 52;

// One node of the block. Typ 1 marks text values, whose WertLaenge counts UTF-16 characters;
// for binary values (Typ 0) it counts bytes.
struct TVersionsKnoten {
    QString Schluessel;
    quint16 Typ = 1;
    quint16 WertLaenge = 0;
    QByteArray Wert;
    std::vector<TVersionsKnoten> Kinder;
};

// Building blocks.
TVersionsKnoten TextKnoten(const QString& schluessel, const QString& wert);
TVersionsKnoten StringTabelle(const QString& name,
                              const std::vector<std::pair<QString, QString>>& texte);
TVersionsKnoten StringFileInfo(std::vector<TVersionsKnoten> tabellen);
// Each entry: language identifier in the low word, code page in the high word.
TVersionsKnoten VarFileInfo(const std::vector<quint32>& uebersetzungen);
TVersionsKnoten Wurzel(const std::optional<TFesteDateiInfo>& feste,
                       std::vector<TVersionsKnoten> kinder);

// The node with its children as bytes; the node's length field counts everything written.
QByteArray Serialisiere(const TVersionsKnoten& knoten);

// Everything a program's block carries.
struct TVersionsAngaben {
    std::array<quint16, 4> DateiVersion{};
    std::array<quint16, 4> ProduktVersion{};
    quint16 Sprache = 0x0407;  // German
    quint16 CodePage = 0x04E4; // 1252
    std::vector<std::pair<QString, QString>> Texte;
};
QByteArray BaueVersionsblock(const TVersionsAngaben& angaben);

// Error code of a file that holds no version block.
int FehlerKeinBlock();
// Error code of a block that runs past the end of its file.
int FehlerBlockAbgeschnitten();

// The three calls of the platform's version reader, over the block found inside the file.
// Size of the file's version block in bytes; 0 with fehler set when there is none or the file
// cannot be read.
quint32 GetFileVersionInfoSize(const QString& datei, int& fehler);
// Reads groesse bytes of the file's version block into daten.
bool GetFileVersionInfo(const QString& datei, quint32 groesse, QByteArray& daten, int& fehler);
// The value stored under pfad ("\" for the fixed information, "\VarFileInfo\Translation",
// "\StringFileInfo\040704E4\ProductName"; keys compare case-insensitively). False when the path
// does not exist or the block is malformed. The view points into daten.
bool VerQueryValue(const QByteArray& daten, const QString& pfad, QByteArrayView& wert);

// The fixed information of a queried root value; nullopt when it is not one.
std::optional<TFesteDateiInfo> LiesFesteInfo(QByteArrayView wert);

} // namespace versionsressource
