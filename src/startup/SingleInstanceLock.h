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

    // True when another copy holds the lock. A folder where no lock file
    // can be made refuses nobody.
    bool OtherInstanceRunning() const { return m_otherRunning; }

private:
    int m_fd = -1;
    bool m_otherRunning = false;
};
