// About box component: fills the dialog from its texts and pictures, completes texts from the
// program's version block on request, and lays the labels out.
#include "app/ueber/ovoaboutbox.h"

#include "app/ueber/ovoversioninfo.h"

#include <QCoreApplication>
#include <QLabel>
#include <QTabWidget>
#include <memory>

namespace {
constexpr int LogoMaxBreite = 481;
constexpr int LogoMaxHoehe = 321;

void ZeigeLogo(QLabel* bild, const QPixmap& logo)
{
    bild->setPixmap(logo);
    bild->resize(logo.size().boundedTo(QSize(LogoMaxBreite, LogoMaxHoehe)));
    bild->setVisible(!logo.isNull());
}

void ZeigeSeite(QTabWidget* seiten, QWidget* seite, bool sichtbar)
{
    seiten->setTabVisible(seiten->indexOf(seite), sichtbar);
}
} // namespace

TOvoAboutBox::TOvoAboutBox(QObject* owner) : QObject(owner) {}

QString TOvoAboutBox::Text(int index) const
{
    if (index < 1 || index > TextAnzahl)
        return QString();
    return FTexte[static_cast<size_t>(index - 1)];
}

void TOvoAboutBox::SetText(int index, const QString& text)
{
    if (index >= 1 && index <= TextAnzahl)
        FTexte[static_cast<size_t>(index - 1)] = text;
}

void TOvoAboutBox::Execute()
{
    std::unique_ptr<TAboutBoxDialog> dialog(new TAboutBoxDialog(qobject_cast<QWidget*>(parent())));

    ZeigeLogo(dialog->imgProduktLogo, FProduktLogo);
    ZeigeLogo(dialog->imgVertriebLogo, FVertriebLogo);
    ZeigeLogo(dialog->imgKundeLogo, FKundeLogo);
    ZeigeLogo(dialog->imgHerstellerLogo, FHerstellerLogo);

    ZeigeSeite(dialog->pcPages, dialog->tsHersteller, Pages.testFlag(abHersteller));
    ZeigeSeite(dialog->pcPages, dialog->tsProdukt, Pages.testFlag(abProdukt));
    ZeigeSeite(dialog->pcPages, dialog->tsKunde, Pages.testFlag(abKunde));
    ZeigeSeite(dialog->pcPages, dialog->tsVertrieb, Pages.testFlag(abVertrieb));

    for (int index = 1; index <= TextAnzahl; ++index)
        dialog->SetAboutBoxInfo(index, Text(index));

    if (UseVersionInfo) {
        TOvoVersionInfo info(QCoreApplication::applicationFilePath());
        info.Load();
        const std::pair<const char*, int> ergaenzungen[] = {
            {"Productname", 1}, {"ProductVersion", 2}, {"LegalCopyright", 5}, {"ProduktDatum", 3}};
        for (const auto& [schluessel, index] : ergaenzungen) {
            const QString wert = info.GetValueByName(QString::fromLatin1(schluessel));
            if (!wert.isEmpty())
                dialog->SetAboutBoxInfo(index, Text(index) + wert);
        }
    }

    dialog->OrdneAn();
    dialog->setWindowTitle(Caption);
    dialog->OnKeyDown = OnKeyDown;
    dialog->OnKeyPress = OnKeyPress;
    dialog->OnKeyUp = OnKeyUp;
    dialog->exec();
}
