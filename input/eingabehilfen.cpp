// Shared layout and keyboard helpers of the input dialogs.
#include "input/eingabehilfen.h"

#include "input/expns.h"
#include "model/fehler.h"
#include "model/parametersatz.h"
#include "refdata/plzkonverter.h"

#include <QDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>

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

void FesterDialogRahmen(QDialog* dialog, int breite, int hoehe)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    dialog->setFixedSize(breite, hoehe);
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

TPLZConverter& Postleitzahlen()
{
    if (!PLZConverter)
        throw EFehler(QStringLiteral("Postleitzahlen nicht geladen"));
    return *PLZConverter;
}

bool BearbeiteNiederschlag(QWidget* besitzer, TParameterSatz& satz, QLineEdit* edPLZ,
                           bool nachschlagen)
{
    if (nachschlagen) {
        // Without a usable postal code the editor opens on the curve the set already has.
        try {
            TPLZConverter& plz = Postleitzahlen();
            const QString code = plz.ApproximatePLZ(edPLZ->text());
            edPLZ->setText(code);
            plz.GetNiederschlagPLZ(code, satz.Niederschlag);
        } catch (const std::exception&) {
        }
    }
    TfrmExpNS editor(besitzer);
    editor.SetParameterSatz(satz);
    if (editor.exec() != QDialog::Accepted)
        return false;
    TParameterSatz neu;
    editor.GetParameterSatz(neu);
    CopyParameterSatz(neu, satz);
    satz.PLZ.clear();
    edPLZ->clear();
    return true;
}
