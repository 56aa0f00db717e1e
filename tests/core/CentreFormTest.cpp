#include "core/qt/CentreForm.h"

#include <QLabel>
#include <QMargins>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

// ---- the rule, under a window manager's frame ------------------------------

// A title bar of 20 pixels, as a common window manager draws it, on a
// 1280 x 1024 screen with a panel of 24 pixels at its top.
const QMargins TitleBar(1, 20, 1, 5);
const QRect Area(0, 24, 1280, 1000);

struct Placement {
    const char* name;
    QSize size;
    QPoint centre;
    QPoint frameTopLeft;
};

void PrintTo(const Placement& c, std::ostream* os)
{
    *os << c.name;
}

class FramePlaced : public ::testing::TestWithParam<Placement> {};

TEST_P(FramePlaced, CentredAndInsideTheArea)
{
    const Placement& c = GetParam();
    const QRect frame = FramePlacement(c.size, TitleBar, c.centre, Area);
    EXPECT_EQ(frame.size(), c.size.grownBy(TitleBar));
    EXPECT_EQ(frame.topLeft(), c.frameTopLeft);
}

INSTANTIATE_TEST_SUITE_P(
    FramePlacement, FramePlaced,
    ::testing::Values(Placement{"CentredWhereItFits", {400, 300}, {640, 512}, {640 - 201, 512 - 162}},
                      // The main menu at the top right corner opens a larger screen.
                      Placement{"BelowThePanelAndLeftOfTheRightEdge", {972, 830}, {1060, 196}, {1280 - 974, 24}},
                      Placement{"AboveTheBottomEdge", {400, 300}, {640, 1000}, {439, 1024 - 325}},
                      Placement{"TallerThanTheArea", {400, 1200}, {640, 512}, {439, 24}},
                      Placement{"LargerThanTheArea", {1400, 1200}, {1060, 196}, {0, 24}}),
    [](const ::testing::TestParamInfo<Placement>& info) { return std::string(info.param.name); });

// ---- where a window opens, on a screen with real frames ------------------

struct Opening {
    const char* name;
    std::optional<Qt::Corner> openerCorner; // where the opener's frame touches the area; none: no opener
    QSize size;              // given by resize(); empty: by its contents at show()
    bool created;            // its native window made before it is placed
};

void PrintTo(const Opening& c, std::ostream* os)
{
    *os << c.name;
}

class OpensWhole : public ::testing::TestWithParam<Opening> {
protected:
    // A window the size of its contents.
    static std::unique_ptr<QWidget> SizedByContents(const QSize& contents)
    {
        auto window = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window.get());
        auto* inside = new QLabel(QStringLiteral("contents"));
        inside->setMinimumSize(contents);
        layout->addWidget(inside);
        return window;
    }
};

// Qt's offscreen windows have a frame of a few pixels: enough to show a
// frame put past the screen's edge. Without an opener shown, the window is
// centred on the screen.
TEST_P(OpensWhole, TheFrameLiesInsideTheAvailableArea)
{
    const Opening& c = GetParam();
    QWidget opener;
    opener.resize(300, 200);
    opener.show();
    const QRect area = opener.screen()->availableGeometry();
    const QSize outer = opener.frameGeometry().size();
    const bool right = c.openerCorner == Qt::TopRightCorner || c.openerCorner == Qt::BottomRightCorner;
    const bool bottom = c.openerCorner == Qt::BottomLeftCorner || c.openerCorner == Qt::BottomRightCorner;
    opener.move(right ? area.right() + 1 - outer.width() : area.left(),
                bottom ? area.bottom() + 1 - outer.height() : area.top());
    opener.setVisible(c.openerCorner.has_value());

    std::unique_ptr<QWidget> window = c.size.isEmpty() ? SizedByContents({500, 400}) : std::make_unique<QWidget>();
    if (!c.size.isEmpty())
        window->resize(c.size);
    if (c.created)
        window->winId();
    CentreOver(*window, &opener);
    window->show();
    const QRect frame = window->frameGeometry();
    ASSERT_NE(frame, window->geometry()) << "a frame to keep inside";
    if (frame.width() > area.width() || frame.height() > area.height())
        EXPECT_EQ(frame.topLeft(), area.topLeft());
    else
        EXPECT_TRUE(area.contains(frame)) << QDebug::toString(frame).toStdString() << " outside "
                                          << QDebug::toString(area).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    CentreOver, OpensWhole,
    ::testing::Values(Opening{"FromTheTopRight", Qt::TopRightCorner, {600, 500}, false},
                      Opening{"FromTheTopRightSizedByItsContents", Qt::TopRightCorner, {}, false},
                      Opening{"FromTheBottomLeft", Qt::BottomLeftCorner, {600, 500}, false},
                      Opening{"FromTheBottomRightAlreadyCreated", Qt::BottomRightCorner, {600, 500}, true},
                      Opening{"FromTheTopLeftAlreadyCreated", Qt::TopLeftCorner, {}, true},
                      Opening{"LargerThanTheScreen", Qt::TopRightCorner, {2000, 1500}, false},
                      Opening{"CentredOnTheScreenLargerThanIt", std::nullopt, {2000, 1500}, false}),
    [](const ::testing::TestParamInfo<Opening>& info) { return std::string(info.param.name); });

} // namespace
