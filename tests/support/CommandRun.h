#pragma once

#include <sstream>
#include <string>
#include <vector>

#include <QString>
#include <QStringList>

#include "app/export/ExportCommand.h"

// Runs the viewer's command line in this process and keeps what it said.
namespace CommandRun {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

inline Outcome Command(const std::vector<std::string>& arguments) {
    QStringList list{"varnobel-view"};
    for (const std::string& argument : arguments)
        list << QString::fromStdString(argument);
    std::ostringstream out;
    std::ostringstream err;
    Outcome run;
    run.status = RunCommandLine(list, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

} // namespace CommandRun
