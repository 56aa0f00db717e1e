#pragma once

// Rows written straight into a delivered database for the load and export
// benchmarks, and a plain sqlite3 read of them.

#include <QByteArray>
#include <QString>

#include <sqlite3.h>

#include <vector>

// Runs the insert of `count` rows in one transaction, with a message error
// for every tenth row under the references printf('{%08d-<marker>-0000-0000-000000000000}', i).
inline void StoreRows(const QString& database, const QByteArray& insert, int count, const char* marker)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(database.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    sqlite3_exec(db, insert.constData(), nullptr, nullptr, nullptr);
    const QByteArray errors =
        "WITH RECURSIVE n(i) AS (SELECT 10 UNION ALL SELECT i + 10 FROM n WHERE i + 10 <= " +
        QByteArray::number(count) + ") INSERT INTO JUX_MSG_ERROR (ID, Description, JuxMsgReference, ErrorCode, TmStamp) "
        "SELECT printf('E" + QByteArray(marker) + "%010d', i), 'Vehicle record incomplete', "
        "printf('{%08d-" + QByteArray(marker) + "-0000-0000-000000000000}', i), 'E2201', '20240315:37800.00' FROM n";
    sqlite3_exec(db, errors.constData(), nullptr, nullptr, nullptr);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

// `count` keeper responses of enquirer AB001, a hundred per delivery, with
// a message error on every tenth; none exported yet.
inline void StoreResponses(const QString& database, int count)
{
    const QByteArray rows = QByteArray::number(count);
    const QByteArray insert =
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + rows +
        ") INSERT INTO VQ7_Responses (VQ7ID, Control_Reference, When_Prepared, When_Received, "
        "Date_Of_Response, VRM, Enquiry_Reference, Hardcopy_Code, Make, Model, Colour, Engine_Capacity, "
        "Seating_Capacity, Taxation_Category, VIN, Number_Of_Keepers, Date_Of_Event, Date_First_Registered, "
        "Keeper_Name_Code, Keeper_Title_Code, Title, Keeper_Name_1, Keeper_Name_2, Keeper_Address_1, "
        "Keeper_Address_4, Keeper_Post_Town, Keeper_Post_Code, JuxMsgReference, ForAutoExport, EnquirerId, "
        "EnquirerName, EnquiryCode, EnquiryCodeDesc, IsTest, TmStamp) "
        "SELECT printf('R%010d', i), 100 + i / 100, date('2024-03-01', '+' || (i / 100 % 14) || ' days') || "
        "' 00:00:00', datetime('2024-03-01 08:00:00', '+' || (i / 100 * 37) || ' seconds'), "
        "date('2024-03-01', '+' || (i / 100 % 14) || ' days') || ' 00:00:00', "
        "printf('AB%02d%s', i % 100, substr('ABCDEFGHJKLMNOPRSTUVWXYZ', 1 + i / 100 % 24, 1) || "
        "substr('ABCDEFGHJKLMNOPRSTUVWXYZ', 1 + i / 2400 % 24, 1) || substr('ABCDEFGHJKLMNOPRSTUVWXYZ', 1 + i % 24, 1)), "
        "'REF-' || i, '0', 'FORD', 'FOCUS', 'BLUE', '1596', '5', 'PLG', printf('WF0AXXGCDA%07d', i), 3, "
        "date('2022-01-01', '+' || (i % 700) || ' days') || ' 00:00:00', "
        "date('2005-01-01', '+' || (i % 5000) || ' days') || ' 00:00:00', '3', '1', 'MR', 'SMITH', 'JOHN', "
        "i || ' HIGH STREET', 'NEWTOWN', 'LEEDS', 'LS1 1AA', printf('{%08d-0000-0000-0000-000000000000}', i), 0, "
        "'AB001', 'Enquirer AB001', '01AB', 'Reason 01AB', 0, '20240315:37800.00' FROM n";
    StoreRows(database, insert, count, "0000");
}

// `count` enquiries of enquirer AB001, sent in deliveries of a hundred,
// with a message error on every tenth.
inline void StoreEnquiries(const QString& database, int count)
{
    const QByteArray rows = QByteArray::number(count);
    const QByteArray insert =
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + rows +
        ") INSERT INTO VQ3_Enquiries (VQ3ID, When_Entered, Date_Of_Enquiry, VRM, Date_Of_Event, Enquiry_Reference, "
        "Hardcopy_Response, Control_Reference, When_Prepared, WhenImported, When_Sent, Response_Received, "
        "Auto_Import, Auto_Response_Exported, DvlaValidate, JuxMsgReference, EnquirerId, EnquirerName, EnquiryCode, "
        "EnquiryCodeDesc, IsTest, UserName, ComputerName, TmStamp) "
        "SELECT printf('Q%010d', i), datetime('2024-03-01 08:00:00', '+' || (i / 100 * 37) || ' seconds'), "
        "date('2024-03-01', '+' || (i / 100 % 14) || ' days') || ' 00:00:00', "
        "printf('AB%02d%s', i % 100, substr('ABCDEFGHJKLMNOPRSTUVWXYZ', 1 + i / 100 % 24, 1) || "
        "substr('ABCDEFGHJKLMNOPRSTUVWXYZ', 1 + i / 2400 % 24, 1) || substr('ABCDEFGHJKLMNOPRSTUVWXYZ', 1 + i % 24, 1)), "
        "date('2024-01-01', '+' || (i % 60) || ' days') || ' 00:00:00', 'REF-' || i, 0, 100 + i / 100, "
        "datetime('2024-03-01 09:00:00', '+' || (i / 100 * 37) || ' seconds'), "
        "datetime('2024-03-01 08:00:00', '+' || (i / 100 * 37) || ' seconds'), "
        "datetime('2024-03-01 09:00:00', '+' || (i / 100 * 37) || ' seconds'), 1, 0, 0, 0, "
        "printf('{%08d-1111-0000-0000-000000000000}', i), 'AB001', 'Enquirer AB001', '01AB', 'Reason 01AB', 0, "
        "'ADMIN', 'BENCHPC', '20240315:37800.00' FROM n";
    StoreRows(database, insert, count, "1111");
}

// A row read bare: the texts as strings, numbers as numbers.
struct PlainRow {
    std::vector<QString> texts;
    std::vector<qint64> numbers;
};

inline std::vector<PlainRow> ReadPlainRows(sqlite3* db, const char* sql)
{
    std::vector<PlainRow> rows;
    sqlite3_stmt* select = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &select, nullptr);
    const int columns = sqlite3_column_count(select);
    while (sqlite3_step(select) == SQLITE_ROW) {
        PlainRow row;
        row.texts.reserve(size_t(columns));
        for (int c = 0; c < columns; ++c) {
            if (sqlite3_column_type(select, c) == SQLITE_INTEGER)
                row.numbers.push_back(sqlite3_column_int64(select, c));
            else
                row.texts.push_back(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(select, c)),
                                                      sqlite3_column_bytes(select, c)));
        }
        rows.push_back(std::move(row));
    }
    sqlite3_finalize(select);
    return rows;
}
