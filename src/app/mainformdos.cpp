// Main window: the page "Dos", the user's notebook of command lines, and the consoles opened in
// the folder of the current element.

#include "app/mainform.h"

#include "core/danishorder.h"
#include "core/filenames.h"
#include "core/files.h"
#include "core/linefile.h"
#include "core/messages.h"
#include "core/paths.h"
#include "dialogs/actionlist.h"
#include "dialogs/listrow.h"
#include "dialogs/widgets.h"
#include "lists/reopenfiler.h"
#include "platform/Platform.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton *plainButton(const QString &name, const QString &caption, const QString &icon,
                         const QString &hint, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setIcon(QIcon::fromTheme(icon));
    button->setToolButtonStyle(caption.isEmpty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);
    button->setStatusTip(hint);
    button->setToolTip(hint);
    return button;
}

} // namespace

// The memo's lines as a line file keeps them, and back.
QStringList Tmainform::memoLines(const QPlainTextEdit *memo)
{
    QString text = memo->toPlainText();
    if (text.isEmpty())
        return {};
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text.split(u'\n');
}

void Tmainform::buildDosActions()
{
    auto changed = [](QLineEdit *edit, QPlainTextEdit *memo) {
        return edit->isModified() || memo->document()->isModified();
    };
    actions->add(
        "aInsertDos", "Gem", {}, "Indfør kommandoen i kommandolisten", [this] { aInsertDosExecute(); },
        [this, changed] {
            return !dosEdit->text().isEmpty() && !dosMemo->toPlainText().isEmpty() &&
                   changed(dosEdit, dosMemo);
        });
    actions->add(
        "aNyDos", "Ny", {}, "Klargør til ny kommando", [this] { aNyDosExecute(); },
        [this] { return !dosEdit->text().isEmpty() || !dosMemo->toPlainText().isEmpty(); });
    actions->add(
        "aRediger", "Rediger", {}, "Rediger valgte", [this] { aRedigerExecute(); },
        [this] { return dosBoxen->currentRow() >= 0; });
    actions->add(
        "aSletDos", "Slet valgte", {}, "Slet valgte", [this] { aSletDosExecute(); },
        [this] { return dosBoxen->currentRow() >= 0; });
    actions->add(
        "aSletAltDos", "Slet alt", {}, "Sletter alle kommandoer, der er indført i listen",
        [this] { dosFiler->SletAlleItems(); }, [this] { return dosBoxen->count() > 0; });
    actions->add(
        "aDosOp", "", {}, "Flyt valgte op", [this] { aDosOpExecute(); },
        [this] { return dosBoxen->currentRow() > 0; });
    actions->add(
        "aDosNed", "", {}, "Flyt valgte ned", [this] { aDosNedExecute(); },
        [this] { return dosBoxen->currentRow() >= 0 && dosBoxen->currentRow() < dosBoxen->count() - 1; });
    actions->add("aGoBoks", "Kørkassen", {}, "Åbner Kør-kassen", [this] { aGoBoksExecute(); });
    actions->add(
        "googleUrlDos", "", {}, "Søg efter kommandoen med Google",
        [this] {
            openWebAddress(
                core::webSearchAddress(QString(kFirstSearchEngine) + "/search?q=", dosEdit->text()));
        },
        [this] { return !dosEdit->text().isEmpty(); });
}

QWidget *Tmainform::buildDosPage()
{
    dosBog = new QTabWidget;
    dosBog->setObjectName("dosBog");
    const auto look = [](const char *icon) {
        return widgets::ButtonLook(icon, Qt::ToolButtonTextBesideIcon, QSize(16, 16));
    };
    const auto iconOnly = [](const char *icon) {
        return widgets::ButtonLook(icon, Qt::ToolButtonIconOnly, QSize(16, 16));
    };

    dosSide1 = new QWidget;
    dosSide1->setObjectName("dosSide1");
    auto *side1 = new QVBoxLayout(dosSide1);
    dosBoxen = new QListWidget(dosSide1);
    dosBoxen->setObjectName("dosBoxen");
    dosBoxen->setItemDelegate(
        new ListRowDelegate(ListRowDelegate::Mark::Square, QColor(255, 128, 128), dosBoxen));
    side1->addWidget(dosBoxen, 3);
    side1->addWidget(new QLabel("Beskrivelse", dosSide1));
    MemoDos = new QPlainTextEdit(dosSide1);
    MemoDos->setObjectName("MemoDos");
    MemoDos->setReadOnly(true);
    side1->addWidget(MemoDos, 2);
    // Two captions a row: the panel is too narrow for four.
    auto *row1 = new QGridLayout;
    sorterButton =
        plainButton("sorterButton", "Sorter", "view-sort-ascending",
                    "Sorter listen alfabetisk. Tryk Gem for at bevare listen som sorteret", dosSide1);
    const std::pair<QToolButton *, int> cells[] = {
        {widgets::actionButton(actions->action("aRediger"), dosSide1, look("document-edit")), 0},
        {sorterButton, 1},
        {widgets::actionButton(actions->action("aSletDos"), dosSide1, look("edit-delete")), 2},
        {widgets::actionButton(actions->action("aSletAltDos"), dosSide1, look("edit-clear-all")), 3},
    };
    for (const auto &[button, cell] : cells) {
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        row1->addWidget(button, cell / 2, cell % 2);
    }
    side1->addLayout(row1);
    auto *row2 = new QHBoxLayout;
    row2->addWidget(widgets::actionButton(actions->action("aDosOp"), dosSide1, iconOnly("go-up")));
    row2->addWidget(widgets::actionButton(actions->action("aDosNed"), dosSide1, iconOnly("go-down")));
    gemDosKnap =
        plainButton("gemDosKnap", "", "document-save", "Gem listen med aktuelle rækkefølge", dosSide1);
    gemDosKnap->setEnabled(false);
    row2->addWidget(gemDosKnap);
    row2->addSpacing(8);
    SpeedButton81 = plainButton("SpeedButton81", "", "utilities-terminal", kPowerShellHint, dosSide1);
    dosKnap = plainButton("dosKnap", "", "utilities-terminal", "Åben en dos-konsol", dosSide1);
    dosKnap->setIcon(QIcon::fromTheme("terminal", QIcon::fromTheme("utilities-terminal")));
    SpeedButton81->setIcon(
        QIcon::fromTheme("application-x-shellscript", QIcon::fromTheme("utilities-terminal")));
    row2->addWidget(SpeedButton81);
    row2->addWidget(dosKnap);
    row2->addWidget(widgets::actionButton(actions->action("aGoBoks"), dosSide1, look("system-run")));
    row2->addStretch(1);
    side1->addLayout(row2);
    dosBog->addTab(dosSide1, "Dos kommandoer");

    dosSide2 = new QWidget;
    dosSide2->setObjectName("dosSide2");
    auto *side2 = new QVBoxLayout(dosSide2);
    side2->addWidget(new QLabel("Kommando", dosSide2));
    auto *commandRow = new QHBoxLayout;
    dosEdit = new QLineEdit(dosSide2);
    dosEdit->setObjectName("dosEdit");
    dosEdit->setStatusTip("Indfør ny tekst til valgte punkt");
    commandRow->addWidget(dosEdit, 1);
    commandRow->addWidget(
        widgets::actionButton(actions->action("googleUrlDos"), dosSide2, iconOnly("internet-web-browser")));
    side2->addLayout(commandRow);
    side2->addWidget(new QLabel("Beskrivelse", dosSide2));
    dosMemo = new QPlainTextEdit(dosSide2);
    dosMemo->setObjectName("dosMemo");
    side2->addWidget(dosMemo, 1);
    auto *saveRow = new QHBoxLayout;
    saveRow->addWidget(widgets::actionButton(actions->action("aInsertDos"), dosSide2, look("document-save")));
    saveRow->addWidget(widgets::actionButton(actions->action("aNyDos"), dosSide2, look("document-new")));
    saveRow->addStretch(1);
    side2->addLayout(saveRow);
    dosCheck = widgets::check("dosCheck", "Klargør til ny efter gem", dosSide2);
    side2->addWidget(dosCheck);
    dosBog->addTab(dosSide2, "Indfør kommandoer");

    connect(sorterButton, &QToolButton::clicked, this, [this] { sorterButtonClick(); });
    connect(gemDosKnap, &QToolButton::clicked, this, [this] { gemDosKnapClick(); });
    connect(dosKnap, &QToolButton::clicked, this, [this] { dosKnapClick(); });
    connect(SpeedButton81, &QToolButton::clicked, this, [this] { SpeedButton81Click(); });
    connect(dosBoxen, &QListWidget::currentRowChanged, actions, [this] { actions->updateAll(); });
    return dosBog;
}

void Tmainform::aInsertDosExecute()
{
    const QString command = dosEdit->text();
    // The command's text is the name of its file: a text no file can be named is refused whole.
    QString refusal = core::invalidNameMessage(command);
    if (refusal.isEmpty())
        refusal = core::invalidNameMessage(command + ".txt");
    if (!refusal.isEmpty()) {
        messages::inform(refusal + "\rKommandoens tekst bliver filnavnet, så kommandoen blev ikke gemt.");
        return;
    }
    const QString file = dosMappe + command + ".txt";
    if (core::fileExists(file) &&
        !messages::ask("Filen " + command + " eksisterer allerede." + "\r" + "Skal den overskrives?"))
        return;
    if (!core::writeLinesOrSay(file, memoLines(dosMemo)))
        return;
    dosFiler->InsertItem(file, command);
    dosFiler->GemReopenFiler();
    dosEdit->setModified(false);
    dosMemo->document()->setModified(false);
    if (dosCheck->isChecked())
        aNyDosExecute();
    actions->updateAll();
}

void Tmainform::aNyDosExecute()
{
    dosEdit->clear();
    dosEdit->setPlaceholderText("Indfør ny kommando");
    dosMemo->clear();
    dosEdit->setModified(false);
    dosMemo->document()->setModified(false);
    dosEdit->setFocus();
    actions->updateAll();
}

void Tmainform::aRedigerExecute()
{
    const int row = dosBoxen->currentRow();
    if (row < 0)
        return;
    dosEdit->setText(dosBoxen->item(row)->text());
    dosMemo->setPlainText(MemoDos->toPlainText());
    dosEdit->setModified(false);
    dosMemo->document()->setModified(false);
    dosBog->setCurrentWidget(dosSide2);
    actions->updateAll();
}

void Tmainform::aSletDosExecute()
{
    const int row = dosBoxen->currentRow();
    if (row < 0)
        return;
    if (!messages::ask("Skal kommandoen " + dosFiler->GetCaption(row) + " slettes?"))
        return;
    // The file stays; the list is saved with the next command saved or order kept.
    dosFiler->DeleteItem(row);
    if (row < dosBoxen->count())
        dosBoxen->setCurrentRow(row);
    else if (row > 0)
        dosBoxen->setCurrentRow(row - 1);
    actions->updateAll();
}

void Tmainform::aDosOpExecute()
{
    const int row = dosBoxen->currentRow();
    if (row <= 0 || !dosFiler->flytOp(row))
        return;
    dosFiler->MakeListeMenu();
    dosBoxen->setCurrentRow(row - 1);
    gemDosKnap->setEnabled(true);
}

void Tmainform::aDosNedExecute()
{
    const int row = dosBoxen->currentRow();
    if (row < 0 || !dosFiler->flytNed(row))
        return;
    dosFiler->MakeListeMenu();
    dosBoxen->setCurrentRow(row + 1);
    gemDosKnap->setEnabled(true);
}

void Tmainform::listInstalledDosCommands()
{
    // The list file cannot come with the installation, as it holds paths in the user's folder:
    // at a first start the commands copied from the template are listed by their file names.
    std::vector<platform::FindData> entries;
    const QString folder = core::withoutTrailingBackslash(dosMappe);
    if (!platform::current().findFiles(folder.toStdU16String(), entries, platform::FindDetail::Kinds))
        return;
    QStringList commands;
    for (const platform::FindData &entry : entries) {
        const QString name = QString::fromStdU16String(entry.name);
        if ((entry.attributes & platform::FILE_ATTRIBUTE_DIRECTORY) ||
            !name.endsWith(".txt", Qt::CaseInsensitive))
            continue;
        commands << name.chopped(4);
    }
    if (commands.isEmpty())
        return;
    core::sortDanish(commands);
    for (const QString &command : std::as_const(commands))
        dosFiler->InsertItem(dosMappe + command + ".txt", command);
    dosFiler->GemReopenFiler();
}

void Tmainform::gemDosKnapClick()
{
    dosFiler->GemReopenFiler();
    gemDosKnap->setEnabled(false);
}

void Tmainform::sorterButtonClick()
{
    // A bubble sort both ways, moving rows through the list so captions and paths stay together;
    // equal captions keep their order.
    const int count = dosFiler->antal();
    int moves = 0;
    if (count >= 2) {
        int passMoves;
        do {
            passMoves = 0;
            for (int p = 0; p <= count - 2; ++p) {
                while (p <= count - 2 &&
                       core::compareDanish(dosFiler->GetCaption(p), dosFiler->GetCaption(p + 1)) > 0 &&
                       dosFiler->flytNed(p)) {
                    ++passMoves;
                    ++moves;
                    ++p;
                }
            }
            for (int p = count - 1; p >= 1; --p) {
                while (p >= 1 &&
                       core::compareDanish(dosFiler->GetCaption(p), dosFiler->GetCaption(p - 1)) < 0 &&
                       dosFiler->flytOp(p)) {
                    ++passMoves;
                    ++moves;
                    --p;
                }
            }
        } while (passMoves != 0);
        if (moves > 0)
            dosFiler->MakeListeMenu();
    }
    if (moves > 0) {
        gemDosKnap->setEnabled(true);
    } else {
        messages::inform("Listen var sorteret i forvejen.\rDer blev altså ikke flyttet nogen elementer.");
    }
}

QString Tmainform::consoleFolder() const
{
    const QString text = EditSti->text();
    if (!text.isEmpty() && core::directoryExists(text))
        return text;
    const QString folder = core::folderOf(text);
    return !folder.isEmpty() && core::directoryExists(folder) ? folder : QStringLiteral("C:");
}

void Tmainform::dosKnapClick()
{
    const int result = core::openConsole(false, consoleFolder());
    if (result <= 32)
        ErrorInfo(result);
}

void Tmainform::SpeedButton81Click()
{
    const int result = core::openConsole(true, consoleFolder());
    if (result <= 32)
        ErrorInfo(result);
}

void Tmainform::updateConsoleButtons()
{
    // PowerShell is there on Windows; elsewhere only when it is installed, and the button says so.
    const bool powerShell = core::consoleAvailable(true);
    SpeedButton81->setEnabled(powerShell);
    const QString hint = powerShell ? QString(kPowerShellHint)
                                    : QString("PowerShell (pwsh) er ikke installeret, så der kan ikke "
                                              "åbnes en PowerShell-konsol.");
    SpeedButton81->setStatusTip(hint);
    SpeedButton81->setToolTip(hint);
}

void Tmainform::aGoBoksExecute()
{
    try {
        messages::inform("Tryk Windows-tasten + R for at åbne kør-kassen.");
    } catch (const std::exception &) {
        messages::inform("Ukendt fejl!\rKør-kassen kunne ikke åbnes.");
    }
}

void Tmainform::dosListeKlik(const QString &, const QString &Filnavn)
{
    const auto lines = core::readLinesOrSay(Filnavn);
    if (!lines) {
        messages::inform("Filen blev ikke fundet.\rSlet eventuelt elementet fra listen.");
        return;
    }
    MemoDos->setPlainText(lines->join(u'\n'));
    actions->updateAll();
}

void Tmainform::dosListeDblKlik(const QString &, const QString &) {}
