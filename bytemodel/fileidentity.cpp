#include "bytemodel/fileidentity.h"

#include <QFile>

#include <sys/stat.h>

namespace {

FileIdentity identityOf(const struct stat& st)
{
    return {st.st_dev, st.st_ino, st.st_size, st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec};
}

}  // namespace

FileIdentity FileIdentity::of(int fd)
{
    struct stat st {};
    return ::fstat(fd, &st) == 0 ? identityOf(st) : FileIdentity{};
}

FileIdentity FileIdentity::of(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? identityOf(st) : FileIdentity{};
}
