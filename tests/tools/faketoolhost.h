#pragma once
// A main window for the tool windows' tests: it records what the tools ask of it.

#include "dialogs/toolform.h"

#include <QIcon>
#include <QStringList>

class FakeToolHost : public TToolHost
{
public:
    FakeToolHost() { setToolHost(this); }
    ~FakeToolHost() override { setToolHost(nullptr); }

    QString options = "C:\\zunKolvra\\Tester\\Egenskaber\\"; // OptMappe ends in "\\"
    QString current;                                         // EditSti
    QString program;                                         // exeProgram
    QStringList tabs;                                        // the tab bar
    QStringList calls;                                       // launches and explorer requests, as text
    QString infoProg;
    int programBoxLoads = 0;
    int mainPage = -1;
    TMenuExeFiler *menu = nullptr;

    QString optMappe() const override { return options; }
    QString editSti() const override { return current; }
    void InsertTab(QWidget *window) override { tabs.append(window->windowTitle()); }
    void SetTCindex() override {}
    void fokusTab(const QString &) override {}
    void CloseTab(const QString &caption) override { tabs.removeAll(caption); }
    void HintInfo(const QString &) override {}
    bool hintsAsTooltips() const override { return false; }
    void showMainPage(int page, int, const QString &) override { mainPage = page; }
    QAction *mainAction(const QString &) const override { return nullptr; }
    void toolHelp(const QString &page) override { calls.append("help " + page); }
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
    void aktiverWinform(bool, const QString &) override { calls.append("explorer"); }
    void showFileInExplorer(const QString &path) override { calls.append("show " + path); }
    void selectFromGal(const QString &aFilnavn, bool medDelete) override
    {
        calls.append(QString(medDelete ? "delete " : "select ") + aFilnavn);
    }
    void RegisterEleFromGal(const QString &aEleNavn) override { calls.append("register " + aEleNavn); }
    void runFilname(const QString &aFilename, int fileRunNumber) override
    {
        calls.append("run " + QString::number(fileRunNumber) + " " + aFilename);
    }
    void UdskrivInfo(const QString &s) override { status = s; }
    GalleryOptions galleryOptions() const override { return gallery; }
    void setGalleryOptions(const GalleryOptions &given) override { gallery = given; }

    QString status; // the status line
    GalleryOptions gallery;
};
