#include "app/styles.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace styles {

namespace {

// One look is a handful of colours; the style sheet is made from them, so every look covers
// the same widgets.
struct Look
{
    const char *name;
    const char *window;   // window and panel background
    const char *panelTop; // top of the panel gradient
    const char *base;     // edit fields, lists, trees
    const char *text;
    const char *accent; // selection, focus, the active tab
    const char *accentText;
    const char *border;
    const char *button;
};

constexpr Look kLooks[] = {
    {"Sky", "#e8f1fb", "#f7fbff", "#ffffff", "#1c2b3a", "#3d8fd9", "#ffffff", "#a9c4df", "#f2f7fd"},
    {"Hav", "#dfeef0", "#f3fafb", "#ffffff", "#12323a", "#0f7c8c", "#ffffff", "#92c2c9", "#edf7f8"},
    {"Skov", "#e6efe2", "#f6faf3", "#ffffff", "#22301c", "#4a8a3a", "#ffffff", "#a9c49c", "#f1f6ee"},
    {"Lyng", "#efe6f2", "#faf5fb", "#ffffff", "#2e2136", "#8a4fa3", "#ffffff", "#c6aad2", "#f6f0f8"},
    {"Sand", "#f3ecdc", "#fbf8f0", "#fffdf8", "#3a3020", "#b8893b", "#ffffff", "#d8c7a0", "#f8f3e7"},
    {"Rav", "#f6e7d8", "#fdf6ee", "#fffbf6", "#3d2614", "#d0701c", "#ffffff", "#e2b690", "#fbf1e6"},
    {"Skifer", "#e3e6ea", "#f4f5f7", "#ffffff", "#23272d", "#56677a", "#ffffff", "#adb5bf", "#eef0f3"},
    {"Sne", "#f5f6f8", "#ffffff", "#ffffff", "#202124", "#5b7fa6", "#ffffff", "#cfd4da", "#fafbfc"},
    {"Nat", "#2b2f36", "#353a43", "#1f2228", "#e4e7eb", "#4f9be8", "#ffffff", "#4a505a", "#3a404a"},
};

const char *const kPlainName = "Windows";

QString g_current;

// Disabled text sits between the text and the window colour: clearly fainter than live text,
// still readable, in light and dark looks alike.
QColor disabledText(const Look &l)
{
    const QColor text(l.text);
    const QColor window(l.window);
    auto mix = [](int a, int b) { return (a * 45 + b * 55) / 100; };
    return QColor(mix(text.red(), window.red()), mix(text.green(), window.green()),
                  mix(text.blue(), window.blue()));
}

QString styleSheetOf(const Look &l)
{
    return QStringLiteral(R"(
QMainWindow, QDialog { background: %1; }
QWidget { color: %4; }
QWidget:disabled { color: %9; }
QFrame#mainPanel, QFrame#topPanel, QFrame#PanelSti {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %2, stop:1 %1); }
QLineEdit, QListView, QListWidget, QTreeView, QTreeWidget, QPlainTextEdit, QTextEdit, QSpinBox,
QComboBox { background: %3; border: 1px solid %7; border-radius: 3px; padding: 2px;
    selection-background-color: %5; selection-color: %6; }
QComboBox QAbstractItemView { background: %3; border: 1px solid %7; }
QLineEdit:focus, QComboBox:focus, QListView:focus, QTreeView:focus { border: 1px solid %5; }
QPushButton, QToolButton { background: %8; border: 1px solid %7; border-radius: 4px; padding: 4px 10px; }
QToolButton { padding: 3px; }
QPushButton:hover, QToolButton:hover { border-color: %5; }
QPushButton:pressed, QToolButton:pressed, QToolButton:checked { background: %5; color: %6; }
QPushButton:disabled, QToolButton:disabled { color: %9; }
QPushButton:default { border: 2px solid %5; }
QGroupBox { border: 1px solid %7; border-radius: 5px; margin-top: 14px; padding-top: 6px; }
QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 4px; color: %5; font-weight: bold; }
QGroupBox::title:disabled { color: %9; }
QTabWidget::pane { border: 1px solid %7; border-radius: 4px; background: %1; }
QTabBar::tab { background: %8; border: 1px solid %7; padding: 4px 9px; color: %4; }
QTabBar::tab:top { border-bottom: none; border-top-left-radius: 4px; border-top-right-radius: 4px; margin-right: 1px; }
QTabBar::tab:left { border-right: none; border-top-left-radius: 4px; border-bottom-left-radius: 4px; margin-bottom: 1px; }
QTabBar::tab:selected { background: %5; color: %6; }
QTabBar::tab:hover:!selected { border-color: %5; }
QTabBar::tab:disabled { color: %9; }
QTabBar[tabLook="flat"]::tab { background: transparent; border: none; border-radius: 3px; margin: 1px; }
QTabBar[tabLook="flat"]::tab:selected { background: %5; color: %6; }
QTabBar[tabLook="buttons"]::tab { border: 1px solid %7; border-radius: 4px; margin: 2px; background: %8; }
QTabBar[tabLook="buttons"]::tab:selected { background: %5; color: %6; }
QStatusBar { background: %2; border-top: 1px solid %7; }
QStatusBar QLabel { padding: 0 6px; }
QMdiArea { background: %1; }
QCheckBox::indicator:checked, QRadioButton::indicator:checked { background: %5; border: 1px solid %7; }
QCheckBox::indicator, QRadioButton::indicator { width: 12px; height: 12px; border: 1px solid %7; background: %3; }
QRadioButton::indicator { border-radius: 7px; }
QCheckBox::indicator { border-radius: 2px; }
QToolTip { background: %3; color: %4; border: 1px solid %5; }
QScrollBar:vertical { background: %1; width: 12px; margin: 0; }
QScrollBar::handle:vertical { background: %7; border-radius: 5px; min-height: 24px; margin: 2px; }
QScrollBar:horizontal { background: %1; height: 12px; margin: 0; }
QScrollBar::handle:horizontal { background: %7; border-radius: 5px; min-width: 24px; margin: 2px; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }
QFrame#mainPanel QTabBar::tab:top { padding: 3px 5px; font-size: 8pt; }
QLabel#informationsKnappenL { font-size: 12pt; font-weight: bold; color: %5; }
)")
        .arg(l.window, l.panelTop, l.base, l.text, l.accent, l.accentText, l.border, l.button,
             disabledText(l).name());
}

// The plain look keeps only what the tab-look option needs.
const char *const kPlainSheet = R"(
QTabBar[tabLook="flat"]::tab { border: none; padding: 4px 9px; background: transparent; }
QTabBar[tabLook="flat"]::tab:selected { background: palette(highlight); color: palette(highlighted-text); }
QTabBar[tabLook="buttons"]::tab { border: 1px solid palette(mid); border-radius: 3px; padding: 4px 9px; margin: 2px;
    background: palette(button); }
QTabBar[tabLook="buttons"]::tab:selected { background: palette(highlight); color: palette(highlighted-text); }
)";

QPalette paletteOf(const Look &l)
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(l.window));
    p.setColor(QPalette::WindowText, QColor(l.text));
    p.setColor(QPalette::Base, QColor(l.base));
    p.setColor(QPalette::AlternateBase, QColor(l.button));
    p.setColor(QPalette::Text, QColor(l.text));
    p.setColor(QPalette::Button, QColor(l.button));
    p.setColor(QPalette::ButtonText, QColor(l.text));
    p.setColor(QPalette::Highlight, QColor(l.accent));
    p.setColor(QPalette::HighlightedText, QColor(l.accentText));
    p.setColor(QPalette::ToolTipBase, QColor(l.base));
    p.setColor(QPalette::ToolTipText, QColor(l.text));
    p.setColor(QPalette::PlaceholderText, QColor(l.border));
    p.setColor(QPalette::Mid, QColor(l.border));
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, disabledText(l));
    // Fusion etches disabled menu text in this colour; white etching glares on a dark look.
    p.setColor(QPalette::Disabled, QPalette::Light, QColor(l.window));
    return p;
}

} // namespace

QStringList names()
{
    QStringList list{kPlainName};
    for (const auto &look : kLooks)
        list.append(look.name);
    return list;
}

bool apply(const QString &name)
{
    auto *app = qobject_cast<QApplication *>(QCoreApplication::instance());
    if (!app)
        return false;
    if (name == kPlainName) {
        app->setStyle(QStyleFactory::create("Fusion"));
        app->setPalette(app->style()->standardPalette());
        app->setStyleSheet(kPlainSheet);
        g_current = name;
        return true;
    }
    for (const auto &look : kLooks) {
        if (name == look.name) {
            app->setStyle(QStyleFactory::create("Fusion"));
            app->setPalette(paletteOf(look));
            app->setStyleSheet(styleSheetOf(look));
            g_current = name;
            return true;
        }
    }
    return false;
}

QString current()
{
    return g_current;
}

} // namespace styles
