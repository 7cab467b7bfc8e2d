#pragma once
// The main window's settings that the explorer windows and the tools read: plain values with
// their defaults, kept by the main window from its options file and its widgets. No window reads
// another window's widgets for them.

#include <QString>
#include <QStringList>
#include <algorithm>

struct MainSettings
{
    // "Skriftstørrelse" and "Skrifttype" of the trees, as indexes into their lists.
    static inline const QStringList kFontSizeItems{"Lille", "Mellem", "Stor"};
    static inline const QStringList kFontNameItems{"Tahoma", "Lucida Fax", "Lucida Sans",
                                                   "Arial",  "Verdana",    "Default"};
    static constexpr int kMinimumMaxElementer = 1;
    static constexpr int kMaximumMaxElementer = 1000000;

    int treeFontSizeIndex = 1;
    int treeFontNameIndex = 5;
    bool treeLines = false;      // "Mappestruktur med linjer"
    int structureForm = 0;       // "Vis strukturer som": 0 "Niveaustruktur", 1 "Punktstruktur"
    int tabLook = 2;             // "Fremstillings muligheder": "Fladknapper", "Knapper", "Tabs"
    bool inform = true;          // "Informer" before a function runs while another does
    bool block = false;          // "Bloker funktioner"
    bool notifications = false;  // "Informer via besked-centeret"
    bool showHints = false;      // "Vis hints"
    int maxElementer = 120;      // the most folders or files a name search lists
    bool sharedClipboard = true; // "Anvend samme klipbord"
    bool triedBefore = false;    // the first start's guidance was shown
    bool topPanel = true;        // the explorer windows' top panel
    QString shortcutsFolder;     // where new shortcuts are placed ("PlaceringsMappe")

    int treeFontSize() const { return 8 + std::clamp(treeFontSizeIndex, 0, 2); }
    QString treeFontName() const
    {
        return kFontNameItems.value(std::clamp(treeFontNameIndex, 0, int(kFontNameItems.size()) - 1));
    }
};
