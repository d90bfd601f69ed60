#pragma once

#include <functional>

#include <QDialog>
#include <QFile>
#include <QNetworkAccessManager>
#include <QPointer>
#include <QString>
#include <QUrl>

class QLabel;
class QNetworkReply;
class QNetworkRequest;
class QProgressBar;
class QPushButton;

namespace Dialog {

// The update check: fetches the version file from the server folder into the local folder,
// offers a newer version, downloads its installer with a progress bar and starts it. Ends with
// Accepted only when the installer was started; every other end is quiet, leaves the version
// file and the installer removed, and is Rejected. Its requests run in the dialog's own event
// loop, so the dialog answers Cancel at every moment.
class CAutoUpdate : public QDialog {
    Q_OBJECT

public:
    // Controls, by the object names tests look them up with.
    static constexpr int kCancelId = 2;
    static constexpr int kCheckingId = 1432;
    static constexpr int kProgressId = 1131;
    static constexpr int kFoundId = 1428;
    static constexpr int kVersionId = 1175;
    static constexpr int kQuestionId = 1431;
    static constexpr int kNoId = 1183;
    static constexpr int kDownloadId = 1430;
    static constexpr int kYesId = 1433;

    static constexpr int kStartDelayMs = 100;
    // A request that hears nothing for this long gives up.
    static constexpr int kGiveUpMs = 15000;
    static constexpr const char* kServerVersionFile = "Varnobel-View.ini";
    static constexpr const char* kLocalVersionFile = "Ver.ini";

    // Starts the downloaded installer; false when it could not be started.
    using Launcher = std::function<bool(const QString& path)>;

    struct Options {
        QUrl serverFolder;
        QString localFolder;
        int giveUpMs = kGiveUpMs;
        Launcher launch = OpenWithDesktop;
    };

    explicit CAutoUpdate(Options options, QWidget* parent = nullptr);
    ~CAutoUpdate() override;

    // Opens the file with the desktop's default handler.
    static bool OpenWithDesktop(const QString& path);

    // Cancel, No, Escape and closing: aborts a request under way (whose end cancels again), or
    // removes the local files and ends the dialog.
    void reject() override;

    // The control with the given id.
    QWidget* Control(int id) const;
    // The installer name of the version file, once it passed the name check.
    const QString& InstallerName() const { return installerName_; }

protected:
    void timerEvent(QTimerEvent* event) override;
    void done(int result) override;

private:
    void CheckVersion();
    void OnVersionData();
    void OnVersionFileFinished();
    void Offer(const QString& versionText);
    void Download();
    void OnInstallerData();
    // Appends what the reply holds to the installer file; false when it cannot be written.
    bool StoreInstallerData();
    void OnInstallerFinished();

    QNetworkReply* Get(const QString& fileName);
    // Ends the request under way and hands it back; whether it brought what was asked for.
    bool FinishReply();
    QString LocalPath(const QString& fileName) const;
    void RemoveLocalFiles();

    Options options_;
    QString installerName_;
    QLabel* checking_ = nullptr;
    QLabel* found_ = nullptr;
    QLabel* version_ = nullptr;
    QLabel* question_ = nullptr;
    QLabel* download_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* yes_ = nullptr;
    QPushButton* no_ = nullptr;
    QPushButton* cancel_ = nullptr;

    QNetworkAccessManager network_;
    // The request under way, if any.
    QPointer<QNetworkReply> reply_;
    // The local file the request under way writes.
    QFile target_;
    // The version file as received; its reply is ended early once it holds every line needed.
    QByteArray versionBytes_;
    bool versionComplete_ = false;
    qint64 installerBytes_ = 0;
    int timerId_ = 0;
    bool ended_ = false;
};

} // namespace Dialog
