// Context help: the help window, opened at a context number, behind a replaceable function.
#pragma once

#include <QDialog>
#include <QPointer>
#include <functional>
#include <vector>

class QLineEdit;
class QTextBrowser;

enum class HilfeDatei {
    Anwendung,   // "Tropfwerk 2003 Hilfe"
    Information, // the wizard's information system
};

// Help context numbers of the windows.
namespace HilfeKontext {
inline constexpr int Hauptfenster = 10;
inline constexpr int Assistent = 20;
inline constexpr int Experte = 30;
inline constexpr int Auswertung = 40;
inline constexpr int Wirtschaftlichkeit = 41;
} // namespace HilfeKontext

using HilfeFunktion = std::function<void(HilfeDatei, int kontext)>;

// Opens the help file at the topic with that context number.
void OeffneHilfe(HilfeDatei datei, int kontext);
// Replaces the function; an empty function restores the help window. Returns the old one.
HilfeFunktion SetzeHilfeFunktion(HilfeFunktion f);

// The resource path of a help topic, e.g. ":/hilfe/anwendung/10.html".
QString HilfeSeite(HilfeDatei datei, int kontext);

// One page found by the full-text search of a help file.
struct HilfeTreffer {
    QString Datei;  // file name inside the help file's folder, e.g. "berechnung.html"
    QString Titel;  // the page's title
    QString Auszug; // plain text around the first hit
    int Anzahl = 0; // occurrences of all search words together
};

// Pages of the help file that contain every word of the search text (case-insensitive), most
// hits first, then by title. The keyword index is not searched. No words, no pages.
std::vector<HilfeTreffer> DurchsucheHilfe(HilfeDatei datei, const QString& suchtext);

// F1 anywhere in the window (including its controls) is consumed and opens the help at the
// window's context. The filter lives as long as the window.
void InstalliereHilfeTaste(QWidget* fenster, HilfeDatei datei, int kontext);
// The same for a window whose context changes, e.g. with its page.
void InstalliereHilfeTaste(QWidget* fenster, HilfeDatei datei, std::function<int()> kontext);

// The help window: a browser over the help pages with contents, keyword index, back, forward
// and a full-text search. Links to web or mail addresses open through OeffneAdresse.
class THilfeFenster : public QDialog {
    Q_OBJECT
public:
    explicit THilfeFenster(HilfeDatei datei, QWidget* parent = nullptr);
    void ZeigeKontext(int kontext);
    // The keyword index ("Stichwortverzeichnis") of the help file.
    void ZeigeIndex();
    // Shows the pages that contain the search text, as a page of links.
    void Suche(const QString& suchtext);
    HilfeDatei Datei() const { return m_datei; }
    QTextBrowser* Browser() const { return m_browser; }

private:
    void FolgeLink(const QUrl& adresse);

    HilfeDatei m_datei;
    QTextBrowser* m_browser;
    QLineEdit* m_suche;
};
