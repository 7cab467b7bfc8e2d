#include "app/hostsetup.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QIcon>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSet>
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

    // Without an icon theme (none installed, or the desktop names one that is not there) every
    // picture the program names still shows, from the program's own set; a tool button without
    // its picture would show a cut caption instead.
    void everyPictureNamedHasOneOfTheProgramsOwn()
    {
        // The names: quoted words of the sources that the installed theme knows as icons.
        app::installIconTheme();
        if (!QIcon::hasThemeIcon("folder") || QIcon::themeName() != "breeze")
            QSKIP("the breeze icon theme is not installed (package breeze-icon-theme)");
        static const QRegularExpression quoted(R"re("([a-z][a-z0-9-]*)")re");
        QSet<QString> named;
        QDirIterator files(QStringLiteral(ZUN_SOURCE_SRC), {"*.cpp", "*.h"}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(file.readAll());
            for (auto match = quoted.globalMatch(text); match.hasNext();) {
                const QString name = match.next().captured(1);
                if (QIcon::hasThemeIcon(name) && !QIcon::fromTheme(name).availableSizes().isEmpty())
                    named.insert(name);
            }
        }
        QVERIFY2(named.size() > 50, qPrintable(QString::number(named.size())));

        QTemporaryDir empty;
        QVERIFY(empty.isValid());
        const QStringList searchPaths = QIcon::themeSearchPaths();
        const QString theme = QIcon::themeName();
        const QByteArray dataDirs = qgetenv("XDG_DATA_DIRS"), dataHome = qgetenv("XDG_DATA_HOME");
        const auto restore = qScopeGuard([&] {
            qputenv("XDG_DATA_DIRS", dataDirs);
            qputenv("XDG_DATA_HOME", dataHome);
            QIcon::setThemeSearchPaths(searchPaths);
            QIcon::setThemeName(theme);
        });
        qputenv("XDG_DATA_DIRS", empty.path().toLocal8Bit());
        qputenv("XDG_DATA_HOME", empty.path().toLocal8Bit());
        for (const char *desktopTheme : {"", "ingen-saadan"}) {
            QIcon::setThemeSearchPaths({empty.path()});
            QIcon::setThemeName(desktopTheme);
            app::installIconTheme();
            QStringList missing;
            for (const QString &name : std::as_const(named))
                if (QIcon::fromTheme(name).pixmap(22, 22).isNull())
                    missing.append(name);
            missing.sort();
            QVERIFY2(missing.isEmpty(),
                     qPrintable(
                         QString("theme \"%1\", no picture for: %2").arg(desktopTheme, missing.join(", "))));
        }
    }
};

QTEST_MAIN(TestHostSetup)
#include "test_hostsetup.moc"
