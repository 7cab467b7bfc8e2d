#pragma once
// The two trees of an explorer window. Every command that acts on a tree is given the one it
// acts on; the window alone knows which one the user works in.

enum class StrukturNr {
    ingen = 0,  // neither tree (before the first is chosen)
    mapper = 1, // the folder tree, "Struktur 1"
    filer = 2,  // the folder-and-file tree, "Struktur 2"
};
