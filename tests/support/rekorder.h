// Records message boxes, help calls and opened addresses instead of showing them.
#pragma once

#include "ui/adresse.h"
#include "ui/hilfe.h"
#include "ui/meldung.h"

#include <utility>
#include <vector>

class MeldungsRekorder {
public:
    explicit MeldungsRekorder(QMessageBox::StandardButton antwort = QMessageBox::Ok);
    ~MeldungsRekorder();
    std::vector<Meldung> Meldungen;
    QMessageBox::StandardButton Antwort;

private:
    MeldungsFunktion m_alt;
};

class HilfeRekorder {
public:
    HilfeRekorder();
    ~HilfeRekorder();
    std::vector<std::pair<HilfeDatei, int>> Aufrufe;

private:
    HilfeFunktion m_alt;
};

class AdressRekorder {
public:
    AdressRekorder();
    ~AdressRekorder();
    std::vector<QString> Adressen;

private:
    AdressFunktion m_alt;
};
