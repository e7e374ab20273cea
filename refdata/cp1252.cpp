// Windows-1252 codec: exact in both directions, no dependence on the system's codecs.
#include "refdata/cp1252.h"

#include "model/fehler.h"

#include <QList>

namespace cp1252 {
namespace {

// Characters of the bytes 0x80 to 0x9F; the undefined ones map to themselves.
constexpr char16_t k80bis9F[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

} // namespace

QString Dekodiere(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* ziel = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        ziel[i] = QChar(b >= 0x80 && b <= 0x9F ? k80bis9F[b - 0x80] : char16_t(b));
    }
    return text;
}

int Byte(char16_t zeichen)
{
    if (zeichen < 0x80 || (zeichen >= 0xA0 && zeichen <= 0xFF))
        return zeichen;
    for (int i = 0; i < 32; ++i)
        if (k80bis9F[i] == zeichen)
            return 0x80 + i;
    return -1;
}

qsizetype ErstesFremdesZeichen(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i)
        if (Byte(text[i].unicode()) < 0)
            return i;
    return -1;
}

QByteArray Kodiere(QStringView text)
{
    const qsizetype fremd = ErstesFremdesZeichen(text);
    if (fremd >= 0) {
        const char32_t zeichen = text.mid(fremd).toUcs4().value(0);
        throw EFehler(
            QStringLiteral("Das Zeichen U+%1 in \"%2\" lässt sich nicht in Windows-1252 schreiben.")
                .arg(QString::number(static_cast<uint>(zeichen), 16)
                         .toUpper()
                         .rightJustified(4, u'0'),
                     text.left(60).toString()));
    }
    return KodiereErsetzend(text);
}

QByteArray KodiereErsetzend(QStringView text, char ersatz)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = Byte(text[i].unicode());
        bytes[i] = b < 0 ? ersatz : static_cast<char>(b);
    }
    return bytes;
}

} // namespace cp1252
