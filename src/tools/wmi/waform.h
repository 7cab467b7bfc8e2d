#pragma once
// The tool "Window Applets": twenty buttons, each opening one settings element of the system
// through a script of the installation, and a help text beside them. Always inside the main
// window; it keeps no options file.

#include "dialogs/toolform.h"

class QTextBrowser;

class TwaForm : public TToolForm
{
    Q_OBJECT
public:
    explicit TwaForm(QWidget *parent = nullptr);
    ~TwaForm() override;

    QTextBrowser *Browser = nullptr;

protected:
    void closing() override;
};

extern TwaForm *waForm;

// The help page `page` of the installation's help folder in `browser`, or a Danish note when
// it is missing. Used by both windows.
void showHelpPage(QTextBrowser *browser, const QString &page);
