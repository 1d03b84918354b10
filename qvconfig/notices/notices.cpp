// The notice windows LoadFail, NoDrive and Nomem as data: captions, client areas, fixed texts and boxes.
#include "qvconfig/notices/notices.h"

#include <iterator>

namespace qv {
namespace {

// The three label styles the notices share, and their OK buttons' font.
constexpr Font ProductFont{"Arial", 32.25, true, true, false};
constexpr Font MessageFont{"Arial", 9.75, true, false, false};
constexpr Font NoteFont{"Arial", 9.0, false, false, false};
constexpr Font ButtonFont{"Arial", 9.75, true, false, false};

// The product label keeps the box it is given: the view sizes that box to its text.
constexpr ControlRow ProductLabelRow(int left) {
    return ControlRow{"productName", ControlKind::Label, "Quorvel", nullptr, {left, 120, 4530, 735},
                       nullptr, ProductFont, Rgb(255, 0, 0), Alignment::Left, 0};
}

// The message label wraps its words within its box.
constexpr ControlRow MessageLabelRow(const char* text, int height) {
    return ControlRow{"message", ControlKind::Label, text, nullptr, {480, 960, 5055, height},
                       nullptr, MessageFont, DefaultColour, Alignment::Center, 0};
}

constexpr ControlRow NoteLabelRow(const char* text, TwipsBox box) {
    return ControlRow{"note", ControlKind::Label, text, nullptr, box,
                       nullptr, NoteFont, DefaultColour, Alignment::Left, 0};
}

constexpr ControlRow OkButtonRow(TwipsBox box) {
    return ControlRow{"okButton", ControlKind::Button, "OK", nullptr, box,
                       nullptr, ButtonFont, DefaultColour, Alignment::Center, 0};
}

const ControlRow kLoadFailControls[] = {
    ProductLabelRow(720),
    MessageLabelRow("Quorvel was unable to load the requested image file because the RAM disk size "
                 "and the image file size were not compatible.",
                 735),
    NoteLabelRow("Please check the image file size and Quorvel settings.", {600, 1920, 5055, 375}),
    OkButtonRow({2160, 2400, 1455, 495}),
};
const char* const kLoadFailFocus[] = {"okButton"};

// The two blanks after the first sentence belong to the text, as does "ant".
const ControlRow kNoDriveControls[] = {
    ProductLabelRow(720),
    MessageLabelRow("Quorvel was unable to assign the requested drive letter. A RAM disk was not "
                 "created.  Please check the drive letter settings for any conflicts with other "
                 "drivers ant try again.",
                 1215),
    OkButtonRow({2160, 2280, 1695, 615}),
};
const char* const kNoDriveFocus[] = {"okButton"};

const ControlRow kNomemControls[] = {
    ProductLabelRow(600),
    MessageLabelRow("Quorvel was unable to allocate sufficient physical memory for the requested RAM "
                 "disk size.  This may be due to insufficient physical memory or the size of the "
                 "Windows file cache.",
                 975),
    OkButtonRow({2160, 2280, 1455, 495}),
};
const char* const kNomemFocus[] = {"okButton"};

const FormLayout kLoadFailLayout{"Quorvel Image Load Error", 6030, 3195,
                             kLoadFailControls, std::size(kLoadFailControls),
                             kLoadFailFocus, std::size(kLoadFailFocus)};
const FormLayout kNoDriveLayout{"Quorvel Drive Letter Allocation Error", 6045, 3150,
                            kNoDriveControls, std::size(kNoDriveControls),
                            kNoDriveFocus, std::size(kNoDriveFocus)};
const FormLayout kNomemLayout{"Quorvel Memory Allocation Error", 5970, 3135,
                          kNomemControls, std::size(kNomemControls),
                          kNomemFocus, std::size(kNomemFocus)};

}  // namespace

const FormLayout& LoadFailLayout() { return kLoadFailLayout; }
const FormLayout& NoDriveLayout() { return kNoDriveLayout; }
const FormLayout& NomemLayout() { return kNomemLayout; }

// A notice does nothing but close when its OK button is pressed.
Notice::Notice(const FormLayout& layout) : Form(layout), okButton(Get<Button>("okButton")) {
    okButton.OnClick = [this] { Unload(); };
}

LoadFail::LoadFail() : Notice(LoadFailLayout()) {}
NoDrive::NoDrive() : Notice(NoDriveLayout()) {}
Nomem::Nomem() : Notice(NomemLayout()) {}

}  // namespace qv
