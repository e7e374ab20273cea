// Installation into a temporary prefix: the programs in bin/ finding their data in
// share/tropfwerk from any working folder, the desktop entry and icon, manual pages that match
// the programs' help, the help pages with working links and the data licences; staged installs
// (DESTDIR) name the final paths; the Debian package holds it all with its policy files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {
const fs::path Bauordner = TW_DATENORDNER;

// A case of 4 persons under 100 m² of roof (Volumen 3,168 m³).
const char* const Fall =
    R"({"format": "Tropfwerk-Berechnung", "version": 1, "parametersatz": {
  "Flaechen": [{"Flaeche": 100, "Beiwert": 0.9}],
  "Niederschlag": [0.055, 0.045, 0.035, 0.055, 0.06, 0.08, 0.085, 0.09, 0.06, 0.055, 0.045, 0.05],
  "Menge": 0.715, "WGrad": 0.9, "PLZ": "14195", "PersWCSpar": 4, "PersWCSparV": 8.8,
  "PersWCNorm": 0, "PersWCNormV": 14, "PersWasch": 4, "PersWaschV": 4.4, "Garten": 0,
  "GartenV": 0.06, "LadeBeiwert": 0.06}})";

std::string Lies(const fs::path& datei)
{
    std::ifstream ein(datei, std::ios::binary);
    std::ostringstream inhalt;
    inhalt << ein.rdbuf();
    return inhalt.str();
}

void Schreibe(const fs::path& datei, const std::string& inhalt)
{
    std::ofstream aus(datei, std::ios::binary);
    aus << inhalt;
}

std::string Zitiert(const fs::path& pfad)
{
    std::string text = "'";
    for (char c : pfad.string())
        text += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return text + "'";
}

// Exit status of a shell command.
int Fuehre(const std::string& befehl)
{
    const int status = std::system(befehl.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A value of the build's CMakeCache.txt.
std::string CacheWert(const std::string& name)
{
    std::ifstream cache(Bauordner / "CMakeCache.txt");
    std::string zeile;
    while (std::getline(cache, zeile)) {
        if (zeile.rfind(name + ":", 0) == 0)
            return zeile.substr(zeile.find('=') + 1);
    }
    return {};
}

std::string CMake()
{
    const std::string cmake = CacheWert("CMAKE_COMMAND");
    return cmake.empty() ? std::string("cmake") : cmake;
}

// Key=value lines of the [Desktop Entry] group.
std::map<std::string, std::string> DesktopEintrag(const fs::path& datei)
{
    std::map<std::string, std::string> werte;
    std::istringstream ein(Lies(datei));
    std::string zeile;
    bool gruppe = false;
    while (std::getline(ein, zeile)) {
        if (!zeile.empty() && zeile.front() == '[') {
            gruppe = zeile == "[Desktop Entry]";
            continue;
        }
        const auto gleich = zeile.find('=');
        if (gruppe && gleich != std::string::npos)
            werte[zeile.substr(0, gleich)] = zeile.substr(gleich + 1);
    }
    return werte;
}

bool IstAusfuehrbar(const fs::path& datei)
{
    return fs::is_regular_file(datei) && ::access(datei.c_str(), X_OK) == 0;
}

// The long and short options (--daten, -h) a text names; in a manual page "\-" is a hyphen.
std::set<std::string> Optionen(std::string text)
{
    text = std::regex_replace(text, std::regex(R"(\\-)"), "-");
    text = std::regex_replace(text, std::regex(R"(\\f[BIRP])"), "");
    std::set<std::string> optionen;
    const std::regex option(R"((^|[\s\[,(|])(--?[a-z]+))");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), option);
         it != std::sregex_iterator(); ++it)
        optionen.insert((*it)[2]);
    return optionen;
}

class TempOrdner {
public:
    TempOrdner()
    {
        std::string muster = (fs::temp_directory_path() / "tw_installation_XXXXXX").string();
        if (::mkdtemp(muster.data()))
            m_pfad = muster;
    }
    ~TempOrdner()
    {
        std::error_code fehler;
        if (!m_pfad.empty())
            fs::remove_all(m_pfad, fehler);
    }
    const fs::path& Pfad() const { return m_pfad; }

private:
    fs::path m_pfad;
};

class Installation : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_temp = new TempOrdner;
        s_prefix = s_temp->Pfad() / "prefix";
        s_status =
            Fuehre(Zitiert(CMake()) + " --install " + Zitiert(Bauordner) + " --prefix " +
                   Zitiert(s_prefix) + " > " + Zitiert(s_temp->Pfad() / "install.log") + " 2>&1");
    }
    static void TearDownTestSuite()
    {
        delete s_temp;
        s_temp = nullptr;
    }
    void SetUp() override
    {
        ASSERT_FALSE(s_temp->Pfad().empty());
        ASSERT_EQ(s_status, 0) << Lies(s_temp->Pfad() / "install.log");
    }

    static inline TempOrdner* s_temp = nullptr;
    static inline fs::path s_prefix;
    static inline int s_status = -1;
};
} // namespace

TEST_F(Installation, ProgramsInBinAndDataFilesInShare)
{
    for (const char* programm : {"tropfwerk", "tropfwerk-rechner"}) {
        EXPECT_TRUE(IstAusfuehrbar(s_prefix / "bin" / programm)) << programm;
        EXPECT_GT(fs::file_size(s_prefix / "bin" / programm), 100000u) << programm;
    }
    const fs::path ordner = s_prefix / "share" / "tropfwerk";
    for (const char* datei : {"Data1.cry", "Data2.cry", "Data3.cry"}) {
        ASSERT_TRUE(fs::is_regular_file(ordner / datei)) << datei;
        EXPECT_GT(fs::file_size(ordner / datei), 0u) << datei;
        EXPECT_TRUE(Lies(ordner / datei) == Lies(Bauordner / datei)) << datei;
    }
    EXPECT_FALSE(fs::exists(s_prefix / "lib" / "tropfwerk"));
}

TEST_F(Installation, DesktopEntryStartsTheProgramWithTheIcon)
{
    const fs::path datei = s_prefix / "share" / "applications" / "tropfwerk.desktop";
    ASSERT_TRUE(fs::is_regular_file(datei));
    EXPECT_EQ(Lies(datei).rfind("[Desktop Entry]\n", 0), 0u);
    auto werte = DesktopEintrag(datei);
    EXPECT_EQ(werte["Type"], "Application");
    EXPECT_EQ(werte["Name"], "Tropfwerk 2003");
    EXPECT_NE(werte["Comment"].find("Zisterne"), std::string::npos);
    EXPECT_EQ(werte["Icon"], "tropfwerk");
    EXPECT_EQ(werte["Terminal"], "false");
    EXPECT_EQ(werte["Exec"], (s_prefix / "bin" / "tropfwerk").string() + " %f");
    EXPECT_EQ(werte["TryExec"], (s_prefix / "bin" / "tropfwerk").string());
    EXPECT_TRUE(IstAusfuehrbar(werte["TryExec"]));
    EXPECT_EQ(werte["MimeType"], "application/x-tropfwerk;");
    // One main category of the freedesktop menus, and the list ends with a semicolon.
    const std::string kategorien = werte["Categories"];
    ASSERT_FALSE(kategorien.empty());
    EXPECT_EQ(kategorien.back(), ';');
    int hauptkategorien = 0;
    for (const char* haupt :
         {"AudioVideo;", "Audio;", "Video;", "Development;", "Education;", "Game;", "Graphics;",
          "Network;", "Office;", "Science;", "Settings;", "System;", "Utility;"})
        hauptkategorien += (";" + kategorien).find(std::string(";") + haupt) != std::string::npos;
    EXPECT_EQ(hauptkategorien, 1) << kategorien;
    EXPECT_NE(kategorien.find("Science;"), std::string::npos);
    for (const auto& [schluessel, wert] : werte)
        EXPECT_EQ(wert.find('@'), std::string::npos) << schluessel << " not configured";

    const fs::path symbol =
        s_prefix / "share" / "icons" / "hicolor" / "scalable" / "apps" / "tropfwerk.svg";
    ASSERT_TRUE(fs::is_regular_file(symbol));
    EXPECT_TRUE(Lies(symbol) == Lies(fs::path(CacheWert("Tropfwerk_SOURCE_DIR")) / "resources" /
                                     "bilder" / "icon.svg"));
    EXPECT_NE(Lies(symbol).find("<svg"), std::string::npos);
}

TEST_F(Installation, HelpPagesAndDataAttributionAreInstalled)
{
    const fs::path doku = s_prefix / "share" / "doc" / "tropfwerk";
    const std::string quellen = Lies(doku / "SOURCES.md");
    EXPECT_NE(quellen.find("Deutscher Wetterdienst"), std::string::npos);
    EXPECT_NE(quellen.find("GeoNames"), std::string::npos);
    for (const char* seite : {"anwendung/0.html", "anwendung/10.html", "anwendung/20.html",
                              "anwendung/30.html", "anwendung/40.html", "anwendung/index.html",
                              "anwendung/hilfe.css", "information/0.html", "information/10.html"})
        EXPECT_TRUE(fs::is_regular_file(doku / "hilfe" / seite)) << seite;

    // Every relative link and picture of the installed pages resolves on disk.
    const std::regex verweis(R"re((?:href|src)="([^"#]*)(?:#[^"]*)?")re");
    int seiten = 0;
    for (const auto& eintrag : fs::recursive_directory_iterator(doku / "hilfe")) {
        if (eintrag.path().extension() != ".html")
            continue;
        ++seiten;
        const std::string html = Lies(eintrag.path());
        for (auto it = std::sregex_iterator(html.begin(), html.end(), verweis);
             it != std::sregex_iterator(); ++it) {
            const std::string ziel = (*it)[1];
            if (ziel.empty() || ziel.find(':') != std::string::npos)
                continue; // an anchor on the same page, or an address outside
            EXPECT_TRUE(fs::exists(eintrag.path().parent_path() / ziel))
                << eintrag.path().filename() << ": " << ziel;
        }
    }
    EXPECT_GE(seiten, 15);
    // One style sheet for both page folders.
    EXPECT_TRUE(fs::is_symlink(doku / "hilfe" / "information" / "hilfe.css"));
    EXPECT_EQ(fs::canonical(doku / "hilfe" / "information" / "hilfe.css"),
              fs::canonical(doku / "hilfe" / "anwendung" / "hilfe.css"));
}

// The installed tree moved elsewhere: the calculator, started from another folder with a file
// named relative to it, finds the data in share/tropfwerk beside its bin/; without that folder it
// names the folders it searched. The program answers --hilfe and --version without a display.
TEST_F(Installation, MovedTreeFindsItsDataFromAnyFolder)
{
    const fs::path baum = s_temp->Pfad() / "verschoben";
    fs::copy(s_prefix, baum, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    const fs::path daheim = s_temp->Pfad() / "daheim";
    fs::create_directories(daheim);
    Schreibe(daheim / "Haus 1.tropfwerk", Fall);
    const std::string ohneDaten = "env -u TROPFWERK_DATEN ";
    const fs::path aus = s_temp->Pfad() / "aus.txt", fehler = s_temp->Pfad() / "fehler.txt";
    const auto rechne = [&] {
        return Fuehre("cd " + Zitiert(daheim) + " && " + ohneDaten +
                      Zitiert(baum / "bin" / "tropfwerk-rechner") +
                      " --format json 'Haus 1.tropfwerk' > " + Zitiert(aus) + " 2> " +
                      Zitiert(fehler));
    };
    EXPECT_EQ(rechne(), 0) << Lies(fehler);
    EXPECT_NE(Lies(aus).find("\"Volumen\": 3.168"), std::string::npos) << Lies(aus);

    fs::remove_all(baum / "share" / "tropfwerk");
    EXPECT_EQ(rechne(), 1);
    EXPECT_NE(Lies(fehler).find("Gesucht in: „" + fs::canonical(baum / "bin").string() + "“, „" +
                                fs::canonical(baum).string() + "/share/tropfwerk“"),
              std::string::npos)
        << Lies(fehler);

    // No display and no platform chosen: a window could not open.
    const std::string ohneAnzeige = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " +
                                    Zitiert(baum / "bin" / "tropfwerk");
    EXPECT_EQ(Fuehre(ohneAnzeige + " --version > " + Zitiert(aus) + " 2> " + Zitiert(fehler)), 0);
    EXPECT_EQ(Lies(aus).rfind("Tropfwerk 2003 1.", 0), 0u) << Lies(aus) << Lies(fehler);
    EXPECT_EQ(Fuehre(ohneAnzeige + " --hilfe > " + Zitiert(aus) + " 2> " + Zitiert(fehler)), 0);
    EXPECT_EQ(Lies(aus).rfind("Aufruf: tropfwerk ", 0), 0u) << Lies(aus) << Lies(fehler);
    EXPECT_EQ(Fuehre(ohneAnzeige + " --unsinn > " + Zitiert(aus) + " 2> " + Zitiert(fehler)), 2);
    EXPECT_EQ(Lies(fehler).rfind("Unbekannte Option „--unsinn“.\nAufruf: tropfwerk ", 0), 0u)
        << Lies(fehler);
    EXPECT_TRUE(Lies(aus).empty());
}

// Each manual page renders without warnings, names the options the program's help names, and
// the program's version.
TEST_F(Installation, ManualPagesMatchTheHelp)
{
    struct Seite {
        const char* programm;
        const char* hilfe;
    };
    for (const Seite seite :
         {Seite{"tropfwerk", "--hilfe"}, Seite{"tropfwerk-rechner", "--hilfe"}}) {
        SCOPED_TRACE(seite.programm);
        const fs::path gz =
            s_prefix / "share" / "man" / "man1" / (std::string(seite.programm) + ".1.gz");
        ASSERT_TRUE(fs::is_regular_file(gz));
        const fs::path roff = s_temp->Pfad() / "seite.1",
                       warnungen = s_temp->Pfad() / "warnungen.txt";
        ASSERT_EQ(Fuehre("gzip -dc " + Zitiert(gz) + " > " + Zitiert(roff)), 0);
        EXPECT_EQ(Fuehre("LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l " + Zitiert(roff) +
                         " > /dev/null 2> " + Zitiert(warnungen)),
                  0);
        EXPECT_EQ(Lies(warnungen), "");

        const fs::path hilfe = s_temp->Pfad() / "hilfe.txt";
        const std::string programm = Zitiert(s_prefix / "bin" / seite.programm);
        ASSERT_EQ(Fuehre(programm + " " + seite.hilfe + " > " + Zitiert(hilfe)), 0);
        const std::string text = Lies(roff);
        EXPECT_EQ(Optionen(text), Optionen(Lies(hilfe))) << Lies(hilfe);
        EXPECT_GE(Optionen(text).size(), 3u);
    }
    const fs::path version = s_temp->Pfad() / "version.txt";
    ASSERT_EQ(Fuehre(Zitiert(s_prefix / "bin" / "tropfwerk") + " --version > " + Zitiert(version)),
              0);
    std::string zeile = Lies(version);
    zeile.erase(zeile.find_last_not_of('\n') + 1);
    for (const char* seite : {"tropfwerk.1", "tropfwerk-rechner.1"}) {
        const std::string text =
            Lies(fs::path(CacheWert("Tropfwerk_SOURCE_DIR")) / "packaging" / seite);
        const auto th = text.find("\n.TH ");
        ASSERT_NE(th, std::string::npos) << seite;
        EXPECT_NE(text.substr(th, text.find('\n', th + 1) - th).find('"' + zeile + '"'),
                  std::string::npos)
            << seite << ": " << zeile;
    }
}

TEST_F(Installation, StagedInstallNamesTheFinalPaths)
{
    const fs::path buehne = s_temp->Pfad() / "buehne";
    const fs::path endgueltig = "/opt/tropfwerk/share/tropfwerk/Data3.cry";
    const bool schonDa = fs::exists(endgueltig);
    const int status =
        Fuehre("DESTDIR=" + Zitiert(buehne) + " " + Zitiert(CMake()) + " --install " +
               Zitiert(Bauordner) + " --prefix /opt/tropfwerk > /dev/null 2>&1");
    ASSERT_EQ(status, 0);
    EXPECT_TRUE(IstAusfuehrbar(buehne / "opt/tropfwerk/bin/tropfwerk"));
    EXPECT_TRUE(fs::is_regular_file(buehne / "opt/tropfwerk/share/tropfwerk/Data3.cry"));
    EXPECT_TRUE(
        fs::is_symlink(buehne / "opt/tropfwerk/share/doc/tropfwerk/hilfe/information/hilfe.css"));
    auto werte = DesktopEintrag(buehne / "opt/tropfwerk/share/applications/tropfwerk.desktop");
    EXPECT_EQ(werte["Exec"], "/opt/tropfwerk/bin/tropfwerk %f");
    EXPECT_EQ(fs::exists(endgueltig), schonDa); // nothing written outside the stage
}

// The calculator answers its calls; the type of calculation files is registered with its icon,
// and the metainfo, named by its id, names the desktop entry.
TEST_F(Installation, CalculatorMimeTypeAndMetainfo)
{
    const fs::path rechner = s_prefix / "bin" / "tropfwerk-rechner";
    EXPECT_EQ(Fuehre(Zitiert(rechner) + " --hilfe > /dev/null"), 0);
    EXPECT_EQ(Fuehre(Zitiert(rechner) + " > /dev/null 2>&1"), 2);

    const std::string mime = Lies(s_prefix / "share" / "mime" / "packages" / "tropfwerk.xml");
    EXPECT_NE(mime.find("type=\"application/x-tropfwerk\""), std::string::npos);
    EXPECT_NE(mime.find("pattern=\"*.tropfwerk\""), std::string::npos);
    EXPECT_TRUE(fs::is_regular_file(s_prefix / "share" / "icons" / "hicolor" / "scalable" /
                                    "mimetypes" / "application-x-tropfwerk.svg"));
    const std::string meta =
        Lies(s_prefix / "share" / "metainfo" / "org.example.tropfwerk.metainfo.xml");
    EXPECT_NE(meta.find("<id>org.example.tropfwerk</id>"), std::string::npos);
    EXPECT_NE(meta.find("<launchable type=\"desktop-id\">tropfwerk.desktop</launchable>"),
              std::string::npos);
}

// `cpack -G DEB` packs the installation under /usr with its library dependencies, a Debian
// revision, an English description and the policy files; unpacked into a folder, the calculator
// computes a case with the packed data files.
TEST_F(Installation, DebianPackageHoldsEverything)
{
    const fs::path ziel = s_temp->Pfad() / "paket";
    const std::string cpack = (fs::path(CMake()).parent_path() / "cpack").string();
    ASSERT_EQ(Fuehre("cd " + Zitiert(Bauordner) + " && " + Zitiert(cpack) + " -G DEB -B " +
                     Zitiert(ziel) + " > " + Zitiert(s_temp->Pfad() / "cpack.log") + " 2>&1"),
              0)
        << Lies(s_temp->Pfad() / "cpack.log");
    fs::path deb;
    for (const auto& eintrag : fs::directory_iterator(ziel))
        if (eintrag.path().extension() == ".deb")
            deb = eintrag.path();
    ASSERT_FALSE(deb.empty());
    const fs::path steuer = s_temp->Pfad() / "control.txt";
    ASSERT_EQ(Fuehre("dpkg-deb -f " + Zitiert(deb) + " Package Version Depends Description > " +
                     Zitiert(steuer)),
              0);
    const std::string felder = Lies(steuer);
    EXPECT_NE(felder.find("Package: tropfwerk\n"), std::string::npos);
    EXPECT_NE(felder.find("Version: 1.0-1\n"), std::string::npos) << felder;
    const auto beschreibung = felder.find("Description: ");
    ASSERT_NE(beschreibung, std::string::npos);
    std::istringstream zeilen(felder.substr(beschreibung));
    int anzahl = 0;
    for (std::string zeile; std::getline(zeilen, zeile); ++anzahl) {
        EXPECT_LT(zeile.size(), 80u) << zeile;
        EXPECT_EQ(zeile.find(';'), std::string::npos) << zeile;
    }
    EXPECT_GE(anzahl, 5);
    for (const char* abhaengigkeit :
         {"libqt6core6", "libqt6widgets6", "libqt6charts6", "fonts-liberation2"})
        EXPECT_NE(felder.find(abhaengigkeit), std::string::npos) << abhaengigkeit << "\n" << felder;

    const fs::path wurzel = s_temp->Pfad() / "wurzel";
    ASSERT_EQ(Fuehre("dpkg -x " + Zitiert(deb) + " " + Zitiert(wurzel)), 0);
    for (const char* datei :
         {"usr/bin/tropfwerk", "usr/bin/tropfwerk-rechner", "usr/share/tropfwerk/Data1.cry",
          "usr/share/tropfwerk/Data2.cry", "usr/share/tropfwerk/Data3.cry",
          "usr/share/applications/tropfwerk.desktop", "usr/share/mime/packages/tropfwerk.xml",
          "usr/share/metainfo/org.example.tropfwerk.metainfo.xml",
          "usr/share/icons/hicolor/scalable/apps/tropfwerk.svg",
          "usr/share/man/man1/tropfwerk.1.gz", "usr/share/man/man1/tropfwerk-rechner.1.gz",
          "usr/share/doc/tropfwerk/SOURCES.md", "usr/share/doc-base/tropfwerk-hilfe"})
        EXPECT_TRUE(fs::is_regular_file(wurzel / datei)) << datei;
    EXPECT_FALSE(fs::exists(wurzel / "usr/lib/tropfwerk"));

    // The change log's newest entry is the package's version.
    const fs::path doku = wurzel / "usr/share/doc/tropfwerk";
    const fs::path changelog = s_temp->Pfad() / "changelog.txt";
    ASSERT_EQ(
        Fuehre("gzip -dc " + Zitiert(doku / "changelog.Debian.gz") + " > " + Zitiert(changelog)),
        0);
    EXPECT_EQ(Lies(changelog).rfind("tropfwerk (1.0-1) ", 0), 0u) << Lies(changelog);

    // copyright in the machine-readable format: every licence a files paragraph names has a
    // paragraph of its own with its text, and every data source is credited.
    const std::string copyright = Lies(doku / "copyright");
    EXPECT_EQ(copyright.rfind("Format: https://www.debian.org/doc/packaging-manuals/"
                              "copyright-format/1.0/\n",
                              0),
              0u);
    std::set<std::string> genannt, mitText;
    for (std::size_t anfang = 0; anfang < copyright.size();) {
        std::size_t ende = copyright.find("\n\n", anfang);
        ende = ende == std::string::npos ? copyright.size() : ende;
        const std::string absatz = copyright.substr(anfang, ende - anfang);
        anfang = ende + 2;
        const auto stelle = absatz.find("License: ");
        if (stelle == std::string::npos)
            continue;
        const auto zeilenende = absatz.find('\n', stelle);
        const std::string name = absatz.substr(stelle + 9, zeilenende - stelle - 9);
        if (absatz.rfind("Files: ", 0) == 0) {
            std::istringstream namen(name);
            for (std::string einer; namen >> einer;)
                if (einer != "and" && einer != "or")
                    genannt.insert(einer);
        } else if (stelle == 0 && zeilenende != std::string::npos) {
            mitText.insert(name); // a licence paragraph with its text below
        }
    }
    EXPECT_EQ(genannt, mitText);
    for (const char* lizenzname :
         {"proprietary", "GeoNutzV", "CC-BY-4.0", "ODbL-1.0", "dl-de/by-2-0"})
        EXPECT_TRUE(mitText.count(lizenzname)) << lizenzname;
    for (const char* quelle : {"Datenbasis: Deutscher Wetterdienst", "GeoNames (www.geonames.org)",
                               "OpenStreetMap contributors", "GeoBasis-DE / BKG (2023)",
                               "Attribution 4.0 International", "Namensnennung – Version 2.0"})
        EXPECT_NE(copyright.find(quelle), std::string::npos) << quelle;
    auto werte = DesktopEintrag(wurzel / "usr/share/applications/tropfwerk.desktop");
    EXPECT_EQ(werte["Exec"], "/usr/bin/tropfwerk %f");

    Schreibe(s_temp->Pfad() / "Fall.tropfwerk", Fall);
    const fs::path ausgabe = s_temp->Pfad() / "rechner.json";
    EXPECT_EQ(Fuehre(Zitiert(wurzel / "usr/bin/tropfwerk-rechner") + " --format json " +
                     Zitiert(s_temp->Pfad() / "Fall.tropfwerk") + " > " + Zitiert(ausgabe)),
              0);
    EXPECT_NE(Lies(ausgabe).find("\"Volumen\": 3.168"), std::string::npos) << Lies(ausgabe);
}
