#pragma once

#include <optional>

#include "hexdoc/hexlayout.h"

/// Where Space, Backspace and the step after a typed second digit put the
/// caret in a hex listing. Each takes the ordered selection's end and returns
/// the new caret position, or nothing when the key does nothing there.
namespace CaretSteps {

/// Space, and the step after a byte's second digit: on to the next digit.
std::optional<TextPos> forward(const HexLayout& layout, TextPos end, const EndPosition& endPosition);
/// Backspace: back to the previous digit.
std::optional<TextPos> backward(const HexLayout& layout, TextPos end, const EndPosition& endPosition);

}  // namespace CaretSteps
