#include "hexdoc/bytefileio.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstring>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "support/qstringprint.h"
#include "support/watchdog.h"

using ByteFileIo::ReadResult;

TEST(ByteFileIo, ReadsFilesWholeWhateverSizeTheyClaim)
{
    QTemporaryDir dir;
    QByteArray bytes;
    for (int i = 0; i < 3000000; ++i)
        bytes.append(char(i * 31 >> 2));
    QFile file(dir.filePath("f"));
    for (const int size : {0, 1, 3000000}) {
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes.left(size)) == size);
        file.close();
        ByteBuffer out{1, 2, 3};
        QString reason;
        ASSERT_EQ(ByteFileIo::readFile(file.fileName(), out, reason), ReadResult::Ok);
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(out.data()), qsizetype(out.size())), bytes.left(size));
    }
    // The kernel's own files report no size but have bytes.
    ByteBuffer status;
    QString reason;
    ASSERT_EQ(ByteFileIo::readFile("/proc/self/status", status, reason), ReadResult::Ok);
    EXPECT_GT(status.size(), 100u);
}

TEST(ByteFileIo, RefusesStreamsAndDevicesWithoutWaiting)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0666), 0);
    const QString socketPath = dir.filePath("socket");
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, QFile::encodeName(socketPath).constData(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    const std::pair<QString, QString> rows[] = {
        {fifo, "Is a named pipe (FIFO), not a file or disk"},
        {socketPath, "Is a socket, not a file or disk"},
        {"/dev/zero", "Is a character device, not a file or disk"},
        {dir.path(), "Is a directory"},
        {dir.filePath("missing"), "No such file or directory"},
    };
    Watchdog watchdog;
    for (const auto& [path, expected] : rows) {
        ByteBuffer out{7};
        QString reason;
        EXPECT_EQ(ByteFileIo::readFile(path, out, reason), ReadResult::Failed) << expected.toStdString();
        EXPECT_EQ(reason, expected);
        EXPECT_EQ(out, ByteBuffer{7}) << "left as it was";
    }
    ::close(sock);
}

TEST(ByteFileIo, DiskIsReadToTheSizeTheKernelGives)
{
    QString disk;
    struct stat st {};
    for (const QString& name : QDir("/dev").entryList(QDir::System))
        if (::stat(QFile::encodeName("/dev/" + name).constData(), &st) == 0 && S_ISBLK(st.st_mode)
            && ::access(QFile::encodeName("/dev/" + name).constData(), R_OK) == 0 && disk.isEmpty())
            disk = "/dev/" + name;
    if (disk.isEmpty())
        GTEST_SKIP() << "no readable block device";
    const int fd = ::open(QFile::encodeName(disk).constData(), O_RDONLY | O_CLOEXEC);
    std::uint64_t size = 0;
    ASSERT_EQ(::ioctl(fd, BLKGETSIZE64, &size), 0);
    ::close(fd);
    ByteBuffer out;
    QString reason;
    const ReadResult result = ByteFileIo::readFile(disk, out, reason);
    EXPECT_EQ(result, size >= std::uint64_t(ByteFileIo::kMaxFileSize) ? ReadResult::TooLarge : ReadResult::Ok)
        << disk.toStdString() << ": " << reason.toStdString();
    if (result == ReadResult::Ok) {
        EXPECT_EQ(out.size(), size) << disk.toStdString();
    }
}
