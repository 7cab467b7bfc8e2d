#include "explorer/pathtabs.h"

#include <QTest>

class TestPathTabs : public QObject
{
    Q_OBJECT
private slots:
    void tabsLeadToThePathUpToTheirName_data();
    void tabsLeadToThePathUpToTheirName();
};

void TestPathTabs::tabsLeadToThePathUpToTheirName_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("paths"); // what each tab leads to
    QTest::newRow("drive") << "C:" << QStringList{"C:"} << QStringList{"C:"};
    QTest::newRow("folders") << "C:\\Data\\Foto" << QStringList{"C:", "Data", "Foto"}
                             << QStringList{"C:", "C:\\Data", "C:\\Data\\Foto"};
    QTest::newRow("trailing backslash")
        << "C:\\Data\\" << QStringList{"C:", "Data"} << QStringList{"C:", "C:\\Data"};
    QTest::newRow("network share") << "\\\\server\\share\\Mappe" << QStringList{"server", "share", "Mappe"}
                                   << QStringList{"\\\\server", "\\\\server\\share",
                                                  "\\\\server\\share\\Mappe"};
    QTest::newRow("doubled backslash")
        << "C:\\\\Data" << QStringList{"C:", "Data"} << QStringList{"C:", "C:\\\\Data"};
    QTest::newRow("empty") << "" << QStringList{} << QStringList{};
    QTest::newRow("Danish letters") << "C:\\Æbler og pærer" << QStringList{"C:", "Æbler og pærer"}
                                    << QStringList{"C:", "C:\\Æbler og pærer"};
}

void TestPathTabs::tabsLeadToThePathUpToTheirName()
{
    QFETCH(QString, path);
    QFETCH(QStringList, names);
    QFETCH(QStringList, paths);
    const QStringList components = path.split(u'\\');
    const QList<PathTab> tabs = pathTabs(components);
    QStringList shownNames;
    QStringList ledTo;
    for (int i = 0; i < tabs.size(); ++i) {
        shownNames << tabs.at(i).name;
        ledTo << pathUpToTab(components, tabs, i);
    }
    QCOMPARE(shownNames, names);
    QCOMPARE(ledTo, paths);
}

QTEST_GUILESS_MAIN(TestPathTabs)
#include "test_pathtabs.moc"
