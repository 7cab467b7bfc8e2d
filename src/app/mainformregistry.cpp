// Main window: the registry of explorer windows, the window-tab bar, the clipboard windows
// and the notifications.

#include "app/mainform.h"

#include "app/clipboardwindows.h"
#include "app/notifier.h"

#include "app/styles.h"
#include "core/files.h"
#include "core/linefile.h"
#include "core/messages.h"
#include "core/optionlines.h"
#include "core/paths.h"
#include "dialogs/actionlist.h"
#include "dialogs/radiogroup.h"
#include "dialogs/shared.h"
#include "dialogs/tablook.h"
#include "explorer/listeform.h"
#include "explorer/winform.h"
#include "fileops/klipbord.h"
#include "fileops/metodecompo.h"
#include "lists/imagelist.h"
#include "lists/menuexefiler.h"
#include "lists/reopenfiler.h"
#include "platform/Platform.h"
#include "structures/pictures.h"
#include "structures/strukturcompo.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

// ---------------------------------------------------------------------------------------------
// The registry of explorer windows

QList<QMdiSubWindow *> Tmainform::childWindows() const
{
    // The most recently active first; windows never active come after all others.
    QList<QMdiSubWindow *> children = clientArea->subWindowList(QMdiArea::ActivationHistoryOrder);
    std::reverse(children.begin(), children.end());
    return children;
}

int Tmainform::openChildWindows() const
{
    int open = 0;
    for (QMdiSubWindow *child : clientArea->subWindowList())
        open += !child->isHidden();
    return open;
}

QList<Twinform *> Tmainform::explorerWindows() const
{
    QList<Twinform *> windows;
    for (QMdiSubWindow *child : childWindows()) {
        if (auto *window = qobject_cast<Twinform *>(child->widget()))
            windows.append(window);
    }
    return windows;
}

namespace {

// "Stifinder 3" -> 3.
int explorerNumberOf(const Twinform *window)
{
    return window->StifinderNavn.mid(QStringLiteral("Stifinder ").size()).toInt();
}

} // namespace

int Tmainform::freeExplorerNumber() const
{
    QSet<int> used;
    for (const Twinform *window : explorerWindows())
        used.insert(explorerNumberOf(window));
    int number = 1;
    while (used.contains(number))
        ++number;
    return number;
}

Twinform *Tmainform::highestNumbered(const QList<Twinform *> &windows)
{
    Twinform *highest = nullptr;
    for (Twinform *window : windows) {
        if (!highest || explorerNumberOf(window) > explorerNumberOf(highest))
            highest = window;
    }
    return highest;
}

Twinform *Tmainform::activeExplorer() const
{
    QMdiSubWindow *active = clientArea->activeSubWindow();
    return active ? qobject_cast<Twinform *>(active->widget()) : nullptr;
}

void Tmainform::NewCountKontrol()
{
    if (explorerWindows().isEmpty())
        NewCount = 0;
}

void Tmainform::makeNewStifinder()
{
    NewCountKontrol();
    ++NewCount;
    auto *window = new Twinform;
    // Without a frame: the maximized window fills the client area, and the tab bar names it.
    QMdiSubWindow *child = clientArea->addSubWindow(window, Qt::FramelessWindowHint);
    child->setAttribute(Qt::WA_DeleteOnClose);
    child->setWindowTitle(window->StifinderNavn);
    child->setWindowIcon(QIcon::fromTheme("system-file-manager"));
    child->showMaximized();
    clientArea->setActiveSubWindow(child);
    QCoreApplication::processEvents();
    // Maximized again once the client area has its size (at start it may not have it yet).
    QTimer::singleShot(0, child, [child] { child->showMaximized(); });
}

void Tmainform::openStifinder()
{
    const QList<Twinform *> windows = explorerWindows();
    if (windows.isEmpty()) {
        makeNewStifinder();
        return;
    }
    QWidget *child = windows.first()->parentWidget();
    child->show();
    clientArea->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(child));
}

void Tmainform::aktiverWinform(bool opdater, const QString &potMappe)
{
    if (explorerWindows().isEmpty()) {
        makeNewStifinder();
        return;
    }
    openStifinder();
    explorerWindows().first()->showFolderOrRefresh(potMappe, opdater);
}

Twinform *Tmainform::getWinformQuietly(const QString &aCaption) const
{
    for (Twinform *window : explorerWindows()) {
        if (window->StifinderNavn.compare(aCaption, Qt::CaseInsensitive) == 0)
            return window;
    }
    return nullptr;
}

Twinform *Tmainform::getWinform(const QString &aCaption)
{
    Twinform *window = getWinformQuietly(aCaption);
    if (!window)
        messages::inform(
            "Der blev ikke fundet en Filfinder.\rDer skal være en Filfinder for at udføre funktionen.");
    return window;
}

void Tmainform::closeExplorer(Twinform *window)
{
    if (auto *child = qobject_cast<QMdiSubWindow *>(window->parentWidget()))
        child->close();
    else
        window->close();
}

void Tmainform::CloseElementExecute()
{
    const QList<QMdiSubWindow *> children = childWindows();
    if (NewCount <= 1 && m_settings.sharedClipboard) {
        for (auto it = children.rbegin(); it != children.rend(); ++it) {
            if (auto *window = qobject_cast<Twinform *>((*it)->widget())) {
                (*it)->show();
                closeExplorer(window);
                break;
            }
        }
    } else if (Twinform *window = highestNumbered(explorerWindows())) {
        closeExplorer(window);
    }
    QCoreApplication::processEvents();
}

void Tmainform::CloseAlleElementerExecute()
{
    const QList<QMdiSubWindow *> children = childWindows();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        QWidget *content = (*it)->widget();
        if (content && !content->inherits("Twinform") && !content->inherits("Tlisteform"))
            (*it)->close();
    }
}

void Tmainform::explorerClosed()
{
    --NewCount;
    // The shared clipboard goes with the last explorer window, whatever tab is left.
    if (explorerWindows().size() <= 1)
        clipboardWindows->releaseShared();
}

QMdiSubWindow *Tmainform::childByCaption(const QString &caption) const
{
    for (QMdiSubWindow *child : childWindows()) {
        const QString title = child->widget() ? child->widget()->windowTitle() : child->windowTitle();
        if (title == caption)
            return child;
    }
    return nullptr;
}

void Tmainform::closeChildWindow(QMdiSubWindow *child)
{
    if (processCount > 0)
        return;
    if (auto *window = qobject_cast<Twinform *>(child->widget()))
        closeExplorer(window);
    else
        child->close(); // a clipboard window hides and gives up its tab
    QCoreApplication::processEvents();
    // The most recently active window left comes forward, filling the client area.
    for (QMdiSubWindow *next : childWindows()) {
        if (next != child && !next->isHidden()) {
            next->showMaximized();
            clientArea->setActiveSubWindow(next);
            break;
        }
    }
}

void Tmainform::InsertTab(QWidget *window)
{
    const QString caption = window->windowTitle();
    for (int i = 0; i < tc->count(); ++i)
        if (tc->tabText(i) == caption)
            return;
    if (auto *clipboard = qobject_cast<Tlisteform *>(window)) {
        // Clipboard tabs come first, in the order their windows were made.
        QStringList texts;
        for (int i = 0; i < tc->count(); ++i)
            texts << tc->tabText(i);
        tc->insertTab(clipboardWindows->tabPosition(clipboard, texts), caption);
    } else {
        tc->addTab(caption);
    }
}

void Tmainform::SetTCindex()
{
    QMdiSubWindow *active = clientArea->activeSubWindow();
    if (!active || tc->count() == 0)
        return;
    fokusTab(active->widget() ? active->widget()->windowTitle() : active->windowTitle());
}

void Tmainform::fokusTab(const QString &aName)
{
    for (int i = 0; i < tc->count(); ++i) {
        if (tc->tabText(i) == aName) {
            const QSignalBlocker blocker(tc);
            tc->setCurrentIndex(i);
            return;
        }
    }
}

void Tmainform::CloseTab(const QString &aCapNavn)
{
    for (int i = 0; i < tc->count(); ++i) {
        if (tc->tabText(i) == aCapNavn) {
            tc->removeTab(i);
            break;
        }
    }
    if (tc->count() == 0)
        NewCount = 0;
}

void Tmainform::tcChange(int index)
{
    if (index < 0)
        return;
    if (QMdiSubWindow *child = childByCaption(tc->tabText(index))) {
        child->show();
        clientArea->setActiveSubWindow(child);
    }
}

void Tmainform::setKlipbord(Twinform *aWinform)
{
    // The rule for a shared clipboard: the registry keeps it, not "Stifinder 1". Every explorer
    // window, number 1 included, uses the same one while sharing is on, so closing any window,
    // "Stifinder 1" too, leaves the others a working clipboard with every row; it is emptied
    // only when the last explorer window closes.
    try {
        if (!m_settings.sharedClipboard)
            return;
        aWinform->metodeX->setKlipbord(clipboardWindows->shared(OptMappe));
    } catch (const std::exception &) {
        messages::inform("Der opstod en fejl.\r");
    }
}

void Tmainform::kopierKlipbordsdata(const QString &aCaption, const KlipbordListe &Mliste,
                                    const KlipbordListe &Fliste, bool flyt)
{
    try {
        for (Twinform *window : explorerWindows()) {
            if (window->StifinderNavn.compare(aCaption, Qt::CaseInsensitive) == 0)
                continue;
            window->receiveClipboardRows(Mliste, Fliste, flyt);
        }
    } catch (const std::exception &) {
        messages::inform("Der opstod desværre en ukendt fejl.\r");
    }
}

void Tmainform::udskivKlipbordInf(const QString &antMapper, const QString &antFiler)
{
    for (Twinform *window : explorerWindows())
        window->showClipboardCounts(antMapper, antFiler);
}

void Tmainform::makeInfo(const QString &overskrift, const QString &tekst)
{
    ++ncNumber;
    const QString soundFile = core::hostPath(programmappe + "\\Lydfiler\\Musik06.wav");
    if (notifier && notifier->notify(ncNumber, overskrift, tekst, soundFile))
        return;
    UdskrivInfo(overskrift + ": " + QString(tekst).replace(u'\r', u' '));
}

void Tmainform::runFilname(const QString &aFilename, int fileRunNumber)
{
    if (!core::fileExists(aFilename))
        return;
    const QString folder = core::folderOf(aFilename);
    const QString name = core::nameOf(aFilename);
    int result;
    // A batch file (a shell script on Linux) runs in a console that stays open.
    if (fileRunNumber == 0 && core::isConsoleScript(aFilename))
        result = core::runInConsole(aFilename, folder);
    else
        result = core::shellExecute(fileRunNumber != 0 ? "edit" : "open", name, QString(), folder,
                                    platform::SW_SHOWNORMAL);
    if (result <= 32)
        ErrorInfo(result);
}

void Tmainform::klipbordStiKnapClick()
{
    const QString text = EditSti->text();
    QGuiApplication::clipboard()->setText(core::fileExists(text) ? core::folderOf(text) : text);
    UdskrivInfo("Stien blev kopieret til klipbordet");
}

void Tmainform::klipbordStiFilKnapClick()
{
    const QString text = EditSti->text();
    if (core::fileExists(text)) {
        QGuiApplication::clipboard()->setText(text);
        UdskrivInfo("Filnavnet blev kopieret til klipbordet");
    } else {
        UdskrivInfo("Der er ikke valgt et filnavn");
    }
}

void Tmainform::aOpenStifinderExecute()
{
    QString folder = EditSti->text();
    if (core::fileExists(folder))
        folder = core::folderOf(folder);
    if (core::directoryExists(folder))
        core::shellExecute("open", folder, QString(), QString(), platform::SW_SHOWNORMAL);
    else
        UdskrivInfo("Mappen blev ikke fundet.");
}

void Tmainform::setBlokerChecked(bool checked)
{
    blokerCheck->setChecked(checked);
    blokerCheckClick();
}

void Tmainform::setEditSti(const QString &path)
{
    EditSti->setText(path);
}

QString Tmainform::editSti() const
{
    return EditSti->text();
}

void Tmainform::updateCloseElement()
{
    actions->updateAll();
}

void Tmainform::showExplorer(Twinform *window)
{
    if (auto *child = qobject_cast<QMdiSubWindow *>(window->parentWidget())) {
        child->show();
        clientArea->setActiveSubWindow(child);
    }
}

void Tmainform::showClipboardCounts(const QString &caption, const QString &antMapper, const QString &antFiler)
{
    if (Twinform *window = getWinformQuietly(caption))
        window->showClipboardCounts(antMapper, antFiler);
}

void Tmainform::showClipboardSize(const QString &caption, const QString &text)
{
    if (Twinform *window = getWinformQuietly(caption))
        window->showClipboardSize(text);
}

QMdiSubWindow *Tmainform::clipboardFrame(Klipbord *klipbord) const
{
    return clipboardWindows->frame(klipbord);
}

void Tmainform::createClipboardWindow(Klipbord *klipbord, bool shared, int number)
{
    clipboardWindows->create(klipbord, shared, number, OptMappe);
}

void Tmainform::showClipboardWindow(Klipbord *klipbord)
{
    clipboardWindows->show(klipbord);
}

void Tmainform::destroyClipboardWindow(Klipbord *klipbord)
{
    clipboardWindows->destroy(klipbord);
}

void Tmainform::showMainPage(int hovedbogPage, int programbogPage, const QString &caption)
{
    showMainPanel();
    Hovedbog->setCurrentIndex(hovedbogPage);
    if (hovedbogPage == 4)
        Programbog->setCurrentIndex(programbogPage);
    HovedbogChange();
    if (!caption.isEmpty())
        informationsKnappenL->setText(caption);
}
