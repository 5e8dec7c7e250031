#pragma once

class QWidget;
class SerialPorts;
struct PortSettings;

/// The port settings commands: what each does with its dialog's answer.
namespace PortCommands {

/// Current Settings: the window's settings take the dialog's values on OK.
void currentSettings(PortSettings& settings, const SerialPorts& ports, QWidget* parent);
/// Set Default: the application's defaults take the values and are stored.
void setDefault(SerialPorts& ports, QWidget* parent);
/// Max Com Port: the new highest port number is stored and the usage table grows.
void maxComPort(SerialPorts& ports, QWidget* parent);

}  // namespace PortCommands
