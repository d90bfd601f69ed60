#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include "document/SmallForecast.h"

// The built program run the way cron, a container or a service runs it: no runtime folder, no
// display, no Qt settings, a fresh home and nothing else in the environment.
namespace {

using SmallForecast::TempFolder;

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

class BareEnvironmentTest : public ::testing::Test {
protected:
    void SetUp() override {
        SmallForecast::WriteFile(plan, SmallForecast::Bytes());
        std::vector<std::uint8_t> cut = SmallForecast::Bytes();
        cut.resize(cut.size() / 2);
        SmallForecast::WriteFile(damaged, cut);
        std::filesystem::create_directory(home);
    }

    Outcome Export(const std::string& format, const std::filesystem::path& input,
                   const QStringList& extraEnvironment = {}) {
        QProcessEnvironment environment;
        environment.insert("PATH", "/usr/bin:/bin");
        environment.insert("HOME", QString::fromStdString(home.string()));
        for (const QString& setting : extraEnvironment)
            environment.insert(setting.section('=', 0, 0), setting.section('=', 1));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(VARNOBEL_VIEW_PATH),
                      {"--export", QString::fromStdString(format),
                       QString::fromStdString(input.string()), "-o",
                       QString::fromStdString(Out(format).string())});
        Outcome run;
        if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
            return run;
        run.status = process.exitCode();
        run.out = process.readAllStandardOutput().toStdString();
        run.err = process.readAllStandardError().toStdString();
        return run;
    }

    std::filesystem::path Out(const std::string& format) const {
        return folder / ("out." + format);
    }

    TempFolder folder;
    std::filesystem::path plan = folder / "plan.cfs";
    std::filesystem::path damaged = folder / "damaged.cfs";
    std::filesystem::path home = folder / "home";

    // What the read of the damaged file says: where it stopped, then the closing line.
    std::string DamagedMessage() const {
        return "The file ends after " + std::to_string(std::filesystem::file_size(damaged)) +
               " bytes, before the forecast in it does.\nUnexpected file format.\n";
    }
};

TEST_F(BareEnvironmentTest, EveryExportOfAValidForecastKeepsStandardErrorEmpty) {
    for (const std::string format : {"json", "csv", "png", "pdf"}) {
        const Outcome run = Export(format, plan);
        EXPECT_EQ(run.status, 0) << format;
        EXPECT_EQ(run.err, "") << format;
        EXPECT_EQ(run.out, "") << format;
        EXPECT_GT(std::filesystem::file_size(Out(format)), 0u) << format;
    }
}

TEST_F(BareEnvironmentTest, ADamagedForecastGivesExactlyItsMessage) {
    for (const std::string format : {"json", "csv", "png", "pdf"}) {
        const Outcome run = Export(format, damaged);
        EXPECT_EQ(run.status, 4) << format;
        EXPECT_EQ(run.err, DamagedMessage()) << format;
        EXPECT_FALSE(std::filesystem::exists(Out(format))) << format;
    }
}

TEST_F(BareEnvironmentTest, QtDiagnosticsAppearOnlyWhenADeveloperAsks) {
    // Qt reports every plugin it loads when asked to; the picture export loads a platform.
    const Outcome quiet = Export("png", damaged, {"QT_DEBUG_PLUGINS=1"});
    EXPECT_EQ(quiet.status, 4);
    EXPECT_EQ(quiet.err, DamagedMessage());

    const Outcome debug = Export("png", damaged, {"QT_DEBUG_PLUGINS=1", "VARNOBEL_DEBUG=1"});
    EXPECT_EQ(debug.status, 4);
    EXPECT_NE(debug.err.find("libqoffscreen"), std::string::npos) << debug.err;
    EXPECT_NE(debug.err.find("\nUnexpected file format.\n"), std::string::npos) << debug.err;
}

} // namespace
