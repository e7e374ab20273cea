// The window toolbox.
#include "ui/werkzeug.h"

#include "ui/bilder.h"

#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>

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
    for (QPushButton* knopf : knoepfe)
        knopf->setAutoDefault(false);
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

void FesterRahmen(QWidget* fenster, Qt::WindowFlags art, int breite, int hoehe)
{
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

void Fokussiere(QWidget* feld)
{
    feld->setFocus(Qt::TabFocusReason);
}
