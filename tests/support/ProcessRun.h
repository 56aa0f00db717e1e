#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// What one run of a program gave back.
struct ProcessRun {
    bool finished = false; // false: it did not end in time, or crashed
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs a program to its end (killed after timeoutMs), offscreen, in the
// environment given.
inline ProcessRun RunProcess(const QString& program, const QStringList& arguments,
                             QProcessEnvironment environment = QProcessEnvironment::systemEnvironment(),
                             int timeoutMs = 60000)
{
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    ProcessRun run;
    run.finished = process.waitForFinished(timeoutMs) && process.exitStatus() == QProcess::NormalExit;
    if (!run.finished) {
        process.kill();
        process.waitForFinished();
    }
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
