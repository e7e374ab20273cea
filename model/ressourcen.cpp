// String table of the program: the maker's contact data (1001 to 1007).
#include "model/ressourcen.h"

#include <map>

namespace {
const std::map<int, const char16_t*>& Tabelle()
{
    static const std::map<int, const char16_t*> tabelle = {
        {1001, u"Brunnhuber & Kessler Softwarehaus GmbH"},
        {1002, u"Am Regenrückhalt 12"},
        {1003, u"34117 Kassel"},
        {1004, u"www.tropfwerk.example.org"},
        {1005, u"info@tropfwerk.example.org"},
        {1006, u"Telefon 0561 5550 1230"},
        {1007, u"Telefax 0561 5550 1239"},
    };
    return tabelle;
}
} // namespace

QString LoadResString(int id)
{
    const auto it = Tabelle().find(id);
    return it == Tabelle().end() ? QString() : QString::fromUtf16(it->second);
}
