#include "dialogs/shared.h"

#include "core/messages.h"
#include "dialogs/infform.h"
#include "dialogs/spform.h"

#include <QCheckBox>
#include <QMessageBox>

namespace dialogs {

namespace {

Tinfform *g_infform = nullptr;
Tspform *g_spform = nullptr;

// The calling convention of the shared pair: the question dialog shows its check box only for
// a caller that wants it, and hides it again afterwards.
class SharedPresenter : public messages::Presenter
{
public:
    int present(messages::ShownDialog::Kind kind, const QString &text, bool withAlleCheck,
                bool &alleChecked) override
    {
        switch (kind) {
        case messages::ShownDialog::Information:
            infform().insertTekst(text);
            return infform().exec();
        case messages::ShownDialog::Question: {
            spform().alleCheck->setVisible(withAlleCheck);
            spform().insertTekst(text);
            const int result = spform().exec();
            alleChecked = withAlleCheck && spform().alleCheck->isChecked();
            spform().alleCheck->hide();
            return result;
        }
        case messages::ShownDialog::StandardInformation:
            if (const auto &responder = messages::DialogSeam::responder())
                return responder(messages::ShownDialog{kind, text, false, 0, 0}, alleChecked);
            QMessageBox::information(infform().parentWidget(), QString(),
                                     QString(text).replace(u'\r', u'\n'));
            return messages::mrOk;
        case messages::ShownDialog::Confirmation:
        case messages::ShownDialog::Clash:
            // The operation dialogs answer for themselves (dialogs/operationdialogs.h).
            break;
        }
        return messages::mrCancel;
    }
};

} // namespace

void createShared(QWidget *mainWindow)
{
    static SharedPresenter presenter;
    if (!g_infform)
        g_infform = new Tinfform(mainWindow);
    if (!g_spform)
        g_spform = new Tspform(mainWindow);
    // Made before the main window (its creation may have something to say): adopt them now.
    for (QDialog *dialog : {static_cast<QDialog *>(g_infform), static_cast<QDialog *>(g_spform)}) {
        if (mainWindow && !dialog->parentWidget())
            dialog->setParent(mainWindow, dialog->windowFlags());
    }
    messages::setPresenter(&presenter);
}

Tinfform &infform()
{
    createShared(nullptr);
    return *g_infform;
}

Tspform &spform()
{
    createShared(nullptr);
    return *g_spform;
}

} // namespace dialogs
