// Installation into a temporary prefix: the program with its data files in one folder, the
// launcher that starts it there, the desktop entry and icon, the help pages with working links
// and the data attribution; staged installs (DESTDIR) name the final paths.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {
const fs::path Bauordner = TW_DATENORDNER;

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

TEST_F(Installation, ProgramAndDataFilesShareOneFolder)
{
    const fs::path ordner = s_prefix / "lib" / "tropfwerk";
    EXPECT_TRUE(IstAusfuehrbar(ordner / "tropfwerk"));
    EXPECT_GT(fs::file_size(ordner / "tropfwerk"), 100000u);
    for (const char* datei : {"Data1.cry", "Data2.cry", "Data3.cry"}) {
        ASSERT_TRUE(fs::is_regular_file(ordner / datei)) << datei;
        EXPECT_GT(fs::file_size(ordner / datei), 0u) << datei;
        EXPECT_TRUE(Lies(ordner / datei) == Lies(Bauordner / datei)) << datei;
    }
}

TEST_F(Installation, DesktopEntryStartsTheLauncherWithTheIcon)
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
    // A main category of the freedesktop menus, and the list ends with a semicolon.
    const std::string kategorien = werte["Categories"];
    ASSERT_FALSE(kategorien.empty());
    EXPECT_EQ(kategorien.back(), ';');
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
}

TEST_F(Installation, LauncherRunsTheProgramInsideItsFolder)
{
    const fs::path starter = s_prefix / "bin" / "tropfwerk";
    ASSERT_TRUE(IstAusfuehrbar(starter));
    EXPECT_EQ(Lies(starter).rfind("#!/bin/sh\n", 0), 0u);

    // The launcher moved into a tree whose program records where and with what it was started;
    // called through a link from another folder.
    const fs::path baum = s_temp->Pfad() / "verschoben";
    fs::create_directories(baum / "bin");
    fs::create_directories(baum / "lib" / "tropfwerk");
    fs::copy_file(starter, baum / "bin" / "tropfwerk");
    const fs::path protokoll = s_temp->Pfad() / "protokoll.txt";
    Schreibe(baum / "lib" / "tropfwerk" / "tropfwerk",
             "#!/bin/sh\npwd > " + Zitiert(protokoll) + "\nfor a in \"$@\"; do echo \"[$a]\" >> " +
                 Zitiert(protokoll) + "; done\nexit 7\n");
    fs::permissions(baum / "lib" / "tropfwerk" / "tropfwerk", fs::perms::owner_all,
                    fs::perm_options::add);
    fs::create_directories(s_temp->Pfad() / "anderswo");
    fs::create_symlink(baum / "bin" / "tropfwerk", s_temp->Pfad() / "anderswo" / "tw");

    // A file named relative to the caller's folder reaches the program with its full path.
    fs::create_directories(s_temp->Pfad() / "daheim");
    Schreibe(s_temp->Pfad() / "daheim" / "Haus 1.tropfwerk", "{}");
    const int status = Fuehre("cd " + Zitiert(s_temp->Pfad() / "daheim") + " && " +
                              Zitiert(s_temp->Pfad() / "anderswo" / "tw") +
                              " eins 'zwei drei' 'Haus 1.tropfwerk' -x");
    EXPECT_EQ(status, 7); // the launcher hands over to the program (exec)
    EXPECT_EQ(Lies(protokoll),
              fs::canonical(baum / "lib" / "tropfwerk").string() + "\n[eins]\n[zwei drei]\n[" +
                  fs::canonical(s_temp->Pfad() / "daheim").string() + "/Haus 1.tropfwerk]\n[-x]\n");

    // Without its program folder it says so and fails.
    fs::remove_all(baum / "lib");
    EXPECT_EQ(Fuehre(Zitiert(baum / "bin" / "tropfwerk") + " 2>" +
                     Zitiert(s_temp->Pfad() / "fehler.txt")),
              1);
    EXPECT_NE(Lies(s_temp->Pfad() / "fehler.txt").find("nicht gefunden"), std::string::npos);
}

TEST_F(Installation, StagedInstallNamesTheFinalPaths)
{
    const fs::path buehne = s_temp->Pfad() / "buehne";
    const fs::path endgueltig = "/opt/tropfwerk/lib/tropfwerk/Data3.cry";
    const bool schonDa = fs::exists(endgueltig);
    const int status =
        Fuehre("DESTDIR=" + Zitiert(buehne) + " " + Zitiert(CMake()) + " --install " +
               Zitiert(Bauordner) + " --prefix /opt/tropfwerk > /dev/null 2>&1");
    ASSERT_EQ(status, 0);
    EXPECT_TRUE(IstAusfuehrbar(buehne / "opt/tropfwerk/lib/tropfwerk/tropfwerk"));
    EXPECT_TRUE(fs::is_regular_file(buehne / "opt/tropfwerk/lib/tropfwerk/Data3.cry"));
    auto werte = DesktopEintrag(buehne / "opt/tropfwerk/share/applications/tropfwerk.desktop");
    EXPECT_EQ(werte["Exec"], "/opt/tropfwerk/bin/tropfwerk %f");
    EXPECT_EQ(fs::exists(endgueltig), schonDa); // nothing written outside the stage
}

// The calculator is installed beside the data files and reached through a link; the type of
// calculation files is registered with its icon, and the metainfo names the desktop entry.
TEST_F(Installation, CalculatorMimeTypeAndMetainfo)
{
    const fs::path link = s_prefix / "bin" / "tropfwerk-rechner";
    ASSERT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::canonical(link),
              fs::canonical(s_prefix / "lib" / "tropfwerk" / "tropfwerk-rechner"));
    EXPECT_EQ(Fuehre(Zitiert(link) + " --hilfe > /dev/null"), 0);
    EXPECT_EQ(Fuehre(Zitiert(link) + " > /dev/null 2>&1"), 2);

    const std::string mime = Lies(s_prefix / "share" / "mime" / "packages" / "tropfwerk.xml");
    EXPECT_NE(mime.find("type=\"application/x-tropfwerk\""), std::string::npos);
    EXPECT_NE(mime.find("pattern=\"*.tropfwerk\""), std::string::npos);
    EXPECT_TRUE(fs::is_regular_file(s_prefix / "share" / "icons" / "hicolor" / "scalable" /
                                    "mimetypes" / "application-x-tropfwerk.svg"));
    const std::string meta = Lies(s_prefix / "share" / "metainfo" / "tropfwerk.metainfo.xml");
    EXPECT_NE(meta.find("<launchable type=\"desktop-id\">tropfwerk.desktop</launchable>"),
              std::string::npos);
}

// `cpack -G DEB` packs the installation under /usr with its library dependencies; unpacked into
// a folder, the calculator computes a case with the packed data files.
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
    ASSERT_EQ(Fuehre("dpkg-deb -f " + Zitiert(deb) + " Package Depends > " + Zitiert(steuer)), 0);
    const std::string felder = Lies(steuer);
    EXPECT_NE(felder.find("Package: tropfwerk"), std::string::npos);
    for (const char* abhaengigkeit :
         {"libqt6core6", "libqt6widgets6", "libqt6charts6", "fonts-liberation2"})
        EXPECT_NE(felder.find(abhaengigkeit), std::string::npos) << abhaengigkeit << "\n" << felder;

    const fs::path wurzel = s_temp->Pfad() / "wurzel";
    ASSERT_EQ(Fuehre("dpkg -x " + Zitiert(deb) + " " + Zitiert(wurzel)), 0);
    for (const char* datei :
         {"usr/lib/tropfwerk/tropfwerk", "usr/lib/tropfwerk/tropfwerk-rechner",
          "usr/lib/tropfwerk/Data1.cry", "usr/lib/tropfwerk/Data2.cry",
          "usr/lib/tropfwerk/Data3.cry", "usr/bin/tropfwerk",
          "usr/share/applications/tropfwerk.desktop", "usr/share/mime/packages/tropfwerk.xml",
          "usr/share/metainfo/tropfwerk.metainfo.xml",
          "usr/share/icons/hicolor/scalable/apps/tropfwerk.svg",
          "usr/share/doc/tropfwerk/SOURCES.md"})
        EXPECT_TRUE(fs::is_regular_file(wurzel / datei)) << datei;
    auto werte = DesktopEintrag(wurzel / "usr/share/applications/tropfwerk.desktop");
    EXPECT_EQ(werte["Exec"], "/usr/bin/tropfwerk %f");

    Schreibe(s_temp->Pfad() / "Fall.tropfwerk",
             R"({"format": "Tropfwerk-Berechnung", "version": 1, "parametersatz": {
  "Flaechen": [{"Flaeche": 100, "Beiwert": 0.9}],
  "Niederschlag": [0.055, 0.045, 0.035, 0.055, 0.06, 0.08, 0.085, 0.09, 0.06, 0.055, 0.045, 0.05],
  "Menge": 0.715, "WGrad": 0.9, "PLZ": "14195", "PersWCSpar": 4, "PersWCSparV": 8.8,
  "PersWCNorm": 0, "PersWCNormV": 14, "PersWasch": 4, "PersWaschV": 4.4, "Garten": 0,
  "GartenV": 0.06, "LadeBeiwert": 0.06}})");
    const fs::path ausgabe = s_temp->Pfad() / "rechner.json";
    EXPECT_EQ(Fuehre(Zitiert(wurzel / "usr/bin/tropfwerk-rechner") + " --format json " +
                     Zitiert(s_temp->Pfad() / "Fall.tropfwerk") + " > " + Zitiert(ausgabe)),
              0);
    EXPECT_NE(Lies(ausgabe).find("\"Volumen\": 3.168"), std::string::npos) << Lies(ausgabe);
}
