#include "core/GroupAndRole.h"
#include "core/MakeGuid.h"
#include "core/Utils.h"
#include "support/TestWorld.h"

#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

namespace {

TEST(AppRelativePath, ResolvesAgainstTheProgramFolder)
{
    TestWorld world;
    const QString home = world.Folder();
    EXPECT_EQ(AppRelativePath("+Nevix.MDB"), home + "/Nevix.MDB");
    EXPECT_EQ(AppRelativePath("+\\Data\\"), home + "/Data");
    EXPECT_EQ(AppRelativePath("+/Data/"), home + "/Data");
    EXPECT_EQ(AppRelativePath("+"), home + "/");
    EXPECT_EQ(AppRelativePath(QString()), home);
    EXPECT_EQ(AppRelativePath("/srv/data"), "/srv/data");
    EXPECT_EQ(AppRelativePath("relative/x"), "relative/x");
}

TEST(ResolvePath, BaseAtTheRoot)
{
    EXPECT_EQ(ResolvePath("+x", "/"), "/x");
    EXPECT_EQ(ResolvePath("+x", "/opt/nevix/"), "/opt/nevix/x");
    EXPECT_EQ(ResolvePath("+sub\\x", "C:\\prog"), "C:/prog/sub/x");
}

TEST(CountText, WordsCountsAndPlurals)
{
    const std::tuple<const char*, qint64, const char*> cases[] = {
        {"enquiry", 0, "None enquiries"}, {"Vehicle Enquiry", 1, "1 Vehicle Enquiry"},
        {"Vehicle Response", 1234, "1,234 Vehicle Responses"},
        {"Debit Statement", 2, "2 Debit Statements"}, {"response", 3, "3 responses"},
        {"Day", 2, "2 Daies"}, {"KEY", 2, "2 KEYs"}, {"", 5, "5"}, {"", 0, "None"},
        {"line", 1234567, "1,234,567 lines"},
    };
    for (const auto& [noun, count, expected] : cases)
        EXPECT_EQ(CountText(noun, count), QString(expected)) << noun << " " << count;
}

TEST(ParseCompactDate, ReadsCompactTextsAndKeepsDateValuesButNothingElse)
{
    const QDate march15(2024, 3, 15);
    EXPECT_EQ(ParseCompactDate("240315"), march15);
    EXPECT_EQ(ParseCompactDate("24-03-15"), march15);
    EXPECT_EQ(ParseCompactDate("20240315"), march15);
    EXPECT_EQ(ParseCompactDate(QVariant(march15)), march15);
    // A date value comes back as it is, whatever its century.
    EXPECT_EQ(ParseCompactDate(QVariant(QDate(1999, 12, 31))), QDate(1999, 12, 31));
    EXPECT_EQ(ParseCompactDate(QVariant(QDateTime(QDate(1999, 12, 31), QTime(9, 0)))),
              QDate(1999, 12, 31));

    for (const QVariant& v : {QVariant("20240230"), QVariant("2403"), QVariant("20241301"),
                              QVariant(20240315), QVariant("abcdefgh"), QVariant()})
        EXPECT_FALSE(ParseCompactDate(v).has_value()) << v.toString().toStdString();
    // Digits only: no sign, no blank, no other script's digits; a year as written.
    for (const QString& text : {QString("+0240315"), QString("2024 315"), QString(" 2024031"),
                                QString::fromUtf16(u"\u0662\u0660\u0662\u0664\u0660\u0663\u0661\u0665"),
                                QString("00000101")})
        EXPECT_FALSE(ParseCompactDate(text).has_value()) << text.toStdString();
    EXPECT_EQ(ParseCompactDate("00010203"), QDate(1, 2, 3));
}

TEST(NullHelpers, NullAndEmptyAreDifferentButBothFormatEmpty)
{
    EXPECT_EQ(NullToString(QVariant()), QString());
    EXPECT_EQ(NullToString(QVariant(42)), "42");
    // Written as the program writes such values anywhere, not in Qt's own forms.
    EXPECT_EQ(NullToString(QVariant(true)), "True");
    EXPECT_EQ(NullToString(QVariant(12.5)), "12.5");
    EXPECT_EQ(NullToString(QVariant(QDateTime(QDate(2024, 3, 5), QTime(7, 8, 9)))),
              "05/03/2024 07:08:09");
    EXPECT_EQ(FormatOrEmpty(QVariant(QDate(2024, 3, 5)), QString()), "05/03/2024");
    EXPECT_EQ(NullTo(QVariant()), QVariant(QString()));
    EXPECT_EQ(NullTo(QVariant(), QVariant(0)), QVariant(0));
    EXPECT_EQ(NullTo(QVariant(5), QVariant(0), QVariant(1)), QVariant(1));
    EXPECT_EQ(NullTo(QVariant(5), QVariant(0)), QVariant(5));
    EXPECT_EQ(FormatOrEmpty(QVariant(), "#,###"), QString());
    EXPECT_EQ(FormatOrEmpty(QVariant(1234567), "#,###"), "1,234,567");
    EXPECT_EQ(FormatOrEmpty(QVariant(QDateTime(QDate(2024, 3, 5), QTime(7, 8, 9))),
                            "dd/mm/yyyy hh:nn:ss"),
              "05/03/2024 07:08:09");
}

TEST(HasRole, AnyOfTheUsersRolesInTheAllowedList)
{
    const QString admin = "SYSADMIN,ADMIN";
    const QString manager = "SYSADMIN,ADMIN,MGR";
    EXPECT_TRUE(HasRole("MGR", manager));
    EXPECT_TRUE(HasRole("admin", admin));
    EXPECT_TRUE(HasRole("ADMIN,MGR", manager));
    EXPECT_TRUE(HasRole("MGR,ADMIN", admin));
    EXPECT_TRUE(HasRole("CLER, ADMIN", admin));
    EXPECT_FALSE(HasRole("CLER", manager));
    EXPECT_FALSE(HasRole("ADMIN,CLER", "MGR"));
    // No role opens nothing, and a part of a role word is no role.
    EXPECT_FALSE(HasRole(QString(), admin));
    EXPECT_FALSE(HasRole("SYS", admin));
    EXPECT_FALSE(HasRole("MIN", admin));
    EXPECT_FALSE(HasRole(",", admin));
}

TEST(MakeGuid, ThirtyEightUpperCaseCharactersInBracesAndNeverTheSame)
{
    static const QRegularExpression shape(
        "^\\{[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}\\}$");
    QSet<QString> seen;
    for (int i = 0; i < 1000; ++i) {
        const QString guid = MakeGuid();
        ASSERT_TRUE(shape.match(guid).hasMatch()) << guid.toStdString();
        seen.insert(guid);
    }
    EXPECT_EQ(seen.size(), 1000);
}

} // namespace
