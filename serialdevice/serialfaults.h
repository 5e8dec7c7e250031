#pragma once

#include <QString>

#include <sys/types.h>

#include <algorithm>
#include <cerrno>
#include <mutex>

class SerialDevice;

/// The bytes a device moves in one direction before an injected failure.
struct FaultBudget {
    qint64 left = -1;  // bytes still allowed; -1: no fault planned
    int errnoValue = 0;

    /// Moves at most what is left of the budget with move(data, count);
    /// once it is spent, fails with the planned errno instead.
    template <typename Bytes, typename Move>
    ssize_t apply(Bytes bytes, Move move)
    {
        if (left == 0) {
            errno = errnoValue;
            return -1;
        }
        const std::size_t count = left < 0 ? bytes.size() : std::min(bytes.size(), std::size_t(left));
        const ssize_t moved = move(bytes.data(), count);
        if (moved > 0 && left > 0)
            left -= moved;
        return moved;
    }
};

/// Makes a device fail as hardware does, for tests of the transfers' failure
/// paths: the next device opened at a path moves a number of bytes, then
/// every write (or read) fails with an errno.
class SerialFaults {
public:
    static void failWritesAfter(const QString& path, qint64 acceptedBytes, int errnoValue);
    /// A read fails only once bytes are there to read, as a line error does.
    static void failReadsAfter(const QString& path, qint64 deliveredBytes, int errnoValue);

private:
    friend class SerialDevice;
    /// Hands the faults planned for path to the device just opened there, once.
    static void applyTo(SerialDevice& device, const QString& path);

    struct Plan {
        QString path;
        FaultBudget writes;
        FaultBudget reads;
    };
    /// The plan for path, started afresh when it was for another path.
    static Plan& planFor(const QString& path);
    static std::mutex s_lock;
    static Plan s_plan;
};
