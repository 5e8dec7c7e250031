#pragma once

#include <memory>

#include "serial/portsettings.h"

class SerialDevice;

/// A document's port: its settings and, while a transfer runs, the open
/// device. Workers copy the handle once, under the document's lock.
struct PortConnection {
    PortSettings settings;
    std::shared_ptr<SerialDevice> handle;
};
