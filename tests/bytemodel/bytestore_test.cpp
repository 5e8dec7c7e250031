#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <algorithm>
#include <random>

#include "bytemodel/bytemodel.h"
#include "byteops/byteedits.h"
#include "byteops/edithistory.h"
#include "support/backedfile.h"

namespace {

/// A model over a file read lazily, or over the same bytes in memory.
class ByteStoreOracle : public ::testing::TestWithParam<bool> {
protected:
    qint64 pick(qint64 low, qint64 high) { return std::uniform_int_distribution<qint64>(low, high)(m_random); }
    ByteBuffer randomBytes(qint64 count)
    {
        ByteBuffer bytes(static_cast<std::size_t>(count));
        for (auto& b : bytes)
            b = std::uint8_t(pick(0, 255));
        return bytes;
    }

    /// One random edit through the history, and the same on the oracle's copy.
    ByteBuffer edit(EditHistory& history, ByteBuffer bytes)
    {
        const qint64 size = qint64(bytes.size());
        const qint64 at = pick(0, std::max<qint64>(size - 1, 0));
        // Half the insertions go at the end, where a store in memory grows its tail of blocks.
        const qint64 insertAt = pick(0, 1) == 0 ? size : at;
        // Now and then a run longer than a cache block, so pieces start and end inside blocks.
        const qint64 count = pick(0, 3) == 0 ? pick(1, 3 * FileBacking::kBlockSize / 2) : pick(1, 64);
        const qint64 last = std::min(size - 1, at + count - 1);
        switch (size == 0 ? 0 : pick(0, 4)) {
        case 0: {
            const ByteBuffer run = randomBytes(count);
            ByteEdits::insertRun(history, insertAt, run);
            bytes.insert(bytes.begin() + insertAt, run.begin(), run.end());
            break;
        }
        case 1:
            ByteEdits::insertFill(history, insertAt, count, 0xA5);
            bytes.insert(bytes.begin() + insertAt, std::size_t(count), 0xA5);
            break;
        case 2:
            ByteEdits::removeBlock(history, at, last);
            bytes.erase(bytes.begin() + at, bytes.begin() + last + 1);
            break;
        case 3:
            ByteEdits::setByte(history, at, 0x5A);
            bytes[std::size_t(at)] = 0x5A;
            break;
        default:
            ByteEdits::reverseBlock(history, last, at);
            std::reverse(bytes.begin() + at, bytes.begin() + last + 1);
            break;
        }
        return bytes;
    }

    std::mt19937 m_random{17};
};

TEST_P(ByteStoreOracle, FollowsAPlainVectorThroughEditsReadsUndoAndRedo)
{
    QTemporaryDir dir;
    const ByteBuffer initial = randomBytes(3 * FileBacking::kBlockSize + 1234);
    ByteModel model;
    if (GetParam())
        model.assignFile(backedFile(dir.filePath("f"), initial));
    else
        model.assign(initial);
    EditHistory history(model);
    std::vector<ByteBuffer> states{initial};
    std::size_t now = 0;
    for (int action = 0; action < 300; ++action) {
        const qint64 choice = pick(0, 9);
        if (choice < 2 && history.canUndo()) {
            ASSERT_TRUE(history.undo().done);
            --now;
        } else if (choice == 2 && history.canRedo()) {
            ASSERT_TRUE(history.redo().done);
            ++now;
        } else {
            states.resize(now + 1);
            states.push_back(edit(history, states[now]));
            ++now;
        }
        const ByteBuffer& expected = states[now];
        ASSERT_EQ(model.size(), qint64(expected.size())) << "after action " << action;
        // A window across block and piece edges, read as painting reads it.
        const qint64 from = pick(0, qint64(expected.size()));
        const ByteBuffer window = model.copy(from, pick(0, 2 * FileBacking::kBlockSize));
        ASSERT_TRUE(std::equal(window.begin(), window.end(), expected.begin() + from)) << "after action " << action;
        if (action % 25 == 0) {
            ASSERT_EQ(model.copy(0, model.size()), expected) << "after action " << action;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(FileOrMemory, ByteStoreOracle, ::testing::Bool());

}  // namespace
