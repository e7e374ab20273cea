// The window toolbox: the controls every window builds (named after their objectName, placed
// at fixed positions), the fixed dialog frame, centring, Enter seen by the window first, and a
// flag guard.
#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>
#include <Qt>

#include <initializer_list>
#include <vector>

class QDialog;
class QObject;
class QEvent;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QWidget;

// A push button. With a hint it gets that tool tip.
QPushButton* Knopf(QWidget* eltern, const char* name, const QString& text, const QRect& lage,
                   const QString& hinweis = QString());

// Enter is handled by the window itself: none of these buttons is or becomes its default button.
void KeinStandardKnopf(std::initializer_list<QPushButton*> knoepfe);

// A text label, left-aligned; with umbrechen word-wrapped and top-aligned, else vertically
// centred.
QLabel* Text(QWidget* eltern, const char* name, const QString& text, const QRect& lage,
             bool umbrechen = false);

// The label's font made bold; returns the label.
QLabel* Fett(QLabel* label);
// The font made bold, `mehr` points larger.
QFont Fett(QFont schrift, int mehr = 0);

// An edit with its initial text and tool tip.
QLineEdit* Feld(QWidget* eltern, const char* name, const QRect& lage,
                const QString& text = QString(), const QString& hinweis = QString());

// An edit with a label beside it; the label is named after the edit plus "Label" and has the
// edit as its buddy.
QLineEdit* BeschriftetesFeld(QWidget* eltern, const QString& name, const QString& beschriftung,
                             const QRect& label, const QRect& feld);

QGroupBox* Gruppe(QWidget* eltern, const char* name, const QString& titel, const QRect& lage);

// A read-only list of rows under fixed columns of that width, one row selectable; the headings
// after the first are right-aligned.
QTreeWidget* Spaltenliste(QWidget* eltern, const char* name, const QStringList& spalten,
                          const QRect& lage, int spaltenBreite);

// A label showing the program's picture of that name at the label's size; a picture that
// cannot be loaded leaves it empty.
QLabel* Bild(QWidget* eltern, const char* name, const QString& bild, const QRect& lage);

// A sunken horizontal line.
QFrame* Trennlinie(QWidget* eltern, const QString& name, const QRect& lage);

// The pale yellow background of tool tips, for fields the dialog may fill itself.
void InfoHintergrund(QWidget* feld);

// A white background behind the widget's children.
void WeisserHintergrund(QWidget* flaeche);

// The font size the windows' pixel positions are made for.
inline constexpr double LayoutPunkte = 9;
// Ratio of the application's font size to LayoutPunkte.
double Massstab();
// Multiplies the positions and sizes of the window and of every control placed by hand (not by
// a layout) in it, and the column widths of its lists, by Massstab(); once per window.
void SkaliereFenster(QWidget* fenster);
// From now on every window made with FesterRahmen is scaled when it is first shown.
void SkaliereFensterBeimZeigen(QObject* anwendung);

// A window of that kind (title bar buttons included), not resizable, client area of that size
// at the layout's font size.
void FesterRahmen(QWidget* fenster, Qt::WindowFlags art, int breite, int hoehe);
// Title bar with system menu and close button only, not resizable, client area of that size.
void FesterDialogRahmen(QDialog* dialog, int breite, int hoehe);

// Centres the window on the primary screen's work area.
void ZentriereAufBildschirm(QWidget* fenster);
// Centres the window on the whole desktop (all screens).
void ZentriereAufDesktop(QWidget* fenster);

// A key press of Return or Enter without Ctrl or Alt.
bool IstEnterTaste(const QEvent* ereignis);

// Installs fenster as event filter on itself and every widget inside it, so that it sees every
// key before the control with the focus does.
void FiltereAlleTasten(QWidget* fenster);

// The widgets inside `bereich` that Tab stops at, in the window's present Tab order.
std::vector<QWidget*> TabStopps(QWidget* bereich);
// Tab runs through the widgets in this order.
void TabReihenfolge(const std::vector<QWidget*>& folge);

// Focus into an edit as the Tab key gives it: the text is selected.
void Fokussiere(QWidget* feld);

// Sets a flag while it lives and restores its former value.
class TSperre {
public:
    explicit TSperre(bool& flag) : m_flag(flag), m_alt(flag) { m_flag = true; }
    ~TSperre() { m_flag = m_alt; }
    TSperre(const TSperre&) = delete;
    TSperre& operator=(const TSperre&) = delete;

private:
    bool& m_flag;
    bool m_alt;
};
