#pragma once
// The properties window ("Fil egenskaber") of an explorer window: the pages "Fil", "Mappe" and
// "Drev", of which only the one shown last can be chosen. Not modal, kept on top; the file
// methods (TFilMappeDrevInfo) fill it through PropertiesView.

#include "fileops/propertiesview.h"

#include <QWidget>
#include <functional>

class ActionList;
class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QToolButton;

class Tfilinfoform : public QWidget, public PropertiesView
{
    Q_OBJECT
public:
    static constexpr int kDesignWidth = 345;
    static constexpr int kStep = 140;       // "Gør boksen større"
    static constexpr int kGrowUntil = 1921; // wider than this it grows no more
    static constexpr int kSmallWidth = 350; // "Gør boksen mindre"
    static constexpr int kShrinkFrom = 360;

    // Centred on `parent`'s window the first time it is shown, and destroyed with it.
    explicit Tfilinfoform(QWidget *parent = nullptr);
    ~Tfilinfoform() override;

    // The help page of each page: "Fil egenskaber.html", ...
    static QString hjaelpeside(int side);

    void setIcon(const PropertiesIcon &icon) override;
    void showFilePage(const FilePage &page) override;
    void showFolderPage(const FolderPage &page) override;
    void showDrivePage(const DrivePage &page) override;
    void setFolderFigures(const QString &size, const QString &indhold) override;
    void closeWindow() override;

    // "Anvend": the boxes' read-only and hidden onto the file `Filnavn`.
    void anvend();
    void udvid();
    void formindsk();
    bool kanUdvide() const;
    bool kanFormindske() const;
    // "Information": asks the owner to open the help page of the page shown.
    void information();

    // Opens a help page of the program's ("Fil egenskaber.html"); set by the owner.
    std::function<void(const QString &side)> onHjaelp;

    QString Filnavn;
    int SideNummer = egenskabSide::fil;

    QTabWidget *Bog;
    QLabel *ikonBox;
    QLineEdit *EditFilnavn;
    QLineEdit *EditPath;
    QLabel *LabelSize;
    QLabel *LabelOprettet;
    QLabel *LabelForandret;
    QLabel *LabelAabnet;
    QCheckBox *cbReadOnly;
    QCheckBox *cbHidden;
    QPushButton *anvendButton;
    QLabel *LabelFiltype;
    QLineEdit *EditMappenavn;
    QLabel *LabelPlacering;
    QLabel *LabelMappeSize;
    QLabel *LabelMappeIndhold;
    QLabel *LabeloprettelsesDato;
    QLineEdit *EditDisknavn;
    QLabel *LabelFreeSpace;
    QLabel *LabelAnvendtSpace;
    QLabel *LabelKapasitet;
    QProgressBar *ProgressBar;
    QLabel *LabelType;
    QLabel *LabelFilsystem;
    QPushButton *lukButton;
    QPushButton *informationButton;
    QToolButton *udvidButton;
    QToolButton *formindskButton;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Makes `side` the page shown and the window visible.
    void vis(int side);
    void setBredde(int width);

    ActionList *m_actions;
    bool m_placed = false;
};
