// tarnset.exe of the test bed: installs, starts and removes the stand-in driver through the service manager, logging each call.
//   -id <inf>  install qvdriver.sys from the setup file's directory, started on demand
//   -ie <inf>  install it started with the system, and start it now
//   -e         start the installed driver
//   -u         stop it and remove the service (nothing installed is no error)
// Exit codes: 0 success; 1 bad command line; 2 setup file missing; 3 qvdriver.sys missing;
// 4 service manager unavailable; 5 the service could not be created, started or removed;
// or the knob's code (knobs.h).
#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>

#include "testbed/standins/knobs.h"

namespace {

enum Exit : DWORD { Success = 0, BadCommandLine = 1, NoSetupFile = 2, NoDriverFile = 3, NoManager = 4, ServiceFailed = 5 };

constexpr DWORD StopTimeoutMs = 10000;

class ServiceHandle {
public:
    explicit ServiceHandle(SC_HANDLE handle) : handle_(handle) {}
    ~ServiceHandle() {
        if (handle_) ::CloseServiceHandle(handle_);
    }
    ServiceHandle(const ServiceHandle&) = delete;
    ServiceHandle& operator=(const ServiceHandle&) = delete;
    SC_HANDLE Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    SC_HANDLE handle_;
};

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string OwnDirectory() {
    char path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return DirectoryOf(std::string(path, length));
}

bool FileExists(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<DWORD> ReadKnob(const std::string& name) {
    HKEY key;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, QV_KNOB_KEY, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    DWORD value = 0, size = sizeof value, type = 0;
    const LONG read = ::RegQueryValueExA(key, name.c_str(), nullptr, &type,
                                         reinterpret_cast<BYTE*>(&value), &size);
    ::RegCloseKey(key);
    if (read != ERROR_SUCCESS || type != REG_DWORD) return std::nullopt;
    return value;
}

ServiceHandle OpenManager() { return ServiceHandle(::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS)); }

DWORD Install(const std::string& setupFile, DWORD startType) {
    if (!FileExists(setupFile)) return NoSetupFile;
    const std::string driverFile = DirectoryOf(setupFile) + "\\qvdriver.sys";
    if (!FileExists(driverFile)) return NoDriverFile;
    const ServiceHandle manager = OpenManager();
    if (!manager) return NoManager;
    ServiceHandle created(::CreateServiceA(manager.Get(), QV_STANDIN_SERVICE, "Quorvel RAM disk (test bed)",
                                           SERVICE_ALL_ACCESS, SERVICE_KERNEL_DRIVER, startType,
                                           SERVICE_ERROR_NORMAL, driverFile.c_str(), nullptr, nullptr,
                                           nullptr, nullptr, nullptr));
    if (created) return Success;
    if (::GetLastError() != ERROR_SERVICE_EXISTS) return ServiceFailed;
    // Installing again over an earlier install takes the new file and start type.
    const ServiceHandle existing(::OpenServiceA(manager.Get(), QV_STANDIN_SERVICE, SERVICE_ALL_ACCESS));
    const bool changed = existing && ::ChangeServiceConfigA(existing.Get(), SERVICE_NO_CHANGE, startType,
                                                            SERVICE_NO_CHANGE, driverFile.c_str(), nullptr,
                                                            nullptr, nullptr, nullptr, nullptr, nullptr);
    return changed ? Success : ServiceFailed;
}

DWORD Start() {
    const ServiceHandle manager = OpenManager();
    if (!manager) return NoManager;
    const ServiceHandle service(::OpenServiceA(manager.Get(), QV_STANDIN_SERVICE, SERVICE_START));
    if (!service) return ServiceFailed;
    if (::StartServiceA(service.Get(), 0, nullptr)) return Success;
    return ::GetLastError() == ERROR_SERVICE_ALREADY_RUNNING ? Success : ServiceFailed;
}

// The stop control runs the driver's unload routine, which removes its device.
bool StopAndWait(SC_HANDLE service) {
    SERVICE_STATUS status{};
    if (!::ControlService(service, SERVICE_CONTROL_STOP, &status) &&
        ::GetLastError() != ERROR_SERVICE_NOT_ACTIVE) {
        return false;
    }
    for (DWORD waited = 0; waited < StopTimeoutMs; waited += 100) {
        if (!::QueryServiceStatus(service, &status)) return false;
        if (status.dwCurrentState == SERVICE_STOPPED) return true;
        ::Sleep(100);
    }
    return false;
}

DWORD Uninstall() {
    const ServiceHandle manager = OpenManager();
    if (!manager) return NoManager;
    const ServiceHandle service(::OpenServiceA(manager.Get(), QV_STANDIN_SERVICE, SERVICE_ALL_ACCESS));
    if (!service) return ::GetLastError() == ERROR_SERVICE_DOES_NOT_EXIST ? Success : ServiceFailed;
    if (!StopAndWait(service.Get())) return ServiceFailed;
    return ::DeleteService(service.Get()) ? Success : ServiceFailed;
}

// The switch's name in the knobs ("ie", "id", "e", "u"), or empty for an unknown one.
std::string SwitchName(int argc, char** argv) {
    if (argc < 2) return "";
    const std::string word = argv[1];
    const bool needsSetupFile = word == "-ie" || word == "-id";
    if (needsSetupFile ? argc != 3 : argc != 2) return "";
    if (needsSetupFile || word == "-e" || word == "-u") return word.substr(1);
    return "";
}

DWORD Carry(const std::string& which, char** argv) {
    if (which == "ie") {
        const DWORD installed = Install(argv[2], SERVICE_SYSTEM_START);
        return installed == Success ? Start() : installed;
    }
    if (which == "id") return Install(argv[2], SERVICE_DEMAND_START);
    if (which == "e") return Start();
    return Uninstall();
}

DWORD Run(int argc, char** argv) {
    const std::string which = SwitchName(argc, argv);
    if (which.empty()) return BadCommandLine;
    const std::optional<DWORD> delay = ReadKnob(QV_KNOB_DELAY_PREFIX + which);
    const std::optional<DWORD> anyDelay = ReadKnob(QV_KNOB_DELAY);
    if (delay || anyDelay) ::Sleep(delay ? *delay : *anyDelay);
    if (const std::optional<DWORD> forced = ReadKnob(QV_KNOB_EXIT_CODE_PREFIX + which)) return *forced;
    return Carry(which, argv);
}

void Log(DWORD exitCode) {
    const std::string path = OwnDirectory() + "\\" + QV_STANDIN_LOG;
    if (FILE* log = std::fopen(path.c_str(), "a")) {
        std::fprintf(log, "%s => %lu\n", ::GetCommandLineA(), static_cast<unsigned long>(exitCode));
        std::fclose(log);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const DWORD exitCode = Run(argc, argv);
    Log(exitCode);
    return static_cast<int>(exitCode);
}
