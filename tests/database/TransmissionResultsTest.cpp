#include "database/TransmissionResults.h"
#include "platform/NevixError.h"
#include "support/Printers.h"

#include <limits>

#include <gtest/gtest.h>

namespace {

TEST(TransmissionResults, CountsAddAndTextsAppend)
{
    TransmissionResults r;
    r.SetVQ3sSent(3);
    r.SetVQ3sSent(4);
    EXPECT_EQ(r.VQ3sSent(), 7);
    r.SetFatalVQ7ErrorMessage(QStringLiteral("first"));
    r.SetFatalVQ7ErrorMessage(QStringLiteral("second"));
    EXPECT_EQ(r.FatalVQ7ErrorMessage(), QStringLiteral("first\r\nsecond"));
    r.SetFatalVQ7ErrorMessage(QString());
    EXPECT_EQ(r.FatalVQ7ErrorMessage(), QStringLiteral("first\r\nsecond\r\n"));
}

TEST(TransmissionResults, FreshObjectHasNothingToReport)
{
    TransmissionResults r;
    EXPECT_FALSE(r.HaveFatalErrors());
    EXPECT_FALSE(r.HaveWarnings());
    EXPECT_FALSE(r.UserCancelled());
}

TEST(TransmissionResults, WarningsAreTheSixWarningCountsOnly)
{
    TransmissionResults badFiles;
    badFiles.SetVQ3BadFiles(2);
    EXPECT_FALSE(badFiles.HaveWarnings());

    TransmissionResults negative;
    negative.SetDebWarnings(-1);
    EXPECT_FALSE(negative.HaveWarnings());

    using Setter = void (TransmissionResults::*)(int32_t);
    for (Setter s : {&TransmissionResults::SetVQ3ImportWarnings, &TransmissionResults::SetVQ3Warnings,
                     &TransmissionResults::SetVQ7Warnings, &TransmissionResults::SetVQ7ExportWarnings,
                     &TransmissionResults::SetDebWarnings, &TransmissionResults::SetDebExportWarnings}) {
        TransmissionResults r;
        (r.*s)(1);
        EXPECT_TRUE(r.HaveWarnings());
    }
}

TEST(TransmissionResults, AnyOfTheEightFatalTextsIsFatal)
{
    using Setter = void (TransmissionResults::*)(const QString&);
    for (Setter s : {&TransmissionResults::SetFatalVQ3ImportErrorMessage,
                     &TransmissionResults::SetFatalVQ3ErrorMessage,
                     &TransmissionResults::SetFatalVQ7ErrorMessage,
                     &TransmissionResults::SetFatalVQ7ExportErrorMessage,
                     &TransmissionResults::SetFatalDebErrorMessage,
                     &TransmissionResults::SetFatalDebExportErrorMessage,
                     &TransmissionResults::SetFatalSysMsgErrorMessage,
                     &TransmissionResults::SetFatalCtlSeedErrorMessage}) {
        TransmissionResults r;
        (r.*s)(QStringLiteral("failed"));
        EXPECT_TRUE(r.HaveFatalErrors());
    }
}

TEST(TransmissionResults, MergeAddsCountsAppendsTextsAndReplacesCancel)
{
    TransmissionResults run;
    run.SetVQ7sReceived(6);
    run.SetFatalVQ7ErrorMessage(QStringLiteral("earlier"));
    run.SetUserCancelled(true);

    TransmissionResults interim;
    interim.SetVQ7sReceived(4);
    interim.SetVQ7sExported(2);
    interim.SetVQ7FilesExported(1);

    run.CopyVQ7Results(interim);
    EXPECT_EQ(run.VQ7sReceived(), 10);
    EXPECT_EQ(run.VQ7sExported(), 2);
    EXPECT_EQ(run.VQ7FilesExported(), 1);
    EXPECT_EQ(run.FatalVQ7ErrorMessage(), QStringLiteral("earlier\r\n"));
    EXPECT_FALSE(run.UserCancelled());
    EXPECT_EQ(interim.VQ7sReceived(), 4);

    TransmissionResults vq3;
    vq3.SetVQ3sImported(5);
    vq3.SetVQ3BadFiles(1);
    vq3.SetVQ3sSent(3);
    vq3.SetFatalVQ3ImportErrorMessage(QStringLiteral("bad file"));
    vq3.SetUserCancelled(true);
    run.CopyVQ3Results(vq3);
    EXPECT_EQ(run.VQ3sImported(), 5);
    EXPECT_EQ(run.VQ3BadFiles(), 1);
    EXPECT_EQ(run.VQ3sSent(), 3);
    EXPECT_EQ(run.FatalVQ3ImportErrorMessage(), QStringLiteral("bad file"));
    EXPECT_TRUE(run.UserCancelled());

    TransmissionResults deb;
    deb.SetDebsReceived(2);
    deb.SetDebsExported(2);
    deb.SetDebExportWarnings(1);
    run.CopyDebResults(deb);
    EXPECT_EQ(run.DebsReceived(), 2);
    EXPECT_EQ(run.DebsExported(), 2);
    EXPECT_TRUE(run.HaveWarnings());
}

TEST(TransmissionResults, OverflowLeavesTheCountUnchanged)
{
    TransmissionResults r;
    r.SetVQ3sImported(std::numeric_limits<int32_t>::max());
    try {
        r.SetVQ3sImported(1);
        FAIL() << "no overflow";
    } catch (const NevixError& e) {
        EXPECT_EQ(e.Number(), 6);
    }
    EXPECT_EQ(r.VQ3sImported(), std::numeric_limits<int32_t>::max());
}

} // namespace
