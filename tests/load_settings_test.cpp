// Loading the settings key into the window: each value to its control, in load order, and the no-key defaults.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "qvconfig/window/editor.h"
#include "tests/load_settings_fixture.h"

namespace qv {
namespace {

TEST_F(LoadSettingsTest, ShowsTheVersionAndTheThreeDiskKindsWithOrWithoutKey) {
    for (bool keyExists : {true, false}) {
        Key().keyExists = keyExists;
        Editor& e = Open();
        EXPECT_EQ(e.version.Text(), "Version 1.5");
        EXPECT_EQ(e.diskTypeList.Items(), (std::vector<std::string>{"Hard Disk", "1.44MB Floppy", "2.88MB Floppy"}));
    }
}

TEST_F(LoadSettingsTest, ASecondLoadDoesNotRepeatTheDiskKinds) {
    Editor& e = Open();
    e.LoadSettings();
    EXPECT_EQ(e.diskTypeList.Items().size(), 3u);
}

TEST_F(LoadSettingsTest, EveryStoredValueReachesItsControl) {
    SeedFullKey();
    Key().PutString("DiskType", "FDC28");
    Key().PutString("InstallDir", "  C:\\Program Files\\QV  ");
    Key().PutDword("SaveImageOnExit", 1);
    Key().PutDword("SizeIn4kPages", 16384);
    Key().PutDword("AutoSaveEnabled", 1);
    Key().PutDword("DiskFormatFAT32", 1);
    Key().PutDword("UserDriveLetter", 2);
    Key().PutDword("UseDiskLabel", 1);
    Key().PutDword("BootEnable", 1);
    Editor& e = Open();

    EXPECT_EQ(e.diskTypeList.ListIndex(), 2);
    EXPECT_EQ(e.diskTypeList.Text(), "2.88MB Floppy");
    EXPECT_EQ(e.InstallDir, "C:\\Program Files\\QV");
    EXPECT_EQ(e.loadAtStartupCheck.Value(), CheckBox::Cleared);
    EXPECT_FALSE(e.loadFileBox.Enabled());
    EXPECT_EQ(e.loadFileBox.Text(), "d:\\load.img");
    EXPECT_EQ(e.saveOnShutdownCheck.Value(), CheckBox::Ticked);
    EXPECT_EQ(e.saveFileBox.Text(), "d:\\save.img");
    EXPECT_EQ(e.diskSizeBox.Text(), " 64");
    EXPECT_FALSE(e.diskSizeBox.Enabled());  // a floppy kind locks the size group
    EXPECT_FALSE(e.diskSizeLabel.Enabled());
    EXPECT_FALSE(e.megabytesLabel.Enabled());
    EXPECT_EQ(e.fat32Check.Value(), CheckBox::Ticked);
    EXPECT_FALSE(e.fat32Check.Enabled());
    EXPECT_EQ(e.autoSaveCheck.Value(), CheckBox::Ticked);
    EXPECT_TRUE(e.autoSaveIntervalBox.Enabled());
    EXPECT_EQ(e.autoSaveIntervalBox.Text(), " 600");
    EXPECT_EQ(e.driveLetterBox.Text(), "C");
    EXPECT_EQ(e.tempDirCheck.Value(), CheckBox::Cleared);
    EXPECT_EQ(e.diskLabelBox.Text(), "RAMDISK");
    EXPECT_EQ(e.diskLabelCheck.Value(), CheckBox::Ticked);
    EXPECT_TRUE(e.diskLabelBox.Enabled());
    EXPECT_EQ(e.startAtBootCheck.Value(), CheckBox::Ticked);

    EXPECT_EQ(e.LastSizeScroll, 32767 - 64);
    EXPECT_EQ(e.diskSizeStepper.Value(), 32767 - 64);
    EXPECT_EQ(e.LastDriveScroll, 16384);
    EXPECT_EQ(e.driveLetterStepper.Value(), 16384);
    EXPECT_EQ(e.LastAutoSaveScroll, 32167);
    EXPECT_EQ(e.autoSaveIntervalStepper.Value(), 32167);
    EXPECT_FALSE(e.SettingsChanged);
    EXPECT_TRUE(ui.messages.empty());
}

// The order of the reads is not observable: each value is read once, while the key is open.
TEST_F(LoadSettingsTest, ReadsTheFifteenValuesAndClosesTheKey) {
    SeedFullKey();
    Open();
    std::vector<std::string> log = Key().log;
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log.front(), "open");
    EXPECT_EQ(log.back(), "close");
    std::vector<std::string> reads(log.begin() + 1, log.end() - 1);
    std::sort(reads.begin(), reads.end());
    const std::vector<std::string> expected{
        "read AutoSaveEnabled", "read AutoSaveTrigger", "read BootEnable",       "read DiskFormatFAT32",
        "read DiskLabel",       "read DiskType",        "read InstallDir",       "read LoadImageFile",
        "read LoadImageOnStart", "read MakeTempDir",    "read SaveImageFile",    "read SaveImageOnExit",
        "read SizeIn4kPages",   "read UseDiskLabel",    "read UserDriveLetter"};
    EXPECT_EQ(reads, expected);
    EXPECT_FALSE(Key().isOpen);
}

// Only a stored 1 ticks a box; the field that the box governs follows it.
TEST_F(LoadSettingsTest, OnlyAStoredOneTicksABox) {
    struct Row {
        std::int32_t stored;
        int value;
        bool fieldEnabled;
    };
    for (const Row& row : {Row{1, CheckBox::Ticked, true}, Row{0, CheckBox::Cleared, false},
                           Row{2, CheckBox::Cleared, false}, Row{-1, CheckBox::Cleared, false}}) {
        SeedFullKey();
        Key().PutDword("LoadImageOnStart", row.stored);
        Key().PutDword("BootEnable", row.stored);
        Editor& e = Open();
        EXPECT_EQ(e.loadAtStartupCheck.Value(), row.value) << row.stored;
        EXPECT_EQ(e.loadFileBox.Enabled(), row.fieldEnabled) << row.stored;
        EXPECT_EQ(e.startAtBootCheck.Value(), row.value) << row.stored;
    }
}

TEST_F(LoadSettingsTest, DiskTypeTextSelectsTheListOrLeavesIt) {
    struct Row {
        const char* stored;
        int index;
        bool sizeEnabled;
    };
    for (const Row& row : {Row{"", 0, true}, Row{"HDC", 0, true}, Row{"FDC14", 1, false}, Row{"FDC28", 2, false},
                           Row{"hdc", -1, false}, Row{"FDC", -1, false}}) {
        SeedFullKey();
        Key().PutString("DiskType", row.stored);
        Editor& e = Open();
        EXPECT_EQ(e.diskTypeList.ListIndex(), row.index) << row.stored;
        EXPECT_EQ(e.diskSizeBox.Enabled(), row.sizeEnabled) << row.stored;
        EXPECT_EQ(e.diskSizeLabel.Enabled(), row.sizeEnabled) << row.stored;
        EXPECT_EQ(e.megabytesLabel.Enabled(), row.sizeEnabled) << row.stored;
    }
}

// A stored FAT32 choice may be changed only for a hard disk above 32 MB.
TEST_F(LoadSettingsTest, StoredFat32IsAvailableOnlyForAHardDiskAbove32Megabytes) {
    struct Row {
        const char* diskType;
        std::int32_t pages;
        bool enabled;
    };
    for (const Row& row : {Row{"HDC", 64 * 256, true}, Row{"HDC", 32 * 256, false}, Row{"HDC", 32 * 256 + 1, true},
                           Row{"HDC", 16 * 256, false}, Row{"FDC14", 64 * 256, false},
                           Row{"FDC28", 64 * 256, false}}) {
        SeedFullKey();
        Key().PutString("DiskType", row.diskType);
        Key().PutDword("SizeIn4kPages", row.pages);
        Key().PutDword("DiskFormatFAT32", 1);
        Editor& e = Open();
        EXPECT_EQ(e.fat32Check.Value(), CheckBox::Ticked) << row.diskType << " " << row.pages;
        EXPECT_EQ(e.fat32Check.Enabled(), row.enabled) << row.diskType << " " << row.pages;
    }
}

TEST_F(LoadSettingsTest, SizesAndIntervalsAreShownAndTheirSteppersPlaced) {
    struct Row {
        std::int32_t pages;
        const char* size;
        std::int16_t sizeScroll;
        std::int32_t trigger;
        const char* interval;
        std::int16_t intervalScroll;
    };
    for (const Row& row : {Row{2560, " 10", 32757, 150, " 600", 32167},
                           Row{369, " 1.441406", 32766, 5, " 20", 32747},
                           Row{737, " 2.878906", 32764, 8191, " 32764", 3},
                           Row{1048320, " 4095", 28672, 1, " 4", 32763}}) {
        SeedFullKey();
        Key().PutDword("SizeIn4kPages", row.pages);
        Key().PutDword("AutoSaveTrigger", row.trigger);
        Editor& e = Open();
        EXPECT_EQ(e.diskSizeBox.Text(), row.size);
        EXPECT_EQ(e.LastSizeScroll, row.sizeScroll) << row.pages;
        EXPECT_EQ(e.diskSizeStepper.Value(), row.sizeScroll) << row.pages;
        EXPECT_EQ(e.autoSaveIntervalBox.Text(), row.interval);
        EXPECT_EQ(e.LastAutoSaveScroll, row.intervalScroll) << row.trigger;
        EXPECT_EQ(e.autoSaveIntervalStepper.Value(), row.intervalScroll) << row.trigger;
    }
}

// A value whose stepper position would leave 0..32767 puts the bar at the nearer end,
// and the remembered position stays equal to the bar.
TEST_F(LoadSettingsTest, AStepperPositionBeyondTheBarStopsAtItsEnd) {
    struct Row {
        std::int32_t pages;
        std::int32_t trigger;
        int sizeScroll;
        int intervalScroll;
    };
    for (const Row& row : {Row{40000 * 256, 8192, 0, 0},  // 40000 MB; 32768 s, from 32766 s entered
                           Row{-256, -1, 32767, 32767},   // -1 MB; -4 s
                           Row{INT_MAX, INT_MAX, 0, 0}, Row{INT_MIN, INT_MIN, 32767, 32767},
                           Row{32767 * 256, 8191, 0, 3}}) {
        SeedFullKey();
        Key().PutDword("SizeIn4kPages", row.pages);
        Key().PutDword("AutoSaveTrigger", row.trigger);
        Editor& e = Open();
        EXPECT_EQ(e.diskSizeStepper.Value(), row.sizeScroll) << row.pages;
        EXPECT_EQ(e.LastSizeScroll, e.diskSizeStepper.Value()) << row.pages;
        EXPECT_EQ(e.autoSaveIntervalStepper.Value(), row.intervalScroll) << row.trigger;
        EXPECT_EQ(e.LastAutoSaveScroll, e.autoSaveIntervalStepper.Value()) << row.trigger;
        EXPECT_FALSE(e.SettingsChanged);
    }
}

TEST_F(LoadSettingsTest, StoredDriveLettersInRange) {
    struct Row {
        std::int32_t stored;
        const char* letter;
    };
    for (const Row& row : {Row{0, "A"}, Row{2, "C"}, Row{25, "Z"}, Row{281, "Z"}, Row{256 + 3, "D"}}) {
        SeedFullKey();
        Key().PutDword("UserDriveLetter", row.stored);
        EXPECT_EQ(Open().driveLetterBox.Text(), row.letter) << row.stored;
    }
}

TEST_F(LoadSettingsTest, NoKeyShowsTheDefaultsAndSaysSo) {
    Key().keyExists = false;
    Editor& e = Open();
    EXPECT_EQ(e.diskTypeList.ListIndex(), 0);
    EXPECT_EQ(e.diskTypeList.Text(), "Hard Disk");
    EXPECT_EQ(e.diskSizeBox.Text(), "10");
    EXPECT_TRUE(e.diskSizeBox.Enabled());
    EXPECT_EQ(e.driveLetterBox.Text(), "Z");
    EXPECT_EQ(e.loadAtStartupCheck.Value(), CheckBox::Cleared);
    EXPECT_EQ(e.saveOnShutdownCheck.Value(), CheckBox::Cleared);
    EXPECT_EQ(e.loadFileBox.Text(), "c:\\qvdriver.img");
    EXPECT_FALSE(e.loadFileBox.Enabled());
    EXPECT_EQ(e.saveFileBox.Text(), "c:\\qvdriver.img");
    EXPECT_TRUE(e.saveFileBox.Enabled());
    EXPECT_EQ(e.autoSaveCheck.Value(), CheckBox::Cleared);
    EXPECT_EQ(e.autoSaveIntervalBox.Text(), "600");
    EXPECT_FALSE(e.autoSaveIntervalBox.Enabled());
    EXPECT_EQ(e.diskLabelBox.Text(), "QVDRIVER");
    EXPECT_FALSE(e.diskLabelBox.Enabled());
    EXPECT_EQ(e.diskLabelCheck.Value(), CheckBox::Cleared);
    EXPECT_EQ(e.tempDirCheck.Value(), CheckBox::Cleared);
    EXPECT_EQ(e.startAtBootCheck.Value(), CheckBox::Cleared);
    EXPECT_EQ(e.fat32Check.Value(), CheckBox::Cleared);
    EXPECT_EQ(e.LastAutoSaveScroll, 32167);
    EXPECT_EQ(e.autoSaveIntervalStepper.Value(), 32167);
    EXPECT_EQ(e.LastSizeScroll, 32757);
    EXPECT_EQ(e.diskSizeStepper.Value(), 32757);
    EXPECT_EQ(e.LastDriveScroll, 16384);
    EXPECT_EQ(e.driveLetterStepper.Value(), 16384);
    EXPECT_EQ(e.InstallDir, "C:\\Program Files\\Quorvel");
    EXPECT_FALSE(e.SettingsChanged);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Unable to open Quorvel registry key.");
    EXPECT_EQ(ui.messages[0].caption, "Registry Read Failed");
    EXPECT_EQ(ui.messages[0].flags, 48u);
    EXPECT_EQ(ui.messages[0].owner, MessageOwner::Program);
    EXPECT_EQ(Key().log, std::vector<std::string>{"open"});  // nothing read, nothing to close
}

// The box comes after the defaults are in the controls and before the driver is asked.
TEST_F(LoadSettingsTest, NoKeyMessageComesBetweenTheDefaultsAndTheDriverQuery) {
    Key().keyExists = false;
    std::string sizeWhileShown;
    std::string labelWhileShown;
    std::size_t deviceCallsWhileShown = 99;
    ui.whileShown = [&] {
        sizeWhileShown = editor->diskSizeBox.Text();
        labelWhileShown = editor->diskLabelBox.Text();
        deviceCallsWhileShown = platform.device.log.size();
    };
    Open();
    EXPECT_EQ(sizeWhileShown, "10");
    EXPECT_EQ(labelWhileShown, "QVDRIVER");
    EXPECT_EQ(deviceCallsWhileShown, 0u);
    EXPECT_FALSE(platform.device.log.empty());
}

TEST_F(LoadSettingsTest, InstallDirIsTrimmedAndFallsBackWhenTheKeyLacksIt) {
    SeedFullKey();
    Key().PutString("InstallDir", "  D:\\Drivers\\QV ");
    Editor& e = Open();
    EXPECT_EQ(e.InstallDir, "D:\\Drivers\\QV");

    Key().values.erase("InstallDir");
    e.LoadSettings();
    EXPECT_EQ(e.InstallDir, "C:\\Program Files\\Quorvel");

    Key().PutString("InstallDir", "E:\\QV");
    e.LoadSettings();
    EXPECT_EQ(e.InstallDir, "E:\\QV");

    Key().keyExists = false;
    e.LoadSettings();
    EXPECT_EQ(e.InstallDir, "C:\\Program Files\\Quorvel");
}

TEST_F(LoadSettingsTest, EveryLoadClearsSettingsChangedAndRecentresTheDriveStepper) {
    SeedFullKey();
    Editor& e = Open();
    for (bool keyExists : {true, false}) {
        Key().keyExists = keyExists;
        e.SettingsChanged = true;
        e.LastDriveScroll = 16000;
        e.driveLetterStepper.SetValue(16000);
        e.LoadSettings();
        EXPECT_FALSE(e.SettingsChanged) << keyExists;
        EXPECT_EQ(e.LastDriveScroll, 16384) << keyExists;
        EXPECT_EQ(e.driveLetterStepper.Value(), 16384) << keyExists;
    }
}

TEST_F(LoadSettingsTest, EveryLoadEndsByAskingTheDriver) {
    platform.device.loaded = true;
    platform.device.status = 1;
    for (bool keyExists : {true, false}) {
        Key().keyExists = keyExists;
        platform.device.log.clear();
        Editor& e = Open();
        EXPECT_EQ(platform.device.log, (std::vector<std::string>{"open status", "ioctl 19", "close"}));
        EXPECT_FALSE(e.enableButton.Enabled());
        EXPECT_TRUE(e.disableButton.Enabled());
        EXPECT_TRUE(e.saveDiskImageButton.Enabled());
    }
}

// ---- Interplays of the editing rules with the load order ----------------------------

TEST_F(LoadSettingsTest, NoKeyLeavesFat32DisabledByTheSizeRule) {
    Key().keyExists = false;
    Editor& e = Open();
    EXPECT_EQ(e.fat32Check.Value(), CheckBox::Cleared);
    EXPECT_FALSE(e.fat32Check.Enabled());
}

TEST_F(LoadSettingsTest, LaterCheckBoxesWinOverEarlierOnes) {
    struct Row {
        const char* name;
        std::vector<std::pair<const char*, std::int32_t>> stored;
        std::function<void(Editor&)> check;
    };
    const std::vector<Row> rows = {
        {"image load and TEMP directory",
         {{"LoadImageOnStart", 1}, {"MakeTempDir", 1}},
         [](Editor& e) {
             EXPECT_EQ(e.tempDirCheck.Value(), CheckBox::Ticked);
             EXPECT_EQ(e.loadAtStartupCheck.Value(), CheckBox::Cleared);
             EXPECT_FALSE(e.loadFileBox.Enabled());
         }},
        {"image load and disk label",
         {{"LoadImageOnStart", 1}, {"UseDiskLabel", 1}},
         [](Editor& e) {
             EXPECT_EQ(e.diskLabelCheck.Value(), CheckBox::Ticked);
             EXPECT_TRUE(e.diskLabelBox.Enabled());
             EXPECT_EQ(e.loadAtStartupCheck.Value(), CheckBox::Cleared);
             EXPECT_FALSE(e.loadFileBox.Enabled());
         }},
        {"AutoSave without save on shutdown",
         {{"AutoSaveEnabled", 1}, {"SaveImageOnExit", 0}},
         [](Editor& e) {
             EXPECT_EQ(e.autoSaveCheck.Value(), CheckBox::Ticked);
             EXPECT_EQ(e.saveOnShutdownCheck.Value(), CheckBox::Ticked);
             EXPECT_TRUE(e.autoSaveIntervalBox.Enabled());
         }},
        {"no AutoSave, save on shutdown",
         {{"AutoSaveEnabled", 0}, {"SaveImageOnExit", 1}},
         [](Editor& e) {
             EXPECT_EQ(e.autoSaveCheck.Value(), CheckBox::Cleared);
             EXPECT_EQ(e.saveOnShutdownCheck.Value(), CheckBox::Ticked);
             EXPECT_FALSE(e.autoSaveIntervalBox.Enabled());
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SeedFullKey();
        for (const auto& [name, value] : row.stored) Key().PutDword(name, value);
        Editor& e = Open();
        row.check(e);
        EXPECT_FALSE(e.SettingsChanged);
    }
}

// Without a stored FAT32 choice the size box's own rule decides, and it does not
// look at the disk kind.
TEST_F(LoadSettingsTest, WithoutStoredFat32TheSizeRuleDecides) {
    struct Row {
        const char* diskType;
        std::int32_t pages;
        bool enabled;
    };
    for (const Row& row : {Row{"FDC14", 64 * 256, true}, Row{"FDC28", 16 * 256, false}, Row{"HDC", 16 * 256, false},
                           Row{"HDC", 33 * 256, true}}) {
        SeedFullKey();
        Key().PutString("DiskType", row.diskType);
        Key().PutDword("SizeIn4kPages", row.pages);
        Key().values.erase("DiskFormatFAT32");
        Editor& e = Open();
        EXPECT_EQ(e.fat32Check.Enabled(), row.enabled) << row.diskType << " " << row.pages;
    }
}

TEST_F(LoadSettingsTest, StoredDriveLetterAfterZIsShownAsZ) {
    SeedFullKey();
    Key().PutDword("UserDriveLetter", 26);
    EXPECT_EQ(Open().driveLetterBox.Text(), "Z");
}

// The load's writes run the rules, which raise the flag; the load still ends at 0.
TEST_F(LoadSettingsTest, TheRulesRaiseSettingsChangedDuringTheLoad) {
    SeedFullKey();
    editor = std::make_unique<Editor>(WindowServices());
    std::vector<int> flagAfterRule;
    const Handler rule = editor->saveFileBox.OnChange;
    editor->saveFileBox.OnChange = [&, rule] {
        rule();
        flagAfterRule.push_back(editor->SettingsChanged);
    };
    editor->Load();
    EXPECT_EQ(flagAfterRule, std::vector<int>{1});
    EXPECT_EQ(editor->SettingsChanged, 0);
}

}  // namespace
}  // namespace qv
