#include "PrintToFile.h"

#include "support/DatabaseTest.h"

#include "database/LogLines.h"
#include "database/SysParameters.h"
#include "platform/AppContext.h"
#include "records/clsDuplicates.h"
#include "reports/qt/CurrentPrinter.h"
#include "reports/qt/QtPrinterCanvas.h"

#include <QFileInfo>

namespace {

class DuplicatePrintToFile : public DatabaseTest {};

// The duplicate report printed where no printer is: its run's log names
// the file.
TEST_F(DuplicatePrintToFile, TheRunsLogNamesTheFilePrintedTo)
{
    const PrintToFile toFile;
    AppContext::Current().SetPrinter([] { return std::make_unique<QtPrinterCanvas>(); });

    SysParameters sys;
    sys.SetDataSource(&db);
    sys.Load();
    sys.SetDuplicatesToPrint(true);
    sys.SetDuplicatesToFile(false);
    sys.Apply();
    LogLines log;
    log.SetDataSource(&db);
    log.BeginLogging("VQ3IMP", "Import", "tester");
    clsDuplicates list;
    auto pair = std::make_shared<clsDuplicate>();
    pair->SetDupVRM(QStringLiteral("AB12CD"));
    list.Add(pair);
    list.GenerateDuplicateReports(log, sys);

    const QString file = CurrentPrinter::FileName();
    QStringList texts;
    for (const auto& line : log)
        texts << line->EventText();
    EXPECT_TRUE(texts.contains("Printed to file: " + file)) << texts.join('|').toStdString();
    EXPECT_TRUE(QFileInfo(file).isFile());
}

} // namespace
