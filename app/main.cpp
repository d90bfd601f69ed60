#include <cstring>
#include <exception>
#include <iostream>
#include <memory>

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QStringList>

#include "app/CVarnobelApp.h"
#include "app/ExportCommand.h"
#include "app/HeadlessEnvironment.h"
#include "platform/QtMessageSink.h"

namespace {

// The window takes a file and an edition word and nothing else; any double-dash option (or -h,
// -o) belongs to the headless command line, which also reports a misspelt one.
bool IsCommandLineRun(int argc, char* argv[]) {
    if (IsExportCommand(argc, argv))
        return true;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--", 2) == 0 || std::strcmp(argv[i], "-h") == 0 ||
            std::strcmp(argv[i], "-o") == 0)
            return true;
    }
    return false;
}

void NameApplication() {
    QCoreApplication::setOrganizationName("Varnobel Limited");
    QCoreApplication::setApplicationName("Varnobel Viewer");
}

int RunHeadless(int argc, char* argv[]) {
    const bool drawing = IsDrawingExport(argc, argv);
    HeadlessEnvironment environment(drawing);
    // Pictures and pages need the GUI side of Qt for their fonts, though never a display; JSON
    // and CSV need no GUI platform at all.
    const std::unique_ptr<QCoreApplication> application =
        drawing ? std::make_unique<QGuiApplication>(argc, argv)
                : std::make_unique<QCoreApplication>(argc, argv);
    NameApplication();
    try {
        return RunCommandLine(QCoreApplication::arguments(), std::cout, environment.Messages());
    } catch (const std::exception& failure) {
        environment.Messages() << "varnobel-view: " << failure.what() << '\n';
        return kExitFailed;
    }
}

} // namespace

int main(int argc, char* argv[]) {
    if (IsCommandLineRun(argc, argv))
        return RunHeadless(argc, argv);

    QApplication application(argc, argv);
    NameApplication();
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("varnobel-view"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/varnobel-view-256.png")));
    QtMessageSink sink;
    // Qt has taken its own options out of the arguments by now.
    CVarnobelApp viewer(QCoreApplication::arguments().mid(1), sink);
    return viewer.Run();
}
