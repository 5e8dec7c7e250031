#pragma once

/// The Bitwise Shift settings a hex view remembers for its lifetime.
struct ShiftChoice {
    enum class Direction { Left, Right };  // the dialog's radio buttons, in order
    Direction direction = Direction::Left;
    int count = 0;  // 0 to 9
    bool operator==(const ShiftChoice&) const = default;
};
