#include "support/headlessdialogs.h"

#include <cstdio>

namespace testsupport {

namespace {

using messages::DialogSeam;

// Messages go to the seam's responder; with none the text is printed and a question is "Nej".
class HeadlessPresenter : public messages::Presenter
{
public:
    int present(ShownDialog::Kind kind, const QString &text, bool withAlleCheck, bool &alleChecked) override
    {
        if (const auto &responder = DialogSeam::responder())
            return responder(ShownDialog{kind, text, withAlleCheck, 0, 0}, alleChecked);
        std::fprintf(stderr, "%s\n", qPrintable(QString(text).replace(u'\r', u'\n')));
        return messages::mrCancel;
    }
};

// The engines' questions through the seam; with no responder nothing is copied over anything.
class HeadlessQuestions : public messages::OperationQuestions
{
public:
    bool skalElementerKopieres(const QString &aDestDir, bool flytEle, const QStringList &filelist,
                               const QStringList &mappelist) override
    {
        return confirm(flytEle ? "Skal valgte elementer flyttes?" : "Skal valgte elementer kopieres?",
                       aDestDir, filelist, mappelist);
    }
    bool skalElementerSlettes(const QStringList &Fliste, const QStringList &Mliste,
                              bool tilPapirkurv) override
    {
        return confirm("Skal udvalgte elementer slettes?",
                       tilPapirkurv ? "Papirkurv" : "Ingen: Elementerne slettes permanent.", Fliste, Mliste);
    }
    messages::ClashResult askUser(const QString &mappenavn, const QString &filnavn) override
    {
        const auto &responder = DialogSeam::clashResponder();
        if (!responder)
            return {0, false};
        ShownDialog shown{ShownDialog::Clash, filnavn, false, 0, 0};
        shown.destination = mappenavn;
        shown.handling = m_last.handling;
        shown.overskrivChecked = m_last.handling == 3;
        const DialogSeam::ClashAnswer answer = responder(shown);
        messages::ClashResult result{m_last.handling, shown.overskrivChecked};
        if (answer.handling >= 0)
            result = {answer.handling, answer.handling == 3};
        result.overskriv = answer.overskriv.value_or(result.overskriv);
        m_last = result;
        return result;
    }

private:
    static bool confirm(const QString &question, const QString &destination, const QStringList &files,
                        const QStringList &folders)
    {
        const auto &responder = DialogSeam::responder();
        if (!responder)
            return false;
        ShownDialog shown{ShownDialog::Confirmation, question, false, 0, 0};
        shown.destination = destination;
        shown.files = files;
        shown.folders = folders;
        bool unused = false;
        return responder(shown, unused) == messages::mrOk;
    }
    messages::ClashResult m_last;
};

} // namespace

void HeadlessDialogs::install()
{
    static HeadlessPresenter presenter;
    messages::setPresenter(&presenter);
    messages::setOperationQuestionsFactory([] { return std::make_unique<HeadlessQuestions>(); });
    messages::setDeleteProgressViewFactory([] { return std::make_unique<RecordedDeleteProgress>(); });
    messages::setPasteProgressViewFactory([] { return std::make_unique<RecordedPasteProgress>(); });
}

HeadlessDialogs::~HeadlessDialogs()
{
    messages::setPresenter(nullptr);
    messages::setOperationQuestionsFactory({});
    messages::setDeleteProgressViewFactory({});
    messages::setPasteProgressViewFactory({});
}

ScriptedResponder::ScriptedResponder()
{
    DialogSeam::setResponder([this](const ShownDialog &dialog, bool &alleChecked) {
        shown.append(dialog);
        if (dialog.kind != ShownDialog::Question && dialog.kind != ShownDialog::Confirmation)
            return messages::mrOk;
        if (m_answers.isEmpty()) {
            ++unexpectedQuestions;
            return messages::mrCancel;
        }
        const Answer answer = m_answers.takeFirst();
        alleChecked = answer.alleChecked;
        return answer.result;
    });
    DialogSeam::setClashResponder([this](const ShownDialog &dialog) {
        shown.append(dialog);
        if (m_clashAnswers.isEmpty()) {
            ++unexpectedQuestions;
            return DialogSeam::ClashAnswer{0, false};
        }
        return m_clashAnswers.takeFirst();
    });
}

ScriptedResponder::~ScriptedResponder()
{
    DialogSeam::setResponder({});
    DialogSeam::setClashResponder({});
}

QStringList ScriptedResponder::texts() const
{
    QStringList result;
    for (const auto &dialog : shown)
        result.append(dialog.text);
    return result;
}

} // namespace testsupport
