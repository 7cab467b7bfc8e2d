#pragma once
// The information window "Information": the program's own help pages (local HTML files of the
// installation's help folder) in a text browser, with a list of the pages shown or offered and
// first / back / forward / last buttons over it. Links to other help pages open here; web
// addresses open in the desktop's browser.

#include "dialogs/toolform.h"

#include <QStringList>
#include <functional>

class ActionList;
class QLineEdit;
class QListWidget;
class QTextBrowser;
class QUrl;
class QWidget;

class Tinfoform : public TToolForm
{
    Q_OBJECT
public:
    explicit Tinfoform(bool showInternt, QWidget *parent = nullptr);
    ~Tinfoform() override;

    static constexpr int kWidth = 650;
    static constexpr int kDefaultHeight = 576;

    // What the window needs of the main window: the help folder (ends with a backslash), the
    // contents-tree text of a page ("Kalender" for "Kalender.html"; may be empty) and the
    // main window's way of showing a page, which also selects its node in the contents tree.
    QString infoDir;
    std::function<QString(const QString &page)> nodeTekst;
    std::function<void(const QString &page)> infoHelp;

    QTextBrowser *Web = nullptr;
    QLineEdit *Edit = nullptr;
    QListWidget *urlListe = nullptr; // the pages window's list
    QWidget *rightPanel = nullptr;
    QWidget *funkPanel = nullptr;
    ActionList *actions = nullptr;

    QString Hjemmeside; // full path of the page last requested or shown
    QString oldUrl;     // the location name last handled by the list logic
    bool naviKlikket = false;
    int urlIndex = -1;
    QString optFilnavn;

    // Shows `page` ("Kalender.html") when it is a file of the help folder; else nothing changes.
    void LoadHjemmeside(const QString &page);
    // The page list's part of a page being shown (`name` is its file name).
    void UrlLister(const QString &name);
    // Shows the page of list entry `index` through the main window.
    void goToStruktur(int index);
    // The four topic lists.
    void visEmner(const QStringList &entries);
    // A link clicked in a page.
    void linkClicked(const QUrl &url);

    static const QStringList &emnerStifinder();
    static const QStringList &emnerKlipbordet();
    static const QStringList &emnerFunktioner();
    static const QStringList &emnerProgrammer();

protected:
    void closing() override;
    void hentOpt() override;
    void gemOpt() override;

private:
    void buildActions();
    void giveListBack();
    void buildUi();
    void pageShown(const QUrl &url);
    void selectEntry(int index);
};

extern Tinfoform *infoform;
