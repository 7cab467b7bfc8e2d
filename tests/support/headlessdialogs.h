#pragma once
// Doubles of the dialogs for tests and benchmarks: while a HeadlessDialogs lives, messages and
// questions go to the test seam (a question nobody scripted is answered "Nej" and the clash
// dialog "Overskriv ingen"), and the engines' progress windows are recorded for the test to read.

#include "core/messages.h"

namespace testsupport {

using messages::ShownDialog;

class RecordedDeleteProgress : public messages::DeleteProgressView
{
public:
    void setHeading(const QString &tekst) override { heading = tekst; }
    void setFolderCaption(const QString &tekst) override { folderCaption = tekst; }
    void clearFolders() override
    {
        folders.clear();
        checked.clear();
    }
    void addFolder(const QString &mappe) override
    {
        folders << mappe;
        checked << false;
    }
    void checkFolder(int index) override
    {
        if (index >= 0 && index < checked.size())
            checked[index] = true;
    }
    void setBar(int value) override { bar = value; }
    void setPercent(const QString &tekst) override { percent = tekst; }
    void setRemaining(const QString &tekst) override { remaining = tekst; }
    void setInfo(const QString &tekst) override { info = tekst; }
    void showWindow() override
    {
        visible = true;
        ++shows;
    }
    void closeWindow() override
    {
        visible = false;
        ++closes;
    }

    QString heading, folderCaption, percent, remaining, info;
    QStringList folders;
    QList<bool> checked;
    int bar = 0;
    bool visible = false;
    int shows = 0;
    int closes = 0;
};

class RecordedPasteProgress : public messages::PasteProgressView
{
public:
    void setCaption(const QString &tekst) override { caption = tekst; }
    void reset(const QString &dest, int antalMapper) override
    {
        sourceCaption = antalMapper == 1 ? QStringLiteral("Der kopieres 1 mappe:")
                                         : "Der kopieres " + QString::number(antalMapper) + " mapper:";
        folders.clear();
        checked.clear();
        fileBarValue = allBar = 0;
        folderBarMax = antalMapper;
        folderBar = 0;
        infoText.clear();
        remaining.clear();
        percent = QStringLiteral("0%");
        destination = dest;
        note.clear();
    }
    void addFolder(const QString &mappe) override
    {
        folders << mappe;
        checked << false;
    }
    void checkFolder(int index) override
    {
        if (index >= 0 && index < checked.size())
            checked[index] = true;
    }
    void setCountedFolders(int antal) override
    {
        countedFolders = antal;
        folderBar = antal < folderBarMax ? antal : folderBarMax;
    }
    void setFolderBarFull() override { folderBar = folderBarMax; }
    void setFileBar(int value) override
    {
        fileBarValue = value;
        ++fileBarChanges;
        if (onFileBar)
            onFileBar(value);
    }
    int fileBar() const override { return fileBarValue; }
    void setAllBar(int value) override { allBar = value; }
    void setPercent(const QString &tekst) override { percent = tekst; }
    void setRemaining(const QString &tekst) override { remaining = tekst; }
    void setInfo(const QString &tekst) override { infoText = tekst; }
    QString info() const override { return infoText; }
    void setNote(const QString &tekst) override { note = tekst; }
    void showWindow() override
    {
        stop = false;
        visible = true;
        ++shows;
    }
    void closeWindow() override
    {
        visible = false;
        ++closes;
    }
    std::atomic<bool> &stopFlag() override { return stop; }

    QString caption, sourceCaption, percent, remaining, infoText, note, destination;
    QStringList folders;
    QList<bool> checked;
    int fileBarValue = 0, fileBarChanges = 0, allBar = 0, folderBar = 0, folderBarMax = 0, countedFolders = 0;
    bool visible = false;
    int shows = 0;
    int closes = 0;
    std::atomic<bool> stop = false;
    // Called when the per-file bar moves: a test presses "Stop" here.
    std::function<void(int)> onFileBar;
};

// Installs the doubles above for its lifetime; nothing is installed after it.
class HeadlessDialogs
{
public:
    HeadlessDialogs() { install(); }
    // Again, after a test installed the real dialogs.
    void install();
    ~HeadlessDialogs();
    HeadlessDialogs(const HeadlessDialogs &) = delete;
    HeadlessDialogs &operator=(const HeadlessDialogs &) = delete;
};

// A responder for tests: records every dialog and answers questions from a queue. A question
// with no queued answer counts as unexpected and is answered "Nej".
class ScriptedResponder
{
public:
    ScriptedResponder();
    ~ScriptedResponder();
    ScriptedResponder(const ScriptedResponder &) = delete;
    ScriptedResponder &operator=(const ScriptedResponder &) = delete;

    void answerJa(bool alleChecked = false) { m_answers.append({messages::mrOk, alleChecked}); }
    void answerNej(bool alleChecked = false) { m_answers.append({messages::mrCancel, alleChecked}); }
    // The clash dialog: click item `handling` (−1: none), then leave the check box as given.
    void answerClash(int handling, std::optional<bool> overskriv = std::nullopt)
    {
        m_clashAnswers.append({handling, overskriv});
    }

    QList<ShownDialog> shown;
    int unexpectedQuestions = 0;
    QStringList texts() const;
    void clear() { shown.clear(); }

private:
    struct Answer
    {
        int result;
        bool alleChecked;
    };
    QList<Answer> m_answers;
    QList<messages::DialogSeam::ClashAnswer> m_clashAnswers;
};

} // namespace testsupport
