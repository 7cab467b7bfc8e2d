#include "core/messages.h"

#include <QLocale>
#include <algorithm>
#include <cstdio>

namespace messages {

namespace {

DialogSeam::Responder &responderSlot()
{
    static DialogSeam::Responder responder;
    return responder;
}

DialogSeam::ClashResponder &clashResponderSlot()
{
    static DialogSeam::ClashResponder responder;
    return responder;
}

std::function<std::unique_ptr<OperationQuestions>()> &operationFactory()
{
    static std::function<std::unique_ptr<OperationQuestions>()> factory;
    return factory;
}

std::function<std::unique_ptr<DeleteProgressView>()> &deleteViewFactory()
{
    static std::function<std::unique_ptr<DeleteProgressView>()> factory;
    return factory;
}

std::function<std::unique_ptr<PasteProgressView>()> &pasteViewFactory()
{
    static std::function<std::unique_ptr<PasteProgressView>()> factory;
    return factory;
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

// No dialogs: the test seam answers, or nothing is copied over anything.
class HeadlessQuestions : public OperationQuestions
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
    ClashResult askUser(const QString &mappenavn, const QString &filnavn) override
    {
        const auto &responder = clashResponderSlot();
        if (!responder)
            return {0, false};
        ShownDialog shown{ShownDialog::Clash, filnavn, false, 0, 0};
        shown.destination = mappenavn;
        shown.handling = m_last.handling;
        shown.overskrivChecked = m_last.handling == 3;
        const DialogSeam::ClashAnswer answer = responder(shown);
        ClashResult result{m_last.handling, shown.overskrivChecked};
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
        const auto &responder = responderSlot();
        if (!responder)
            return false;
        ShownDialog shown{ShownDialog::Confirmation, question, false, 0, 0};
        shown.destination = destination;
        shown.files = files;
        shown.folders = folders;
        bool unused = false;
        return responder(shown, unused) == mrOk;
    }
    ClashResult m_last;
};

} // namespace

void setOperationQuestionsFactory(std::function<std::unique_ptr<OperationQuestions>()> factory)
{
    operationFactory() = std::move(factory);
}

std::unique_ptr<OperationQuestions> makeOperationQuestions()
{
    if (const auto &factory = operationFactory())
        return factory();
    return std::make_unique<HeadlessQuestions>();
}

void setDeleteProgressViewFactory(std::function<std::unique_ptr<DeleteProgressView>()> factory)
{
    deleteViewFactory() = std::move(factory);
}

std::unique_ptr<DeleteProgressView> makeDeleteProgressView()
{
    if (const auto &factory = deleteViewFactory())
        return factory();
    return std::make_unique<RecordedDeleteProgress>();
}

void setPasteProgressViewFactory(std::function<std::unique_ptr<PasteProgressView>()> factory)
{
    pasteViewFactory() = std::move(factory);
}

std::unique_ptr<PasteProgressView> makePasteProgressView()
{
    if (const auto &factory = pasteViewFactory())
        return factory();
    return std::make_unique<RecordedPasteProgress>();
}

void setPresenter(Presenter *presenter)
{
    g_presenter = presenter;
}

void inform(const QString &tekst)
{
    bool unused = false;
    show(ShownDialog::Information, tekst, false, unused);
}

Opremsning::Opremsning(QString mellem)
    : m_mellem(std::move(mellem))
    , m_mellemLinjer(std::max(0, int(m_mellem.count(u'\r')) - 1))
{}

void Opremsning::add(const QString &element)
{
    if (!m_fuld) {
        const int linjer = 1 + int(element.count(u'\r')) + (m_vist.isEmpty() ? 0 : m_mellemLinjer);
        // The first element is shown whatever its length; after one that does not fit, none is.
        if (m_vist.isEmpty() || m_linjer + linjer <= kOpremsningLinjer) {
            m_vist << element;
            m_linjer += linjer;
        } else {
            m_fuld = true;
        }
    }
    ++m_antal;
}

void Opremsning::tael(qsizetype antal)
{
    m_fuld = m_fuld || antal > 0;
    m_antal += antal;
}

QString Opremsning::tekst() const
{
    const QString vist = m_vist.join(m_mellem);
    const qsizetype rest = m_antal - m_vist.size();
    if (rest <= 0)
        return vist;
    const QString mere = "… og " + QLocale().toString(rest) + " mere";
    return m_vist.isEmpty() ? mere : vist + m_mellem + mere;
}

QString opremsning(const QStringList &elementer, const QString &mellem)
{
    Opremsning liste(mellem);
    for (const QString &element : elementer) {
        if (liste.fuld()) {
            liste.tael(elementer.size() - liste.size());
            break;
        }
        liste.add(element);
    }
    return liste.tekst();
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

void DialogSeam::setClashResponder(ClashResponder responder)
{
    clashResponderSlot() = std::move(responder);
}

const DialogSeam::ClashResponder &DialogSeam::clashResponder()
{
    return clashResponderSlot();
}

ScriptedResponder::ScriptedResponder()
{
    DialogSeam::setResponder([this](const ShownDialog &dialog, bool &alleChecked) {
        shown.append(dialog);
        if (dialog.kind != ShownDialog::Question && dialog.kind != ShownDialog::Confirmation)
            return mrOk;
        if (m_answers.isEmpty()) {
            ++unexpectedQuestions;
            return mrCancel;
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

} // namespace messages
