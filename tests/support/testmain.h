#pragma once

// The entry point of every test executable. Before any code of the suite
// runs, the settings and data homes point at a fresh temporary folder, so a
// suite run by hand never touches the user's own settings or embedded file.

#include <QtTest>

namespace TestMain {
// Called first in main(): points XDG_CONFIG_HOME, XDG_DATA_HOME,
// XDG_CACHE_HOME, XDG_RUNTIME_DIR and HOME at a temporary folder.
void isolate();
// The temporary folder of this process.
QString home();
// After the application object exists: the program's Czech locale.
void setUpApplication();
}

#define ZRN_TEST_MAIN(TestObject)                                  \
    int main(int argc, char *argv[])                               \
    {                                                              \
        TestMain::isolate();                                       \
        /* web views want it set before the application */         \
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); \
        QApplication app(argc, argv);                              \
        app.setAttribute(Qt::AA_Use96Dpi, true);                   \
        TestMain::setUpApplication();                              \
        TestObject tc;                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                 \
        return QTest::qExec(&tc, argc, argv);                      \
    }

#define ZRN_TEST_GUILESS_MAIN(TestObject)                          \
    int main(int argc, char *argv[])                               \
    {                                                              \
        TestMain::isolate();                                       \
        QCoreApplication app(argc, argv);                          \
        TestMain::setUpApplication();                              \
        TestObject tc;                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                 \
        return QTest::qExec(&tc, argc, argv);                      \
    }
