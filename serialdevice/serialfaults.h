#pragma once

#include <QString>

#include <mutex>

class SerialDevice;

/// Makes a device fail as hardware does, for tests of the transfers' failure
/// paths: the next device opened at a path accepts a number of bytes, then
/// every write fails with an errno.
class SerialFaults {
public:
    static void failWritesAfter(const QString& path, qint64 acceptedBytes, int errnoValue);

private:
    friend class SerialDevice;
    /// Hands the fault planned for path to the device just opened there, once.
    static void applyTo(SerialDevice& device, const QString& path);

    struct Plan {
        QString path;
        qint64 acceptedBytes = -1;
        int errnoValue = 0;
    };
    static std::mutex s_lock;
    static Plan s_plan;
};
