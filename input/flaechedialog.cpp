// Simple catchment-area dialog: both values typed, zero allowed, errors shown by the dialog.
#include "input/flaechedialog.h"

#include "model/zahlenformat.h"
#include "ui/fehlerwaechter.h"
#include "ui/meldung.h"
#include "ui/werkzeug.h"

#include <QFrame>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr long double MaxFlaeche = 100000;
constexpr long double MaxBeiwert = 1;

QString Bereichsmeldung(long double grenze)
{
    return QStringLiteral("Bitte geben Sie einen Wert zwischen 0 und ") + zahl::Dezimal(grenze, 0) +
           QStringLiteral(" an.");
}

// A number from 0 to grenze, both included.
bool ImBereich(const QString& text, long double grenze, long double& wert)
{
    const auto gelesen = zahl::Lies(text);
    if (!gelesen || *gelesen < 0 || *gelesen > grenze)
        return false;
    wert = *gelesen + 0.0L; // "-0" counts as 0
    return true;
}
} // namespace

TfrmFlaecheDialog::TfrmFlaecheDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmFlaecheDialog"));
    setWindowTitle(QStringLiteral("Auffangfläche hinzufügen"));
    FesterDialogRahmen(this, 242, 119);

    edFlaeche =
        BeschriftetesFeld(this, QStringLiteral("edFlaeche"), QStringLiteral("Auffangfläche (m²)"),
                          QRect(8, 12, 112, 21), QRect(124, 12, 110, 21));
    edFlaeche->setText(QStringLiteral("0"));
    edBeiwert =
        BeschriftetesFeld(this, QStringLiteral("edBeiwert"), QStringLiteral("Abflussbeiwert"),
                          QRect(8, 42, 112, 21), QRect(124, 42, 110, 21));
    edBeiwert->setText(QStringLiteral("0,8"));

    bTrenner = Trennlinie(this, QStringLiteral("bTrenner"), QRect(8, 75, 226, 2));

    btnOK = Knopf(this, "btnOK", QStringLiteral("&Hinzufügen"), QRect(68, 86, 80, 25));
    btnCancel = Knopf(this, "btnCancel", QStringLiteral("A&bbrechen"), QRect(154, 86, 80, 25));

    setTabOrder(edFlaeche, edBeiwert);
    setTabOrder(edBeiwert, btnOK);
    setTabOrder(btnOK, btnCancel);
    edFlaeche->setFocus();

    VerbindeBewacht(btnOK, &QPushButton::clicked, this, &TfrmFlaecheDialog::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    edFlaeche->installEventFilter(this);
    edBeiwert->installEventFilter(this);

    ZentriereAufBildschirm(this);
}

bool TfrmFlaecheDialog::eventFilter(QObject* objekt, QEvent* ereignis)
{
    if (IstEnterTaste(ereignis)) {
        if (objekt == edFlaeche) {
            Fokussiere(edBeiwert);
            return true;
        }
        if (objekt == edBeiwert) {
            btnOK->click();
            return true;
        }
    }
    return QDialog::eventFilter(objekt, ereignis);
}

void TfrmFlaecheDialog::btnOKClick()
{
    long double flaeche = 0;
    long double beiwert = 0;
    if (!ImBereich(edFlaeche->text(), MaxFlaeche, flaeche)) {
        Fokussiere(edFlaeche);
        ZeigeFehlermeldung(this, Bereichsmeldung(MaxFlaeche), QStringLiteral("Fehler"));
        return;
    }
    if (!ImBereich(edBeiwert->text(), MaxBeiwert, beiwert)) {
        Fokussiere(edBeiwert);
        ZeigeFehlermeldung(this, Bereichsmeldung(MaxBeiwert), QStringLiteral("Fehler"));
        return;
    }
    FFlaeche = flaeche;
    FBeiwert = beiwert;
    accept();
}
