#include <exception>
#include <iostream>

#include <QCoreApplication>

#include "app/ExportCommand.h"

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setOrganizationName("Varnobel Limited");
    QCoreApplication::setApplicationName("Varnobel Viewer");
    try {
        return RunCommandLine(QCoreApplication::arguments(), std::cout, std::cerr);
    } catch (const std::exception& failure) {
        std::cerr << "varnobel-view: " << failure.what() << '\n';
        return kExitFailed;
    }
}
