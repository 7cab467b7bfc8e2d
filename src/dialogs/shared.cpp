#include "dialogs/shared.h"

#include "dialogs/infform.h"
#include "dialogs/spform.h"

#include <QCheckBox>

namespace dialogs {

namespace {
Tinfform *g_infform = nullptr;
Tspform *g_spform = nullptr;
} // namespace

void createShared(QWidget *mainWindow)
{
    if (!g_infform)
        g_infform = new Tinfform(mainWindow);
    if (!g_spform)
        g_spform = new Tspform(mainWindow);
}

Tinfform &infform()
{
    createShared(nullptr);
    return *g_infform;
}

Tspform &spform()
{
    createShared(nullptr);
    return *g_spform;
}

void inform(const QString &tekst)
{
    infform().insertTekst(tekst);
    infform().exec();
}

bool ask(const QString &tekst)
{
    spform().alleCheck->hide();
    spform().insertTekst(tekst);
    return spform().exec() == mrOk;
}

bool askForAll(const QString &tekst, bool &forAlle)
{
    spform().alleCheck->show();
    spform().insertTekst(tekst);
    const bool yes = spform().exec() == mrOk;
    forAlle = spform().alleCheck->isChecked();
    spform().alleCheck->hide();
    return yes;
}

} // namespace dialogs
