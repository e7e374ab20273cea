// The about dialog: four pages with a logo and labels each, and one close button that travels
// to the active page.
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

class QFrame;
class QLabel;
class QPushButton;
class QTabWidget;
class TOvoUrlLabel;

// Key handlers; setting the key to 0, or the character to an empty text, swallows the key.
using TOvoKeyEvent = std::function<void(QObject* sender, int& key, Qt::KeyboardModifiers shift)>;
using TOvoKeyPressEvent = std::function<void(QObject* sender, QString& key)>;

class TAboutBoxDialog : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBoxDialog(QWidget* parent = nullptr);

    // Shows text in the label of that index (1 to 16), which is visible exactly when the text is
    // not empty; its bullet follows. Raises EFehler when no label has that index.
    void SetAboutBoxInfo(int index, const QString& text);
    // Places the labels and bullets of every page in rows of 20 pixels below the logos; hidden
    // labels take no row and every line break of a label moves the following ones 15 down.
    void OrdneAn();

    // The label and bullet of that index, or null.
    QLabel* Beschriftung(int index) const;
    QFrame* Punkt(int index) const;

    // Seen before the focused control (keyboard preview).
    TOvoKeyEvent OnKeyDown;
    TOvoKeyPressEvent OnKeyPress;
    TOvoKeyEvent OnKeyUp;

    QTabWidget* pcPages;
    QWidget* tsProdukt;
    QWidget* tsKunde;
    QWidget* tsVertrieb;
    QWidget* tsHersteller;
    QLabel* imgProduktLogo;
    QLabel* imgKundeLogo;
    QLabel* imgVertriebLogo;
    QLabel* imgHerstellerLogo;
    QLabel* labProduktName;
    QLabel* labProduktVersion;
    QLabel* labProduktDatum;
    QLabel* labLizenz;
    QLabel* labCopyright;
    QLabel* labVertriebAdresse;
    TOvoUrlLabel* labVertriebWeb;
    TOvoUrlLabel* labVertriebEMail;
    QLabel* labVertriebHotline;
    QLabel* labKundeAdresse;
    TOvoUrlLabel* labKundeEMail;
    TOvoUrlLabel* labKundeWeb;
    QLabel* labKundeTelNr;
    QLabel* labHerstellerAdresse;
    TOvoUrlLabel* labHerstellerWeb;
    TOvoUrlLabel* labHerstellerEMail;
    QPushButton* btnClose;

protected:
    bool eventFilter(QObject* objekt, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Hands the key to the owner's handlers; true when one of them swallowed it.
    bool MeldeTaste(QKeyEvent* k);
    void FormCreate();
    void pcPagesChange(int index);
    // A page with its white panel and logo image; returns the panel.
    QWidget* Seite(QWidget*& seite, const char* name, const QString& titel, const char* panel,
                   QLabel*& bild, const char* logo);
    void Beschrifte(QLabel* label, QWidget* panel, const char* name, const char* punkt, int tag,
                    const QColor& farbe);

    std::vector<QLabel*> FLabels;
    std::vector<QFrame*> FBullets;
};
