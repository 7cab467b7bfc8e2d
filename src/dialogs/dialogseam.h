#pragma once
// The test seam of the message and question dialogs: with a responder installed a dialog is
// laid out as usual but, instead of waiting for the user, hands what it shows to the
// responder and returns its answer. Tests assert the exact texts and drive every question.

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace dialogs {

// Modal results the callers use.
constexpr int mrOk = 1;
constexpr int mrCancel = 2;

struct ShownDialog
{
    enum Kind { Information, Question };
    Kind kind = Information;
    QString text; // as the caller gave it, "\r" kept
    bool alleCheckVisible = false;
    int width = 0;
    int height = 0;
};

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

} // namespace dialogs
