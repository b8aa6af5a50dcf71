#include <gtest/gtest.h>

#include <QApplication>

#include "CriticalMessages.h"
#include "TestNamespaces.h"

// GUI tests run real widgets on Qt's offscreen platform, without a display.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    CCriticalMessages::FailTestsOnCriticals();
    return RUN_ALL_TESTS();
}
