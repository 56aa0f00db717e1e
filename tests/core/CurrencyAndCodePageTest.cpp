#include "core/Currency.h"
#include "core/VbFormat.h"
#include "core/Windows1252.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

TEST(CurrencyText, ReadsDecimalTextDigitByDigit)
{
    const struct {
        const char* text;
        std::optional<int64_t> tenThousandths;
    } cases[] = {
        {"12345678.9999", 123456789999},
        {"12.5", 125000},
        {"-12", -120000},
        {"+0.0001", 1},
        {" 3 ", 30000},
        {".5", 5000},
        {"7.", 70000},
        {"0.00005", 1},   // half away from zero
        {"-0.00005", -1},
        {"0.00004999", 0},
        {"922337203685477.5807", INT64_MAX},
        {"-922337203685477.5808", INT64_MIN},
        {"922337203685477.5808", std::nullopt},
        {"922337203685477.58075", std::nullopt}, // rounds beyond the range
        {"", std::nullopt},
        {".", std::nullopt},
        {"-", std::nullopt},
        {"1e5", std::nullopt},
        {"1,000", std::nullopt},
        {"1.2.3", std::nullopt},
        {"twelve", std::nullopt},
        {"\xd9\xa3", std::nullopt}, // a digit of another script
    };
    for (const auto& c : cases) {
        const std::optional<Currency> read = Currency::FromText(QString::fromUtf8(c.text));
        if (c.tenThousandths)
            EXPECT_EQ(read, Currency{*c.tenThousandths}) << c.text;
        else
            EXPECT_FALSE(read) << c.text;
    }
}

TEST(CurrencyText, WrittenTextReadsBackAsTheSameAmount)
{
    for (const int64_t units : {int64_t(0), int64_t(1), int64_t(-1), int64_t(123456789999), INT64_MAX, INT64_MIN})
        EXPECT_EQ(Currency::FromText(CurrencyText(Currency{units})), Currency{units}) << units;
}

struct MoneyCase {
    const char* name;
    int64_t tenThousandths;
    const char* plain;   // "0.00"
    const char* grouped; // "#,##0.00"
};

class MoneyShown : public ::testing::TestWithParam<MoneyCase> {};

TEST_P(MoneyShown, ToThePennyAtAnySize)
{
    const Currency amount{GetParam().tenThousandths};
    EXPECT_EQ(FormatCurrency(amount, QStringLiteral("0.00")), QString::fromLatin1(GetParam().plain));
    EXPECT_EQ(FormatCurrency(amount, QStringLiteral("#,##0.00")), QString::fromLatin1(GetParam().grouped));
}

INSTANTIATE_TEST_SUITE_P(
    Amounts, MoneyShown,
    ::testing::Values(MoneyCase{"MostNegative", INT64_MIN, "-922337203685477.58", "-922,337,203,685,477.58"},
                      MoneyCase{"Largest", INT64_MAX, "922337203685477.58", "922,337,203,685,477.58"},
                      MoneyCase{"BeyondDoublePence", 430292038666040204, "43029203866604.02",
                                "43,029,203,866,604.02"},
                      MoneyCase{"HalfPennyUp", 10050, "1.01", "1.01"},
                      MoneyCase{"HalfPennyDownBelowZero", -10050, "-1.01", "-1.01"},
                      MoneyCase{"LessThanHalfAPennyShowsNoSign", -49, "0.00", "0.00"},
                      MoneyCase{"Thousands", 12345670000, "1234567.00", "1,234,567.00"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormatCurrency, OtherPatternsAsTheNumberPatternsShowThem)
{
    // Within the range a double holds to the penny, the two ways agree.
    for (const int64_t units : {int64_t(0), int64_t(24950), int64_t(-24950), int64_t(1234567890123), int64_t(5)}) {
        const int64_t pence = units / 100 + (units % 100 >= 50 ? 1 : units % 100 <= -50 ? -1 : 0);
        for (const char* pattern : {"#,##0", "0.0", "0.0000", "#.##", "£#,##0.00 each", ""})
            EXPECT_EQ(FormatCurrency(Currency{units}, QString::fromUtf8(pattern)),
                      FormatNumber(double(pence) / 100.0, QString::fromUtf8(pattern)))
                << units << " " << pattern;
    }
}

TEST(Windows1252, TheThirtyTwoBytesThatDifferFromLatin1)
{
    const struct {
        unsigned char byte;
        char16_t character;
    } cases[] = {{0x80, u'€'}, {0x82, u'‚'}, {0x85, u'…'}, {0x8A, u'Š'}, {0x91, u'‘'}, {0x92, u'’'},
                 {0x93, u'“'}, {0x94, u'”'}, {0x96, u'–'}, {0x97, u'—'}, {0x99, u'™'}, {0x9F, u'Ÿ'},
                 // undefined in the code page: the control of that value
                 {0x81, u'\x81'}, {0x8D, u'\x8D'}, {0x8F, u'\x8F'}, {0x90, u'\x90'}, {0x9D, u'\x9D'}};
    for (const auto& c : cases) {
        const QByteArray byte(1, char(c.byte));
        EXPECT_EQ(Windows1252::Decode(byte), QString(QChar(c.character))) << int(c.byte);
        EXPECT_EQ(Windows1252::Encode(QString(QChar(c.character))), byte) << int(c.byte);
    }
}

TEST(Windows1252, EveryByteRoundTrips)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = Windows1252::Decode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(text[0xE9], QChar(u'é')) << "the upper half is Latin-1";
    bool lossy = true;
    EXPECT_EQ(Windows1252::Encode(text, &lossy), all);
    EXPECT_FALSE(lossy);
}

TEST(Windows1252, ACharacterTheCodePageLacksIsOneQuestionMark)
{
    const struct {
        const char* text;
        const char* bytes;
        bool lossy;
    } cases[] = {
        {"O’Neil €5 – ok", "O\x92Neil \x80" "5 \x96 ok", false},
        {"Ω", "?", true},
        {"a\xf0\x9f\x98\x80" "b", "a?b", true}, // beyond the basic plane: one character
        {"\xc2\x80", "?", true},                 // the control 0x80 is not the byte of "€"
        {"", "", false},
    };
    for (const auto& c : cases) {
        bool lossy = !c.lossy;
        EXPECT_EQ(Windows1252::Encode(QString::fromUtf8(c.text), &lossy), QByteArray(c.bytes)) << c.text;
        EXPECT_EQ(lossy, c.lossy) << c.text;
    }
}

} // namespace
