#include "core/messages.h"

#include <QLocale>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

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

// A question answered by nobody would be a silent "Nej": stop loudly instead, with what was to be
// shown, so the fault is found at once.
[[noreturn]] void missingDialogs(const char *what, const QString &text = {})
{
    std::fprintf(stderr, "No dialogs are installed for the %s%s%s\n", what, text.isEmpty() ? "" : ": ",
                 qPrintable(QString(text).replace(u'\r', u'\n')));
    std::abort();
}

int show(ShownDialog::Kind kind, const QString &text, bool withAlleCheck, bool &alleChecked)
{
    alleChecked = false;
    if (!g_presenter)
        missingDialogs("message", text);
    return g_presenter->present(kind, text, withAlleCheck, alleChecked);
}

} // namespace

void setOperationQuestionsFactory(std::function<std::unique_ptr<OperationQuestions>()> factory)
{
    operationFactory() = std::move(factory);
}

std::unique_ptr<OperationQuestions> makeOperationQuestions()
{
    if (const auto &factory = operationFactory())
        return factory();
    missingDialogs("copy, move and delete questions");
}

void setDeleteProgressViewFactory(std::function<std::unique_ptr<DeleteProgressView>()> factory)
{
    deleteViewFactory() = std::move(factory);
}

std::unique_ptr<DeleteProgressView> makeDeleteProgressView()
{
    if (const auto &factory = deleteViewFactory())
        return factory();
    missingDialogs("delete progress window");
}

void setPasteProgressViewFactory(std::function<std::unique_ptr<PasteProgressView>()> factory)
{
    pasteViewFactory() = std::move(factory);
}

std::unique_ptr<PasteProgressView> makePasteProgressView()
{
    if (const auto &factory = pasteViewFactory())
        return factory();
    missingDialogs("copy and move progress window");
}

void setPresenter(Presenter *presenter)
{
    g_presenter = presenter;
}

bool dialogsInstalled()
{
    return g_presenter && operationFactory() && deleteViewFactory() && pasteViewFactory();
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

} // namespace messages
