#pragma once

#include "serial/portsettings.h"

class QSettings;

/// The application's port defaults and the highest port number offered.
struct DefaultPortSettings {
    int maxComPort = 4;
    PortSettings port;
};

/// The "Default Settings" group of the settings file: six text values, each
/// written back with its default when it is missing or too long to read.
namespace DefaultSettingsStore {

constexpr int kSmallestMaxComPort = 4;
/// The most the Max Com Port field's four digits can hold.
constexpr int kLargestMaxComPort = 9999;

DefaultPortSettings load(QSettings& settings);
void saveDefaults(QSettings& settings, const PortSettings& port);
void saveMaxComPort(QSettings& settings, int maxComPort);

}  // namespace DefaultSettingsStore
