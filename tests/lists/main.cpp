// Runs both list test classes in one executable.
#include <QApplication>
#include <QTest>

QObject *makeReopenFilerTest();
QObject *makeMenuExeFilerTest();

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    int failures = 0;
    for (QObject *test : {makeReopenFilerTest(), makeMenuExeFilerTest()}) {
        failures += QTest::qExec(test, argc, argv);
        delete test;
    }
    return failures;
}
