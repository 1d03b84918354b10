// Saving the window into the settings key: write order, encodings, failures, and save-then-load round trips.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "qvconfig/settings/numbers.h"
#include "qvconfig/settings/settings_key_values.h"
#include "qvconfig/window/editor.h"
#include "tests/fakes/fake_services.h"

namespace qv {
namespace {

const std::vector<std::string> kSaveOrder{
    "DiskType",        "LoadImageOnStart", "LoadImageFile",   "SaveImageOnExit", "SaveImageFile",
    "SizeIn4kPages",   "AutoSaveEnabled",  "DiskFormatFAT32", "AutoSaveTrigger", "UserDriveLetter",
    "MakeTempDir",     "UseDiskLabel",     "DiskLabel",       "BootEnable"};

// What the key holds, decoded as a registry editor shows it.
std::int32_t StoredDword(const MemorySettingsStore& store, const std::string& name) {
    const StoredValue& value = store.values.at(name);
    EXPECT_EQ(value.type, RegDword) << name;
    EXPECT_EQ(value.bytes.size(), 4u) << name;
    std::uint32_t number = 0;
    for (std::size_t i = 0; i < value.bytes.size() && i < 4; ++i) number |= std::uint32_t{value.bytes[i]} << (8 * i);
    return static_cast<std::int32_t>(number);
}

std::string StoredString(const MemorySettingsStore& store, const std::string& name) {
    const StoredValue& value = store.values.at(name);
    EXPECT_EQ(value.type, RegSz) << name;
    EXPECT_FALSE(value.bytes.empty()) << name;
    EXPECT_EQ(value.bytes.back(), 0) << name;
    return std::string(value.bytes.begin(), value.bytes.end() - (value.bytes.empty() ? 0 : 1));
}

void SeedFullKey(MemorySettingsStore& store) {
    store.PutString("DiskType", "HDC");
    store.PutString("InstallDir", "C:\\QV");
    store.PutDword("LoadImageOnStart", 0);
    store.PutString("LoadImageFile", "d:\\load.img");
    store.PutDword("SaveImageOnExit", 1);
    store.PutString("SaveImageFile", "d:\\save.img");
    store.PutDword("SizeIn4kPages", 2560);
    store.PutDword("AutoSaveEnabled", 0);
    store.PutDword("DiskFormatFAT32", 0);
    store.PutDword("AutoSaveTrigger", 150);
    store.PutDword("UserDriveLetter", 5);
    store.PutDword("MakeTempDir", 1);
    store.PutDword("UseDiskLabel", 0);
    store.PutString("DiskLabel", "RAMDISK");
    store.PutDword("BootEnable", 0);
    store.PutString("Executable", "C:\\QV\\qvconfig.exe");
}

class SaveSettingsTest : public testing::Test {
protected:
    FakePlatform platform;
    std::unique_ptr<Editor> editor;

    MemorySettingsStore& Key() { return platform.store; }
    Editor& Open() {
        editor = std::make_unique<Editor>(platform.Services());
        editor->Load();
        Key().log.clear();
        return *editor;
    }
    // "Save Settings", as the user presses it.
    void PressSaveSettings() { editor->ClickButton(editor->saveSettingsButton); }
};

TEST_F(SaveSettingsTest, WritesTheFourteenSettingsInSaveOrderAndClosesTheKey) {
    SeedFullKey(Key());
    Open();
    PressSaveSettings();
    EXPECT_EQ(Key().WrittenNames(), kSaveOrder);
    EXPECT_EQ(Key().log.front(), "open");
    EXPECT_EQ(Key().log.back(), "close");
    EXPECT_FALSE(Key().isOpen);
    EXPECT_TRUE(platform.ui.messages.empty());
    // The installation's own values are left as they were.
    EXPECT_EQ(StoredString(Key(), "InstallDir"), "C:\\QV");
    EXPECT_EQ(StoredString(Key(), "Executable"), "C:\\QV\\qvconfig.exe");
}

// One round trip per value of the table: each value that the program writes is shown
// and saved back, into a key emptied meanwhile, with its type and bytes; the others are
// not written.
TEST_F(SaveSettingsTest, EveryValueOfTheTableComesBackAsItWasStored) {
    SeedFullKey(Key());
    const std::map<std::string, StoredValue> seeded = Key().values;
    Open();
    Key().values.clear();
    PressSaveSettings();
    std::vector<std::string> writtenRows;
    for (const SettingsKeyValue& row : SettingsKeyValues) {
        SCOPED_TRACE(row.name);
        ASSERT_EQ(seeded.count(row.name), 1u);
        EXPECT_EQ(seeded.at(row.name).type, row.type == StoredType::Text ? RegSz : RegDword);
        if (!row.written) {
            EXPECT_EQ(Key().values.count(row.name), 0u);
            continue;
        }
        writtenRows.push_back(row.name);
        ASSERT_EQ(Key().values.count(row.name), 1u);
        EXPECT_EQ(Key().values.at(row.name).type, seeded.at(row.name).type);
        EXPECT_EQ(Key().values.at(row.name).bytes, seeded.at(row.name).bytes);
    }
    EXPECT_EQ(writtenRows, kSaveOrder);
}

// Every value is taken from its control, also while the control is disabled.
TEST_F(SaveSettingsTest, StoresWhatTheControlsShowEnabledOrNot) {
    SeedFullKey(Key());
    Editor& e = Open();
    e.diskTypeList.SetListIndex(1);
    e.diskSizeBox.SetText("1.44");
    e.diskSizeBox.SetEnabled(false);
    e.loadAtStartupCheck.SetValue(CheckBox::Cleared);
    e.loadFileBox.SetText("e:\\boot.img");
    e.loadFileBox.SetEnabled(false);
    e.saveOnShutdownCheck.SetValue(CheckBox::Grayed);
    e.saveFileBox.SetText("");
    e.autoSaveCheck.SetValue(CheckBox::Cleared);
    e.autoSaveIntervalBox.SetText("606");
    e.autoSaveIntervalBox.SetEnabled(false);
    e.fat32Check.SetValue(CheckBox::Ticked);
    e.driveLetterBox.SetText("C");
    e.diskLabelCheck.SetValue(CheckBox::Cleared);
    e.tempDirCheck.SetValue(CheckBox::Ticked);
    e.diskLabelBox.SetText("A LONGER LABEL THAN ELEVEN");
    e.diskLabelBox.SetEnabled(false);
    e.startAtBootCheck.SetValue(CheckBox::Ticked);
    e.fat32Check.SetEnabled(false);

    PressSaveSettings();
    EXPECT_EQ(StoredString(Key(), "DiskType"), "FDC14");
    EXPECT_EQ(StoredDword(Key(), "LoadImageOnStart"), 0);
    EXPECT_EQ(StoredString(Key(), "LoadImageFile"), "e:\\boot.img");
    EXPECT_EQ(StoredDword(Key(), "SaveImageOnExit"), 1);  // grayed counts as ticked
    EXPECT_EQ(StoredString(Key(), "SaveImageFile"), "");
    EXPECT_EQ(StoredDword(Key(), "SizeIn4kPages"), 369);
    EXPECT_EQ(StoredDword(Key(), "AutoSaveEnabled"), 0);
    EXPECT_EQ(StoredDword(Key(), "DiskFormatFAT32"), 1);
    EXPECT_EQ(StoredDword(Key(), "AutoSaveTrigger"), 152);
    EXPECT_EQ(StoredDword(Key(), "UserDriveLetter"), 2);
    EXPECT_EQ(StoredDword(Key(), "MakeTempDir"), 1);
    EXPECT_EQ(StoredDword(Key(), "UseDiskLabel"), 0);
    EXPECT_EQ(StoredString(Key(), "DiskLabel"), "A LONGER LABEL THAN ELEVEN");
    EXPECT_EQ(StoredDword(Key(), "BootEnable"), 1);
}

TEST_F(SaveSettingsTest, NoSelectedDiskKindIsSavedAsHardDisk) {
    Key().PutString("DiskType", "hdc");  // no kind: the list keeps no selection
    Editor& e = Open();
    ASSERT_EQ(e.diskTypeList.ListIndex(), -1);
    PressSaveSettings();
    EXPECT_EQ(StoredString(Key(), "DiskType"), "HDC");
}

// The key as a setup leaves it, with only the installation's values: what it loads
// saves as a fresh installation's settings, not as the controls' placeholders.
TEST_F(SaveSettingsTest, SetupsKeySavesSoundValues) {
    Key().PutString("InstallDir", "D:\\QV");
    Key().PutString("Executable", "D:\\QV\\qvconfig.exe");
    Open();
    PressSaveSettings();
    EXPECT_EQ(Key().WrittenNames(), kSaveOrder);
    const std::pair<const char*, std::int32_t> numbers[] = {
        {"LoadImageOnStart", 0}, {"SaveImageOnExit", 0}, {"SizeIn4kPages", 2560}, {"AutoSaveEnabled", 0},
        {"DiskFormatFAT32", 0},  {"AutoSaveTrigger", 150}, {"UserDriveLetter", 25}, {"MakeTempDir", 0},
        {"UseDiskLabel", 0},     {"BootEnable", 0}};
    for (const auto& [name, number] : numbers) EXPECT_EQ(StoredDword(Key(), name), number) << name;
    const std::pair<const char*, const char*> texts[] = {
        {"DiskType", "HDC"},   {"LoadImageFile", "c:\\qvdriver.img"}, {"SaveImageFile", "c:\\qvdriver.img"},
        {"DiskLabel", "QVDRIVER"}, {"InstallDir", "D:\\QV"},           {"Executable", "D:\\QV\\qvconfig.exe"}};
    for (const auto& [name, text] : texts) EXPECT_EQ(StoredString(Key(), name), text) << name;
    EXPECT_TRUE(platform.ui.messages.empty());
}

TEST_F(SaveSettingsTest, EmptyDriveLetterLeavesTheStoredLetterAndWritesTheRest) {
    SeedFullKey(Key());
    Editor& e = Open();
    e.driveLetterBox.SetText("");
    PressSaveSettings();
    std::vector<std::string> expected = kSaveOrder;
    expected.erase(expected.begin() + 9);
    EXPECT_EQ(Key().WrittenNames(), expected);
    EXPECT_EQ(StoredDword(Key(), "UserDriveLetter"), 5);
    EXPECT_TRUE(platform.ui.messages.empty());
}

TEST_F(SaveSettingsTest, KeyMissingSaysSoAndWritesNothing) {
    SeedFullKey(Key());
    Editor& e = Open();
    Key().keyExists = false;
    e.SettingsChanged = true;
    PressSaveSettings();
    EXPECT_EQ(Key().log, std::vector<std::string>{"open"});
    ASSERT_EQ(platform.ui.messages.size(), 1u);
    EXPECT_EQ(platform.ui.messages[0].text, "Unable to save Quorvel settings.");
    EXPECT_EQ(platform.ui.messages[0].caption, "Save Settings Failed");
    EXPECT_EQ(platform.ui.messages[0].flags, 48u);
    EXPECT_EQ(platform.ui.messages[0].owner, MessageOwner::Program);
    EXPECT_FALSE(e.SettingsChanged);  // Save Settings goes on as after a save
    EXPECT_FALSE(e.IsUnloaded());

    e.ClickButton(e.okButton);  // OK still closes
    EXPECT_EQ(platform.ui.messages.size(), 2u);
    EXPECT_TRUE(e.IsUnloaded());
}

// A value that cannot be written does not stop the others, and the user hears of it once.
TEST_F(SaveSettingsTest, FailedWritesAreReportedOnceAfterTheRestIsWritten) {
    SeedFullKey(Key());
    Editor& e = Open();
    Key().failingWrites = {"DiskType", "SizeIn4kPages", "BootEnable"};
    e.startAtBootCheck.SetValue(CheckBox::Ticked);
    e.diskLabelBox.SetText("NEWLABEL");
    e.SettingsChanged = true;
    PressSaveSettings();
    EXPECT_EQ(Key().WrittenNames(), kSaveOrder);
    EXPECT_EQ(StoredString(Key(), "DiskLabel"), "NEWLABEL");
    EXPECT_EQ(StoredDword(Key(), "BootEnable"), 0);  // the failed write left it
    EXPECT_FALSE(Key().isOpen);
    ASSERT_EQ(platform.ui.messages.size(), 1u);
    EXPECT_EQ(platform.ui.messages[0].text, "Unable to save Quorvel settings.");
    EXPECT_EQ(platform.ui.messages[0].caption, "Save Settings Failed");
    EXPECT_EQ(platform.ui.messages[0].flags, 48u);
    EXPECT_FALSE(e.SettingsChanged);

    e.ClickButton(e.okButton);
    EXPECT_EQ(platform.ui.messages.size(), 2u);
    EXPECT_TRUE(e.IsUnloaded());
}

TEST_F(SaveSettingsTest, CancelSavesNothing) {
    SeedFullKey(Key());
    Editor& e = Open();
    e.startAtBootCheck.SetValue(CheckBox::Ticked);
    e.ClickButton(e.cancelButton);
    EXPECT_TRUE(Key().log.empty());
    EXPECT_TRUE(e.IsUnloaded());
}

// The worked values: what is entered, saved and loaded again into a new window.
TEST_F(SaveSettingsTest, EnteredValuesComeBackInTheirStoredForm) {
    struct Row {
        const char* size;
        std::int32_t pages;
        const char* sizeShown;
        int sizeScroll;
        const char* interval;
        std::int32_t trigger;
        const char* intervalShown;
        const char* letter;
        std::int32_t letterStored;
    };
    for (const Row& row : {Row{"10", 2560, " 10", 32757, "600", 150, " 600", "Z", 25},
                           Row{"1.44", 369, " 1.441406", 32766, "602", 150, " 600", "C", 2},
                           Row{"2.88", 737, " 2.878906", 32764, "606", 152, " 608", "A", 0},
                           Row{"4095", 1048320, " 4095", 28672, "32766", 8192, " 32768", "Q", 16}}) {
        SCOPED_TRACE(row.size);
        SeedFullKey(Key());
        Editor& first = Open();
        first.diskSizeBox.SetText(row.size);
        first.autoSaveIntervalBox.SetText(row.interval);
        first.driveLetterBox.SetText(row.letter);
        first.saveSettingsButton.Click();  // no focus change, so the texts are saved as entered
        EXPECT_EQ(StoredDword(Key(), "SizeIn4kPages"), row.pages);
        EXPECT_EQ(StoredDword(Key(), "AutoSaveTrigger"), row.trigger);
        EXPECT_EQ(StoredDword(Key(), "UserDriveLetter"), row.letterStored);

        Editor& second = Open();
        EXPECT_EQ(second.diskSizeBox.Text(), row.sizeShown);
        EXPECT_EQ(second.diskSizeStepper.Value(), row.sizeScroll);
        EXPECT_EQ(second.LastSizeScroll, row.sizeScroll);
        EXPECT_EQ(second.autoSaveIntervalBox.Text(), row.intervalShown);
        EXPECT_EQ(second.driveLetterBox.Text(), row.letter);
    }
}

// ---- Round trip through the editing rules --------------------------------------------

// A user who clicks, types and steps at random, as the window allows: only enabled
// controls, the focus moving to each control before it is used.
class RandomUser {
public:
    RandomUser(Editor& editor, std::uint32_t seed) : e_(editor), random_(seed) {}

    void Act() {
        switch (Pick(12)) {
            case 0: ClickOneOf({&e_.loadAtStartupCheck, &e_.saveOnShutdownCheck, &e_.autoSaveCheck, &e_.tempDirCheck}); break;
            case 1: ClickOneOf({&e_.diskLabelCheck, &e_.startAtBootCheck, &e_.fat32Check}); break;
            case 2: PickDiskKind(); break;
            case 3: TypeInto(e_.diskSizeBox, NumberText()); break;
            case 4: Step(e_.diskSizeStepper); break;
            case 5: TypeInto(e_.autoSaveIntervalBox, NumberText()); break;
            case 6: Step(e_.autoSaveIntervalStepper); break;
            case 7: TypeInto(e_.driveLetterBox, std::string(1, static_cast<char>(' ' + Pick(95)))); break;
            case 8: Step(e_.driveLetterStepper); break;
            case 9: TypeInto(e_.loadFileBox, Word(40)); break;
            case 10: TypeInto(e_.saveFileBox, Word(40)); break;
            default: TypeInto(e_.diskLabelBox, Word(11)); break;
        }
    }

private:
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    void ClickOneOf(std::initializer_list<CheckBox*> boxes) {
        e_.ClickCheckBox(**(boxes.begin() + Pick(static_cast<int>(boxes.size()))));
    }
    void PickDiskKind() {
        e_.SetFocus(e_.diskTypeList);
        if (Pick(4) == 0) {
            e_.diskTypeList.UserEdited("Floppy");  // a typed kind that is no entry
        } else {
            e_.diskTypeList.SetListIndex(Pick(3));
        }
    }
    void TypeInto(TextBox& box, const std::string& text) {
        if (!box.Enabled()) return;
        e_.SetFocus(box);
        box.UserEdited(text);
    }
    void Step(ScrollBar& bar) {
        const int steps = 1 + Pick(40);
        const bool up = Pick(2) == 0;
        for (int i = 0; i < steps; ++i) {
            if (up) {
                e_.ClickScrollUp(bar);
            } else {
                e_.ClickScrollDown(bar);
            }
        }
    }
    std::string NumberText() {
        static const char* const texts[] = {"", "abc", "-8", "0", "4", "31.9", "32", "33", "1.44", "600", "1023",
                                            "2047.5", "2049", "3073", "4095", "9999", "32766", "&H40", "1e3"};
        return texts[Pick(static_cast<int>(std::size(texts)))];
    }
    std::string Word(int longest) {
        std::string word;
        for (int i = Pick(longest + 1); i > 0; --i) word += static_cast<char>('!' + Pick(94));
        return word;
    }

    Editor& e_;
    std::mt19937 random_;
};

void SeedRandomKey(MemorySettingsStore& store, std::mt19937& random) {
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    SeedFullKey(store);
    static const char* const kinds[] = {"HDC", "FDC14", "FDC28", ""};
    store.PutString("DiskType", kinds[pick(0, 3)]);
    for (const char* box : {"LoadImageOnStart", "SaveImageOnExit", "AutoSaveEnabled", "DiskFormatFAT32",
                            "MakeTempDir", "UseDiskLabel", "BootEnable"}) {
        store.PutDword(box, pick(0, 1));
    }
    store.PutDword("SizeIn4kPages", pick(0, 4095 * 256));
    store.PutDword("AutoSaveTrigger", pick(1, 8191));
    store.PutDword("UserDriveLetter", pick(0, 25));
}

// What a user sees of a setting: the state of every control, the two numbers by value
// (a default such as "10" comes back as " 10").
void ExpectSameWindow(const Editor& saved, const Editor& loaded) {
    for (std::size_t i = 0; i < saved.Controls().size(); ++i) {
        const Control& a = *saved.Controls()[i];
        const Control& b = *loaded.Controls()[i];
        EXPECT_EQ(a.Enabled(), b.Enabled()) << a.Name();
        if (auto* box = dynamic_cast<const CheckBox*>(&a)) {
            EXPECT_EQ(box->Value(), dynamic_cast<const CheckBox&>(b).Value()) << a.Name();
        }
    }
    EXPECT_EQ(saved.diskTypeList.ListIndex(), loaded.diskTypeList.ListIndex());
    EXPECT_EQ(TextToNumber(saved.diskSizeBox.Text()), TextToNumber(loaded.diskSizeBox.Text()));
    EXPECT_EQ(TextToNumber(saved.autoSaveIntervalBox.Text()), TextToNumber(loaded.autoSaveIntervalBox.Text()));
    for (const TextBox* box : {&saved.loadFileBox, &saved.saveFileBox, &saved.diskLabelBox, &saved.driveLetterBox}) {
        EXPECT_EQ(box->Text(), loaded.Find(box->Name())->Text()) << box->Name();
    }
    EXPECT_FALSE(loaded.SettingsChanged);
}

TEST_F(SaveSettingsTest, SavingAndLoadingIntoANewWindowGivesTheSameValues) {
    for (std::uint32_t seed = 1; seed <= 150; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 random(seed);
        FakePlatform world;
        SeedRandomKey(world.store, random);
        Editor saved(world.Services());
        saved.Load();
        saved.Show();
        RandomUser user(saved, seed);
        for (int action = 0; action < 30; ++action) user.Act();
        saved.ClickButton(saved.saveSettingsButton);
        const auto written = world.store.values;

        Editor loaded(world.Services());
        loaded.Load();
        ExpectSameWindow(saved, loaded);
        loaded.ClickButton(loaded.saveSettingsButton);
        for (const std::string& name : kSaveOrder) {
            EXPECT_EQ(world.store.values.at(name).bytes, written.at(name).bytes) << name;
        }
        if (HasFailure()) break;
    }
}

}  // namespace
}  // namespace qv
