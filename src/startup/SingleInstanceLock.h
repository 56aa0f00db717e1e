#pragma once

#include <QString>

// Refuses a second running copy of the program on one program folder: a
// lock on a file in that folder, held for the life of this object. The
// system drops it when the process ends, however it ends.
class SingleInstanceLock {
public:
    explicit SingleInstanceLock(const QString& programFolder);
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // True when another copy holds the lock.
    bool OtherInstanceRunning() const { return m_otherRunning; }
    // True when this copy holds the lock.
    bool Held() const { return m_fd >= 0; }
    QString Path() const { return m_path; }
    // Why the lock could be neither taken nor found taken ("" otherwise):
    // such a copy cannot tell whether another one runs.
    QString Failure() const { return m_failure; }

private:
    QString m_path;
    QString m_failure;
    int m_fd = -1;
    bool m_otherRunning = false;
};
