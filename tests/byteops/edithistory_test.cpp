#include <gtest/gtest.h>

#include "bytemodel/bytemodel.h"
#include "byteops/bitwiseops.h"
#include "byteops/byteedits.h"
#include "byteops/edithistory.h"
#include "byteops/editmessages.h"
#include "support/randomedits.h"

namespace {

ByteBuffer contents(const ByteModel& model)
{
    return model.copy(0, model.size());
}

TEST(EditHistory, FollowsAPlainVectorThroughEditsUndoAndRedo)
{
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        RandomEdits edits(seed, 100);
        edits.states = {edits.randomRun(edits.pick(0, 100))};
        ByteModel model;
        model.assign(edits.expected());
        EditHistory history(model);
        for (int i = 0; i < 300; ++i) {
            ASSERT_NO_FATAL_FAILURE(edits.step(history));
            ASSERT_EQ(contents(model), edits.expected()) << "after action " << i;
            ASSERT_EQ(history.canRedo(), edits.now + 1 < edits.states.size());
        }
        while (history.undo().done)
            ASSERT_EQ(contents(model), edits.states[--edits.now]);
        EXPECT_EQ(edits.now, 0u);
        EXPECT_TRUE(history.isAtSavedState());
        while (history.redo().done)
            ASSERT_EQ(contents(model), edits.states[++edits.now]);
        EXPECT_EQ(edits.now + 1, edits.states.size());
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

TEST(EditHistory, UndoAndRedoSelectWhatChangedAndFollowTheSavedState)
{
    ByteModel model;
    model.assign(ByteBuffer(64, 0));
    EditHistory history(model);
    EXPECT_EQ(ByteEdits::removeBlock(history, 0xA, 0x4).selection, (EditRange{4, 0}));
    history.markSaved();
    EXPECT_EQ(history.undo().selection, (EditRange{4, 7}));
    EXPECT_FALSE(history.isAtSavedState());
    EXPECT_EQ(history.redo().selection, (EditRange{4, 0}));
    EXPECT_TRUE(history.isAtSavedState());
    // An edit after undo discards the saved state with the steps it lay on.
    history.undo();
    EXPECT_EQ(ByteEdits::insertRun(history, 57, {1, 2, 3}).selection, (EditRange{57, 3}));
    EXPECT_FALSE(history.isAtSavedState());
    EXPECT_EQ(history.undo().selection, (EditRange{57, 0}));
    EXPECT_FALSE(history.isAtSavedState());
    // That an edit changing no byte still leaves the saved state is the byte editing test's Insert of 0.
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
