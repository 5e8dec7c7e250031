#pragma once

#include <QString>

#include <array>

#include "marking/addressblock.h"

/// What a view remembers of its last accepted Mark Bytes dialog, and what the
/// scan colours: up to four values (hex texts; empty ones are skipped), each
/// with its colour name, inside a block.
struct MarkBytesSettings {
    static constexpr int kValueCount = 4;

    bool clearBlock = true;
    std::array<QString, kValueCount> values;
    std::array<QString, kValueCount> colorNames = {"Black", "Black", "Black", "Black"};
    AddressBlock block;
};
