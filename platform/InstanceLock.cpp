#include "platform/InstanceLock.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

InstanceLock::InstanceLock(const std::string& folder) {
    QString directory = QString::fromStdString(folder);
    if (directory.isEmpty()) {
        directory = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    }
    if (directory.isEmpty()) {
        directory = QDir::tempPath();
    }
    lock_ = std::make_unique<QLockFile>(QDir(directory).filePath(QString::fromLatin1(kName)));
    // A lock left by a viewer that died is stale and taken over, so only a running one counts.
    if (!lock_->tryLock(0)) {
        alreadyExisted_ = lock_->error() == QLockFile::LockFailedError;
        lock_.reset();
    }
}

InstanceLock::~InstanceLock() = default;
