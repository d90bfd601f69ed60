#include "app/update/CAutoUpdate.h"

#include <utility>

#include <QDesktopServices>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProgressBar>
#include <QPushButton>
#include <QTimerEvent>

#include "app/SplashWnd.h"
#include "app/update/UpdateCheck.h"

namespace Dialog {

namespace {

// The dialog's 132 x 70 units at the usual 1.5 x 1.625 pixels a unit.
constexpr int kWidth = 198;
constexpr int kHeight = 114;

// Every control waits hidden and disabled until its step.
void Show(QWidget* control, bool shown) {
    control->setVisible(shown);
    control->setEnabled(shown);
}

bool IsSuccessStatus(const QNetworkReply* reply) {
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    return status >= 200 && status < 300;
}

} // namespace

CAutoUpdate::CAutoUpdate(Options options, QWidget* parent)
    : QDialog(parent), options_(std::move(options)) {
    setWindowTitle(QString());
    setWindowIcon(QIcon(QStringLiteral(":/icons/varnobel-view-48.png")));

    auto makeLabel = [this](int id, const QString& text) {
        auto* label = new QLabel(text, this);
        label->setObjectName(QString::number(id));
        return label;
    };
    auto makeButton = [this](int id, const QString& text) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(QString::number(id));
        button->setAutoDefault(false);
        return button;
    };
    cancel_ = makeButton(kCancelId, QStringLiteral("&Cancel"));
    checking_ = makeLabel(kCheckingId, QStringLiteral("Checking for Updates..."));
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QString::number(kProgressId));
    progress_->setTextVisible(false);
    found_ = makeLabel(kFoundId, QStringLiteral("Newer Version Found: "));
    version_ = makeLabel(kVersionId, QString());
    question_ = makeLabel(kQuestionId, QStringLiteral("Do you wish to download and install?"));
    question_->setWordWrap(true);
    no_ = makeButton(kNoId, QStringLiteral("&No"));
    download_ = makeLabel(kDownloadId, QStringLiteral("Download Progress"));
    yes_ = makeButton(kYesId, QStringLiteral("&Yes"));
    yes_->setDefault(true);

    auto* layout = new QGridLayout(this);
    // Controls of different steps share a row: only one of them is shown at a time.
    layout->addWidget(checking_, 0, 0, 1, 2);
    layout->addWidget(found_, 0, 0);
    layout->addWidget(version_, 0, 1);
    layout->addWidget(question_, 1, 0, 1, 2);
    layout->addWidget(download_, 1, 0, 1, 2);
    layout->addWidget(progress_, 2, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(yes_);
    buttons->addWidget(no_);
    buttons->addWidget(cancel_);
    layout->addLayout(buttons, 3, 0, 1, 2);
    layout->setRowStretch(2, 1);
    for (QWidget* control : {static_cast<QWidget*>(cancel_), static_cast<QWidget*>(checking_),
                             static_cast<QWidget*>(progress_), static_cast<QWidget*>(found_),
                             static_cast<QWidget*>(version_), static_cast<QWidget*>(question_),
                             static_cast<QWidget*>(no_), static_cast<QWidget*>(download_),
                             static_cast<QWidget*>(yes_)})
        Show(control, false);
    setMinimumSize(kWidth, kHeight);

    connect(yes_, &QPushButton::clicked, this, &CAutoUpdate::Download);
    connect(no_, &QPushButton::clicked, this, &CAutoUpdate::reject);
    connect(cancel_, &QPushButton::clicked, this, &CAutoUpdate::reject);

    // Nothing to ask a proxy about for the machine's own address.
    if (UpdateCheck::IsLoopbackHost(options_.serverFolder.host()))
        network_.setProxy(QNetworkProxy::NoProxy);
    network_.setRedirectPolicy(QNetworkRequest::SameOriginRedirectPolicy);

    progress_->setRange(0, 1);
    progress_->setValue(0);
    // The check starts once the dialog runs its own event loop.
    timerId_ = startTimer(kStartDelayMs);
}

CAutoUpdate::~CAutoUpdate() {
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
    }
    target_.close();
    // A dialog destroyed while it was still at work leaves nothing behind either.
    if (!ended_)
        RemoveLocalFiles();
}

bool CAutoUpdate::OpenWithDesktop(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QWidget* CAutoUpdate::Control(int id) const {
    return findChild<QWidget*>(QString::number(id), Qt::FindDirectChildrenOnly);
}

void CAutoUpdate::timerEvent(QTimerEvent* event) {
    if (event->timerId() != timerId_) {
        QDialog::timerEvent(event);
        return;
    }
    killTimer(timerId_);
    timerId_ = 0;
    CheckVersion();
}

void CAutoUpdate::done(int result) {
    if (timerId_ != 0)
        killTimer(timerId_);
    timerId_ = 0;
    ended_ = true;
    QDialog::done(result);
}

QString CAutoUpdate::LocalPath(const QString& fileName) const {
    return QDir(options_.localFolder).filePath(fileName);
}

void CAutoUpdate::RemoveLocalFiles() {
    target_.close();
    QFile::remove(LocalPath(QLatin1String(kLocalVersionFile)));
    // Only a name that passed the name check is ever kept, so this stays inside the folder.
    if (!installerName_.isEmpty())
        QFile::remove(LocalPath(installerName_));
}

void CAutoUpdate::reject() {
    if (reply_) {
        // The aborted request ends as a failure, which cancels again.
        reply_->abort();
        return;
    }
    if (ended_)
        return;
    RemoveLocalFiles();
    QDialog::reject();
}

QNetworkReply* CAutoUpdate::Get(const QString& fileName) {
    QNetworkRequest request(UpdateCheck::FileUrl(options_.serverFolder, fileName));
    // Always the server's current file, never a cached one.
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setTransferTimeout(options_.giveUpMs);
    reply_ = network_.get(request);
    return reply_;
}

bool CAutoUpdate::FinishReply() {
    QNetworkReply* reply = reply_;
    reply_ = nullptr;
    if (!reply)
        return false;
    reply->disconnect(this);
    reply->deleteLater();
    return reply->error() == QNetworkReply::NoError && IsSuccessStatus(reply);
}

void CAutoUpdate::CheckVersion() {
    installerName_.clear();
    Show(checking_, true);
    versionBytes_.clear();
    versionComplete_ = false;
    target_.setFileName(LocalPath(QLatin1String(kLocalVersionFile)));
    if (!QDir().mkpath(options_.localFolder) ||
        !target_.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        reject();
        return;
    }
    QNetworkReply* reply = Get(QLatin1String(kServerVersionFile));
    connect(reply, &QNetworkReply::readyRead, this, &CAutoUpdate::OnVersionData);
    connect(reply, &QNetworkReply::finished, this, &CAutoUpdate::OnVersionFileFinished);
}

void CAutoUpdate::OnVersionData() {
    if (!IsSuccessStatus(reply_)) {
        reply_->abort();
        return;
    }
    const QByteArray chunk = reply_->read(UpdateCheck::kMaxVersionFileBytes - versionBytes_.size());
    versionBytes_ += chunk;
    if (target_.write(chunk) != chunk.size()) {
        reply_->abort();
        return;
    }
    // Read only what is needed: the rest of a long answer is never fetched.
    if (UpdateCheck::HoldsVersionFile(versionBytes_) ||
        versionBytes_.size() >= UpdateCheck::kMaxVersionFileBytes) {
        versionComplete_ = true;
        reply_->abort();
    }
}

void CAutoUpdate::OnVersionFileFinished() {
    if (reply_ && !versionComplete_ && reply_->bytesAvailable() > 0)
        OnVersionData();
    const bool received = FinishReply() || versionComplete_;
    const bool written = target_.flush();
    target_.close();
    if (!received || !written) {
        reject();
        return;
    }
    QFile file(LocalPath(QLatin1String(kLocalVersionFile)));
    if (!file.open(QIODevice::ReadOnly)) {
        reject();
        return;
    }
    const std::optional<UpdateCheck::VersionFile> version =
        UpdateCheck::ParseVersionFile(file.read(UpdateCheck::kMaxVersionFileBytes));
    file.close();
    file.remove();
    if (!version || !UpdateCheck::IsBareFileName(version->installer)) {
        reject();
        return;
    }
    installerName_ = version->installer;
    if (UpdateCheck::CompareWithOwnVersion(*version) <= 0) {
        reject();
        return;
    }
    Offer(UpdateCheck::VersionText(*version));
}

void CAutoUpdate::Offer(const QString& versionText) {
    Show(checking_, false);
    Show(found_, true);
    version_->setText(versionText);
    Show(version_, true);
    Show(question_, true);
    Show(yes_, true);
    Show(no_, true);
    yes_->setDefault(true);
    // The question must not wait unseen under the start-up splash.
    SplashScreens::CSplashWnd::HideSplashScreen();
    raise();
    activateWindow();
    yes_->setFocus();
}

void CAutoUpdate::Download() {
    Show(question_, false);
    Show(yes_, false);
    Show(no_, false);
    Show(download_, true);
    Show(progress_, true);
    Show(cancel_, true);
    yes_->setDefault(false);
    cancel_->setDefault(true);
    cancel_->setFocus();

    target_.setFileName(LocalPath(installerName_));
    if (!QDir().mkpath(options_.localFolder) ||
        !target_.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        reject();
        return;
    }
    QNetworkReply* reply = Get(installerName_);
    installerBytes_ = 0;
    connect(reply, &QNetworkReply::readyRead, this, &CAutoUpdate::OnInstallerData);
    connect(reply, &QNetworkReply::finished, this, &CAutoUpdate::OnInstallerFinished);
}

void CAutoUpdate::OnInstallerData() {
    if (!IsSuccessStatus(reply_) || !StoreInstallerData())
        reply_->abort();
}

bool CAutoUpdate::StoreInstallerData() {
    const QByteArray chunk = reply_->readAll();
    if (target_.write(chunk) != chunk.size())
        return false;
    // Counted here rather than from the reply's own progress signal, which the network layer
    // holds back when data comes in quick succession.
    installerBytes_ += chunk.size();
    const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
    if (const auto steps = UpdateCheck::ProgressFor(installerBytes_,
                                                    length.isValid() ? length.toLongLong() : -1)) {
        progress_->setRange(0, steps->maximum);
        progress_->setValue(steps->position);
    }
    return true;
}

void CAutoUpdate::OnInstallerFinished() {
    const bool stored = reply_ && StoreInstallerData();
    const bool received = FinishReply() && stored;
    const bool written = target_.flush();
    target_.close();
    if (!received || !written || !options_.launch(LocalPath(installerName_))) {
        reject();
        return;
    }
    accept();
}

} // namespace Dialog
