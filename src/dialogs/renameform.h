#pragma once
// The two rename dialogs of an explorer window: a new name for one folder or file ("Omdøb") and
// a new extension for the files of a folder ("Omdøb filtype"). Made once and kept; the window
// fills the fields, shows the dialog and reads `newEdit` on "Omdøb".
//
// While a dialog is open, the hints of its controls go to `hintInfo` (the main window's status
// line). Tests answer the dialogs through RenameDialog::setResponder or ScriptedRenameAnswers,
// and nothing waits for a user then.

#include <QDialog>
#include <QList>
#include <QString>
#include <functional>

class QLineEdit;
class QPushButton;
class QVBoxLayout;
class RadioGroup;

namespace dialogs {

class RenameDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kMinimumWidth = 500;

    // Gets the dialog before it would be shown, may fill `newEdit`, choose in `Check` or click a
    // button, and gives the modal result (messages::mrOk for "Omdøb", mrCancel for "Annuller").
    using Responder = std::function<int(RenameDialog &dialog)>;
    static void setResponder(Responder responder);

    // Puts the focus in `newEdit`, centres the dialog on the main window and shows it modally
    // (or hands it to the responder); messages::mrOk or messages::mrCancel.
    int exec() override;
    void reject() override;

    // Where the hints go; the owner sets it.
    std::function<void(const QString &hint)> hintInfo;

    QLineEdit *mappeEdit;
    QLineEdit *oldEdit;
    QLineEdit *newEdit;
    QPushButton *omdoebButton;
    QPushButton *annullerButton;

protected:
    RenameDialog(const QString &name, const QString &caption, QWidget *parent);
    // Adds a caption over `field`.
    void addField(const QString &caption, QLineEdit *field);
    // Lays the buttons out under the fields and fixes the height to what the content needs.
    void finish();

    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    QVBoxLayout *m_layout;
};

} // namespace dialogs

// "Omdøb": one folder or file.
class TrenameForm : public dialogs::RenameDialog
{
    Q_OBJECT
public:
    explicit TrenameForm(QWidget *parent = nullptr);
};

// "Omdøb filtype": every file of one extension in a folder, and perhaps in its sub-folders.
class TextForm : public dialogs::RenameDialog
{
    Q_OBJECT
public:
    enum Omfang { KunDenneMappe = 0, OgsaaUndermapper = 1 };

    explicit TextForm(QWidget *parent = nullptr);
    // "Omdøb filer i denne mappe samt alle undermapper" is chosen.
    bool alleMapper() const;

    RadioGroup *Check;
};

namespace dialogs {

// For tests: while it lives, the rename dialogs are answered from a queue. A showing with no
// queued answer counts as unexpected and is answered "Annuller".
class ScriptedRenameAnswers
{
public:
    ScriptedRenameAnswers();
    ~ScriptedRenameAnswers();
    ScriptedRenameAnswers(const ScriptedRenameAnswers &) = delete;
    ScriptedRenameAnswers &operator=(const ScriptedRenameAnswers &) = delete;

    // Types `newName` into `newEdit`, chooses item `check` of "Omdøb filtype" (−1 leaves the
    // choice as it is), and presses "Omdøb".
    void answerOmdoeb(const QString &newName, int check = -1) { m_answers.append({true, newName, check}); }
    void answerAnnuller() { m_answers.append({false, QString(), -1}); }

    // What each showing held when it was shown.
    struct Shown
    {
        QString caption;
        QString mappe;
        QString old;
        QString newText;
        int check = -1;               // "Omdøb filtype" only
        bool newEditHasFocus = false; // the focus is in `newEdit` as the dialog opens
    };
    QList<Shown> shown;
    int unexpected = 0;

private:
    struct Answer
    {
        bool omdoeb;
        QString newName;
        int check;
    };
    QList<Answer> m_answers;
};

} // namespace dialogs
