#include "database/TransmissionResults.h"
#include "platform/NevixError.h"
#include "support/Printers.h"

#include <limits>

#include <gtest/gtest.h>

namespace {

TEST(TransmissionResults, CountsAddTextsAppendAndOverflowLeavesTheCount)
{
    TransmissionResults r;
    r.SetVQ3sSent(3);
    r.SetVQ3sSent(4);
    EXPECT_EQ(r.VQ3sSent(), 7);
    r.SetFatalVQ7ErrorMessage("first");
    r.SetFatalVQ7ErrorMessage("second");
    EXPECT_EQ(r.FatalVQ7ErrorMessage(), "first\r\nsecond");
    r.SetFatalVQ7ErrorMessage(QString());
    EXPECT_EQ(r.FatalVQ7ErrorMessage(), "first\r\nsecond\r\n");

    r.SetVQ3sImported(std::numeric_limits<int32_t>::max());
    try {
        r.SetVQ3sImported(1);
        FAIL() << "no overflow";
    } catch (const NevixError& e) {
        EXPECT_EQ(e.Number(), 6);
    }
    EXPECT_EQ(r.VQ3sImported(), std::numeric_limits<int32_t>::max());
}

TEST(TransmissionResults, WarningsAreTheSixWarningCountsAndAnyFatalTextIsFatal)
{
    TransmissionResults none;
    none.SetVQ3BadFiles(2);
    none.SetDebWarnings(-1);
    EXPECT_FALSE(none.HaveWarnings() || none.HaveFatalErrors());

    using R = TransmissionResults;
    for (auto s : {&R::SetVQ3ImportWarnings, &R::SetVQ3Warnings, &R::SetVQ7Warnings,
                   &R::SetVQ7ExportWarnings, &R::SetDebWarnings, &R::SetDebExportWarnings}) {
        R r;
        (r.*s)(1);
        EXPECT_TRUE(r.HaveWarnings() && !r.HaveFatalErrors());
    }
    for (auto s : {&R::SetFatalVQ3ImportErrorMessage, &R::SetFatalVQ3ErrorMessage,
                   &R::SetFatalVQ7ErrorMessage, &R::SetFatalVQ7ExportErrorMessage,
                   &R::SetFatalDebErrorMessage, &R::SetFatalDebExportErrorMessage,
                   &R::SetFatalSysMsgErrorMessage, &R::SetFatalCtlSeedErrorMessage}) {
        R r;
        (r.*s)("failed");
        EXPECT_TRUE(r.HaveFatalErrors() && !r.HaveWarnings());
        EXPECT_EQ(r.FatalTexts(), QStringList{"failed"});
    }
    R two;
    two.SetFatalVQ7ErrorMessage("receive failed");
    two.SetFatalVQ3ErrorMessage("send failed");
    two.SetFatalVQ3ErrorMessage("again");
    EXPECT_EQ(two.FatalTexts(), QStringList({"send failed", "again", "receive failed"}));
}

TEST(TransmissionResults, MergeAddsCountsAppendsTextsAndReplacesCancel)
{
    TransmissionResults run;
    run.SetVQ7sReceived(6);
    run.SetFatalVQ7ErrorMessage("earlier");
    run.SetUserCancelled(true);

    TransmissionResults interim;
    interim.SetVQ7sReceived(4);
    interim.SetVQ7sExported(2);
    interim.SetVQ7FilesExported(1);
    run.CopyVQ7Results(interim);
    EXPECT_EQ(run.VQ7sReceived(), 10);
    EXPECT_EQ(QList<int>({run.VQ7sExported(), run.VQ7FilesExported()}), QList<int>({2, 1}));
    EXPECT_EQ(run.FatalVQ7ErrorMessage(), "earlier\r\n");
    EXPECT_FALSE(run.UserCancelled());
    EXPECT_EQ(interim.VQ7sReceived(), 4);

    TransmissionResults vq3;
    vq3.SetVQ3sImported(5);
    vq3.SetVQ3BadFiles(1);
    vq3.SetVQ3sSent(3);
    vq3.SetFatalVQ3ImportErrorMessage("bad file");
    vq3.SetUserCancelled(true);
    run.CopyVQ3Results(vq3);
    EXPECT_EQ(QList<int>({run.VQ3sImported(), run.VQ3BadFiles(), run.VQ3sSent()}), QList<int>({5, 1, 3}));
    EXPECT_EQ(run.FatalVQ3ImportErrorMessage(), "bad file");
    EXPECT_TRUE(run.UserCancelled());

    TransmissionResults deb;
    deb.SetDebsReceived(2);
    deb.SetDebsExported(2);
    deb.SetDebExportWarnings(1);
    run.CopyDebResults(deb);
    EXPECT_EQ(QList<int>({run.DebsReceived(), run.DebsExported()}), QList<int>({2, 2}));
    EXPECT_TRUE(run.HaveWarnings());
}

} // namespace
