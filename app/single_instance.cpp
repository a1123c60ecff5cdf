#include "app/single_instance.h"

#include <unistd.h>

#include <QDir>
#include <QLockFile>

namespace orvex::app {

QString instanceLockPath() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists()) return QDir(runtime).filePath(QStringLiteral("orvex.lock"));
    return QDir(QDir::tempPath()).filePath(QStringLiteral("orvex-%1.lock").arg(::getuid()));
}

SingleInstance::SingleInstance() = default;
SingleInstance::~SingleInstance() = default;

bool SingleInstance::acquire(const QString& path) {
    m_lock = std::make_unique<QLockFile>(path);
    // Only a lock whose process has ended is stale; a running instance's lock never ages out.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0)) return true;
    if (m_lock->error() == QLockFile::LockFailedError && m_lock->removeStaleLockFile()) return m_lock->tryLock(0);
    return false;
}

}  // namespace orvex::app
