#include "platform/QtApplication.h"

#include <gtest/gtest.h>

#include <QStandardPaths>

#include "support/PrivateHome.h"

// The platform tests need a QApplication; they run without a display and keep their settings and
// files in Qt's test locations, away from the user's own.
int main(int argc, char** argv) {
    const PrivateHome home;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
