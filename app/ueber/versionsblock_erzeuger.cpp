// Build tool: writes the program's version block as a C++ byte array.
// versionsblock_erzeuger AUSGABE SYMBOL DATEIVERSION PRODUKTVERSION SCHLUESSEL=WERT...
// Versions are given as up to four numbers separated by dots; values are UTF-8.
#include "app/ueber/versionsressource.h"

#include <QFile>
#include <QStringList>
#include <cstdio>

namespace {
bool LiesVersion(const char* text, std::array<quint16, 4>& version)
{
    const QStringList teile = QString::fromUtf8(text).split(QLatin1Char('.'));
    if (teile.size() > 4)
        return false;
    version = {};
    for (int i = 0; i < teile.size(); ++i) {
        bool ok = false;
        const uint zahl = teile[i].toUInt(&ok);
        if (!ok || zahl > 0xFFFF)
            return false;
        version[static_cast<size_t>(i)] = static_cast<quint16>(zahl);
    }
    return true;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr,
                     "Aufruf: %s AUSGABE SYMBOL DATEIVERSION PRODUKTVERSION "
                     "SCHLUESSEL=WERT...\n",
                     argv[0]);
        return 2;
    }
    versionsressource::TVersionsAngaben angaben;
    if (!LiesVersion(argv[3], angaben.DateiVersion) ||
        !LiesVersion(argv[4], angaben.ProduktVersion)) {
        std::fprintf(stderr, "Ungültige Versionsnummer\n");
        return 2;
    }
    for (int i = 5; i < argc; ++i) {
        const QString paar = QString::fromUtf8(argv[i]);
        const qsizetype gleich = paar.indexOf(QLatin1Char('='));
        if (gleich <= 0) {
            std::fprintf(stderr, "Erwartet SCHLUESSEL=WERT: %s\n", argv[i]);
            return 2;
        }
        angaben.Texte.emplace_back(paar.left(gleich), paar.mid(gleich + 1));
    }
    const QByteArray block = versionsressource::BaueVersionsblock(angaben);

    const QByteArray symbol(argv[2]);
    QByteArray text = "// Generated at build time: the program's version block.\n"
                      "extern const unsigned char " +
                      symbol +
                      "[];\n"
                      "[[gnu::used]] alignas(4) const unsigned char " +
                      symbol + "[" + QByteArray::number(block.size()) + "] = {";
    for (qsizetype i = 0; i < block.size(); ++i) {
        text += i % 12 == 0 ? "\n    " : " ";
        text += "0x" +
                QByteArray::number(static_cast<quint8>(block[i]), 16).rightJustified(2, '0') + ",";
    }
    text += "\n};\n";

    QFile ausgabe(QString::fromLocal8Bit(argv[1]));
    if (!ausgabe.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        ausgabe.write(text) != text.size()) {
        std::fprintf(stderr, "Kann %s nicht schreiben\n", argv[1]);
        return 1;
    }
    return 0;
}
