#include "platform/QtApplication.h"

#include <gtest/gtest.h>

#include <QStandardPaths>

#include "support/PrivateHome.h"

// The view and export tests need a QApplication; they run without a display.
int main(int argc, char** argv) {
    const PrivateHome home;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    // The wheel tests count in the common three lines a notch.
    QApplication::setWheelScrollLines(3);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
