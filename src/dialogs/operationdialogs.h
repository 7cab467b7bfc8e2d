#pragma once
// The copy, move and delete engines sit below the dialogs library: they ask their questions
// through messages::OperationQuestions, and this makes the real pair for each engine.

#include "core/messages.h"
#include "dialogs/deleteform.h"
#include "dialogs/existsform.h"
#include "dialogs/kopieringsform.h"
#include "dialogs/progressform.h"

#include <QPointer>

class QWidget;

namespace dialogs {

class OperationDialogs : public messages::OperationQuestions
{
public:
    OperationDialogs(QWidget *mainWindow, const QString &optFilnavn);
    ~OperationDialogs() override;
    OperationDialogs(const OperationDialogs &) = delete;
    OperationDialogs &operator=(const OperationDialogs &) = delete;

    bool skalElementerKopieres(const QString &aDestDir, bool flytEle, const QStringList &filelist,
                               const QStringList &mappelist) override;
    bool skalElementerSlettes(const QStringList &Fliste, const QStringList &Mliste,
                              bool tilPapirkurv) override;
    messages::ClashResult askUser(const QString &mappenavn, const QString &filnavn) override;

    Tkopieringsform &kopieringsform() const { return *m_kopieringsform; }
    TExistsForm &existsForm() const { return *m_existsForm; }

private:
    QPointer<Tkopieringsform> m_kopieringsform;
    QPointer<TExistsForm> m_existsForm;
};

// The delete engine's progress window: a Tdeleteform centred on the main window, kept on top
// and shown without blocking.
class DeleteFormView : public messages::DeleteProgressView
{
public:
    explicit DeleteFormView(QWidget *mainWindow);
    ~DeleteFormView() override;
    DeleteFormView(const DeleteFormView &) = delete;
    DeleteFormView &operator=(const DeleteFormView &) = delete;

    void setHeading(const QString &tekst) override;
    void setFolderCaption(const QString &tekst) override;
    void clearFolders() override;
    void addFolder(const QString &mappe) override;
    void checkFolder(int index) override;
    void setBar(int value) override;
    void setPercent(const QString &tekst) override;
    void setRemaining(const QString &tekst) override;
    void setInfo(const QString &tekst) override;
    void showWindow() override;
    void closeWindow() override;

    Tdeleteform *form() const { return m_form.data(); }

private:
    QPointer<QWidget> m_mainWindow;
    QPointer<Tdeleteform> m_form;
};

// The copy engine's progress window: a Tprogressform centred on the main window, kept on top
// and shown without blocking.
class ProgressFormView : public messages::PasteProgressView
{
public:
    explicit ProgressFormView(QWidget *mainWindow);
    ~ProgressFormView() override;
    ProgressFormView(const ProgressFormView &) = delete;
    ProgressFormView &operator=(const ProgressFormView &) = delete;

    void setCaption(const QString &tekst) override;
    void reset(const QString &destination, int antalMapper) override;
    void addFolder(const QString &mappe) override;
    void checkFolder(int index) override;
    void setCountedFolders(int antal) override;
    void setFolderBarFull() override;
    void setFileBar(int value) override;
    int fileBar() const override;
    void setAllBar(int value) override;
    void setPercent(const QString &tekst) override;
    void setRemaining(const QString &tekst) override;
    void setInfo(const QString &tekst) override;
    QString info() const override;
    void setNote(const QString &tekst) override;
    void showWindow() override;
    void closeWindow() override;
    std::atomic<bool> &stopFlag() override;

    Tprogressform *form() const { return m_form.data(); }

private:
    QPointer<QWidget> m_mainWindow;
    QPointer<Tprogressform> m_form;
    std::atomic<bool> m_noForm = false;
};

// The confirmation's options file: "Spm_kopiering.txt" in the options folder.
QString kopieringsOptFil(const QString &optMappe);
// From now on every engine gets its own pair and delete window, centred on `mainWindow`.
void installOperationDialogs(QWidget *mainWindow, const QString &optMappe);

} // namespace dialogs
