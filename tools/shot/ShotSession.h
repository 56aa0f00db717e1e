#pragma once

#include "ShotEntry.h"

#include <QDateTime>
#include <QMap>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class ScopedAppContext;
class UserInteraction;

// What one picture is drawn on.
struct ShotRequest {
    // The database: a standard fixture made for the picture, or a copy of
    // this file when it is set.
    QString Database;
    // The logged-on user; "" for admin1 on the fixture, none on a file.
    QString User;
    QDateTime Now = QDateTime::currentDateTime();
    // --set values: "Section/Key" names a setting of the settings file,
    // any other key is the window's.
    QMap<QString, QString> Values;
    // Where messages go; standard error when none is given.
    std::shared_ptr<UserInteraction> Interaction;
};

// A program folder of its own, with the program-wide objects set up as
// after a logon, for the life of the session; everything is put back when
// it goes. Raises NevixError for a request it cannot meet.
class ShotSession {
public:
    explicit ShotSession(const ShotRequest& request);
    ~ShotSession();
    ShotSession(const ShotSession&) = delete;
    ShotSession& operator=(const ShotSession&) = delete;

    ShotContext& Context() { return *m_context; }

private:
    QTemporaryDir m_folder;
    std::unique_ptr<ScopedAppContext> m_scope;
    std::unique_ptr<ShotContext> m_context;
};
