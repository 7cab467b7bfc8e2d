#include "core/messages.h"
#include "core/optionlines.h"
#include "support/headlessdialogs.h"
#include "support/testdrives.h"

#include <QTest>
#include <climits>

// A three-line table over plain fields: a clamped number, a flag and a text.
struct Fields
{
    int count = 7;
    bool on = false;
    QString name = "start";

    core::OptionTable table()
    {
        core::OptionTable t;
        t.number(
             1, [this] { return count; }, [this](int n) { count = n; }, 120, 10, 1000)
            .flag(
                2, [this] { return on; }, [this](bool b) { on = b; })
            .text(
                3, [this] { return name; }, [this](const QString &s) { name = s; }, QString("Sky"));
        return t;
    }
};

class TestOptionTable : public QObject
{
    Q_OBJECT
    // Messages, questions and progress windows without a user.
    testsupport::HeadlessDialogs m_dialogs;
private slots:
    void linesAreReadClampedOrRejected_data();
    void linesAreReadClampedOrRejected();
    void writesEveryLineInOrder();
    void rowsOutOfLineOrderAreAProgrammingError();
    void aFailedSaveIsSaid();
};

void TestOptionTable::linesAreReadClampedOrRejected_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("applied");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("on");
    QTest::addColumn<QString>("name");
    QTest::newRow("in range") << QStringList{"50", "1", "Nat"} << true << 50 << true << "Nat";
    QTest::newRow("below the range") << QStringList{"-5", "0", "Nat"} << true << 10 << false << "Nat";
    QTest::newRow("above the range") << QStringList{"5000", "1", "Nat"} << true << 1000 << true << "Nat";
    QTest::newRow("beyond int") << QStringList{"99999999999999999999", "1", "Nat"} << true << 1000 << true
                                << "Nat";
    QTest::newRow("below int") << QStringList{"-99999999999999999999", "1", "Nat"} << true << 10 << true
                               << "Nat";
    QTest::newRow("int limit") << QStringList{QString::number(INT_MAX), "1", "Nat"} << true << 1000 << true
                               << "Nat";
    // A bad line stops the reading; the defaults apply on top of what was taken.
    QTest::newRow("bad flag") << QStringList{"50", "x", "Nat"} << false << 120 << false << "Sky";
    QTest::newRow("too few lines") << QStringList{"50", "1"} << false << 120 << false << "Sky";
    QTest::newRow("too many lines") << QStringList{"50", "1", "Nat", ""} << false << 120 << false << "Sky";
}

void TestOptionTable::linesAreReadClampedOrRejected()
{
    QFETCH(QStringList, lines);
    Fields fields;
    QTEST(fields.table().apply(lines), "applied");
    QTEST(fields.count, "count");
    QTEST(fields.on, "on");
    QTEST(fields.name, "name");
}

void TestOptionTable::writesEveryLineInOrder()
{
    Fields fields;
    fields.count = 55;
    fields.on = true;
    fields.name = "Genveje ő";
    QCOMPARE(fields.table().lines(), (QStringList{"55", "1", "Genveje ő"}));
    QVERIFY(!fields.table().apply(std::nullopt));
    QCOMPARE(fields.count, 120);
    QCOMPARE(fields.on, true); // a flag without a default keeps its value
}

void TestOptionTable::rowsOutOfLineOrderAreAProgrammingError()
{
    core::OptionTable table;
    int n = 0;
    QVERIFY_THROWS_EXCEPTION(std::logic_error, table.number(
                                                   2, [&] { return n; }, [&](int v) { n = v; }));
}

void TestOptionTable::aFailedSaveIsSaid()
{
    TestDrives drives;
    testsupport::ScriptedResponder responder;
    Fields fields;
    QVERIFY(!fields.table().save("C:\\Mangler\\MainEgenskaber.txt"));
    QCOMPARE(responder.texts(),
             QStringList{"Filen \"C:\\Mangler\\MainEgenskaber.txt\" kunne ikke gemmes.\rDen "
                         "tidligere udgave af filen er bevaret.\r"});
    QVERIFY(fields.table().save("C:\\MainEgenskaber.txt"));
    QCOMPARE(responder.texts().size(), 1);
}

QTEST_GUILESS_MAIN(TestOptionTable)
#include "test_optiontable.moc"
