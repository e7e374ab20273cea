// Window frame of the two small simulation windows: fixed size, centred on the screen.
#pragma once

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>

// Title bar with system menu and close button only, not resizable, client area of that size,
// centred on the primary screen.
inline void FesterRahmenZentriert(QDialog* dialog, int breite, int hoehe)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    dialog->setFixedSize(breite, hoehe);
    if (const QScreen* bildschirm = QGuiApplication::primaryScreen())
        dialog->move(bildschirm->availableGeometry().center() - dialog->rect().center());
}
