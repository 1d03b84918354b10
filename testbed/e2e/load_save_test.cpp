// Loading and saving against the real registry: what a seeded or missing key shows, what the buttons write.
#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "load_save_support.h"

namespace qve2e {
namespace {


// ---- Tests -------------------------------------------------------------------------------

class LoadSaveTest : public QvconfigTest {
protected:
    void SetUp() override {
        ASSERT_FALSE(DriverDevicePresent()) << "the stand-in driver is still running";
        SeedKey(kStored);
    }
};

TEST_F(LoadSaveTest, SeededKeyOpensTheWindowShowingEveryStoredValue) {
    const AppWindow editor = OpenEditor();
    ASSERT_TRUE(editor);
    SaveScreenshot(editor, "load-save-stored");
    ExpectShown(editor, kShownForStored);
    ExpectShown(editor, kDriverButtonsWithoutDriver);
    ExpectScrollPositions(editor, kScrollsForStored);
    EXPECT_EQ(qvtest::ComboSelection(editor.Control("diskTypeList")), 0);
    EXPECT_EQ(ReadKey(), kStored) << "loading wrote to the key";
}

// Every one of the fourteen settings changed through the window, partly by its rules:
// ticking "Disk Label:" clears image loading, clearing "Save Disk Image on Shutdown"
// clears AutoSave, and a floppy kind freezes the size that was typed before.
void EditEverySetting(const AppWindow& editor) {
    TypeInto(editor.Control("diskSizeBox"), "100");
    qvtest::Click(editor.Control("fat32Check"));  // leaving the size box brings it onto the grid
    TypeInto(editor.Control("driveLetterBox"), "k");
    TypeInto(editor.Control("loadFileBox"), "C:\\new load.img");
    TypeInto(editor.Control("autoSaveIntervalBox"), "1000");
    qvtest::Click(editor.Control("saveOnShutdownCheck"));
    TypeInto(editor.Control("saveFileBox"), "F:\\out.img");
    qvtest::Click(editor.Control("diskLabelCheck"));
    TypeInto(editor.Control("diskLabelBox"), "NEWLABEL");
    qvtest::Click(editor.Control("tempDirCheck"));
    qvtest::Click(editor.Control("startAtBootCheck"));
    qvtest::Click(editor.Control("diskTypeList"));
    qvtest::PressKey(VK_DOWN);
}

const std::vector<Shown> kShownAfterEdits = {
    {"diskTypeList", "1.44MB Floppy", kNoCheck, true},
    {"diskSizeBox", " 100", kNoCheck, false},
    {"fat32Check", kFixed, O, false},
    {"driveLetterBox", "K", kNoCheck, true},
    {"loadAtStartupCheck", kFixed, O, true},
    {"loadFileBox", "C:\\new load.img", kNoCheck, false},
    {"saveOnShutdownCheck", kFixed, O, true},
    {"saveFileBox", "F:\\out.img", kNoCheck, true},
    {"autoSaveCheck", kFixed, O, true},
    {"autoSaveIntervalBox", " 1000", kNoCheck, false},
    {"tempDirCheck", kFixed, X, true},
    {"diskLabelCheck", kFixed, X, true},
    {"diskLabelBox", "NEWLABEL", kNoCheck, true},
    {"startAtBootCheck", kFixed, O, true},
};

// Disabled controls are saved like enabled ones; the installation's two values stay.
const KeyContents kStoredAfterEdits = With(kStored, {
                                                        {"DiskType", Sz("FDC14")},
                                                        {"LoadImageOnStart", Dword(0)},
                                                        {"LoadImageFile", Sz("C:\\new load.img")},
                                                        {"SaveImageOnExit", Dword(0)},
                                                        {"SaveImageFile", Sz("F:\\out.img")},
                                                        {"SizeIn4kPages", Dword(25600)},
                                                        {"AutoSaveEnabled", Dword(0)},
                                                        {"DiskFormatFAT32", Dword(0)},
                                                        {"AutoSaveTrigger", Dword(250)},
                                                        {"UserDriveLetter", Dword(10)},
                                                        {"MakeTempDir", Dword(1)},
                                                        {"UseDiskLabel", Dword(1)},
                                                        {"DiskLabel", Sz("NEWLABEL")},
                                                        {"BootEnable", Dword(0)},
                                                    });

TEST_F(LoadSaveTest, OkWritesEveryEditedSettingAndEndsTheProgram) {
    const AppWindow editor = OpenEditor();
    ASSERT_TRUE(editor);
    EditEverySetting(editor);
    ASSERT_EQ(Await(std::string("1.44MB Floppy"), [&] { return qvtest::WindowText(editor.Control("diskTypeList")); }),
              "1.44MB Floppy");
    ExpectShown(editor, kShownAfterEdits);
    qvtest::Click(editor.Control("okButton"));
    EXPECT_TRUE(Ends());
    EXPECT_EQ(ReadKey(), kStoredAfterEdits);
}

TEST_F(LoadSaveTest, SaveSettingsWritesAndKeepsTheWindowOpen) {
    const AppWindow editor = OpenEditor();
    ASSERT_TRUE(editor);
    qvtest::PostClick(editor.Control("startAtBootCheck"));
    ASSERT_EQ(Await(O, [&] { return qvtest::CheckState(editor.Control("startAtBootCheck")); }), O);
    qvtest::PostClick(editor.Control("saveSettingsButton"));
    EXPECT_EQ(Await(std::optional<std::uint32_t>(0), [] { return qvtest::ReadDword("BootEnable"); }), 0u);
    EXPECT_FALSE(Running().WaitForExit(500)) << "Save Settings closed the window";
    EXPECT_TRUE(IsWindowVisible(editor.Handle()));
    EXPECT_EQ(ReadKey(), With(kStored, {{"BootEnable", Dword(0)}}));
}

#ifdef _WIN64
// On 64-bit Windows the key is the one in the 64-bit view, which the driver reads, also for
// the i686 program: as a 32-bit program it would otherwise see a key under Wow6432Node.
TEST_F(LoadSaveTest, OnSixtyFourBitWindowsTheKeyIsTheOneTheDriverReads) {
    const std::string viewOf32BitPrograms = "Software\\Wow6432Node\\Quorvel";
    HKEY decoy = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, viewOf32BitPrograms.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &decoy, nullptr),
              ERROR_SUCCESS);
    const char kDecoy[] = "DECOY";
    RegSetValueExA(decoy, "DiskLabel", 0, REG_SZ, reinterpret_cast<const BYTE*>(kDecoy), sizeof kDecoy);
    RegCloseKey(decoy);

    const AppWindow editor = OpenEditor();
    ASSERT_TRUE(editor);
    EXPECT_EQ(qvtest::WindowText(editor.Control("diskLabelBox")), TextOf(kStored.at("DiskLabel")));
    qvtest::PostClick(editor.Control("startAtBootCheck"));
    ASSERT_EQ(Await(O, [&] { return qvtest::CheckState(editor.Control("startAtBootCheck")); }), O);
    qvtest::PostClick(editor.Control("saveSettingsButton"));
    EXPECT_EQ(Await(std::optional<std::uint32_t>(0), [] { return qvtest::ReadDword("BootEnable"); }), 0u);
    EXPECT_EQ(ReadKey(viewOf32BitPrograms), KeyContents({{"DiskLabel", Sz(kDecoy)}}));
    EXPECT_TRUE(qvtest::DeleteKey(viewOf32BitPrograms));
}
#endif

// The key as a setup creates it holds no settings: the window shows a fresh
// installation's, as with no key but without the message and with no placeholder
// text anywhere, and OK writes them as sound values beside the installation's two.
const KeyContents kSetupsKey = {
    {"InstallDir", Sz("C:\\Program Files\\Quorvel")},
    {"Executable", Sz("C:\\Program Files\\Quorvel\\qvconfig.exe")},
};
const KeyContents kFreshSettings = With(kSetupsKey, {
    {"DiskType", Sz("HDC")},
    {"LoadImageOnStart", Dword(0)},
    {"LoadImageFile", Sz("c:\\qvdriver.img")},
    {"SaveImageOnExit", Dword(0)},
    {"SaveImageFile", Sz("c:\\qvdriver.img")},
    {"SizeIn4kPages", Dword(2560)},
    {"AutoSaveEnabled", Dword(0)},
    {"DiskFormatFAT32", Dword(0)},
    {"AutoSaveTrigger", Dword(150)},
    {"UserDriveLetter", Dword(25)},
    {"MakeTempDir", Dword(0)},
    {"UseDiskLabel", Dword(0)},
    {"DiskLabel", Sz("QVDRIVER")},
    {"BootEnable", Dword(0)},
});

TEST_F(LoadSaveTest, SetupsKeyShowsAFreshInstallationAndOkSavesIt) {
    SeedKey(kSetupsKey);
    const AppWindow editor = OpenEditor();  // fails on a "Registry Read Failed" box
    ASSERT_TRUE(editor);
    SaveScreenshot(editor, "load-save-setups-key");
    ExpectShown(editor, kShownForDefaults);
    ExpectShown(editor, kDriverButtonsWithoutDriver);
    ExpectScrollPositions(editor, kScrollsForDefaults);
    EXPECT_EQ(qvtest::ComboSelection(editor.Control("diskTypeList")), 0);
    for (const char* name : {"diskTypeList", "loadFileBox", "saveFileBox", "diskSizeBox", "driveLetterBox", "autoSaveIntervalBox", "diskLabelBox"}) {
        const std::string text = qvtest::WindowText(editor.Control(name));
        EXPECT_FALSE(text == "diskTypeList" || (text.size() == 5 && text.rfind("Text", 0) == 0))
            << name << " shows the placeholder " << text;
    }
    EXPECT_EQ(ReadKey(), kSetupsKey) << "loading wrote to the key";

    qvtest::Click(editor.Control("okButton"));
    EXPECT_TRUE(Ends());
    EXPECT_EQ(ReadKey(), kFreshSettings);
}

// Every write refused: one box says so, OK still closes the window, the key is as it was.
TEST_F(LoadSaveTest, RefusedWritesAreReportedOnceAndOkStillCloses) {
    const ValueWritesRefused refused;
    if (!refused.Refuses()) GTEST_SKIP() << "this Wine lets every write through";
    const AppWindow editor = OpenEditor();
    ASSERT_TRUE(editor);
    qvtest::PostClick(editor.Control("startAtBootCheck"));
    qvtest::PostClick(editor.Control("okButton"));
    const std::vector<SeenBox> expected = {
        {"Save Settings Failed", "Unable to save Quorvel settings.", {kEditorForm.caption, "Save Settings Failed"}}};
    EXPECT_EQ(AnswerBoxesUntilEnd(Running()), expected);
    EXPECT_TRUE(Ends());
    EXPECT_EQ(ReadKey(), kStored);
}

// Cancel and the title bar's close command leave the key exactly as it was.
enum class Closing { Cancel, CloseCommand };

void PrintTo(Closing closing, std::ostream* out) { *out << (closing == Closing::Cancel ? "Cancel" : "CloseCommand"); }

class LoadSaveClosingTest : public LoadSaveTest, public ::testing::WithParamInterface<Closing> {};

TEST_P(LoadSaveClosingTest, ClosingAfterEditsChangesNothingInTheKey) {
    const AppWindow editor = OpenEditor();
    ASSERT_TRUE(editor);
    TypeInto(editor.Control("driveLetterBox"), "k");
    qvtest::Click(editor.Control("startAtBootCheck"));
    qvtest::Click(editor.Control("saveOnShutdownCheck"));
    ASSERT_EQ(Await(O, [&] { return qvtest::CheckState(editor.Control("autoSaveCheck")); }), O);
    ASSERT_EQ(qvtest::WindowText(editor.Control("driveLetterBox")), "K");
    if (GetParam() == Closing::Cancel) {
        qvtest::PostClick(editor.Control("cancelButton"));
    } else {
        qvtest::PostClose(editor.Handle());
    }
    EXPECT_TRUE(Ends());
    EXPECT_EQ(ReadKey(), kStored);
}

INSTANTIATE_TEST_SUITE_P(Ways, LoadSaveClosingTest, ::testing::Values(Closing::Cancel, Closing::CloseCommand),
                         [](const auto& info) { return ::testing::PrintToString(info.param); });

// The windowless `save` word loads the settings into the hidden window (a missing key
// is reported as in the window) and asks nothing; with no driver its one other box is
// the device's, and the program ends once that is answered. The key is not written.
struct SaveWordCase {
    const char* name;
    bool keyPresent;
    std::vector<SeenBox> boxes;
};

void PrintTo(const SaveWordCase& word, std::ostream* out) { *out << word.name; }

class LoadSaveWordTest : public LoadSaveTest, public ::testing::WithParamInterface<SaveWordCase> {};

TEST_P(LoadSaveWordTest, LoadsTheHiddenWindowAndAsksNothing) {
    if (!GetParam().keyPresent) {
        ASSERT_TRUE(qvtest::DeleteSettingsKey());
    }
    const std::optional<KeyContents> before = ReadKey();
    qvtest::Program& program = Start("save");
    EXPECT_EQ(AnswerBoxesUntilEnd(program), GetParam().boxes);
    EXPECT_TRUE(Ends());
    EXPECT_EQ(ReadKey(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, LoadSaveWordTest,
    ::testing::Values(
        SaveWordCase{"SeededKey", true, {BoxAlone(kOpenDriverCaption, kCannotOpenDevice)}},
        SaveWordCase{"NoKey",
                     false,
                     {BoxAlone(kRegistryReadFailedCaption, kUnableToOpenKey),
                      BoxAlone(kOpenDriverCaption, kCannotOpenDevice)}}),
    [](const auto& info) { return std::string(info.param.name); });

// With the key deleted the box comes before the window, which then shows the settings
// of a fresh installation; loading does not create the key.
TEST_F(LoadSaveTest, NoKeyReportsTheReadFailureBeforeTheWindowShowsTheDefaults) {
    ASSERT_TRUE(qvtest::DeleteSettingsKey());
    qvtest::Program& program = Start("");
    EXPECT_EQ(AnswerNextBox(program), BoxAlone(kRegistryReadFailedCaption, kUnableToOpenKey));
    const AppWindow editor = qvtest::FindAppWindow(program.Id(), kEditorForm.caption, kOpenTimeoutMs);
    ASSERT_TRUE(editor);
    qvtest::BringToFront(editor.Handle());
    SaveScreenshot(editor, "load-save-defaults");
    ExpectShown(editor, kShownForDefaults);
    ExpectShown(editor, kDriverButtonsWithoutDriver);
    ExpectScrollPositions(editor, kScrollsForDefaults);
    EXPECT_EQ(qvtest::ComboSelection(editor.Control("diskTypeList")), 0);
    EXPECT_FALSE(qvtest::SettingsKeyExists());
}

}  // namespace
}  // namespace qve2e
