// Test entry point. The data layer's tests run with a core application only; every other test
// program runs under the offscreen platform with one QApplication.
#include <gtest/gtest.h>

#ifdef CRM_TEST_WITHOUT_SCREEN
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#elif defined(CRM_TEST_PROGRAM_APPLICATION)
#include "app/CrmApplication.h"
using TestApplication = CrmApplication; // the program's own: Chinese texts and the last error guard
#else
#include <QApplication>
using TestApplication = QApplication;
#endif

#ifdef CRM_TEST_SHELL_SERVICES
#include "shell/ApplicationShell.h"
#endif

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TestApplication app(argc, argv);
#ifdef CRM_TEST_SHELL_SERVICES
    ApplicationShell::installShellServices();
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
