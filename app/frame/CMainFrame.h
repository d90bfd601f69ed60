#pragma once

#include <memory>
#include <string>

#include <QList>
#include <QMainWindow>
#include <QString>

#include "app/export/WindowExport.h"
#include "app/frame/FontZoomToolbar.h"
#include "app/frame/FrameExport.h"
#include "app/frame/FrameStatusBar.h"

class CMainDoc;
class CMainView;
class CMy_Preview;
struct EditionTraits;
class ChangesController;
class FileFollower;
class MessageSink;
class Profile;
class QAction;
class QPrinter;
class PrintableView;
class QComboBox;
class QMenu;
class QToolBar;
class RecentFileList;
class RecentFileMenu;

// The main window: menus, the Font Toolbar with its font, size and zoom boxes, the File ToolBar,
// the status bar, and the view in the middle. It opens files through the document, keeps the
// recent-file menu, and saves its placement and toolbar layout under the edition's keys. Each
// of those jobs has its own file beside this one; the frame ties them to the document and view.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int kFileToolBarId = 32802;
    static constexpr int kAppAboutId = 57664;
    static constexpr const char* kTitle = "Varnobel Viewer";

    ~CMainFrame() override;

    // Shows the window where it was last closed (maximized, or at its saved placement scaled to
    // this screen), or at a default placement on the first run.
    void ShowWindow();

    // Opens a file like File > Open: on success the recent list, the title and the toolbar follow
    // the new forecast; on failure everything stays as it was. True when the file was read.
    bool OpenDocumentFile(const QString& path);
    // File > New: an empty forecast titled "Untitled".
    bool NewDocumentFile();
    // Whether the frame holds a document the splash may give way to.
    bool HasDocument() const { return hasDocument_; }

    // Reads the open file again after another program saved it, keeping the user's place. The
    // status bar says how it went; a file that cannot be read leaves the forecast as it was and
    // opens no message box. True when the file was read.
    bool ReloadDocumentFile();
    // Whether a reload must wait: a print or a preview keeps the forecast it started with, and a
    // modal dialog is closed first.
    bool ReloadMustWait() const;
    // Watches the open file for View > Follow File Changes.
    FileFollower& Follower() const { return *follower_; }
    QAction* FollowFileAction() const { return followAction_; }
    // The status bar's report of the last reload, empty until there is one.
    QString FollowStatus() const { return statusBar_->FollowReport(); }

    // The document's font, size and zoom into the three boxes.
    void ShowDocumentSettings();

    // The printer File > Print and Print Setup use: the application's when it gave one, else
    // one of the frame's own; landscape unless Print Setup changed it.
    void SetPrinter(QPrinter* printer) { printer_ = printer; }
    QPrinter& Printer();
    // Pages the print preview shows side by side (0: the preview's own choice); the preview's
    // one/two page toggle changes it.
    void SetPreviewPages(int pages) { previewPages_ = pages; }
    int PreviewPages() const { return previewPages_; }

    // File > Print: the options, the system print dialog, the pages.
    void FilePrint();
    // File > Print Preview: the options, then the preview in place of the view.
    void FilePrintPreview();
    // File > Page Setup: the margins of the open forecast.
    void FilePageSetup();
    // File > Print Setup: paper and orientation of the printer (the margins are Page Setup's).
    void FilePrintSetup();
    // File > Export..., as FrameExport::Ask, Write and Folder (in FrameExport.h) say.
    void FileExport();
    bool ExportFile(const QString& path, WindowExport::Format format);
    QString ExportFolder() const;
    // Edit > Copy: the highlighted row, or everything shown, onto the clipboard.
    void EditCopy();
    // Puts the view back in place of the preview (the view shows its own selection again).
    void ClosePreview();
    // Help > About: the About box, modal.
    void ShowAboutBox();
    // The preview while it stands in place of the view, else null.
    CMy_Preview* Preview() const { return preview_; }

    CMainView* View() const { return view_; }
    CMainDoc& Document() const { return doc_; }
    const EditionTraits& EditionRow() const { return edition_; }
    QComboBox* FontBox() const { return fontToolbar_->FontBox(); }
    QComboBox* SizeBox() const { return fontToolbar_->SizeBox(); }
    QComboBox* ZoomBox() const { return fontToolbar_->ZoomBox(); }
    FontZoomToolbar* FontToolbar() const { return fontToolbar_; }
    QToolBar* FileToolBar() const { return fileToolBar_; }
    QMenu* FileMenu() const { return fileMenu_; }
    QMenu* ViewMenu() const { return viewMenu_; }
    QMenu* EditMenu() const { return editMenu_; }
    QAction* ExportAction() const { return exportAction_; }
    QAction* CopyAction() const { return copyAction_; }
    QMenu* HelpMenu() const { return helpMenu_; }
    ChangesController& Changes() const { return *changes_; }
    QAction* PrintAction() const { return printAction_; }
    QAction* PrintPreviewAction() const { return previewAction_; }
    QAction* PageSetupAction() const { return pageSetupAction_; }
    QAction* PrintSetupAction() const { return printSetupAction_; }
    FrameStatusBar* StatusBar() const { return statusBar_; }
    // The status bar's prompt, "Ready" unless a menu or toolbar tip stands in its place.
    QString StatusPrompt() const { return statusBar_->Prompt(); }
    // The recent-file entries of the File menu, in menu order.
    QList<QAction*> RecentFileActions() const;

    const std::string& PlacementSection() const { return placementSection_; }
    const std::string& ToolbarStateKey() const { return toolbarStateKey_; }

protected:
    // `view` becomes the frame's central widget; the edition's row gives the profile keys and the
    // steps after a read.
    CMainFrame(const EditionTraits& edition, CMainDoc& doc, CMainView* view, Profile& profile,
               RecentFileList& recent, MessageSink& sink);

    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateMenus();
    void CreateFontToolbar();
    void CreateFileToolBar();
    void CreatePrintActions();
    void ReportPreviewFailure(const QString& message);
    void CreateFollower();
    void SetFollowing(bool follow);
    void UpdateTitle();
    // The open file's name without its extension, "Untitled" for a new forecast.
    QString DocumentTitle() const;
    FrameExport::Source ExportSource();

    void OnFileOpen();
    void LayoutChanged();

    const EditionTraits& edition_;
    CMainDoc& doc_;
    CMainView* view_;
    Profile& profile_;
    RecentFileList& recent_;
    // Reports go through this, which first takes the splash out of the way of the boxes.
    std::unique_ptr<MessageSink> sink_;
    std::string placementSection_;
    std::string toolbarStateKey_;

    FontZoomToolbar* fontToolbar_ = nullptr;
    QToolBar* fileToolBar_ = nullptr;
    FrameStatusBar* statusBar_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* viewMenu_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QAction* exportAction_ = nullptr;
    QAction* copyAction_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QAction* printAction_ = nullptr;
    QAction* previewAction_ = nullptr;
    QAction* pageSetupAction_ = nullptr;
    QAction* printSetupAction_ = nullptr;
    RecentFileMenu* recentMenu_ = nullptr;
    QAction* followAction_ = nullptr;
    std::unique_ptr<FileFollower> follower_;
    // File > Compare With..., its pane and marks.
    ChangesController* changes_ = nullptr;
    // The open file's full path, empty for a new document.
    QString filePath_;
    // Commands under way that must see the forecast they started with (prints, dialogs).
    int forecastHolds_ = 0;
    QString fileName_;
    bool hasDocument_ = false;

    QPrinter* printer_ = nullptr;
    std::unique_ptr<QPrinter> ownPrinter_;
    int previewPages_ = 0;
    // The preview's job outlives the preview, whose end puts the view's selection back.
    std::unique_ptr<PrintableView> previewJob_;
    CMy_Preview* preview_ = nullptr;
};
