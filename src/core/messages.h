#pragma once
// How every part of the program talks to the user: information, questions, and the standard
// information box. The dialogs library presents them; the layers below it only call these
// functions, so they need no widgets. The test seam lives here too: with a responder installed
// nothing waits for a user, and tests assert the exact Danish texts and drive every question.

#include <QList>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>

namespace messages {

// Modal results the callers use.
constexpr int mrOk = 1;
constexpr int mrCancel = 2;

struct ShownDialog
{
    enum Kind { Information, Question, StandardInformation, Confirmation, Clash };

    ShownDialog() = default;
    ShownDialog(Kind kindOf, QString tekst, bool withAlleCheck, int w, int h)
        : kind(kindOf)
        , text(std::move(tekst))
        , alleCheckVisible(withAlleCheck)
        , width(w)
        , height(h)
    {}

    Kind kind = Information;
    QString text; // as the caller gave it, "\r" kept; the clash dialog's file name
    bool alleCheckVisible = false;
    int width = 0;
    int height = 0;
    // The confirmation: its caption, the destination field and the two lists. The clash dialog:
    // the folder name in `destination`, the chosen "Handling" and "Overskriv dette element" as shown.
    QString caption;
    QString destination;
    QStringList files;
    QStringList folders;
    int handling = -1;
    bool overskrivChecked = false;
};

// What shows the messages: the shared dialogs, installed when they are made.
class Presenter
{
public:
    virtual ~Presenter() = default;
    // The modal result; `alleChecked` tells whether "Gør det samme med alle" was ticked.
    virtual int present(ShownDialog::Kind kind, const QString &text, bool withAlleCheck,
                        bool &alleChecked) = 0;
};
void setPresenter(Presenter *presenter);
// Whether the presenter and the engines' dialogs are all installed: the program checks at start,
// since a message or a question with nothing to show it stops the program.
bool dialogsInstalled();

// The information dialog.
void inform(const QString &tekst);
// The question dialog without "Gør det samme med alle"; true only for "Ja".
bool ask(const QString &tekst);
// The question dialog with "Gør det samme med alle"; `forAlle` tells whether it was ticked.
bool askForAll(const QString &tekst, bool &forAlle);
// The standard information message box (information symbol, one OK button).
void standardInformation(const QString &tekst);
// A list inside a message: the lines (or blocks of lines, with `mellem` between them) of the
// elements it names, at most kOpremsningLinjer lines shown, then "… og N mere" for the rest, so
// thousands of elements still fit the screen. Elements past what is shown are only counted, so
// a list of a million costs no more than its count; fuld() tells a caller it may count them
// with tael() and skip making their text.
constexpr int kOpremsningLinjer = 20;
class Opremsning
{
public:
    explicit Opremsning(QString mellem = QStringLiteral("\r"));
    void add(const QString &element);
    void tael(qsizetype antal = 1);
    bool fuld() const { return m_fuld; }
    bool isEmpty() const { return m_antal == 0; }
    qsizetype size() const { return m_antal; }
    QStringList vist() const { return m_vist; }
    QString tekst() const;

private:
    QString m_mellem;
    int m_mellemLinjer = 0;
    QStringList m_vist;
    int m_linjer = 0;
    qsizetype m_antal = 0;
    bool m_fuld = false;
};
// The same for a list at hand.
QString opremsning(const QStringList &elementer, const QString &mellem = QStringLiteral("\r"));

// The copy, move and delete engines' two modal dialogs: the confirmation and the clash dialog.
// Each engine owns its own pair (the clash dialog keeps its choice from one question to the
// next); the dialogs library installs what makes them.
struct ClashResult
{
    int handling = 3;      // 0 "Overskriv ingen", 1 "Overskriv alle", 2 "Opret kopier", 3 "Spørg hver gang"
    bool overskriv = true; // "Overskriv dette element"
};

class OperationQuestions
{
public:
    virtual ~OperationQuestions() = default;
    // True only for "Ja". The lists are full paths.
    virtual bool skalElementerKopieres(const QString &aDestDir, bool flytEle, const QStringList &filelist,
                                       const QStringList &mappelist) = 0;
    virtual bool skalElementerSlettes(const QStringList &Fliste, const QStringList &Mliste,
                                      bool tilPapirkurv) = 0;
    // The clash dialog for `filnavn` in the folder `mappenavn`.
    virtual ClashResult askUser(const QString &mappenavn, const QString &filnavn) = 0;
};
void setOperationQuestionsFactory(std::function<std::unique_ptr<OperationQuestions>()> factory);
// What the installed factory makes; without one the program stops at once with a message, never
// answering questions silently (the tests install doubles of their own).
std::unique_ptr<OperationQuestions> makeOperationQuestions();

// The delete engine's progress window, as the engine sees it. The dialogs library installs
// the real window.
class DeleteProgressView
{
public:
    virtual ~DeleteProgressView() = default;
    virtual void setHeading(const QString &tekst) = 0;       // `destLabel`
    virtual void setFolderCaption(const QString &tekst) = 0; // `mapperLabel`
    virtual void clearFolders() = 0;                         // `listbox`
    virtual void addFolder(const QString &mappe) = 0;
    virtual void checkFolder(int index) = 0;
    virtual void setBar(int value) = 0;                  // `proBar`, 0 to 100
    virtual void setPercent(const QString &tekst) = 0;   // `LabelProcent`
    virtual void setRemaining(const QString &tekst) = 0; // `LabelResterende`
    virtual void setInfo(const QString &tekst) = 0;      // `LabelInfo`
    virtual void showWindow() = 0;                       // not modal
    virtual void closeWindow() = 0;
};

void setDeleteProgressViewFactory(std::function<std::unique_ptr<DeleteProgressView>()> factory);
std::unique_ptr<DeleteProgressView> makeDeleteProgressView();

// The copy and move engine's progress window, as the engine sees it. The dialogs library
// installs the real window.
class PasteProgressView
{
public:
    virtual ~PasteProgressView() = default;
    virtual void setCaption(const QString &tekst) = 0;
    // Before the counting: the source caption for `antalMapper` folders, an empty check list,
    // empty bars and lines, "0%", the destination, an empty note.
    virtual void reset(const QString &destination, int antalMapper) = 0;
    virtual void addFolder(const QString &mappe) = 0; // `listbox`
    virtual void checkFolder(int index) = 0;
    virtual void setCountedFolders(int antal) = 0; // the status bar's second panel and `pBarAktiv`
    virtual void setFolderBarFull() = 0;
    virtual void setFileBar(int value) = 0; // `pBar`, 0 to 100
    virtual int fileBar() const = 0;
    virtual void setAllBar(int value) = 0;               // `pBarAll`, 0 to 100
    virtual void setPercent(const QString &tekst) = 0;   // `LabelProcent`
    virtual void setRemaining(const QString &tekst) = 0; // `LabelResterende`
    virtual void setInfo(const QString &tekst) = 0;      // `LabelInfo`
    virtual QString info() const = 0;
    virtual void setNote(const QString &tekst) = 0; // `infoLabel`
    // Not modal; every showing clears the stop flag.
    virtual void showWindow() = 0;
    virtual void closeWindow() = 0;
    // Raised by "Stop"; the file copy reads it between chunks.
    virtual std::atomic<bool> &stopFlag() = 0;
};

void setPasteProgressViewFactory(std::function<std::unique_ptr<PasteProgressView>()> factory);
std::unique_ptr<PasteProgressView> makePasteProgressView();

// The test seam: with a responder installed, the real dialogs (and the tests' doubles) answer
// through it instead of waiting for a user.
class DialogSeam
{
public:
    // The answer is the modal result; a question's responder may tick "Gør det samme med alle".
    // The confirmation counts as a question.
    using Responder = std::function<int(const ShownDialog &shown, bool &alleChecked)>;
    static void setResponder(Responder responder);
    static const Responder &responder();

    // The clash dialog's answer: the item the user clicks in "Handling" (none: −1) and, when
    // given, how "Overskriv dette element" is left after that click.
    struct ClashAnswer
    {
        int handling = -1;
        std::optional<bool> overskriv;
    };
    using ClashResponder = std::function<ClashAnswer(const ShownDialog &shown)>;
    static void setClashResponder(ClashResponder responder);
    static const ClashResponder &clashResponder();
};

} // namespace messages
