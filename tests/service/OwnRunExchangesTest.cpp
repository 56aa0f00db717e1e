#include "service/NevixCommsTest.h"
#include "service/NevixEnquirerRequest.h"
#include "service/NevixNewPassword.h"
#include "service/NevixSeedControlRefs.h"

#include "accounts/CurrentUser.h"
#include "accounts/Enquirer.h"
#include "accounts/EnquiryReason.h"
#include "accounts/EnquiryReasons.h"
#include "accounts/User.h"
#include "core/ApplicationSettings.h"
#include "core/INIFile.h"
#include "database/CommsLock.h"
#include "database/GlobalDatabase.h"
#include "database/LogLines.h"
#include "database/NevixParameters.h"
#include "maintenance/EnquirerRequest.h"

#include "ExchangeTest.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

// The exchanges that open a log run of their own, for a logged-on user.
class OwnRunExchangeTest : public ExchangeTest {
protected:
    OwnRunExchangeTest()
    {
        auto user = std::make_shared<User>();
        user->SetUserName(QStringLiteral("ADMIN"));
        SetCurrentUser(user);
    }
    ~OwnRunExchangeTest() override
    {
        SetCurrentUser(nullptr);
        Settings().SetRunInTestMode(false);
    }

    static QStringList Errors(const LogLines& run)
    {
        QStringList lines;
        for (const auto& line : run.NewEnum())
            if (line->EventCode() == EventCodes::Error)
                lines.append(line->EventText());
        return lines;
    }
    QString Body(int index) const { return requests.at(index).second; }

    QString StoredPassword() const
    {
        NevixParameters account;
        account.SetDataSource(&GlobalDatabase());
        account.Load();
        return account.Password();
    }

    void StoreEnquirer(const QString& id)
    {
        Enquirer enquirer;
        enquirer.SetDataSource(&db);
        enquirer.SetEnquirerId(id);
        enquirer.SetName(QStringLiteral("Stored ") + id);
        auto reason = std::make_shared<EnquiryReason>();
        reason->SetEnquirerId(id);
        reason->SetEnquiryCode(QStringLiteral("09XX"));
        reason->SetDescription(QStringLiteral("Old reason"));
        enquirer.EnquiryReasons()->Add(reason);
        enquirer.Apply();
    }

    bool LockIsFree() const
    {
        return CountRows(QStringLiteral("COMMSLOCK"), QStringLiteral("LockedBy IS NOT NULL")) == 0;
    }
};

TEST_F(OwnRunExchangeTest, CommsTestNeverCarriesTheTestFlagAndLogsOnlyConnectionSteps)
{
    Settings().SetRunInTestMode(true);
    EXPECT_TRUE(RunNevixCommsTest(log));
    ASSERT_EQ(Types(), QStringList{QStringLiteral("CommsTest")});
    EXPECT_FALSE(Body(0).contains(QStringLiteral("TestFlag")));
    EXPECT_TRUE(Errors(log).isEmpty());
    EXPECT_EQ(log.GetLogHeader()->EventText(), QStringLiteral("Nevix Communication Test"));
    for (const auto& line : log.NewEnum())
        EXPECT_TRUE(QList<int32_t>({EventCodes::Start, EventCodes::End, EventCodes::Communication})
                        .contains(line->EventCode()))
            << line->EventText().toStdString();
}

TEST_F(OwnRunExchangeTest, CommsTestRefusedOrWronglyAnswered)
{
    answers[NevixMessageTypes::CommsTest] = QStringLiteral("err.xml");
    EXPECT_FALSE(RunNevixCommsTest(log));
    EXPECT_EQ(Errors(log), QStringList{QStringLiteral("NS101:Invalid user name or password")});

    answers[NevixMessageTypes::CommsTest] = QStringLiteral("warn-vq3enquiry.xml");
    LogLines second;
    EXPECT_FALSE(RunNevixCommsTest(second));
    const QStringList errors = Errors(second);
    ASSERT_FALSE(errors.isEmpty());
    EXPECT_TRUE(errors.first().startsWith(QStringLiteral("NS013:"))) << errors.first().toStdString();
}

TEST_F(OwnRunExchangeTest, SeedingSendsBothMaximaInOrderAndStopsAtAWarning)
{
    EXPECT_TRUE(RunNevixSeedControlRefs(log));
    EXPECT_EQ(Types(), (QStringList{QStringLiteral("SeedVQ7CtrlRef"), QStringLiteral("SeedDebCtrlRef")}));
    for (const auto& [type, body] : requests)
        EXPECT_TRUE(body.contains(QStringLiteral("<ControlReference>0</ControlReference>"))) << body.toStdString();
    EXPECT_TRUE(Lines(EventCodes::Communication).contains(QStringLiteral("Debit Ctrl seeded with: 0")));

    requests.clear();
    fill["<ResponseType>ACK"] = "<ResponseType>WARN";
    LogLines second;
    EXPECT_FALSE(RunNevixSeedControlRefs(second));
    EXPECT_EQ(Types(), QStringList{QStringLiteral("SeedVQ7CtrlRef")});
}

TEST_F(OwnRunExchangeTest, AnAcknowledgedPasswordIsStoredAndUsedNext)
{
    EXPECT_EQ(RunNevixNewPassword(log, QStringLiteral("a&b<c"), QStringLiteral("other")),
              NewPasswordOutcomes::Changed);
    ASSERT_EQ(Types(), QStringList{QStringLiteral("ChangePassword")});
    EXPECT_TRUE(Body(0).contains(QStringLiteral("<ChangePassword><NewPassword>a&amp;b&lt;c</NewPassword>"
                                                "<ConfirmedPassword>other</ConfirmedPassword></ChangePassword>")));
    EXPECT_EQ(StoredPassword(), QStringLiteral("a&b<c"));
    EXPECT_TRUE(LockIsFree());

    EXPECT_TRUE(RunNevixCommsTest(log));
    EXPECT_TRUE(Body(1).contains(QStringLiteral("a&amp;b&lt;c"))) << Body(1).toStdString();
}

TEST_F(OwnRunExchangeTest, PasswordsAppearInNoLogLineAndNoCopy)
{
    NevixParameters account;
    account.SetDataSource(&GlobalDatabase());
    account.Load();
    account.SetPassword(QStringLiteral("Se&cre<t1"));
    account.Apply();
    // Verbose connection logging, copies of every request and answer, and
    // no XML declaration, so the header lies within the 255 characters logged.
    const QString ini = world.PathOf(QStringLiteral("Nevix.INI"));
    INIFile().SetIniString(QStringLiteral("System"), QStringLiteral("DebugMode"), QStringLiteral("NNNNNN-YY"), ini);
    INIFile().SetIniString(QStringLiteral("NevixServer"), QStringLiteral("VerboseConnectionLogging"),
                           QStringLiteral("True"), ini);
    Settings().Load();

    EXPECT_EQ(RunNevixNewPassword(log, QStringLiteral("Ne&w<Pass1"), QStringLiteral("Ne&w<Pass1")),
              NewPasswordOutcomes::Changed);
    LogLines second;
    EXPECT_TRUE(RunNevixCommsTest(second));
    ASSERT_EQ(requests.size(), 2);
    EXPECT_TRUE(Body(0).contains(QStringLiteral("<Password>Se&amp;cre&lt;t1</Password>")));
    EXPECT_TRUE(Body(0).contains(QStringLiteral("<NewPassword>Ne&amp;w&lt;Pass1</NewPassword>")));

    QStringList written;
    for (const LogLines* run : {&log, &second})
        for (const auto& line : run->NewEnum())
            written.append(line->EventText());
    const QString copies = QString::fromUtf8(ReadBytes(world.PathOf(QStringLiteral("VQ3.XML"))));
    EXPECT_TRUE(written.join(u'\n').contains(QStringLiteral("<Password>*****")));
    EXPECT_EQ(copies.count(QStringLiteral("**********")), 4) << "Password twice, NewPassword, ConfirmedPassword";
    for (const char* form : {"Se&cre<t1", "Se&amp;cre&lt;t1", "cre<t1", "cre&lt;t1", "Ne&w<Pass1", "Ne&amp;w&lt;Pass1",
                             "w&lt;Pass1"}) {
        EXPECT_FALSE(written.join(u'\n').contains(QLatin1String(form))) << form;
        EXPECT_FALSE(copies.contains(QLatin1String(form))) << form;
    }
}

TEST_F(OwnRunExchangeTest, PasswordChangeRefusedOrLockedKeepsTheOldPassword)
{
    answers[NevixMessageTypes::ChangePassword] = QStringLiteral("err.xml");
    EXPECT_EQ(RunNevixNewPassword(log, QStringLiteral("new1"), QStringLiteral("new1")),
              NewPasswordOutcomes::NotChanged);
    EXPECT_EQ(Errors(log), QStringList{QStringLiteral("NS101:Invalid user name or password")});

    answers.clear();
    CommsLock other;
    other.AquireCommsLock(QStringLiteral("SOMEONE"), &db);
    LogLines second;
    EXPECT_EQ(RunNevixNewPassword(second, QStringLiteral("new1"), QStringLiteral("new1")),
              NewPasswordOutcomes::NotChanged);
    EXPECT_EQ(requests.size(), 1);
    EXPECT_EQ(Errors(second), QStringList{QStringLiteral("Could not aquire Communications lock")});
    EXPECT_EQ(StoredPassword(), QStringLiteral("Pa55word"));
}

TEST_F(OwnRunExchangeTest, EnquirerDownloadMakesTheLocalListMatch)
{
    for (const char* id : {"AB123", "CD456", "EF789"})
        StoreEnquirer(QLatin1String(id));
    answers[NevixMessageTypes::EnquirerRequest] = QStringLiteral("ack-enquirerrequest.xml");
    // Through maintenance's entry point, as the schema upgrade runs it.
    InstallEnquirerRequestRunner();
    EXPECT_TRUE(RunNevixEnquirerRequest(log, QStringLiteral("ADMIN")));
    SetEnquirerRequestRunner({});

    EXPECT_EQ(Errors(log), QStringList{});
    EXPECT_EQ(Scalar(QStringLiteral("SELECT group_concat(EnquirerId || '/' || EnqName || '/' || IntermediaryId || "
                                    "'/' || IsEnabled) FROM ENQUIRER"))
                  .toString(),
              QStringLiteral("AB123/Parking & Co/X12/1"));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT group_concat(EnquiryCode || '/' || Description || '/' || "
                                    "DateOfEventCutOff || '/' || IsDefault) FROM ENQUIRY_REASON"))
                  .toString(),
              QStringLiteral("02PK/Private parking/180/0"));
    EXPECT_TRUE(LockIsFree());
}

TEST_F(OwnRunExchangeTest, EnquirerDownloadWithAnInvalidEnquirerChangesNothing)
{
    StoreEnquirer(QStringLiteral("EF789"));
    answers[NevixMessageTypes::EnquirerRequest] = QStringLiteral("ack-enquirerrequest.xml");
    fill["<EnquiryReason><EnquiryCode>03TL</EnquiryCode><Description>Tolls</Description>"
         "<DateOfEventCutOff>30</DateOfEventCutOff></EnquiryReason>"] = "";
    EXPECT_FALSE(RunNevixEnquirerRequest(log));
    EXPECT_EQ(Errors(log), QStringList{QStringLiteral("There was no Enquiry Reasons for Enquirer CD456")});
    EXPECT_EQ(CountRows(QStringLiteral("ENQUIRER")), 1);
    EXPECT_EQ(CountRows(QStringLiteral("ENQUIRY_REASON")), 1);
    EXPECT_TRUE(LockIsFree());
}

struct BadIdCase {
    const char* name;
    const char* id;
    const char* logged; // as the log line shows it
};

class EnquirerDownloadWithABadId : public OwnRunExchangeTest, public ::testing::WithParamInterface<BadIdCase> {};

// An id the rule refuses, however the rest of the list is, stores nothing.
TEST_P(EnquirerDownloadWithABadId, IsRefusedNamingItAndStoresNothing)
{
    StoreEnquirer(QStringLiteral("EF789"));
    answers[NevixMessageTypes::EnquirerRequest] = QStringLiteral("ack-enquirerrequest.xml");
    fill["<EnquirerId>CD456</EnquirerId>"] = QByteArray("<EnquirerId>") + GetParam().id + "</EnquirerId>";
    EXPECT_FALSE(RunNevixEnquirerRequest(log));
    EXPECT_EQ(Errors(log), QStringList{QStringLiteral("Enquirer downloaded has an invalid EnquirerId ") +
                                       QLatin1String(GetParam().logged) +
                                       QStringLiteral(": The Enquirer Id must be 2 characters followed by 3 numbers")});
    EXPECT_EQ(Scalar(QStringLiteral("SELECT group_concat(EnquirerId) FROM ENQUIRER")).toString(), "EF789");
    EXPECT_EQ(CountRows(QStringLiteral("ENQUIRY_REASON")), 1);
    EXPECT_TRUE(LockIsFree());
}

INSTANTIATE_TEST_SUITE_P(Ids, EnquirerDownloadWithABadId,
                         ::testing::Values(BadIdCase{"TwoIdsInOne", "ZZ1,CD456", "ZZ1,CD456"},
                                           BadIdCase{"LineBreakInside", "CD456\r\nEF789", "CD456 EF789"},
                                           BadIdCase{"LineBreakAfter", "CD456\r\n", "CD456 "}),
                         [](const auto& info) { return std::string(info.param.name); });

// The copies of requests and answers go to a folder others may write. A
// name there held by a FIFO, or by a file of another user, is left alone
// with a warning naming it; the download still runs and ends, and the lock
// is free again.
struct HeldCopyCase {
    const char* name;
    const char* file;
    bool fifo; // otherwise a file of another user
};

class CopyNameHeld : public OwnRunExchangeTest, public ::testing::WithParamInterface<HeldCopyCase> {};

TEST_P(CopyNameHeld, IsLeftAloneAndTheRunEnds)
{
    const HeldCopyCase& c = GetParam();
    const QString held = world.PathOf(QLatin1String(c.file));
    const QByteArray native = QFile::encodeName(held);
    if (c.fifo) {
        ASSERT_EQ(::mkfifo(native.constData(), 0666), 0);
    } else {
        if (::geteuid() != 0)
            GTEST_SKIP() << "only the superuser can make a file of another user";
        WriteBytes(held, "another user's");
        ASSERT_EQ(::chown(native.constData(), 65534, 65534), 0);
    }
    INIFile().SetIniString(QStringLiteral("System"), QStringLiteral("DebugMode"), QStringLiteral("NNNNNN-Y"),
                           world.PathOf(QStringLiteral("Nevix.INI")));
    Settings().Load();
    answers[NevixMessageTypes::EnquirerRequest] = QStringLiteral("ack-enquirerrequest.xml");

    EXPECT_TRUE(RunNevixEnquirerRequest(log));
    EXPECT_TRUE(LockIsFree());
    QStringList warnings;
    for (const auto& line : log.NewEnum())
        if (line->EventCode() == EventCodes::Warning && line->EventText().contains(held))
            warnings.append(line->EventText());
    EXPECT_EQ(warnings.size(), 1) << warnings.join(u'\n').toStdString();
    if (!c.fifo) {
        EXPECT_EQ(ReadBytes(held), QByteArray("another user's"));
    }
    const char* other = QByteArray(c.file) == "VQ3.XML" ? "VQ7.XML" : "VQ3.XML";
    EXPECT_FALSE(ReadBytes(world.PathOf(QLatin1String(other))).isEmpty()) << "the other copy is written";
}

INSTANTIATE_TEST_SUITE_P(Copies, CopyNameHeld,
                         ::testing::Values(HeldCopyCase{"RequestsAtAFifo", "VQ3.XML", true},
                                           HeldCopyCase{"AnswersAtAFifo", "VQ7.XML", true},
                                           HeldCopyCase{"RequestsInAnotherUsersFile", "VQ3.XML", false}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
