#include "support/DatabaseTest.h"
#include "support/DiskFault.h"
#include "support/FileBytes.h"
#include "support/KeeperFiles.h"

#include "database/LogLines.h"
#include "database/SysParameters.h"
#include "records/clsDuplicates.h"

#include <QDir>

#include <vector>

namespace {

// What the report asks of an enquiry.
struct Enquiry {
    QString VRMVIN() const { return vrm; }
    NullableDate DateOfEvent() const { return date; }
    QString EnquiryReference() const { return reference; }
    QString vrm;
    NullableDate date;
    QString reference;
};

class Duplicates : public DatabaseTest {
protected:
    Duplicates()
    {
        log.BeginLogging("VQ3IMP", "Import", "tester");
        sys.SetDataSource(&db);
        sys.Load();
    }
    void Settings(bool toFile, const QString& folder, bool toPrint = false)
    {
        sys.SetDuplicatesToFile(toFile);
        sys.SetDuplicateReportPath(folder);
        sys.SetDuplicatesToPrint(toPrint);
        sys.SetTimeOfLastDuplicate(QDateTime(QDate(2024, 3, 14), QTime(9, 5)));
        sys.Apply();
    }
    // The run's lines after its start line, "code:text".
    QStringList Logged() const
    {
        QStringList lines;
        for (int i = 2; i <= log.Count(); ++i)
            lines << QString("%1:%2").arg(log.Item(i)->EventCode()).arg(log.Item(i)->EventText());
        return lines;
    }
    QVariant StoredTimeOfLastDuplicate() const
    {
        return Scalar("SELECT TimeOfLastDuplicate FROM System_Parameters");
    }

    LogLines log;
    SysParameters sys;
    clsDuplicates list;
};

TEST_F(Duplicates, PairsComeFromTheNewEnquiryAndEachEarlierOne)
{
    const Enquiry fresh{"AB12CD", QDateTime(QDate(2024, 3, 9), QTime(0, 0)), "R,1 \"x\""};
    const std::vector<std::shared_ptr<Enquiry>> earlier{
        std::make_shared<Enquiry>(Enquiry{"AB12CD", QDateTime(QDate(2024, 3, 2), QTime(0, 0)), "P1"}),
        std::make_shared<Enquiry>(Enquiry{"AB12CD", std::nullopt, ""})};
    list.AddFromVQ3Duplicates(earlier, fresh);
    list.AddFromVQ3Duplicate(fresh);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Item(2)->PrevEventDate(), "") << "no date of event";
    clsDuplicate edited = *list.Item(1);
    edited.Cancel();
    EXPECT_EQ(edited.DupVRM(), "") << "back to the empty fields it was made with";
    EXPECT_THROW(list.Item(4), NevixError);

    world.clock().Set(QDateTime(QDate(2024, 3, 15), QTime(10, 30, 45)));
    Settings(true, "+Reports");
    list.GenerateDuplicateReports(log, sys);
    const QString path = world.PathOf("Reports/Duplicate_20240315-103000.csv");
    EXPECT_EQ(QString(ReadBytes(path)), "\"Duplicate Report For Period 14/03/24 09:05 to 15/03/24 10:30\"\r\n"
                               "\"VRM\",\"Event Date\",\"Ref Number\",\"Event Date\",\"Ref Number\"\r\n"
                               "\"AB12CD\",\"20240309\",\"R,1 \"x\"\",\"20240302\",\"P1\"\r\n"
                               "\"AB12CD\",\"20240309\",\"R,1 \"x\"\",\"\",\"\"\r\n"
                               "\"AB12CD\",\"20240309\",\"R,1 \"x\"\",\"\",\"\"\r\n");
    EXPECT_EQ(Logged(), QStringList({"64:Writing 3 duplicates", "64:Writing to: " + path,
                                     "64:Duplicates written"}));
    EXPECT_EQ(StoredTimeOfLastDuplicate().toDateTime(), QDateTime(QDate(2024, 3, 15), QTime(10, 30)));

    // A second report within the minute keeps the first one's file.
    clsDuplicates empty;
    empty.GenerateDuplicateReports(log, sys);
    EXPECT_EQ(QString(ReadBytes(world.PathOf("Reports/Duplicate_20240315-103000_2.csv"))),
              "\"Duplicate Report For Period 15/03/24 10:30 to 15/03/24 10:30\"\r\n"
              "\"VRM\",\"Event Date\",\"Ref Number\",\"Event Date\",\"Ref Number\"\r\n");
    EXPECT_EQ(ReadBytes(path).count('\n'), 5);
}

TEST_F(Duplicates, AReportNeverReplacesAnotherInstallationsFile)
{
    Settings(true, "+Reports");
    QDir().mkpath(world.PathOf("Reports"));
    WriteBytes(world.PathOf("Reports/Duplicate_20240315-103000.csv"), "other installation");
    WriteBytes(world.PathOf("Reports/Duplicate_20240315-103000_2.csv"), "and another");
    list.AddFromVQ3Duplicate(Enquiry{"AB12CD", std::nullopt, "R1"});
    list.GenerateDuplicateReports(log, sys);
    EXPECT_EQ(ReadBytes(world.PathOf("Reports/Duplicate_20240315-103000.csv")), "other installation");
    EXPECT_EQ(ReadBytes(world.PathOf("Reports/Duplicate_20240315-103000_2.csv")), "and another");
    EXPECT_EQ(ReadBytes(world.PathOf("Reports/Duplicate_20240315-103000_3.csv")).count('\n'), 3);
    EXPECT_TRUE(Logged().contains("64:Writing to: " + world.PathOf("Reports/Duplicate_20240315-103000_3.csv")));
}

// Someone who may write the report folder put links at the next names.
TEST_F(Duplicates, AReportNeverGoesThroughALinkAndIsForOwnerAndGroupOnly)
{
    const ScopedUmask mask(022);
    Settings(true, "+Reports");
    QDir().mkpath(world.PathOf("Reports"));
    QDir().mkpath(world.PathOf("elsewhere"));
    WriteBytes(world.PathOf("elsewhere/kept"), "kept");
    ASSERT_TRUE(QFile::link(world.PathOf("elsewhere/gone"), world.PathOf("Reports/Duplicate_20240315-103000.csv")));
    ASSERT_TRUE(QFile::link(world.PathOf("elsewhere/kept"), world.PathOf("Reports/Duplicate_20240315-103000_2.csv")));
    list.AddFromVQ3Duplicate(Enquiry{"AB12CD", std::nullopt, "R1"});
    list.GenerateDuplicateReports(log, sys);
    EXPECT_EQ(EntriesIn(world.PathOf("elsewhere")), QStringList{"kept"});
    EXPECT_EQ(ReadBytes(world.PathOf("elsewhere/kept")), "kept");
    EXPECT_EQ(LinkAt(world.PathOf("Reports/Duplicate_20240315-103000.csv")), world.PathOf("elsewhere/gone"));
    const QString report = world.PathOf("Reports/Duplicate_20240315-103000_3.csv");
    EXPECT_EQ(ReadBytes(report).count('\n'), 3);
    EXPECT_EQ(ModeOf(report), 0660);
}

TEST_F(Duplicates, WithNeitherFormOnlyThePeriodMovesOn)
{
    Settings(false, "+Reports");
    list.AddFromVQ3Duplicate(Enquiry{"AB12CD", std::nullopt, "R1"});
    list.GenerateDuplicateReports(log, sys);
    EXPECT_EQ(Logged(), QStringList({"64:Writing 1 duplicates", "64:Duplicates written"}));
    EXPECT_EQ(StoredTimeOfLastDuplicate().toDateTime(), QDateTime(QDate(2024, 3, 15), QTime(10, 30)));
    EXPECT_FALSE(QFileInfo::exists(world.PathOf("Reports")));
}

TEST_F(Duplicates, ADiskThatFillsLeavesNoHalfReport)
{
    Settings(true, "+Reports");
    list.AddFromVQ3Duplicate(Enquiry{"AB12CD", std::nullopt, "R1"});
    {
        DiskFault full("Duplicate_20240315-103000.csv", AtomicFile::Step::Write, ENOSPC, 20);
        EXPECT_NO_THROW(list.GenerateDuplicateReports(log, sys));
    }
    EXPECT_EQ(QDir(world.PathOf("Reports")).entryList(QDir::Files | QDir::Hidden), QStringList());
    const QStringList lines = Logged();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines.last().startsWith("256:Writing/Printing duplicates failed. Error:"));
    EXPECT_TRUE(lines.last().endsWith("No space left on device")) << lines.last().toStdString();
    EXPECT_EQ(StoredTimeOfLastDuplicate().toDateTime(), QDateTime(QDate(2024, 3, 14), QTime(9, 5)));
}

TEST_F(Duplicates, AFailureIsLoggedAndTheSamePeriodIsReportedNextTime)
{
    WriteBytes(world.PathOf("blocker"), "a file where a folder should be");
    Settings(true, world.PathOf("blocker/Reports"), true);
    list.AddFromVQ3Duplicate(Enquiry{"AB12CD", std::nullopt, "R1"});
    EXPECT_NO_THROW(list.GenerateDuplicateReports(log, sys));
    const QStringList lines = Logged();
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[1].startsWith("128:")) << "printing is not available";
    EXPECT_TRUE(lines[3].startsWith("256:Writing/Printing duplicates failed. Error:Cannot write "))
        << lines[3].toStdString();
    EXPECT_EQ(StoredTimeOfLastDuplicate().toDateTime(), QDateTime(QDate(2024, 3, 14), QTime(9, 5)));
}

} // namespace
