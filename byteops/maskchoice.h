#pragma once

#include <cstdint>

/// The Bitwise Mask settings a hex view remembers for its lifetime.
struct MaskChoice {
    enum class Type { And, Or, Xor };  // the dialog's radio buttons, in order
    Type type = Type::And;
    std::uint8_t value = 0xFF;
    bool operator==(const MaskChoice&) const = default;
};
