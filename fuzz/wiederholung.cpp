// Replay driver: feeds every file of the given folders (or the given files) to the fuzz target.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse);

namespace {
int Lauf(const std::filesystem::path& datei)
{
    std::ifstream ein(datei, std::ios::binary);
    std::vector<char> inhalt((std::istreambuf_iterator<char>(ein)),
                             std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(inhalt.data()), inhalt.size());
    return 1;
}
} // namespace

int main(int argc, char** argv)
{
    int anzahl = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path pfad(argv[i]);
        if (std::filesystem::is_directory(pfad)) {
            for (const auto& eintrag : std::filesystem::recursive_directory_iterator(pfad))
                if (eintrag.is_regular_file())
                    anzahl += Lauf(eintrag.path());
        } else {
            anzahl += Lauf(pfad);
        }
    }
    std::printf("%d Eingaben ohne Fehler verarbeitet\n", anzahl);
    return anzahl > 0 ? 0 : 1;
}
