#pragma once
// One running program per user: a lock file in the user's runtime directory. A lock left by an
// instance that crashed is taken over.

#include <memory>

#include <QString>

class QLockFile;

namespace orvex::app {

/// The lock file's path: orvex.lock in $XDG_RUNTIME_DIR, else in the temporary directory with
/// the user's id in its name.
QString instanceLockPath();

/// Holds the program's lock while it lives.
class SingleInstance {
  public:
    SingleInstance();
    ~SingleInstance();

    /// Takes the lock at `path`; false when another running instance holds it (or the lock file
    /// cannot be made, then no second instance can be told apart either, so the program ends too).
    bool acquire(const QString& path = instanceLockPath());

  private:
    std::unique_ptr<QLockFile> m_lock;
};

}  // namespace orvex::app
