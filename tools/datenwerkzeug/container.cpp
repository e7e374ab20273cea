// Container writer of the packing tool.
#include "container.h"

#include "refdata/crypter.h"

#include <QtEndian>

QByteArray SchreibeContainer(const QByteArray& nutzlast, const QByteArray& key,
                             std::mt19937& zufall, int minBlob, int maxBlob)
{
    TCrypter crypter;
    crypter.InitKey(key);
    std::uniform_int_distribution<int> groesse(minBlob, maxBlob);
    std::uniform_int_distribution<std::uint32_t> wort;

    QByteArray datei;
    for (qsizetype pos = 0; pos < nutzlast.size();) {
        const qsizetype m = std::min<qsizetype>(groesse(zufall), nutzlast.size() - pos);
        const int padding = static_cast<int>((8 - m % 8) % 8);
        const QByteArray blob =
            crypter.EncryptBlob(nutzlast.mid(pos, m), wort(zufall), wort(zufall), padding);
        char laenge[4];
        qToLittleEndian<qint32>(static_cast<qint32>(blob.size()), laenge);
        datei.append(laenge, 4);
        datei.append(blob);
        pos += m;
    }
    return datei;
}
