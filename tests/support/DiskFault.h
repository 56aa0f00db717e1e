#pragma once

#include "core/AtomicFile.h"

#include <QString>

#include <algorithm>
#include <cerrno>

// Makes the disk fail under the files the program replaces whose path ends
// with `name`, at one step, while it lives. A Write fault lets
// `bytesBefore` bytes of the file through first, as a disk that fills up
// part-way does. Tests run as root, whom read-only files do not stop: an
// EACCES at Open stands in for a file the user may not write.
class DiskFault {
public:
    DiskFault(QString name, AtomicFile::Step step, int error = ENOSPC, qint64 bytesBefore = 0)
    {
        AtomicFile::SetFaultHook([=, this](const QString& target, AtomicFile::Step at, qint64& length) {
            if (at != step || !target.endsWith(name))
                return 0;
            if (at != AtomicFile::Step::Write) {
                ++hits;
                return error;
            }
            const qint64 room = std::max<qint64>(0, bytesBefore - written);
            if (length <= room) {
                written += length;
                return 0;
            }
            length = room;
            written += room;
            ++hits;
            return error;
        });
    }
    ~DiskFault() { AtomicFile::SetFaultHook({}); }
    DiskFault(const DiskFault&) = delete;
    DiskFault& operator=(const DiskFault&) = delete;

    int hits = 0;
    qint64 written = 0;
};
