#pragma once

#include <QString>

#include <sys/types.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <shared_mutex>
#include <span>

#include "serialdevice/commproperties.h"
#include "serialdevice/serialfaults.h"
#include "serialdevice/windowserror.h"

/// The line settings the program sets on a port, in the device control
/// block's codes: parity 0 none, 1 odd, 2 even, 3 mark, 4 space; stop bits 0
/// one, 1 one and a half, 2 two.
struct LineSettings {
    quint32 baudRate = 9600;
    quint8 byteSize = 8;
    quint8 parity = 0;
    quint8 stopBits = 0;

    bool operator==(const LineSettings&) const = default;
};

/// Time-outs in milliseconds as the Windows record has them; a read or write
/// of one byte may take multiplier + constant, and 0 for both means no limit.
struct CommTimeouts {
    quint32 readIntervalTimeout = 0;
    quint32 readTotalTimeoutMultiplier = 0;
    quint32 readTotalTimeoutConstant = 0;
    quint32 writeTotalTimeoutMultiplier = 0;
    quint32 writeTotalTimeoutConstant = 0;
};

enum class ModemEscape { SetDtr, ClrDtr, SetRts, ClrRts };

/// An open serial device: the operations the program needs of a port,
/// each reporting a Windows-style error code. Opening takes the port for
/// this handle alone. Reads, writes and queries may run on several threads at
/// once; close() wakes a thread waiting for a byte and waits for it to leave.
class SerialDevice {
public:
    /// Opens the device for exclusive use; nullptr and the error on failure.
    static std::shared_ptr<SerialDevice> open(const QString& path, SystemError& error);
    ~SerialDevice();
    SerialDevice(const SerialDevice&) = delete;
    SerialDevice& operator=(const SerialDevice&) = delete;

    /// The device file the path led to (symbolic links resolved).
    const QString& devicePath() const { return m_devicePath; }

    SystemError getState(LineSettings& settings) const;
    /// Sets the line settings, then reads them back: a setting the driver
    /// refused or silently replaced fails with code 87.
    SystemError setState(const LineSettings& settings);
    SystemError setTimeouts(const CommTimeouts& timeouts);
    /// Raises or lowers DTR or RTS; a device without modem lines accepts it silently.
    SystemError escape(ModemEscape function);
    /// Reads what has arrived, up to buffer's size, waiting at most the
    /// one-byte read time-out for the first byte; received is 0 when none
    /// came in time. A hang-up is a failure, never a time-out. When stop is
    /// set by the time interruptRead() wakes the reader, nothing is read.
    SystemError read(std::span<quint8> buffer, qint64& received, const std::atomic<bool>* stop = nullptr);
    /// Wakes a reader waiting with a stop flag, which returns at once with
    /// nothing read once its flag is set.
    void interruptRead();
    /// Hands the device as many of bytes as it accepts, waiting at most the
    /// one-byte write time-out for room; written says how many went. When
    /// stop is set by the time there is room, nothing is written.
    SystemError write(std::span<const quint8> bytes, qint64& written, const std::atomic<bool>* stop = nullptr);
    /// Drops the output not yet sent and wakes a writer waiting for room,
    /// which writes nothing more once its stop flag is set.
    SystemError discardOutput();
    SystemError properties(CommProperties& properties) const;
    SystemError close();

private:
    /// The event descriptors: the close wake, and one stop signal for a
    /// writer and one for a reader, so that neither consumes the other's.
    struct Wakes {
        int close;
        int writeStop;
        int readStop;
    };
    SerialDevice(int fd, Wakes wakes, QString devicePath);
    static int release(int fd);
    template <typename Transfer>
    SystemError transfer(short events, quint32 limitMs, const std::atomic<bool>* stop, int stopFd, qint64& moved,
                         Transfer move);

    friend class SerialFaults;

    int m_fd;
    Wakes m_wakes;
    QString m_devicePath;
    CommTimeouts m_timeouts;
    mutable std::shared_mutex m_lock;  // shared while a call uses the descriptor, exclusive to close it
    std::mutex m_outputLock;           // a stopped writer's check and write against discarding the output
    FaultBudget m_writeFault;          // injected by SerialFaults; guarded by m_outputLock
    FaultBudget m_readFault;           // injected by SerialFaults; one reader at a time
};
