#pragma once

#include <QString>

#include <array>
#include <optional>

#include "hexdoc/hexlayout.h"

class ByteModel;

/// Where the caret stands in a hex view, as the status bar's panes show it,
/// so that a byte's address need not be added up from the line number and
/// the column.
struct CaretStatus {
    /// The byte the caret is on, or the first byte of the selection; the byte
    /// count after the last byte; kNoOffset before the first data line.
    ByteOffset offset = kNoOffset;
    ByteRange selection;                // none without a selection
    std::optional<std::uint8_t> value;  // the byte at offset, when there is one
    bool modified = false;

    static CaretStatus of(const HexLayout& layout, TextRange selection, const EndPosition& end,
                          const ByteModel& model, bool modified);

    enum Pane { OffsetPane, SelectionPane, ValuePane, ModifiedPane, kPaneCount };
    /// Each pane's text; a pane with nothing to say is empty.
    std::array<QString, kPaneCount> paneTexts() const;
};
