#include "listing/formatranges.h"

#include <algorithm>
#include <limits>

namespace {

// Invariant of every boundary map: no two neighbouring keys hold the same
// value, and the first key never holds the default, so an all-default map is
// empty and every key marks a real change of format.

template <typename T>
T valueBefore(const std::map<TextPos, T>& map, TextPos pos, T fallback)
{
    auto it = map.lower_bound(pos);
    return it == map.begin() ? fallback : std::prev(it)->second;
}

template <typename T>
T valueAt(const std::map<TextPos, T>& map, TextPos pos, T fallback)
{
    return valueBefore(map, pos + 1, fallback);
}

template <typename T>
void assign(std::map<TextPos, T>& map, TextRange range, T value, T fallback)
{
    if (range.start >= range.end)
        return;
    const T before = valueBefore(map, range.start, fallback);
    const T after = valueAt(map, range.end, fallback);
    map.erase(map.lower_bound(range.start), map.upper_bound(range.end));
    if (before != value)
        map.emplace(range.start, value);
    if (after != value)
        map.emplace(range.end, after);
}

template <typename T>
void shiftForReplace(std::map<TextPos, T>& map, TextRange range, TextPos newLength, T fallback)
{
    const TextPos firstAffected = range.start == range.end ? range.start - 1 : range.start;
    const T inserted = firstAffected < 0 ? fallback : valueAt(map, firstAffected, fallback);
    const T after = valueAt(map, range.end, fallback);
    const TextPos delta = newLength - (range.end - range.start);

    // Keys after the range keep their nodes and only move, so no allocation.
    std::vector<typename std::map<TextPos, T>::node_type> tail;
    for (auto it = map.upper_bound(range.end); it != map.end();)
        tail.push_back(map.extract(it++));
    map.erase(map.lower_bound(range.start), map.end());

    T last = valueBefore(map, range.start, fallback);
    auto put = [&](TextPos key, T value) {
        if (value != last) {
            map.emplace_hint(map.end(), key, value);
            last = value;
        }
    };
    if (newLength > 0)
        put(range.start, inserted);
    put(range.start + newLength, after);
    for (auto& node : tail) {
        if (node.mapped() == last)
            continue;
        last = node.mapped();
        node.key() += delta;
        map.insert(map.end(), std::move(node));
    }
}

// The bounds of the stretch around pos that holds one value.
template <typename T>
TextRange stretchAt(const std::map<TextPos, T>& map, TextPos pos)
{
    auto next = map.upper_bound(pos);
    const TextPos end = next == map.end() ? std::numeric_limits<TextPos>::max() : next->first;
    const TextPos start = next == map.begin() ? 0 : std::prev(next)->first;
    return {start, end};
}

}  // namespace

void FormatRanges::setColor(TextRange range, Rgb color)
{
    assign(m_colors, range, color, kDefaultTextColor);
}

void FormatRanges::setUnderline(TextRange range, bool underline)
{
    assign(m_underline, range, underline, false);
}

void FormatRanges::clear()
{
    m_colors.clear();
    m_underline.clear();
}

CharFormat FormatRanges::formatAt(TextPos pos) const
{
    return {valueAt(m_colors, pos, kDefaultTextColor), valueAt(m_underline, pos, false)};
}

std::vector<FormatRun> FormatRanges::runs(TextRange range) const
{
    std::vector<FormatRun> result;
    if (range.start >= range.end)
        return result;
    auto nextColor = m_colors.upper_bound(range.start);
    auto nextUnderline = m_underline.upper_bound(range.start);
    CharFormat format = formatAt(range.start);
    TextPos pos = range.start;
    while (pos < range.end) {
        const TextPos colorEnd = nextColor == m_colors.end() ? range.end : nextColor->first;
        const TextPos underlineEnd = nextUnderline == m_underline.end() ? range.end : nextUnderline->first;
        const TextPos end = std::min({colorEnd, underlineEnd, range.end});
        if (!result.empty() && result.back().format == format)
            result.back().range.end = end;
        else
            result.push_back({{pos, end}, format});
        if (end == colorEnd && nextColor != m_colors.end())
            format.color = (nextColor++)->second;
        if (end == underlineEnd && nextUnderline != m_underline.end())
            format.underline = (nextUnderline++)->second;
        pos = end;
    }
    return result;
}

void FormatRanges::replace(TextRange range, TextPos newLength)
{
    shiftForReplace(m_colors, range, newLength, kDefaultTextColor);
    shiftForReplace(m_underline, range, newLength, false);
}

FormatRun FormatRanges::runAt(TextPos pos) const
{
    const TextRange color = stretchAt(m_colors, pos);
    const TextRange underline = stretchAt(m_underline, pos);
    return {{std::max(color.start, underline.start), std::min(color.end, underline.end)}, formatAt(pos)};
}

bool FormatRanges::isEmpty() const
{
    return m_colors.empty() && m_underline.empty();
}
