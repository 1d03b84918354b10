// The fixture of the loading tests: a window loaded from an in-memory key, as start-up loads it.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "qvconfig/window/editor.h"
#include "tests/fakes/fake_services.h"

namespace qv {

// A user interface that lets a test look at the window while a message box is up.
class WatchedUserInterface : public FakeUserInterface {
public:
    std::function<void()> whileShown;
    MessageAnswer ShowMessage(const std::string& text, const std::string& caption, std::uint32_t flags,
                              MessageOwner owner) override {
        if (whileShown) whileShown();
        return FakeUserInterface::ShowMessage(text, caption, flags, owner);
    }
};

class LoadSettingsTest : public testing::Test {
protected:
    FakePlatform platform;
    WatchedUserInterface ui;
    std::unique_ptr<Editor> editor;

    Services WindowServices() {
        return Services{platform.store, platform.device, platform.installer, ui, platform.sleeper};
    }
    // Creates the window and runs its load step, as start-up does.
    Editor& Open() {
        editor = std::make_unique<Editor>(WindowServices());
        editor->Load();
        return *editor;
    }
    MemorySettingsStore& Key() { return platform.store; }
    // Every value a working installation holds; tests change the ones they are about.
    void SeedFullKey() {
        Key().PutString("DiskType", "HDC");
        Key().PutString("InstallDir", "C:\\QV");
        Key().PutDword("LoadImageOnStart", 0);
        Key().PutString("LoadImageFile", "d:\\load.img");
        Key().PutDword("SaveImageOnExit", 0);
        Key().PutString("SaveImageFile", "d:\\save.img");
        Key().PutDword("SizeIn4kPages", 2560);
        Key().PutDword("AutoSaveEnabled", 0);
        Key().PutDword("DiskFormatFAT32", 0);
        Key().PutDword("AutoSaveTrigger", 150);
        Key().PutDword("UserDriveLetter", 17);
        Key().PutDword("MakeTempDir", 0);
        Key().PutDword("UseDiskLabel", 0);
        Key().PutString("DiskLabel", "RAMDISK");
        Key().PutDword("BootEnable", 0);
        Key().PutString("Executable", "C:\\QV\\qvconfig.exe");
    }
};

}  // namespace qv
