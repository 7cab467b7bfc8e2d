#pragma once
// "Informationssider": the small stay-on-top window that holds the information window's page
// list. It lives for the whole run, so the list outlives the information window; while that
// window is shown inside the main window it borrows the list for its right panel.

#include <QWidget>

class ActionList;
class QListWidget;
class QVBoxLayout;

class Turlform1 : public QWidget
{
    Q_OBJECT
public:
    // `optMappe` is the main window's options folder (ends with a backslash); `mainWindow` the
    // window it stays over and is centred on.
    Turlform1(const QString &optMappe, QWidget *mainWindow);
    ~Turlform1() override;

    static constexpr int kMinWidth = 167;
    static constexpr int kMinHeight = 300;

    QListWidget *urlListe = nullptr;
    ActionList *actions = nullptr; // "AsletAlle"
    QString optfilnavn;

    // The list lent to the information window comes home, above the buttons.
    void takeListBack();
    bool holdsList() const;

signals:
    // "Slet liste" emptied the list.
    void listeSlettet();
    // Shown or hidden: what depends on it is enabled again.
    void visibilityChanged();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QVBoxLayout *m_layout = nullptr;
    bool m_placed = false;
};

extern Turlform1 *urlform1;
