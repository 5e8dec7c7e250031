#pragma once

#include "hexdoc/bytemarks.h"
#include "hexdoc/hexlayout.h"
#include "listing/colorlayer.h"

/// The byte marks of a hex view as colours of its listing: a marked byte's
/// two digits and its character cell take the mark's colour.
class ByteMarkLayer final : public ColorLayer {
public:
    ByteMarkLayer(const HexLayout& layout, const ByteMarks& marks) : m_layout(layout), m_marks(marks) {}

    void colorRuns(TextRange range, std::vector<ColoredRange>& out) const override;
    /// The text range that shows bytes first..last (whole lines).
    TextRange textOfBytes(ByteOffset first, ByteOffset last) const;

private:
    const HexLayout& m_layout;
    const ByteMarks& m_marks;
};
