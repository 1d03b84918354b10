// ConnectToDriver: the driver's answer decides which driver buttons are enabled, and the device is closed.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "qvconfig/window/editor.h"
#include "tests/fakes/fake_services.h"

namespace qv {
namespace {

struct Buttons {
    bool enable;
    bool disable;
    bool saveImage;
};

Buttons ButtonsOf(const Editor& e) { return {e.enableButton.Enabled(), e.disableButton.Enabled(), e.saveDiskImageButton.Enabled()}; }

bool operator==(const Buttons& a, const Buttons& b) {
    return a.enable == b.enable && a.disable == b.disable && a.saveImage == b.saveImage;
}

std::ostream& operator<<(std::ostream& out, const Buttons& b) {
    return out << "Enable " << b.enable << ", Disable " << b.disable << ", Save Disk Image " << b.saveImage;
}

constexpr Buttons kNotRunning{true, false, false};
constexpr Buttons kRunning{false, true, true};

class ConnectToDriverTest : public testing::Test {
protected:
    FakePlatform platform;
    Editor editor{platform.Services()};

    // Puts the buttons in a given state first, so that each case shows it sets all three.
    void ConnectFrom(const Buttons& before) {
        editor.enableButton.SetEnabled(before.enable);
        editor.disableButton.SetEnabled(before.disable);
        editor.saveDiskImageButton.SetEnabled(before.saveImage);
        editor.ConnectToDriver();
    }
};

TEST_F(ConnectToDriverTest, TheStatusAnswerSetsTheButtons) {
    struct Row {
        const char* name;
        bool loaded;
        bool callSucceeds;
        std::int32_t status;
        Buttons after;
        std::vector<std::string> deviceCalls;
    };
    const std::vector<std::string> query{"open status", "ioctl 19", "close"};
    const std::vector<Row> rows = {
        {"running", true, true, 1, kRunning, query},
        {"running, large status", true, true, INT32_MAX, kRunning, query},
        {"status 0 is not running", true, true, 0, kNotRunning, query},
        {"negative status", true, true, -1, kNotRunning, query},
        {"failed status call", true, false, 1, kNotRunning, query},
        {"no device", false, true, 1, kNotRunning, {"open status"}},
    };
    for (const Row& row : rows) {
        for (const Buttons& before : {kRunning, kNotRunning}) {
            SCOPED_TRACE(row.name);
            platform.device.loaded = row.loaded;
            platform.device.statusCallSucceeds = row.callSucceeds;
            platform.device.status = row.status;
            platform.device.log.clear();
            ConnectFrom(before);
            EXPECT_EQ(ButtonsOf(editor), row.after);
            EXPECT_EQ(platform.device.log, row.deviceCalls);
            EXPECT_EQ(platform.device.openHandles, 0);
        }
    }
}

// All three buttons go off before the device is asked, so none is offered on a guess.
TEST_F(ConnectToDriverTest, ButtonsAreOffWhileTheDriverIsAsked) {
    platform.device.loaded = true;
    editor.enableButton.SetEnabled(true);
    editor.disableButton.SetEnabled(true);
    editor.saveDiskImageButton.SetEnabled(true);
    struct Watch : FormObserver {
        FakeDriverDevice& device;
        std::vector<std::size_t> deviceCallsAtChange;
        explicit Watch(FakeDriverDevice& d) : device(d) {}
        void OnControlChanged(Control&, ControlProperty) override { deviceCallsAtChange.push_back(device.log.size()); }
        void OnShown() override {}
        void OnUnloaded() override {}
    } watch(platform.device);
    editor.SetObserver(&watch);
    editor.ConnectToDriver();
    editor.SetObserver(nullptr);
    // Three buttons switched off before any device call, two back on after the query.
    ASSERT_EQ(watch.deviceCallsAtChange.size(), 5u);
    EXPECT_EQ(watch.deviceCallsAtChange[0], 0u);
    EXPECT_EQ(watch.deviceCallsAtChange[1], 0u);
    EXPECT_EQ(watch.deviceCallsAtChange[2], 0u);
    EXPECT_GE(watch.deviceCallsAtChange[3], 2u);
    EXPECT_GE(watch.deviceCallsAtChange[4], 2u);
    EXPECT_EQ(ButtonsOf(editor), kRunning);
}

// A device that answers success but leaves the output alone: the answer started at 0.
class SilentDevice : public DriverDevice {
public:
    std::vector<std::uint32_t> codes;
    std::vector<std::uint32_t> sizes;
    std::vector<std::int32_t> presets;
    int openHandles = 0;

    std::unique_ptr<DeviceHandle> Open(DeviceOpenForm form) override {
        EXPECT_EQ(form, DeviceOpenForm::Status);
        return std::make_unique<Handle>(*this);
    }

private:
    class Handle : public DeviceHandle {
    public:
        explicit Handle(SilentDevice& device) : device_(device) { ++device_.openHandles; }
        ~Handle() override { --device_.openHandles; }
        bool IoControl(std::uint32_t code, std::int32_t* output, std::uint32_t outputSize) override {
            device_.codes.push_back(code);
            device_.sizes.push_back(outputSize);
            device_.presets.push_back(output ? *output : -999);
            return true;
        }

    private:
        SilentDevice& device_;
    };
};

TEST(ConnectToDriver, SendsTheStatusRequestWithAFourByteAnswerPresetToZero) {
    FakePlatform platform;
    SilentDevice device;
    Editor editor(Services{platform.store, device, platform.installer, platform.ui, platform.sleeper});
    editor.ConnectToDriver();
    EXPECT_EQ(device.codes, std::vector<std::uint32_t>{19});
    EXPECT_EQ(device.sizes, std::vector<std::uint32_t>{4});
    EXPECT_EQ(device.presets, std::vector<std::int32_t>{0});
    EXPECT_EQ(device.openHandles, 0);
    EXPECT_EQ(ButtonsOf(editor), kNotRunning);
}

}  // namespace
}  // namespace qv
