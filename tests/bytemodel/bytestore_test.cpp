#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <algorithm>

#include "bytemodel/bytemodel.h"
#include "support/backedfile.h"
#include "support/randomedits.h"

/// A model over a file read lazily, or over the same bytes in memory.
class ByteStoreOracle : public ::testing::TestWithParam<bool> {};

// Long runs and blocks now and then, so pieces start and end inside cache blocks.
TEST_P(ByteStoreOracle, FollowsAPlainVectorThroughEditsReadsUndoAndRedo)
{
    QTemporaryDir dir;
    RandomEdits edits(17, 3 * FileBacking::kBlockSize / 2);
    edits.states = {edits.randomRun(3 * FileBacking::kBlockSize + 1234)};
    ByteModel model;
    if (GetParam())
        model.assignFile(backedFile(dir.filePath("f"), edits.expected()));
    else
        model.assign(edits.expected());
    EditHistory history(model);
    for (int action = 0; action < 300; ++action) {
        ASSERT_NO_FATAL_FAILURE(edits.step(history));
        const ByteBuffer& expected = edits.expected();
        ASSERT_EQ(model.size(), qint64(expected.size())) << "after action " << action;
        // A window across block and piece edges, read as painting reads it.
        const qint64 from = edits.pick(0, qint64(expected.size()));
        const ByteBuffer window = model.copy(from, edits.pick(0, 2 * FileBacking::kBlockSize));
        ASSERT_TRUE(std::equal(window.begin(), window.end(), expected.begin() + from)) << "after action " << action;
        if (action % 25 == 0) {
            ASSERT_EQ(model.copy(0, model.size()), expected) << "after action " << action;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(FileOrMemory, ByteStoreOracle, ::testing::Bool());
