// Loading a key that lacks some or all of the window's values: each missing one shows its fallback.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tests/load_settings_fixture.h"

namespace qv {
namespace {

// Everything the window shows and remembers, one line per control and member.
std::vector<std::string> Snapshot(const Editor& e) {
    std::vector<std::string> lines;
    for (const auto& control : e.Controls()) {
        std::string line = std::string(control->Name()) + " [" + control->Text() + "]" +
                           (control->Enabled() ? " on" : " off");
        if (const auto* box = dynamic_cast<const CheckBox*>(control.get())) line += " " + std::to_string(box->Value());
        if (const auto* bar = dynamic_cast<const ScrollBar*>(control.get())) line += " " + std::to_string(bar->Value());
        if (const auto* list = dynamic_cast<const ComboBox*>(control.get())) line += " #" + std::to_string(list->ListIndex());
        lines.push_back(line);
    }
    lines.push_back("members " + std::to_string(e.SettingsChanged) + " " + std::to_string(e.LastSizeScroll) + " " +
                    std::to_string(e.LastDriveScroll) + " " + std::to_string(e.LastAutoSaveScroll) + " [" +
                    e.InstallDir + "]");
    return lines;
}

// A key that holds none of the window's values (as a setup leaves it, with only
// InstallDir and Executable, or none at all) shows what a missing key shows, without
// its message and with the stored install directory.
TEST_F(LoadSettingsTest, KeyWithoutValuesShowsWhatNoKeyShows) {
    Key().keyExists = false;
    const std::vector<std::string> noKey = Snapshot(Open());
    ui.messages.clear();
    Key().keyExists = true;
    EXPECT_EQ(Snapshot(Open()), noKey) << "empty key";
    EXPECT_TRUE(ui.messages.empty());

    Key().PutString("InstallDir", "D:\\QV");
    Key().PutString("Executable", "D:\\QV\\qvconfig.exe");
    Editor& e = Open();
    EXPECT_EQ(e.InstallDir, "D:\\QV");
    e.InstallDir = "C:\\Program Files\\Quorvel";
    EXPECT_EQ(Snapshot(e), noKey) << "setup's key";
    EXPECT_TRUE(ui.messages.empty());
    for (Control* field : {static_cast<Control*>(&e.diskTypeList), static_cast<Control*>(&e.loadFileBox),
                           static_cast<Control*>(&e.saveFileBox), static_cast<Control*>(&e.diskSizeBox),
                           static_cast<Control*>(&e.autoSaveIntervalBox), static_cast<Control*>(&e.driveLetterBox),
                           static_cast<Control*>(&e.diskLabelBox)}) {
        EXPECT_FALSE(field->Text().empty()) << field->Name() << " is left as the table made it";
    }
}

// Each value the key lacks is shown as a missing key shows it, through its control's
// setter, so its rule runs; the values the key holds are shown as stored.
TEST_F(LoadSettingsTest, AValueTheKeyLacksIsShownAsItsFallback) {
    struct Row {
        const char* missing;
        std::vector<std::pair<const char*, std::int32_t>> stored;  // besides the full key
        std::function<void(Editor&)> check;
    };
    const std::vector<Row> rows = {
        {"DiskType", {}, [](Editor& e) {
             EXPECT_EQ(e.diskTypeList.ListIndex(), 0);
             EXPECT_EQ(e.diskTypeList.Text(), "Hard Disk");
             EXPECT_TRUE(e.diskSizeBox.Enabled());
         }},
        {"InstallDir", {}, [](Editor& e) { EXPECT_EQ(e.InstallDir, "C:\\Program Files\\Quorvel"); }},
        {"LoadImageOnStart", {}, [](Editor& e) {
             EXPECT_EQ(e.loadAtStartupCheck.Value(), CheckBox::Cleared);
             EXPECT_FALSE(e.loadFileBox.Enabled());
         }},
        {"LoadImageFile", {}, [](Editor& e) { EXPECT_EQ(e.loadFileBox.Text(), "c:\\qvdriver.img"); }},
        {"SaveImageOnExit", {{"AutoSaveEnabled", 0}}, [](Editor& e) {
             EXPECT_EQ(e.saveOnShutdownCheck.Value(), CheckBox::Cleared);
         }},
        // The AutoSave rule still ticks the save on shutdown that the key did not mention.
        {"SaveImageOnExit", {{"AutoSaveEnabled", 1}}, [](Editor& e) {
             EXPECT_EQ(e.saveOnShutdownCheck.Value(), CheckBox::Ticked);
         }},
        {"SaveImageFile", {}, [](Editor& e) { EXPECT_EQ(e.saveFileBox.Text(), "c:\\qvdriver.img"); }},
        {"SizeIn4kPages", {{"DiskFormatFAT32", 1}}, [](Editor& e) {
             EXPECT_EQ(e.diskSizeBox.Text(), "10");
             EXPECT_EQ(e.diskSizeStepper.Value(), 32757);
             EXPECT_EQ(e.LastSizeScroll, 32757);
             EXPECT_EQ(e.fat32Check.Value(), CheckBox::Ticked);
             EXPECT_FALSE(e.fat32Check.Enabled()) << "10 MB cannot take FAT32";
         }},
        // Without a stored choice FAT32 is cleared, and the size box's rule decides
        // whether it may be changed.
        {"DiskFormatFAT32", {{"SizeIn4kPages", 64 * 256}}, [](Editor& e) {
             EXPECT_EQ(e.fat32Check.Value(), CheckBox::Cleared);
             EXPECT_TRUE(e.fat32Check.Enabled());
         }},
        {"AutoSaveEnabled", {{"SaveImageOnExit", 1}}, [](Editor& e) {
             EXPECT_EQ(e.autoSaveCheck.Value(), CheckBox::Cleared);
             EXPECT_FALSE(e.autoSaveIntervalBox.Enabled());
             EXPECT_EQ(e.saveOnShutdownCheck.Value(), CheckBox::Ticked);
         }},
        {"AutoSaveTrigger", {{"AutoSaveEnabled", 1}}, [](Editor& e) {
             EXPECT_EQ(e.autoSaveIntervalBox.Text(), "600");
             EXPECT_EQ(e.autoSaveIntervalStepper.Value(), 32167);
             EXPECT_EQ(e.LastAutoSaveScroll, 32167);
         }},
        {"UserDriveLetter", {}, [](Editor& e) { EXPECT_EQ(e.driveLetterBox.Text(), "Z"); }},
        {"MakeTempDir", {{"LoadImageOnStart", 1}}, [](Editor& e) {
             EXPECT_EQ(e.tempDirCheck.Value(), CheckBox::Cleared);
             EXPECT_EQ(e.loadAtStartupCheck.Value(), CheckBox::Ticked);
             EXPECT_TRUE(e.loadFileBox.Enabled());
         }},
        {"DiskLabel", {{"UseDiskLabel", 1}}, [](Editor& e) {
             EXPECT_EQ(e.diskLabelBox.Text(), "QVDRIVER");
             EXPECT_TRUE(e.diskLabelBox.Enabled());
         }},
        {"UseDiskLabel", {}, [](Editor& e) {
             EXPECT_EQ(e.diskLabelCheck.Value(), CheckBox::Cleared);
             EXPECT_FALSE(e.diskLabelBox.Enabled());
             EXPECT_EQ(e.diskLabelBox.Text(), "RAMDISK");
         }},
        {"BootEnable", {}, [](Editor& e) { EXPECT_EQ(e.startAtBootCheck.Value(), CheckBox::Cleared); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.missing);
        // A first load leaves no control at its fallback, so that a value the second
        // load left as it was would show.
        SeedFullKey();
        Key().PutString("DiskType", "FDC14");
        for (const char* text : {"LoadImageFile", "SaveImageFile", "DiskLabel"}) Key().PutString(text, "x:\\y");
        for (const char* box : {"LoadImageOnStart", "SaveImageOnExit", "AutoSaveEnabled", "DiskFormatFAT32",
                                "MakeTempDir", "UseDiskLabel", "BootEnable"}) {
            Key().PutDword(box, 1);
        }
        Key().PutDword("SizeIn4kPages", 64 * 256);
        Key().PutDword("AutoSaveTrigger", 8);
        Editor& e = Open();

        SeedFullKey();
        for (const auto& [name, value] : row.stored) Key().PutDword(name, value);
        Key().values.erase(row.missing);
        e.LoadSettings();
        row.check(e);
        EXPECT_FALSE(e.SettingsChanged);
        EXPECT_TRUE(ui.messages.empty());
        if (std::string(row.missing) != "UserDriveLetter") {
            EXPECT_EQ(e.driveLetterBox.Text(), "R");
        }
        if (std::string(row.missing) != "SaveImageFile") {
            EXPECT_EQ(e.saveFileBox.Text(), "d:\\save.img");
        }
    }
}

}  // namespace
}  // namespace qv
