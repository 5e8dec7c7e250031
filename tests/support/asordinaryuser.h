#pragma once

#include <sys/fsuid.h>
#include <unistd.h>

/// The user id of "nobody", an ordinary user without privileges.
constexpr uid_t kNobody = 65534;

/// Makes the file-system checks of this thread those of the ordinary user
/// nobody (the file-system capabilities go with the change), so that
/// permission tests mean something when the suite runs as root.
class AsOrdinaryUser {
public:
    AsOrdinaryUser() : m_previousGroup(possible() ? ::setfsgid(kNobody) : -1), m_previous(possible() ? ::setfsuid(kNobody) : -1) {}
    ~AsOrdinaryUser()
    {
        if (m_previous >= 0)
            ::setfsuid(uid_t(m_previous));
        if (m_previousGroup >= 0)
            ::setfsgid(gid_t(m_previousGroup));
    }
    AsOrdinaryUser(const AsOrdinaryUser&) = delete;
    AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;

    /// False when the suite does not run as root and cannot become nobody.
    static bool possible() { return ::geteuid() == 0; }

private:
    int m_previousGroup;
    int m_previous;
};
