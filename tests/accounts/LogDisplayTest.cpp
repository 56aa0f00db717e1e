#include "accounts/LogDisplay.h"
#include "database/LogLines.h"
#include "support/TestWorld.h"

#include <gtest/gtest.h>

#include <random>

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

// The plain way to wrap: the shortest too-wide start found by halving
// exact measures, then the last blank before its last character.
QStringList PlainWrap(const QString& text, double width, const TextWidthMeasure& measure)
{
    QStringList items;
    const double usable = width * 0.95;
    const auto add = [&items](const QString& piece) {
        const QString trimmed = piece.trimmed();
        if (!trimmed.isEmpty())
            items << trimmed;
    };
    QString rest = text;
    while (measure(rest) > usable) {
        qsizetype low = 1;
        qsizetype high = rest.size();
        while (low < high) {
            const qsizetype mid = low + (high - low) / 2;
            if (measure(rest.left(mid)) > usable)
                high = mid;
            else
                low = mid + 1;
        }
        const qsizetype tooWide = low - 1;
        const qsizetype blank = tooWide > 0 ? rest.lastIndexOf(u' ', tooWide - 1) : -1;
        const qsizetype cut = blank >= 0 ? blank : std::max<qsizetype>(tooWide, 1);
        add(rest.left(cut));
        rest = rest.mid(blank >= 0 ? blank + 1 : cut);
    }
    add(rest);
    return items;
}

TEST(LogWrapping, BreaksWhereThePlainWayWouldWithOrWithoutQuickWidths)
{
    // Characters of uneven widths; the exact width takes a little off
    // after each "A", as kerning does, and the quick one does not.
    const auto advance = [](QChar c) { return c == u'i' ? 1.0 : c == u'W' ? 3.5 : c == u' ' ? 1.2 : 2.0; };
    const TextWidthMeasure quick = [&](const QString& text) {
        double width = 0;
        for (const QChar c : text)
            width += advance(c);
        return width;
    };
    const TextWidthMeasure exact = [&](const QString& text) { return quick(text) - 0.15 * text.count(u'A'); };
    std::mt19937 random(20240315);
    const QString alphabet = QStringLiteral("iWAab   ");
    for (int round = 0; round < 3000; ++round) {
        QString text;
        const int length = int(random() % 60);
        for (int i = 0; i < length; ++i)
            text += alphabet.at(int(random() % alphabet.size()));
        const double width = 2 + double(random() % 80);
        const QStringList expected = PlainWrap(text, width, exact);
        for (const bool withQuick : {false, true}) {
            QStringList items;
            WrappedList list{items, width, exact, withQuick ? quick : TextWidthMeasure()};
            AddWrappedListItem(list, text);
            ASSERT_EQ(items, expected) << '"' << text.toStdString() << "\" width " << width << " quick " << withQuick;
        }
    }
}

} // namespace
