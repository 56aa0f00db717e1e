#pragma once

#include "database/CDataBase.h"
#include "support/TestWorld.h"

#include <gtest/gtest.h>

#include <memory>

// A fresh delivered database in the test's own folder, reached through
// `db` in shared mode. Other() opens a second installation on the file.
class DatabaseTest : public ::testing::Test {
protected:
    DatabaseTest();

    std::unique_ptr<CDataBase> Other() const;
    // Read through a connection of its own, so only committed work counts.
    QVariant Scalar(const QString& sql, const SqlValues& values = {}) const;
    int64_t CountRows(const QString& table, const QString& where = QString()) const;
    // A table for the record tests, with a key counter "WIDGETS" (prefix
    // "W", 11 characters); a negative Quantity is refused by the engine.
    void CreateWidgetTable();

    TestWorld world;
    QString path;
    CDataBase db;
};

// Connects a database object to a file as start-up does.
void ConnectTo(CDataBase& database, const QString& file);
