#include "support/FileBytes.h"
#include "support/KeeperFiles.h"
#include "support/TestWorld.h"

#include "platform/NevixError.h"
#include "reports/qt/CurrentPrinter.h"
#include "reports/qt/QtPrinterCanvas.h"
#include "reports/qt/QtPrinterCatalog.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

// Puts the program's current printer back after each test.
class Catalog : public testing::Test {
protected:
    Catalog() : m_saved(CurrentPrinter::Get()) {}
    ~Catalog() override { CurrentPrinter::Set(m_saved); }

    TestWorld world;
    QtPrinterCatalog printers;

private:
    PrinterChoice m_saved;
};

TEST_F(Catalog, PrintToFileIsAlwaysTheLastPrinter)
{
    EXPECT_EQ(printers.InstalledPrinters().last(), PrinterChoice::PrintToFile);
    printers.MakeCurrent(int(printers.InstalledPrinters().size()) - 1);
    EXPECT_EQ(printers.Current().deviceName, PrinterChoice::PrintToFile);
    EXPECT_THROW(printers.MakeCurrent(int(printers.InstalledPrinters().size())), NevixError);
}

TEST_F(Catalog, RefusedSettingsRaiseAndAcceptedOnesStay)
{
    printers.MakeCurrent(int(printers.InstalledPrinters().size()) - 1);
    printers.SetCopies(2);
    printers.SetOrientation(2);
    EXPECT_THROW(printers.SetCopies(0), NevixError);
    EXPECT_THROW(printers.SetColour(7), NevixError);
    EXPECT_THROW(printers.SetPaperSize(0), NevixError);
    EXPECT_EQ(printers.Current().copies, 2);
    EXPECT_EQ(printers.Current().orientation, 2);
}

TEST_F(Catalog, PrintToFileWritesIntoTheProgramFolder)
{
    printers.MakeCurrent(int(printers.InstalledPrinters().size()) - 1);
    // The print dialog offers the file that will be written.
    EXPECT_EQ(printers.Current().outputFile, world.PathOf(QStringLiteral("Nevix report.pdf")));
    {
        QtPrinterCanvas canvas;
        canvas.StartJob(ReportCanvas::Portrait, 0);
        canvas.SetFontName(QStringLiteral("Arial"));
        canvas.SetFontSize(10);
        canvas.Print(QStringLiteral("Hello"), true);
        // A4 inside the unprintable edge of a PDF page.
        EXPECT_NEAR(canvas.ScaleWidth(), 210 - 2 * QtPrinterCanvas::PdfEdgeMm, 0.5);
        EXPECT_NEAR(canvas.ScaleHeight(), 297 - 2 * QtPrinterCanvas::PdfEdgeMm, 0.5);
        EXPECT_GT(canvas.CurrentY(), 0);
        canvas.EndDoc();
    }
    EXPECT_TRUE(QFileInfo::exists(world.PathOf(QStringLiteral("Nevix report.pdf"))));
}

TEST_F(Catalog, PrintToFileWritesTheFileTheUserChose)
{
    printers.MakeCurrent(int(printers.InstalledPrinters().size()) - 1);
    const QString chosen = world.PathOf(QStringLiteral("chosen.pdf"));
    printers.SetOutputFile(chosen);
    EXPECT_EQ(printers.Current().outputFile, chosen);
    EXPECT_THROW(printers.SetOutputFile(QStringLiteral(" ")), NevixError);
    {
        QtPrinterCanvas canvas;
        canvas.StartJob(ReportCanvas::Portrait, 0);
        canvas.Print(QStringLiteral("Hello"), true);
        canvas.EndDoc();
    }
    EXPECT_TRUE(QFileInfo::exists(chosen));
    EXPECT_FALSE(QFileInfo::exists(world.PathOf(QStringLiteral("Nevix report.pdf"))));
    printers.MakeCurrent(int(printers.InstalledPrinters().size()) - 1);
    EXPECT_EQ(CurrentPrinter::FileName(), world.PathOf(QStringLiteral("Nevix report.pdf")))
        << "choosing the printer again starts from the program's own file";
}

// Someone put links in the folder at the next names; an earlier print is
// there too.
TEST_F(Catalog, PrintToFileTakesTheNextNameNothingHasAndKeepsItToOwnerAndGroup)
{
    const ScopedUmask mask(022);
    printers.MakeCurrent(int(printers.InstalledPrinters().size()) - 1);
    QDir(world.Folder()).mkpath(QStringLiteral("elsewhere"));
    WriteBytes(world.PathOf(QStringLiteral("Nevix report.pdf")), "earlier");
    WriteBytes(world.PathOf(QStringLiteral("elsewhere/kept.pdf")), "kept");
    const struct {
        const char* name;
        const char* target;
    } links[] = {{"Nevix report-001.pdf", "elsewhere/gone.pdf"}, {"Nevix report-002.pdf", "elsewhere/kept.pdf"}};
    for (const auto& link : links)
        ASSERT_TRUE(QFile::link(world.PathOf(QLatin1String(link.target)), world.PathOf(QLatin1String(link.name))));
    {
        QtPrinterCanvas canvas;
        for (const int32_t job : {0, 1, 2}) {
            canvas.StartJob(ReportCanvas::Portrait, job);
            canvas.Print(QStringLiteral("Hello"), true);
        }
        canvas.EndDoc();
        EXPECT_EQ(canvas.FilesWritten(),
                  (QStringList{world.PathOf(QStringLiteral("Nevix report-003.pdf")),
                               world.PathOf(QStringLiteral("Nevix report-004.pdf")),
                               world.PathOf(QStringLiteral("Nevix report-005.pdf"))}));
    }
    for (const auto& link : links)
        EXPECT_EQ(LinkAt(world.PathOf(QLatin1String(link.name))), world.PathOf(QLatin1String(link.target)));
    EXPECT_EQ(EntriesIn(world.PathOf(QStringLiteral("elsewhere"))), QStringList{"kept.pdf"});
    EXPECT_EQ(ReadBytes(world.PathOf(QStringLiteral("elsewhere/kept.pdf"))), "kept");
    EXPECT_EQ(ReadBytes(world.PathOf(QStringLiteral("Nevix report.pdf"))), "earlier");
    EXPECT_EQ(ModeOf(world.PathOf(QStringLiteral("Nevix report-003.pdf"))), 0660);
    EXPECT_TRUE(ReadBytes(world.PathOf(QStringLiteral("Nevix report-005.pdf"))).startsWith("%PDF"));
    EXPECT_EQ(EntriesIn(world.Folder()).filter(QStringLiteral(".Nevix")), QStringList()) << "no job left unnamed";
}

} // namespace
