#pragma once

#include <QString>

// Names a process as no other process of any computer is ever named, so that
// a record of who holds something can be checked later: the computer, the
// boot it runs in, its process id, the moment it started (a process id is
// used again, a computer restarts) and the pid namespace the id belongs to
// (a container keeps the computer's name, not its process ids).
class ProcessIdentity {
public:
    virtual ~ProcessIdentity() = default;

    // This process.
    virtual QString Mine() const = 0;
    // Whether the process named is known to have ended: one of this
    // computer's that no longer runs, or that ran before the computer last
    // started. A process of another computer or of another pid namespace,
    // or a name this computer cannot read, has not ended as far as can be
    // told.
    virtual bool HasEnded(const QString& identity) const = 0;
};

// The processes of this Linux computer, read from /proc.
class SystemProcessIdentity : public ProcessIdentity {
public:
    QString Mine() const override;
    bool HasEnded(const QString& identity) const override;
};
