#include "dialogs/dialogseam.h"

namespace dialogs {

namespace {
DialogSeam::Responder &slot()
{
    static DialogSeam::Responder responder;
    return responder;
}
} // namespace

void DialogSeam::setResponder(Responder responder)
{
    slot() = std::move(responder);
}

const DialogSeam::Responder &DialogSeam::responder()
{
    return slot();
}

ScriptedResponder::ScriptedResponder()
{
    DialogSeam::setResponder([this](const ShownDialog &dialog, bool &alleChecked) {
        shown.append(dialog);
        if (dialog.kind == ShownDialog::Information)
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

} // namespace dialogs
