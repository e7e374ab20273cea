#include "rekorder.h"

MeldungsRekorder::MeldungsRekorder(QMessageBox::StandardButton antwort) : Antwort(antwort)
{
    m_alt = SetzeMeldungsFunktion([this](const Meldung& m) {
        Meldungen.push_back(m);
        return Antwort;
    });
}

MeldungsRekorder::~MeldungsRekorder()
{
    SetzeMeldungsFunktion(m_alt);
}

HilfeRekorder::HilfeRekorder()
{
    m_alt = SetzeHilfeFunktion([this](HilfeDatei d, int k) { Aufrufe.emplace_back(d, k); });
}

HilfeRekorder::~HilfeRekorder()
{
    SetzeHilfeFunktion(m_alt);
}

AdressRekorder::AdressRekorder()
{
    m_alt = SetzeAdressFunktion([this](const QString& a) { Adressen.push_back(a); });
}

AdressRekorder::~AdressRekorder()
{
    SetzeAdressFunktion(m_alt);
}
