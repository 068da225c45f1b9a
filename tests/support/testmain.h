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

// `before` runs before the application object exists, `after` right after it.
#define ZRN_TEST_MAIN_OF(TestObject, Application, before, after) \
    int main(int argc, char *argv[])                             \
    {                                                            \
        TestMain::isolate();                                     \
        before;                                                  \
        Application app(argc, argv);                             \
        after;                                                   \
        TestMain::setUpApplication();                            \
        TestObject tc;                                           \
        QTEST_SET_MAIN_SOURCE_PATH                               \
        return QTest::qExec(&tc, argc, argv);                    \
    }

// Web views want shared OpenGL contexts set before the application.
#define ZRN_TEST_MAIN(TestObject)                                                                      \
    ZRN_TEST_MAIN_OF(TestObject, QApplication, QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts), \
                     app.setAttribute(Qt::AA_Use96Dpi, true))
#define ZRN_TEST_GUILESS_MAIN(TestObject) ZRN_TEST_MAIN_OF(TestObject, QCoreApplication, (void)0, (void)0)
