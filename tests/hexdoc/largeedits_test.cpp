// Edits too large for the undo history, asked about first, and a save in
// place over the file a bitwise operation's bytes are still read from.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

#include "bytemodel/bytemodel.h"
#include "byteops/bitwiseops.h"
#include "byteops/byteedits.h"
#include "hexdoc/bytefileio.h"
#include "support/backedfile.h"

namespace {

using Edit = EditResult (*)(EditHistory&, const EditHistory::UndoLossCheck&);

}  // namespace

TEST(LargeEdits, AnEditThatCannotBeUndoneIsMadeOnlyWhenTheUserAgrees)
{
    const struct {
        const char* name;
        Edit edit;
        bool asks;
    } edits[] = {
        {"cut", [](EditHistory& h, const auto& ask) { return ByteEdits::removeBlock(h, 100, 2099, ask); }, true},
        {"paste", [](EditHistory& h, const auto& ask) { return ByteEdits::insertRun(h, 9, ByteBuffer(2000, 1), ask); }, true},
        {"and", [](EditHistory& h, const auto& ask) { return BitwiseOps::mask(h, 0, 1999, {MaskChoice::Type::And, 15}, ask); }, true},
        {"xor", [](EditHistory& h, const auto& ask) { return BitwiseOps::mask(h, 0, 1999, {MaskChoice::Type::Xor, 15}, ask); }, false},
    };
    for (const auto& test : edits) {
        for (const bool agree : {false, true}) {
            SCOPED_TRACE(std::string(test.name) + (agree ? ", agreed" : ", declined"));
            ByteModel model;
            model.assign(ByteBuffer(4000, 0x5A));
            EditHistory history(model, 1500);
            ByteEdits::setByte(history, 0, 0x11);
            const ByteBuffer before = model.copy(0, model.size());
            qint64 asked = -1;
            const EditResult result = test.edit(history, [&](const EditStep& step) {
                asked = step.count();
                return agree;
            });
            EXPECT_EQ(asked, test.asks ? 2000 : -1);
            EXPECT_EQ(result.done, agree || !test.asks);
            EXPECT_EQ(model.copy(0, model.size()) == before, test.asks && !agree);
            EXPECT_EQ(history.canUndo(), !test.asks || !agree) << "declined, the history is whole; made, it ends";
        }
    }
}

TEST(LargeEdits, SaveInPlaceAfterABitwiseOperationGivesEveryByte)
{
    QTemporaryDir dir;
    ByteBuffer expected(3 << 20);
    for (std::size_t i = 0; i < expected.size(); ++i)
        expected[i] = std::uint8_t(i * 7 + i / 251);
    ByteModel model;
    model.assignFile(backedFile(dir.filePath("disk.img"), expected));
    ASSERT_EQ(::link(QFile::encodeName(dir.filePath("disk.img")).constData(), QFile::encodeName(dir.filePath("link")).constData()), 0);
    EditHistory history(model);
    BitwiseOps::mask(history, 1000, qint64(expected.size()) - 1000, {MaskChoice::Type::And, 0x3C});
    ByteEdits::insertRun(history, 0, {1, 2, 3});
    for (std::size_t i = 1000; i <= expected.size() - 1000; ++i)
        expected[i] &= 0x3C;
    expected.insert(expected.begin(), {1, 2, 3});
    QString reason;
    ASSERT_TRUE(ByteFileIo::writeFile(dir.filePath("disk.img"), model, reason)) << reason.toStdString();
    QFile written(dir.filePath("link"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray all = written.readAll();
    EXPECT_TRUE(ByteBuffer(all.begin(), all.end()) == expected);
    EXPECT_TRUE(model.copy(0, model.size()) == expected);
}
