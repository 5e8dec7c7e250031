#include "serial/comportaccess.h"

#include <utility>

#include "serial/portsettingstext.h"
#include "serial/portusagetable.h"
#include "serial/serialmessages.h"

namespace {

using SerialMessages::OpenStep;

struct ConfigureStep {
    OpenStep step;
    SystemError (*run)(SerialDevice& device, LineSettings& line, const PortSettings& settings);
};

/// Only the four line settings change; the driver's other settings stay.
constexpr ConfigureStep kConfigureSteps[] = {
    {OpenStep::GetState, [](SerialDevice& d, LineSettings& line, const PortSettings&) { return d.getState(line); }},
    {OpenStep::SetState,
     [](SerialDevice& d, LineSettings& line, const PortSettings& s) {
         line.baudRate = s.baudRate;
         line.byteSize = s.byteSize;
         line.parity = s.parity;
         line.stopBits = s.stopBits;
         return d.setState(line);
     }},
    {OpenStep::SetTimeouts,
     [](SerialDevice& d, LineSettings&, const PortSettings&) { return d.setTimeouts(ComPortAccess::kTimeouts); }},
    {OpenStep::SetDtr, [](SerialDevice& d, LineSettings&, const PortSettings&) { return d.escape(ModemEscape::SetDtr); }},
    {OpenStep::SetRts, [](SerialDevice& d, LineSettings&, const PortSettings&) { return d.escape(ModemEscape::SetRts); }},
};

}  // namespace

namespace ComPortAccess {

std::optional<QString> open(PortConnection& connection, const QString& devicePath, PortUsageTable& table)
{
    const QString& port = connection.settings.portName;
    SystemError error;
    const std::shared_ptr<SerialDevice> device = SerialDevice::open(devicePath, error);
    if (!device)
        return SerialMessages::accessFailure(port, error, devicePath);
    LineSettings line;
    for (const ConfigureStep& step : kConfigureSteps) {
        error = step.run(*device, line, connection.settings);
        if (error.failed()) {
            device->close();  // DTR and RTS stay as they are
            return SerialMessages::openStepFailure(step.step, port, error.code);
        }
    }
    connection.handle = device;
    table.markUsed(PortSettingsText::portNumber(port), device);
    return std::nullopt;
}

bool close(PortConnection& connection, PortUsageTable& table)
{
    if (!connection.handle)
        return true;
    const std::shared_ptr<SerialDevice> device = std::exchange(connection.handle, nullptr);
    device->escape(ModemEscape::ClrDtr);
    device->escape(ModemEscape::ClrRts);
    const bool closed = !device->close().failed();
    table.markFree(PortSettingsText::portNumber(connection.settings.portName));
    return closed;
}

}  // namespace ComPortAccess
