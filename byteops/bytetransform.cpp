#include "byteops/bytetransform.h"

#include <algorithm>
#include <iterator>

namespace {

using Op = std::uint8_t (*)(std::uint8_t byte, std::uint8_t parameter, std::uint8_t replacement);

// The per-byte arithmetic; every result is truncated to 8 bits.
constexpr std::uint8_t shiftLeft(std::uint8_t b, std::uint8_t n, std::uint8_t)
{
    return n >= 8 ? 0 : std::uint8_t(b << n);
}
constexpr std::uint8_t shiftRight(std::uint8_t b, std::uint8_t n, std::uint8_t)
{
    return n >= 8 ? 0 : std::uint8_t(b >> n);
}
constexpr std::uint8_t andMask(std::uint8_t b, std::uint8_t m, std::uint8_t) { return b & m; }
constexpr std::uint8_t orMask(std::uint8_t b, std::uint8_t m, std::uint8_t) { return b | m; }
constexpr std::uint8_t xorMask(std::uint8_t b, std::uint8_t m, std::uint8_t) { return b ^ m; }
constexpr std::uint8_t onesComplement(std::uint8_t b, std::uint8_t, std::uint8_t) { return std::uint8_t(~b); }
constexpr std::uint8_t twosComplement(std::uint8_t b, std::uint8_t, std::uint8_t) { return std::uint8_t(-b); }
constexpr std::uint8_t replaceValue(std::uint8_t b, std::uint8_t oldValue, std::uint8_t newValue)
{
    return b == oldValue ? newValue : b;
}

/// A loop per operation, with the operation known at compile time, so that
/// the compiler can vectorise it.
template <Op op>
void each(std::span<std::uint8_t> block, std::uint8_t parameter, std::uint8_t replacement)
{
    for (std::uint8_t& b : block)
        b = op(b, parameter, replacement);
}

void reverseOrder(std::span<std::uint8_t> block, std::uint8_t, std::uint8_t)
{
    std::reverse(block.begin(), block.end());
}

struct Row {
    ByteTransform::Kind kind;
    void (*blockOp)(std::span<std::uint8_t>, std::uint8_t, std::uint8_t);
    bool selfInverse;
};

using K = ByteTransform::Kind;
constexpr Row kRows[] = {
    {K::ShiftLeft, each<shiftLeft>, false},
    {K::ShiftRight, each<shiftRight>, false},
    {K::And, each<andMask>, false},
    {K::Or, each<orMask>, false},
    {K::Xor, each<xorMask>, true},
    {K::OnesComplement, each<onesComplement>, true},
    {K::TwosComplement, each<twosComplement>, true},
    {K::Replace, each<replaceValue>, false},
    {K::Reverse, reverseOrder, true},
};
static_assert(std::size(kRows) == std::size_t(K::Reverse) + 1);
static_assert([] {
    for (std::size_t i = 0; i < std::size(kRows); ++i)
        if (std::size_t(kRows[i].kind) != i)
            return false;
    return true;
}());

const Row& rowOf(K kind)
{
    return kRows[std::size_t(kind)];
}

}  // namespace

void ByteTransform::apply(std::span<std::uint8_t> block) const
{
    rowOf(m_kind).blockOp(block, m_parameter, m_replacement);
}

bool ByteTransform::isSelfInverse() const
{
    return rowOf(m_kind).selfInverse;
}
