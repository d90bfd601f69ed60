#include "platform/QtApplication.h"

#include <exception>
#include <iostream>
#include <memory>

#include <QIcon>
#include <QStringList>

#include "app/CVarnobelApp.h"
#include "app/CommandLine.h"
#include "app/HeadlessEnvironment.h"
#include "app/export/DirectPrint.h"
#include "app/export/ExportCommand.h"
#include "platform/QtMessageSink.h"

namespace {

QStringList ArgumentsOf(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

void NameApplication() {
    QCoreApplication::setOrganizationName("Varnobel Limited");
    QCoreApplication::setApplicationName("Varnobel Viewer");
}

// Runs the command line, reporting to `err`: its own answers (--help, --version, mistakes) and
// the exports.
int RunCommandLineReporting(const QStringList& arguments, std::ostream& err) {
    try {
        return RunCommandLine(QStringList{"varnobel-view"} + arguments, std::cout, err);
    } catch (const std::exception& failure) {
        err << "varnobel-view: " << failure.what() << '\n';
        return kExitFailed;
    }
}

int RunHeadless(int argc, char* argv[]) {
    const bool drawing = CommandLine::IsDrawingExport(ArgumentsOf(argc, argv));
    HeadlessEnvironment environment(drawing);
    // Pictures and pages need the GUI side of Qt for their fonts, though never a display; JSON
    // and CSV need no GUI platform at all.
    const std::unique_ptr<QCoreApplication> application =
        drawing ? std::make_unique<QGuiApplication>(argc, argv)
                : std::make_unique<QCoreApplication>(argc, argv);
    NameApplication();
    return RunCommandLineReporting(QCoreApplication::arguments().mid(1), environment.Messages());
}

// --print, /p and /pt: the pages go to a printer; like an export, the run needs no display.
int RunPrint(int argc, char* argv[]) {
    HeadlessEnvironment environment(true);
    QGuiApplication application(argc, argv);
    NameApplication();
    try {
        return DirectPrint::Run(QCoreApplication::arguments().mid(1), environment.Messages());
    } catch (const std::exception& failure) {
        environment.Messages() << "varnobel-view: " << failure.what() << '\n';
        return kExitFailed;
    }
}

void DropQtMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

int RunWindow(int argc, char* argv[]) {
    // Without a display Qt would abort with advice about reinstalling it.
    if (!CommandLine::DisplayChosen(ArgumentsOf(argc, argv))) {
        std::cerr << CommandLine::kNoDisplay << '\n';
        return kExitBadCommand;
    }
    CommandLine::ProvideRuntimeFolder();
    // What Qt says about itself is for developers; the window tells the user through its boxes.
    if (!HeadlessEnvironment::DebugRequested())
        qInstallMessageHandler(DropQtMessage);
    QApplication application(argc, argv);
    // Qt has taken its own options out of the arguments by now.
    const CommandLine::WindowArguments window =
        CommandLine::ParseWindowArguments(QCoreApplication::arguments().mid(1));
    if (!window.error.isEmpty()) {
        std::cerr << "varnobel-view: " << window.error.toStdString() << '\n' << CommandLine::kUsage;
        return kExitBadCommand;
    }
    NameApplication();
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("varnobel-view"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/varnobel-view-256.png")));
    QtMessageSink sink;
    CVarnobelApp viewer(window.arguments, sink);
    return viewer.Run();
}

} // namespace

int main(int argc, char* argv[]) {
    const QStringList arguments = ArgumentsOf(argc, argv);
    switch (CommandLine::Classify(arguments)) {
    case CommandLine::Run::Window:
        return RunWindow(argc, argv);
    case CommandLine::Run::Export:
        return RunHeadless(argc, argv);
    case CommandLine::Run::Print:
        return RunPrint(argc, argv);
    case CommandLine::Run::Report:
        // --help, --version and mistakes need no application object, display or settings.
        return RunCommandLineReporting(arguments, std::cerr);
    }
    return kExitBadCommand;
}
