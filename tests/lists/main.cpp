// Runs both list test classes in one executable.
#include "support/headlessdialogs.h"

#include <QApplication>
#include <QTest>

QObject *makeReopenFilerTest();
QObject *makeMenuExeFilerTest();

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    testsupport::HeadlessDialogs dialogs;
    int failures = 0;
    int count = 0;
    for (QObject *test : {makeReopenFilerTest(), makeMenuExeFilerTest()}) {
        // A log file ("-o file,format") would be overwritten by the next class: each class after
        // the first writes to the file's name with its number appended.
        QStringList arguments = app.arguments();
        const qsizetype output = arguments.indexOf("-o") + 1;
        if (count > 0 && output > 0 && output < arguments.size() && arguments[output].contains(u',')) {
            QString &file = arguments[output];
            file.insert(file.lastIndexOf(u','), "." + QString::number(count));
        }
        failures += QTest::qExec(test, arguments);
        delete test;
        ++count;
    }
    return failures;
}
