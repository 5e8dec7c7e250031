#pragma once

#include <cstdint>
#include <span>

/// One change applied to every byte of a block in place: the bitwise
/// operations, Replace Bytes and Reverse Bytes Sequence. A value type, so that
/// the history can run it again on redo instead of keeping the new bytes.
class ByteTransform {
public:
    enum class Kind {
        ShiftLeft,       // parameter: number of shifts
        ShiftRight,      // parameter: number of shifts
        And,             // parameter: mask
        Or,              // parameter: mask
        Xor,             // parameter: mask
        OnesComplement,
        TwosComplement,
        Replace,         // every byte equal to the parameter becomes the replacement
        Reverse,         // the block's byte order, not its values
    };

    static ByteTransform shiftLeft(int count) { return {Kind::ShiftLeft, std::uint8_t(count)}; }
    static ByteTransform shiftRight(int count) { return {Kind::ShiftRight, std::uint8_t(count)}; }
    static ByteTransform andMask(std::uint8_t mask) { return {Kind::And, mask}; }
    static ByteTransform orMask(std::uint8_t mask) { return {Kind::Or, mask}; }
    static ByteTransform xorMask(std::uint8_t mask) { return {Kind::Xor, mask}; }
    static ByteTransform onesComplement() { return {Kind::OnesComplement, 0}; }
    static ByteTransform twosComplement() { return {Kind::TwosComplement, 0}; }
    static ByteTransform replace(std::uint8_t oldValue, std::uint8_t newValue)
    {
        return {Kind::Replace, oldValue, newValue};
    }
    static ByteTransform reverse() { return {Kind::Reverse, 0}; }

    Kind kind() const { return m_kind; }

    void apply(std::span<std::uint8_t> block) const;
    /// The original bytes of a block are the transform applied again (XOR,
    /// both complements, reversal): undo then needs no copy of the old bytes.
    bool isSelfInverse() const;

private:
    ByteTransform(Kind kind, std::uint8_t parameter, std::uint8_t replacement = 0)
        : m_kind(kind)
        , m_parameter(parameter)
        , m_replacement(replacement)
    {
    }

    Kind m_kind;
    std::uint8_t m_parameter;
    std::uint8_t m_replacement;
};
