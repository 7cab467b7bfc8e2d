#pragma once
// An explorer window's own settings: plain values with their defaults, kept from the window's
// options file and changed on its settings pages. The window's commands read them here, never
// from the widgets that show them.

#include <array>

struct ExplorerSettings
{
    bool showPrivate = false; // "Start op med privatmapper øverst i mappestrukturen"
    int startMode = 0;        // "Program opstart": all drives; saved tree, its drive; saved tree, all drives
    bool showHidden = false;  // "Vis skjulte filer og mapper"
    int knownFoldersTree = 1; // "Vælg struktur til visning af mappe": 0 "Mappestuktur", 1 "Filstruktur"
    int ask = 0;              // "Sæt ind og slet": "Spørg altid", "Kun før Slet", "Spørg aldrig"
    int clashRule = 3;        // "Sæt ind": "Overskriv ikke", "Overskriv", "Opret kopi", "Spørg"
    bool dragDropCopies = true;       // "Anvend Drag-Drop-kopiering"
    bool refreshAfterPaste = true;    // "Auto-opdater efter sæt ind"
    bool showClipboard = false;       // "Vis Klipbord"
    bool clearLists = true;           // "Ryd kopieringslister"
    bool closeProgress = true;        // "Luk progressbokse"
    bool showSettingsPage = true;     // "Gå til indstillinger"
    int tabPlacement = 0;             // the pages' tabs: "Venstre", "Top", "Højre"
    bool allSelectionButtons = false; // "Vis alle markerknapper"
    int toolBarPlacement = 0;         // the tool bar: "Oppe", "Nede", "Ude"
    // The pages shown: "Kendte mapper", "Besøgte mapper", "Favoritter", "Fil og mappenavne".
    std::array<bool, 4> pagesShown{true, true, true, true};
};
