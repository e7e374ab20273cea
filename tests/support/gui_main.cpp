// Test main for window tests: an offscreen application with the program's error handler, and
// settings in a folder of their own, so that no test reads or writes the user's.
#include "app/anwendung.h"
#include "ui/werkzeug.h"

#include <QFont>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Test discovery runs the binary outside ctest's environment.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TAnwendung app(argc, argv);
    // The windows at the size of their layout, whatever the machine's font.
    QFont schrift = QApplication::font();
    schrift.setPointSizeF(LayoutPunkte);
    QApplication::setFont(schrift);
    const QTemporaryDir einstellungen;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, einstellungen.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
