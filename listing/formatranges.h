#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "listing/textsource.h"

/// A colour as 0xRRGGBB, free of any GUI type so that workers and tests use it directly.
using Rgb = std::uint32_t;
constexpr Rgb kDefaultTextColor = 0x000000;

/// The attributes of one character of a listing.
struct CharFormat {
    Rgb color = kDefaultTextColor;
    bool underline = false;
    bool operator==(const CharFormat&) const = default;
};

/// A run of characters sharing one format.
struct FormatRun {
    TextRange range;
    CharFormat format;
    bool operator==(const FormatRun&) const = default;
};

/// One range to colour in a batch.
struct ColoredRange {
    TextRange range;
    Rgb color = kDefaultTextColor;
};

/// Text colours and underline of a listing, kept as ranges rather than per
/// character: colouring a range costs O(log n) in the number of ranges, and
/// clear() forgets every format at once.
class FormatRanges {
public:
    void setColor(TextRange range, Rgb color);
    void setUnderline(TextRange range, bool underline);
    void clear();

    CharFormat formatAt(TextPos pos) const;
    /// Consecutive runs covering [range.start, range.end), equal neighbours merged.
    std::vector<FormatRun> runs(TextRange range) const;

    /// Keeps formats in step with a replacement of [range.start, range.end) by
    /// newLength characters: formats outside move with their text, and the new
    /// characters take the format of the first replaced character (or of the
    /// character before an empty range).
    void replace(TextRange range, TextPos newLength);

    /// The longest run around pos sharing pos's format; its end may lie past
    /// the text when the last format runs on to the end.
    FormatRun runAt(TextPos pos) const;

    bool isEmpty() const;

private:
    template <typename T>
    using Boundaries = std::map<TextPos, T>;  // value applies from key up to the next key

    Boundaries<Rgb> m_colors;
    Boundaries<bool> m_underline;
};
