#include "records/XMLUtils.h"

#include "platform/NevixError.h"

#include "support/Printers.h"
#include "support/ScopedTimeZone.h"

#include <gtest/gtest.h>

namespace {

const QString Prefixed = QStringLiteral(
    "<root><ns2:TestElement xmlns:ns2=\"urn:x\"><TestInnerElement>-123</TestInnerElement>"
    "<Text>x</Text></ns2:TestElement></root>");

TEST(XMLUtils, TagsArePlainOrTheFirstPrefixedOpeningTag)
{
    QString open, close;
    FindElementNameInDoc("TestElement", "<a><b><TestElement><c></c></TestElement></b></a>", open, close);
    EXPECT_EQ(open, "<TestElement>");
    EXPECT_EQ(close, "</TestElement>");
    EXPECT_EQ(ExtractElement("testelement", "<a><b><TestElement><c></c></TestElement></b></a>"),
              "<TestElement><c></c></TestElement>");

    FindElementNameInDoc("TestElement", Prefixed, open, close);
    EXPECT_EQ(open, "<ns2:TestElement xmlns:ns2=\"urn:x\">");
    EXPECT_EQ(close, "</ns2:TestElement>");
    EXPECT_EQ(ExtractElementValue("TestElement", Prefixed),
              "<TestInnerElement>-123</TestInnerElement><Text>x</Text>");
    EXPECT_EQ(ExtractIntegerElementValue("TestInnerElement", Prefixed, 7), -123);
}

struct ValueCase {
    const char* name;
    const char* doc;
    const char* text;  // ExtractElementValue with default "D"
    int16_t number;    // ExtractIntegerElementValue with default 7
    bool flag;         // ExtractBooleanElementValue with default true
};

class ElementValues : public ::testing::TestWithParam<ValueCase> {};

TEST_P(ElementValues, ReadAsTextNumberAndFlag)
{
    const ValueCase& c = GetParam();
    const QString doc = QString::fromUtf8(c.doc);
    EXPECT_EQ(ExtractElementValue("E", doc, "D"), QString::fromUtf8(c.text));
    EXPECT_EQ(ExtractIntegerElementValue("E", doc, 7), c.number);
    EXPECT_EQ(ExtractBooleanElementValue("E", doc, true), c.flag);
}

INSTANTIATE_TEST_SUITE_P(
    XMLUtils, ElementValues,
    ::testing::Values(ValueCase{"Missing", "<X>1</X>", "D", 7, true},
                      ValueCase{"SelfClosing", "<E />", "D", 7, true},
                      ValueCase{"Empty", "<E></E>", "D", 7, true},
                      ValueCase{"PrefixedSelfClosing", "<p:E xmlns:p=\"u\"/>", "D", 7, true},
                      ValueCase{"Negative", "<e>-123</e>", "-123", -123, true},
                      ValueCase{"HalfToEven", "<E>2.5</E>", "2.5", 2, false},
                      ValueCase{"OutOfRange", "<E>32768</E>", "32768", 7, false},
                      ValueCase{"NotANumber", "<E>true</E>", "true", 7, true},
                      ValueCase{"One", "<E>1</E>", "1", 1, true},
                      ValueCase{"False", "<E>false</E>", "false", 7, false},
                      ValueCase{"EscapedEntityStaysOne", "<E>&amp;lt;</E>", "&lt;", 7, true},
                      ValueCase{"CapitalEntities", "<E>&QUOT;&Apos;&LT;&GT;&AMP;</E>", "\"'<>&", 7, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(XMLUtils, AsteriskRuleAndEscaping)
{
    EXPECT_EQ(ExtractElementValue("E", "<E>MR *SMITH*</E>", "", true, true), "MR SMITH");
    EXPECT_EQ(ExtractElementValue("E", "<E>MR *SMITH*</E>", "", true, false), "MR *SMITH*");
    EXPECT_EQ(EscapeXMLString("A&B <\"x\"> 'y' &amp;"),
              "A&amp;B &lt;&quot;x&quot;&gt; &apos;y&apos; &amp;amp;");
    EXPECT_EQ(EscapeXMLString("plain words"), "plain words");
}

TEST(XMLUtils, DatesWithAndWithoutZones)
{
    ScopedTimeZone utc("UTC0");
    const auto read = [](const char* value) {
        return ExtractDateElementValue("D", QStringLiteral("<D>%1</D>").arg(QLatin1String(value)));
    };
    const auto at = [](int d, int h, int m) { return QDateTime(QDate(2011, 3, d), QTime(h, m)); };
    EXPECT_EQ(read("2011-03-30T14:05:00"), at(30, 14, 5));
    EXPECT_EQ(read("2011-03-30T14:05:00.781+01:00"), at(30, 13, 5));
    EXPECT_EQ(read("2011-03-30T14:05:00.781-01:00"), at(30, 15, 5));
    EXPECT_EQ(read("2011-03-30T14:05:00.781Z"), at(30, 14, 5));
    EXPECT_EQ(read("2011-03-30"), at(30, 0, 0));
    EXPECT_EQ(read("2011-03-30 junk"), at(30, 0, 0));
    EXPECT_EQ(read("not a date"), std::nullopt);
    EXPECT_EQ(read("2011-99-30T14:05:00.781+01:00"), std::nullopt);
    EXPECT_EQ(ExtractDateElementValue("D", "<X/>"), std::nullopt);
    // Any tail but a fraction, without a zone, is no value the reader knows.
    EXPECT_THROW(read("2011-03-30T14:05:00.781x"), NevixError);
    EXPECT_THROW(read("2011-03-30T14:05:00."), NevixError);
    EXPECT_THROW(read("2011-03-30T14:05:00.781+0100"), NevixError);

    ScopedTimeZone london(ScopedTimeZone::London());
    EXPECT_EQ(read("2011-07-01T12:00:00Z"), QDateTime(QDate(2011, 7, 1), QTime(13, 0)));
}

TEST(XMLUtils, FractionalDateReadWithoutZoneIsLocalTime)
{
    const ScopedTimeZone london(ScopedTimeZone::London());
    const auto read = [](const char* value) {
        return ExtractDateElementValue("D", QStringLiteral("<D>%1</D>").arg(QLatin1String(value)));
    };
    const QDateTime local(QDate(2011, 3, 30), QTime(14, 5));
    EXPECT_EQ(read("2011-03-30T14:05:00.781"), local);
    EXPECT_EQ(read("2011-03-30T14:05:00.7"), local);
    EXPECT_EQ(read("2011-03-30T14:05:00.781")->time().msec(), 0);
    EXPECT_EQ(read("2011-99-30T14:05:00.781"), std::nullopt);
    // A local clock time that does not exist stays no value.
    EXPECT_EQ(read("2024-03-31T01:30:00.500"), std::nullopt);
}

// London, 31 March 2024: clocks go from 01:00 GMT to 02:00 BST.
TEST(XMLUtils, StampsAcrossTheChangeOfClocksAreReadFromTheirOwnZone)
{
    const ScopedTimeZone london(ScopedTimeZone::London());
    const auto read = [](const char* value) {
        return ExtractDateElementValue("D", QStringLiteral("<D>%1</D>").arg(QLatin1String(value)));
    };
    const QDateTime moment(QDate(2024, 3, 31), QTime(1, 30), Qt::UTC);
    for (const char* stamp : {"2024-03-31T01:30:00+00:00", "2024-03-31T02:30:00+01:00",
                              "2024-03-31T00:30:00-01:00", "2024-03-31T01:30:00Z",
                              "2024-03-31T01:30:00.250+00:00"}) {
        const NullableDate read_ = read(stamp);
        ASSERT_TRUE(read_.has_value()) << stamp;
        EXPECT_TRUE(read_->isValid()) << stamp;
        EXPECT_EQ(*read_, moment) << stamp;
        EXPECT_EQ(read_->timeSpec(), Qt::LocalTime) << stamp;
        EXPECT_EQ(read_->time(), QTime(2, 30)) << stamp;
    }
    // Just before the change, and the hour that comes twice in autumn.
    EXPECT_EQ(read("2024-03-31T00:59:00+00:00")->time(), QTime(0, 59));
    EXPECT_EQ(read("2024-10-27T01:30:00+01:00")->toUTC(), QDateTime(QDate(2024, 10, 27), QTime(0, 30), Qt::UTC));
    EXPECT_EQ(read("2024-10-27T01:30:00+00:00")->toUTC(), QDateTime(QDate(2024, 10, 27), QTime(1, 30), Qt::UTC));
    // Without a zone the clock time is local, and this one does not exist.
    EXPECT_EQ(read("2024-03-31T01:30:00"), std::nullopt);
    EXPECT_EQ(read("2024-03-31T02:30:00"), QDateTime(QDate(2024, 3, 31), QTime(2, 30)));
}

TEST(XMLUtils, ListsHoldEveryWholeElement)
{
    const QString doc = "<L><EnquiryReason>a</EnquiryReason><EnquiryReason>\"b\"</EnquiryReason>"
                        "<EnquiryReason>c</EnquiryReason><EnquiryReason>d</EnquiryReason></L>";
    const DelimitedString list = ExtractElementList("EnquiryReason", doc);
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Word(2), "<EnquiryReason>\"b\"</EnquiryReason>");
    EXPECT_EQ(list.Delimiter(), "~#~");
    EXPECT_EQ(ExtractElementList("EnquiryReason", "<EnquiryReason>a</EnquiryReason><EnquiryReason>b").Count(),
              1);
    EXPECT_EQ(ExtractElementList("Missing", doc).Count(), 0);
}

TEST(XMLUtils, TagsMatchWithoutCaseAsTheTextComparisonFoldsIt)
{
    struct Case {
        const char* name;
        const char16_t* doc;
        const char16_t* value;
    };
    const Case cases[] = {
        {"make", u"<v><MAKE>FORD</MAKE></v>", u"FORD"},
        // Letters whose folded form is another letter: long s, Kelvin sign.
        {"Stock", u"<v><\u017Ftock>1</\u017FTOCK></v>", u"1"},
        {"kind", u"<v><\u212Aind>2</kind></v>", u"2"},
        {"\u00C9tat", u"<v><\u00E9TAT>3</\u00C9tat></v>", u"3"},
        // Characters beyond the basic plane are searched as they stand.
        {"Name", u"<v><name>\U00010400</NAME></v>", u"\U00010400"},
        // A nested element of the same name loses its tags.
        {"A", u"<a>x<A>y</a>", u"xy"},
        {"Missing", u"<v>:missing</v>", u"default"},
    };
    for (const Case& c : cases) {
        const QString doc = QString::fromUtf16(c.doc);
        EXPECT_EQ(ExtractElementValue(QString::fromUtf8(c.name), doc, "default"), QString::fromUtf16(c.value))
            << c.name;
    }
}

TEST(XMLUtils, ADocumentChangedAfterAReadIsSearchedAsItNowStands)
{
    QString doc = "<v><Make>FORD</Make></v>";
    EXPECT_EQ(ExtractElementValue("Make", doc), "FORD");
    doc.replace("FORD", "VAUXHALL");
    EXPECT_EQ(ExtractElementValue("Make", doc), "VAUXHALL");
    doc.replace(0, 3, "<w>");
    EXPECT_EQ(ExtractElement("Make", doc), "<Make>VAUXHALL</Make>");
}

// A document held as the bytes the service sent is read as its text is.
struct BytesCase {
    const char* name;
    const char* element;
    const char* doc;
};

class ReadFromBytes : public ::testing::TestWithParam<BytesCase> {};

TEST_P(ReadFromBytes, FindsWhatTheTextReadersFind)
{
    const QString element = QString::fromUtf8(GetParam().element);
    const QByteArray bytes(GetParam().doc);
    const QString text = QString::fromUtf8(bytes);
    EXPECT_EQ(HasElement(element, bytes), !ExtractElement(element, text).isEmpty());
    EXPECT_EQ(ExtractElementUtf8(element, bytes), ExtractElement(element, text));
    const DelimitedString fromText = ExtractElementList(element, text);
    const DelimitedString fromBytes = ExtractElementListUtf8(element, bytes);
    const ElementList listed = ListElements(element, bytes);
    EXPECT_EQ(fromBytes.Delimiter(), fromText.Delimiter());
    ASSERT_EQ(fromBytes.Count(), fromText.Count());
    ASSERT_EQ(listed.Count(), fromText.Count());
    for (int32_t i = 1; i <= fromText.Count(); ++i) {
        EXPECT_EQ(fromBytes.Word(i), fromText.Word(i)) << i;
        EXPECT_EQ(listed.Word(i), fromText.Word(i)) << i;
    }
    EXPECT_EQ(listed.Word(listed.Count() + 1), QString());
}

INSTANTIATE_TEST_SUITE_P(
    XMLUtils, ReadFromBytes,
    ::testing::Values(
        BytesCase{"List", "Item", "<L><Item>a</Item><Item>\"b\"</Item><Item>c</Item></L>"},
        BytesCase{"CaseBlind", "item", "<L><ITEM>a</item><Item>b</ITEM></L>"},
        BytesCase{"Prefixed", "Item", "<p:Item xmlns:p=\"u\">a</p:Item><p:Item xmlns:p=\"u\">b</p:Item>"},
        BytesCase{"CharactersBeyondAscii", "Item", "<L>ß<Item>€1</Item>日<Item>2</Item></L>"},
        BytesCase{"Unclosed", "Item", "<L><Item>a</Item><Item>b</L>"},
        BytesCase{"Nested", "Item", "<Item><Item>x</Item></Item>"},
        BytesCase{"ColonWithoutTag", "Item", "<L>a:Item</L>"},
        BytesCase{"Missing", "Item", "<L><Other>a</Other></L>"}),
    [](const ::testing::TestParamInfo<BytesCase>& info) { return std::string(info.param.name); });

} // namespace
