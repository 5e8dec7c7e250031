#include "serialdevice/serialdevice.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <utility>

// termios2 (arbitrary baud rates) comes from the kernel's headers, which clash
// with the C library's <termios.h>; this file therefore uses only the ioctls.
#include <asm/termbits.h>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "serialdevice/serialcapabilities.h"
#include "serialdevice/serialfaults.h"
#include "serialdevice/uucplock.h"

namespace {

using WindowsError::Phase;

constexpr tcflag_t kSizeFlags[] = {CS5, CS6, CS7, CS8};
constexpr quint8 kSmallestByteSize = 5;
constexpr quint8 kOneAndHalfStopBits = 1;
constexpr tcflag_t kParityMask = PARENB | PARODD | CMSPAR;
/// Indexed by the parity code: none, odd, even, mark, space.
constexpr tcflag_t kParityFlags[] = {0, PARENB | PARODD, PARENB, PARENB | PARODD | CMSPAR, PARENB | CMSPAR};
/// A driver may store the rate its divisor reaches; within 2 % the line still works.
constexpr quint32 kBaudTolerance = 50;

SystemError transferError(int errnoValue)
{
    return WindowsError::fromErrno(errnoValue, Phase::Transfer);
}

SystemError lastTransferError()
{
    return transferError(errno);
}

SystemError invalidHandle()
{
    return transferError(EBADF);
}

SystemError invalidParameter()
{
    return transferError(EINVAL);
}

/// Windows drivers refuse what a 16550 cannot do: 4 data bits, and 1.5 stop
/// bits with anything but 5 data bits (2 stop bits with 5 would give 1.5).
bool lineSupported(const LineSettings& s)
{
    const bool fiveBits = s.byteSize == kSmallestByteSize;
    const bool stopBitsFit = s.stopBits == 0 || (s.stopBits <= 2 && (s.stopBits == kOneAndHalfStopBits) == fiveBits);
    return s.baudRate != 0 && s.byteSize >= kSmallestByteSize && s.byteSize <= 8 && s.parity < std::size(kParityFlags)
           && stopBitsFit;
}

LineSettings lineOf(const termios2& t)
{
    LineSettings s;
    s.baudRate = t.c_ospeed;
    for (std::size_t i = 0; i < std::size(kSizeFlags); ++i) {
        if ((t.c_cflag & CSIZE) == kSizeFlags[i])
            s.byteSize = quint8(kSmallestByteSize + i);
    }
    s.parity = 0;
    for (std::size_t i = 0; i < std::size(kParityFlags) && (t.c_cflag & PARENB); ++i) {
        if ((t.c_cflag & kParityMask) == kParityFlags[i])
            s.parity = quint8(i);
    }
    const bool fiveBits = (t.c_cflag & CSIZE) == CS5;
    s.stopBits = (t.c_cflag & CSTOPB) ? (fiveBits ? kOneAndHalfStopBits : 2) : 0;
    return s;
}

bool sameLine(const LineSettings& applied, const LineSettings& wanted)
{
    const quint32 deviation = applied.baudRate > wanted.baudRate ? applied.baudRate - wanted.baudRate
                                                                 : wanted.baudRate - applied.baudRate;
    return deviation * kBaudTolerance <= wanted.baudRate && applied.byteSize == wanted.byteSize
           && applied.parity == wanted.parity && applied.stopBits == wanted.stopBits;
}

void applyLine(termios2& t, const LineSettings& s)
{
    t.c_cflag &= ~(CSIZE | kParityMask | CSTOPB | CBAUD | (CBAUD << IBSHIFT));
    t.c_cflag |= kSizeFlags[s.byteSize - kSmallestByteSize] | kParityFlags[s.parity] | (s.stopBits ? CSTOPB : 0);
    t.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    t.c_ispeed = s.baudRate;
    t.c_ospeed = s.baudRate;
}

/// A Windows port always passes bytes unchanged: no line editing, echo,
/// signals or newline translation, and no hang-up on a carrier drop. The tty
/// layer's XON/XOFF handling, on by default for terminals, would swallow the
/// bytes 0x11 and 0x13 of a transfer; RTS/CTS stays as the driver has it.
void applyBinaryMode(termios2& t)
{
    t.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY);
    t.c_oflag &= ~OPOST;
    t.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag |= CREAD | CLOCAL;
    // At least one byte per read: a read of 0 bytes then always means a hang-up.
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
}

SystemError openFailure(int fd, int errnoValue)
{
    if (fd >= 0)
        ::close(fd);
    return WindowsError::fromErrno(errnoValue, Phase::Open);
}

}  // namespace

SerialDevice::SerialDevice(int fd, Wakes wakes, QString devicePath)
    : m_fd(fd)
    , m_wakes(wakes)
    , m_devicePath(std::move(devicePath))
{
}

SerialDevice::~SerialDevice()
{
    if (m_fd >= 0)
        release(m_fd);
    for (int eventFd : {m_wakes.close, m_wakes.writeStop, m_wakes.readStop})
        ::close(eventFd);
}

int SerialDevice::release(int fd)
{
    // Exclusive mode belongs to the tty, not to this descriptor: a tty that
    // someone else keeps open (a console) would stay closed to others.
    ::ioctl(fd, TIOCNXCL);
    return ::close(fd);
}

std::shared_ptr<SerialDevice> SerialDevice::open(const QString& path, SystemError& error)
{
    const QString devicePath = QFileInfo(path).canonicalFilePath();
    if (!devicePath.isEmpty() && UucpLock::heldByLiveProcess(path, devicePath)) {
        error = WindowsError::fromErrno(EBUSY, Phase::Open);
        return nullptr;
    }
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = openFailure(-1, errno);
        return nullptr;
    }
    // flock keeps out every other open, in this process too; TIOCEXCL keeps out
    // programs that do not lock, where the driver allows it.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        error = openFailure(fd, errno);
        return nullptr;
    }
    ::ioctl(fd, TIOCEXCL);
    const Wakes wakes{::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK), ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK),
                      ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)};
    if (wakes.close < 0 || wakes.writeStop < 0 || wakes.readStop < 0) {
        error = openFailure(fd, errno);
        for (int eventFd : {wakes.close, wakes.writeStop, wakes.readStop}) {
            if (eventFd >= 0)
                ::close(eventFd);
        }
        return nullptr;
    }
    error = {};
    std::shared_ptr<SerialDevice> device(new SerialDevice(fd, wakes, devicePath.isEmpty() ? path : devicePath));
    SerialFaults::applyTo(*device, path);
    return device;
}

SystemError SerialDevice::getState(LineSettings& settings) const
{
    std::shared_lock guard(m_lock);
    if (m_fd < 0)
        return invalidHandle();
    termios2 t {};
    if (::ioctl(m_fd, TCGETS2, &t) != 0)
        return lastTransferError();
    settings = lineOf(t);
    return {};
}

SystemError SerialDevice::setState(const LineSettings& settings)
{
    std::shared_lock guard(m_lock);
    if (m_fd < 0)
        return invalidHandle();
    if (!lineSupported(settings))
        return invalidParameter();
    termios2 t {};
    if (::ioctl(m_fd, TCGETS2, &t) != 0)
        return lastTransferError();
    applyBinaryMode(t);
    applyLine(t, settings);
    if (::ioctl(m_fd, TCSETS2, &t) != 0 || ::ioctl(m_fd, TCGETS2, &t) != 0)
        return lastTransferError();
    return sameLine(lineOf(t), settings) ? SystemError{} : invalidParameter();
}

SystemError SerialDevice::setTimeouts(const CommTimeouts& timeouts)
{
    std::unique_lock guard(m_lock);
    if (m_fd < 0)
        return invalidHandle();
    m_timeouts = timeouts;
    return {};
}

SystemError SerialDevice::escape(ModemEscape function)
{
    std::shared_lock guard(m_lock);
    if (m_fd < 0)
        return invalidHandle();
    const bool raise = function == ModemEscape::SetDtr || function == ModemEscape::SetRts;
    const int lines = (function == ModemEscape::SetDtr || function == ModemEscape::ClrDtr) ? TIOCM_DTR : TIOCM_RTS;
    if (::ioctl(m_fd, raise ? TIOCMBIS : TIOCMBIC, &lines) == 0 || errno == ENOTTY || errno == EINVAL)
        return {};
    return lastTransferError();
}

template <typename Transfer>
SystemError SerialDevice::transfer(short events, quint32 limitMs, const std::atomic<bool>* stop, int stopFd,
                                   qint64& moved, Transfer move)
{
    using Clock = std::chrono::steady_clock;
    moved = 0;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(limitMs);
    for (;;) {
        int timeoutMs = -1;
        if (limitMs != 0) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
            if (left <= 0)
                return {};
            timeoutMs = int(left);
        }
        // Only a stoppable transfer waits for its stop signal, so that no other consumes it.
        pollfd fds[] = {{m_fd, events, 0}, {m_wakes.close, POLLIN, 0}, {stop ? stopFd : -1, POLLIN, 0}};
        if (::poll(fds, std::size(fds), timeoutMs) < 0) {
            if (errno == EINTR)
                continue;
            return lastTransferError();
        }
        if (fds[1].revents != 0)
            return transferError(ECANCELED);
        if (fds[0].revents & POLLNVAL)
            return invalidHandle();
        if (fds[2].revents != 0) {
            std::uint64_t pending = 0;
            [[maybe_unused]] const ssize_t cleared = ::read(stopFd, &pending, sizeof pending);
            if (stop->load(std::memory_order_relaxed))
                return {};
        }
        if (fds[0].revents & (events | POLLHUP | POLLERR)) {
            const std::optional<ssize_t> result = move();
            if (!result)
                return {};  // stopped before anything moved
            if (*result > 0) {
                moved = *result;
                return {};
            }
            // Zero bytes from a ready device, or a hang-up without data, is an unplugged line.
            if (*result == 0 || !(fds[0].revents & events))
                return transferError(EIO);
            if (errno != EAGAIN && errno != EINTR)
                return lastTransferError();
        }
    }
}

SystemError SerialDevice::read(std::span<quint8> buffer, qint64& received, const std::atomic<bool>* stop)
{
    std::shared_lock guard(m_lock);
    received = 0;
    if (m_fd < 0)
        return invalidHandle();
    if (buffer.empty())
        return {};
    return transfer(POLLIN, m_timeouts.readTotalTimeoutMultiplier + m_timeouts.readTotalTimeoutConstant, stop,
                    m_wakes.readStop, received, [&]() -> std::optional<ssize_t> {
                        return m_readFault.apply(buffer, [&](quint8* data, std::size_t count) {
                            return ::read(m_fd, data, count);
                        });
                    });
}

void SerialDevice::interruptRead()
{
    const std::uint64_t signal = 1;
    [[maybe_unused]] const ssize_t signalled = ::write(m_wakes.readStop, &signal, sizeof signal);
}

SystemError SerialDevice::write(std::span<const quint8> bytes, qint64& written, const std::atomic<bool>* stop)
{
    std::shared_lock guard(m_lock);
    written = 0;
    if (m_fd < 0)
        return invalidHandle();
    if (bytes.empty())
        return {};
    return transfer(POLLOUT, m_timeouts.writeTotalTimeoutMultiplier + m_timeouts.writeTotalTimeoutConstant, stop,
                    m_wakes.writeStop, written,
                    [&]() -> std::optional<ssize_t> {
                        const std::lock_guard output(m_outputLock);
                        if (stop && stop->load(std::memory_order_relaxed))
                            return std::nullopt;
                        return m_writeFault.apply(bytes, [&](const quint8* data, std::size_t count) {
                            return ::write(m_fd, data, count);
                        });
                    });
}

SystemError SerialDevice::discardOutput()
{
    std::shared_lock guard(m_lock);
    if (m_fd < 0)
        return invalidHandle();
    const std::lock_guard output(m_outputLock);
    const SystemError result = ::ioctl(m_fd, TCFLSH, TCOFLUSH) == 0 ? SystemError{} : lastTransferError();
    // A driver need not wake a writer when its buffer empties this way (a pty does not).
    const std::uint64_t signal = 1;
    [[maybe_unused]] const ssize_t signalled = ::write(m_wakes.writeStop, &signal, sizeof signal);
    return result;
}

SystemError SerialDevice::properties(CommProperties& properties) const
{
    std::shared_lock guard(m_lock);
    if (m_fd < 0)
        return invalidHandle();
    termios2 t {};
    struct stat st {};
    if (::ioctl(m_fd, TCGETS2, &t) != 0 || ::fstat(m_fd, &st) != 0)
        return lastTransferError();
    SerialFacts facts;
    facts.kind = SerialFacts::kindOf(m_devicePath, major(st.st_rdev));
    int lines = 0;
    facts.modemLines = ::ioctl(m_fd, TIOCMGET, &lines) == 0;
    serial_struct serial {};
    if (::ioctl(m_fd, TIOCGSERIAL, &serial) == 0) {
        facts.baudBase = quint32(std::max(serial.baud_base, 0));
        facts.fifoSize = quint32(std::max(serial.xmit_fifo_size, 0));
    }
    properties = SerialCapabilities::propertiesOf(facts);
    return {};
}

SystemError SerialDevice::close()
{
    const std::uint64_t wake = 1;
    [[maybe_unused]] const ssize_t signalled = ::write(m_wakes.close, &wake, sizeof wake);
    std::unique_lock guard(m_lock);
    if (m_fd < 0)
        return invalidHandle();
    return release(std::exchange(m_fd, -1)) == 0 ? SystemError{} : lastTransferError();
}
