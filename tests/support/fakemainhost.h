#pragma once
// A main window for explorer-window tests: options as plain fields, and what the explorer window
// asks of it recorded (tabs, status lines, notifications, clipboard windows, launched files).
// Installs itself as the host while it lives.

#include "dialogs/services.h"
#include "explorer/mainhost.h"

#include <QString>
#include <QStringList>
#include <QWidget>

class FakeMainHost : public TMainHost,
                     public services::Settings,
                     public services::Folders,
                     public services::Status,
                     public services::Launcher,
                     public services::Help,
                     public services::Tabs,
                     public services::CurrentElement
{
public:
    explicit FakeMainHost(const QString &optionsFolder)
        : options(optionsFolder)
    {
        setMainHost(this);
        services::installAll(this);
    }
    ~FakeMainHost() override
    {
        setMainHost(nullptr);
        services::removeAll(this);
    }

    // Options, as the main window would hold them.
    QString options;
    int count = 1;
    int operations = 0;
    MainSettings mainSettings = [] {
        MainSettings settings;
        settings.sharedClipboard = false;
        settings.triedBefore = true;
        return settings;
    }();

    // What was asked.
    QStringList tabs;
    QString focusedTab;
    QString currentElement;
    QStringList statusLines;
    QStringList notices;
    QStringList clipboardWindows;
    QStringList launched;
    QList<int> launchModes;
    QString program; // the programs page's choice
    int closed = 0;

    QString optMappe() const override { return options; }
    int newCount() const override { return count; }
    int freeExplorerNumber() const override { return count; }
    void explorerClosed() override { ++closed; }
    int runningOperations() const override { return operations; }
    void changeProcessCount(int delta) override { operations += delta; }
    const MainSettings &settings() const override { return mainSettings; }
    void setVistoppanel(bool shown) override { mainSettings.topPanel = shown; }
    void setBlokerChecked(bool checked) override { mainSettings.block = checked; }
    void InsertTab(QWidget *window) override { tabs.append(window->windowTitle()); }
    void fokusTab(const QString &aName) override { focusedTab = aName; }
    void CloseTab(const QString &aCapNavn) override { tabs.removeOne(aCapNavn); }
    void setEditSti(const QString &path) override { currentElement = path; }
    QString editSti() const override { return currentElement; }
    void UdskrivInfo(const QString &s) override { statusLines.append(s); }
    void makeInfo(const QString &overskrift, const QString &tekst) override
    {
        notices.append(overskrift + ": " + tekst);
    }
    void setKlipbord(Twinform *) override {}
    void udskivKlipbordInf(const QString &, const QString &) override {}
    void updateCloseElement() override {}
    void runFilname(const QString &aFilename, int mode) override
    {
        launched.append(aFilename);
        launchModes.append(mode);
    }
    QString currentProgram() const override { return program; }
    void OpenFilMedProgram(const QString &aProgram, const QString &aFilnavn) override
    {
        launched.append(aProgram + " " + aFilnavn);
    }
    void OpenFilen(const QString &aFilnavn, bool forRedigering) override
    {
        launched.append(QString(forRedigering ? "edit " : "open ") + aFilnavn);
    }
    int galleryOpened = 0;
    void openGallery() override { ++galleryOpened; }
    void HintInfo(const QString &hint) override { statusLines.append(hint); }
    void InfoHelp(const QString &page) override { launched.append(page); }
    Twinform *findExplorer(const QString &) const override { return nullptr; }
    Twinform *getWinform(const QString &) override { return nullptr; }
    void showExplorer(Twinform *) override {}
    void showClipboardCounts(const QString &, const QString &, const QString &) override {}
    void showClipboardSize(const QString &, const QString &) override {}
    void transferClipboard(const QString &, const KlipbordListe &, const KlipbordListe &, bool) override {}
    void createClipboardWindow(Klipbord *, bool, int number) override
    {
        clipboardWindows.append("Klipbord " + QString::number(number));
    }
    void showClipboardWindow(Klipbord *) override {}
    void destroyClipboardWindow(Klipbord *) override { clipboardWindows.removeLast(); }
};
