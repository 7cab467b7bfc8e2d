#pragma once
// The properties window ("Egenskaber") as the file methods see it: three pages filled from plain
// data, the picture of the file page, and the folder page's two figures while they are counted.
// The dialogs library implements it with Tfilinfoform; tests with a recording fake.

#include <QString>
#include <functional>

// The pages of `Bog`, by index.
namespace egenskabSide {
constexpr int fil = 0;
constexpr int mappe = 1;
constexpr int drev = 2;
} // namespace egenskabSide

// The picture in `ikonBox`: an image file (a host path) or an icon of the theme.
struct PropertiesIcon
{
    QString imageFile;
    QString themeName;
};

struct FilePage
{
    QString filnavn;       // `Filnavn`: the file shown
    QString navn;          // `EditFilnavn`
    QString placering;     // `EditPath`: the folder with its trailing backslash
    QString size;          // `LabelSize`
    QString oprettet;      // `LabelOprettet`
    QString aendret;       // `LabelForandret`
    QString aabnet;        // `LabelAabnet`
    QString filtype;       // `LabelFiltype`
    bool readOnly = false; // `cbReadOnly`
    bool hidden = false;   // `cbHidden`
};

struct FolderPage
{
    QString navn;      // `EditMappenavn`
    QString placering; // `LabelPlacering`
    QString size;      // `LabelMappeSize`
    QString indhold;   // `LabelMappeIndhold`
    QString oprettet;  // `LabeloprettelsesDato`
};

struct DrivePage
{
    QString navn;      // `EditDisknavn`
    QString ledig;     // `LabelFreeSpace`
    QString anvendt;   // `LabelAnvendtSpace`
    QString kapasitet; // `LabelKapasitet`
    QString type;      // `LabelType`
    QString filsystem; // `LabelFilsystem`
    int bar = 0;       // `ProgressBar`, 0 to 100
};

class PropertiesView
{
public:
    PropertiesView() = default;
    PropertiesView(const PropertiesView &) = delete;
    PropertiesView &operator=(const PropertiesView &) = delete;
    // Tells the watcher that the window is gone.
    virtual ~PropertiesView();

    virtual void setIcon(const PropertiesIcon &icon) = 0;
    // Each fills its page, makes it the one shown (caption, `SideNummer`) and shows the window.
    virtual void showFilePage(const FilePage &page) = 0;
    virtual void showFolderPage(const FolderPage &page) = 0;
    virtual void showDrivePage(const DrivePage &page) = 0;
    // The folder page's figures while its tree is counted.
    virtual void setFolderFigures(const QString &size, const QString &indhold) = 0;
    virtual void closeWindow() = 0;

    // Who hears of the window: `closed` when it closes, `gone` when it is destroyed. Either may
    // be empty; a new watcher replaces the old.
    void setWatcher(std::function<void()> closed, std::function<void()> gone);

protected:
    // Implementations call this whenever the window closes, however it was closed.
    void windowClosed() const;

private:
    std::function<void()> m_closed;
    std::function<void()> m_gone;
};
