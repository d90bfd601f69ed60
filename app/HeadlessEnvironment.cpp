#include "app/HeadlessEnvironment.h"

#include <cerrno>
#include <cstdlib>
#include <iostream>
#include <streambuf>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

#include <QByteArray>
#include <QtGlobal>

// Writes straight to a file descriptor it owns, without buffering, so each message is out
// before the next step of the run can fail.
class HeadlessEnvironment::DescriptorBuffer : public std::streambuf {
public:
    explicit DescriptorBuffer(int descriptor) : descriptor_(descriptor) {}
    ~DescriptorBuffer() override { ::close(descriptor_); }
    DescriptorBuffer(const DescriptorBuffer&) = delete;
    DescriptorBuffer& operator=(const DescriptorBuffer&) = delete;

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof()))
            return traits_type::not_eof(c);
        const char ch = traits_type::to_char_type(c);
        return WriteAll(&ch, 1) ? c : traits_type::eof();
    }
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        return WriteAll(text, count) ? count : 0;
    }

private:
    bool WriteAll(const char* text, std::streamsize count) {
        while (count > 0) {
            const ssize_t written = ::write(descriptor_, text, static_cast<std::size_t>(count));
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return false;
            text += written;
            count -= written;
        }
        return true;
    }

    int descriptor_;
};

namespace {

void DropMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

HeadlessEnvironment::HeadlessEnvironment(bool drawing) : messages_(std::cerr.rdbuf()) {
    if (!DebugRequested())
        Quieten();
    if (drawing) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
            ProvideRuntimeFolder();
    }
}

HeadlessEnvironment::~HeadlessEnvironment() {
    if (!runtimeFolder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(runtimeFolder_, ignored);
    }
}

bool HeadlessEnvironment::DebugRequested() {
    const QByteArray value = qgetenv("VARNOBEL_DEBUG");
    return !value.isEmpty() && value != "0";
}

void HeadlessEnvironment::Quieten() {
    qInstallMessageHandler(DropMessage);
    // The viewer keeps the original standard error; descriptor 2 then leads nowhere, for the
    // libraries that write to it directly. Should any step fail, messages stay on std::cerr.
    const int kept = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
    if (kept < 0)
        return;
    const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (nowhere < 0 || ::dup2(nowhere, STDERR_FILENO) < 0) {
        if (nowhere >= 0)
            ::close(nowhere);
        ::close(kept);
        return;
    }
    ::close(nowhere);
    buffer_ = std::make_unique<DescriptorBuffer>(kept);
    messages_.rdbuf(buffer_.get());
}

void HeadlessEnvironment::ProvideRuntimeFolder() {
    std::error_code error;
    const std::filesystem::path temp = std::filesystem::temp_directory_path(error);
    if (error)
        return;
    // mkdtemp makes the folder readable by its owner only, as a runtime folder must be.
    std::string pattern = (temp / "varnobel-view-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        return;
    runtimeFolder_ = pattern;
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(pattern));
}
