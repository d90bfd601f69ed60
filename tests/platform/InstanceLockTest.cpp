#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>

#include "platform/InstanceLock.h"

namespace {

TEST(InstanceLockTest, NotesARunningHolderUntilItEnds) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string folder = dir.path().toStdString();
    {
        InstanceLock first(folder);
        EXPECT_FALSE(first.AlreadyExisted());
        InstanceLock second(folder);
        EXPECT_TRUE(second.AlreadyExisted());
    }
    InstanceLock third(folder);
    EXPECT_FALSE(third.AlreadyExisted());
    EXPECT_TRUE(QFile::exists(dir.filePath(InstanceLock::kName)));
}

TEST(InstanceLockTest, ALockLeftByAnEndedProcessDoesNotCount) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QProcess process;
    process.start("/bin/true");
    ASSERT_TRUE(process.waitForStarted());
    const qint64 pid = process.processId();
    ASSERT_TRUE(process.waitForFinished());
    {
        QFile file(dir.filePath(InstanceLock::kName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::number(pid) + "\nplatform-tests\n" +
                   QSysInfo::machineHostName().toUtf8() + "\n");
    }
    InstanceLock lock(dir.path().toStdString());
    EXPECT_FALSE(lock.AlreadyExisted());
}

} // namespace
