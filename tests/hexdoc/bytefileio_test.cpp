// Reading files and devices, saves over the file the bytes are read from
// (checked byte for byte), a write that fails half-way, and edits too large
// for the undo history. pwrite is replaced below so that a test can make the
// in-place writes fail after a budget of bytes.
#include "hexdoc/bytefileio.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "bytemodel/bytemodel.h"
#include "byteops/bitwiseops.h"
#include "byteops/byteedits.h"
#include "support/childprocess.h"
#include "support/qstringprint.h"
#include "support/watchdog.h"

using ByteFileIo::ReadResult;

static std::atomic<long long> g_pwriteBudget{-1};  // bytes pwrite may still write; -1: no limit

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
    EditHistory history{model};

    LinkedFile()
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(reinterpret_cast<const char*>(bytes.data()), kSize) == kSize);
        file.close();
        EXPECT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(dir.filePath("link")).constData()), 0);
        QString reason;
        EXPECT_EQ(ByteFileIo::loadFile(path, model, reason), ReadResult::Ok);
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

// Files are read whole whatever size they claim; streams and devices are refused without waiting.
TEST(ByteFileIo, ReadsFilesWholeAndRefusesStreamsAndDevices)
{
    const LinkedFile file;
    ByteBuffer out{1, 2, 3};
    QString reason;
    ASSERT_EQ(ByteFileIo::readFile(file.path, out, reason), ReadResult::Ok);
    EXPECT_TRUE(out == file.bytes);
    // The kernel's own files report no size but have bytes.
    ASSERT_EQ(ByteFileIo::readFile("/proc/self/status", out, reason), ReadResult::Ok);
    EXPECT_TRUE(out.size() > 100u && out.size() < 100000u) << out.size();
    QTemporaryDir dir;
    const QString fifo = dir.filePath("fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0666), 0);
    const QString socketPath = dir.filePath("socket");
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{AF_UNIX, {}};
    std::strncpy(address.sun_path, QFile::encodeName(socketPath).constData(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    const std::pair<QString, QString> rows[] = {
        {fifo, "Is a named pipe (FIFO), not a file or disk"}, {socketPath, "Is a socket, not a file or disk"},
        {"/dev/zero", "Is a character device, not a file or disk"}, {dir.path(), "Is a directory"},
        {dir.filePath("missing"), "No such file or directory"},
    };
    Watchdog watchdog;
    for (const auto& [path, expected] : rows) {
        out = {7};
        EXPECT_EQ(ByteFileIo::readFile(path, out, reason), ReadResult::Failed) << expected.toStdString();
        EXPECT_EQ(reason, expected);
        EXPECT_EQ(out, ByteBuffer{7}) << "left as it was";
    }
    ::close(sock);
}

TEST(ByteFileIo, DiskIsReadToTheSizeTheKernelGives)
{
    for (const QString& name : QDir("/dev").entryList(QDir::System)) {
        const QByteArray disk = QFile::encodeName("/dev/" + name);
        struct stat st {};
        std::uint64_t size = 0;
        const bool block = ::stat(disk.constData(), &st) == 0 && S_ISBLK(st.st_mode);
        const int fd = block ? ::open(disk.constData(), O_RDONLY | O_CLOEXEC) : -1;
        const bool sized = fd >= 0 && ::ioctl(fd, BLKGETSIZE64, &size) == 0;
        ::close(fd);
        if (!sized)
            continue;
        ByteBuffer out;
        QString reason;
        const ReadResult result = ByteFileIo::readFile("/dev/" + name, out, reason);
        EXPECT_EQ(result, size >= std::uint64_t(ByteFileIo::kMaxFileSize) ? ReadResult::TooLarge : ReadResult::Ok)
            << disk.constData() << ": " << reason.toStdString();
        EXPECT_TRUE(result != ReadResult::Ok || out.size() == size) << disk.constData() << ": " << out.size();
        return;
    }
    GTEST_SKIP() << "no readable block device";
}

TEST(PieceSave, InPlaceOverTheFileReadFromGivesEveryByte)
{
    const std::pair<const char*, void (*)(LinkedFile&)> cases[] = {
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
        // A bitwise operation's bytes are still read from the file the save writes over.
        {"and", [](LinkedFile& f) {
             BitwiseOps::mask(f.history, 1000, kSize - 1000, {MaskChoice::Type::And, 0x3C});
             std::for_each(f.bytes.begin() + 1000, f.bytes.end() - 999, [](std::uint8_t& b) { b &= 0x3C; });
             f.insertAt(0, {1, 2, 3});
         }},
    };
    for (const auto& [name, edit] : cases) {
        SCOPED_TRACE(name);
        LinkedFile file;
        edit(file);
        QString reason;
        ASSERT_TRUE(ByteFileIo::writeFile(file.path, file.model, reason)) << reason.toStdString();
        EXPECT_TRUE(readBack(file.dir.filePath("link")) == file.bytes) << "written in place";
        EXPECT_TRUE(file.modelReadsTheBytes()) << "the model reads the file written";
        EXPECT_EQ(file.files(), QStringList({"disk.img", "link"})) << "no recovery file is left";
    }
}

// A failure half-way keeps the new content in a recovery file, which the model then reads.
TEST(PieceSave, FailureHalfWayKeepsTheNewContentAndUndoStopsAtASave)
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
    // A cut keeps pieces of the file, not bytes; undo puts them back until a save writes over them.
    const qint64 empty = file.history.memoryUse();
    ByteEdits::removeBlock(file.history, 0, kSize - 2);
    EXPECT_LT(file.history.memoryUse() - empty, 4096) << "the cut keeps pieces, not bytes";
    ASSERT_TRUE(file.history.undo().done);
    EXPECT_TRUE(file.modelReadsTheBytes());
    ASSERT_TRUE(file.history.redo().done);
    ASSERT_TRUE(ByteFileIo::writeFile(file.path, file.model, reason));
    EXPECT_EQ(file.history.undo().refusal, "Cannot undo: the " + QString::number(kSize - 1)
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
        if (ByteFileIo::loadFile(path, model, reason) != ReadResult::Ok)
            return reason.toUtf8();
        const ByteBuffer last = model.copy(model.size() - 4, 4);
        return QByteArray::number(model.size()) + ' ' + QByteArray(reinterpret_cast<const char*>(last.data()), 4);
    });
    EXPECT_TRUE(outcome.exitedNormally);
    EXPECT_EQ(outcome.report, QByteArray::number(ByteModel::kMaxSize) + QByteArray(" \0end", 5));
}

TEST(LargeEdits, AnEditThatCannotBeUndoneIsMadeOnlyWhenTheUserAgrees)
{
    using Edit = EditResult (*)(EditHistory&, const EditHistory::UndoLossCheck&);
    const Edit edits[] = {  // cut, paste and AND ask first; XOR is undone by itself
        [](EditHistory& h, const auto& ask) { return ByteEdits::removeBlock(h, 100, 2099, ask); },
        [](EditHistory& h, const auto& ask) { return ByteEdits::insertRun(h, 9, ByteBuffer(2000, 1), ask); },
        [](EditHistory& h, const auto& ask) { return BitwiseOps::mask(h, 0, 1999, {MaskChoice::Type::And, 15}, ask); },
        [](EditHistory& h, const auto& ask) { return BitwiseOps::mask(h, 0, 1999, {MaskChoice::Type::Xor, 15}, ask); },
    };
    for (int k = 0; k < 8; ++k) {
        const bool asks = k / 2 != 3, agree = k % 2;
        SCOPED_TRACE(std::to_string(k / 2) + (agree ? ", agreed" : ", declined"));
        ByteModel model;
        model.assign(ByteBuffer(4000, 0x5A));
        EditHistory history(model, 1500);
        ByteEdits::setByte(history, 0, 0x11);
        const ByteBuffer before = model.copy(0, model.size());
        qint64 asked = -1;
        const EditResult result = edits[k / 2](history, [&](const EditStep& step) {
            asked = step.count();
            return agree;
        });
        EXPECT_EQ(asked, asks ? 2000 : -1);
        EXPECT_EQ(result.done, agree || !asks);
        EXPECT_EQ(model.copy(0, model.size()) == before, asks && !agree);
        EXPECT_EQ(history.canUndo(), !asks || !agree) << "declined, the history is whole; made, it ends";
    }
}
