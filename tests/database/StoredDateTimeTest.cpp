#include "support/DatabaseTest.h"
#include "support/ScopedTimeZone.h"

#include "database/Statement.h"
#include "database/StoredDateTime.h"

#include <QStringList>

namespace {

const QString Format = QStringLiteral("yyyy-MM-dd HH:mm:ss");

// The general parser's reading, which the hand-made one must equal.
void ExpectSameAsGeneralParser(const QString& text, const QDateTime& value)
{
    const QDateTime expected = QDateTime::fromString(text, Format);
    ASSERT_EQ(value.isValid(), expected.isValid()) << text.toStdString();
    if (!expected.isValid())
        return;
    EXPECT_EQ(value.date(), expected.date()) << text.toStdString();
    EXPECT_EQ(value.time(), expected.time()) << text.toStdString();
    EXPECT_EQ(value.timeSpec(), expected.timeSpec()) << text.toStdString();
    EXPECT_EQ(value.offsetFromUtc(), expected.offsetFromUtc()) << text.toStdString();
    EXPECT_EQ(value.toMSecsSinceEpoch(), expected.toMSecsSinceEpoch()) << text.toStdString();
}

// Every quarter hour of the London summer-time changes of 2024 (the hour
// skipped in March, the hour repeated in October) and of days around them.
QStringList AroundSummerTimeChanges()
{
    QStringList texts;
    for (const QDate day : {QDate(2024, 3, 30), QDate(2024, 3, 31), QDate(2024, 4, 1), QDate(2024, 10, 26),
                            QDate(2024, 10, 27), QDate(2024, 10, 28), QDate(1996, 3, 31), QDate(2037, 10, 25)}) {
        for (int minutes = 0; minutes < 24 * 60; minutes += 15)
            texts << QDateTime(day, QTime(0, 0)).toString(QStringLiteral("yyyy-MM-dd ")) +
                         QTime(0, 0).addSecs(minutes * 60).toString(QStringLiteral("HH:mm:ss"));
    }
    return texts;
}

TEST(StoredDateTime, ReadsTheStoredFormAsTheGeneralParserDoesAcrossSummerTimeChanges)
{
    const ScopedTimeZone london(ScopedTimeZone::London());
    StoredDateReader reader;
    for (const QString& text : AroundSummerTimeChanges()) {
        ExpectSameAsGeneralParser(text, ParseStoredDateTime(text));
        const QByteArray bytes = text.toLatin1();
        ExpectSameAsGeneralParser(text, reader.Read(bytes.constData(), int(bytes.size())));
        // A value seen before comes back the same.
        ExpectSameAsGeneralParser(text, reader.Read(bytes.constData(), int(bytes.size())));
    }
}

TEST(StoredDateTime, AnythingButTheExactFormOfARealMomentIsRefused)
{
    StoredDateReader reader;
    for (const char* text : {"", "2024-03-01", "2024-3-01 00:00:00", "2024-03-01T00:00:00", " 2024-03-01 00:00:00",
                             "2024-03-01 00:00:00 ", "2024-02-30 00:00:00", "2024-13-01 00:00:00",
                             "2024-03-01 24:00:00", "2024-03-01 23:60:00", "0000-01-01 00:00:00",
                             "2024-03-01 0a:00:00", "2024/03/01 00:00:00"}) {
        EXPECT_FALSE(ParseStoredDateTime(QString::fromLatin1(text)).isValid()) << text;
        EXPECT_FALSE(reader.Read(text, int(qstrlen(text))).isValid()) << text;
    }
    EXPECT_EQ(ParseStoredDateTime(u"2024-02-29 23:59:59"), QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59)));
}

// The hour repeated when summer time ends, in a zone, with its first
// moment (still summer time), and a time the change to summer time skips.
struct RepeatedHourCase {
    const char* name;
    QByteArray (*zone)();
    const char* repeated;
    qint64 firstMoment; // seconds since the epoch
    int summerOffset;
    const char* skipped;
};

void PrintTo(const RepeatedHourCase& c, std::ostream* os)
{
    *os << c.name;
}

class RepeatedHour : public ::testing::TestWithParam<std::tuple<RepeatedHourCase, bool>> {};

// Whether the process converted a winter or a summer time last must not
// change the reading (the C library guesses from its last conversion).
TEST_P(RepeatedHour, ReadsAsItsFirstOccurrenceWhateverWasConvertedBefore)
{
    const auto& [c, winterFirst] = GetParam();
    const ScopedTimeZone zone(c.zone());
    const QDate primer = winterFirst ? QDate(2024, 1, 15) : QDate(2024, 7, 15);
    const QByteArray repeated(c.repeated);
    for (int reading = 0; reading < 2; ++reading) {
        (void)QDateTime(primer, QTime(12, 0)).toMSecsSinceEpoch();
        StoredDateReader reader;
        for (const QDateTime& value : {ParseStoredDateTime(QString::fromLatin1(repeated)),
                                       reader.Read(repeated.constData(), int(repeated.size())),
                                       ParseSqlDateTime(QString::fromLatin1(repeated).replace(' ', 'T'))}) {
            ASSERT_TRUE(value.isValid());
            EXPECT_EQ(value.toSecsSinceEpoch(), c.firstMoment);
            EXPECT_EQ(value.offsetFromUtc(), c.summerOffset);
            EXPECT_EQ(value.timeSpec(), Qt::LocalTime);
            EXPECT_EQ(value.toString(Format), QString::fromLatin1(repeated));
        }
        EXPECT_FALSE(ParseStoredDateTime(QString::fromLatin1(c.skipped)).isValid());
        EXPECT_FALSE(reader.Read(c.skipped, int(qstrlen(c.skipped))).isValid());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Zones, RepeatedHour,
    ::testing::Combine(::testing::Values(RepeatedHourCase{"London", &ScopedTimeZone::London, "2024-10-27 01:30:00",
                                                          1729989000, 3600, "2024-03-31 01:30:00"},
                                         RepeatedHourCase{"NewYork", &ScopedTimeZone::NewYork, "2024-11-03 01:30:00",
                                                          1730611800, -4 * 3600, "2024-03-10 02:30:00"}),
                       ::testing::Bool()),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) +
               (std::get<1>(info.param) ? "_WinterConvertedFirst" : "_SummerConvertedFirst");
    });

class StoredDates : public DatabaseTest {};

TEST_F(StoredDates, ReadBackFromTheDatabaseAsTheGeneralParserReadsThem)
{
    const ScopedTimeZone london(ScopedTimeZone::London());
    db.Execute("CREATE TABLE Moments (Id INTEGER PRIMARY KEY, At DATETIME)");
    const QStringList texts = AroundSummerTimeChanges();
    db.BeginTrans();
    for (const QString& text : texts)
        db.Execute("INSERT INTO Moments (At) VALUES (?)", {text});
    // Not the stored form: read by the general way, as before.
    db.Execute("INSERT INTO Moments (At) VALUES ('2024-03-31T03:30:00')");
    db.CommitTrans();

    RecordSet rs = db.OpenRecordSet("SELECT At FROM Moments ORDER BY Id");
    for (const QString& text : texts) {
        ASSERT_FALSE(rs.IsEOF());
        if (QDateTime::fromString(text, Format).isValid())
            ExpectSameAsGeneralParser(text, rs.Field("At").toDateTime());
        else // a moment the clock skips stays text
            EXPECT_EQ(rs.Field("At"), QVariant(text));
        rs.MoveNext();
    }
    EXPECT_EQ(rs.DateTime("At"), QDateTime::fromString("2024-03-31T03:30:00", Qt::ISODate));
}

// Dates and times bound to a statement are stored in the one form, as the
// general formatter writes it, whatever the year's digits.
TEST_F(StoredDates, AreWrittenInTheStoredForm)
{
    db.Execute("CREATE TABLE Moments (Id INTEGER PRIMARY KEY, At DATETIME)");
    const QDateTime moments[] = {QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59)),
                                 QDateTime(QDate(999, 1, 2), QTime(3, 4, 5)), QDateTime(QDate(45, 6, 7), QTime(8, 9)),
                                 QDateTime(QDate(9999, 12, 31), QTime(0, 0, 1))};
    for (const QDateTime& at : moments) {
        db.Execute("DELETE FROM Moments");
        db.Execute("INSERT INTO Moments (At) VALUES (?)", {at});
        EXPECT_EQ(Scalar("SELECT At || '' FROM Moments").toString(), at.toString(Format));
        EXPECT_EQ(SqlDateTimeText(at), at.toString(Format));
        db.Execute("UPDATE Moments SET At=?", {at.date()});
        EXPECT_EQ(Scalar("SELECT At || '' FROM Moments").toString(), at.date().toString("yyyy-MM-dd 00:00:00"));
    }
}

} // namespace
