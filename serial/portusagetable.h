#pragma once

#include <QtGlobal>

#include <map>
#include <memory>
#include <mutex>

class SerialDevice;

/// Which ports this process has open, and their handles, by port number, so
/// that the driver report can borrow the handle of a port in use.
class PortUsageTable {
public:
    /// Records for every port number from 0 to maxComPort and one more.
    explicit PortUsageTable(int maxComPort);

    /// Adds records so that every number up to maxComPort has one; none are removed.
    void extendTo(int maxComPort);
    int recordCount() const;

    void markUsed(int portNumber, std::shared_ptr<SerialDevice> handle);
    void markFree(int portNumber);
    bool inUse(int portNumber) const;
    /// The handle of a port in use, or nullptr.
    std::shared_ptr<SerialDevice> handle(int portNumber) const;

private:
    struct Record {
        quint32 inUse = 0;
        std::shared_ptr<SerialDevice> handle;
    };

    // Keyed by number: a port named beyond the table (an edited default port)
    // gets its record when it is opened instead of being written past the end.
    std::map<int, Record> m_records;
    mutable std::mutex m_lock;  // workers close their ports on their own threads
};
