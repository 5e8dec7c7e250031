// Measures a send of 16 MiB through a pseudo-terminal with the send worker,
// and, in the same run on the same pty, `cat FILE > PTY` and one write() per
// byte; a thread drains the far end and counts what arrives.
// Usage: send_bench WORKDIR
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include "benchpty.h"
#include "bytemodel/bytemodel.h"
#include "serial/comportaccess.h"
#include "serial/portusagetable.h"
#include "serial/sendworker.h"

namespace {

constexpr qint64 kSize = qint64(16) << 20;

/// Reads the master until count bytes came; returns the count that did.
qint64 drain(int master, qint64 count)
{
    static char chunk[1 << 16];
    qint64 received = 0;
    pollfd ready{master, POLLIN, 0};
    while (received < count && ::poll(&ready, 1, 5000) == 1) {
        const ssize_t got = ::read(master, chunk, sizeof chunk);
        if (got <= 0)
            break;
        received += got;
    }
    return received;
}

/// Runs send while a thread drains the far end; MB/s from start to the last byte.
template <typename Send>
double measure(int master, Send send)
{
    std::atomic<qint64> received{0};
    QElapsedTimer timer;
    timer.start();
    std::thread reader([&] { received = drain(master, kSize); });
    send();
    reader.join();
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    if (received != kSize)
        std::fprintf(stderr, "only %lld of %lld bytes arrived\n", static_cast<long long>(received.load()),
                     static_cast<long long>(kSize));
    return double(kSize) / 1e6 / seconds;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: send_bench WORKDIR\n");
        return 2;
    }
    const BenchPty pty;
    if (!pty.isOpen())
        return 1;
    const int master = pty.master;
    const char* name = pty.name;
    // Between the runs no program has the slave open, and a master without
    // one reads EIO: the drain would end before cat opens it.
    const int heldSlave = ::open(name, O_RDWR | O_NOCTTY);
    const QString slavePath = QString::fromLocal8Bit(name);
    ByteModel bytes;
    ByteBuffer data(std::size_t(kSize), 0);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = std::uint8_t(i * 131 + 7);
    const QString file = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/send.bin");
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(reinterpret_cast<const char*>(data.data()), kSize) != kSize)
        return 1;
    out.close();
    bytes.assign(std::move(data));

    PortUsageTable table(4);
    PortConnection port{PortSettings{QStringLiteral("COM1"), 115200, 8, 0, 0}, nullptr};
    if (const auto failure = ComPortAccess::open(port, slavePath, table)) {
        std::fprintf(stderr, "%s\n", qPrintable(*failure));
        return 1;
    }
    const double worker = measure(master, [&] {
        auto job = SendWorker::start(&app, bytes, port.handle, [&](bool, const SendOutcome&) { app.quit(); });
        app.exec();
    });
    ComPortAccess::close(port, table);

    const QByteArray command = "cat '" + QFile::encodeName(file) + "' > '" + QByteArray(name) + "'";
    const double cat = measure(master, [&] { std::system(command.constData()); });

    const double perByte = measure(master, [&] {
        const int fd = ::open(name, O_WRONLY | O_NOCTTY);
        for (qint64 i = 0; i < kSize; ++i) {
            const char byte = char(i);
            while (::write(fd, &byte, 1) != 1) {
            }
        }
        ::close(fd);
    });
    ::close(heldSlave);
    std::printf("send_16mib_worker_mb_s=%.1f cat_to_pty_mb_s=%.1f write_per_byte_mb_s=%.1f\n", worker, cat, perByte);
    QFile::remove(file);
    ::close(master);
    return 0;
}
