#include "accounts/LogDisplay.h"
#include "database/LogLines.h"
#include "support/TestWorld.h"

#include <gtest/gtest.h>

namespace {

// One unit per character; a list 20 wide has 19 usable.
class LogDisplayTest : public ::testing::Test {
protected:
    void AddLine(int32_t run, int16_t code, const QString& text, const QString& user = {})
    {
        auto line = std::make_shared<LogLine>();
        line->SetRunNumber(run);
        line->SetEventCode(code);
        line->SetEventText(text);
        line->SetUserName(user);
        line->SetComputerName("TESTPC");
        line->SetTimeOfEvent(QDateTime(QDate(2024, 3, 15), QTime(10, 30, 5)));
        log.Add(line);
    }

    TestWorld world;
    LogLines log;
    QStringList items;
    WrappedList list{items, 20, [](const QString& text) { return double(text.size()); }};
};

TEST_F(LogDisplayTest, FiltersByEventBitsAndHeadsEachRun)
{
    AddLine(7, EventCodes::Start, "Go", "Bob");
    AddLine(7, EventCodes::Error, "Bad");
    AddLine(8, EventCodes::Warning, "Hm");
    list.Width = 100;
    FormatLogForDisplay(list, log, true, int16_t(EventCodes::Start | EventCodes::Warning));
    EXPECT_EQ(items, (QStringList{"Run Number: 7 (from Bob on TESTPC)",
                                  "15/03/2024 10:30:05 Start Go",
                                  "Run Number: 8",
                                  "15/03/2024 10:30:05 W Hm"}));

    FormatLogForDisplay(list, log, false, int16_t(EventCodes::Error));
    EXPECT_EQ(items, QStringList{"E Bad"});
    FormatLogForDisplay(list, log, false, int16_t(EventCodes::Fatal));
    EXPECT_EQ(items, QStringList{"No items"});
}

TEST_F(LogDisplayTest, WrapsAtTheLastBlankAndBreaksLongWordsWithoutLosingCharacters)
{
    AddWrappedListItem(list, "the quick brown fox jumps over");
    EXPECT_EQ(items, (QStringList{"the quick brown", "fox jumps over"}));

    items.clear();
    const QString word = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcdef";
    AddWrappedListItem(list, word);
    EXPECT_EQ(items.join(QString()), word);
    for (const QString& item : items)
        EXPECT_LE(item.size(), 19);

    items.clear();
    AddWrappedListItem(list, QString());
    EXPECT_TRUE(items.isEmpty());
}

} // namespace
