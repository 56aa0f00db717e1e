#include "support/DatabaseTest.h"

#include "database/LogLines.h"
#include "database/SysParameters.h"
#include "records/clsDuplicates.h"
#include "reports/RecordingCanvas.h"

#include <gtest/gtest.h>

namespace {

using Kind = RecordingCanvas::Kind;

// Hands what was printed back when the report lets the printer go.
class CapturedCanvas : public RecordingCanvas {
public:
    explicit CapturedCanvas(QList<Operation>& out) : m_out(out) {}
    ~CapturedCanvas() override { m_out = operations; }

private:
    QList<Operation>& m_out;
};

class DuplicatePrint : public DatabaseTest {
protected:
    DuplicatePrint()
    {
        log.BeginLogging("VQ3IMP", "Import", "tester");
        sys.SetDataSource(&db);
        sys.Load();
        sys.SetDuplicatesToPrint(true);
        sys.SetDuplicatesToFile(false);
        sys.SetTimeOfLastDuplicate(QDateTime(QDate(2024, 3, 14), QTime(9, 5)));
        sys.Apply();
        AppContext::Current().SetPrinter([this] { return std::make_unique<CapturedCanvas>(printed); });
    }

    void Add(int n)
    {
        for (int i = 0; i < n; ++i) {
            auto pair = std::make_shared<clsDuplicate>();
            pair->SetDupVRM(QStringLiteral("V%1").arg(i));
            pair->SetDupEventDate(QStringLiteral("20240301"));
            pair->SetDupReferenceNumber(QStringLiteral("R%1").arg(i));
            list.Add(pair);
        }
    }

    QStringList Texts() const
    {
        QStringList texts;
        for (const auto& op : printed)
            if (op.kind == Kind::Text)
                texts << op.text;
        return texts;
    }

    LogLines log;
    SysParameters sys;
    clsDuplicates list;
    QList<RecordingCanvas::Operation> printed;
};

TEST_F(DuplicatePrint, PrintsTheHeaderAndOneLinePerPairInTheFileColumns)
{
    Add(2);
    list.GenerateDuplicateReports(log, sys);
    const QStringList texts = Texts();
    ASSERT_GE(texts.size(), 10);
    EXPECT_EQ(texts.mid(0, 4), (QStringList{"DVLA Tamblor - Duplcate VRMs",
                                            "Duplicate Report For Period 14/03/24 09:05 to 15/03/24 10:30",
                                            "Duplicate Request", "Previous Request"}));
    EXPECT_EQ(texts.mid(texts.size() - 10, 5), (QStringList{"V0", "20240301", "R0", "", ""}));
    QList<double> columns;
    for (const auto& op : printed)
        if (op.kind == Kind::Text && op.y == printed[printed.size() - 2].y)
            columns << op.x;
    EXPECT_EQ(columns, (QList<double>{5, 40, 75, 110, 145}));
    EXPECT_EQ(printed.first().kind, Kind::StartJob);
    EXPECT_EQ(printed.last().kind, Kind::EndDoc);
    EXPECT_DOUBLE_EQ(printed[1].size, 10);
    bool headerLogged = false;
    for (int i = 1; i <= log.Count(); ++i) {
        EXPECT_NE(log.Item(i)->EventText(), QStringLiteral("Printing of duplicates not available so no report printed"));
        headerLogged = headerLogged || log.Item(i)->EventText() == QStringLiteral("Printing 1st page header");
    }
    EXPECT_TRUE(headerLogged);
}

TEST_F(DuplicatePrint, FullPageStartsANewPageWithTheHeader)
{
    Add(80);
    list.GenerateDuplicateReports(log, sys);
    int pages = 1;
    for (const auto& op : printed)
        pages += op.kind == Kind::NewPage ? 1 : 0;
    EXPECT_GE(pages, 2);
    EXPECT_EQ(Texts().count(QStringLiteral("DVLA Tamblor - Duplcate VRMs")), pages);
    EXPECT_EQ(Texts().count(QStringLiteral("V79")), 1);
    for (const auto& op : printed)
        EXPECT_LE(op.y, 297);
}

TEST_F(DuplicatePrint, WithoutAPrinterTheWarningIsLogged)
{
    AppContext::Current().SetPrinter({});
    Add(1);
    list.GenerateDuplicateReports(log, sys);
    bool warned = false;
    for (int i = 1; i <= log.Count(); ++i)
        warned = warned || log.Item(i)->EventText() == QStringLiteral("Printing of duplicates not available so no report printed");
    EXPECT_TRUE(warned);
}

} // namespace
