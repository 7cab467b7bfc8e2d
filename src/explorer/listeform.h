#pragma once
// The clipboard window: the folder rows on the left, the file rows on the right, each with
// its commands, the size and count fields along the top. A view of a Klipbord, whose rows live
// as long as the explorer windows that use them; closing the window only hides it.

#include <QWidget>

class ActionList;
class Klipbord;
class KlipbordListe;
class QCheckBox;
class QLabel;
class QLineEdit;
class QSplitter;
class QTableView;
namespace core {
class OptionTable;
}

class Tlisteform : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kDefaultLeftWidth = 350;
    static constexpr int kMinimumListWidth = 100;
    static constexpr int kMaximumListWidth = 3000;

    // `shared`: the one clipboard of all explorer windows ("Klipbord"); else the clipboard of
    // explorer window `number` ("Klipbord N").
    Tlisteform(Klipbord *klipbord, bool shared, int number, const QString &optMappe,
               QWidget *parent = nullptr);

    Klipbord *klipbord() const { return m_klipbord; }
    QString winformCaption;
    QString optfilnavn;
    bool opstart = true;

    int getElementAntal() const;
    void ClearCopyLister();
    void udskrivMappeFilInf(const QString &antalMapper, const QString &antalFiler);
    void udskrivTilWin(const QString &S);
    void HentOpt();
    void gemOpt();
    void defaultOpt();
    void FormActivate();

    // The commands of one list: check all, check none, remove checked, remove highlighted and
    // checked.
    void selectAlle(KlipbordListe *list);
    void selectIngen(KlipbordListe *list);
    void sletAlt(KlipbordListe *list);
    void sletValgteFraListe(KlipbordListe *list);
    void sletBeggeLister();
    void linjevalgClick();
    // Whole-row selection of both lists as "Linjevalg" says.
    void applyLinjevalg();

    ActionList *actions = nullptr;
    QTableView *Mappeliste = nullptr;
    QTableView *Filliste = nullptr;
    QSplitter *splitter = nullptr;
    QCheckBox *selectCheck = nullptr;
    QLabel *sizeField = nullptr;
    QLineEdit *mapperField = nullptr;
    QLineEdit *filerField = nullptr;
    QLabel *infoField = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QTableView *makeView(KlipbordListe *list);
    QTableView *viewOf(KlipbordListe *list) const;
    void showFields();
    void showCounts(KlipbordListe *changed);
    core::OptionTable optionTable();

    Klipbord *m_klipbord;
    // The folder list's width as the user left it: the file's until the splitter is moved, so a
    // window still hidden never writes the width of its unlaid-out list.
    int m_folderListWidth = kDefaultLeftWidth;
};
