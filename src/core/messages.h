#pragma once
// How every part of the program talks to the user: information, questions, and the standard
// information box. The dialogs library presents them; the layers below it only call these
// functions, so they need no widgets. The test seam lives here too: with a responder installed
// nothing waits for a user, and tests assert the exact Danish texts and drive every question.

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace messages {

// Modal results the callers use.
constexpr int mrOk = 1;
constexpr int mrCancel = 2;

struct ShownDialog
{
    enum Kind { Information, Question, StandardInformation };
    Kind kind = Information;
    QString text; // as the caller gave it, "\r" kept
    bool alleCheckVisible = false;
    int width = 0;
    int height = 0;
};

// What shows the messages: the shared dialogs, installed when they are made.
class Presenter
{
public:
    virtual ~Presenter() = default;
    // The modal result; `alleChecked` tells whether "Gør det samme med alle" was ticked.
    virtual int present(ShownDialog::Kind kind, const QString &text, bool withAlleCheck,
                        bool &alleChecked) = 0;
};
void setPresenter(Presenter *presenter);

// The information dialog.
void inform(const QString &tekst);
// The question dialog without "Gør det samme med alle"; true only for "Ja".
bool ask(const QString &tekst);
// The question dialog with "Gør det samme med alle"; `forAlle` tells whether it was ticked.
bool askForAll(const QString &tekst, bool &forAlle);
// The standard information message box (information symbol, one OK button).
void standardInformation(const QString &tekst);

class DialogSeam
{
public:
    // The answer is the modal result; a question's responder may tick "Gør det samme med alle".
    using Responder = std::function<int(const ShownDialog &shown, bool &alleChecked)>;
    static void setResponder(Responder responder);
    static const Responder &responder();
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

    void answerJa(bool alleChecked = false) { m_answers.append({mrOk, alleChecked}); }
    void answerNej(bool alleChecked = false) { m_answers.append({mrCancel, alleChecked}); }

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
};

} // namespace messages
