#include "utilities/asciitabletext.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace {

struct RangeLayout {
    int first;
    int last;
    const char* header;
    const char* ending;  // what follows the range's last line
};

// The control range ends on a line of one space, the standard range on a bare
// line break; both are part of the table as users have always seen it.
constexpr RangeLayout kRanges[] = {
    {0, 31, "  Binary        Dec     Hex    Control", "\n "},
    {32, 127, "  Binary        Dec     Hex    Character", "\n"},
};

constexpr const char* kControlNames[] = {
    "NULL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL", "Backspace", "HT", "LF", "VT", "FF", "CR", "SO", "SI",
    "DLE",  "DC1", "DC2", "DC3", "DC4", "NAK", "SYN", "ETB", "CAN",       "EM", "SUB", "ESC", "FS", "GS", "RS", "US",
};

constexpr std::pair<int, const char*> kSpecialNames[] = {{32, "space"}, {34, "\" "}, {127, "delete"}};

constexpr char kGap[] = "     ";
constexpr char kIndent[] = "\n  ";

QByteArray codeName(int code)
{
    if (code < int(std::size(kControlNames)))
        return kControlNames[code];
    const auto special = std::find_if(std::begin(kSpecialNames), std::end(kSpecialNames),
                                      [code](const auto& entry) { return entry.first == code; });
    return special != std::end(kSpecialNames) ? QByteArray(special->second) : QByteArray(1, char(code));
}

QByteArray codeLine(int code)
{
    const QByteArray bits = QByteArray::number(code, 2).rightJustified(8, '0');
    return bits.first(4) + ' ' + bits.sliced(4) + kGap + QByteArray::number(code).rightJustified(3, '0') + kGap
           + QByteArray::number(code, 16).toUpper().rightJustified(2, '0') + kGap + codeName(code);
}

}  // namespace

AsciiTableText AsciiTableText::build(Range range)
{
    const RangeLayout& layout = kRanges[int(range)];
    AsciiTableText text{layout.header, kIndent};
    for (int code = layout.first; code <= layout.last; ++code)
        text.body += codeLine(code) + (code == layout.last ? layout.ending : kIndent);
    return text;
}
