// Saves over the file the bytes are read from, checked byte for byte, and a
// write that fails half-way. pwrite is replaced below so that a test can make
// the in-place writes fail after a budget of bytes.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <dlfcn.h>
#include <sys/resource.h>
#include <unistd.h>

#include "bytemodel/bytemodel.h"
#include "byteops/byteedits.h"
#include "byteops/edithistory.h"
#include "hexdoc/bytefileio.h"
#include "support/childprocess.h"

namespace {

std::atomic<long long> g_pwriteBudget{-1};  // bytes pwrite may still write; -1: no limit

}  // namespace

extern "C" ssize_t pwrite(int fd, const void* data, size_t size, off_t offset)
{
    using Pwrite = ssize_t (*)(int, const void*, size_t, off_t);
    static const auto real = reinterpret_cast<Pwrite>(::dlsym(RTLD_NEXT, "pwrite"));
    const long long budget = g_pwriteBudget.load();
    if (budget == 0) {
        errno = EIO;
        return -1;
    }
    const ssize_t written = real(fd, data, budget > 0 ? std::min<size_t>(size, size_t(budget)) : size, offset);
    if (budget > 0 && written > 0)
        g_pwriteBudget -= written;
    return written;
}

namespace {

constexpr qint64 kSize = qint64(16) << 20;

ByteBuffer patterned(qint64 size)
{
    ByteBuffer bytes(static_cast<std::size_t>(size));
    std::uint32_t state = 12345;
    for (auto& b : bytes)
        b = std::uint8_t((state = state * 1103515245u + 12345u) >> 24);
    return bytes;
}

ByteBuffer readBack(const QString& path)
{
    QFile file(path);
    const QByteArray all = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    return ByteBuffer(all.begin(), all.end());
}

/// A hard-linked file, so that saving it writes over the very file the model
/// reads; edits go to the model and, by plain vector code, to bytes.
struct LinkedFile {
    QTemporaryDir dir;
    QString path = dir.filePath("disk.img");
    ByteBuffer bytes = patterned(kSize);
    ByteModel model;

    LinkedFile()
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
        file.close();
        EXPECT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(dir.filePath("link")).constData()), 0);
        QString reason;
        EXPECT_EQ(ByteFileIo::loadFile(path, model, reason), ByteFileIo::ReadResult::Ok);
    }
    void insertAt(qint64 offset, const ByteBuffer& run)
    {
        model.insert(offset, run);
        bytes.insert(bytes.begin() + offset, run.begin(), run.end());
    }
    void cut(qint64 offset, qint64 count)
    {
        model.remove(offset, count);
        bytes.erase(bytes.begin() + offset, bytes.begin() + offset + count);
    }
    bool modelReadsTheBytes() const { return model.copy(0, model.size()) == bytes; }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
};

}  // namespace

TEST(PieceSave, InPlaceOverTheFileReadFromGivesEveryByte)
{
    const struct {
        const char* name;
        void (*edit)(LinkedFile&);
    } cases[] = {
        {"insert at 0", [](LinkedFile& f) { f.insertAt(0, {1, 2, 3}); }},
        {"cut", [](LinkedFile& f) { f.cut(0, 5); }},
        {"edits", [](LinkedFile& f) {
             f.insertAt(kSize / 2, patterned(100000));
             f.cut(1000, 3 << 20);
             f.model.setBytes(kSize / 3, ByteBuffer{9, 9, 9});
             std::fill_n(f.bytes.begin() + kSize / 3, 3, 9);
             f.insertAt(7, {4});
             f.cut(kSize - (8 << 20), 12345);
             f.insertAt(f.model.size(), {5, 6});
         }},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        LinkedFile file;
        test.edit(file);
        QString reason;
        ASSERT_TRUE(ByteFileIo::writeFile(file.path, file.model, reason)) << reason.toStdString();
        EXPECT_TRUE(readBack(file.dir.filePath("link")) == file.bytes) << "written in place";
        EXPECT_TRUE(file.modelReadsTheBytes()) << "the model reads the file written";
        EXPECT_EQ(file.files(), QStringList({"disk.img", "link"})) << "no recovery file is left";
    }
}

TEST(PieceSave, FailureHalfWayKeepsTheNewContentInARecoveryFile)
{
    LinkedFile file;
    file.insertAt(0, {0xEE});
    g_pwriteBudget = kSize / 2;
    QString reason;
    EXPECT_FALSE(ByteFileIo::writeFile(file.path, file.model, reason));
    g_pwriteBudget = -1;
    const QStringList recovery = file.files().filter(".recovery-");
    ASSERT_EQ(recovery.size(), 1);
    EXPECT_EQ(reason, QString::fromLocal8Bit(std::strerror(EIO)) + "\nThe new content was kept in the file "
                          + file.dir.filePath(recovery.front()));
    EXPECT_TRUE(readBack(file.dir.filePath(recovery.front())) == file.bytes);
    EXPECT_TRUE(file.modelReadsTheBytes()) << "the model reads the copy";
    ASSERT_TRUE(ByteFileIo::writeFile(file.path, file.model, reason));
    EXPECT_TRUE(readBack(file.path) == file.bytes);
}

TEST(PieceSave, UndoPutsBackTheCutPiecesUntilASaveWritesOverThem)
{
    LinkedFile file;
    EditHistory history(file.model);
    const qint64 empty = history.memoryUse();
    ByteEdits::removeBlock(history, 0, kSize - 2);
    EXPECT_LT(history.memoryUse() - empty, 4096) << "the cut keeps pieces, not bytes";
    ASSERT_TRUE(history.undo().done);
    EXPECT_TRUE(file.modelReadsTheBytes());
    ASSERT_TRUE(history.redo().done);
    QString reason;
    ASSERT_TRUE(ByteFileIo::writeFile(file.path, file.model, reason));
    EXPECT_EQ(history.undo().refusal, "Cannot undo: the " + QString::number(kSize - 1)
                                          + " bytes to put back were in the file, which a save has written over.");
}

TEST(PieceSave, OpensTheLargestFileUnderASmallAddressSpace)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit";
#endif
    QTemporaryDir dir;
    const QString path = dir.filePath("sparse.img");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(ByteModel::kMaxSize - 3) && file.seek(file.size()));
    file.write("end");
    file.close();
    const ChildOutcome outcome = runInChild([&path] {
        const rlimit limit{rlim_t(1) << 30, rlim_t(1) << 30};
        ::setrlimit(RLIMIT_AS, &limit);
        ByteModel model;
        QString reason;
        if (ByteFileIo::loadFile(path, model, reason) != ByteFileIo::ReadResult::Ok)
            return reason.toUtf8();
        const ByteBuffer last = model.copy(model.size() - 4, 4);
        return QByteArray::number(model.size()) + ' ' + QByteArray(reinterpret_cast<const char*>(last.data()), 4);
    });
    EXPECT_TRUE(outcome.exitedNormally);
    EXPECT_EQ(outcome.report, QByteArray::number(ByteModel::kMaxSize) + QByteArray(" \0end", 5));
}
