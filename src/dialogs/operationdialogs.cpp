#include "dialogs/operationdialogs.h"

#include "dialogs/deleteform.h"
#include "dialogs/existsform.h"
#include "dialogs/kopieringsform.h"

#include <QLabel>
#include <QListWidget>
#include <QProgressBar>

namespace dialogs {

OperationDialogs::OperationDialogs(QWidget *mainWindow, const QString &optFilnavn)
    : m_kopieringsform(new Tkopieringsform(optFilnavn, mainWindow))
    , m_existsForm(new TExistsForm(mainWindow))
{}

OperationDialogs::~OperationDialogs()
{
    // The main window may have taken them with it already.
    delete m_kopieringsform.data();
    delete m_existsForm.data();
}

bool OperationDialogs::skalElementerKopieres(const QString &aDestDir, bool flytEle,
                                             const QStringList &filelist, const QStringList &mappelist)
{
    return m_kopieringsform &&
           m_kopieringsform->skalElementerKopieres(aDestDir, flytEle, filelist, mappelist);
}

bool OperationDialogs::skalElementerSlettes(const QStringList &Fliste, const QStringList &Mliste,
                                            bool tilPapirkurv)
{
    return m_kopieringsform && m_kopieringsform->skalElementerSlettes(Fliste, Mliste, tilPapirkurv);
}

messages::ClashResult OperationDialogs::askUser(const QString &mappenavn, const QString &filnavn)
{
    if (!m_existsForm)
        return {TExistsForm::OverskrivIngen, false};
    return m_existsForm->askUser(mappenavn, filnavn);
}

DeleteFormView::DeleteFormView(QWidget *mainWindow)
    : m_mainWindow(mainWindow)
    , m_form(new Tdeleteform(mainWindow))
{}

DeleteFormView::~DeleteFormView()
{
    delete m_form.data();
}

void DeleteFormView::setHeading(const QString &tekst)
{
    if (m_form)
        m_form->destLabel->setText(tekst);
}

void DeleteFormView::setFolderCaption(const QString &tekst)
{
    if (m_form)
        m_form->mapperLabel->setText(tekst);
}

void DeleteFormView::clearFolders()
{
    if (m_form)
        m_form->listbox->clear();
}

void DeleteFormView::addFolder(const QString &mappe)
{
    if (m_form)
        m_form->tilfoejMappe(mappe);
}

void DeleteFormView::checkFolder(int index)
{
    if (m_form)
        m_form->markerMappe(index);
}

void DeleteFormView::setBar(int value)
{
    if (m_form)
        m_form->proBar->setValue(value);
}

void DeleteFormView::setPercent(const QString &tekst)
{
    if (m_form)
        m_form->LabelProcent->setText(tekst);
}

void DeleteFormView::setRemaining(const QString &tekst)
{
    if (m_form)
        m_form->LabelResterende->setText(tekst);
}

void DeleteFormView::setInfo(const QString &tekst)
{
    if (m_form)
        m_form->LabelInfo->setText(tekst);
}

void DeleteFormView::showWindow()
{
    if (!m_form)
        return;
    if (!m_form->isVisible() && m_mainWindow) {
        const QRect main = m_mainWindow->frameGeometry();
        m_form->move(main.center() - QPoint(m_form->width() / 2, m_form->height() / 2));
    }
    m_form->show();
    m_form->raise();
}

void DeleteFormView::closeWindow()
{
    if (m_form)
        m_form->close();
}

ProgressFormView::ProgressFormView(QWidget *mainWindow)
    : m_mainWindow(mainWindow)
    , m_form(new Tprogressform(mainWindow))
{}

ProgressFormView::~ProgressFormView()
{
    delete m_form.data();
}

void ProgressFormView::setCaption(const QString &tekst)
{
    if (m_form)
        m_form->setWindowTitle(tekst);
}

void ProgressFormView::reset(const QString &destination, int antalMapper)
{
    if (m_form)
        m_form->nulstil(destination, antalMapper);
}

void ProgressFormView::addFolder(const QString &mappe)
{
    if (m_form)
        m_form->tilfoejMappe(mappe);
}

void ProgressFormView::checkFolder(int index)
{
    if (m_form)
        m_form->markerMappe(index);
}

void ProgressFormView::setCountedFolders(int antal)
{
    if (m_form)
        m_form->setTaelteMapper(antal);
}

void ProgressFormView::setFolderBarFull()
{
    if (m_form)
        m_form->pBarAktiv->setValue(m_form->pBarAktiv->maximum());
}

void ProgressFormView::setFileBar(int value)
{
    if (m_form)
        m_form->pBar->setValue(value);
}

int ProgressFormView::fileBar() const
{
    return m_form ? m_form->pBar->value() : 0;
}

void ProgressFormView::setAllBar(int value)
{
    if (m_form)
        m_form->pBarAll->setValue(value);
}

void ProgressFormView::setPercent(const QString &tekst)
{
    if (m_form)
        m_form->LabelProcent->setText(tekst);
}

void ProgressFormView::setRemaining(const QString &tekst)
{
    if (m_form)
        m_form->LabelResterende->setText(tekst);
}

void ProgressFormView::setInfo(const QString &tekst)
{
    if (m_form)
        m_form->LabelInfo->setText(tekst);
}

QString ProgressFormView::info() const
{
    return m_form ? m_form->LabelInfo->text() : QString();
}

void ProgressFormView::setNote(const QString &tekst)
{
    if (m_form)
        m_form->infoLabel->setText(tekst);
}

void ProgressFormView::showWindow()
{
    if (!m_form)
        return;
    if (!m_form->isVisible() && m_mainWindow) {
        const QRect main = m_mainWindow->frameGeometry();
        m_form->move(main.center() - QPoint(m_form->width() / 2, m_form->height() / 2));
    }
    // The flag is cleared by every showing, also of a window left open by the last paste.
    m_form->FCancel = false;
    m_form->show();
    m_form->raise();
}

void ProgressFormView::closeWindow()
{
    if (m_form)
        m_form->close();
}

std::atomic<bool> &ProgressFormView::stopFlag()
{
    return m_form ? m_form->FCancel : m_noForm;
}

QString kopieringsOptFil(const QString &optMappe)
{
    if (optMappe.isEmpty() || optMappe.endsWith(u'\\'))
        return optMappe + "Spm_kopiering.txt";
    return optMappe + "\\Spm_kopiering.txt";
}

void installOperationDialogs(QWidget *mainWindow, const QString &optMappe)
{
    QPointer<QWidget> owner(mainWindow);
    const QString optFilnavn = kopieringsOptFil(optMappe);
    messages::setOperationQuestionsFactory(
        [owner, optFilnavn]() -> std::unique_ptr<messages::OperationQuestions> {
            return std::make_unique<OperationDialogs>(owner.data(), optFilnavn);
        });
    messages::setDeleteProgressViewFactory([owner]() -> std::unique_ptr<messages::DeleteProgressView> {
        return std::make_unique<DeleteFormView>(owner.data());
    });
    messages::setPasteProgressViewFactory([owner]() -> std::unique_ptr<messages::PasteProgressView> {
        return std::make_unique<ProgressFormView>(owner.data());
    });
}

} // namespace dialogs
