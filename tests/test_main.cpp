// Shared entry point of the test executables: one application object for the
// whole run, then GoogleTest. The kind of application is the least the tests
// need, chosen by their CMake target: a QApplication for widgets, a
// QGuiApplication for fonts, pictures and the palette, a QCoreApplication
// for the number library.
#include <gtest/gtest.h>

#if defined(DIPOLE_TEST_WIDGETS)
#include <QApplication>
using TestApplication = QApplication;
#elif defined(DIPOLE_TEST_CORE)
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
