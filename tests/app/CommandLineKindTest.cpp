#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <sys/stat.h>

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include "app/CommandLine.h"
#include "app/EditionChoice.h"
#include "document/SmallForecast.h"
#include "support/CommandRun.h"

namespace {

using CommandLine::Classify;
using CommandLine::ParseWindowArguments;
using CommandLine::Run;
using CommandRun::Command;

TEST(CommandLineKindTest, TheWindowTakesFilesEditionWordsAndTheEditionOption) {
    for (const QStringList& arguments : {QStringList{},
                                         {"plan.cfs"},
                                         {"plan.cfs", "Std"},
                                         {"\"Bas\"", "plan.cfs"},
                                         {"--edition", "Adv", "plan.cfs"},
                                         {"plan.cfs", "--edition=Bas"},
                                         // Qt's own options, which its application takes out.
                                         {"-platform", "offscreen", "plan.cfs"},
                                         {"-style", "fusion"}})
        EXPECT_EQ(Classify(arguments), Run::Window) << arguments.join(' ').toStdString();
}

TEST(CommandLineKindTest, ExportsAndEverythingElseAreNoWindow) {
    for (const QStringList& arguments : {QStringList{"--export", "json", "plan.cfs"},
                                         {"plan.cfs", "--export=csv"},
                                         {"--edition", "Std", "--export", "csv", "plan.cfs"},
                                         {"--help", "--export", "json"}})
        EXPECT_EQ(Classify(arguments), Run::Export) << arguments.join(' ').toStdString();
    // Only pictures and pages need Qt's GUI side.
    EXPECT_TRUE(CommandLine::IsDrawingExport({"--export", "png", "plan.cfs", "-o", "-"}));
    EXPECT_TRUE(CommandLine::IsDrawingExport({"plan.cfs", "--export=pdf"}));
    EXPECT_FALSE(CommandLine::IsDrawingExport({"--export", "csv", "png"}));
    EXPECT_FALSE(CommandLine::IsDrawingExport({"--export=json", "-o", "pdf"}));
    for (const QStringList& arguments :
         {QStringList{"-v"},
          {"--version"},
          {"-h"},
          {"plan.cfs", "--help"},
          {"plan.cfs", "-o", "out.json"},
          {"plan.cfs", "--year", "1"},
          {"--bogus"},
          // The edition option's word is taken whatever it is; the option after it is not.
          {"--edition", "Std", "--version"}})
        EXPECT_EQ(Classify(arguments), Run::Report) << arguments.join(' ').toStdString();
}

TEST(CommandLineKindTest, TheEditionOptionBecomesTheEditionWord) {
    const auto advanced = ParseWindowArguments({"plan.cfs", "--edition", "Adv"});
    ASSERT_EQ(advanced.error, "");
    EXPECT_EQ(advanced.arguments, (QStringList{"plan.cfs", "Adv"}));
    // Whatever the edition table makes of it: the option names the edition as the word does.
    EXPECT_EQ(EditionChoice::FromArguments(advanced.arguments), Edition::Advanced);
    EXPECT_EQ(EditionChoice::FileArgument(advanced.arguments), "plan.cfs");

    const auto basic = ParseWindowArguments({"--edition=Bas"});
    ASSERT_EQ(basic.error, "");
    EXPECT_EQ(basic.arguments, QStringList{"Bas"});

    // The same edition twice, as option and word, quoted or bare, is no conflict.
    for (const QStringList& same : {QStringList{"--edition", "Std", "plan.cfs", "Std"},
                                    {"\"Std\"", "--edition=Std"},
                                    {"--edition", "Std", "--edition", "Std"}}) {
        const auto parsed = ParseWindowArguments(same);
        EXPECT_EQ(parsed.error, "") << same.join(' ').toStdString();
        EXPECT_EQ(EditionChoice::FromArguments(parsed.arguments), Edition::Standard);
    }

    // Without the option the arguments stay as given, so the words keep their own order of
    // precedence (Basic, Standard, Advanced).
    const QStringList words{"plan.cfs", "\"Adv\"", "\"Std\""};
    EXPECT_EQ(ParseWindowArguments(words).arguments, words);
}

TEST(CommandLineKindTest, ConflictingOrWrongEditionsAreRefused) {
    for (const QStringList& arguments : {QStringList{"plan.cfs", "Bas", "--edition", "Std"},
                                         {"\"Adv\"", "--edition=Bas"},
                                         {"--edition", "Std", "--edition", "Adv"},
                                         {"--edition", "std"},
                                         {"--edition", "Standard"},
                                         {"--edition"},
                                         {"--edition="}}) {
        const auto parsed = ParseWindowArguments(arguments);
        EXPECT_NE(parsed.error, "") << arguments.join(' ').toStdString();
        EXPECT_TRUE(parsed.arguments.isEmpty());
    }
    EXPECT_EQ(ParseWindowArguments({"Bas", "--edition", "Std"}).error,
              "--edition Std and the edition word Bas name different editions");
}

TEST(CommandLineKindTest, VersionAndHelpGoToStandardOutput) {
    for (const char* option : {"--version", "-v"}) {
        const auto run = Command({option});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, "Varnobel Viewer 1.0.5.3\n");
        EXPECT_EQ(run.err, "");
    }
    const auto help = Command({"-h"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    for (const char* line : {"varnobel-view [FILE] [Bas|Std|Adv] [--edition Bas|Std|Adv]",
                             "varnobel-view --export png FILE -o OUT.png", "  -o, --output OUT ",
                             "  --zoom PERCENT ", "  --portrait ", "  -v, --version ",
                             "Exit status:", "  4  an export's FILE is not a forecast",
                             "varnobel-view --print FILE [Bas|Std|Adv]", "  --print FILE "})
        EXPECT_NE(help.out.find(line), std::string::npos) << line;
}

TEST(CommandLineKindTest, ThePrintSwitchesCountOnlyAsWholeArguments) {
    for (const QStringList& arguments : {QStringList{"--print", "plan.cfs"},
                                         {"--print", "plan.cfs", "Adv"},
                                         {"/p", "plan.cfs"},
                                         {"\"Bas\"", "/p", "plan.cfs"},
                                         {"/pt", "plan.cfs", "Office Laser"},
                                         {"plan.cfs", "/p"}})
        EXPECT_EQ(Classify(arguments), Run::Print) << arguments.join(' ').toStdString();
    for (const QStringList& arguments : {QStringList{"/projects/plan.cfs"},
                                         {"/pt.cfs", "Std"},
                                         {"/p/plan.cfs"},
                                         {"/P", "plan.cfs"}})
        EXPECT_EQ(Classify(arguments), Run::Window) << arguments.join(' ').toStdString();
    // The Advanced PDF's option is no print switch.
    EXPECT_EQ(Classify({"plan.cfs", "--print-option", "expanded"}), Run::Report);
    EXPECT_EQ(Classify({"--export", "pdf", "plan.cfs", "--print-option", "expanded"}), Run::Export);
}

TEST(CommandLineKindTest, PrintArgumentsNameTheFileThePrinterAndTheEdition) {
    struct Accepted {
        QStringList arguments;
        const char* file;
        const char* printer;
        Edition edition;
    };
    const Accepted accepted[] = {
        {{"--print", "plan.cfs"}, "plan.cfs", "", Edition::Standard},
        {{"Adv", "--print", "/projects/plan.cfa"}, "/projects/plan.cfa", "", Edition::Advanced},
        {{"--edition=Bas", "--print", "plan.cfb", "\"Bas\""}, "plan.cfb", "", Edition::Basic},
        {{"/p", "/pt"}, "/pt", "", Edition::Standard}, // FILE is whatever follows
        {{"\"Std\"", "/pt", "my plan.cfs", "Office Laser"},
         "my plan.cfs",
         "Office Laser",
         Edition::Standard},
        {{"/pt", "plan.cfs", "Std", "Adv"}, "plan.cfs", "Std", Edition::Advanced},
    };
    for (const Accepted& a : accepted) {
        const CommandLine::PrintArguments parsed = CommandLine::ParsePrintArguments(a.arguments);
        const std::string given = a.arguments.join(' ').toStdString();
        EXPECT_EQ(parsed.error, "") << given;
        EXPECT_EQ(parsed.file, a.file) << given;
        EXPECT_EQ(parsed.printer, a.printer) << given;
        EXPECT_EQ(parsed.edition, a.edition) << given;
    }

    const std::pair<QStringList, const char*> refused[] = {
        {{"/pt", "plan.cfs"}, "/pt needs FILE and PRINTER"},
        {{"/pt", "plan.cfs", ""}, "PRINTER is empty"},
        {{"--print", "a.cfs", "/pt", "b.cfs", "Office"}, "--print and /pt are both given"},
        {{"--print", "a.cfs", "b.cfs"}, "\"b.cfs\" is not something to print with"},
        {{"--print", "a.cfs", "--edition", "std"},
         "--edition must be Bas, Std or Adv, not \"std\""},
    };
    for (const auto& [arguments, reason] : refused)
        EXPECT_EQ(CommandLine::ParsePrintArguments(arguments).error, reason)
            << arguments.join(' ').toStdString();
}

// The program itself: nothing reaches a printer here, as FILE or the named printer fails first.
TEST(CommandLineKindTest, PrintingFromTheCommandLineEndsWithTheReason) {
    SmallForecast::TempFolder folder;
    const std::filesystem::path plan = folder / "plan.cfs";
    SmallForecast::WriteFile(plan, SmallForecast::Bytes());
    const std::filesystem::path damaged = folder / "damaged.cfs";
    std::vector<std::uint8_t> cut = SmallForecast::Bytes();
    cut.resize(cut.size() / 2);
    SmallForecast::WriteFile(damaged, cut);
    const QString missing = QString::fromStdString((folder / "missing.cfs").string());
    const QString noPrinter = QStringLiteral("no-such-printer-of-the-viewer-tests");

    struct Case {
        QStringList arguments;
        int status;
        std::string said;
    };
    const Case cases[] = {
        {{"/pt", QString::fromStdString(plan.string()), noPrinter},
         1,
         "varnobel-view: there is no printer \"" + noPrinter.toStdString() + "\"\n"},
        {{"/pt", QString::fromStdString(damaged.string()), noPrinter, "Adv"},
         1,
         "Cannot open \"" + damaged.string() + "\":\nThe file ends after " +
             std::to_string(cut.size()) + " bytes, before the forecast in it does.\n" +
             "Unexpected file format.\n"},
        {{"--print", missing, "--edition", "Bas"}, 1, "Cannot open \"" + missing.toStdString()},
        {{"/p"}, 2, "varnobel-view: /p needs FILE\n"},
    };
    for (const Case& c : cases) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("DISPLAY");
        environment.remove("WAYLAND_DISPLAY");
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(VARNOBEL_VIEW_PATH), c.arguments);
        ASSERT_TRUE(process.waitForFinished(60000)) << c.arguments.join(' ').toStdString();
        const std::string err = process.readAllStandardError().toStdString();
        EXPECT_EQ(process.exitCode(), c.status) << c.arguments.join(' ').toStdString() << err;
        EXPECT_EQ(err.rfind(c.said, 0), 0u) << err;
        EXPECT_EQ(process.readAllStandardOutput().toStdString(), "");
    }
}

// The folder Qt would make, made without its warning; a session's own folder stays.
TEST(CommandLineKindTest, AMissingRuntimeFolderIsMadePrivate) {
    const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray savedTemp = qgetenv("TMPDIR");
    SmallForecast::TempFolder temp;
    qputenv("TMPDIR", QByteArray::fromStdString(temp.Path().string()));

    qputenv("XDG_RUNTIME_DIR", "/session/runtime");
    CommandLine::ProvideRuntimeFolder();
    EXPECT_EQ(qgetenv("XDG_RUNTIME_DIR"), "/session/runtime");

    qunsetenv("XDG_RUNTIME_DIR");
    CommandLine::ProvideRuntimeFolder();
    const std::string folder = qgetenv("XDG_RUNTIME_DIR").toStdString();
    EXPECT_EQ(std::filesystem::path(folder).parent_path(), temp.Path());
    EXPECT_EQ(std::filesystem::path(folder).filename().string().rfind("runtime-", 0), 0u);
    struct stat status {};
    ASSERT_EQ(stat(folder.c_str(), &status), 0);
    EXPECT_TRUE(S_ISDIR(status.st_mode));
    EXPECT_EQ(status.st_mode & 0777, 0700u);

    // A folder left open to others by an earlier run is closed again.
    chmod(folder.c_str(), 0755);
    qunsetenv("XDG_RUNTIME_DIR");
    CommandLine::ProvideRuntimeFolder();
    EXPECT_EQ(qgetenv("XDG_RUNTIME_DIR").toStdString(), folder);
    ASSERT_EQ(stat(folder.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u);

    qputenv("XDG_RUNTIME_DIR", savedRuntime);
    if (savedTemp.isEmpty())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", savedTemp);
}

} // namespace
