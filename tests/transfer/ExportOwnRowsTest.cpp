#include "transfer/ExportTest.h"

#include "database/TransmissionResults.h"
#include "transfer/DEBUtils.h"
#include "transfer/VQ7Utils.h"

#include <QDir>

namespace {

// One export and layout: responses (layouts A, B and C) or debit
// statements, in each export format.
struct ExportCase {
    const char* name;
    const char* ini;
    int16_t format;
    bool statements;
};

const ExportCase Cases[] = {
    {"ResponsesAFixed", "[System]\nConfigVersion=3\n", 3, false},
    {"ResponsesACsv", "[System]\nConfigVersion=3\n", 1, false},
    {"ResponsesATab", "[System]\nConfigVersion=3\n", 2, false},
    {"ResponsesBFixed", "[System]\nConfigVersion=2\n", 3, false},
    {"ResponsesCBespoke", "[System]\nConfigVersion=3\nBespokeImportFormat=Yes\n", 1, false},
    {"StatementsFixed", "[System]\nConfigVersion=3\n", 3, true},
    {"StatementsCsv", "[System]\nConfigVersion=2\n", 1, true},
    {"StatementsTab", "[System]\nConfigVersion=3\n", 2, true},
};

class OwnRows : public ExportTest, public ::testing::WithParamInterface<ExportCase> {
protected:
    void SetUp() override
    {
        Configure(GetParam().ini, RunningMode::Automatic);
        Parameters(GetParam().format);
        QDir(world.Folder()).mkpath("a");
        QDir(world.Folder()).mkpath("b");
        LogOn({{"AB001", "+a"}, {"CD002", "+b"}});
        log.BeginLogging("AUTOEXEC", "", "clerk");
    }
    QByteArray OnlyFileOf(const QString& folder) const
    {
        const QStringList files = QDir(world.PathOf(folder)).entryList(QDir::Files);
        EXPECT_EQ(files.size(), 1) << folder.toStdString();
        return files.isEmpty() ? QByteArray() : ReadBytes(world.PathOf(folder + '/' + files.first()));
    }
    bool Statements() const { return GetParam().statements; }
    QString Table() const { return Statements() ? "Debit_Statements" : "VQ7_Responses"; }
    // The unmatched row's mark in a file.
    QByteArray Unmatched() const { return Statements() ? "UNMATCHED" : "ZZ99ZZZ"; }

    LogLines log;
    TransmissionResults results;
};

TEST_P(OwnRows, AnEnquirersFileHoldsItsOwnRowsAndNeverAnUnmatchedOne)
{
    if (Statements()) {
        Statement("AB001");
        Statement("AB001"); // a second statement of the same day
        auto unmatched = Statement("");
        unmatched->SetDEBSTAReference("UNMATCHED");
        unmatched->Apply();
        ExportDebsForUserEnquirers(db, log, results);
    } else {
        Keeper("AB001"), Keeper("AB001");
        auto unmatched = Keeper(""); // a response matched to no enquiry: no enquirer
        unmatched->SetVRM("ZZ99ZZZ");
        unmatched->Apply();
        ExportVQ7s(db, log, results);
    }
    const QByteArray file = OnlyFileOf("a");
    EXPECT_EQ(file.count("\r\n"), 2);
    EXPECT_FALSE(file.contains(Unmatched()));
    EXPECT_TRUE(QDir(world.PathOf("b")).entryList(QDir::Files).isEmpty()) << "nothing for the second enquirer";
    EXPECT_EQ(Exported(Table()), 2);
    EXPECT_EQ(CountRows(Table(), "EnquirerId IS NULL AND JuxExportedDate IS NULL"), 1);

    // Only an export of every enquirer takes it.
    const QString all = world.PathOf("all.txt");
    TransmissionResults manual;
    if (Statements())
        ExportAllDebsToFile(db, all, log, manual, {}, nullptr);
    else
        ExportVQ7sToFile(db, all, log, manual, {}, nullptr);
    EXPECT_TRUE(ReadBytes(all).contains(Unmatched()));
    EXPECT_EQ(CountRows(Table(), "JuxExportedDate IS NULL"), 0);
}

TEST_P(OwnRows, TextIsWrittenInWindows1252AndACharacterItLacksIsWarnedOf)
{
    if (Statements()) {
        auto statement = Statement("AB001");
        statement->SetDEBSTAReference(QString::fromUtf8("O’N €5 Ω"));
        statement->Apply();
        ExportDebsForUserEnquirers(db, log, results);
    } else {
        auto keeper = Keeper("AB001");
        keeper->SetEnquiryReference(QString::fromUtf8("O’N €5 Ω"));
        keeper->Apply();
        ExportVQ7s(db, log, results);
    }
    const QByteArray file = OnlyFileOf("a");
    EXPECT_TRUE(file.contains("O\x92N \x80" "5 ?")) << file.toStdString();
    EXPECT_TRUE(file.endsWith("\r\n"));
    const QString texts = Texts(log);
    EXPECT_TRUE(texts.contains(QString::fromUtf8("were written as \"?\" in the record of the "))) << texts.toStdString();
    EXPECT_TRUE(texts.contains(QString::fromUtf8("O’N €5 Ω"))) << "the record is named";
    EXPECT_EQ(Exported(Table()), 1) << "a warning, not a failure";
}

INSTANTIATE_TEST_SUITE_P(Exports, OwnRows, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
