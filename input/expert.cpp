// Expert input form. Values are shown in their display formats, but a value the format would
// round is shown with the decimals it needs (up to four), so that confirming an unchanged form
// keeps every value. A numeric field is checked when the focus leaves it for another edit field
// or the confirm button, and all fields again on confirming.
#include "input/expert.h"

#include "input/flaechedialog.h"
#include "input/niederschlageditor.h"
#include "model/fehler.h"
#include "model/grenzen.h"
#include "model/zahlenformat.h"
#include "refdata/plzkonverter.h"
#include "ui/fehlerwaechter.h"
#include "ui/hilfe.h"
#include "ui/meldung.h"
#include "ui/werkzeug.h"

#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcutEvent>
#include <QShowEvent>
#include <QTimer>
#include <QTreeWidget>

#include <cmath>

namespace {
// A numeric field: its member of the set, its range and its display format.
struct TZahlFeld {
    long double TParameterSatz::*Wert;
    const TGrenze* Grenze;
    int Stellen;
    int Praezision;
    int Verschiebung; // shown as value × 10^Verschiebung
};

// In the order of TfrmExpert::FZahlFelder.
constexpr std::array<TZahlFeld, 10> ZahlFelder{{
    {&TParameterSatz::WGrad, &grenzen::Anteil, 0, 3, 2},
    {&TParameterSatz::PersWCSpar, &grenzen::Personen, 1, 2, 0},
    {&TParameterSatz::PersWCSparV, &grenzen::Verbrauch, 2, 2, 0},
    {&TParameterSatz::PersWCNorm, &grenzen::Personen, 1, 2, 0},
    {&TParameterSatz::PersWCNormV, &grenzen::Verbrauch, 2, 2, 0},
    {&TParameterSatz::PersWasch, &grenzen::Personen, 1, 2, 0},
    {&TParameterSatz::PersWaschV, &grenzen::Verbrauch, 2, 2, 0},
    {&TParameterSatz::Garten, &grenzen::Garten, 2, 6, 0},
    {&TParameterSatz::GartenV, &grenzen::Verbrauch, 2, 2, 0},
    {&TParameterSatz::LadeBeiwert, &grenzen::Anteil, 2, 2, 0},
}};

QLineEdit* ZahlenEdit(QWidget* eltern, const char* name, const QString& beschriftung,
                      const QRect& label, const QRect& feld)
{
    QLineEdit* edit =
        BeschriftetesFeld(eltern, QString::fromLatin1(name), beschriftung, label, feld);
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return edit;
}

// Demand group: persons (or garden area), the "x" label, the consumption and its label after it.
constexpr int ZeileY = 22;
constexpr int ZeilenAbstand = 36;
constexpr QRect MengeFeld(int zeile)
{
    return {6, ZeileY + zeile * ZeilenAbstand, 62, 22};
}
constexpr QRect MalLabel(int zeile)
{
    return {72, ZeileY + zeile * ZeilenAbstand, 42, 22};
}
constexpr QRect VerbrauchFeld(int zeile)
{
    return {116, ZeileY + zeile * ZeilenAbstand, 52, 22};
}
constexpr QRect VerbrauchLabel(int zeile)
{
    return {172, ZeileY + zeile * ZeilenAbstand - 4, 159, 30};
}

const QString Fehlertitel = QStringLiteral("Fehler");
} // namespace

TfrmExpert::TfrmExpert(TPLZConverter& plz, QWidget* parent) : TInputForm(parent), FPLZ(plz)
{
    setObjectName(QStringLiteral("frmExpert"));
    setWindowTitle(QStringLiteral("Experten-Eingabe"));
    FesterDialogRahmen(this, 587, 275);

    ErzeugeErtrag();
    ErzeugeBedarf();
    ErzeugeKnoepfe();
    LegeReihenfolgeFest();
    Verbinde();

    FiltereAlleTasten(this);
    InstalliereHilfeTaste(this, HilfeDatei::Anwendung, HilfeKontext::Experte);
    ZentriereAufBildschirm(this);
}

// Yield: areas, filter efficiency, site.
void TfrmExpert::ErzeugeErtrag()
{
    gbErtrag = Gruppe(this, "gbErtrag", QStringLiteral("Ertragsberechnung"), QRect(6, 4, 232, 265));
    lAuffangflaechen =
        Text(gbErtrag, "lAuffangflaechen", QStringLiteral("Auffangflächen"), QRect(6, 18, 150, 16));
    // Both columns beside a vertical scroll bar.
    lvDach = Spaltenliste(gbErtrag, "lvDach",
                          {QStringLiteral("Fläche (m²)"), QStringLiteral("Abflußbeiwert")},
                          QRect(6, 36, 220, 129), 100);
    lAuffangflaechen->setBuddy(lvDach);
    lvDach->setAccessibleName(lAuffangflaechen->text());

    btnPlus = Knopf(gbErtrag, "btnPlus", QStringLiteral("Hinzu&fügen"), QRect(6, 169, 108, 25));
    btnMinus = Knopf(gbErtrag, "btnMinus", QStringLiteral("&Enffernen"), QRect(118, 169, 108, 25));

    edWGrad = ZahlenEdit(gbErtrag, "edWGrad", QStringLiteral("Filterwirkungsgrad"),
                         QRect(6, 204, 118, 22), QRect(126, 204, 60, 22));
    Text(gbErtrag, "lProzent", QStringLiteral("%"), QRect(190, 204, 20, 22));
    edPLZ =
        BeschriftetesFeld(gbErtrag, QStringLiteral("edPLZ"), QStringLiteral("PLZ des Standortes"),
                          QRect(6, 232, 118, 22), QRect(126, 232, 60, 22));
    btnMore = Knopf(gbErtrag, "btnMore", QStringLiteral(">>"), QRect(190, 231, 36, 24));
    btnMore->setAccessibleName(QStringLiteral("Niederschlagswerte bearbeiten"));
}

// Demand: three kinds of consumers and the garden; the other parameters.
void TfrmExpert::ErzeugeBedarf()
{
    gbBedarf =
        Gruppe(this, "gbBedarf", QStringLiteral("Bedarfsberechnung"), QRect(244, 4, 337, 164));
    const QString pers = QStringLiteral("Pers. x");
    edWCSpar = ZahlenEdit(gbBedarf, "edWCSpar", pers, MalLabel(0), MengeFeld(0));
    edWCSparV = ZahlenEdit(gbBedarf, "edWCSparV",
                           QStringLiteral("m³ Toilettenspülung / Jahr (mit Spar-Stoptaste)"),
                           VerbrauchLabel(0), VerbrauchFeld(0));
    edWCNorm = ZahlenEdit(gbBedarf, "edWCNorm", pers, MalLabel(1), MengeFeld(1));
    edWCNormV = ZahlenEdit(gbBedarf, "edWCNormV",
                           QStringLiteral("m³ Toilettenspülung / Jahr (ohne Spar-Stoptaste)"),
                           VerbrauchLabel(1), VerbrauchFeld(1));
    edWasch = ZahlenEdit(gbBedarf, "edWasch", pers, MalLabel(2), MengeFeld(2));
    edWaschV = ZahlenEdit(gbBedarf, "edWaschV", QStringLiteral("m³ Waschmaschine / Jahr"),
                          VerbrauchLabel(2), VerbrauchFeld(2));
    edGarten =
        ZahlenEdit(gbBedarf, "edGarten", QStringLiteral("m²  x "), MalLabel(3), MengeFeld(3));
    edGartenV =
        ZahlenEdit(gbBedarf, "edGartenV", QStringLiteral("m³ intensive Gartenbewässerung / Jahr"),
                   VerbrauchLabel(3), VerbrauchFeld(3));
    // The captions before the fields name them poorly on their own.
    edWCSpar->setAccessibleName(QStringLiteral("Personen mit WC mit Spar-Stoptaste"));
    edWCNorm->setAccessibleName(QStringLiteral("Personen mit WC ohne Spar-Stoptaste"));
    edWasch->setAccessibleName(QStringLiteral("Personen mit Waschmaschine"));
    edGarten->setAccessibleName(QStringLiteral("Gartenfläche in m²"));
    for (const char* name : {"edWCSparVLabel", "edWCNormVLabel", "edWaschVLabel", "edGartenVLabel"})
        gbBedarf->findChild<QLabel*>(QString::fromLatin1(name))->setWordWrap(true);

    gbDiverse =
        Gruppe(this, "gbDiverse", QStringLiteral("Sonstige Parameter"), QRect(244, 172, 337, 64));
    edLBeiwert = ZahlenEdit(gbDiverse, "edLBeiwert", QStringLiteral("Ladebeiwert"),
                            QRect(6, 28, 106, 22), QRect(116, 28, 52, 22));
}

// The buttons below the groups.
void TfrmExpert::ErzeugeKnoepfe()
{
    btnBerechnen =
        Knopf(this, "btnBerechnen", QStringLiteral("&Auswerten"), QRect(305, 244, 88, 25));
    btnAbbrechen =
        Knopf(this, "btnAbbrechen", QStringLiteral("Abb&rechen"), QRect(399, 244, 88, 25));
    btnHilfe = Knopf(this, "btnHilfe", QStringLiteral("&Hilfe"), QRect(493, 244, 88, 25));
}

// The numeric fields in the order of ZahlFelder, and the tab order.
void TfrmExpert::LegeReihenfolgeFest()
{
    FZahlFelder = {edWGrad, edWCSpar, edWCSparV, edWCNorm,  edWCNormV,
                   edWasch, edWaschV, edGarten,  edGartenV, edLBeiwert};

    QWidget* const reihenfolge[] = {lvDach,       btnPlus,      btnMinus,  edWGrad,   edPLZ,
                                    btnMore,      edWCSpar,     edWCSparV, edWCNorm,  edWCNormV,
                                    edWasch,      edWaschV,     edGarten,  edGartenV, edLBeiwert,
                                    btnBerechnen, btnAbbrechen, btnHilfe};
    for (size_t i = 1; i < std::size(reihenfolge); ++i)
        setTabOrder(reihenfolge[i - 1], reihenfolge[i]);
    btnPlus->setFocus();
}

// Buttons, the postal-code field and the focus changes.
void TfrmExpert::Verbinde()
{
    VerbindeBewacht(btnPlus, &QPushButton::clicked, this, &TfrmExpert::btnPlusClick);
    VerbindeBewacht(btnMinus, &QPushButton::clicked, this, &TfrmExpert::btnMinusClick);
    VerbindeBewacht(btnMore, &QPushButton::clicked, this, &TfrmExpert::btnMoreClick);
    VerbindeBewacht(btnBerechnen, &QPushButton::clicked, this, &TfrmExpert::btnBerechnenClick);
    connect(btnAbbrechen, &QPushButton::clicked, this, &QDialog::reject);
    VerbindeBewacht(btnHilfe, &QPushButton::clicked, this,
                    [] { OeffneHilfe(HilfeDatei::Anwendung, HilfeKontext::Experte); });
    connect(edPLZ, &QLineEdit::textChanged, this, &TfrmExpert::edPLZChange);
    FFokusVerbindung =
        VerbindeBewacht(qApp, &QApplication::focusChanged, this, &TfrmExpert::FokusGewechselt);
}

TfrmExpert::~TfrmExpert()
{
    // The focus moves while the controls are torn down; no check may run then.
    disconnect(FFokusVerbindung);
    disconnect(edPLZ, nullptr, this, nullptr);
}

void TfrmExpert::AlsParametersatzBearbeiten()
{
    setWindowTitle(QStringLiteral("Parametersatz bearbeiten"));
    btnBerechnen->setText(QStringLiteral("Ü&bernehmen"));
}

int TfrmExpert::ZahlFeldIndex(const QObject* objekt) const
{
    for (size_t i = 0; i < FZahlFelder.size(); ++i)
        if (FZahlFelder[i] == objekt)
            return static_cast<int>(i);
    return -1;
}

void TfrmExpert::showEvent(QShowEvent* ereignis)
{
    if (!ereignis->spontaneous())
        Bewacht([this] { FormShow(); });
    TInputForm::showEvent(ereignis);
}

void TfrmExpert::FormShow()
{
    lvDach->clear();
    for (const TFlaeche& flaeche : FParameterSatz.Flaechen)
        FuegeFlaecheHinzu(flaeche.Flaeche, flaeche.Beiwert);
    // The postal code is not shown; emptying the field leaves the flag as the caller set it.
    const bool plzChanged = PLZChanged;
    edPLZ->clear();
    PLZChanged = plzChanged;
    for (size_t i = 0; i < FZahlFelder.size(); ++i) {
        const TZahlFeld& f = ZahlFelder[i];
        FGezeigt[i] =
            zahl::Umkehrbar(FParameterSatz.*f.Wert, f.Stellen, f.Praezision, f.Verschiebung);
        FZahlFelder[i]->setText(FGezeigt[i]);
    }
}

void TfrmExpert::FuegeFlaecheHinzu(long double flaeche, long double beiwert)
{
    auto* zeile = new QTreeWidgetItem(
        lvDach, {zahl::Umkehrbar(flaeche, 2, 6), zahl::Umkehrbar(beiwert, 2, 2)});
    zeile->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
}

bool TfrmExpert::eventFilter(QObject* objekt, QEvent* ereignis)
{
    if (IstEnterTaste(ereignis) && (qobject_cast<QLineEdit*>(objekt) || objekt == lvDach)) {
        focusNextChild();
        return true;
    }
    if (objekt == btnBerechnen) {
        if (ereignis->type() == QEvent::FocusIn)
            FFokusGrund = static_cast<QFocusEvent*>(ereignis)->reason();
        // Its mnemonic confirms without taking the focus, so no field is left and only the
        // confirmation checks.
        if (ereignis->type() == QEvent::Shortcut &&
            !static_cast<QShortcutEvent*>(ereignis)->isAmbiguous()) {
            btnBerechnen->click();
            return true;
        }
        // The click that left a bad field has already been answered by its message.
        if (FKlickVerwerfen && (ereignis->type() == QEvent::MouseButtonPress ||
                                ereignis->type() == QEvent::MouseButtonDblClick)) {
            FKlickVerwerfen = false;
            return true;
        }
    }
    return TInputForm::eventFilter(objekt, ereignis);
}

void TfrmExpert::FokusGewechselt(QWidget* alt, QWidget* neu)
{
    if (FPruefungLaeuft || ZahlFeldIndex(alt) < 0)
        return;
    if (neu != edPLZ && neu != btnBerechnen && ZahlFeldIndex(neu) < 0)
        return;
    if (CheckControl(static_cast<QLineEdit*>(alt)) || neu != btnBerechnen ||
        FFokusGrund != Qt::MouseFocusReason)
        return;
    // A mouse press moved the focus: its click must not confirm. The press arrives right after
    // this handler.
    FKlickVerwerfen = true;
    QTimer::singleShot(0, this, [this] { FKlickVerwerfen = false; });
}

bool TfrmExpert::CheckControl(QLineEdit* feld)
{
    if (feld == edPLZ) {
        if (PLZChanged)
            FPLZ.CheckPLZ(edPLZ->text());
        return true;
    }
    const int index = ZahlFeldIndex(feld);
    if (index < 0)
        return true;
    if (feld->text().isEmpty()) {
        feld->setText(QStringLiteral("0"));
        return true;
    }
    const TZahlFeld& f = ZahlFelder[static_cast<size_t>(index)];
    const long double faktor = std::pow(10.0L, f.Verschiebung);
    const auto wert = zahl::Lies(feld->text());
    if (wert && ImBereich(*wert / faktor, *f.Grenze))
        return true;
    TSperre sperre(FPruefungLaeuft);
    ZeigeFehlermeldung(feld,
                       QStringLiteral("Bitte geben Sie eine Zahl ") +
                           Bereichstext(*f.Grenze, f.Verschiebung) + QStringLiteral(" ein."),
                       Fehlertitel);
    InputValid = false;
    Fokussiere(feld);
    return false;
}

void TfrmExpert::btnBerechnenClick()
{
    if (lvDach->topLevelItemCount() == 0) {
        ZeigeFehlermeldung(this, QStringLiteral("Bitte geben mindestens eine Auffangfläche an."),
                           Fehlertitel);
        btnPlus->setFocus();
        return;
    }
    TSperre sperre(FPruefungLaeuft);
    InputValid = true;
    for (QLineEdit* feld : {edWGrad, edPLZ, edWCNormV, edWaschV, edGartenV, edWCSpar, edWCSparV,
                            edWCNorm, edWasch, edGarten, edLBeiwert}) {
        CheckControl(feld);
        if (!InputValid)
            return;
    }

    // Built aside, so that a failing look-up leaves the working copy as it was.
    TParameterSatz satz;
    CopyParameterSatz(FParameterSatz, satz);
    satz.Flaechen.clear();
    for (int i = 0; i < lvDach->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* zeile = lvDach->topLevelItem(i);
        satz.Flaechen.push_back(
            {zahl::Lies(zeile->text(0)).value_or(0), zahl::Lies(zeile->text(1)).value_or(0)});
    }
    if (PLZChanged) {
        TPLZConverter& plz = FPLZ;
        satz.PLZ = plz.ApproximatePLZ(edPLZ->text());
        plz.GetNiederschlagPLZ(satz.PLZ, satz.Niederschlag);
        satz.Menge = plz.GetMengePLZ(satz.PLZ);
    }
    for (size_t i = 0; i < FZahlFelder.size(); ++i) {
        const TZahlFeld& f = ZahlFelder[i];
        if (FZahlFelder[i]->text() == FGezeigt[i])
            continue; // untouched: the stored value, not its reading
        satz.*f.Wert =
            zahl::Lies(FZahlFelder[i]->text()).value_or(0) / std::pow(10.0L, f.Verschiebung) +
            0.0L; // no -0
    }
    CopyParameterSatz(satz, FParameterSatz);
    accept();
}

void TfrmExpert::btnPlusClick()
{
    TfrmFlaecheDialog dialog(this);
    if (dialog.exec() == QDialog::Accepted)
        FuegeFlaecheHinzu(dialog.GetFlaeche(), dialog.GetBeiwert());
}

void TfrmExpert::btnMinusClick()
{
    const QList<QTreeWidgetItem*> auswahl = lvDach->selectedItems();
    if (!auswahl.isEmpty())
        delete auswahl.front();
}

void TfrmExpert::btnMoreClick()
{
    if (BearbeiteNiederschlag(this, FPLZ, FParameterSatz, edPLZ, PLZChanged))
        PLZChanged = false;
}

void TfrmExpert::edPLZChange()
{
    PLZChanged = true;
}
