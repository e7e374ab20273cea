// Precipitation editor. Values are shown with the decimals they need and untouched fields keep
// their stored value, so a curve comes back unchanged when the editor is confirmed without edits.
#include "input/expns.h"

#include "model/fehler.h"
#include "model/grenzen.h"
#include "model/zahlenformat.h"
#include "ui/fehlerwaechter.h"
#include "ui/werkzeug.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

struct TMonat {
    const char* Name;
    const char16_t* Beschriftung;
};

constexpr std::array<TMonat, 12> Monate{{
    {"edJan", u"Januar"},
    {"edFeb", u"Februar"},
    {"edMae", u"Maerz"},
    {"edApr", u"April"},
    {"edMai", u"Mai"},
    {"edJun", u"Juni"},
    {"edJul", u"Juli"},
    {"edAug", u"August"},
    {"edSep", u"September"},
    {"edOkt", u"Oktober"},
    {"edNov", u"November"},
    {"edDez", u"Dezember"},
}};

constexpr int ZeileY = 56;
constexpr int ZeilenAbstand = 24;
// Per column: label x and width, edit width; the right column has the longer month names.
struct TSpalte {
    int x, labelBreite, feldBreite;
};
constexpr TSpalte Spalten[2] = {{8, 54, 48}, {124, 68, 46}};
} // namespace

QString MillimeterText(long double meter)
{
    return zahl::Umkehrbar(meter, 0, 4, 3);
}

TfrmExpNS::TfrmExpNS(QWidget* parent) : TInputForm(parent)
{
    setObjectName(QStringLiteral("frmExpNS"));
    setWindowTitle(QStringLiteral("Niederschläge eingeben"));
    FesterDialogRahmen(this, 247, 246);

    Label1 = Text(this, "Label1",
                  QStringLiteral("Bitte geben Sie die durchschittlichen monatlichen "
                                 "Regenmengen in Millimetern ein. (z.B. 50)"),
                  QRect(8, 8, 231, 42), true);

    for (size_t i = 0; i < Monate.size(); ++i) {
        const TSpalte& spalte = Spalten[i / 6];
        const int y = ZeileY + static_cast<int>(i % 6) * ZeilenAbstand;
        FMonate[i] = BeschriftetesFeld(
            this, QString::fromLatin1(Monate[i].Name), QString::fromUtf16(Monate[i].Beschriftung),
            QRect(spalte.x, y, spalte.labelBreite, 21),
            QRect(spalte.x + spalte.labelBreite + 1, y, spalte.feldBreite, 21));
    }
    edJan = FMonate[0];
    edFeb = FMonate[1];
    edMae = FMonate[2];
    edApr = FMonate[3];
    edMai = FMonate[4];
    edJun = FMonate[5];
    edJul = FMonate[6];
    edAug = FMonate[7];
    edSep = FMonate[8];
    edOkt = FMonate[9];
    edNov = FMonate[10];
    edDez = FMonate[11];

    Bevel1 = Trennlinie(this, QStringLiteral("Bevel1"), QRect(8, 204, 231, 2));

    btnOK = Knopf(this, "btnOK", QStringLiteral("Ü&bernehmen"), QRect(59, 213, 88, 25));
    btnCancel = Knopf(this, "btnCancel", QStringLiteral("&Abbrechen"), QRect(151, 213, 88, 25));
    // Enter only moves the focus, even on a button.
    KeinStandardKnopf({btnOK, btnCancel});

    for (size_t i = 1; i < FMonate.size(); ++i)
        setTabOrder(FMonate[i - 1], FMonate[i]);
    setTabOrder(edDez, btnOK);
    setTabOrder(btnOK, btnCancel);
    edJan->setFocus();

    VerbindeBewacht(btnOK, &QPushButton::clicked, this, &TfrmExpNS::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    FiltereAlleTasten(this);
    ZentriereAufBildschirm(this);
}

void TfrmExpNS::SetParameterSatz(const TParameterSatz& quelle)
{
    TInputForm::SetParameterSatz(quelle);
    for (size_t i = 0; i < FMonate.size(); ++i) {
        FGezeigt[i] = MillimeterText(FParameterSatz.Niederschlag[i]);
        FMonate[i]->setText(FGezeigt[i]);
    }
}

bool TfrmExpNS::eventFilter(QObject* objekt, QEvent* ereignis)
{
    if (IstEnterTaste(ereignis)) {
        focusNextChild();
        return true;
    }
    return TInputForm::eventFilter(objekt, ereignis);
}

void TfrmExpNS::btnOKClick()
{
    for (size_t i = 0; i < FMonate.size(); ++i) {
        const auto mm = zahl::Lies(FMonate[i]->text());
        if (!mm || !ImBereich(*mm / 1000, grenzen::Monatsniederschlag)) {
            Fokussiere(FMonate[i]);
            throw EInvalidValueException(QStringLiteral("Bitte geben Sie einen Wert ") +
                                         Bereichstext(grenzen::Monatsniederschlag, 3) +
                                         QStringLiteral(" an."));
        }
        if (FMonate[i]->text() != FGezeigt[i])
            FParameterSatz.Niederschlag[i] = *mm / 1000 + 0.0L; // "-0" counts as 0
    }
    FParameterSatz.Menge = 0;
    for (const long double monat : FParameterSatz.Niederschlag)
        FParameterSatz.Menge += monat;
    accept();
}
