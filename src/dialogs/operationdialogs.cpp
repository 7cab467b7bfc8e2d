#include "dialogs/operationdialogs.h"

#include "dialogs/existsform.h"
#include "dialogs/kopieringsform.h"

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
}

} // namespace dialogs
