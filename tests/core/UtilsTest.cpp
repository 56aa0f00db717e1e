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
    EXPECT_EQ(AppRelativePath(QStringLiteral("+Nevix.MDB")), home + QStringLiteral("/Nevix.MDB"));
    EXPECT_EQ(AppRelativePath(QStringLiteral("+\\Data\\")), home + QStringLiteral("/Data"));
    EXPECT_EQ(AppRelativePath(QStringLiteral("+/Data/")), home + QStringLiteral("/Data"));
    EXPECT_EQ(AppRelativePath(QStringLiteral("+")), home + QStringLiteral("/"));
    EXPECT_EQ(AppRelativePath(QString()), home);
    EXPECT_EQ(AppRelativePath(QStringLiteral("/srv/data")), QStringLiteral("/srv/data"));
    EXPECT_EQ(AppRelativePath(QStringLiteral("relative/x")), QStringLiteral("relative/x"));
}

TEST(ResolvePath, BaseAtTheRoot)
{
    EXPECT_EQ(ResolvePath(QStringLiteral("+x"), QStringLiteral("/")), QStringLiteral("/x"));
    EXPECT_EQ(ResolvePath(QStringLiteral("+x"), QStringLiteral("/opt/nevix/")),
              QStringLiteral("/opt/nevix/x"));
    EXPECT_EQ(ResolvePath(QStringLiteral("+sub\\x"), QStringLiteral("C:\\prog")),
              QStringLiteral("C:/prog/sub/x"));
}

struct CountCase {
    const char* noun;
    qint64 count;
    const char* expected;
};

TEST(CountText, WordsCountsAndPlurals)
{
    const CountCase cases[] = {
        {"enquiry", 0, "None enquiries"}, {"Vehicle Enquiry", 1, "1 Vehicle Enquiry"},
        {"Vehicle Response", 1234, "1,234 Vehicle Responses"},
        {"Debit Statement", 2, "2 Debit Statements"}, {"response", 3, "3 responses"},
        {"Day", 2, "2 Daies"}, {"KEY", 2, "2 KEYs"}, {"", 5, "5"}, {"", 0, "None"},
        {"line", 1234567, "1,234,567 lines"},
    };
    for (const CountCase& c : cases)
        EXPECT_EQ(CountText(QString::fromUtf8(c.noun), c.count), QString::fromUtf8(c.expected))
            << c.noun << " " << c.count;
}

TEST(ParseCompactDate, ReadsCompactTextsAndKeepsDateValues)
{
    const QDate march15(2024, 3, 15);
    EXPECT_EQ(ParseCompactDate(QStringLiteral("240315")), march15);
    EXPECT_EQ(ParseCompactDate(QStringLiteral("24-03-15")), march15);
    EXPECT_EQ(ParseCompactDate(QStringLiteral("20240315")), march15);
    EXPECT_EQ(ParseCompactDate(QVariant(march15)), march15);
    // A date value comes back as it is, whatever its century.
    EXPECT_EQ(ParseCompactDate(QVariant(QDate(1999, 12, 31))), QDate(1999, 12, 31));
    EXPECT_EQ(ParseCompactDate(QVariant(QDateTime(QDate(1999, 12, 31), QTime(9, 0)))),
              QDate(1999, 12, 31));
}

TEST(ParseCompactDate, NoValueForWhatIsNoDate)
{
    for (const QVariant& v : {QVariant(QStringLiteral("20240230")), QVariant(QStringLiteral("2403")),
                              QVariant(QStringLiteral("20241301")), QVariant(20240315),
                              QVariant(QStringLiteral("abcdefgh")), QVariant()})
        EXPECT_FALSE(ParseCompactDate(v).has_value()) << v.toString().toStdString();
}

TEST(NullHelpers, NullAndEmptyAreDifferentButBothFormatEmpty)
{
    EXPECT_EQ(NullToString(QVariant()), QString());
    EXPECT_EQ(NullToString(QVariant(42)), QStringLiteral("42"));
    // Written as the program writes such values anywhere, not in Qt's own forms.
    EXPECT_EQ(NullToString(QVariant(true)), QStringLiteral("True"));
    EXPECT_EQ(NullToString(QVariant(12.5)), QStringLiteral("12.5"));
    EXPECT_EQ(NullToString(QVariant(QDateTime(QDate(2024, 3, 5), QTime(7, 8, 9)))),
              QStringLiteral("05/03/2024 07:08:09"));
    EXPECT_EQ(FormatOrEmpty(QVariant(QDate(2024, 3, 5)), QString()), QStringLiteral("05/03/2024"));
    EXPECT_EQ(NullTo(QVariant()), QVariant(QString()));
    EXPECT_EQ(NullTo(QVariant(), QVariant(0)), QVariant(0));
    EXPECT_EQ(NullTo(QVariant(5), QVariant(0), QVariant(1)), QVariant(1));
    EXPECT_EQ(NullTo(QVariant(5), QVariant(0)), QVariant(5));
    EXPECT_EQ(FormatOrEmpty(QVariant(), QStringLiteral("#,###")), QString());
    EXPECT_EQ(FormatOrEmpty(QVariant(1234567), QStringLiteral("#,###")), QStringLiteral("1,234,567"));
    EXPECT_EQ(FormatOrEmpty(QVariant(QDateTime(QDate(2024, 3, 5), QTime(7, 8, 9))),
                            QStringLiteral("dd/mm/yyyy hh:nn:ss")),
              QStringLiteral("05/03/2024 07:08:09"));
}

TEST(HasRole, AnyOfTheUsersRolesInTheAllowedList)
{
    const QString admin = QStringLiteral("SYSADMIN,ADMIN");
    const QString manager = QStringLiteral("SYSADMIN,ADMIN,MGR");
    EXPECT_TRUE(HasRole(QStringLiteral("MGR"), manager));
    EXPECT_TRUE(HasRole(QStringLiteral("admin"), admin));
    EXPECT_TRUE(HasRole(QStringLiteral("ADMIN,MGR"), manager));
    EXPECT_TRUE(HasRole(QStringLiteral("MGR,ADMIN"), admin));
    EXPECT_TRUE(HasRole(QStringLiteral("CLER, ADMIN"), admin));
    EXPECT_FALSE(HasRole(QStringLiteral("CLER"), manager));
    EXPECT_FALSE(HasRole(QStringLiteral("ADMIN,CLER"), QStringLiteral("MGR")));
    // No role opens nothing, and a part of a role word is no role.
    EXPECT_FALSE(HasRole(QString(), admin));
    EXPECT_FALSE(HasRole(QStringLiteral("SYS"), admin));
    EXPECT_FALSE(HasRole(QStringLiteral("MIN"), admin));
    EXPECT_FALSE(HasRole(QStringLiteral(","), admin));
}

TEST(MakeGuid, ThirtyEightUpperCaseCharactersInBracesAndNeverTheSame)
{
    static const QRegularExpression shape(
        QStringLiteral("^\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}$"));
    QSet<QString> seen;
    for (int i = 0; i < 1000; ++i) {
        const QString guid = MakeGuid();
        ASSERT_TRUE(shape.match(guid).hasMatch()) << guid.toStdString();
        seen.insert(guid);
    }
    EXPECT_EQ(seen.size(), 1000);
}

TEST(GetThisComputerName, ComesFromTheContext)
{
    TestWorld world(QStringLiteral("WORKSTATION7"));
    EXPECT_EQ(GetThisComputerName(), QStringLiteral("WORKSTATION7"));
}

} // namespace
