// Start-up (filled in by its own change).
#include "qvconfig/startup/startup.h"

namespace qv {
std::string ArgumentText(const std::string& commandLine) { return commandLine; }
StartupMode ChooseMode(const std::string&) { return StartupMode::Usage; }
Application::Application(Services services, WindowHost& host) : services_(services), host_(host) {}
Application::~Application() = default;
void Application::Startup(const std::string&) {}
bool Application::HasOpenWindows() const { return false; }
Editor& Application::GetEditor() { return *editor_; }
LoadFail& Application::GetLoadFail() { return *loadFail_; }
NoDrive& Application::GetNoDrive() { return *noDrive_; }
}  // namespace qv
