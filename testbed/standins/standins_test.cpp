// The stand-ins keep the driver interface under Wine: install, start, status, save, stop, the log and every knob.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/win32/win32_driver_device.h"
#include "platform/win32/win32_installer_runner.h"
#include "qvconfig/driver/driver_interface.h"
#include "testbed/harness/registry.h"
#include "testbed/standins/knobs.h"
#include "testbed/standins/standins.h"

namespace {

using qv::InstallerSwitch;

constexpr DWORD kImagePages = 3;

std::string TempDirectory() {
    char path[MAX_PATH];
    ::GetTempPathA(MAX_PATH, path);
    return path;
}

std::optional<std::uint64_t> FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

class StandIns : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(qvstandins::ClearKnobs());
        ASSERT_TRUE(qvstandins::CopyInto(dir_));
        qvstandins::RemoveDriver(dir_);  // whatever an interrupted run left behind
        ::DeleteFileA((dir_ + "\\" QV_STANDIN_LOG).c_str());
        ASSERT_TRUE(qvtest::WriteString("SaveImageFile", image_));
        ASSERT_TRUE(qvtest::WriteDword("SizeIn4kPages", kImagePages));
    }
    void TearDown() override {
        EXPECT_TRUE(qvstandins::RemoveDriver(dir_));
        EXPECT_FALSE(device_.Open(qv::DeviceOpenForm::Status)) << "the device outlived -u";
        ::DeleteFileA(image_.c_str());
        qvstandins::RemoveFrom(dir_);
    }

    std::uint32_t Run(InstallerSwitch which) {
        const qv::InstallerResult result = qv::Win32InstallerRunner().Run(qv::InstallerCommand(dir_, which));
        EXPECT_TRUE(result.started);
        return result.exitCode;
    }
    // The device appears within a few seconds of a start, as the program's probe expects.
    std::unique_ptr<qv::DeviceHandle> WaitForDevice() {
        for (int attempt = 0; attempt < 40; ++attempt) {
            if (auto handle = device_.Open(qv::DeviceOpenForm::Command)) return handle;
            ::Sleep(250);
        }
        return nullptr;
    }
    std::optional<std::int32_t> Status() {
        const auto handle = device_.Open(qv::DeviceOpenForm::Status);
        std::int32_t status = 0;
        if (!handle || !handle->IoControl(qv::StatusRequest.code, &status, qv::StatusRequest.outputSize)) {
            return std::nullopt;
        }
        return status;
    }
    bool Save() {
        const auto handle = device_.Open(qv::DeviceOpenForm::Command);
        std::int32_t unused = 0;
        return handle && handle->IoControl(qv::SaveImageRequest.code, &unused, qv::SaveImageRequest.outputSize);
    }
    std::string Logged(InstallerSwitch which, std::uint32_t exitCode) const {
        return qv::InstallerCommand(dir_, which).commandLine + " => " + std::to_string(exitCode);
    }

    const std::string dir_ = TempDirectory() + "qv stand ins";
    const std::string image_ = dir_ + "\\disk image.img";
    qv::Win32DriverDevice device_;
};

TEST_F(StandIns, InstallEnableSaveAndUninstall) {
    EXPECT_EQ(Run(InstallerSwitch::Install), 0u);
    EXPECT_FALSE(device_.Open(qv::DeviceOpenForm::Status)) << "-id alone must not start the driver";
    EXPECT_EQ(Run(InstallerSwitch::Enable), 0u);
    ASSERT_TRUE(WaitForDevice());
    EXPECT_EQ(Status(), 1);

    EXPECT_TRUE(Save());
    EXPECT_EQ(FileSize(image_), kImagePages * 4096);

    EXPECT_EQ(Run(InstallerSwitch::Uninstall), 0u);
    EXPECT_FALSE(device_.Open(qv::DeviceOpenForm::Status));
    EXPECT_EQ(qvstandins::LogLines(dir_),
              (std::vector<std::string>{Logged(InstallerSwitch::Install, 0), Logged(InstallerSwitch::Enable, 0),
                                        Logged(InstallerSwitch::Uninstall, 0)}));
}

TEST_F(StandIns, InstallWithBootStartsTheDriverAtOnce) {
    EXPECT_EQ(Run(InstallerSwitch::InstallAndEnable), 0u);
    ASSERT_TRUE(WaitForDevice());
    EXPECT_EQ(Status(), 1);
    // A second start of a running driver is no failure.
    EXPECT_EQ(Run(InstallerSwitch::InstallAndEnable), 0u);
    EXPECT_EQ(Status(), 1);
}

TEST_F(StandIns, SaveFollowsTheSettingsOfTheMoment) {
    EXPECT_EQ(Run(InstallerSwitch::InstallAndEnable), 0u);
    ASSERT_TRUE(WaitForDevice());
    ASSERT_TRUE(qvtest::WriteDword("SizeIn4kPages", 5));
    EXPECT_TRUE(Save());
    EXPECT_EQ(FileSize(image_), 5u * 4096);
}

struct ExitKnobCase {
    const char* knob;
    InstallerSwitch which;
    DWORD code;
};

class ExitCodeKnob : public StandIns, public ::testing::WithParamInterface<ExitKnobCase> {};

TEST_P(ExitCodeKnob, FailsItsStepWithoutActing) {
    const ExitKnobCase c = GetParam();
    ASSERT_TRUE(qvstandins::SetKnob(c.knob, c.code));
    if (c.which == InstallerSwitch::Enable) {
        EXPECT_EQ(Run(InstallerSwitch::Install), 0u);
    }
    EXPECT_EQ(Run(c.which), c.code);
    ::Sleep(1000);
    EXPECT_FALSE(device_.Open(qv::DeviceOpenForm::Status));
    EXPECT_EQ(qvstandins::LogLines(dir_).back(), Logged(c.which, c.code));
}

INSTANTIATE_TEST_SUITE_P(Switches, ExitCodeKnob,
                         ::testing::Values(ExitKnobCase{"ExitCode_ie", InstallerSwitch::InstallAndEnable, 2},
                                           ExitKnobCase{"ExitCode_id", InstallerSwitch::Install, 3},
                                           ExitKnobCase{"ExitCode_e", InstallerSwitch::Enable, 259}),
                         [](const auto& info) { return std::string(info.param.knob); });

TEST_F(StandIns, UninstallKnobOfZeroLeavesTheDriverRunning) {
    EXPECT_EQ(Run(InstallerSwitch::InstallAndEnable), 0u);
    ASSERT_TRUE(WaitForDevice());
    ASSERT_TRUE(qvstandins::SetKnob("ExitCode_u", 0));
    EXPECT_EQ(Run(InstallerSwitch::Uninstall), 0u);
    EXPECT_EQ(Status(), 1);
    ASSERT_TRUE(qvstandins::SetKnob("ExitCode_u", 6));
    EXPECT_EQ(Run(InstallerSwitch::Uninstall), 6u);
    EXPECT_EQ(Status(), 1);
}

TEST_F(StandIns, DriverKnobsChangeItsAnswers) {
    EXPECT_EQ(Run(InstallerSwitch::InstallAndEnable), 0u);
    ASSERT_TRUE(WaitForDevice());
    ASSERT_TRUE(qvstandins::SetKnob("Status", 0));
    EXPECT_EQ(Status(), 0);
    ASSERT_TRUE(qvstandins::SetKnob("Status", static_cast<DWORD>(-3)));
    EXPECT_EQ(Status(), -3);
    ASSERT_TRUE(qvstandins::SetKnob("FailSave", 1));
    EXPECT_FALSE(Save());
    EXPECT_FALSE(FileSize(image_));
}

TEST_F(StandIns, NoDeviceKnobStartsADriverWithoutItsDevice) {
    ASSERT_TRUE(qvstandins::SetKnob("NoDevice", 1));
    EXPECT_EQ(Run(InstallerSwitch::InstallAndEnable), 0u);
    EXPECT_FALSE(WaitForDevice());
}

TEST_F(StandIns, DelayKnobHoldsItsSwitchOnly) {
    ASSERT_TRUE(qvstandins::SetKnob("DelayMs_e", 1500));
    DWORD startedAt = ::GetTickCount();
    EXPECT_EQ(Run(InstallerSwitch::Install), 0u);
    EXPECT_LT(::GetTickCount() - startedAt, 1500u);
    startedAt = ::GetTickCount();
    EXPECT_EQ(Run(InstallerSwitch::Enable), 0u);
    EXPECT_GE(::GetTickCount() - startedAt, 1500u);
}

TEST_F(StandIns, MissingSetupFileOrDriverFileFailsTheInstall) {
    ::DeleteFileA((dir_ + "\\qvdriver.sys").c_str());
    EXPECT_EQ(Run(InstallerSwitch::Install), 3u);
    ::DeleteFileA((dir_ + "\\qvdriver.inf").c_str());
    EXPECT_EQ(Run(InstallerSwitch::InstallAndEnable), 2u);
    EXPECT_EQ(Run(InstallerSwitch::Enable), 5u) << "nothing is installed to start";
}

}  // namespace
