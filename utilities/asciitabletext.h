#pragma once

#include <QByteArray>

/// The texts of the ASCII table window for one range of codes: the one-line
/// column header and the table, one line per code with its binary, decimal
/// and hexadecimal forms and its name or glyph.
struct AsciiTableText {
    /// The two ranges, in the order of the window's radio buttons.
    enum class Range { Control, Standard };

    static AsciiTableText build(Range range);

    QByteArray header;
    QByteArray body;
};
