#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstring>
#include <optional>
#include <tuple>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/xattr.h>
#include <unistd.h>

#include "safewrite/safefilewriter.h"
#include "support/asordinaryuser.h"
#include "support/childprocess.h"
#include "support/ownedpty.h"
#include "support/watchdog.h"

namespace {

constexpr uid_t kOtherUser = 4242;
constexpr gid_t kOtherGroup = 4243;

QByteArray encoded(const QString& path) { return QFile::encodeName(path); }

QString reason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

struct stat statOf(const QString& path)
{
    struct stat st {};
    ::lstat(encoded(path).constData(), &st);
    return st;
}

struct Saved { bool ok = false, throughTemporary = false; QString error; };

/// declared: the size announced to open(), the bytes' own by default; asUser: saved as the user nobody.
Saved save(const QString& path, const QByteArray& bytes, qint64 declared = -1, bool asUser = false)
{
    std::optional<AsOrdinaryUser> user;
    if (asUser)
        user.emplace();
    SafeFileWriter writer(path);
    Saved saved;
    saved.ok = writer.open(declared < 0 ? bytes.size() : declared);
    saved.throughTemporary = writer.replacesAtomically();
    saved.ok = saved.ok && writer.write(bytes.constData(), std::size_t(bytes.size())) && writer.commit();
    saved.error = writer.errorString();
    return saved;
}

int entryCount(const QString& folder)
{
    return int(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).size());
}

/// A file with the given owner, group and mode in a folder with the given owner and mode.
struct Setting { uid_t folderOwner; mode_t folderMode; uid_t owner; gid_t group; mode_t mode; };

QString makeFile(const QTemporaryDir& dir, const char* name, const Setting& s, const QByteArray& bytes)
{
    const QString folder = dir.filePath(name);
    QDir().mkdir(folder);
    const QString path = folder + "/file";
    writeAll(path, bytes);
    ::chown(encoded(path).constData(), s.owner, s.group);
    ::chmod(encoded(path).constData(), s.mode);
    ::chown(encoded(folder).constData(), s.folderOwner, s.folderOwner);
    ::chmod(encoded(folder).constData(), s.folderMode);
    return path;
}

QByteArray attribute(const QString& path, const char* name)
{
    QByteArray value(4096, '\0');
    const ssize_t n = ::getxattr(encoded(path).constData(), name, value.data(), std::size_t(value.size()));
    return n < 0 ? QByteArray("<none>") : value.left(n);
}

}  // namespace

// Contents of every length are replaced through a temporary file, leaving none behind; a hard-linked file is
// written in place so both names keep showing one file; a symbolic link stays and its target is written.
TEST(SafeFileWriter, ReplacesContentsKeepingOwnerAndModeAndWritesThroughLinks)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("f");
    for (const QByteArray& after : {QByteArray(10, 'b'), QByteArray(1000, 'c'), QByteArray(100000, 'd'), QByteArray()}) {
        writeAll(path, QByteArray(1000, 'a'));
        const Saved saved = save(path, after);
        EXPECT_TRUE(saved.ok && saved.throughTemporary) << after.size();
        EXPECT_EQ(readAll(path), after);
    }
    EXPECT_EQ(entryCount(dir.path()), 1) << "no temporary file left";
    ASSERT_EQ(::link(encoded(path).constData(), encoded(dir.filePath("hard")).constData()), 0);
    const Saved saved = save(path, "hard-linked");
    EXPECT_TRUE(saved.ok && !saved.throughTemporary);
    EXPECT_EQ(readAll(dir.filePath("hard")), "hard-linked");
    ASSERT_TRUE(QFile::link(path, dir.filePath("sym")));
    ASSERT_TRUE(save(dir.filePath("sym"), "via link").ok);
    EXPECT_TRUE(QFileInfo(dir.filePath("sym")).isSymLink());
    EXPECT_EQ(readAll(path), "via link");
    // Dangling links get their target and stay: first -> sub/second (absolute) -> target (relative to sub).
    QDir(dir.path()).mkdir("sub");
    const QString first = dir.filePath("first");
    const QString second = dir.filePath("sub/second");
    ASSERT_EQ(::symlink(encoded(second).constData(), encoded(first).constData()), 0);
    ASSERT_EQ(::symlink("target", encoded(second).constData()), 0);
    ASSERT_TRUE(save(first, "made").ok);
    EXPECT_TRUE(S_ISLNK(statOf(first).st_mode) && S_ISLNK(statOf(second).st_mode));
    EXPECT_EQ(readAll(dir.filePath("sub/target")), "made");
    const QString loop = dir.filePath("loop");
    ASSERT_EQ(::symlink(encoded(loop).constData(), encoded(loop).constData()), 0);
    EXPECT_EQ(save(loop, "x").error, reason(ELOOP));
    // A name as long as the system allows is replaced too.
    const QString named = dir.filePath(QString(255, QLatin1Char('n')));
    ASSERT_TRUE(save(named, "first").ok);
    const Saved again = save(named, "second");
    EXPECT_TRUE(again.ok && again.throughTemporary && readAll(named) == "second") << again.error.toStdString();
    EXPECT_EQ(entryCount(dir.path()), 7) << "no temporary file left";
    // A replaced file keeps its owner, set-id bits and extended attributes.
    const QString tool = makeFile(dir, "bin", {0, 0755, kOtherUser, kOtherGroup, 06755}, "old");
    // A POSIX access ACL as the kernel stores it: user::rwx user:4242:r-x group::r-x mask::r-x other::r-x.
    const quint32 acl[] = {2, 0x70001, ~0u, 0x50002, kOtherUser, 0x50004, ~0u, 0x50010, ~0u, 0x50020, ~0u};
    const QByteArray aclBytes(reinterpret_cast<const char*>(acl), sizeof acl);
    const bool hasUser = ::setxattr(encoded(tool).constData(), "user.origin", "lab", 3, 0) == 0;
    const bool hasAcl = ::setxattr(encoded(tool).constData(), "system.posix_acl_access", acl, sizeof acl, 0) == 0;
    const struct stat before = statOf(tool);
    const Saved replaced = save(tool, "new contents");
    ASSERT_TRUE(replaced.ok && replaced.throughTemporary) << replaced.error.toStdString();
    const struct stat after = statOf(tool);
    EXPECT_NE(after.st_ino, before.st_ino) << "replaced, not rewritten";
    EXPECT_EQ(after.st_mode, before.st_mode) << std::oct << after.st_mode << " vs " << before.st_mode;
    EXPECT_TRUE(after.st_uid == kOtherUser && after.st_gid == kOtherGroup);
    EXPECT_EQ(attribute(tool, "user.origin"), hasUser ? "lab" : "<none>");
    EXPECT_EQ(attribute(tool, "system.posix_acl_access"), hasAcl ? aclBytes : "<none>");
}

// As an ordinary user: what writing in place would refuse is refused, and what it may write but not replace
// is written in place, keeping owner, group and mode; links planted in shared folders are not followed.
TEST(SafeFileWriter, DoesWhatWritingInPlaceWouldDoAsAnOrdinaryUser)
{
    if (!AsOrdinaryUser::possible())
        GTEST_SKIP() << "needs root to act as another user";
    const std::tuple<const char*, Setting, bool> rows[] = {  // name, folder and file, written
        {"own-read-only", {kNobody, 0755, kNobody, kNobody, 0444}, false},
        {"others-in-world-writable", {0, 0777, kOtherUser, kOtherGroup, 0644}, false},
        {"others-in-sticky", {0, 01777, kOtherUser, kOtherGroup, 0644}, false},
        {"others-writable-in-sticky", {0, 01777, kOtherUser, kOtherGroup, 0666}, true},
        {"own-in-unwritable-folder", {0, 0755, kNobody, kNobody, 0644}, true},
        {"group-not-ours", {kNobody, 0755, kNobody, kOtherGroup, 0664}, true},
    };
    QTemporaryDir dir;
    ::chmod(encoded(dir.path()).constData(), 0755);  // other users may enter it
    for (const auto& [name, setting, written] : rows) {
        const QString path = makeFile(dir, name, setting, QByteArray(100, 'o'));
        const Saved saved = save(path, "new", -1, true);
        EXPECT_TRUE(saved.ok == written && !(written && saved.throughTemporary)) << name;
        EXPECT_EQ(saved.error, written ? QString() : reason(EACCES)) << name;
        EXPECT_EQ(readAll(path), written ? "new" : QByteArray(100, 'o')) << name;
        const struct stat st = statOf(path);
        EXPECT_TRUE(st.st_uid == setting.owner && st.st_gid == setting.group
                    && (st.st_mode & 07777) == setting.mode) << name << std::oct << " " << st.st_mode;
        EXPECT_EQ(entryCount(QFileInfo(path).path()), 1) << name;
    }
    const QString folder = QFileInfo(makeFile(dir, "ro", {0, 0555, 0, 0, 0644}, "")).path();
    EXPECT_EQ(save(folder + "/new", "bytes", -1, true).error, reason(EACCES)) << "a new file in a read-only folder";
    EXPECT_EQ(entryCount(folder), 1);
    // Links in shared folders are followed only as the kernel's rule allows: nobody saves through links to
    // nobody's file in a sticky world-writable folder of root's, like /tmp.
    const QString shared = makeFile(dir, "shared", {0, 01777, 0, 0, 0644}, "");
    const QString victim = makeFile(dir, "home", {kNobody, 0755, kNobody, kNobody, 0644}, "victim's");
    for (const uid_t linkOwner : {kOtherUser, kNobody, uid_t(0)}) {
        const QString link = shared + QString::number(linkOwner);
        ASSERT_EQ(::symlink(encoded(victim).constData(), encoded(link).constData()), 0);
        ::lchown(encoded(link).constData(), linkOwner, linkOwner);
        const Saved saved = save(link, QByteArray::number(linkOwner), -1, true);
        const bool planted = linkOwner == kOtherUser;  // only the follower's and the folder owner's are followed
        EXPECT_EQ(saved.error, planted ? reason(EACCES) : QString()) << linkOwner;
        EXPECT_EQ(readAll(victim), planted ? "victim's" : QByteArray::number(linkOwner)) << linkOwner;
    }
}

// The limit's signal is left as it is: the writer must not let it end the program.
TEST(SafeFileWriter, FileSizeLimitLeavesTheOldBytes)
{
    // Hard-linked (written in place), new size, declared size; more written than declared: the kernel itself
    // refuses, mid-write.
    const std::tuple<bool, int, int> rows[] = {{false, 200000, 200000}, {true, 200000, 200000}, {true, 60000, 60000},
                                               {false, 200000, 100}};
    for (const auto& [hardLinked, newSize, declared] : rows) {
        QTemporaryDir dir;
        const QString path = dir.filePath("keep");
        const QByteArray original(100000, 'k');
        writeAll(path, original);
        if (hardLinked)
            ::link(encoded(path).constData(), encoded(dir.filePath("link")).constData());
        rlimit previous {};
        ::getrlimit(RLIMIT_FSIZE, &previous);
        const rlimit limited{4096, previous.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limited);
        const Saved saved = save(path, QByteArray(newSize, 'n'), declared);
        ::setrlimit(RLIMIT_FSIZE, &previous);
        EXPECT_EQ(saved.error, reason(EFBIG)) << newSize << " " << declared;
        EXPECT_TRUE(!saved.ok && readAll(path) == original) << newSize;
        EXPECT_EQ(entryCount(dir.path()), hardLinked ? 2 : 1) << newSize << ": temporary file removed";
    }
}

TEST(SafeFileWriter, FullDiskLeavesTheOldBytes)
{
    QTemporaryDir dir;
    const QString mountPoint = dir.filePath("small");
    QDir().mkdir(mountPoint);
    // A 1 MiB file system of our own, in a mount namespace of a child process.
    const ChildOutcome outcome = runInChild([&] {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || ::mount("tmpfs", encoded(mountPoint).constData(), "tmpfs", 0, "size=1m") != 0)
            return QByteArray("skip");
        QByteArray report;
        const QString path = mountPoint + "/file";
        for (const bool hardLinked : {false, true}) {
            const QByteArray original(600 * 1024, 'o');
            writeAll(path, original);
            if (hardLinked)
                ::link(encoded(path).constData(), encoded(mountPoint + "/link").constData());
            const Saved saved = save(path, QByteArray(1200 * 1024, 'n'));
            report += (saved.ok ? "saved " : "failed ") + saved.error.toUtf8() + (readAll(path) == original ? " kept " : " lost ")
                + QByteArray::number(entryCount(mountPoint)) + '\n';
            ::unlink(encoded(mountPoint + "/link").constData());
            ::unlink(encoded(path).constData());
        }
        return report;
    });
    ASSERT_TRUE(outcome.exitedNormally);
    if (outcome.report == "skip")
        GTEST_SKIP() << "cannot mount a small file system here";
    const QByteArray line = "failed " + reason(ENOSPC).toUtf8() + " kept ";
    EXPECT_EQ(outcome.report.toStdString(), (line + "1\n" + line + "2\n").toStdString());
}

TEST(SafeFileWriter, StreamsAndCharacterDevicesAreRefusedAtOnce)
{
    QTemporaryDir dir;
    const OwnedPty pty;
    const QString fifo = dir.filePath("fifo");
    ASSERT_EQ(::mkfifo(encoded(fifo).constData(), 0666), 0);
    const QString socketPath = dir.filePath("socket");
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{AF_UNIX, {}};
    std::strncpy(address.sun_path, encoded(socketPath).constData(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    const std::pair<QString, const char*> rows[] = {
        {fifo, "Is a named pipe (FIFO), not a file or disk"}, {socketPath, "Is a socket, not a file or disk"},
        {pty.path, "Is a character device, not a file or disk"}, {dir.path(), "Is a directory"}};
    Watchdog watchdog;
    for (const auto& [path, error] : rows)
        EXPECT_EQ(save(path, "bytes").error, QString::fromLatin1(error));
    ::close(sock);
    EXPECT_TRUE(S_ISFIFO(statOf(fifo).st_mode));
    EXPECT_EQ(entryCount(dir.path()), 2) << "nothing created beside them";
}
