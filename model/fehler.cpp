// Error hierarchy and the full-stop rule of the central error handler.
#include "model/fehler.h"

EFehler::EFehler(QString meldung) : m_meldung(std::move(meldung)), m_utf8(m_meldung.toStdString())
{
}

QString MitSchlusspunkt(const QString& meldung)
{
    if (!meldung.isEmpty() && meldung.back().unicode() > u'.')
        return meldung + u'.';
    return meldung;
}
