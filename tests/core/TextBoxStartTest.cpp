#include "core/qt/TextBoxStart.h"

#include <QApplication>
#include <QCompleter>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString Long = QStringLiteral("{Anonymised 07-Dec-26} and more besides");

struct Case {
    const char* name;
    std::function<void(QLineEdit&)> act; // on a shown, narrow box
    int caret;                           // -1: after the last character
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

class WhereTheCaretIs : public ::testing::TestWithParam<Case> {
protected:
    WhereTheCaretIs()
    {
        ShowProgramTextsFromTheStart();
        box.setFixedWidth(60);
        box.show();
    }
    QLineEdit box;
};

TEST_P(WhereTheCaretIs, ProgramTextsStartAtTheirBeginningTypingStaysWhereItIs)
{
    const Case& c = GetParam();
    c.act(box);
    EXPECT_EQ(box.cursorPosition(), c.caret < 0 ? box.text().size() : c.caret) << box.text().toStdString();
}

void Type(QLineEdit& box, const char* keys)
{
    QApplication::setActiveWindow(&box);
    box.setFocus();
    QTest::keyClicks(&box, QLatin1String(keys));
}

void PressEnd(QLineEdit& box)
{
    Type(box, "");
    QTest::keyClick(&box, Qt::Key_End);
}

INSTANTIATE_TEST_SUITE_P(
    TextBoxStart, WhereTheCaretIs,
    ::testing::Values(
        Case{"SetByProgram", [](QLineEdit& box) { box.setText(Long); }, 0},
        Case{"SetByProgramIntoTheBoxBeingTyped",
             [](QLineEdit& box) {
                 Type(box, "AB");
                 box.setText(Long);
             },
             0},
        // Qt moves the caret to the end and tells no change.
        Case{"SetAgainWithTheSameText",
             [](QLineEdit& box) {
                 box.setText(Long);
                 box.setText(Long);
             },
             0},
        Case{"SetAgainAfterTheUserLeftTheBox",
             [](QLineEdit& box) {
                 box.setText(Long);
                 Type(box, "X");
                 box.clearFocus();
                 box.setText(box.text());
             },
             0},
        Case{"Typed", [](QLineEdit& box) { Type(box, "A long text typed by the user"); }, -1},
        Case{"EndPressedInAProgramText",
             [](QLineEdit& box) {
                 box.setText(Long);
                 PressEnd(box);
             },
             -1},
        // A display box the user may click into, but that never takes the
        // focus.
        Case{"ClickedAfterTheTextOfABoxThatTakesNoFocus",
             [](QLineEdit& box) {
                 box.setReadOnly(true);
                 box.setFocusPolicy(Qt::NoFocus);
                 box.setText(QStringLiteral("AB"));
                 QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(box.width() - 4, box.height() / 2));
             },
             2},
        // As the screens' mark boxes do: the box's text is put into
        // capitals as it is typed, the caret kept.
        Case{"TypedIntoCapitals",
             [](QLineEdit& box) {
                 QObject::connect(&box, &QLineEdit::textEdited, &box, [&box](const QString& text) {
                     const int caret = box.cursorPosition();
                     box.setText(text.toUpper());
                     box.setCursorPosition(caret);
                 });
                 Type(box, "ab12 cde");
             },
             -1},
        Case{"TypedAfterAProgramText",
             [](QLineEdit& box) {
                 box.setText(Long);
                 PressEnd(box);
                 Type(box, "X");
             },
             -1},
        Case{"Undone",
             [](QLineEdit& box) {
                 box.setText(Long);
                 PressEnd(box);
                 Type(box, "X");
                 QTest::keyClick(&box, Qt::Key_Z, Qt::ControlModifier);
             },
             int(Long.size())},
        // Qt's own file and print dialogs put the proposal of their popup
        // in as the user types on.
        Case{"SetByACompleter",
             [](QLineEdit& box) {
                 box.setCompleter(new QCompleter(QStringList{Long}, &box));
                 box.setText(Long);
             },
             -1}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(TextBoxStart, ATextSetBeforeTheBoxIsFirstShownShowsItsBeginning)
{
    ShowProgramTextsFromTheStart();
    QLineEdit box;
    box.setFixedWidth(60);
    box.setText(Long);
    box.show();
    EXPECT_EQ(box.cursorPosition(), 0);
}

} // namespace
