#pragma once
// The shared pair of dialogs that every window uses, made once by the program block. Making
// them installs them as the presenter of every message (core/messages.h).

class QWidget;
class Tinfform;
class Tspform;

namespace dialogs {

// Makes the shared pair (once); the main window is their parent.
void createShared(QWidget *mainWindow);
Tinfform &infform();
Tspform &spform();

} // namespace dialogs
