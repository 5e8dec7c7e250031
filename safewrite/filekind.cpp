#include "safewrite/filekind.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace FileKind {

namespace {

struct Refused {
    mode_t type;
    const char* text;
};

constexpr Refused kRefused[] = {
    {S_IFIFO, "Is a named pipe (FIFO), not a file or disk"},
    {S_IFSOCK, "Is a socket, not a file or disk"},
    {S_IFCHR, "Is a character device, not a file or disk"},
};

}  // namespace

QString refusal(unsigned mode)
{
    const mode_t type = mode_t(mode) & S_IFMT;
    if (type == S_IFREG || type == S_IFBLK)
        return {};
    if (type == S_IFDIR)
        return QString::fromLocal8Bit(std::strerror(EISDIR));
    for (const Refused& refused : kRefused) {
        if (refused.type == type)
            return QString::fromLatin1(refused.text);
    }
    return QStringLiteral("Is not a file or disk");
}

}  // namespace FileKind
