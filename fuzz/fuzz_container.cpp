// Fuzz target: arbitrary bytes as the container of a data file.
#include "model/fehler.h"
#include "refdata/crypter.h"
#include "refdata/datendatei.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse)
{
    static const QByteArray key = GenerateKey(Data1.Seed, Data1.Schluessellaenge);
    // No copy: reads past the input are caught by the sanitizer.
    const QByteArray datei = QByteArray::fromRawData(reinterpret_cast<const char*>(daten),
                                                     static_cast<qsizetype>(groesse));
    QByteArray strom;
    try {
        DecryptBytesToStream(datei, strom, key, QStringLiteral("Data1.cry"));
    } catch (const ESchwererFehler&) {
        return 0;
    }
    // A blob's plaintext is always shorter than the blob.
    if (strom.size() > datei.size())
        std::abort();
    return 0;
}
