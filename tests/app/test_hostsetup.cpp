#include "app/hostsetup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

class TestHostSetup : public QObject
{
    Q_OBJECT

private slots:
    // Where the data folder is looked for: the installed layout beside the executable wins, the
    // source tree serves only an executable inside the build tree, and anything else gets nothing.
    void dataFolderOfInstalledAndBuildTreePrograms()
    {
        QTemporaryDir root;
        QVERIFY(root.isValid());
        const QDir dir(root.path());
        const QString source = dir.filePath("source/data/Program");
        const QString build = dir.filePath("build");
        const QString prefix = dir.filePath("usr");
        QVERIFY(dir.mkpath(source));
        QVERIFY(dir.mkpath("build/src/app"));
        QVERIFY(dir.mkpath("usr/bin"));
        QVERIFY(dir.mkpath("build-other/src/app"));

        // Installed without its data: no silent fall-back to the source tree.
        QCOMPARE(app::programDataFolder(prefix + "/bin", build, source), QString());
        // A build directory whose name merely starts like the real one is not the build tree.
        QCOMPARE(app::programDataFolder(dir.filePath("build-other/src/app"), build, source), QString());
        // Run in place from the build tree.
        QCOMPARE(app::programDataFolder(build + "/src/app", build, source), source);
        QCOMPARE(app::programDataFolder(build + "/src/app/", build + "/", source), source);

        // Installed with its data, wherever the prefix lies.
        QVERIFY(dir.mkpath("usr/share/zunkolvra/Program"));
        QCOMPARE(app::programDataFolder(prefix + "/bin", build, source), prefix + "/share/zunkolvra/Program");

        // A build tree whose source copy is gone gets nothing either.
        QVERIFY(QDir(source).removeRecursively());
        QCOMPARE(app::programDataFolder(build + "/src/app", build, source), QString());
    }

    void missingDataMessageNamesTheFolder()
    {
        const QString message = app::missingDataMessage();
        QVERIFY(message.contains("datamappe"));
        QVERIFY(message.contains("share/zunkolvra/Program"));
    }

    // Qt's own texts (standard buttons, the menu of a text field) come out in Danish.
    void qtTranslationsAreLoaded()
    {
        const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        if (!QFile::exists(QDir(folder).filePath("qtbase_da.qm"))) {
            // scripts/test installs the package and requires it; elsewhere it may be missing.
            if (qEnvironmentVariableIsSet("ZUN_REQUIRE_QT_TRANSLATIONS"))
                QFAIL(qPrintable("qtbase_da.qm is missing in " + folder));
            QSKIP("qtbase_da.qm is not installed (package qt6-translations-l10n)");
        }
        QTranslator translator;
        QVERIFY(app::installQtTranslations(translator));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Annuller"));
        QCOMPARE(QCoreApplication::translate("QLineEdit", "&Undo"), QString("&Fortryd"));
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Cancel"));
    }
};

QTEST_MAIN(TestHostSetup)
#include "test_hostsetup.moc"
