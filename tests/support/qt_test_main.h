// A test main for the window tests: offscreen unless told otherwise, and a time limit per test
// function so that a dialog nobody answers fails the test instead of hanging it.
#pragma once

#include <QApplication>
#include <QtTest>

#define BB_QTEST_MAIN(TestClass)                                                                             \
    int main(int argc, char** argv)                                                                          \
    {                                                                                                        \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                                  \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                                         \
        if (qEnvironmentVariableIsEmpty("QTEST_FUNCTION_TIMEOUT"))                                           \
            qputenv("QTEST_FUNCTION_TIMEOUT", "60000");                                                      \
        QApplication app(argc, argv);                                                                        \
        TestClass test;                                                                                      \
        return QTest::qExec(&test, argc, argv);                                                              \
    }
