#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "bytemodel/bytemodel.h"
#include "byteops/bitwiseops.h"
#include "byteops/byteedits.h"
#include "byteops/edithistory.h"
#include "byteops/editmessages.h"

namespace {

using Byte = std::uint8_t;

ByteBuffer contents(const ByteModel& model)
{
    return model.copy(0, model.size());
}

/// Random edits made through the history and, by plain vector code, on an oracle.
class EditOracle {
public:
    explicit EditOracle(unsigned seed) : m_random(seed) {}

    int pick(qint64 low, qint64 high) { return int(std::uniform_int_distribution<qint64>(low, high)(m_random)); }

    /// Makes one random edit on both; the oracle's bytes afterwards.
    ByteBuffer edit(EditHistory& history, ByteBuffer bytes)
    {
        const qint64 size = qint64(bytes.size());
        const int kind = size == 0 ? 0 : pick(0, 9);
        const auto value = Byte(pick(0, 3) == 0 ? 0 : pick(0, 255));
        if (kind < 2) {
            const qint64 at = pick(0, size);
            ByteBuffer run(std::size_t(pick(0, 30)), value);
            if (kind == 0)
                EXPECT_TRUE(ByteEdits::insertFill(history, at, qint64(run.size()), value).done);
            else
                EXPECT_TRUE(ByteEdits::insertRun(history, at, (run = randomRun(run.size()))).done);
            bytes.insert(bytes.begin() + at, run.begin(), run.end());
            return bytes;
        }
        // The block is given in either order, as the dialogs accept it.
        const qint64 start = pick(0, size - 1);
        const qint64 end = kind == 2 ? start : pick(std::max<qint64>(0, start - 20), std::min(size - 1, start + 20));
        const auto lo = bytes.begin() + std::min(start, end);
        const auto hi = bytes.begin() + std::max(start, end) + 1;
        const int n = pick(0, 9);
        const auto each = [&](auto op) { std::transform(lo, hi, lo, [&](Byte b) { return Byte(op(b)); }); };
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
        each([&](Byte b) {
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

    ByteBuffer randomRun(std::size_t size)
    {
        ByteBuffer run(size);
        for (auto& b : run)
            b = Byte(pick(0, 255));
        return run;
    }

private:
    std::mt19937 m_random;
};

TEST(EditHistory, FollowsAPlainVectorThroughEditsUndoAndRedo)
{
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        EditOracle oracle(seed);
        ByteModel model;
        const ByteBuffer initial = oracle.randomRun(std::size_t(oracle.pick(0, 100)));
        model.assign(initial);
        EditHistory history(model);
        std::vector<ByteBuffer> states{initial};
        std::size_t at = 0;
        for (int i = 0; i < 300; ++i) {
            const int action = oracle.pick(0, 19);
            if (action < 3 && history.canUndo()) {
                ASSERT_TRUE(history.undo().done);
                --at;
            } else if (action == 3 && history.canRedo()) {
                ASSERT_TRUE(history.redo().done);
                ++at;
            } else {
                states.resize(at + 1);
                states.push_back(oracle.edit(history, states[at]));
                ++at;
            }
            ASSERT_EQ(contents(model), states[at]) << "after action " << i;
            ASSERT_EQ(history.canRedo(), at + 1 < states.size());
        }
        while (history.undo().done)
            ASSERT_EQ(contents(model), states[--at]);
        EXPECT_EQ(at, 0u);
        EXPECT_TRUE(history.isAtSavedState());
        while (history.redo().done)
            ASSERT_EQ(contents(model), states[++at]);
        EXPECT_EQ(at + 1, states.size());
    }
}

TEST(EditHistory, KeepsOnlyWhatUndoNeeds)
{
    ByteModel model;
    model.assign(ByteBuffer(1 << 20, 0x11));
    EditHistory history(model);
    const qint64 empty = history.memoryUse();
    ByteEdits::setByte(history, 5, 0x22);
    const qint64 typed = history.memoryUse() - empty;
    EXPECT_LT(typed, 256);
    ByteEdits::insertFill(history, 0, 1 << 20, 0xAB);
    EXPECT_LT(history.memoryUse() - empty, 2 * typed + 64) << "a fill keeps its count and value only";
    BitwiseOps::onesComplement(history, 0, (1 << 20) - 1);
    ByteEdits::reverseBlock(history, 0, (2 << 20) - 1);
    EXPECT_LT(history.memoryUse() - empty, 4 * typed + 64) << "self-inverse block changes keep no bytes";
    const qint64 beforeRemoval = history.memoryUse();
    ByteEdits::removeBlock(history, 10, 10 + (100 << 10) - 1);
    EXPECT_GE(history.memoryUse() - beforeRemoval, 100 << 10);
    EXPECT_LT(history.memoryUse() - beforeRemoval, (100 << 10) + 256) << "the removed bytes are kept once";
}

TEST(EditHistory, SavedStateFollowsUndoAndRedo)
{
    ByteModel model;
    model.assign(ByteBuffer(16, 0));
    EditHistory history(model);
    ByteEdits::setByte(history, 1, 1);
    history.markSaved();
    history.undo();
    EXPECT_FALSE(history.isAtSavedState());
    history.redo();
    EXPECT_TRUE(history.isAtSavedState());
    // An edit after undo discards the saved state with the steps it lay on.
    history.undo();
    ByteEdits::setByte(history, 2, 1);
    EXPECT_FALSE(history.isAtSavedState());
    history.undo();
    EXPECT_FALSE(history.isAtSavedState());
    // A change that changes no byte still counts as a change.
    history.markSaved();
    ByteEdits::insertFill(history, 0, 0, 0);
    EXPECT_FALSE(history.isAtSavedState());
    history.undo();
    EXPECT_TRUE(history.isAtSavedState());
}

TEST(EditHistory, DropsTheOldestStepsAboveItsLimit)
{
    ByteModel model;
    model.assign(ByteBuffer(10000, 7));
    EditHistory history(model, 3000);
    for (int i = 0; i < 4; ++i)
        ByteEdits::removeBlock(history, 0, 999);
    EXPECT_LE(history.memoryUse(), 3000);
    EXPECT_TRUE(history.undo().done && history.undo().done);
    EXPECT_FALSE(history.undo().done);
    EXPECT_EQ(model.size(), 8000);
    EXPECT_FALSE(history.isAtSavedState()) << "the saved state was dropped";
    // A step too large to keep ends the history: nothing before it can be undone.
    history.redo();
    ByteEdits::removeBlock(history, 0, 4999);
    EXPECT_EQ(model.size(), 2000);
    EXPECT_FALSE(history.canUndo() || history.canRedo());
    EXPECT_EQ(history.memoryUse(), 0);
}

TEST(EditHistory, UndoAndRedoSelectWhatChanged)
{
    ByteModel model;
    model.assign(ByteBuffer(64, 0));
    EditHistory history(model);
    EXPECT_EQ(ByteEdits::removeBlock(history, 0xA, 0x4).selection, (EditRange{4, 0}));
    EXPECT_EQ(history.undo().selection, (EditRange{4, 7}));
    EXPECT_EQ(history.redo().selection, (EditRange{4, 0}));
    EXPECT_EQ(ByteEdits::insertRun(history, 57, {1, 2, 3}).selection, (EditRange{57, 3}));
    EXPECT_EQ(history.undo().selection, (EditRange{57, 0}));
    EXPECT_EQ(BitwiseOps::mask(history, 0x20, 0x10, {}).selection, (EditRange{0x10, 0x11}));
    EXPECT_EQ(history.undo().selection, (EditRange{0x10, 0x11}));
    history.clear();
    EXPECT_FALSE(history.undo().done);
}

TEST(EditHistory, InsertThatWouldReachFourGigabytesIsRefused)
{
    ByteModel model;
    model.assign({1, 2, 3});
    EditHistory history(model);
    ByteEdits::setByte(history, 0, 9);
    const EditResult result = ByteEdits::insertFill(history, 1, ByteModel::kMaxSize - 2, 0);
    EXPECT_FALSE(result.done);
    EXPECT_EQ(result.refusal.toStdString(), "Cannot insert 4294967293 bytes: the file would reach 4 GB.");
    EXPECT_EQ(contents(model), (ByteBuffer{9, 2, 3}));
    EXPECT_FALSE(history.canRedo());
    EXPECT_TRUE(history.undo().done);
    EXPECT_TRUE(history.isAtSavedState());
    EXPECT_EQ(EditMessages::refusal(EditMessages::Action::Paste, 70000, EditStep::Outcome::NoMemory).toStdString(),
              "Cannot paste 70000 bytes: there is not enough memory.");
}

}  // namespace
