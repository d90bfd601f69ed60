#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include <QString>
#include <QStringList>

#include "document/Edition.h"

class CMainDoc;
class CMainFrame;
class InstanceLock;
class MessageSink;
class Profile;
class QPrinter;
class RecentFileList;

// The viewer application: its start-up chooses the edition for the whole run, restores the
// settings kept between runs, makes the edition's document, frame and view, opens the command
// line's file (or an empty forecast) and shows the window; its end writes the settings back.
class CVarnobelApp {
public:
    // Asks the user for the edition; none when the question was cancelled.
    using ModeChooser = std::function<std::optional<Edition>()>;
    // Checks for a newer version; true when its installer was started and the viewer must end.
    using UpdateChecker = std::function<bool(const Profile&)>;

    static constexpr const char* kSettingsFolderName = "Varnobel-View";
    static constexpr int kMaxPreviewPages = 2;

    // `arguments` is the command line without the program name; reports go to `sink`.
    explicit CVarnobelApp(QStringList arguments, MessageSink& sink,
                          ModeChooser chooseMode = RunModeDialog);
    ~CVarnobelApp();
    CVarnobelApp(const CVarnobelApp&) = delete;
    CVarnobelApp& operator=(const CVarnobelApp&) = delete;

    // Start-up; false when it failed and the application must end (an update's installer was
    // started, the mode question was cancelled, or the command line's file did not open).
    bool InitInstance();
    // Writes the recent files and the preview setting back.
    void ExitInstance();
    // Start-up, the event loop, the end; returns the process's exit status (0 also when an
    // update's installer took over).
    int Run();

    // The folder the viewer keeps its own files in (made at start-up when missing).
    static QString SettingsFolder();
    // The mode dialog, run modally.
    static std::optional<Edition> RunModeDialog();
    // The update check dialog, run modally against the server folder of the settings; nothing
    // is asked of any server when the settings name none that may be used.
    static bool RunUpdateCheck(const Profile& profile);
    // Replaces the update check start-up runs (tests).
    void SetUpdateChecker(UpdateChecker checker) { checkForUpdate_ = std::move(checker); }

    Edition GetEdition() const { return edition_; }
    CMainFrame* Frame() const { return frame_.get(); }
    CMainDoc* Document() const { return doc_.get(); }
    RecentFileList* RecentFiles() const { return recent_.get(); }
    // Pages shown side by side in print preview (0: the preview's own choice).
    int PreviewPages() const;
    // The printer of File > Print, Print Setup and the preview; landscape unless changed.
    QPrinter* Printer() const { return printer_.get(); }
    // Whether another viewer was running when this one started (nothing depends on it).
    bool AnotherInstanceRunning() const { return anotherInstance_; }

private:
    std::optional<Edition> ChooseEdition();
    bool CountRunForUpdateCheck();
    void CreateDocumentTemplate();

    QStringList arguments_;
    MessageSink& sink_;
    ModeChooser chooseMode_;
    UpdateChecker checkForUpdate_ = RunUpdateCheck;
    Edition edition_ = Edition::Standard;
    std::unique_ptr<Profile> profile_;
    std::unique_ptr<RecentFileList> recent_;
    std::unique_ptr<InstanceLock> lock_;
    std::unique_ptr<QPrinter> printer_;
    // Declared before the frame, which refers to it, so it is destroyed after it.
    std::unique_ptr<CMainDoc> doc_;
    std::unique_ptr<CMainFrame> frame_;
    int previewPages_ = 0;
    bool anotherInstance_ = false;
    // The update check started a newer version's installer, so this run ends.
    bool updateStarted_ = false;
};
