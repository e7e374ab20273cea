// The window toolbox.
#include "ui/werkzeug.h"

#include "ui/bilder.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QTreeWidget>

#include <cmath>
#include <exception>

QPushButton* Knopf(QWidget* eltern, const char* name, const QString& text, const QRect& lage,
                   const QString& hinweis)
{
    auto* knopf = new QPushButton(text, eltern);
    knopf->setObjectName(QString::fromLatin1(name));
    knopf->setGeometry(lage);
    if (!hinweis.isEmpty())
        knopf->setToolTip(hinweis);
    return knopf;
}

void KeinStandardKnopf(std::initializer_list<QPushButton*> knoepfe)
{
    for (QPushButton* knopf : knoepfe) {
        knopf->setAutoDefault(false);
        knopf->setDefault(false);
    }
}

QLabel* Text(QWidget* eltern, const char* name, const QString& text, const QRect& lage,
             bool umbrechen)
{
    auto* label = new QLabel(text, eltern);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(lage);
    label->setWordWrap(umbrechen);
    label->setAlignment(Qt::AlignLeft | (umbrechen ? Qt::AlignTop : Qt::AlignVCenter));
    return label;
}

QLabel* Fett(QLabel* label)
{
    label->setFont(Fett(label->font()));
    return label;
}

QFont Fett(QFont schrift, int mehr)
{
    schrift.setBold(true);
    if (mehr != 0)
        schrift.setPointSizeF(schrift.pointSizeF() + mehr);
    return schrift;
}

QLineEdit* Feld(QWidget* eltern, const char* name, const QRect& lage, const QString& text,
                const QString& hinweis)
{
    auto* edit = new QLineEdit(text, eltern);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(lage);
    if (!hinweis.isEmpty())
        edit->setToolTip(hinweis);
    return edit;
}

QLineEdit* BeschriftetesFeld(QWidget* eltern, const QString& name, const QString& beschriftung,
                             const QRect& label, const QRect& feld)
{
    auto* beschriftet = new QLabel(beschriftung, eltern);
    beschriftet->setObjectName(name + QStringLiteral("Label"));
    beschriftet->setGeometry(label);
    beschriftet->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto* edit = new QLineEdit(eltern);
    edit->setObjectName(name);
    edit->setGeometry(feld);
    beschriftet->setBuddy(edit);
    return edit;
}

QGroupBox* Gruppe(QWidget* eltern, const char* name, const QString& titel, const QRect& lage)
{
    auto* gruppe = new QGroupBox(titel, eltern);
    gruppe->setObjectName(QString::fromLatin1(name));
    gruppe->setGeometry(lage);
    return gruppe;
}

QTreeWidget* Spaltenliste(QWidget* eltern, const char* name, const QStringList& spalten,
                          const QRect& lage, int spaltenBreite)
{
    auto* liste = new QTreeWidget(eltern);
    liste->setObjectName(QString::fromLatin1(name));
    liste->setGeometry(lage);
    liste->setColumnCount(static_cast<int>(spalten.size()));
    liste->setHeaderLabels(spalten);
    for (int i = 1; i < liste->columnCount(); ++i)
        liste->headerItem()->setTextAlignment(i, Qt::AlignRight | Qt::AlignVCenter);
    liste->header()->setStretchLastSection(false);
    liste->header()->setSectionsMovable(false);
    for (int i = 0; i < liste->columnCount(); ++i)
        liste->setColumnWidth(i, spaltenBreite);
    liste->setRootIsDecorated(false);
    liste->setItemsExpandable(false);
    liste->setUniformRowHeights(true);
    liste->setAllColumnsShowFocus(true);
    liste->setEditTriggers(QAbstractItemView::NoEditTriggers);
    liste->setSelectionMode(QAbstractItemView::SingleSelection);
    liste->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return liste;
}

QLabel* Bild(QWidget* eltern, const char* name, const QString& bild, const QRect& lage)
{
    auto* label = new QLabel(eltern);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(lage);
    try {
        label->setPixmap(LadeBild(bild, lage.size()));
    } catch (const std::exception&) {
    }
    return label;
}

QFrame* Trennlinie(QWidget* eltern, const QString& name, const QRect& lage)
{
    auto* linie = new QFrame(eltern);
    linie->setObjectName(name);
    linie->setFrameShape(QFrame::HLine);
    linie->setFrameShadow(QFrame::Sunken);
    linie->setGeometry(lage);
    return linie;
}

void InfoHintergrund(QWidget* feld)
{
    QPalette farben = feld->palette();
    farben.setColor(QPalette::Base, farben.color(QPalette::ToolTipBase));
    feld->setPalette(farben);
}

void WeisserHintergrund(QWidget* flaeche)
{
    flaeche->setAutoFillBackground(true);
    QPalette farben = flaeche->palette();
    farben.setColor(QPalette::Window, Qt::white);
    flaeche->setPalette(farben);
}

namespace {
const char* const HandgelegtMerkmal = "werkzeugHandgelegt";
const char* const SkaliertMerkmal = "werkzeugSkaliert";

int Skaliert(int wert, double m)
{
    return static_cast<int>(std::lround(wert * m));
}

QRect Skaliert(const QRect& r, double m)
{
    const int links = Skaliert(r.left(), m);
    const int oben = Skaliert(r.top(), m);
    return {links, oben, Skaliert(r.left() + r.width(), m) - links,
            Skaliert(r.top() + r.height(), m) - oben};
}

QSize Skaliert(const QSize& s, double m)
{
    return {Skaliert(s.width(), m), Skaliert(s.height(), m)};
}

// Controls that place their own parts.
bool HatEigeneTeile(const QWidget* w)
{
    return qobject_cast<const QAbstractScrollArea*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QAbstractSlider*>(w) ||
           qobject_cast<const QLabel*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QTabBar*>(w) || qobject_cast<const QMenuBar*>(w) ||
           qobject_cast<const QStatusBar*>(w) || qobject_cast<const QToolBar*>(w) ||
           qobject_cast<const QDialogButtonBox*>(w);
}

void SkaliereSpalten(QHeaderView* kopf, double m)
{
    if (!kopf || kopf->orientation() != Qt::Horizontal)
        return;
    for (int i = 0; i < kopf->count(); ++i)
        if (kopf->sectionResizeMode(i) == QHeaderView::Interactive ||
            kopf->sectionResizeMode(i) == QHeaderView::Fixed)
            kopf->resizeSection(i, Skaliert(kopf->sectionSize(i), m));
}

// Minimum and maximum size; an unbounded maximum stays unbounded.
void SkaliereGrenzen(QWidget* w, double m)
{
    const auto grenze = [m](int wert) {
        return wert >= QWIDGETSIZE_MAX ? wert : Skaliert(wert, m);
    };
    const QSize min = w->minimumSize();
    const QSize max = w->maximumSize();
    w->setMinimumSize(grenze(min.width()), grenze(min.height()));
    w->setMaximumSize(grenze(max.width()), grenze(max.height()));
}

void SkaliereInhalt(QWidget* flaeche, double m);

void SkaliereKind(QWidget* kind, bool lagePerHand, double m)
{
    if (lagePerHand)
        kind->setGeometry(Skaliert(kind->geometry(), m));
    SkaliereGrenzen(kind, m);
    if (auto* baum = qobject_cast<QTreeView*>(kind))
        SkaliereSpalten(baum->header(), m);
    if (auto* tabelle = qobject_cast<QTableView*>(kind))
        SkaliereSpalten(tabelle->horizontalHeader(), m);
    if (auto* reiter = qobject_cast<QTabWidget*>(kind)) {
        for (int i = 0; i < reiter->count(); ++i)
            SkaliereInhalt(reiter->widget(i), m);
        return;
    }
    if (auto* stapel = qobject_cast<QStackedWidget*>(kind)) {
        for (int i = 0; i < stapel->count(); ++i)
            SkaliereInhalt(stapel->widget(i), m);
        return;
    }
    if (!HatEigeneTeile(kind))
        SkaliereInhalt(kind, m);
}

void SkaliereInhalt(QWidget* flaeche, double m)
{
    const QLayout* anordnung = flaeche->layout();
    for (QWidget* kind : flaeche->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (kind->isWindow())
            continue;
        SkaliereKind(kind, !anordnung || anordnung->indexOf(kind) < 0, m);
    }
}

// Scales each window laid out by hand once, when it is first shown.
class TMassstabFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override
    {
        if (ereignis->type() == QEvent::Show && objekt->isWidgetType()) {
            auto* fenster = static_cast<QWidget*>(objekt);
            if (fenster->isWindow() && fenster->property(HandgelegtMerkmal).toBool() &&
                !fenster->property(SkaliertMerkmal).toBool())
                SkaliereFenster(fenster);
        }
        return QObject::eventFilter(objekt, ereignis);
    }
};
} // namespace

double Massstab()
{
    return QApplication::font().pointSizeF() / LayoutPunkte;
}

void SkaliereFenster(QWidget* fenster)
{
    fenster->setProperty(SkaliertMerkmal, true);
    const double m = Massstab();
    if (std::abs(m - 1) < 0.01)
        return;
    const QSize groesse = Skaliert(fenster->size(), m);
    SkaliereGrenzen(fenster, m);
    fenster->resize(groesse);
    SkaliereInhalt(fenster, m);
}

void SkaliereFensterBeimZeigen(QObject* anwendung)
{
    anwendung->installEventFilter(new TMassstabFilter(anwendung));
}

void FesterRahmen(QWidget* fenster, Qt::WindowFlags art, int breite, int hoehe)
{
    fenster->setProperty(HandgelegtMerkmal, true);
    fenster->setWindowFlags(art);
    fenster->setFixedSize(breite, hoehe);
}

void FesterDialogRahmen(QDialog* dialog, int breite, int hoehe)
{
    FesterRahmen(dialog,
                 Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                     Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint,
                 breite, hoehe);
}

void ZentriereAufBildschirm(QWidget* fenster)
{
    if (const QScreen* bildschirm = QGuiApplication::primaryScreen())
        fenster->move(bildschirm->availableGeometry().center() - fenster->rect().center());
}

void ZentriereAufDesktop(QWidget* fenster)
{
    if (const QScreen* bildschirm = QGuiApplication::primaryScreen())
        fenster->move(bildschirm->virtualGeometry().center() - fenster->rect().center());
}

bool IstEnterTaste(const QEvent* ereignis)
{
    if (ereignis->type() != QEvent::KeyPress)
        return false;
    const auto* taste = static_cast<const QKeyEvent*>(ereignis);
    if (taste->key() != Qt::Key_Return && taste->key() != Qt::Key_Enter)
        return false;
    return !(taste->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

void FiltereAlleTasten(QWidget* fenster)
{
    fenster->installEventFilter(fenster);
    for (QWidget* kind : fenster->findChildren<QWidget*>())
        kind->installEventFilter(fenster);
}

std::vector<QWidget*> TabStopps(QWidget* bereich)
{
    std::vector<QWidget*> stopps;
    QWidget* fenster = bereich->window();
    for (QWidget* w = fenster->nextInFocusChain(); w && w != fenster; w = w->nextInFocusChain())
        if (bereich->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy())
            stopps.push_back(w);
    return stopps;
}

void TabReihenfolge(const std::vector<QWidget*>& folge)
{
    for (size_t i = 1; i < folge.size(); ++i)
        QWidget::setTabOrder(folge[i - 1], folge[i]);
}

void Fokussiere(QWidget* feld)
{
    feld->setFocus(Qt::TabFocusReason);
}
