#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

// A home of this test process's own: settings, recent files, data, cache and the runtime folder
// (where the instance lock lives). CTest may run several test processes at once, and a shared
// home lets one test read what another is writing. Made before the application starts, since Qt
// reads the locations once; removed when the process ends.
class PrivateHome {
public:
    PrivateHome() {
        const char* base = std::getenv("HOME");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/proc-XXXXXX";
        if (!mkdtemp(pattern.data()))
            return; // keep the shared home: a test run still works, one at a time
        root_ = pattern;
        namespace fs = std::filesystem;
        const auto folder = [&](const char* variable, const char* name) {
            const fs::path path = root_ / name;
            std::error_code error;
            fs::create_directories(path, error);
            setenv(variable, path.c_str(), 1);
            return path;
        };
        folder("XDG_CONFIG_HOME", "config");
        folder("XDG_DATA_HOME", "data");
        folder("XDG_CACHE_HOME", "cache");
        folder("XDG_STATE_HOME", "state");
        const fs::path runtime = folder("XDG_RUNTIME_DIR", "runtime");
        std::error_code error;
        fs::permissions(runtime, fs::perms::owner_all, error);
        setenv("HOME", root_.c_str(), 1);
    }
    ~PrivateHome() {
        std::error_code error;
        if (!root_.empty())
            std::filesystem::remove_all(root_, error);
    }
    PrivateHome(const PrivateHome&) = delete;
    PrivateHome& operator=(const PrivateHome&) = delete;

private:
    std::filesystem::path root_;
};
