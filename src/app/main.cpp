// The program block: application, main window, shared dialogs, message loop.

#include "app/hostsetup.h"
#include "app/mainform.h"
#include "core/messages.h"
#include "core/shortcutfile.h"
#include "dialogs/operationdialogs.h"
#include "dialogs/shared.h"

#include <QApplication>
#include <QCoreApplication>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <cstring>

namespace {

// The helper the shortcut scripts start: "--opret-genvej" target link. No window is made; a
// failure is said on the error output and in the exit code.
int makeShortcut(int argc, char *argv[])
{
    QCoreApplication helper(argc, argv);
    if (!app::installHostPlatform()) {
        std::fputs(app::missingDataMessage().append(u'\n').toLocal8Bit().constData(), stderr);
        return 1;
    }
    const QStringList arguments = QCoreApplication::arguments();
    const QString error = arguments.size() == 4 ? core::makeShortcutFile(arguments[2], arguments[3])
                                                : QString("Brug: --opret-genvej \"mål\" \"genvej.lnk\"");
    if (error.isEmpty())
        return 0;
    std::fputs(QString(error).replace(u'\r', u'\n').append(u'\n').toLocal8Bit().constData(), stderr);
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1 && std::strcmp(argv[1], "--opret-genvej") == 0)
        return makeShortcut(argc, argv);

    QApplication application(argc, argv);
    // The scripts the program starts find it here (the shortcut scripts start it as a helper).
    qputenv("ZUNKOLVRA_PROGRAM", QCoreApplication::applicationFilePath().toLocal8Bit());
    QApplication::setApplicationName("Stifinder");
    QApplication::setOrganizationName("zunKolvra");

    // Standard buttons, file dialogs and the menus of text fields speak Danish too.
    QTranslator qtDanish;
    app::installQtTranslations(qtDanish);
    app::installIconTheme();

    if (!app::installHostPlatform()) {
        const QString message = app::missingDataMessage();
        std::fputs(QString(message).append(u'\n').toLocal8Bit().constData(), stderr);
        QMessageBox::critical(nullptr, "zunKolvra Stifinder", message);
        return 1;
    }

    dialogs::createShared(nullptr);
    Tmainform window;
    mainform = &window;
    dialogs::createShared(&window);
    dialogs::installOperationDialogs(&window, window.OptMappe);
    // A question with nothing to show it would stop the program later, in the middle of a paste.
    if (!messages::dialogsInstalled())
        qFatal("The dialogs are not all installed");
    window.show();
    // For the start-up benchmark: a line once the event loop runs with the window shown.
    if (qEnvironmentVariableIsSet("ZUNKOLVRA_REPORT_SHOWN"))
        QTimer::singleShot(0, [] {
            std::fputs("shown\n", stdout);
            std::fflush(stdout);
        });
    return application.exec();
}
