// Main window: the programs list, launching and its error texts, the page captions and the
// status line.

#include "app/mainform.h"

#include "app/styles.h"
#include "core/files.h"
#include "core/linefile.h"
#include "core/messages.h"
#include "core/optionlines.h"
#include "core/paths.h"
#include "dialogs/actionlist.h"
#include "dialogs/radiogroup.h"
#include "dialogs/shared.h"
#include "dialogs/tablook.h"
#include "explorer/listeform.h"
#include "explorer/winform.h"
#include "fileops/klipbord.h"
#include "lists/imagelist.h"
#include "lists/menuexefiler.h"
#include "lists/reopenfiler.h"
#include "platform/Platform.h"
#include "structures/pictures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

// ---------------------------------------------------------------------------------------------
// Programs list and launching

void Tmainform::loadProgramBox()
{
    programBox->clear();
    for (int i = 0; i < MenuExe->filantal(); ++i) {
        auto *row = new QListWidgetItem(QIcon(ImageListExe32->image(MenuExe->iconStartNr() + i)),
                                        MenuExe->GetCaption(i), programBox);
        row->setToolTip(MenuExe->GetFilnavn(i));
    }
}

void Tmainform::InfoProg(const QString &s)
{
    QFont font = infobarPanels[0]->font();
    font.setPointSize(9);
    infobarPanels[0]->setFixedWidth(QFontMetrics(font).horizontalAdvance(s) + 8 + 12);
    infobarPanels[0]->setText(s);
    programLabel->setText(s.isEmpty() ? QStringLiteral("Valgte program") : s);
}

void Tmainform::MenuExeKlik(QAction *Sender, const QString &MenuCaption, bool Found)
{
    if (!Found)
        messages::inform(MenuCaption + " blev ikke fundet.\rDet vil blive slettet fra listen.");
    else if (!Sender)
        loadProgramBox();
}

QString Tmainform::currentArguments() const
{
    // The active explorer window's file-tree selection; none from its folder tree.
    QMdiSubWindow *active = clientArea->activeSubWindow();
    if (auto *explorer = active ? qobject_cast<Twinform *>(active->widget()) : nullptr)
        return explorer->selectedFilesAsArguments();
    return EditSti->text().isEmpty() ? QString() : core::quoteArgument(EditSti->text());
}

void Tmainform::MenuExeParam(QObject *, QString &aParamStr)
{
    aParamStr = currentArguments();
    exeProgram = MenuExe->aktuelleProgram();
    InfoProg(MenuExe->getAktuelleCaption());
    OpenFilMedProgram(exeProgram, aParamStr);
}

void Tmainform::OpenTheEle()
{
    OpenFilMedProgram(exeProgram, currentArguments());
}

void Tmainform::OpenFilMedProgram(const QString &aProgram, const QString &aFilnavn)
{
    const int result = core::shellExecute("open", aProgram, aFilnavn, QString(), platform::SW_SHOW);
    if (result <= 32)
        ErrorInfo(result);
}

void Tmainform::OpenFilen(const QString &aFilnavn, bool forRedigering)
{
    const int result = core::shellExecute(forRedigering ? "edit" : "open", core::nameOf(aFilnavn), QString(),
                                          core::folderOf(aFilnavn), platform::SW_SHOWNORMAL);
    if (result <= 32)
        ErrorInfo(result);
}

QString Tmainform::errorText(int Nr)
{
    switch (Nr) {
    case 0:
        return "Operationssystemet er løbet tør for hukommelse eller resourcer.";
    case 2:
        return "Den specificerede fil blev ikke fundet.";
    case 3:
        return "Stien blev ikke fundet.";
    case 5:
        return "Operationssystemet forbød adgang til filen.";
    case 8:
        return "Der var ikke hukommelse nok til at fuldføre operationen.";
    case 11:
        return "Invalid exe fil (non-Microsoft Win32 .exe eller fejl i .exe image).";
    case 26:
        return "Der opstod en \"sharing violation\".";
    case 27:
        return "Filnavnsassociatonen er ukomplet eller invalid";
    case 28:
        return "\"DDE transaction\" kunne ikke udføres fordi \"the request timed out\".";
    case 29:
        return "\"DDE transaction\" mislykkedes.";
    case 30:
        return "Den \"Dynamic Data Exchange (DDE) transaction\" kunne ikke fuldføres\rfordi andre \"DDE "
               "transactions\" skulle udføres.";
    case 31:
        return "Der er ikke associeret noget program til givne filefternavn.\rDer er muligvist valgt: For "
               "redigering.\rDer skal muligvist vælges: For kørsel.";
    case 32:
        return "Det specificerede \"dynamic-link library (DLL)\" blev ikke fundet.";
    default:
        return "Meningsløs operation eller ukendt fejl.";
    }
}

void Tmainform::ErrorInfo(int Nr)
{
    messages::inform(errorText(Nr) + "\r");
}

void Tmainform::programBoxClick()
{
    const int row = programBox->currentRow();
    if (row < 0)
        return;
    MenuExe->setAktuelleProgram(MenuExe->GetFilnavn(row));
    exeProgram = MenuExe->GetFilnavn(row);
    InfoProg(MenuExe->getAktuelleCaption());
}

void Tmainform::programBoxDblClick()
{
    const int row = programBox->currentRow();
    if (row < 0)
        return;
    exeProgram = MenuExe->GetFilnavn(row);
    OpenTheEle();
}

// ---------------------------------------------------------------------------------------------
// Page captions and status line

namespace {
const char *const kFunkBogCaptions[] = {"Programmer med funktioner", "Programmer: Egenskaber",
                                        "Dos kommandoer"};
} // namespace

void Tmainform::HovedbogChange()
{
    static const char *const captions[] = {nullptr, "Udvalgte programmer", "Søg på nettet",   "Notater",
                                           nullptr, "Velkommen",           "Program genveje", "Indhold"};
    static const char *const optionCaptions[] = {"Program Egenskaber", "Klipbord", "Strukturer", "Sikkerhed",
                                                 ""};
    const int page = Hovedbog->currentIndex();
    if (page == 0)
        funkBogChange();
    else if (page == 4 && Programbog->currentIndex() >= 0)
        informationsKnappenL->setText(optionCaptions[Programbog->currentIndex()]);
    else if (page > 0 && page < 8)
        informationsKnappenL->setText(captions[page]);
    informationsKnappen->setIcon(QIcon::fromTheme(page == 7 ? "view-list-tree" : "dialog-information"));
}

void Tmainform::funkBogChange()
{
    const int page = funkBog->currentIndex();
    if (page >= 0 && page < 3)
        informationsKnappenL->setText(kFunkBogCaptions[page]);
}

void Tmainform::ProgrambogChange()
{
    static const char *const captions[] = {"Egenskaber", "Klipbord", "Strukturer", "Sikkerhed", ""};
    const int page = Programbog->currentIndex();
    if (page >= 0 && page < 5)
        informationsKnappenL->setText(captions[page]);
}

void Tmainform::UdskrivInfo(const QString &s)
{
    infobarPanels[2]->setText(s);
}

void Tmainform::HintInfo(const QString &hint)
{
    infobarPanels[2]->setText(hint);
}
