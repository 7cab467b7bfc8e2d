// The program block: application, main window, shared dialogs, message loop.

#include "app/hostsetup.h"
#include "app/mainform.h"
#include "dialogs/operationdialogs.h"
#include "dialogs/shared.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("Stifinder");
    QApplication::setOrganizationName("zunKolvra");

    // Standard buttons and file dialogs speak Danish too.
    QTranslator qtDanish;
    if (qtDanish.load("qtbase_da", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtDanish);
    app::installIconTheme();

    app::installHostPlatform();

    dialogs::createShared(nullptr);
    Tmainform window;
    mainform = &window;
    dialogs::createShared(&window);
    dialogs::installOperationDialogs(&window, window.OptMappe);
    window.show();
    return application.exec();
}
