// One running copy per user: a lock file named after the executable's base name in the user's
// runtime folder. A lock left behind by a crashed copy is taken over (QLockFile checks that its
// owner process is gone).
#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace corvane {

class SingleInstance
{
public:
    /// lockPath empty: <runtime folder>/<executable base name>.lock
    explicit SingleInstance(const QString& lockPath = {});
    ~SingleInstance();
    /// False when another copy holds the lock.
    bool acquire();
    QString lockPath() const { return path_; }

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace corvane
