#include <cstdio>
#include <exception>
#include <string>

#include <QFile>
#include <QSaveFile>
#include <QString>

#include "tools/ForecastCompose.h"

// forecast-compose IN.json OUT: makes a forecast file from its JSON description.
namespace {

void Report(const QString& text) {
    std::fprintf(stderr, "forecast-compose: %s\n", text.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: forecast-compose IN.json OUT\n"
                             "Makes the forecast file OUT from the JSON description IN.json.\n");
        return 2;
    }
    const QString inName = QString::fromLocal8Bit(argv[1]);
    const QString outName = QString::fromLocal8Bit(argv[2]);

    QFile in(inName);
    if (!in.open(QIODevice::ReadOnly)) {
        Report(inName + ": " + in.errorString());
        return 1;
    }
    const QByteArray json = in.readAll();
    if (in.error() != QFileDevice::NoError) {
        Report(inName + ": " + in.errorString());
        return 1;
    }

    std::vector<std::uint8_t> bytes;
    try {
        bytes = ForecastCompose::Compose(json);
    } catch (const ForecastCompose::ComposeError& error) {
        Report(inName + ": " + QString::fromStdString(error.what()));
        return 1;
    } catch (const std::exception& error) {
        Report(inName + ": cannot store the forecast: " + QString::fromStdString(error.what()));
        return 1;
    }

    // Written beside OUT and renamed over it, so OUT is either the old file or the whole new one.
    QSaveFile out(outName);
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !out.commit()) {
        Report(outName + ": " + out.errorString());
        return 1;
    }
    return 0;
}
