#pragma once
// The shared pair of dialogs that every window uses, made once by the program block, and the
// calling convention around them.

class QWidget;
class QString;
class Tinfform;
class Tspform;

namespace dialogs {

// Makes the shared pair (once); the main window is their parent.
void createShared(QWidget *mainWindow);
Tinfform &infform();
Tspform &spform();

// The information dialog with `tekst`.
void inform(const QString &tekst);
// The question dialog without "Gør det samme med alle"; true only for "Ja".
bool ask(const QString &tekst);
// The question dialog with "Gør det samme med alle" shown; `forAlle` tells whether it was
// ticked. The check box is hidden again afterwards.
bool askForAll(const QString &tekst, bool &forAlle);

} // namespace dialogs
