#pragma once

#include <filesystem>
#include <memory>
#include <ostream>

// The process set-up of a command-line run, made before the application object exists.
//
// Scripts read standard error for the viewer's own lines only, so unless VARNOBEL_DEBUG is set
// (to anything but "0") Qt's diagnostics are dropped and whatever libraries print straight to
// standard error (font configuration, platform plugins) goes nowhere; the viewer's messages
// still reach the standard error the process was started with. A run that draws gets Qt's
// offscreen platform unless another one is chosen, and a private runtime folder, removed again
// at the end, when the session has none.
class HeadlessEnvironment {
public:
    explicit HeadlessEnvironment(bool drawing);
    ~HeadlessEnvironment();
    HeadlessEnvironment(const HeadlessEnvironment&) = delete;
    HeadlessEnvironment& operator=(const HeadlessEnvironment&) = delete;

    // Where the viewer's own messages go.
    std::ostream& Messages() { return messages_; }

    // Whether a developer asked, through VARNOBEL_DEBUG, to see Qt's diagnostics.
    static bool DebugRequested();

private:
    class DescriptorBuffer;

    void Quieten();
    void ProvideRuntimeFolder();

    std::unique_ptr<DescriptorBuffer> buffer_;
    std::ostream messages_;
    std::filesystem::path runtimeFolder_;
};
