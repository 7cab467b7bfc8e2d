#include "core/optionlines.h"

#include "core/linefile.h"

#include <QRegularExpression>
#include <algorithm>
#include <stdexcept>

namespace core {

int optionInt(const QString &line)
{
    bool ok = false;
    const int value = line.trimmed().toInt(&ok);
    if (!ok)
        throw BadOptionLine{};
    return value;
}

namespace {

// A number beyond the int range is still a number: it is clamped like any other out of range.
int clampedInt(const QString &line, int minimum, int maximum)
{
    bool ok = false;
    const qlonglong value = line.trimmed().toLongLong(&ok);
    if (!ok) {
        const QString digits = line.trimmed();
        static const QRegularExpression hugeNumber(QStringLiteral("^[+-]?[0-9]+$"));
        if (!hugeNumber.match(digits).hasMatch())
            throw BadOptionLine{};
        return digits.startsWith(u'-') ? minimum : maximum;
    }
    return int(std::clamp<qlonglong>(value, minimum, maximum));
}

} // namespace

OptionTable &OptionTable::add(int line, Row row)
{
    if (line != lineCount() + 1)
        throw std::logic_error("options table rows out of line order");
    m_rows.push_back(std::move(row));
    return *this;
}

OptionTable &OptionTable::number(int line, std::function<int()> get, std::function<void(int)> set,
                                 std::optional<int> byDefault, int minimum, int maximum)
{
    Row row;
    row.write = [get] { return QString::number(get()); };
    row.read = [set, minimum, maximum](const QString &text) { set(clampedInt(text, minimum, maximum)); };
    if (byDefault)
        row.reset = [set, value = *byDefault] { set(value); };
    return add(line, std::move(row));
}

OptionTable &OptionTable::flag(int line, std::function<bool()> get, std::function<void(bool)> set,
                               std::optional<bool> byDefault, FlagRule rule)
{
    Row row;
    row.write = [get] { return optionFlag(get()); };
    row.read = [set, rule](const QString &text) {
        switch (rule) {
        case FlagRule::One:
            set(clampedInt(text, INT_MIN, INT_MAX) == 1);
            break;
        case FlagRule::NonZeroByte:
            set((clampedInt(text, INT_MIN, INT_MAX) & 0xFF) != 0);
            break;
        case FlagRule::ExactlyOneText:
            set(text == QLatin1String("1"));
            break;
        }
    };
    if (byDefault)
        row.reset = [set, value = *byDefault] { set(value); };
    return add(line, std::move(row));
}

OptionTable &OptionTable::text(int line, std::function<QString()> get,
                               std::function<void(const QString &)> set, std::optional<QString> byDefault)
{
    Row row;
    row.write = std::move(get);
    row.read = set;
    if (byDefault)
        row.reset = [set, value = *byDefault] { set(value); };
    return add(line, std::move(row));
}

OptionTable &OptionTable::afterApplying(std::function<void()> step)
{
    m_after.push_back(std::move(step));
    return *this;
}

OptionTable &OptionTable::afterDefaults(std::function<void()> step)
{
    m_afterDefaults.push_back(std::move(step));
    return *this;
}

QStringList OptionTable::lines() const
{
    QStringList result;
    result.reserve(lineCount());
    for (const Row &row : m_rows)
        result.append(row.write());
    return result;
}

bool OptionTable::apply(const std::optional<QStringList> &lines) const
{
    if (!lines || lines->size() != lineCount()) {
        applyDefaults();
        return false;
    }
    try {
        qsizetype i = 0;
        for (const Row &row : m_rows)
            row.read(lines->at(i++));
    } catch (const BadOptionLine &) {
        applyDefaults();
        return false;
    }
    for (const auto &step : m_after)
        step();
    return true;
}

void OptionTable::applyDefaults() const
{
    for (const Row &row : m_rows)
        if (row.reset)
            row.reset();
    for (const auto &step : m_afterDefaults)
        step();
    for (const auto &step : m_after)
        step();
}

bool OptionTable::load(const QString &path) const
{
    return apply(readLines(path));
}

bool OptionTable::save(const QString &path) const
{
    return writeLinesOrSay(path, lines());
}

} // namespace core
