#include "fileops/klipbord.h"

#include <QSignalSpy>
#include <QTest>

namespace {

// "[x] path" for a ticked row, "[ ] path" for the others.
QStringList rowsOf(const KlipbordListe &list)
{
    QStringList rows;
    for (int i = 0; i < list.count(); ++i)
        rows << QString(list.row(i).checked ? "[x] " : "[ ] ") + list.row(i).path;
    return rows;
}

// Runs one step of a script: "add P", "add- P" (not ticked), "rows P|P..." (added together),
// "del I", "clear", "ticked" (remove the ticked rows), "paths P|P..." (remove those paths),
// "tick I", "untick I", "all", "none".
void run(KlipbordListe &list, const QString &step)
{
    const QString command = step.section(u' ', 0, 0);
    const QString argument = step.section(u' ', 1);
    if (command == "add" || command == "add-")
        list.add(0, argument, command == "add");
    else if (command == "rows") {
        QList<KlipbordRow> rows;
        for (const QString &path : argument.split(u'|'))
            rows.append({true, 0, path});
        list.addRows(rows);
    } else if (command == "del")
        list.removeAt(argument.toInt());
    else if (command == "clear")
        list.removeAll();
    else if (command == "ticked")
        list.removeChecked();
    else if (command == "paths")
        list.removePaths(argument.split(u'|'));
    else if (command == "tick" || command == "untick")
        list.setChecked(argument.toInt(), command == "tick");
    else if (command == "all" || command == "none")
        list.setAllChecked(command == "all");
    else
        QFAIL(qPrintable("unknown step " + step));
}

QStringList scattered(int rows)
{
    QStringList script;
    for (int i = 0; i < rows; ++i)
        script << QString(i % 2 ? "add- C:\\F%1" : "add C:\\F%1").arg(i);
    script << "ticked";
    return script;
}

QStringList everyOdd(int rows)
{
    QStringList left;
    for (int i = 1; i < rows; i += 2)
        left << QString("[ ] C:\\F%1").arg(i);
    return left;
}

} // namespace

class TestKlipbord : public QObject
{
    Q_OBJECT
private slots:
    void rowsStayUniqueThroughEveryChange_data();
    void rowsStayUniqueThroughEveryChange();
    void manyRowsAtOnceAreOneChange();
    void aCountedSizeGoesStaleWhenTheRowsChange();
};

void TestKlipbord::rowsStayUniqueThroughEveryChange_data()
{
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("letter case") << QStringList{"add C:\\Data\\Brev.txt", "add c:\\DATA\\brev.TXT",
                                                "add C:\\Data\\Brev.txt\r\n", "add C:\\Data\\Æble",
                                                "add C:\\DATA\\æBLE"}
                                 << QStringList{"[x] C:\\Data\\Brev.txt", "[x] C:\\Data\\Æble"};
    QTest::newRow("removed, added again in another case")
        << QStringList{"add C:\\A", "add C:\\B", "del 0", "add c:\\a", "add C:\\b"}
        << QStringList{"[x] C:\\B", "[x] c:\\a"};
    QTest::newRow("cleared") << QStringList{"add C:\\A", "add- C:\\B", "clear", "add c:\\B"}
                             << QStringList{"[x] c:\\B"};
    QTest::newRow("ticked rows removed") << QStringList{"add C:\\A", "add- C:\\B", "add C:\\C", "add- C:\\D",
                                                        "ticked",    "add c:\\c",  "add c:\\d"}
                                         << QStringList{"[ ] C:\\B", "[ ] C:\\D", "[x] c:\\c"};
    QTest::newRow("scattered ticked rows removed") << scattered(100) << everyOdd(100);
    QTest::newRow("paths removed") << QStringList{"add C:\\A", "add C:\\B", "add C:\\C",
                                                  "paths c:\\a|C:\\C|C:\\Ingen", "add C:\\a"}
                                   << QStringList{"[x] C:\\B", "[x] C:\\a"};
    QTest::newRow("rows together") << QStringList{"add C:\\A", "rows c:\\a|C:\\B|c:\\b|C:\\C"}
                                   << QStringList{"[x] C:\\A", "[x] C:\\B", "[x] C:\\C"};
    QTest::newRow("ticks") << QStringList{"add C:\\A", "add C:\\B", "add- C:\\C", "untick 0",  "none",
                                          "tick 2",    "ticked",    "all",        "add- c:\\c"}
                           << QStringList{"[x] C:\\A", "[x] C:\\B", "[ ] c:\\c"};
}

void TestKlipbord::rowsStayUniqueThroughEveryChange()
{
    QFETCH(QStringList, script);
    QFETCH(QStringList, rows);
    Klipbord klipbord;
    KlipbordListe &list = *klipbord.Filliste;
    QStringList tried;
    for (const QString &step : script) {
        run(list, step);
        if (step.contains(u'\\'))
            tried += step.section(u' ', 1).split(u'|');
    }
    QCOMPARE(rowsOf(list), rows);
    QCOMPARE(list.checkedCount(), int(rows.filter("[x]").size()));
    QCOMPARE(klipbord.elementAntal, list.checkedCount());

    // Every path ever used is known exactly when a row holds it, in any letter case.
    for (const QString &path : tried) {
        bool held = false;
        for (const QString &row : rows)
            held = held || KlipbordListe::cleanPath(row.mid(4))
                                   .compare(KlipbordListe::cleanPath(path), Qt::CaseInsensitive) == 0;
        QCOMPARE(list.contains(path.toUpper()), held);
        QCOMPARE(list.contains(path.toLower()), held);
    }
    // A path added again in another case is refused; one that is gone comes back once.
    for (const QString &path : tried) {
        const bool held = list.contains(path);
        QCOMPARE(list.add(0, path.toLower(), true), !held);
        QVERIFY(!list.add(0, path.toUpper(), true));
    }
}

void TestKlipbord::manyRowsAtOnceAreOneChange()
{
    KlipbordListe list(KlipbordListe::Filer);
    QSignalSpy changes(&list, &KlipbordListe::rowsChanged);
    QSignalSpy inserted(&list, &QAbstractItemModel::rowsInserted);
    QList<KlipbordRow> rows;
    for (int i = 0; i < 1000; ++i)
        rows.append({i % 3 != 0, 2, QString("C:\\Stor\\fil %1.txt").arg(i)});
    rows.append({true, 2, "c:\\stor\\FIL 0.TXT"});
    QCOMPARE(list.addRows(rows), 1000);
    QCOMPARE(list.count(), 1000);
    QCOMPARE(list.checkedCount(), 666);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(list.addRows(rows), 0);
    QCOMPARE(changes.count(), 1);

    list.setAllChecked(true);
    QCOMPARE(list.checkedCount(), 1000);
    QCOMPARE(changes.count(), 2);
    list.removeChecked();
    QCOMPARE(list.count(), 0);
    QCOMPARE(changes.count(), 3);
}

void TestKlipbord::aCountedSizeGoesStaleWhenTheRowsChange()
{
    Klipbord klipbord;
    QSignalSpy fields(&klipbord, &Klipbord::fieldsChanged);
    QVERIFY(klipbord.Filliste->add(2, "C:\\a.txt", true));
    QCOMPARE(klipbord.sizeText, QString("Ukendt"));
    klipbord.setFields("1,00 KB", "0", "1", QString());
    QVERIFY(klipbord.Filliste->add(2, "C:\\b.txt", true));
    QCOMPARE(klipbord.sizeText, QString("Ukendt"));
    klipbord.Filliste->removeAll();
    QCOMPARE(klipbord.sizeText, QString());
    QCOMPARE(fields.count(), 3);
}

QTEST_MAIN(TestKlipbord)
#include "test_klipbord.moc"
