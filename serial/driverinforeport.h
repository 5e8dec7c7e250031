#pragma once

class QString;
class QWidget;
class SerialPorts;

/// Com Driver Info: asks the driver of a port what it can do and shows the
/// answer. Borrows the handle of a port this program has open (a transfer
/// goes on undisturbed), else opens the port just for the question.
void ShowComDriverInfo(const QString& portName, SerialPorts& ports, QWidget* parent);
