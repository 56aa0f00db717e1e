#pragma once

#include <QString>
#include <QStringList>

#include <functional>

#include <sys/types.h>

// The first process of a new pid namespace with a /proc of its own, as a
// container's are (`unshare -p -f --mount-proc`): same user, same computer
// name and machine id, other process ids. The lines `inside` says come back
// to Said(); it runs on until End(). Not Started() where this user may not
// make namespaces.
class ProcessInANewPidNamespace {
public:
    explicit ProcessInANewPidNamespace(const std::function<void(int out)>& inside);
    ~ProcessInANewPidNamespace();
    ProcessInANewPidNamespace(const ProcessInANewPidNamespace&) = delete;
    ProcessInANewPidNamespace& operator=(const ProcessInANewPidNamespace&) = delete;

    bool Started() const;
    const QStringList& Said() const { return m_said; }
    // Lets it end and waits for it; its exit code.
    int End();

private:
    pid_t m_child = -1;
    int m_hold = -1;
    int m_status = 0;
    QStringList m_said;
};

// One line to a pipe, from a forked process (which ends if it cannot).
void SayTo(int out, const QString& line);
// Everything written to a pipe until its writers close it; closes it.
QString ReadToTheEnd(int fd);
