#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "byteops/bitwiseops.h"
#include "byteops/byteedits.h"
#include "byteops/edithistory.h"

/// Seeded random edits, undos and redos made through an EditHistory and, by
/// plain vector code, on the list of states the bytes went through: the oracle.
class RandomEdits {
public:
    /// Now and then a run or block of up to longRun bytes, else a short one.
    RandomEdits(unsigned seed, qint64 longRun) : m_random(seed), m_longRun(longRun) {}

    qint64 pick(qint64 low, qint64 high) { return std::uniform_int_distribution<qint64>(low, high)(m_random); }

    ByteBuffer randomRun(qint64 size)
    {
        ByteBuffer run(static_cast<std::size_t>(size));
        for (auto& b : run)
            b = Byte(pick(0, 255));
        return run;
    }

    std::vector<ByteBuffer> states;  // states[now] is what the bytes must read
    std::size_t now = 0;
    const ByteBuffer& expected() const { return states[now]; }

    /// An undo, a redo or a new edit.
    void step(EditHistory& history)
    {
        const qint64 action = pick(0, 9);
        if (action < 2 && history.canUndo()) {
            ASSERT_TRUE(history.undo().done);
            --now;
        } else if (action == 2 && history.canRedo()) {
            ASSERT_TRUE(history.redo().done);
            ++now;
        } else {
            states.resize(now + 1);
            states.push_back(edit(history, states[now]));
            ++now;
        }
    }

private:
    using Byte = std::uint8_t;

    qint64 length() { return pick(0, 3) == 0 ? pick(1, m_longRun) : pick(0, 30); }

    ByteBuffer edit(EditHistory& history, ByteBuffer bytes)
    {
        const qint64 size = qint64(bytes.size());
        const qint64 kind = size == 0 ? pick(0, 1) : pick(0, 9);
        const auto value = Byte(pick(0, 3) == 0 ? 0 : pick(0, 255));
        if (kind < 2) {
            // Half at the end, where a store in memory grows its tail of blocks.
            const qint64 at = pick(0, 1) ? size : pick(0, size);
            ByteBuffer run(std::size_t(length()), value);
            if (kind == 0)
                EXPECT_TRUE(ByteEdits::insertFill(history, at, qint64(run.size()), value).done);
            else
                EXPECT_TRUE(ByteEdits::insertRun(history, at, (run = randomRun(qint64(run.size())))).done);
            bytes.insert(bytes.begin() + at, run.begin(), run.end());
            return bytes;
        }
        // The block is given in either order, as the dialogs accept it.
        const qint64 start = pick(0, size - 1);
        const qint64 end = kind == 2 ? start : std::clamp(start + (pick(0, 1) ? 1 : -1) * length(), qint64(0), size - 1);
        const auto lo = bytes.begin() + std::min(start, end);
        const auto hi = bytes.begin() + std::max(start, end) + 1;
        const int n = int(pick(0, 9));
        switch (kind) {
        case 2: ByteEdits::setByte(history, start, value); break;
        case 3: ByteEdits::removeBlock(history, start, end); bytes.erase(lo, hi); return bytes;
        case 4: ByteEdits::replaceValue(history, start, end, 0, value); break;
        case 5: ByteEdits::reverseBlock(history, start, end); std::reverse(lo, hi); return bytes;
        case 6: BitwiseOps::shift(history, start, end, {ShiftChoice::Direction(n % 2), n}); break;
        case 7: BitwiseOps::mask(history, start, end, {MaskChoice::Type(n % 3), value}); break;
        case 8: BitwiseOps::onesComplement(history, start, end); break;
        default: BitwiseOps::twosComplement(history, start, end); break;
        }
        std::transform(lo, hi, lo, [&](Byte b) {
            switch (kind) {
            case 2: return value;
            case 4: return b == 0 ? value : b;
            case 6: return Byte(n >= 8 ? 0 : (n % 2 == 0 ? b << n : b >> n));
            case 7: return Byte(n % 3 == 0 ? b & value : n % 3 == 1 ? b | value : b ^ value);
            case 8: return Byte(255 - b);
            default: return Byte((256 - b) % 256);
            }
        });
        return bytes;
    }

    std::mt19937 m_random;
    qint64 m_longRun;
};
