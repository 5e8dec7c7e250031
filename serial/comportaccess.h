#pragma once

#include <QString>

#include <optional>

#include "serialdevice/serialdevice.h"
#include "serial/portconnection.h"

class PortUsageTable;

/// Opening a document's port for a transfer and closing it after, over the
/// serial device layer, with the messages that tell why an open failed.
namespace ComPortAccess {

/// A one-byte read waits at most 400 ms; writes wait as long as they must.
constexpr CommTimeouts kTimeouts{400, 400, 0, 0, 0};

/// Opens the device, sets the connection's settings and time-outs, raises DTR
/// and RTS and records the port as used. On failure the connection holds no
/// handle, the table is untouched, and the message to show is returned.
std::optional<QString> open(PortConnection& connection, const QString& devicePath, PortUsageTable& table);
/// Lowers DTR and RTS, closes the handle and frees the port's record; true
/// when there was nothing to close or closing succeeded.
bool close(PortConnection& connection, PortUsageTable& table);

}  // namespace ComPortAccess
