#pragma once

#include <QString>

#include <array>

#include "marking/addressblock.h"

/// The three shapes of pattern Mark Patterns finds.
enum class PatternType {
    Type1,  // header, any body, the first tail after it
    Type2,  // header, exactly N body bytes, tail
    Type3,  // header, N tail bytes, the byte following them
};

/// The texts and colours one pattern type keeps: the header and tail as hex
/// texts, N as a decimal text, and the colours of the header, of the bytes
/// after it and of the closing part.
struct PatternTexts {
    QString header;
    QString count;
    QString tail;
    std::array<QString, 3> colorNames = {"Black", "Black", "Black"};
};

/// What a view remembers of its last accepted Mark Patterns dialog, and what
/// the scan colours: each type keeps its own texts; `type` picks the one used.
struct MarkPatternsSettings {
    static constexpr int kTypeCount = 3;

    bool clearBlock = true;
    PatternType type = PatternType::Type1;
    std::array<PatternTexts, kTypeCount> perType;
    AddressBlock block;

    const PatternTexts& chosen() const { return perType[std::size_t(type)]; }
    PatternTexts& chosen() { return perType[std::size_t(type)]; }
};
