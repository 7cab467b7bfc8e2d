#pragma once
// An options file described once: each line's number and how it is written, read and defaulted.
// The one table drives reading, writing and the defaults of its window.
//
// Reading applies the lines in order. A missing file or one with another number of lines puts
// the defaults in force and nothing of the file is used; a line that does not parse ends the
// reading, and the defaults are applied on top of the lines already taken. Numbers outside a
// line's range are clamped to it, so no saved value can overflow or swamp the window.

#include <QString>
#include <QStringList>
#include <climits>
#include <functional>
#include <optional>
#include <vector>

namespace core {

struct BadOptionLine
{
};

// The line as a decimal integer; throws BadOptionLine when it is not one.
int optionInt(const QString &line);
inline QString optionFlag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// When a flag line counts as on.
enum class FlagRule {
    One,           // the number 1; any other number is off
    NonZeroByte,   // a number whose low byte is not 0
    ExactlyOneText // the text "1"; anything else, even no number, is off
};

class OptionTable
{
public:
    // Each row names its line; rows are declared in line order from 1.
    OptionTable &number(int line, std::function<int()> get, std::function<void(int)> set,
                        std::optional<int> byDefault = std::nullopt, int minimum = INT_MIN,
                        int maximum = INT_MAX);
    OptionTable &flag(int line, std::function<bool()> get, std::function<void(bool)> set,
                      std::optional<bool> byDefault = std::nullopt, FlagRule rule = FlagRule::One);
    OptionTable &text(int line, std::function<QString()> get, std::function<void(const QString &)> set,
                      std::optional<QString> byDefault = std::nullopt);
    // What needs several lines at once (a window's geometry): run after the lines or the
    // defaults were applied.
    OptionTable &afterApplying(std::function<void()> step);
    // What the defaults bring beyond their lines (a style applied at once).
    OptionTable &afterDefaults(std::function<void()> step);

    int lineCount() const { return int(m_rows.size()); }
    // The lines to write, from the current state.
    QStringList lines() const;
    // Applies `lines` (none: the file could not be read); false when the defaults were used.
    bool apply(const std::optional<QStringList> &lines) const;
    void applyDefaults() const;

    bool load(const QString &path) const;
    bool save(const QString &path) const;

private:
    struct Row
    {
        std::function<QString()> write;
        std::function<void(const QString &)> read; // throws BadOptionLine
        std::function<void()> reset;               // empty: the default leaves the value alone
    };
    OptionTable &add(int line, Row row);

    std::vector<Row> m_rows;
    std::vector<std::function<void()>> m_after;
    std::vector<std::function<void()>> m_afterDefaults;
};

} // namespace core
