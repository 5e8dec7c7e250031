#include "serialdevice/devicegroup.h"

#include <QFile>

#include <vector>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr long kFallbackBufferSize = 4096;

bool groupMayReadAndWrite(const struct stat& st)
{
    return st.st_gid != 0 && (st.st_mode & S_IRGRP) && (st.st_mode & S_IWGRP);
}

}  // namespace

QString deviceAccessGroup(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !groupMayReadAndWrite(st))
        return {};
    const long suggested = ::sysconf(_SC_GETGR_R_SIZE_MAX);
    std::vector<char> buffer(std::size_t(suggested > 0 ? suggested : kFallbackBufferSize));
    group entry {};
    group* found = nullptr;
    if (::getgrgid_r(st.st_gid, &entry, buffer.data(), buffer.size(), &found) == 0 && found)
        return QString::fromLocal8Bit(found->gr_name);
    return QString::number(st.st_gid);
}
