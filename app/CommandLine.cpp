#include "app/CommandLine.h"

#include <cerrno>
#include <optional>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>

#include "app/EditionChoice.h"
#include "app/Version.h"

namespace CommandLine {

namespace {

const QString kEditionOption = QStringLiteral("--edition");
const QString kEditionPrefix = QStringLiteral("--edition=");

bool IsExportOption(const QString& argument) {
    return argument == QLatin1String("--export") || argument.startsWith(QLatin1String("--export="));
}

const QString kPrintOption = QStringLiteral("--print");
// The print switches of the desktop's older print verbs: print FILE, or print it on PRINTER.
const QString kPrintSwitch = QStringLiteral("/p");
const QString kPrintToSwitch = QStringLiteral("/pt");

bool IsPrintArgument(const QString& argument) {
    return argument == kPrintOption || argument == kPrintSwitch || argument == kPrintToSwitch;
}

// Options of the headless command line other than --edition, which the window takes too.
bool IsReportOption(const QString& argument) {
    return argument.startsWith(QLatin1String("--")) || argument == QLatin1String("-h") ||
           argument == QLatin1String("-o") || argument == QLatin1String("-v");
}

QByteArray UserName() {
    if (const passwd* entry = getpwuid(geteuid()); entry != nullptr && entry->pw_name != nullptr)
        return QByteArray(entry->pw_name);
    return QByteArray::number(static_cast<qulonglong>(geteuid()));
}

} // namespace

const char* const kUsage =
    "Usage: varnobel-view --export json FILE [-o OUT]\n"
    "       varnobel-view --export csv FILE [--edition Std|Bas] [--scenario I] [--company I]\n"
    "                     [--year I] [-o OUT]\n"
    "       varnobel-view --export csv FILE --edition Adv [--view I] [--scenario I]\n"
    "                     [--company I] [--year I] [--outline file|open|closed] [-o OUT]\n"
    "       varnobel-view --export png FILE -o OUT.png [--edition Std|Bas] [--scenario I]\n"
    "                     [--company I] [--year I] [--size WxH] [--zoom PERCENT]\n"
    "       varnobel-view --export png FILE -o OUT.png --edition Adv [--view I] [--scenario I]\n"
    "                     [--company I] [--year I | --graph I] [--outline file|open|closed]\n"
    "                     [--size WxH] [--zoom PERCENT]\n"
    "       varnobel-view --export pdf FILE -o OUT.pdf [--edition Std|Bas] [--scenario I]\n"
    "                     [--company I] [--year I] [--scenarios all|current]\n"
    "                     [--companies all|current] [--years all|current] [--cashflow]\n"
    "                     [--graphs] [--paper A4|Letter|Legal] [--portrait]\n"
    "                     [--fit-width 0-3] [--repeat-labels]\n"
    "       varnobel-view --export pdf FILE -o OUT.pdf --edition Adv\n"
    "                     [--print-option as-selected|collapsed|per-display|expanded]\n"
    "                     [--paper A4|Letter|Legal] [--portrait] [--fit-width 0-3]\n"
    "       varnobel-view --export xlsx FILE -o OUT.xlsx [--edition Std|Bas] [--scenario I]\n"
    "                     [--company I] [--year I] [--all]\n"
    "       varnobel-view --export xlsx FILE -o OUT.xlsx --edition Adv [--view I]\n"
    "                     [--scenario I] [--company I] [--year I]\n"
    "                     [--outline file|open|closed] [--all]\n"
    "       varnobel-view --export changes OLDER NEWER [--edition Std|Bas|Adv]\n"
    "                     [-o OUT.csv|OUT.xlsx] [--fail-on-change]\n"
    "       varnobel-view [FILE] [Bas|Std|Adv] [--edition Bas|Std|Adv]\n"
    "       varnobel-view --print FILE [Bas|Std|Adv] [--edition Bas|Std|Adv]\n"
    "       varnobel-view /p FILE [Bas|Std|Adv] | /pt FILE PRINTER [Bas|Std|Adv]\n"
    "       varnobel-view --help | --version\n";

const char* const kNoDisplay =
    "varnobel-view: the window needs a display, and neither DISPLAY nor WAYLAND_DISPLAY is set; "
    "without one, export instead: varnobel-view --export json|csv|xlsx|png|pdf FILE (see --help)";

std::string HelpText() {
    return std::string(kUsage) +
           "\n"
           "Without --export, opens FILE (or an empty forecast) in the window of the Basic (Bas),\n"
           "Standard (Std) or Advanced (Adv) edition; without an edition a dialog asks for one.\n"
           "With --export, writes FILE without a window. With --print (or /p FILE, or\n"
           "/pt FILE PRINTER for a named printer), prints FILE's pages without a window or a\n"
           "dialog, with the choices the Printing Options dialog starts with, and ends.\n"
           "\n"
           "Options:\n"
           "  --export FORMAT          write FILE as json, csv, xlsx, png or pdf instead of\n"
           "                           opening it; changes: what changed from OLDER to NEWER\n"
           "  --fail-on-change         changes: exit with 3 when anything changed\n"
           "  --print FILE             print FILE on the default printer instead of opening it\n"
           "  -o, --output OUT         write the export to OUT, replaced only when it succeeds;\n"
           "                           '-' (and, for json and csv, no -o) is standard output\n"
           "  --edition WORD           the window's edition (Bas, Std or Adv), the one --print\n"
           "                           prints as (default Std), or the statement an export\n"
           "                           draws (Std, Bas or Adv; default Std)\n"
           "  --view I                 Adv: the statement's view (default 0)\n"
           "  --outline file|open|closed\n"
           "                           Adv: sections as the file has them, all open or closed\n"
           "  --scenario I             the statement's scenario (default 0; -1 combined;\n"
           "                           Adv: default -1)\n"
           "  --company I              the statement's company (default 0; -1 consolidated;\n"
           "                           Adv: default -1)\n"
           "  --year I                 the statement's year (default 0; the year count: graphs)\n"
           "  --graph I                Adv png: the year's graph I instead of its statement\n"
           "  --all                    xlsx: a worksheet for every statement the window can\n"
           "                           show instead of the selected one\n"
           "  --size WxH               png: the window's client area, each side 1 to 8192\n"
           "                           (default 1600x1000)\n"
           "  --zoom PERCENT           png: the zoom, 1 to 1000 (default the file's)\n"
           "  --scenarios all|current  pdf: print every scenario or the selected one\n"
           "  --companies all|current  pdf: print every company or the selected one\n"
           "  --years all|current      pdf: print every year or the selected one\n"
           "  --cashflow               pdf: print the statement pages\n"
           "  --graphs                 pdf: print the graphs pages\n"
           "  --paper A4|Letter|Legal  pdf: the paper (default A4)\n"
           "  --portrait               pdf: portrait pages (default landscape)\n"
           "  --fit-width N            pdf: draw a year's statement smaller so that its columns\n"
           "                           fit N pages across (1, 2 or 3; 0 off, the default),\n"
           "                           never below 6 pt\n"
           "  --repeat-labels          pdf: print the row labels on every page across, not\n"
           "                           only the first (Adv: always)\n"
           "  -h, --help               show this help\n"
           "  -v, --version            show the version\n"
           "\n"
           "Exit status:\n"
           "  0  the export was written, the pages were printed, or the window was closed\n"
           "  1  the output could not be written, the pages could not be laid out, or\n"
           "     --print failed (FILE unreadable, no such printer, nothing to print)\n"
           "  2  bad command line, an export with nothing to print, or a window without\n"
           "     a display\n"
           "  3  an export's FILE cannot be opened or read\n"
           "  4  an export's FILE is not a forecast the viewer can read\n";
}

std::string VersionText() {
    return std::string("Varnobel Viewer ") + ViewerVersion::kText + "\n";
}

Run Classify(const QStringList& arguments) {
    for (const QString& argument : arguments)
        if (IsExportOption(argument))
            return Run::Export;
    for (const QString& argument : arguments)
        if (IsPrintArgument(argument))
            return Run::Print;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == kEditionOption) {
            ++i; // its word
            continue;
        }
        if (arguments[i].startsWith(kEditionPrefix))
            continue;
        if (IsReportOption(arguments[i]))
            return Run::Report;
    }
    return Run::Window;
}

bool IsDrawingExport(const QStringList& arguments) {
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString format;
        if (arguments[i] == QLatin1String("--export") && i + 1 < arguments.size())
            format = arguments[i + 1];
        else if (arguments[i].startsWith(QLatin1String("--export=")))
            format = arguments[i].mid(9);
        if (format == QLatin1String("png") || format == QLatin1String("pdf"))
            return true;
    }
    return false;
}

WindowArguments ParseWindowArguments(const QStringList& arguments) {
    WindowArguments parsed;
    std::optional<Edition> chosen;
    QString chosenWord;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString word;
        if (arguments[i] == kEditionOption) {
            if (i + 1 == arguments.size())
                return {{}, QStringLiteral("--edition needs Bas, Std or Adv")};
            word = arguments[++i];
        } else if (arguments[i].startsWith(kEditionPrefix)) {
            word = arguments[i].mid(kEditionPrefix.size());
        } else {
            parsed.arguments << arguments[i];
            continue;
        }
        const std::optional<Edition> edition = EditionChoice::FromWord(word);
        if (!edition)
            return {{}, QStringLiteral("--edition must be Bas, Std or Adv, not \"%1\"").arg(word)};
        if (chosen && *chosen != *edition)
            return {{},
                    QStringLiteral("--edition is given twice, as %1 and %2").arg(chosenWord, word)};
        chosen = edition;
        chosenWord = word;
    }
    if (!chosen)
        return parsed;
    const std::optional<Edition> named = EditionChoice::FromArguments(parsed.arguments);
    if (named && *named != *chosen)
        return {{},
                QStringLiteral("--edition %1 and the edition word %2 name different editions")
                    .arg(chosenWord, EditionChoice::Word(*named))};
    if (!named)
        parsed.arguments << chosenWord;
    return parsed;
}

PrintArguments ParsePrintArguments(const QStringList& arguments) {
    PrintArguments parsed;
    const auto refuse = [](const QString& reason) {
        PrintArguments refused;
        refused.error = reason;
        return refused;
    };
    QString form;
    std::optional<Edition> chosen;
    QString chosenWord;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (IsPrintArgument(argument)) {
            if (!form.isEmpty())
                return refuse(QStringLiteral("%1 and %2 are both given").arg(form, argument));
            form = argument;
            const qsizetype needed = argument == kPrintToSwitch ? 2 : 1;
            if (i + needed >= arguments.size())
                return refuse(argument == kPrintToSwitch
                                  ? QStringLiteral("/pt needs FILE and PRINTER")
                                  : argument + QStringLiteral(" needs FILE"));
            parsed.file = arguments[++i];
            if (argument == kPrintToSwitch)
                parsed.printer = arguments[++i];
            continue;
        }
        QString word;
        if (argument == kEditionOption) {
            if (i + 1 == arguments.size())
                return refuse(QStringLiteral("--edition needs Bas, Std or Adv"));
            word = arguments[++i];
        } else if (argument.startsWith(kEditionPrefix)) {
            word = argument.mid(kEditionPrefix.size());
        } else {
            const std::optional<Edition> named = EditionChoice::FromArguments({argument});
            if (!named)
                return refuse(
                    QStringLiteral("\"%1\" is not something to print with").arg(argument));
            word = EditionChoice::Word(*named);
        }
        const std::optional<Edition> edition = EditionChoice::FromWord(word);
        if (!edition)
            return refuse(
                QStringLiteral("--edition must be Bas, Std or Adv, not \"%1\"").arg(word));
        if (chosen && *chosen != *edition)
            return refuse(
                QStringLiteral("the editions %1 and %2 are both given").arg(chosenWord, word));
        chosen = edition;
        chosenWord = word;
    }
    if (form.isEmpty())
        return refuse(QStringLiteral("--print, /p or /pt is needed"));
    if (parsed.file.isEmpty())
        return refuse(QStringLiteral("FILE is empty"));
    if (form == kPrintToSwitch && parsed.printer.isEmpty())
        return refuse(QStringLiteral("PRINTER is empty"));
    parsed.edition = chosen.value_or(Edition::Standard);
    return parsed;
}

bool DisplayChosen(const QStringList& arguments) {
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (!qEnvironmentVariableIsEmpty(variable))
            return true;
    return arguments.contains(QStringLiteral("-platform"));
}

void ProvideRuntimeFolder() {
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const QByteArray folder = QFile::encodeName(QDir::tempPath()) + "/runtime-" + UserName();
    if (mkdir(folder.constData(), 0700) != 0 && errno != EEXIST)
        return;
    struct stat status {};
    if (lstat(folder.constData(), &status) != 0 || !S_ISDIR(status.st_mode) ||
        status.st_uid != geteuid())
        return;
    if ((status.st_mode & 0777) != 0700 && chmod(folder.constData(), 0700) != 0)
        return;
    qputenv("XDG_RUNTIME_DIR", folder);
}

} // namespace CommandLine
