#include "reports/CommentLines.h"

#include <gtest/gtest.h>

namespace {

struct CommentCase {
    const char* name;
    QString comment;
    QList<int> lengths; // of the lines printed
};

class Comment : public testing::TestWithParam<CommentCase> {};

TEST_P(Comment, SplitsIntoPrintedLines)
{
    QList<int> lengths;
    for (const QString& line : CommentLines(GetParam().comment))
        lengths << int(line.size());
    EXPECT_EQ(lengths, GetParam().lengths);
}

INSTANTIATE_TEST_SUITE_P(
    ResponsePage, Comment,
    testing::Values(CommentCase{"Empty", "", {0}}, CommentCase{"Short", "abc", {3}},
                    CommentCase{"Exactly101", QString(101, 'a'), {101, 0}},
                    CommentCase{"Chars100", QString(100, 'a'), {100}},
                    CommentCase{"Chars102", QString(102, 'a'), {101, 1}},
                    CommentCase{"Chars250", QString(250, 'a'), {101, 101, 48}},
                    CommentCase{"LineBreaksDropTheLineFeed", "ab\r\ncd", {2, 2}},
                    CommentCase{"ControlCharactersDropped", QStringLiteral("a\tb\x01" "c"), {3}},
                    CommentCase{"SevenLinesPrintFive", "1\r2\r3\r4\r5\r6\r7", {1, 1, 1, 1, 1}},
                    CommentCase{"EndingWithABreak", "ab\r", {2, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ResponsePage, CommentKeepsItsText)
{
    EXPECT_EQ(CommentLines(QStringLiteral("Seen at\r\nthe depot")), (QStringList{"Seen at", "the depot"}));
}

} // namespace
