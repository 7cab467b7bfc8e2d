#pragma once
// A main window for the tool windows' tests: it records what the tools ask of it.

#include "dialogs/toolform.h"

#include <QHash>
#include <QIcon>
#include <QStringList>
#include <functional>

class FakeToolHost : public TToolHost,
                     public services::Settings,
                     public services::Folders,
                     public services::Status,
                     public services::Launcher,
                     public services::Help,
                     public services::Tabs,
                     public services::CurrentElement,
                     public services::Explorers,
                     public services::Pages,
                     public services::StructureMenu
{
public:
    FakeToolHost()
    {
        setToolHost(this);
        services::installAll(this);
    }
    ~FakeToolHost() override
    {
        setToolHost(nullptr);
        services::removeAll(this);
    }

    QString options = "C:\\zunKolvra\\Tester\\Egenskaber\\"; // OptMappe ends in "\\"
    QString current;                                         // EditSti
    QString program;                                         // exeProgram
    QHash<QString, QAction *> actions;                       // the main window's actions the tools reach
    QStringList tabs;                                        // the tab bar
    QStringList calls;                                       // launches and explorer requests, as text
    QString infoProg;
    int programBoxLoads = 0;
    int mainPage = -1;
    TMenuExeFiler *menu = nullptr;

    QString optMappe() const override { return options; }
    QString editSti() const override { return current; }
    void InsertTab(QWidget *window) override { tabs.append(window->windowTitle()); }
    void CloseTab(const QString &caption) override { tabs.removeAll(caption); }
    void showMainPage(int page, int, const QString &) override { mainPage = page; }
    QAction *mainAction(const QString &name) const override { return actions.value(name); }
    void InfoHelp(const QString &page) override { calls.append("help " + page); }
    TMenuExeFiler *menuExe() const override { return menu; }
    QIcon programIcon32(int) const override { return QIcon(); }
    void loadProgramBox() override { ++programBoxLoads; }
    QString currentProgram() const override { return program; }
    void setCurrentProgram(const QString &path) override { program = path; }
    void InfoProg(const QString &s) override { infoProg = s; }
    void OpenFilMedProgram(const QString &aProgram, const QString &aFilnavn) override
    {
        calls.append("program " + aProgram + " " + aFilnavn);
    }
    void OpenFilen(const QString &aFilnavn, bool forRedigering) override
    {
        calls.append(QString(forRedigering ? "edit " : "open ") + aFilnavn);
    }
    void ErrorInfo(int Nr) override { calls.append("error " + QString::number(Nr)); }
    void aktiverWinform(bool opdater, const QString &folder) override
    {
        calls.append(QString("explorer ") + (opdater ? "1 " : "0 ") + folder);
    }
    void showFileInExplorer(const QString &path) override { calls.append("show " + path); }
    QString notes = "C:\\zunKolvra\\Tester\\Notater";
    QString calendar = "C:\\zunKolvra\\Tester\\Kalender";
    QString scripts = "C:\\zunKolvra\\Program\\scripts\\";
    QString notatMappe() const override { return notes; }
    QString kalenderMappe() const override { return calendar; }
    void setKalenderMappe(const QString &folder) override { calendar = folder; }
    QString scriptMappe() const override { return scripts; }
    QString programFolder = "C:\\zunKolvra\\Program";
    QString bruger = "C:\\zunKolvra\\Tester";
    QString info = "C:\\zunKolvra\\Program\\Stifinder\\tekstfiler\\";
    QString applets = "C:\\zunKolvra\\Program\\Window applets\\";
    QString programMappe() const override { return programFolder; }
    QString brugerMappe() const override { return bruger; }
    QString infoMappe() const override { return info; }
    QString appletsMappe() const override { return applets; }
    void visKalMappe(const QString &folder) override { calls.append("folder " + folder); }
    void opretKalenderStruk(const QStringList &folders, const QString &folder) override
    {
        calls.append("structure " + folders.join(" | ") + " -> " + folder);
    }
    void openStifinder() override { calls.append("stifinder"); }
    void visStruktur(const QStringList &folders, bool punkt) override
    {
        calls.append(QString(punkt ? "punkt " : "niveau ") + folders.join(u'|'));
    }
    void visMappe(const QString &folder) override { calls.append("mappe " + folder); }

    QString strukturer = "C:\\zunKolvra\\Tester\\Mappestrukturer\\"; // mappestrukturDir
    bool redigeret = false;                                          // MsRedigeret
    // What the main window's loadMappeStruktur does for the tool, set by the test.
    std::function<void(bool)> onLoadMappeStruktur;
    QString mappestrukturMappe() const override { return strukturer; }
    void loadMappeStruktur(bool medMappestrukturform) override
    {
        if (onLoadMappeStruktur)
            onLoadMappeStruktur(medMappestrukturform);
    }
    bool msRedigeret() const override { return redigeret; }
    void setMsRedigeret(bool edited) override { redigeret = edited; }
    void runFilname(const QString &path, int mode) override
    {
        calls.append("run " + QString::number(mode) + " " + path);
    }
    MainSettings mainSettings;
    const MainSettings &settings() const override { return mainSettings; }
    void setPlaceringsMappe(const QString &path) override { mainSettings.shortcutsFolder = path; }
    void selectFromGal(const QString &aFilnavn, bool medDelete) override
    {
        calls.append(QString(medDelete ? "delete " : "select ") + aFilnavn);
    }
    void RegisterEleFromGal(const QString &aEleNavn) override { calls.append("register " + aEleNavn); }
    void UdskrivInfo(const QString &s) override { status = s; }
    GalleryOptions galleryOptions() const override { return gallery; }
    void setGalleryOptions(const GalleryOptions &given) override { gallery = given; }

    QString status; // the status line
    GalleryOptions gallery;
};
