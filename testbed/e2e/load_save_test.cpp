// Loading and saving against the real registry: what a seeded or missing key shows, what the buttons write.
#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "e2e_fixture.h"
#include "user_actions.h"

namespace qve2e {
namespace {

using qvtest::AppWindow;

// ---- The key as a whole ------------------------------------------------------------

// One value as the registry holds it: its type and its bytes (a string's zero byte included).
struct Stored {
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;
    bool operator==(const Stored& other) const { return type == other.type && bytes == other.bytes; }
};
using KeyContents = std::map<std::string, Stored>;

Stored Sz(const std::string& text) {
    Stored value{REG_SZ, std::vector<BYTE>(text.begin(), text.end())};
    value.bytes.push_back(0);
    return value;
}

Stored Dword(std::uint32_t number) {
    return Stored{REG_DWORD, {static_cast<BYTE>(number), static_cast<BYTE>(number >> 8),
                              static_cast<BYTE>(number >> 16), static_cast<BYTE>(number >> 24)}};
}

std::string TextOf(const Stored& value) {
    std::string text(value.bytes.begin(), value.bytes.end());
    while (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

std::uint32_t NumberOf(const Stored& value) {
    std::uint32_t number = 0;
    for (std::size_t i = value.bytes.size(); i-- > 0;) number = number << 8 | value.bytes[i];
    return number;
}

void PrintTo(const Stored& value, std::ostream* out) {
    if (value.type == REG_SZ) {
        *out << "REG_SZ \"" << TextOf(value) << "\" (" << value.bytes.size() << " bytes)";
    } else if (value.type == REG_DWORD && value.bytes.size() == 4) {
        *out << "REG_DWORD " << NumberOf(value);
    } else {
        *out << "type " << value.type << ", " << value.bytes.size() << " bytes";
    }
}

// Every value of the settings key; nothing when the key is missing.
std::optional<KeyContents> ReadKey() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, qvtest::kSettingsKeyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    KeyContents contents;
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD nameSize = sizeof name;
        Stored value;
        value.bytes.resize(4096);
        DWORD size = static_cast<DWORD>(value.bytes.size());
        if (RegEnumValueA(key, index, name, &nameSize, nullptr, &value.type, value.bytes.data(), &size) !=
            ERROR_SUCCESS) {
            break;
        }
        value.bytes.resize(size);
        contents[name] = value;
    }
    RegCloseKey(key);
    return contents;
}

// Replaces the key by one holding exactly these values.
void SeedKey(const KeyContents& contents) {
    ASSERT_TRUE(qvtest::DeleteSettingsKey());
    for (const auto& [name, value] : contents) {
        if (value.type == REG_SZ) {
            ASSERT_TRUE(qvtest::WriteString(name, TextOf(value))) << name;
        } else {
            ASSERT_TRUE(qvtest::WriteDword(name, NumberOf(value))) << name;
        }
    }
    ASSERT_EQ(ReadKey(), contents) << "the seed did not take";
}

KeyContents With(KeyContents contents, const KeyContents& changes) {
    for (const auto& [name, value] : changes) contents[name] = value;
    return contents;
}

// Every stored value away from what a fresh window or the no-key defaults show, and
// no two of the check-box rules working against each other: image loading excludes
// the label and the TEMP directory, and AutoSave goes with saving on shutdown.
const KeyContents kStored = {
    {"DiskType", Sz("HDC")},
    {"SizeIn4kPages", Dword(1048320)},  // 4095 MB, a size only FAT32 allows
    {"DiskFormatFAT32", Dword(1)},
    {"UserDriveLetter", Dword(3)},
    {"LoadImageOnStart", Dword(1)},
    {"LoadImageFile", Sz("D:\\images\\load me.img")},
    {"SaveImageOnExit", Dword(1)},
    {"SaveImageFile", Sz("E:\\save.img")},
    {"AutoSaveEnabled", Dword(1)},
    {"AutoSaveTrigger", Dword(152)},
    {"MakeTempDir", Dword(0)},
    {"UseDiskLabel", Dword(0)},
    {"DiskLabel", Sz("SCRATCH")},
    {"BootEnable", Dword(1)},
    {"InstallDir", Sz("C:\\Program Files\\Quorvel")},
    {"Executable", Sz("C:\\Program Files\\Quorvel\\qvconfig.exe")},
};

// ---- What the window shows -----------------------------------------------------------

constexpr int kNoCheck = -1;
constexpr const char* kCaptionFixed = nullptr;

struct Shown {
    const char* name;
    const char* text;  // kCaptionFixed for check boxes and buttons
    int check;         // kNoCheck for anything but a check box
    bool enabled;
};

struct ScrollShown {
    const char* name;
    int position;
};

constexpr int X = BST_CHECKED;
constexpr int O = BST_UNCHECKED;
constexpr const char* kFixed = kCaptionFixed;

// With no driver only "Enable" of the three driver buttons is usable.
const std::vector<Shown> kDriverButtonsWithoutDriver = {
    {"Command4", kFixed, kNoCheck, true},
    {"Command5", kFixed, kNoCheck, false},
    {"Command6", kFixed, kNoCheck, false},
};

const std::vector<Shown> kShownForStored = {
    {"Label5", "Version 1.5", kNoCheck, true},
    {"Combo1", "Hard Disk", kNoCheck, true},
    {"Label6", kFixed, kNoCheck, true},
    {"Text3", " 4095", kNoCheck, true},
    {"Label12", kFixed, kNoCheck, true},
    {"Fat32Enable", kFixed, X, true},
    {"DriveLetterText", "D", kNoCheck, true},
    {"LoadImage", kFixed, X, true},
    {"Text1", "D:\\images\\load me.img", kNoCheck, true},
    {"SaveImage", kFixed, X, true},
    {"Text2", "E:\\save.img", kNoCheck, true},
    {"SaveCheckBox", kFixed, X, true},
    {"AutoSaveTime", " 608", kNoCheck, true},
    {"TempDirCheckBox", kFixed, O, true},
    {"DiskLabelCheckBox", kFixed, O, true},
    {"DiskLabelText", "SCRATCH", kNoCheck, false},
    {"BootCheck", kFixed, X, true},
};
const std::vector<ScrollShown> kScrollsForStored = {
    {"VScroll1", 32767 - 4095}, {"VScroll2", 16384}, {"VScroll3", 32767 - 608}};

// With no key: the settings of a fresh installation, the size box's rule having
// disabled FAT32 for the 10 MB.
const std::vector<Shown> kShownForDefaults = {
    {"Label5", "Version 1.5", kNoCheck, true},
    {"Combo1", "Hard Disk", kNoCheck, true},
    {"Label6", kFixed, kNoCheck, true},
    {"Text3", "10", kNoCheck, true},
    {"Label12", kFixed, kNoCheck, true},
    {"Fat32Enable", kFixed, O, false},
    {"DriveLetterText", "Z", kNoCheck, true},
    {"LoadImage", kFixed, O, true},
    {"Text1", "c:\\qvdriver.img", kNoCheck, false},
    {"SaveImage", kFixed, O, true},
    {"Text2", "c:\\qvdriver.img", kNoCheck, true},
    {"SaveCheckBox", kFixed, O, true},
    {"AutoSaveTime", "600", kNoCheck, false},
    {"TempDirCheckBox", kFixed, O, true},
    {"DiskLabelCheckBox", kFixed, O, true},
    {"DiskLabelText", "QVDRIVER", kNoCheck, false},
    {"BootCheck", kFixed, O, true},
};
const std::vector<ScrollShown> kScrollsForDefaults = {
    {"VScroll1", 32757}, {"VScroll2", 16384}, {"VScroll3", 32167}};

void ExpectShown(const AppWindow& window, const std::vector<Shown>& rows) {
    for (const Shown& row : rows) {
        SCOPED_TRACE(row.name);
        HWND control = window.Control(row.name);
        ASSERT_NE(control, nullptr);
        if (row.text != kCaptionFixed) {
            EXPECT_EQ(qvtest::WindowText(control), row.text);
        }
        if (row.check != kNoCheck) {
            EXPECT_EQ(qvtest::CheckState(control), row.check);
        }
        EXPECT_EQ(qvtest::IsEnabled(control), row.enabled);
    }
}

void ExpectScrollPositions(const AppWindow& window, const std::vector<ScrollShown>& rows) {
    for (const ScrollShown& row : rows) {
        EXPECT_EQ(qvtest::ScrollPosition(window.Control(row.name)), row.position) << row.name;
    }
}

// ---- Message boxes and the driver ------------------------------------------------------

// A box as the user met it, with the captions of every window on the screen meanwhile
// (sorted, since the stacking order is not the point).
struct SeenBox {
    std::string caption;
    std::string text;
    std::vector<std::string> windowsMeanwhile;
    bool operator==(const SeenBox& other) const {
        return caption == other.caption && text == other.text && windowsMeanwhile == other.windowsMeanwhile;
    }
};

void PrintTo(const SeenBox& box, std::ostream* out) {
    *out << "\"" << box.caption << "\": \"" << box.text << "\" with windows {";
    for (const std::string& caption : box.windowsMeanwhile) *out << " \"" << caption << "\"";
    *out << " }";
}

SeenBox BoxAlone(const std::string& caption, const std::string& text) { return {caption, text, {caption}}; }

// Waits for the program's next message box, notes it and presses its OK; nothing when
// no box came (or the program ended first).
std::optional<SeenBox> AnswerNextBox(qvtest::Program& program) {
    HWND box = nullptr;
    qvtest::WaitUntil(
        [&] {
            const std::vector<HWND> boxes = qvtest::TopLevelWindows(program.Id(), "#32770");
            box = boxes.empty() ? nullptr : boxes.front();
            return box != nullptr || program.HasExited();
        },
        kOpenTimeoutMs);
    if (!box) return std::nullopt;
    SeenBox seen{qvtest::Caption(box), qvtest::MessageBoxText(box), qvtest::TopLevelCaptions(program.Id())};
    std::sort(seen.windowsMeanwhile.begin(), seen.windowsMeanwhile.end());
    qvtest::PressMessageBoxButton(box, IDOK);
    qvtest::WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, kReactTimeoutMs);
    return seen;
}

// Every box the program shows until it ends, each answered with OK.
std::vector<SeenBox> AnswerBoxesUntilEnd(qvtest::Program& program) {
    std::vector<SeenBox> seen;
    constexpr std::size_t kEnough = 5;  // a program that keeps asking fails instead of looping
    while (seen.size() < kEnough) {
        const std::optional<SeenBox> box = AnswerNextBox(program);
        if (!box) break;
        seen.push_back(*box);
    }
    return seen;
}

// These tests count on the stand-in driver not running; an earlier test that left it
// running would change the driver buttons and the `save` word's box.
bool DriverDevicePresent() {
    HANDLE device = CreateFileA("\\\\.\\QVDRIVER", 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                0, nullptr);
    if (device == INVALID_HANDLE_VALUE) return false;
    CloseHandle(device);
    return true;
}

const std::string kCannotOpenDevice = "Cannot open the Quorvel device.";
const std::string kOpenDriverCaption = "Open Quorvel Driver";
const std::string kUnableToOpenKey = "Unable to open Quorvel registry key.";

// ---- A key that refuses writes ---------------------------------------------------------

// Sets the key's access list: everyone may do anything, or anything but write values.
bool AllowValueWrites(bool allowed) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, qvtest::kSettingsKeyPath, 0, WRITE_DAC, &key) != ERROR_SUCCESS) {
        return false;
    }
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
    alignas(DWORD) BYTE aclBytes[256];
    auto* acl = reinterpret_cast<ACL*>(aclBytes);
    SECURITY_DESCRIPTOR descriptor;
    const bool set = everyone && InitializeAcl(acl, sizeof aclBytes, ACL_REVISION) &&
                     (allowed || AddAccessDeniedAce(acl, ACL_REVISION, KEY_SET_VALUE, everyone)) &&
                     AddAccessAllowedAce(acl, ACL_REVISION, KEY_ALL_ACCESS, everyone) &&
                     InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
                     SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE) &&
                     RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor) == ERROR_SUCCESS;
    if (everyone) FreeSid(everyone);
    RegCloseKey(key);
    return set;
}

// While it lives, the key can be read but no value written, as on a multi-user
// Windows for a user without write access to the machine's settings.
class ValueWritesRefused {
public:
    ValueWritesRefused() : applied_(AllowValueWrites(false)) {}
    ~ValueWritesRefused() { AllowValueWrites(true); }
    ValueWritesRefused(const ValueWritesRefused&) = delete;
    ValueWritesRefused& operator=(const ValueWritesRefused&) = delete;

    // True when a write through the key opened as the program opens it fails.
    bool Refuses() const {
        if (!applied_) return false;
        HKEY key = nullptr;
        if (RegOpenKeyA(HKEY_LOCAL_MACHINE, qvtest::kSettingsKeyPath, &key) != ERROR_SUCCESS) return false;
        const DWORD unchanged = NumberOf(kStored.at("BootEnable"));
        const LONG result = RegSetValueExA(key, "BootEnable", 0, REG_DWORD,
                                           reinterpret_cast<const BYTE*>(&unchanged), sizeof unchanged);
        RegCloseKey(key);
        return result != ERROR_SUCCESS;
    }

private:
    bool applied_;
};

// ---- Input -----------------------------------------------------------------------------

// Replaces a text box's text by typing, as a user selects it all and types over it.
void TypeInto(HWND textBox, const std::string& text) {
    SelectAllOf(textBox);
    qvtest::TypeText(text);
}

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
    EXPECT_EQ(qvtest::ComboSelection(editor.Control("Combo1")), 0);
    EXPECT_EQ(ReadKey(), kStored) << "loading wrote to the key";
}

// Every one of the fourteen settings changed through the window, partly by its rules:
// ticking "Disk Label:" clears image loading, clearing "Save Disk Image on Shutdown"
// clears AutoSave, and a floppy kind freezes the size that was typed before.
void EditEverySetting(const AppWindow& editor) {
    TypeInto(editor.Control("Text3"), "100");
    qvtest::Click(editor.Control("Fat32Enable"));  // leaving the size box brings it onto the grid
    TypeInto(editor.Control("DriveLetterText"), "k");
    TypeInto(editor.Control("Text1"), "C:\\new load.img");
    TypeInto(editor.Control("AutoSaveTime"), "1000");
    qvtest::Click(editor.Control("SaveImage"));
    TypeInto(editor.Control("Text2"), "F:\\out.img");
    qvtest::Click(editor.Control("DiskLabelCheckBox"));
    TypeInto(editor.Control("DiskLabelText"), "NEWLABEL");
    qvtest::Click(editor.Control("TempDirCheckBox"));
    qvtest::Click(editor.Control("BootCheck"));
    qvtest::Click(editor.Control("Combo1"));
    qvtest::PressKey(VK_DOWN);
}

const std::vector<Shown> kShownAfterEdits = {
    {"Combo1", "1.44MB Floppy", kNoCheck, true},
    {"Text3", " 100", kNoCheck, false},
    {"Fat32Enable", kFixed, O, false},
    {"DriveLetterText", "K", kNoCheck, true},
    {"LoadImage", kFixed, O, true},
    {"Text1", "C:\\new load.img", kNoCheck, false},
    {"SaveImage", kFixed, O, true},
    {"Text2", "F:\\out.img", kNoCheck, true},
    {"SaveCheckBox", kFixed, O, true},
    {"AutoSaveTime", " 1000", kNoCheck, false},
    {"TempDirCheckBox", kFixed, X, true},
    {"DiskLabelCheckBox", kFixed, X, true},
    {"DiskLabelText", "NEWLABEL", kNoCheck, true},
    {"BootCheck", kFixed, O, true},
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
    ASSERT_EQ(Await(std::string("1.44MB Floppy"), [&] { return qvtest::WindowText(editor.Control("Combo1")); }),
              "1.44MB Floppy");
    ExpectShown(editor, kShownAfterEdits);
    qvtest::Click(editor.Control("Command1"));
    EXPECT_TRUE(Ends());
    EXPECT_EQ(ReadKey(), kStoredAfterEdits);
}

TEST_F(LoadSaveTest, SaveSettingsWritesAndKeepsTheWindowOpen) {
    const AppWindow editor = OpenEditor();
    ASSERT_TRUE(editor);
    qvtest::PostClick(editor.Control("BootCheck"));
    ASSERT_EQ(Await(O, [&] { return qvtest::CheckState(editor.Control("BootCheck")); }), O);
    qvtest::PostClick(editor.Control("Command3"));
    EXPECT_EQ(Await(std::optional<std::uint32_t>(0), [] { return qvtest::ReadDword("BootEnable"); }), 0u);
    EXPECT_FALSE(Running().WaitForExit(500)) << "Save Settings closed the window";
    EXPECT_TRUE(IsWindowVisible(editor.Handle()));
    EXPECT_EQ(ReadKey(), With(kStored, {{"BootEnable", Dword(0)}}));
}

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
    EXPECT_EQ(qvtest::ComboSelection(editor.Control("Combo1")), 0);
    for (const char* name : {"Combo1", "Text1", "Text2", "Text3", "DriveLetterText", "AutoSaveTime", "DiskLabelText"}) {
        const std::string text = qvtest::WindowText(editor.Control(name));
        EXPECT_FALSE(text == "Combo1" || (text.size() == 5 && text.rfind("Text", 0) == 0))
            << name << " shows the placeholder " << text;
    }
    EXPECT_EQ(ReadKey(), kSetupsKey) << "loading wrote to the key";

    qvtest::Click(editor.Control("Command1"));
    EXPECT_TRUE(Ends());
    EXPECT_EQ(ReadKey(), kFreshSettings);
}

// Every write refused: one box says so, OK still closes the window, the key is as it was.
TEST_F(LoadSaveTest, RefusedWritesAreReportedOnceAndOkStillCloses) {
    const ValueWritesRefused refused;
    if (!refused.Refuses()) GTEST_SKIP() << "this Wine lets every write through";
    const AppWindow editor = OpenEditor();
    ASSERT_TRUE(editor);
    qvtest::PostClick(editor.Control("BootCheck"));
    qvtest::PostClick(editor.Control("Command1"));
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
    TypeInto(editor.Control("DriveLetterText"), "k");
    qvtest::Click(editor.Control("BootCheck"));
    qvtest::Click(editor.Control("SaveImage"));
    ASSERT_EQ(Await(O, [&] { return qvtest::CheckState(editor.Control("SaveCheckBox")); }), O);
    ASSERT_EQ(qvtest::WindowText(editor.Control("DriveLetterText")), "K");
    if (GetParam() == Closing::Cancel) {
        qvtest::PostClick(editor.Control("Command2"));
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
    EXPECT_EQ(qvtest::ComboSelection(editor.Control("Combo1")), 0);
    EXPECT_FALSE(qvtest::SettingsKeyExists());
}

}  // namespace
}  // namespace qve2e
