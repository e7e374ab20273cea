// Windows-1252, the single-byte code page of the data files' text.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace cp1252 {

// Decodes every byte; the five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) become the control characters of the same number (U+0081 ...).
QString Dekodiere(QByteArrayView bytes);

// Byte of one character, or -1 when the code page cannot hold it.
int Byte(char16_t zeichen);

// Position of the first character the code page cannot hold, or -1 when all fit.
qsizetype ErstesFremdesZeichen(QStringView text);

// Encodes text that holds only representable characters (see ErstesFremdesZeichen); raises
// EFehler naming the first character that does not fit.
QByteArray Kodiere(QStringView text);

// Encodes text, every character the code page cannot hold becoming `ersatz`.
QByteArray KodiereErsetzend(QStringView text, char ersatz = '?');

} // namespace cp1252
