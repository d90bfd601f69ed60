#include "platform/QtApplication.h"

#include "bench/GuiApplication.h"

#include <memory>


namespace {

std::unique_ptr<QGuiApplication> application;

} // namespace

void EnsureGuiApplication() {
    if (QGuiApplication::instance() != nullptr)
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "varnobel-bench";
    static char* argv[] = {name, nullptr};
    application = std::make_unique<QGuiApplication>(argc, argv);
}

void ReleaseGuiApplication() {
    application.reset();
}
