// Wizard's catchment-area dialog. Typed length and width give the area at once; a typed area
// is compared with them when the user leaves its field. Only what the user types counts
// (textEdited and the modified flag), never what the dialog writes itself. Zero is refused
// here, and errors are raised to the central error handler.
#include "input/fassistentdialog.h"

#include "input/dachbeiwerte.h"
#include "model/fehler.h"
#include "model/grenzen.h"
#include "model/zahlenformat.h"
#include "ui/fehlerwaechter.h"
#include "ui/werkzeug.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Area texts: two decimals, at most ten significant digits.
QString FlaechenText(long double flaeche)
{
    return zahl::Fest(flaeche, 2, 10);
}

constexpr int LabelX = 8;
constexpr int LabelBreite = 116;
constexpr int FeldX = 128;
constexpr int FeldBreite = 117;

// A row's label and field.
QRect LabelLage(int y)
{
    return {LabelX, y, LabelBreite, 21};
}
QRect FeldLage(int y)
{
    return {FeldX, y, FeldBreite, 21};
}
} // namespace

TfrmFAssistentDialog::TfrmFAssistentDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmFAssistentDialog"));
    setWindowTitle(QStringLiteral("Auffangfläche hinzufügen"));
    FesterDialogRahmen(this, 253, 259);

    ErzeugeFlaeche();
    ErzeugeBeiwert();

    btnPlus = Knopf(this, "btnPlus", QStringLiteral("&Hinzufügen"), QRect(79, 224, 80, 25),
                    QStringLiteral("Fläche der Liste hinzufügen"));
    btnAbort = Knopf(this, "btnAbort", QStringLiteral("A&bbrechen"), QRect(165, 224, 80, 25),
                     QStringLiteral("Eingaben verwerfen"));
    // Enter only moves the focus in this dialog.
    KeinStandardKnopf({btnPlus, btnAbort});

    setTabOrder(edLaenge, edBreite);
    setTabOrder(edBreite, edFlaeche);
    setTabOrder(edFlaeche, cbBeiwert);
    setTabOrder(cbBeiwert, edBeiwert);
    setTabOrder(edBeiwert, btnPlus);
    setTabOrder(btnPlus, btnAbort);
    edLaenge->setFocus();

    cbBeiwert->setCurrentIndex(0);
    edBeiwert->setText(zahl::Dezimal(DachBeiwerte[0].Beiwert, 2));

    VerbindeBewacht(edLaenge, &QLineEdit::textEdited, this, &TfrmFAssistentDialog::edLaengeChange);
    VerbindeBewacht(edBreite, &QLineEdit::textEdited, this, &TfrmFAssistentDialog::edLaengeChange);
    VerbindeBewacht(edFlaeche, &QLineEdit::editingFinished, this,
                    &TfrmFAssistentDialog::edFlaecheExit);
    VerbindeBewacht(cbBeiwert, &QComboBox::activated, this, &TfrmFAssistentDialog::cbBeiwertSelect);
    VerbindeBewacht(edBeiwert, &QLineEdit::textEdited, this,
                    &TfrmFAssistentDialog::edBeiwertChange);
    VerbindeBewacht(btnPlus, &QPushButton::clicked, this, &TfrmFAssistentDialog::btnPlusClick);
    connect(btnAbort, &QPushButton::clicked, this, &QDialog::reject);

    FiltereAlleTasten(this);
    ZentriereAufDesktop(this);
}

// Description, length, width and area.
void TfrmFAssistentDialog::ErzeugeFlaeche()
{
    lBeschreibung = Text(this, "lBeschreibung",
                         QStringLiteral("Bitte geben Sie die Daten der Auffangfläche ein"),
                         QRect(8, 6, 237, 32), true);
    lBeschreibung->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    edLaenge = BeschriftetesFeld(this, QStringLiteral("edLaenge"), QStringLiteral("Länge (m)"),
                                 LabelLage(44), FeldLage(44));
    edLaenge->setToolTip(QStringLiteral("Länge der Auffangfläche in Metern"));
    edBreite = BeschriftetesFeld(this, QStringLiteral("edBreite"), QStringLiteral("Breite (m)"),
                                 LabelLage(71), FeldLage(71));
    edBreite->setToolTip(QStringLiteral("Breite der Auffangfläche in Metern"));
    edFlaeche = BeschriftetesFeld(this, QStringLiteral("edFlaeche"),
                                  QStringLiteral("Gesamtfläche (m²)"), LabelLage(98), FeldLage(98));
    edFlaeche->setToolTip(QStringLiteral("durch Angabe von Länge und Breite kann die "
                                         "Gesamtfläche automatisch berechnet werden"));
    InfoHintergrund(edFlaeche);
    for (QLineEdit* e : {edLaenge, edBreite, edFlaeche})
        e->setText(QStringLiteral("0,00"));

    bTrenner1 = Trennlinie(this, QStringLiteral("bTrenner1"), QRect(8, 128, 237, 2));
}

// Roof type and coefficient.
void TfrmFAssistentDialog::ErzeugeBeiwert()
{
    lDachart =
        Text(this, "lDachart", QStringLiteral("Art der Fläche"), QRect(LabelX, 135, 237, 16));
    lDachart->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    cbBeiwert = new QComboBox(this);
    cbBeiwert->setObjectName(QStringLiteral("cbBeiwert"));
    cbBeiwert->setGeometry(8, 152, 237, 22); // room for the longest roof type
    cbBeiwert->setEditable(false);
    cbBeiwert->setToolTip(QStringLiteral("Wählen Sie die Art Ihres Dachs aus der Liste"));
    for (const TDachBeiwert& dach : DachBeiwerte)
        cbBeiwert->addItem(QString::fromUtf16(dach.Dachart));
    lDachart->setBuddy(cbBeiwert);

    edBeiwert = BeschriftetesFeld(this, QStringLiteral("edBeiwert"),
                                  QStringLiteral("Abflußbeiwert"), LabelLage(181), FeldLage(181));
    edBeiwert->setToolTip(QStringLiteral(
        "Geben Sie den Abflußbeiwert ein, ob wählen Sie eine Flächenart aus der Liste"));
    InfoHintergrund(edBeiwert);

    bTrenner2 = Trennlinie(this, QStringLiteral("bTrenner2"), QRect(8, 213, 237, 2));
}

TfrmFAssistentDialog::~TfrmFAssistentDialog()
{
    // The area field loses the focus while the window is torn down; its handler must not run
    // on a half-destroyed dialog.
    disconnect(edFlaeche, nullptr, this, nullptr);
}

bool TfrmFAssistentDialog::eventFilter(QObject* objekt, QEvent* ereignis)
{
    if (IstEnterTaste(ereignis)) {
        focusNextChild();
        return true;
    }
    return QDialog::eventFilter(objekt, ereignis);
}

void TfrmFAssistentDialog::edLaengeChange()
{
    const auto laenge = zahl::Lies(edLaenge->text());
    const auto breite = zahl::Lies(edBreite->text());
    if (laenge && breite)
        edFlaeche->setText(FlaechenText(*laenge * *breite));
}

void TfrmFAssistentDialog::edFlaecheExit()
{
    // Runs when the field loses the focus; only a text the user changed counts.
    if (!edFlaeche->isModified())
        return;
    edFlaeche->setModified(false);
    const long double produkt =
        zahl::Lies(edLaenge->text()).value_or(0) * zahl::Lies(edBreite->text()).value_or(0);
    const long double flaeche = zahl::Lies(edFlaeche->text()).value_or(0);
    if (FlaechenText(produkt) != FlaechenText(flaeche)) {
        edLaenge->clear();
        edBreite->clear();
    }
}

void TfrmFAssistentDialog::cbBeiwertSelect(int index)
{
    if (index < 0 || index >= static_cast<int>(DachBeiwerte.size()))
        return;
    edBeiwert->setText(zahl::Dezimal(DachBeiwerte[static_cast<size_t>(index)].Beiwert, 2));
}

void TfrmFAssistentDialog::edBeiwertChange()
{
    // A typed coefficient no longer belongs to a roof type.
    cbBeiwert->setCurrentIndex(-1);
}

void TfrmFAssistentDialog::btnPlusClick()
{
    const auto flaeche = zahl::Lies(edFlaeche->text());
    if (!flaeche || *flaeche <= 0 || !ImBereich(*flaeche, grenzen::Flaeche)) {
        Fokussiere(edLaenge);
        throw EInvalidValueException(
            QStringLiteral("Bitte geben Sie geben Sie Länge und Breite oder einen gültigen Wert "
                           "für die Fläche ein."));
    }
    const auto beiwert = zahl::Lies(edBeiwert->text());
    if (!beiwert || *beiwert <= 0 || !ImBereich(*beiwert, grenzen::Anteil)) {
        Fokussiere(cbBeiwert);
        throw EInvalidValueException(
            QStringLiteral("Bitte wählen Sie eine Dachart oder geben Sie "
                           "einen gültigen Wert für den Abflußbeiwert an."));
    }
    FFlaeche = *flaeche;
    FBeiwert = *beiwert;
    accept();
}
