// ConnectToDriver: asks the driver whether it runs and lets the driver buttons say so.
#include <cstdint>

#include "qvconfig/driver/driver_interface.h"
#include "qvconfig/window/editor.h"

namespace qv {

namespace {

// The driver runs when the status request succeeds and answers more than 0; a failed
// request counts as not running, and the answer starts as 0 in case the driver leaves it.
bool DriverReportsRunning(DeviceHandle& device) {
    std::int32_t status = 0;
    return device.IoControl(StatusRequest.code, &status, StatusRequest.outputSize) && status > 0;
}

}  // namespace

// The three buttons stay disabled while the driver is asked, so none is ever
// offered on a guess; the device is closed when the handle goes out of scope.
void Editor::ConnectToDriver() {
    Command4.SetEnabled(false);
    Command5.SetEnabled(false);
    Command6.SetEnabled(false);
    const auto device = services_.device.Open(DeviceOpenForm::Status);
    if (!device) {
        Command4.SetEnabled(true);
        return;
    }
    const bool running = DriverReportsRunning(*device);
    Command4.SetEnabled(!running);
    Command5.SetEnabled(running);
    Command6.SetEnabled(running);
}

}  // namespace qv
