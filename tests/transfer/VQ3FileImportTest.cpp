#include "ImportTest.h"

#include "core/GlobalDeclarations.h"
#include "records/VQ7.h"
#include "transfer/VQ7Utils.h"

#include <QFile>
#include <QRegularExpression>
#include <QTimer>

namespace {

QByteArray Padded(const char* text, int width)
{
    return QByteArray(text).leftJustified(width, ' ', true);
}

struct LayoutCase {
    const char* name;
    const char* system; // [System] settings lines
    QByteArray line;
    const char* format;
    const char* vrm;
    bool hardcopy;
};

const QByteArray Tail = QByteArray("AB123") + "01AB";

const LayoutCase Layouts[] = {
    {"Csv", "ConfigVersion=3.0", "AB51ABC,20240301,ref1,AB123,01AB,", "CSV", "AB51ABC", false},
    {"QuotedCsv", "ConfigVersion=3.0", "\"AB51ABC\",\"20240301\",\"ref1\",ab123,01ab", "CSV", "AB51ABC", false},
    {"Tab", "ConfigVersion=3.0", "AB51ABC\t20240301\tref1\tAB123\t01AB", "Tab delimited", "AB51ABC", false},
    {"Fixed", "ConfigVersion=3.0", Padded("AB51ABC", 17) + "20240301" + Padded("ref1", 20) + Tail,
     "Fixed length fields", "AB51ABC", false},
    {"Bespoke", "ConfigVersion=3.0\r\nBespokeImportFormat=Yes",
     Padded("AB51ABC", 17) + "20240301" + "  Y  " + Padded("ref1", 10) + Tail, "Bespoke", "AB51ABC", true},
    {"OldFixedWithVRM", "ConfigVersion=2.0",
     Padded("AB51ABC", 7) + "20240301" + Padded("ref1", 20) + "Y" + QByteArray(24, ' ') + Tail,
     "Fixed length fields", "AB51ABC", true},
    {"OldFixedWithVIN", "ConfigVersion=2.0",
     QByteArray("XY51ABC0123456789") + "20240301" + Padded("ref1", 20) + " " + QByteArray(24, ' ') + Tail,
     "Fixed length fields", "XY51ABC0123456789", false},
    {"OldBespoke", "BespokeImportFormat=Yes",
     Padded("AB51ABC", 7) + "20240301" + "  Y  " + Padded("ref1", 10) + Tail, "Bespoke", "AB51ABC", true},
};

TEST_F(ImportTest, AFileThatKeepsGrowingIsLeftForALaterRunWithoutFailing)
{
    const QString file = WriteImportFile(QStringLiteral("VQ3G.IMP"), "AB51ABC,20240301,ref1,AB123,01AB\r\n");
    QTimer writer; // another program still writing the file
    QObject::connect(&writer, &QTimer::timeout, [&] {
        QFile f(file);
        if (f.open(QIODevice::Append))
            f.write("#");
    });
    writer.start(0);
    EXPECT_FALSE(ImportVQ3FromFile(file, nullptr, log, false, results, {}, {&questions, 1}));
    EXPECT_EQ(results.FatalVQ3ImportErrorMessage(), QString());
    EXPECT_EQ(results.VQ3sImported(), 0);
    EXPECT_TRUE(Logged(file + QStringLiteral(" is not accessible and has not been imported (could not open with "
                                             "file lock).")));
    EXPECT_TRUE(QFile::exists(file));
}

class Layout : public ImportTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(Layout, ReadsTheFieldsOfItsLine)
{
    const LayoutCase& c = GetParam();
    WriteSettings(QLatin1String(c.system));
    Import(WriteImportFile(QStringLiteral("VQ3A.IMP"), "# comment, with a comma\r\n\r\n" + c.line + "\r\n"));

    EXPECT_TRUE(results.FatalVQ3ImportErrorMessage().isEmpty()) << results.FatalVQ3ImportErrorMessage().toStdString();
    EXPECT_EQ(results.VQ3sImported(), 1) << LogTexts().join(u'\n').toStdString();
    EXPECT_TRUE(Logged(QStringLiteral("Format established as type: ") + QLatin1String(c.format)));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT VRM || '|' || Enquiry_Reference || '|' || EnquirerId || '|' || "
                                    "EnquiryCode || '|' || Hardcopy_Response || '|' || Date_Of_Event FROM VQ3_Enquiries"))
                  .toString(),
              QLatin1String(c.vrm) + QStringLiteral("|REF1|AB123|01AB|") + QString::number(c.hardcopy) +
                  QStringLiteral("|2024-03-01 00:00:00"));
}

INSTANTIATE_TEST_SUITE_P(Files, Layout, ::testing::ValuesIn(Layouts),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ImportFileText, Utf8OrWindows1252WithEitherLineEnd)
{
    TestWorld world;
    const QString path = world.PathOf(QStringLiteral("t.IMP"));
    const QStringList expected{QString::fromUtf8("caf\u00e9 O\u2019N \u20ac5"), QString(), QStringLiteral("b")};
    for (const QByteArray& bytes : {QByteArray("caf\xc3\xa9 O\xe2\x80\x99N \xe2\x82\xac" "5\r\n\r\nb\r\n"),
                                    QByteArray("caf\xe9 O\x92N \x80" "5\n\nb"),
                                    QByteArray("\xef\xbb\xbf" "caf\xc3\xa9 O\xe2\x80\x99N \xe2\x82\xac" "5\n\nb\n")}) {
        WriteBytes(path, bytes);
        EXPECT_EQ(ReadImportFileLines(path), expected) << bytes.toStdString();
    }
}

TEST_F(ImportTest, AWindows1252FileKeepsItsCharactersFromImportToExport)
{
    const QByteArray reference = "O\x92N \x80" "5";
    // Not a valid reference for the service: kept with its error, as the
    // parameters allow.
    ChangeParameters([](SysParameters& p) { p.SetImportAutoExecuteVQ3Errors(true); });
    Import(WriteImportFile(QStringLiteral("VQ3A.IMP"), "AB51ABC,20240301," + reference + ",AB123,01AB\r\n"));
    ASSERT_EQ(results.VQ3sImported(), 1) << LogTexts().join(u'\n').toStdString();
    const QString stored = Scalar(QStringLiteral("SELECT Enquiry_Reference FROM VQ3_Enquiries")).toString();
    EXPECT_EQ(stored, QString::fromUtf8("O\u2019N \u20ac5"));

    // The keeper's answer to it goes out to the enquirer with the same bytes.
    auto response = std::make_shared<VQ7>();
    response->SetDataSource(&db);
    response->SetVRM(QStringLiteral("AB51ABC"));
    response->SetEnquiryReference(stored);
    response->SetEnquirerId(QStringLiteral("AB123"));
    response->Apply();
    const QString out = world.PathOf(QStringLiteral("out.txt"));
    TransmissionResults exported;
    ExportVQ7sToFile(db, out, log, exported, {QStringLiteral("AB123")}, nullptr);
    EXPECT_EQ(exported.VQ7sExported(), 1) << exported.FatalVQ7ExportErrorMessage().toStdString();
    EXPECT_TRUE(ReadBytes(out).contains("," + reference + ",")) << ReadBytes(out).toStdString();
}

TEST_F(ImportTest, AnOldLayoutDateThatCannotBeReadIsWarnedOfAndTheImportsOwnIsKept)
{
    WriteSettings(QStringLiteral("ConfigVersion=2.0"));
    // Fields 5 and 6: when imported and date of enquiry.
    const QByteArray line = QByteArray("AB51ABC,20240301,R1,Y,NOTADATE,20240310,,AB123,01AB\r\n") +
                            "AB52ABC,20240301,R2,Y,20240309,31/02/24,,AB123,01AB\r\n";
    Import(WriteImportFile(QStringLiteral("VQ3A.IMP"), line));
    ASSERT_EQ(results.VQ3sImported(), 2) << LogTexts().join(u'\n').toStdString();
    EXPECT_TRUE(Logged(QStringLiteral("When Imported was not a date (NOTADATE), the import's own date is kept "
                                      "(Line:1, field:When Imported VRM/VIN: AB51ABC ).")))
        << LogTexts().join(u'\n').toStdString();
    EXPECT_TRUE(Logged(QStringLiteral("Date Of Enquiry was not a date (31/02/24), the import's own date is kept "
                                      "(Line:2, field:Date Of Enquiry VRM/VIN: AB52ABC ).")));
    EXPECT_EQ(results.VQ3ImportWarnings(), 2);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT group_concat(WhenImported || '|' || Date_Of_Enquiry, ';') FROM "
                                    "(SELECT * FROM VQ3_Enquiries ORDER BY VRM)"))
                  .toString(),
              QStringLiteral("2024-03-15 10:30:00|2024-03-10 00:00:00;2024-03-09 00:00:00|2024-03-15 00:00:00"));
}

TEST_F(ImportTest, BlankEnquirerAndCodeTakeTheFoldersEnquirerAndItsDefaultReason)
{
    Import(WriteImportFile(QStringLiteral("VQ3A.IMP"), "AB51ABC,20240301,R1,,,\n"), QStringLiteral("AB123"));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT EnquirerId || '|' || EnquirerName || '|' || EnquiryCode || '|' || "
                                    "EnquiryCodeDesc FROM VQ3_Enquiries"))
                  .toString(),
              QStringLiteral("AB123|Alpha Ltd|01AB|Reason 01AB"));
}

TEST_F(ImportTest, UnattendedSkipsLinesInErrorAndExactDuplicatesAndSavesTheRest)
{
    Import(WriteImportFile(QStringLiteral("VQ3A.IMP"), "AB51ABC,20240301,R1,AB123,01AB\r\n"
                                                       "AB51ABC,20240230,R2,AB123,01AB\r\n"
                                                       "AB51ABC,20240301,R1,AB123,01AB\r\n"
                                                       "AB52ABC,20240301,R3,AB123,01AB\r\n"));
    EXPECT_EQ(results.VQ3sImported(), 2) << LogTexts().join(u'\n').toStdString();
    EXPECT_EQ(results.VQ3FilesImported(), 1);
    EXPECT_EQ(results.VQ3ImportWarnings(), 0);
    EXPECT_EQ(CountRows(QStringLiteral("VQ3_Enquiries")), 2);
    EXPECT_TRUE(Logged(QStringLiteral("Please enter a valid Date of Event was: 20240230, changed to to "
                                      "1/April/2000 (Line:2, field: VRM/VIN: AB51ABC ). Line not imported")));
    EXPECT_TRUE(Logged(QStringLiteral("Exact duplicate for AB51ABC found (Line:3, field:ExactDuplicateEnquiry "
                                      "VRM/VIN: AB51ABC ). Line not imported")));
    EXPECT_TRUE(Logged(QStringLiteral("2 enquiries imported")));
    EXPECT_TRUE(questions.asked.isEmpty());
}

struct InvisibleCase {
    const char* name;
    QByteArray reference; // as the file holds it, UTF-8
};

// A line feed cannot stand alone in a field: it ends the line.
const InvisibleCase InvisibleReferences[] = {
    {"Tab", "\t"}, {"NoBreakSpace", "\xC2\xA0"}, {"VerticalTab", "\v"}, {"FormFeed", "\f"}};

class InvisibleReference : public ImportTest, public ::testing::WithParamInterface<InvisibleCase> {};

TEST_P(InvisibleReference, IsRefusedWithTheReferenceError)
{
    Import(WriteImportFile(QStringLiteral("VQ3A.IMP"), "AB51ABC,20240301," + GetParam().reference + ",AB123,01AB\r\n"));
    EXPECT_EQ(results.VQ3sImported(), 0);
    EXPECT_TRUE(Logged(QStringLiteral("Enquiry reference can only contain A-Z, 0-9 and : -._#@/*; (Line:1, "
                                      "field:EnquiryReference VRM/VIN: AB51ABC ). Line not imported")))
        << LogTexts().join(u'\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Files, InvisibleReference, ::testing::ValuesIn(InvisibleReferences),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ImportTest, UnattendedKeepsLinesInErrorWhenTheParametersSaySo)
{
    ChangeParameters([](SysParameters& p) { p.SetImportAutoExecuteVQ3Errors(true); });
    Import(WriteImportFile(QStringLiteral("VQ3A.IMP"), "AB51ABC,20240301,R1,ZZ999,01AB\n"));
    EXPECT_EQ(results.VQ3ImportWarnings(), 1);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COALESCE(EnquirerId, 'blank') FROM VQ3_Enquiries")).toString(),
              QStringLiteral("blank"));
    EXPECT_EQ(CountRows(QStringLiteral("JUX_MSG_ERROR")), 3);
}

TEST_F(ImportTest, UnattendedDuplicatesGoToTheReportOrAreAllImported)
{
    const QByteArray file = "AB51ABC,20240301,R1,AB123,01AB\nAB51ABC,20240302,R2,AB123,01AB\n"
                            "AB51ABC,20240303,R3,AB123,01AB\n";
    Import(WriteImportFile(QStringLiteral("VQ3A.IMP"), file));
    EXPECT_EQ(results.VQ3sImported(), 3);

    ChangeParameters([this](SysParameters& p) {
        p.SetDuplicatesToFile(true);
        p.SetDuplicateReportPath(world.Folder());
    });
    TransmissionResults second;
    ImportVQ3FromFile(WriteImportFile(QStringLiteral("VQ3B.IMP"), QByteArray(file).replace("R", "S")), nullptr, log, false,
                      second, {}, {&questions, 0});
    EXPECT_EQ(second.VQ3sImported(), 0);
    EXPECT_TRUE(Logged(QStringLiteral("Enquiry duplicate added to report and discarded (vrm: AB51ABC, line:3)")));
    EXPECT_TRUE(Logged(QStringLiteral("9 duplicate VRMs recorded")));
    EXPECT_EQ(QDir(world.Folder()).entryList({QStringLiteral("Duplicate_*.csv")}).size(), 1);
}

TEST_F(ImportTest, InteractiveAnswersAreRememberedPerKindForTheRestOfTheFile)
{
    Settings().SetProgramRunningMode(RunningMode::Interactive);
    questions.answers = {ValidationAction::SkipAllWithError, ValidationAction::Continue,
                         ValidationAction::SkipThisEnquiry};
    Import(WriteImportFile(QStringLiteral("VQ3A.IMP"), "AB51ABC,20240301,R1,AB123,01AB\n"
                                                       "AB51ABC,20240230,R2,AB123,01AB\n"
                                                       "AB51ABC,20240302,R3,AB123,01AB\n"
                                                       "AB51ABC,20240231,R4,AB123,01AB\n"
                                                       "AB51ABC,20240304,R5,AB123,01AB\n"));
    ASSERT_EQ(questions.asked.size(), 3);
    EXPECT_TRUE(questions.asked[0].startsWith(QStringLiteral("Line 2\r\nPlease enter a valid Date of Event")));
    EXPECT_TRUE(questions.asked[0].endsWith(QStringLiteral("\r\nAB51ABC,20240230,R2,AB123,01AB")));
    EXPECT_TRUE(questions.asked[1].startsWith(QStringLiteral("Vehicle Registration : AB51ABC")));
    EXPECT_TRUE(Logged(QStringLiteral("Duplicates warning for AB51ABC, user response was: Continue")));
    EXPECT_TRUE(Logged(
        QStringLiteral("Duplicates warning for AB51ABC, user response was: Continue but skip this enquiry")));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT group_concat(Enquiry_Reference) FROM (SELECT Enquiry_Reference "
                                    "FROM VQ3_Enquiries ORDER BY Enquiry_Reference)"))
                  .toString(),
              QStringLiteral("R1,R3"));
}

struct AbandonCase {
    const char* name;
    QByteArray content;
    bool userCancelled;
    const char* fatal;
    int cancelAfter = -1; // progress updates before the Cancel button
};

const AbandonCase Abandons[] = {
    {"CancelAnswer", "AB51ABC,20240301,R1,AB123,01AB\nAB51ABC,20240230,R2,AB123,01AB\n", true, ""},
    {"LineTooLong", "AB51ABC,20240301,R1,AB123,01AB\n#" + QByteArray(200, 'x') + "\n", true,
     "File import record size is too large"},
    {"RefusedWrite", "AB51ABC,20240301,R1,AB123,01AB\nFA11AAA,20240301,R2,AB123,01AB\n", false, "FA11AAA"},
    {"CancelButton", "AB51ABC,20240301,R1,AB123,01AB\nAB52ABC,20240301,R2,AB123,01AB\n", true, "", 0},
};

class Abandon : public ImportTest, public ::testing::WithParamInterface<AbandonCase> {};

TEST_P(Abandon, SavesNothingOfTheFile)
{
    const AbandonCase& c = GetParam();
    db.Execute(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON VQ3_Enquiries WHEN NEW.VRM='FA11AAA' "
                              "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    Settings().SetProgramRunningMode(RunningMode::Interactive);
    questions.answers = {ValidationAction::Cancelled};
    FakeProgress progress;
    progress.cancelAfter = c.cancelAfter;
    Import(WriteImportFile(QStringLiteral("VQ3A.IMP"), c.content), {}, &progress);

    EXPECT_FALSE(progress.loaded);
    EXPECT_EQ(progress.values.back(), 100);
    EXPECT_EQ(Logged(QStringLiteral("Import cancelled by the user")), c.cancelAfter >= 0);
    EXPECT_EQ(CountRows(QStringLiteral("VQ3_Enquiries")), 0);
    EXPECT_EQ(CountRows(QStringLiteral("JUX_MSG_ERROR")), 0);
    EXPECT_EQ(results.UserCancelled(), c.userCancelled);
    EXPECT_TRUE(results.FatalVQ3ImportErrorMessage().contains(QLatin1String(c.fatal)))
        << results.FatalVQ3ImportErrorMessage().toStdString();
    EXPECT_EQ(results.VQ3sImported(), 0);
    EXPECT_EQ(GlobalDatabase().TransactionCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Files, Abandon, ::testing::ValuesIn(Abandons),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace

namespace {

// A valid mark of its own for each number below 22 * 22 * 40.
QByteArray Mark(int n)
{
    static const char Letters[] = "ABCDEFGHJKLMNPRSTUVWXY";
    return QByteArray(1, Letters[n % 22]) + Letters[n / 22 % 22] + QByteArray::number(51 + n / 484) + "KLM";
}

TEST_F(ImportTest, ALargeFileReportsExactlyItsExactAndSameDayDuplicates)
{
    ChangeParameters([this](SysParameters& p) {
        p.SetDuplicateNumberOfDays(-1); // the same day
        p.SetDuplicatesToFile(true);
        p.SetDuplicateReportPath(world.Folder());
    });
    QByteArray file;
    QList<int> exactLines;
    QList<int> sameDayLines;
    int line = 0;
    auto add = [&](const QByteArray& mark, const char* day, const QByteArray& reference) {
        file += mark + ',' + day + ',' + reference + ",AB123,01AB\r\n";
        return ++line;
    };
    for (int n = 0; n < 1958; ++n) {
        add(Mark(n), "20240301", "R" + QByteArray::number(n));
        if (n % 97 == 96) {
            const int earlier = n - 50;
            exactLines << add(Mark(earlier), "20240301", "R" + QByteArray::number(earlier));
            sameDayLines << add(Mark(earlier), "20240301", "S" + QByteArray::number(earlier));
        }
    }
    // Not duplicates: another day of an imported mark, and the first line
    // of a mark that differs only in its last letter.
    add(Mark(5), "20240302", "T5");
    add(Mark(6).replace("KLM", "KLN"), "20240301", "R6");
    ASSERT_EQ(line, 2000);
    ASSERT_EQ(exactLines.size(), 20);

    Import(WriteImportFile(QStringLiteral("VQ3A.IMP"), file));

    QList<int> exactLogged;
    QList<int> sameDayLogged;
    const QRegularExpression exact(QStringLiteral("^Exact duplicate for \\w+ found \\(Line:(\\d+), "));
    const QRegularExpression sameDay(QStringLiteral("^Enquiry duplicate added to report and discarded \\(vrm: \\w+, line:(\\d+)\\)$"));
    for (const QString& text : LogTexts()) {
        if (const auto m = exact.match(text); m.hasMatch())
            exactLogged << m.captured(1).toInt();
        if (const auto m = sameDay.match(text); m.hasMatch())
            sameDayLogged << m.captured(1).toInt();
    }
    EXPECT_EQ(exactLogged, exactLines);
    EXPECT_EQ(sameDayLogged, sameDayLines);
    EXPECT_EQ(results.VQ3sImported(), 1960);
    EXPECT_TRUE(Logged(QStringLiteral("20 duplicate VRMs recorded")));
}

} // namespace
