#pragma once

#include <QDateTime>
#include <QMap>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class CDataBase;
class QWidget;
class User;

// What a window is drawn on: the program-wide objects are set up as after
// a logon (database connected, settings loaded, the user logged on).
class ShotContext {
public:
    ShotContext(CDataBase& db, std::shared_ptr<User> user, QMap<QString, QString> values, QDateTime now);

    CDataBase& Database() const { return m_db; }
    // The logged-on user; raises NevixError when there is none.
    User& CurrentUser() const;
    // A --set key=value meant for the window (keys without a "/").
    QString Value(const QString& key, const QString& fallback = {}) const;
    bool Flag(const QString& key, bool fallback) const;
    QDateTime Now() const { return m_now; }

private:
    CDataBase& m_db;
    std::shared_ptr<User> m_user;
    QMap<QString, QString> m_values;
    QDateTime m_now;
};

// One picture that --all draws of an entry: its file name (without
// ".png"), the user logged on ("" for the default) and --set values.
struct ShotPicture {
    QString File;
    QString User;
    QMap<QString, QString> Values;
};

// One window nevix-shot can draw: it is built (not shown) on the context,
// ready as the program would show it.
struct ShotEntry {
    QString Name;
    QString Description;
    std::function<std::unique_ptr<QWidget>(ShotContext&)> Build;
    // What --all draws; empty when the window's picture comes from the
    // real first start instead.
    std::vector<ShotPicture> Pictures;
};

// Every entry, in the order --all draws them.
const std::vector<ShotEntry>& ShotEntries();
// The entry of that name; nullptr when there is none.
const ShotEntry* FindShotEntry(const QString& name);
