#include "app/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace corvane {

namespace {

QString defaultLockPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    const QString base = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return folder + QChar('/') + (base.isEmpty() ? QStringLiteral("corvane") : base) +
           QStringLiteral(".lock");
}

} // namespace

SingleInstance::SingleInstance(const QString& lockPath)
    : path_(lockPath.isEmpty() ? defaultLockPath() : lockPath)
{
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::acquire()
{
    lock_ = std::make_unique<QLockFile>(path_);
    // Never stale by age: a running copy may run for days.
    lock_->setStaleLockTime(0);
    return lock_->tryLock(0);
}

} // namespace corvane
