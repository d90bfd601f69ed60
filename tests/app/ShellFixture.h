#pragma once

#include <memory>
#include <string>

#include <QSettings>
#include <QString>

#include "app/CVarnobelStdDoc.h"
#include "app/frame/CVarnobelStdFrame.h"
#include "document/RecordingMessageSink.h"
#include "document/SmallForecast.h"
#include "platform/Profile.h"
#include "platform/RecentFileList.h"
#include "views/qt/CVarnobelStdView.h"

// A Standard frame with its document and view over an empty settings store, and a folder for
// the forecast files a test writes.
class ShellFixture {
public:
    ShellFixture() { ClearSettings(); }
    ~ShellFixture() {
        frame.reset();
        ClearSettings();
    }

    static void ClearSettings() {
        QSettings settings(QStringLiteral("Varnobel Limited"), QStringLiteral("Varnobel Viewer"));
        settings.clear();
        settings.sync();
    }

    // A new frame over the same document, profile and recent list (the old one goes first).
    CMainFrame& MakeFrame() {
        frame.reset();
        frame = std::make_unique<CVarnobelStdFrame>(doc, new CVarnobelStdView(doc), profile, recent,
                                                    sink);
        return *frame;
    }

    // Writes the small forecast with the given settings and returns its path.
    QString WriteForecast(const std::string& name, const std::u16string& font = u"Arial",
                          int fontSize = 100, int zoom = 100, std::int64_t sales = 10050) {
        CMainDoc source;
        SmallForecast::Build(source, sales);
        source.SetFontName(font);
        source.SetFontSize(fontSize);
        source.SetZoom(zoom);
        const auto path = folder / name;
        SmallForecast::WriteFile(path, source.Store());
        return QString::fromStdString(path.string());
    }

    QString WriteBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const auto path = folder / name;
        SmallForecast::WriteFile(path, bytes);
        return QString::fromStdString(path.string());
    }

    SmallForecast::TempFolder folder;
    CVarnobelStdDoc doc;
    Profile profile;
    RecentFileList recent{"Recent File List Std"};
    RecordingMessageSink sink;
    std::unique_ptr<CMainFrame> frame;
};
