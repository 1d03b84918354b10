// The recording fakes of the platform services.
#include "tests/fakes/fake_services.h"

namespace qv {

MessageAnswer FakeUserInterface::ShowMessage(const std::string& text, const std::string& caption,
                                             std::uint32_t flags, MessageOwner owner) {
    messages.push_back(ShownMessage{text, caption, flags, owner});
    if (answers.empty()) return MessageAnswer::Ok;
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

void FakeUserInterface::OpenWithShell(const std::string& verb, const std::string& file,
                                     const std::string&, const std::string&, int showCommand) {
    log.push_back("shell " + verb + " " + file + " " + std::to_string(showCommand));
}

namespace {
class FakeHandle : public DeviceHandle {
public:
    explicit FakeHandle(FakeDriverDevice& device) : device_(device) { ++device_.openHandles; }
    ~FakeHandle() override {
        --device_.openHandles;
        device_.log.push_back("close");
    }
    bool IoControl(std::uint32_t code, std::int32_t* output, std::uint32_t outputSize) override {
        device_.log.push_back("ioctl " + std::to_string(code));
        if (code == 19) {
            if (!device_.statusCallSucceeds) return false;
            if (output && outputSize == 4) *output = device_.status;
            return true;
        }
        if (code == 16) return device_.saveSucceeds;
        return false;
    }

private:
    FakeDriverDevice& device_;
};
}  // namespace

std::unique_ptr<DeviceHandle> FakeDriverDevice::Open(DeviceOpenForm form) {
    log.push_back(form == DeviceOpenForm::Status ? "open status" : "open command");
    if (!loaded) return nullptr;
    if (form == DeviceOpenForm::Command && commandOpenFailures > 0) {
        --commandOpenFailures;
        return nullptr;
    }
    return std::make_unique<FakeHandle>(*this);
}

InstallerResult FakeInstallerRunner::Run(const ProcessCommand& command) {
    runs.push_back(command);
    if (!canStart) return InstallerResult{false, 0};
    std::uint32_t code = 0;
    if (!exitCodes.empty()) {
        code = exitCodes.front();
        exitCodes.pop_front();
    }
    if (onRun) onRun(command);
    return InstallerResult{true, code};
}

}  // namespace qv
