// The notice windows (tables filled in by their own change).
#include "qvconfig/notices/notices.h"

namespace qv {
namespace {
const ControlSpec kNone[] = {{"OKButton", ControlKind::Button, "OK", nullptr, {0, 0, 0, 0}, nullptr, {"Arial", 9.75, true, false, false}, DefaultColour, Alignment::Center, 0},
                             {"Command1", ControlKind::Button, "OK", nullptr, {0, 0, 0, 0}, nullptr, {"Arial", 9.75, true, false, false}, DefaultColour, Alignment::Center, 0}};
const FormSpec kSpec{"", 0, 0, kNone, 2, nullptr, 0};
}  // namespace
const FormSpec& LoadFailSpec() { return kSpec; }
const FormSpec& NoDriveSpec() { return kSpec; }
const FormSpec& NomemSpec() { return kSpec; }
Notice::Notice(const FormSpec& spec, const char* ok) : Form(spec), OkButton(Get<Button>(ok)) {
    OkButton.OnClick = [this] { Unload(); };
}
LoadFail::LoadFail() : Notice(LoadFailSpec(), "OKButton") {}
NoDrive::NoDrive() : Notice(NoDriveSpec(), "Command1") {}
Nomem::Nomem() : Notice(NomemSpec(), "OKButton") {}
}  // namespace qv
