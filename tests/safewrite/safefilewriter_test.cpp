#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <csignal>
#include <cstring>
#include <sys/fsuid.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "safewrite/safefilewriter.h"

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

bool save(const QString& path, const QByteArray& bytes, QString* error = nullptr)
{
    SafeFileWriter writer(path);
    const bool ok = writer.open() && writer.write(bytes.constData(), std::size_t(bytes.size())) && writer.commit();
    if (error)
        *error = writer.errorString();
    return ok;
}

/// Makes the file-system checks of this thread those of an ordinary user, so
/// that permission tests mean something when the suite runs as root.
class AsOrdinaryUser {
public:
    AsOrdinaryUser() { m_previous = ::geteuid() == 0 ? ::setfsuid(65534) : -1; }
    ~AsOrdinaryUser()
    {
        if (m_previous >= 0)
            ::setfsuid(uid_t(m_previous));
    }

private:
    int m_previous;
};

struct Case {
    const char* name;
    QByteArray before;
    QByteArray after;
};

}  // namespace

TEST(SafeFileWriter, ReplacesContentsOfEveryLength)
{
    const Case cases[] = {
        {"shorter", QByteArray(1000, 'a'), QByteArray(10, 'b')},
        {"same length", QByteArray(64, 'a'), QByteArray(64, 'c')},
        {"longer", QByteArray(3, 'a'), QByteArray(100000, 'd')},
        {"empty", QByteArray(50, 'a'), QByteArray()},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        const QString path = dir.filePath(c.name);
        writeAll(path, c.before);
        EXPECT_TRUE(save(path, c.after)) << c.name;
        EXPECT_EQ(readAll(path), c.after) << c.name;
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 4) << "no temporary file left";
}

TEST(SafeFileWriter, KeepsModeAndWritesThroughHardLinksAndSymlinks)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("f");
    writeAll(path, "old");
    ::chmod(QFile::encodeName(path).constData(), 0640);
    ASSERT_TRUE(save(path, "new"));
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    const QString link = dir.filePath("hard");
    ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(link).constData()), 0);
    ASSERT_TRUE(save(path, "hard-linked"));
    EXPECT_EQ(readAll(link), "hard-linked") << "both names keep showing one file";

    const QString symlink = dir.filePath("sym");
    ASSERT_TRUE(QFile::link(path, symlink));
    ASSERT_TRUE(save(symlink, "via link"));
    EXPECT_TRUE(QFileInfo(symlink).isSymLink());
    EXPECT_EQ(readAll(path), "via link");
}

TEST(SafeFileWriter, FailedWriteLeavesOriginalUntouched)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("keep");
    const QByteArray original(100000, 'k');
    writeAll(path, original);
    // The kernel refuses to grow a file past the limit: a real mid-write failure.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous {};
    ::getrlimit(RLIMIT_FSIZE, &previous);
    rlimit limited = previous;
    limited.rlim_cur = 4096;
    ::setrlimit(RLIMIT_FSIZE, &limited);
    QString error;
    const bool ok = save(path, QByteArray(200000, 'n'), &error);
    ::setrlimit(RLIMIT_FSIZE, &previous);
    EXPECT_FALSE(ok);
    EXPECT_EQ(error, QString::fromLocal8Bit(std::strerror(EFBIG)));
    EXPECT_EQ(readAll(path), original);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1) << "temporary file removed";
}

TEST(SafeFileWriter, NewFileInReadOnlyFolderFailsWithTheSystemsReason)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("ro");
    ASSERT_TRUE(QDir().mkdir(folder));
    ::chmod(QFile::encodeName(folder).constData(), 0555);
    QString error;
    bool ok = true;
    {
        AsOrdinaryUser user;
        ok = save(folder + "/new", "bytes", &error);
    }
    ::chmod(QFile::encodeName(folder).constData(), 0755);
    EXPECT_FALSE(ok);
    EXPECT_EQ(error, QString::fromLocal8Bit(std::strerror(EACCES)));
    EXPECT_TRUE(QDir(folder).isEmpty());
}

TEST(SafeFileWriter, DeviceIsWrittenInPlaceAndItsFailureReported)
{
    QString error;
    EXPECT_FALSE(save("/dev/full", "x", &error));
    EXPECT_EQ(error, QString::fromLocal8Bit(std::strerror(ENOSPC)));
    EXPECT_TRUE(save("/dev/null", "discarded"));
}
