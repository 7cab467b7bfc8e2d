// Main window: the program added to or removed from the programs that start with the user's
// session, and the icon in the system tray.

#include "app/mainform.h"

#include "core/files.h"
#include "core/messages.h"
#include "core/paths.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QCheckBox>
#include <QSystemTrayIcon>
#include <QTimer>

bool (*Tmainform::systemTrayAvailable)() = &QSystemTrayIcon::isSystemTrayAvailable;

namespace {
const char *const kNoTrayHint =
    "Skrivebordet har ingen system bakke, så programmet kan ikke minimeres dertil.";
}

QString Tmainform::ownProgram()
{
    return core::programPath(QCoreApplication::applicationFilePath());
}

void Tmainform::startProgDoButtonClick()
{
    messages::inform("Det kan tage lidt tid.\rTryk OK-Knappen for at starte funktionen.\rDer bringes en "
                     "information, når funktionen er gennemført.");
    makeOpstartProg();
}

void Tmainform::makeOpstartProg()
{
    const QString exe = egenExe;
    if (exe.isEmpty() || !core::fileExists(exe)) {
        messages::inform("Genvejens mål blev ikke fundet.");
        return;
    }
    QString lnk;
    if (!m_settings.shortcutsFolder.isEmpty() && core::directoryExists(m_settings.shortcutsFolder)) {
        lnk = m_settings.shortcutsFolder + "\\zunKolvra.lnk";
        const QString script = scriptDir + core::scriptFileName("createShortcut.vbs");
        if (core::fileExists(script)) {
            const int result = core::shellExecute("open", script, "\"" + exe + "\" \"" + lnk + "\"",
                                                  QString(), platform::SW_SHOW);
            if (result <= 32)
                ErrorInfo(result);
        } else {
            messages::inform("Der synes at mangle en fil til skabelse af en genvej.");
        }
    }
    SPtimerFilename = lnk;
    SPtimerCount = 0;
    startProgTimer->start();
}

void Tmainform::startProgTimerTimer()
{
    ++SPtimerCount;
    if (!SPtimerFilename.isEmpty() && core::fileExists(SPtimerFilename)) {
        startProgTimer->stop();
        SPtimerCount = 0;
        QString startup;
        if (!core::startupFolder(startup)) {
            messages::inform("Startup-mappen kunne ikke findes.\r");
            return;
        }
        // The shortcut in m_settings.shortcutsFolder stays; the entry in the Startup folder comes and goes.
        const QString target = startup + "\\" + core::startupEntryName(core::nameOf(SPtimerFilename));
        if (core::fileExists(target)) {
            if (!core::deleteFile(target)) {
                messages::inform("Det lykkedes ikke at indføre programmet som startprogram.");
                return;
            }
            messages::inform("Programmet blev fjernet som StartUp-program.");
        } else {
            if (!core::addStartupEntry(SPtimerFilename, target)) {
                messages::inform("Det lykkedes ikke at indføre programmet som startprogram.");
                return;
            }
            messages::inform("Programmet er indført som StartUp-program.");
        }
        aktiverWinform(true, startup);
        return;
    }
    if (SPtimerCount >= 10) {
        SPtimerCount = 0;
        startProgTimer->stop();
        messages::inform("Det lykkedes ikke at indføre programmet som startprogram.");
    }
}

void Tmainform::setupTray()
{
    // Without a tray on the desktop a minimised window would vanish: the option is then off
    // for this run (its stored value is kept) and says why.
    if (!systemTrayAvailable()) {
        trayCheck->setEnabled(false);
        trayCheck->setStatusTip(kNoTrayHint);
        trayCheck->setToolTip(kNoTrayHint);
        return;
    }
    if (!trayCheck->isChecked())
        return;
    TrayIcon = new QSystemTrayIcon(
        windowIcon().isNull() ? QIcon::fromTheme("system-file-manager") : windowIcon(), this);
    TrayIcon->setObjectName("TrayIcon");
    TrayIcon->setToolTip("zunKolvra");
    connect(TrayIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick)
            restoreFromTray();
    });
    TrayIcon->show();
}

void Tmainform::restoreFromTray()
{
    showNormal();
    raise();
    activateWindow();
}

bool Tmainform::minimizeToTray()
{
    if (!TrayIcon || !isMinimized())
        return false;
    // Hidden from the task bar; the tray icon brings it back.
    QTimer::singleShot(0, this, [this] { hide(); });
    return true;
}
