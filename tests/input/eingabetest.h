// Helpers of the input dialog tests: an active window, typing as the user does, key presses
// on the control with the focus.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <ostream>

// Readable texts in failure messages.
inline void PrintTo(const QString& text, std::ostream* aus)
{
    *aus << '"' << text.toStdString() << '"';
}

// Shows the window and makes it the active one, so that focus changes really happen.
inline void ZeigeAktiv(QWidget* fenster)
{
    fenster->show();
    QApplication::setActiveWindow(fenster);
    fenster->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(fenster));
}

// Types text into the widget; characters outside ASCII go as key events carrying the text.
inline void TippeZeichen(QWidget* ziel, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(ziel, static_cast<char>(c.unicode()));
        } else {
            QKeyEvent druck(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(ziel, &druck);
            QKeyEvent los(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(ziel, &los);
        }
    }
}

// Puts the focus into the field, selects its text and types over it.
inline void Tippe(QLineEdit* feld, const QString& text)
{
    feld->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(feld, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(feld, Qt::Key_Backspace);
    else
        TippeZeichen(feld, text);
}

// A key pressed on whatever has the focus.
inline void Taste(Qt::Key taste)
{
    QWidget* ziel = QApplication::focusWidget();
    ASSERT_NE(ziel, nullptr);
    QTest::keyClick(ziel, taste);
}

inline QString Fokus()
{
    const QWidget* w = QApplication::focusWidget();
    return w ? w->objectName() : QStringLiteral("<keiner>");
}
