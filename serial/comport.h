#pragma once

#include "serial/portconnection.h"

class PortUsageTable;
class QWidget;

/// Opens the connection's port with its settings for a transfer, mapping the
/// port name to its device; on failure the user has been told why.
bool OpenComPort(PortConnection& connection, PortUsageTable& usage, QWidget* parent);
/// Closes the connection's port if it is open; never tells the user anything,
/// so a transfer's worker thread may call it.
bool CloseComPort(PortConnection& connection, PortUsageTable& usage);
