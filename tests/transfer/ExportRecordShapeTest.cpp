#include "transfer/ExportTest.h"

#include "database/TransmissionResults.h"
#include "transfer/DEBUtils.h"
#include "transfer/VQ7Utils.h"

namespace {

// Whatever text the service sent, a record is one line with its columns
// where its layout puts them: it is byte for byte the record of a twin
// whose line ends, TABs and other control characters are blanks and whose
// character beyond the basic plane is the one "?" the file holds for it.
struct Shape {
    const char* name;
    const char* ini;
    int16_t format;
    bool statement;
    int fixedLength; // 0: comma- or tab-separated
};

void PrintTo(const Shape& shape, std::ostream* os)
{
    *os << shape.name;
}

const QString Emoji = QString::fromUtf8("\xF0\x9F\x98\x80");

class ExportShape : public ExportTest, public ::testing::WithParamInterface<Shape> {
protected:
    // The one record of a response or statement with the given texts.
    QByteArray Exported(const QString& crlf, const QString& tab, const QString& controls,
                        const QString& emoji)
    {
        const QString out = world.PathOf(QStringLiteral("out%1.txt").arg(++m_files));
        LogLines log;
        TransmissionResults results;
        log.BeginLogging("AEX", "", "clerk");
        if (GetParam().statement) {
            auto s = Statement("AB001");
            s->SetDEBSTAReference("ABC" + crlf + "DEF");
            s->SetTPBankAccountName("ENQUIRER" + tab + "PLC " + emoji);
            s->SetDVLABankAccountName("DVLA" + controls + "RECEIPTS");
            s->Apply();
            ExportAllDebsToFile(db, out, log, results, {}, nullptr);
        } else {
            auto r = Keeper();
            r->SetKeeperAddress1("1 HIGH STREET" + crlf + "FLAT 2");
            r->SetMake("FORD" + tab + "TRANSIT");
            r->SetModel("FOCUS" + controls + "ST");
            r->SetKeeperName1("SMITH " + emoji);
            r->Apply();
            ExportVQ7sToFile(db, out, log, results, {}, nullptr);
        }
        EXPECT_FALSE(results.HaveFatalErrors());
        return ReadBytes(out);
    }
    int m_files = 0;
};

TEST_P(ExportShape, ControlCharactersAreBlanksAndEachCharacterOneByte)
{
    Configure(GetParam().ini);
    Parameters(GetParam().format);
    LogOn({{"AB001", ""}});
    const QByteArray record = Exported("\r\n", "\t", QString::fromUtf8("\x1b\x7f\xc2\x85\x0b\x0c"), Emoji);
    const QByteArray twin = Exported("  ", " ", "     ", "?");

    EXPECT_EQ(QString::fromLatin1(record), QString::fromLatin1(twin));
    EXPECT_EQ(record.count('\r'), 1);
    EXPECT_EQ(record.count('\n'), 1);
    EXPECT_TRUE(record.endsWith("\r\n"));
    EXPECT_TRUE(record.contains(GetParam().statement ? "ABC  DEF" : "1 HIGH STREET  FLAT 2")) << record.constData();
    if (GetParam().fixedLength) {
        EXPECT_EQ(record.size(), GetParam().fixedLength + 2);
    }
}

const Shape Shapes[] = {
    {"A_csv", "[System]\nConfigVersion=3\n", 1, false, 0},
    {"A_tab", "[System]\nConfigVersion=3\n", 2, false, 0},
    {"A_fixed", "[System]\nConfigVersion=3\n", 3, false, 798},
    {"B_csv", "[System]\nConfigVersion=2\n", 1, false, 0},
    {"B_tab", "[System]\nConfigVersion=2\n", 2, false, 0},
    {"B_fixed", "[System]\nConfigVersion=2\n", 3, false, 580},
    {"C_bespoke", "[System]\nConfigVersion=3\nBespokeImportFormat=Yes\n", 1, false, 276},
    {"Statement_csv", "[System]\nConfigVersion=2\n", 1, true, 0},
    {"Statement_tab", "[System]\nConfigVersion=2\n", 2, true, 0},
    {"Statement_fixed", "[System]\nConfigVersion=2\n", 3, true, 312},
};

INSTANTIATE_TEST_SUITE_P(Layouts, ExportShape, ::testing::ValuesIn(Shapes),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
