#include "core/messages.h"

#include <cstdio>

namespace messages {

namespace {

DialogSeam::Responder &responderSlot()
{
    static DialogSeam::Responder responder;
    return responder;
}

Presenter *g_presenter = nullptr;

int show(ShownDialog::Kind kind, const QString &text, bool withAlleCheck, bool &alleChecked)
{
    alleChecked = false;
    if (g_presenter)
        return g_presenter->present(kind, text, withAlleCheck, alleChecked);
    if (const auto &responder = responderSlot())
        return responder(ShownDialog{kind, text, withAlleCheck, 0, 0}, alleChecked);
    // No user interface at all: the text is not lost, and a question is answered "Nej".
    std::fprintf(stderr, "%s\n", qPrintable(QString(text).replace(u'\r', u'\n')));
    return mrCancel;
}

} // namespace

void setPresenter(Presenter *presenter)
{
    g_presenter = presenter;
}

void inform(const QString &tekst)
{
    bool unused = false;
    show(ShownDialog::Information, tekst, false, unused);
}

bool ask(const QString &tekst)
{
    bool unused = false;
    return show(ShownDialog::Question, tekst, false, unused) == mrOk;
}

bool askForAll(const QString &tekst, bool &forAlle)
{
    return show(ShownDialog::Question, tekst, true, forAlle) == mrOk;
}

void standardInformation(const QString &tekst)
{
    bool unused = false;
    show(ShownDialog::StandardInformation, tekst, false, unused);
}

void DialogSeam::setResponder(Responder responder)
{
    responderSlot() = std::move(responder);
}

const DialogSeam::Responder &DialogSeam::responder()
{
    return responderSlot();
}

ScriptedResponder::ScriptedResponder()
{
    DialogSeam::setResponder([this](const ShownDialog &dialog, bool &alleChecked) {
        shown.append(dialog);
        if (dialog.kind != ShownDialog::Question)
            return mrOk;
        if (m_answers.isEmpty()) {
            ++unexpectedQuestions;
            return mrCancel;
        }
        const Answer answer = m_answers.takeFirst();
        alleChecked = answer.alleChecked;
        return answer.result;
    });
}

ScriptedResponder::~ScriptedResponder()
{
    DialogSeam::setResponder({});
}

QStringList ScriptedResponder::texts() const
{
    QStringList result;
    for (const auto &dialog : shown)
        result.append(dialog.text);
    return result;
}

} // namespace messages
