// Services: the operating-system services that a configuration window works through.
#pragma once

#include "platform/driver_device.h"
#include "platform/installer_runner.h"
#include "platform/settings_store.h"
#include "platform/sleeper.h"
#include "platform/user_interface.h"

namespace qv {

// Non-owning: whoever builds the window (WinMain, a test) owns the services and
// keeps them alive for as long as the window lives.
struct Services {
    SettingsStore& store;
    DriverDevice& device;
    InstallerRunner& installer;
    UserInterface& ui;
    Sleeper& sleeper;
};

}  // namespace qv
