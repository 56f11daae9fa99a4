#pragma once

#include <QtCore/QStringList>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>

/// Helpers shared by every test program.
namespace KelvaraTest {

/// Test mode for QStandardPaths, a private data tree, the settings format.
void prepareEnvironment();

/// A wait in milliseconds, scaled by KELVARA_TEST_TIMEOUT_SCALE for slow machines.
int timeout(int milliseconds);

/// Starts the application log for this process while keeping the test
/// framework's own message handler in place.
void initializeLogger();
/// Lines of the application log written so far.
QStringList logLines();
/// True when some log line contains `text`.
bool logContains(const QString &text);

/// Empties the data tree (DOCS/Kelvara) of this test process, keeping the application log.
void resetDataTree();
/// Recreates the settings on the data tree, emptied first when `emptyTree` is set.
void startSettings(bool emptyTree = false);
/// True while no user tree exists below the data tree.
bool usersFolderIsEmpty();

/// Writes a file, creating its folder; fails the calling test when it cannot.
bool writeFile(const QString &path, const QByteArray &data);
QByteArray readFile(const QString &path);

} // namespace KelvaraTest

#define KELVARA_TEST_MAIN_IMPL(TestObject, AppType)                                                                    \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        KelvaraTest::prepareEnvironment();                                                                             \
        AppType app(argc, argv);                                                                                       \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                                       \
        TestObject tc;                                                                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }

/// Test main with a widgets application (QML and painting tests).
#define KELVARA_TEST_MAIN(TestObject) KELVARA_TEST_MAIN_IMPL(TestObject, QApplication)
/// Test main without a GUI.
#define KELVARA_TEST_GUILESS_MAIN(TestObject) KELVARA_TEST_MAIN_IMPL(TestObject, QCoreApplication)
