#pragma once
// The applet buttons both the WMI window and the applets window carry: each starts a script of
// the installation's applets folder that opens one settings element of the system.

#include <QString>
#include <QStringList>

class QToolButton;
class QWidget;

struct Applet
{
    const char *name; // the button's object name
    const char *caption;
    const char *hint;
    const char *script; // its Windows name; the platform gives the host's
};

// The twenty applets, group by group as the applets window shows them.
const QList<QList<Applet>> &appletGroups();
const Applet *appletByName(const QString &name);

// The script's path in `appletsDir` (ends with a backslash), in the host's naming.
QString appletPath(const QString &appletsDir, const Applet &applet);
// The programs a script may open, from its "# panel: " lines (first word of each); empty for a
// script that names none (it is taken to work wherever it is).
QStringList appletPrograms(const QString &path);
// Why the applet cannot run on this host, or "" when it can: a missing script, or none of the
// programs it may open installed.
QString appletUnavailable(const QString &path);
// runApplets: the script opened with the shell; a failure explained by the main window.
void runApplet(const QString &appletsDir, const Applet &applet);
// A button for `applet`, enabled only when it can run, with its hint or the reason it cannot.
QToolButton *appletButton(const QString &appletsDir, const Applet &applet, QWidget *parent);
