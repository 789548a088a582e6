#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "framework/NativeContainer.h"
#include "tests/support/RecordingGraphics.h"
#include "tests/support/RecordingNativeWindow.h"

namespace {

using testing::ElementsAre;
using testsupport::RecordingGraphics;

// Writes its name at its own (2, 3), so the origin in force shows.
class Label : public RealComponent {
  public:
    explicit Label(std::string text) : text_(std::move(text)) {}
    void paint(Graphics& graphics) override { graphics.textOut(2, 3, text_); }

  private:
    std::string text_;
};

class PaintingTest : public testing::Test {
  protected:
    testsupport::RecordingNativeWindow window{{400, 300}};
    NativeContainer root;
    Container panel;
    Label first{"first"};
    Label second{"second"};
    Label hidden{"hidden"};
    Label far{"far"};

    void SetUp() override {
        root.setNativeWindow(&window);
        root.setBounds(0, 0, 400, 300);
        root.setBackground(0xFFFFFF);
        panel.setBounds(10, 20, 300, 200);
        panel.setBackground(0x00FF00);
        first.setBounds(0, 0, 100, 16);
        second.setBounds(50, 10, 100, 16);  // overlaps first
        second.setForeground(0x0000FF);
        hidden.setBounds(0, 40, 100, 16);
        hidden.setVisible(false);
        far.setBounds(0, 180, 100, 16);
        panel.add(&first);
        panel.add(&second);
        panel.add(&hidden);
        panel.add(&far);
        root.add(&panel);
    }
};

TEST_F(PaintingTest, ChildrenPaintInInsertionOrderClippedAndAtTheirOrigin) {
    RecordingGraphics graphics({0, 0, 400, 300});
    root.paintWindow(graphics);
    EXPECT_THAT(graphics.texts(), ElementsAre("first", "second", "far"));
    const auto texts = graphics.callsOfKind("text");
    EXPECT_EQ(texts[0].bounds.x, 10 + 0 + 2);
    EXPECT_EQ(texts[0].bounds.y, 20 + 0 + 3);
    EXPECT_EQ(texts[1].bounds.x, 10 + 50 + 2);
    EXPECT_EQ(texts[1].clip, Rectangles(60, 30, 100, 16));
    EXPECT_EQ(texts[1].color, 0x0000FFu);       // its own foreground
    EXPECT_EQ(texts[0].background, 0x00FF00u);  // the panel's background is inherited
    // Backgrounds: the root's over the window, the panel's over its bounds.
    const auto fills = graphics.callsOfKind("fill");
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[0].bounds, Rectangles(0, 0, 400, 300));
    EXPECT_EQ(fills[1].bounds, Rectangles(10, 20, 300, 200));
    EXPECT_EQ(fills[1].color, 0x00FF00u);
    EXPECT_EQ(graphics.depth(), 0);  // every state it saved was restored
}

TEST_F(PaintingTest, OnlyChildrenMeetingTheClipBoxArePainted) {
    RecordingGraphics graphics({0, 195, 400, 30});
    root.paintWindow(graphics);
    EXPECT_THAT(graphics.texts(), ElementsAre("far"));
}

TEST_F(PaintingTest, ScrolledContentPaintsShifted) {
    root.setScrollExtent({400, 600});
    root.scrollTo({0, 15});
    RecordingGraphics graphics({0, 0, 400, 300});
    root.paintWindow(graphics);
    EXPECT_EQ(graphics.callsOfKind("text")[0].bounds.y, 20 + 3 - 15);
}

TEST_F(PaintingTest, RepaintRequestsBecomeInvalidationsOfTheWindow) {
    second.repaint();
    EXPECT_THAT(window.invalidated, ElementsAre(Rectangles(60, 30, 100, 16)));
    far.repaint({0, 0, 1000, 1000}, false);  // cut to the client area
    EXPECT_EQ(window.invalidated.back(), Rectangles(10, 200, 390, 100));
    root.setScrollExtent({400, 1000});
    root.scrollTo({0, 250});
    window.invalidated.clear();
    first.repaint();  // scrolled out of view
    EXPECT_TRUE(window.invalidated.empty());
}

TEST_F(PaintingTest, TheScrollRangeFollowsExtentAndClient) {
    root.setScrollUnit({8, 16});
    root.setScrollExtent({40, 100});  // 40 columns, 100 lines
    EXPECT_EQ(window.verticalMaximum, 100);
    EXPECT_EQ(window.verticalPage, 19);      // ceil(300 / 16)
    EXPECT_EQ(window.horizontalMaximum, 0);  // 400 / 8 = 50 columns cover 40
    EXPECT_EQ(window.horizontalPage, 50);

    root.scrollTo({0, 10});
    EXPECT_EQ(window.verticalPosition, 10);
    EXPECT_EQ(window.log.back(), "scroll 0,-160");
    root.scrollTo({0, 500});  // clamped to the last page
    EXPECT_EQ(root.getScrollPosition(), Point(0, 81));

    root.setScrollExtent({40, 10});  // the page now covers everything
    EXPECT_EQ(window.verticalMaximum, 0);
    EXPECT_EQ(root.getScrollPosition(), Point(0, 0));
}

TEST_F(PaintingTest, LightweightComponentsDoNotScroll) {
    EXPECT_EQ(first.getScrollUnit(), Point(1, 1));
    EXPECT_EQ(first.getScrollPosition(), Point(0, 0));
    EXPECT_EQ(first.getScrollExtent(), first.getSize());
    EXPECT_EQ(first.getNativeWindow(), nullptr);
    EXPECT_EQ(first.nativeContainer(), &root);
    EXPECT_EQ(second.locationInNative(), Point(60, 30));
}

TEST(NativeComponentTest, MovingItMovesItsWindowWithinTheLimits) {
    testsupport::RecordingNativeWindow rootWindow;
    testsupport::RecordingNativeWindow childWindow;
    NativeContainer root;
    root.setNativeWindow(&rootWindow);
    Container panel;
    panel.setBounds(5, 5, 100, 100);
    NativeComponent child;
    child.setNativeWindow(&childWindow);
    root.add(&panel);
    panel.add(&child);
    child.setBounds(20000, 1, 30, 40);
    EXPECT_EQ(child.getLocation(), Point(20000, 1));
    child.setLocation(10, 1);
    EXPECT_EQ(child.locationInNative(), Point(15, 6));
}

}  // namespace
