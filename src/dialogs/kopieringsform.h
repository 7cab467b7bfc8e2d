#pragma once
// The confirmation before a copy, a move or a deletion: what is about to go where, "Ja" or
// "Nej". Two buttons widen and narrow the box; its width and the file list's width are kept
// in its options file.

#include <QDialog>
#include <QStringList>

class ActionList;
class QLabel;
class QLineEdit;
class QListWidget;
class QSplitter;
class QToolButton;

class Tkopieringsform : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kDesignWidth = 591;
    static constexpr int kDesignHeight = 350;
    static constexpr int kMinimumWidth = 415;
    static constexpr int kGrowUntil = 1675;
    static constexpr int kStep = 140;
    // Margins and the splitter handle: what the two lists do not get of the width.
    static constexpr int kBesideLists = 21;
    // Pictures of the main window's 32-pixel list.
    static constexpr int kCopyPicture = 2;
    static constexpr int kMovePicture = 7;

    // Reads its options from `filnavn` when it exists.
    explicit Tkopieringsform(const QString &filnavn, QWidget *parent = nullptr);

    bool skalElementerKopieres(const QString &aDestDir, bool flytEle, const QStringList &filelist,
                               const QStringList &mappelist);
    bool skalElementerSlettes(const QStringList &Fliste, const QStringList &Mliste, bool tilPapirkurv);
    void hentOpt();
    void gemOpt();

    // The resize buttons.
    void udfold();
    void sammenfold();
    bool kanUdfolde() const { return width() < kGrowUntil; }
    bool kanSammenfolde() const { return width() > kMinimumWidth; }
    int mappePanelBredde() const { return m_mappePanel; }
    int filPanelBredde() const { return m_filPanel; }
    // The picture `Image1` shows: kCopyPicture or kMovePicture.
    int billede() const { return m_billede; }

    // Shows the dialog modally, or hands it to the test seam; the modal result.
    int exec() override;
    void reject() override;

    QString optFilnavn;
    QListWidget *MappeListe;
    QListWidget *FilListe;
    QSplitter *Splitter;
    QLineEdit *EditDest;
    QLabel *LabelSpm;
    QLabel *Image1;
    QToolButton *udfoldButton;
    QToolButton *sammenfoldButton;

private:
    bool ask(const QString &caption, const QString &question, const QString &dest, const QStringList &files,
             const QStringList &folders);
    void setBillede(int number);
    void setBredde(int width);
    void applySplitter();

    ActionList *m_actions;
    int m_billede = kCopyPicture;
    int m_mappePanel;
    int m_filPanel;
    int m_savedWidth;
    int m_savedFilPanel;
};
