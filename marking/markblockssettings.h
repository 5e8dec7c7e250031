#pragma once

#include <QString>

#include <array>

#include "marking/addressblock.h"

/// What a view remembers of its last accepted Mark Blocks dialog, and what the
/// scan colours: up to three blocks, each in its colour; a block with an
/// address not given is skipped.
struct MarkBlocksSettings {
    static constexpr int kBlockCount = 3;

    bool clearFile = true;
    std::array<AddressBlock, kBlockCount> blocks;
    std::array<QString, kBlockCount> colorNames = {"Black", "Black", "Black"};
};
