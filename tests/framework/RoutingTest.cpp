#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/NativeContainer.h"
#include "tests/support/RecordingNativeWindow.h"

namespace {

using Kind = NativeMouseMessage::Kind;
using testing::ElementsAre;

// Writes "<who> <event> x,y" for every mouse event, "<who> key <id> <code>"
// for keys, "<who> popup" for popup triggers.
class EventLog : public MouseListener, public MouseMotionListener, public KeyListener {
  public:
    EventLog(std::vector<std::string>& lines, std::string who)
        : lines_(lines), who_(std::move(who)) {}
    void mouseClicked(MouseEvent& e) override { log("clicked", e); }
    void mouseDoubleClicked(MouseEvent& e) override { log("double", e); }
    void mousePressed(MouseEvent& e) override { log("pressed", e); }
    void mouseReleased(MouseEvent& e) override { log("released", e); }
    void mouseEntered(MouseEvent& e) override { log("entered", e); }
    void mouseExited(MouseEvent& e) override { log("exited", e); }
    void mouseMoved(MouseEvent& e) override { log("moved", e); }
    void mouseDragged(MouseEvent& e) override { log("dragged", e); }
    void keyTyped(KeyEvent& e) override { logKey(e); }
    void keyPressed(KeyEvent& e) override { logKey(e); }
    void keyReleased(KeyEvent& e) override { logKey(e); }

  private:
    void log(const char* what, MouseEvent& e) {
        lines_.push_back(who_ + " " + what + " " + std::to_string(e.getX()) + "," +
                         std::to_string(e.getY()));
    }
    void logKey(KeyEvent& e) {
        lines_.push_back(who_ + " key " + std::to_string(e.getId()) + " " +
                         std::to_string(e.getKeyCode()));
    }
    std::vector<std::string>& lines_;
    std::string who_;
};

class PopupPanel : public Container {
  public:
    explicit PopupPanel(std::vector<std::string>& lines) : lines_(lines) {}
    void popupTriggered(MouseEvent& e) override {
        lines_.push_back("panel popup " + std::to_string(e.getX()) + "," +
                         std::to_string(e.getY()));
    }

  private:
    std::vector<std::string>& lines_;
};

// A native container 400 x 300 with two panels side by side, the left one
// holding a small box; the right one takes no mouse events.
class RoutingTest : public testing::Test {
  protected:
    std::vector<std::string> lines;
    testsupport::RecordingNativeWindow window;
    NativeContainer root;
    PopupPanel left{lines};
    RealComponent box;
    Container right;
    EventLog rootLog{lines, "root"};
    EventLog leftLog{lines, "left"};
    EventLog boxLog{lines, "box"};

    void SetUp() override {
        root.setNativeWindow(&window);
        root.setBounds(0, 0, 400, 300);
        left.setBounds(0, 0, 200, 300);
        box.setBounds(50, 50, 20, 20);
        right.setBounds(200, 0, 200, 300);
        left.add(&box);
        root.add(&left);
        root.add(&right);
        root.addMouseListener(&rootLog);
        root.addMouseMotionListener(&rootLog);
        root.addKeyListener(&rootLog);
        left.addMouseListener(&leftLog);
        left.addMouseMotionListener(&leftLog);
        left.addKeyListener(&leftLog);
        box.addMouseListener(&boxLog);
        box.addMouseMotionListener(&boxLog);
    }

    void mouse(Kind kind, int x, int y, std::uint32_t modifiers = 0, bool over = true) {
        root.handleMouse({kind, x, y, modifiers, over});
    }
};

TEST_F(RoutingTest, EventsReachTheDeepestComponentInItsOwnCoordinates) {
    mouse(Kind::Move, 55, 60);
    mouse(Kind::LeftDown, 55, 60, modifier::LeftButton);
    mouse(Kind::LeftUp, 55, 60);
    EXPECT_THAT(lines, ElementsAre("box entered 5,10", "box moved 5,10", "box pressed 5,10",
                                   "box released 5,10", "box clicked 5,10"));
}

TEST_F(RoutingTest, MovingBetweenComponentsExitsOneAndEntersTheOther) {
    mouse(Kind::Move, 10, 10);
    mouse(Kind::Move, 55, 55);
    mouse(Kind::Move, 10, 20);
    EXPECT_THAT(lines, ElementsAre("left entered 10,10", "left moved 10,10", "left exited 55,55",
                                   "box entered 5,5", "box moved 5,5", "box exited -40,-30",
                                   "left entered 10,20", "left moved 10,20"));
}

TEST_F(RoutingTest, AComponentWithoutTheMouseBitLeavesThePressToTheContainer) {
    mouse(Kind::LeftDown, 250, 40, modifier::LeftButton);
    EXPECT_THAT(lines, ElementsAre("root pressed 250,40"));
}

TEST_F(RoutingTest, DragWithTheLeftButtonAndTheCaptureOfTheGesture) {
    mouse(Kind::LeftDown, 10, 10, modifier::LeftButton);
    EXPECT_TRUE(window.captured);
    mouse(Kind::Move, 12, 10, modifier::LeftButton);
    mouse(Kind::LeftUp, 12, 10);
    EXPECT_FALSE(window.captured);
    EXPECT_THAT(lines, ElementsAre("left pressed 10,10", "left dragged 12,10",
                                   "left released 12,10", "left clicked 12,10"));
    EXPECT_THAT(window.log, ElementsAre("capture on", "capture off"));
}

TEST_F(RoutingTest, TheGrabHolderGetsEverythingUntilTheGestureEnds) {
    mouse(Kind::LeftDown, 55, 55, modifier::LeftButton);
    root.setMouseGrab(&box);  // the box takes the grab during its press
    lines.clear();
    mouse(Kind::Move, 300, 10, modifier::LeftButton);
    mouse(Kind::Move, 900, 900, modifier::LeftButton, false);  // outside the window
    mouse(Kind::LeftUp, 900, 900, 0, false);
    EXPECT_THAT(lines,
                ElementsAre("box dragged 250,-40", "box dragged 850,850", "box released 850,850",
                            "box clicked 850,850", "box exited 850,850"));
    EXPECT_EQ(root.getMouseGrab(), nullptr);
    EXPECT_FALSE(window.captured);
}

TEST_F(RoutingTest, AMessageOutsideTheWindowWithoutGrabEndsTheGesture) {
    mouse(Kind::Move, 10, 10);
    lines.clear();
    mouse(Kind::Move, 500, 10, 0, false);
    EXPECT_THAT(lines, ElementsAre("left exited 500,10"));
    mouse(Kind::Move, 10, 10);
    EXPECT_THAT(lines, ElementsAre("left exited 500,10", "left entered 10,10", "left moved 10,10"));
}

TEST_F(RoutingTest, RightButtonUpTriggersThePopupAndDoubleClicksAreTheirOwnEvent) {
    mouse(Kind::RightDown, 20, 30, modifier::RightButton);
    mouse(Kind::RightUp, 20, 30);
    mouse(Kind::LeftDoubleClick, 21, 31, modifier::LeftButton);
    EXPECT_THAT(lines, ElementsAre("left pressed 20,30", "panel popup 20,30", "left double 21,31"));
}

TEST_F(RoutingTest, ScrolledContentIsHitWhereItIsShown) {
    root.setScrollExtent({400, 600});
    root.scrollTo({0, 30});  // content 30 pixels up: the box shows at client y 20..39
    mouse(Kind::LeftDown, 55, 25, modifier::LeftButton);
    mouse(Kind::LeftUp, 55, 25);
    mouse(Kind::LeftDown, 55, 45, modifier::LeftButton);
    EXPECT_THAT(lines, ElementsAre("box pressed 5,5", "box released 5,5", "box clicked 5,5",
                                   "box exited 5,25", "left pressed 55,75"));
}

TEST_F(RoutingTest, KeysGoToTheCaretHolderOrElseTheContainer) {
    root.handleKey(eventid::KeyPressed, 0x25, 0);
    root.setCaretHolder(&left);
    root.handleKey(eventid::KeyTyped, 'a', 0);
    root.handleKey(eventid::KeyReleased, 0x25, 0);
    left.removeKeyListener(&leftLog);
    root.handleKey(eventid::KeyPressed, 0x26, 0);  // processed by the holder, which has no listener
    EXPECT_THAT(lines, ElementsAre("root key 257 37", "left key 256 97", "left key 258 37"));
}

TEST_F(RoutingTest, AForgottenTargetGetsNoExit) {
    mouse(Kind::Move, 55, 55);
    left.remove(&box);
    lines.clear();
    mouse(Kind::Move, 10, 10);
    EXPECT_THAT(lines, ElementsAre("left entered 10,10", "left moved 10,10"));
}

}  // namespace
