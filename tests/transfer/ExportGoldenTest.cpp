#include "transfer/ExportTest.h"

#include "database/TransmissionResults.h"
#include "transfer/DEBUtils.h"
#include "transfer/VQ7Utils.h"

#include <QDir>

#include <functional>
#include <map>

// Each folder under data/transfer is one export case: its input is built by
// the function of the same name below, its expected file is expected.txt.
namespace {

const QString GoldenFolder = QStringLiteral(NEVIX_TEST_DATA "/transfer");

using CaseInput = std::function<void(class GoldenExport&)>;
const std::map<QString, CaseInput>& Cases();

class GoldenExport : public ExportTest {
public:
    void TestBody() override {}
    using ExportTest::Company;
    using ExportTest::Configure;
    using ExportTest::Keeper;
    using ExportTest::Parameters;
    using ExportTest::Statement;

    // The export's file, or "" with the fault.
    QByteArray Run(const QString& name)
    {
        Cases().at(name)(*this);
        const QString out = world.PathOf("out.txt");
        LogLines log;
        TransmissionResults results;
        if (name.startsWith("deb-")) {
            log.BeginLogging("DEBAEX", "", "clerk");
            ExportAllDebsToFile(db, out, log, results, {}, nullptr);
            EXPECT_EQ(results.FatalDebExportErrorMessage(), "");
        } else {
            ExportVQ7sToFile(db, out, log, results, {}, nullptr);
            EXPECT_EQ(results.FatalVQ7ExportErrorMessage(), "");
        }
        return ReadBytes(out);
    }
};

const QByteArray V3 = "[System]\nConfigVersion=3\n";
const QByteArray V2 = "[System]\nConfigVersion=2\n";

const std::map<QString, CaseInput>& Cases()
{
    static const std::map<QString, CaseInput> cases = {
        {"vq7-a-fixed", [](GoldenExport& t) { t.Configure(V3), t.Parameters(3), t.Keeper(), t.Company(); }},
        {"vq7-a-csv", [](GoldenExport& t) { t.Configure(V3), t.Parameters(1), t.Keeper(), t.Company(); }},
        {"vq7-a-tab", [](GoldenExport& t) { t.Configure(V3), t.Parameters(2), t.Keeper(), t.Company(); }},
        {"vq7-b-fixed", [](GoldenExport& t) { t.Configure(V2), t.Parameters(3), t.Keeper(), t.Company(); }},
        {"vq7-b-fixed-from-left-short-name",
         [](GoldenExport& t) {
             t.Configure(V2 + "[NevixClient]\nSkipFullCustomerNameExport=Yes\n");
             t.Parameters(3, false, true), t.Company();
         }},
        {"vq7-b-legacy-csv",
         [](GoldenExport& t) {
             t.Configure(V2), t.Parameters(1, true);
             auto keeper = t.Keeper();
             keeper->SetKeeperTitleCode("0");
             keeper->Apply();
         }},
        {"vq7-c-bespoke",
         [](GoldenExport& t) {
             t.Configure(V3 + "BespokeImportFormat=Yes\n"), t.Parameters(1), t.Keeper(), t.Company();
         }},
        {"deb-v3-fixed", [](GoldenExport& t) { t.Configure(V3), t.Parameters(3), t.Statement("AB001"); }},
        {"deb-v2-fixed", [](GoldenExport& t) { t.Configure(V2), t.Parameters(3), t.Statement("AB001"); }},
        {"deb-v2-legacy-csv",
         [](GoldenExport& t) {
             t.Configure(V2), t.Parameters(1, true), t.Statement("AB001", false);
         }},
    };
    return cases;
}

TEST(ExportGolden, EveryCaseFolderMatchesItsExpectedFile)
{
    const QStringList folders = QDir(GoldenFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_EQ(size_t(folders.size()), Cases().size()) << "a case without a folder, or the reverse";
    for (const QString& name : folders) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_TRUE(Cases().count(name)) << "no input for this folder";
        const QByteArray expected = ReadBytes(GoldenFolder + '/' + name + "/expected.txt");
        ASSERT_FALSE(expected.isEmpty());
        GoldenExport test;
        EXPECT_EQ(test.Run(name), expected);
    }
}

} // namespace
