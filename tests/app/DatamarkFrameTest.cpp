// Datamarks through the real frame: defined in the Define Datamark window,
// kept across closing and opening, drawn in the mark panel, cleared from
// its menu, and carried along by Save As.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/CMainFrame.h"
#include "calc/ui/CHexEditBox.h"
#include "display/ui/CHexWindow.h"
#include "marks/DatamarkDefinition.h"
#include "marks/DatamarkStore.h"
#include "marks/MarkCommandIds.h"
#include "marks/ui/CDatamarkPropertiesDialog.h"
#include "marks/ui/CDefineDatamarkDialog.h"
#include "settings/SettingKeys.h"
#include "tests/app/FrameFixture.h"

namespace {

using platform::MessageAnswer;

class DatamarkFrameTest : public testsupport::FrameFixture {
  protected:
    // The file opened, its stored datamarks taken into the view.
    CChildFrame& open(const std::string& path) {
        EXPECT_TRUE(frame->openDocument(path));
        frame->activeChild()->awaitDatamarks();
        return *frame->activeChild();
    }
    CDefineDatamarkDialog* defineDialog() const {
        return frame->findChild<CDefineDatamarkDialog*>();
    }
};

TEST_F(DatamarkFrameTest, DefinedByAdvancedFindKeptAndDrawnAfterReopening) {
    const std::string path = makeFile("marked.bin", std::string("\x00\x11\x22\xce\x42\x00", 6));
    CChildFrame& child = open(path);
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    child.view().setFocus();
    frame->updateCommands();
    QTest::keyClick(&child.view(), Qt::Key_F4, Qt::ControlModifier);
    CDefineDatamarkDialog* dialog = defineDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(dialog->isVisible());
    // The view takes no edits while the window is shown.
    EXPECT_TRUE(child.panel().data().isReadOnly());
    EXPECT_FALSE(dialog->nameBox()->isEnabled());

    dialog->findBox()->setHexText("CE ..");
    dialog->button(QStringLiteral("F"))->click();
    EXPECT_EQ(child.panel().state().selection.start, 3u);
    dialog->button(QStringLiteral("?"))->click();
    ASSERT_TRUE(dialog->nameBox()->isEnabled());
    QTest::keyClicks(dialog->nameBox(), QStringLiteral("Magic"));
    dialog->button(QStringLiteral("add"))->click();
    EXPECT_EQ(messages.shownIds().back(), marktext::kDefined);
    ASSERT_EQ(child.panel().datamarks().list().size(), 1u);
    EXPECT_TRUE(child.document().datamarksModified());
    dialog->button(QStringLiteral("exit"))->click();
    EXPECT_FALSE(child.panel().data().isReadOnly());

    settings.write(settings::bookmark::AutoSave, 0);
    messages.answer(MessageAnswer::Yes);
    ASSERT_TRUE(frame->closeDocument(child));
    EXPECT_EQ(messages.shownIds().back(), marktext::kConfirmSave);
    QApplication::processEvents();

    CChildFrame& again = open(path);
    const DatamarkList& list = again.panel().datamarks().list();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list.at(0).name, "Magic");
    EXPECT_EQ(list.at(0).position, 3u);
    EXPECT_EQ(list.at(0).findResultString, "ce 42 ");
    // Drawn in the first line with the first level's image.
    ASSERT_EQ(again.panel().state().datamarks.size(), 1u);
    EXPECT_EQ(again.panel().state().datamarks[0].imageId, viewimage::kDatamarkLevelBase);
    EXPECT_TRUE(again.panel().state().datamarks[0].levelShown);
}

TEST_F(DatamarkFrameTest, SaveAllStoresTheListAndClearAllDisconnects) {
    const std::string path = makeFile("list.bin", std::string(64, 'x'));
    DatamarkStore store(settings);
    CBmitemObj first;
    first.filePath = path;
    first.name = "first";
    first.normalDatamark = true;
    first.associations = {"#second"};
    CBmitemObj second = first;
    second.name = "second";
    second.position = 40;
    second.associations.clear();
    ASSERT_TRUE(store.saveDatamark(first));
    ASSERT_TRUE(store.saveDatamark(second));

    CChildFrame& child = open(path);
    ASSERT_EQ(child.panel().datamarks().list().size(), 2u);
    frame->updateCommands();
    EXPECT_TRUE(frame->action(cmd::SearchClearAllDatamarks)->isEnabled());
    EXPECT_TRUE(frame->action(cmd::SearchSaveAllDatamarks)->isEnabled());

    child.panel().datamarks().list().at(0).comment = "noted";
    frame->action(cmd::SearchSaveAllDatamarks)->trigger();
    EXPECT_EQ(store.loadDatamarks(path).datamarks.at(0).comment, "noted");
    EXPECT_FALSE(child.document().datamarksModified());

    int asked = 0;
    child.clearConfirmation() = ClearConfirmation(true, [&asked](bool, bool) {
        ++asked;
        return ClearConfirmation::Answer{true, true, true};
    });
    frame->action(cmd::SearchClearAllDatamarks)->trigger();
    EXPECT_EQ(asked, 1);  // "first" refers to "second", cleared first
    EXPECT_TRUE(child.panel().datamarks().list().empty());
    EXPECT_TRUE(child.document().datamarksModified());
    EXPECT_TRUE(child.panel().state().datamarks.empty());
    // The store keeps them until the document closes with saving.
    EXPECT_EQ(store.loadDatamarks(path).datamarks.size(), 2u);
    ASSERT_TRUE(frame->closeDocument(child));  // "Auto Save" is on
    EXPECT_TRUE(store.loadDatamarks(path).datamarks.empty());
}

TEST_F(DatamarkFrameTest, DamagedStoredDatamarksAreReportedOnceAtOpening) {
    const std::string path = makeFile("damaged.bin", std::string(8, 'x'));
    DatamarkStore store(settings);
    CBmitemObj far;
    far.filePath = path;
    far.name = "far";
    far.position = 100;
    ASSERT_TRUE(store.saveDatamark(far));
    far.name = "broken";
    ASSERT_TRUE(store.saveDatamark(far));
    settings.sectionKey(settings::section::Bookmark)
        .openSubkey("Bookmark Item\\FilePath0\\Name1")
        .deleteValue("Name");
    CChildFrame& child = open(path);
    ASSERT_EQ(messages.shownIds(), std::vector<int>{marktext::kDamagedOnLoad});
    EXPECT_THAT(messages.shown().back().text,
                testing::StartsWith("1 stored datamarks of this file are damaged"));
    EXPECT_THAT(messages.shown().back().text, testing::HasSubstr("; 1 lie beyond"));
    // Kept, but never hit in the mark column.
    EXPECT_EQ(child.panel().datamarks().list().size(), 1u);
    const auto column = child.panel().markPanel().getBounds();
    for (int y = 0; y < 200; ++y) {
        EXPECT_FALSE(child.panel().datamarkAt(column.x + column.width / 2, y).has_value());
    }
}

}  // namespace

namespace {

// A menu of the mark panel as a user opens it with `button`, choosing
// `entry` once it shows; returns the texts the menu held.
QStringList chooseFromMarkMenu(CChildFrame& child, const QPoint& at, const QString& entry,
                               Qt::MouseButton button) {
    // Looks for the menu until it shows, then chooses the entry.
    // The menu runs inside the click below, so `choose` outlives every retry.
    auto texts = std::make_shared<QStringList>();
    auto choose = std::make_shared<std::function<void()>>();
    const std::weak_ptr<std::function<void()>> self = choose;
    const auto retry = [self] {
        if (const auto again = self.lock()) {
            (*again)();
        }
    };
    *choose = [entry, retry, texts] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* menu = qobject_cast<QMenu*>(widget); menu != nullptr && menu->isVisible()) {
                for (QAction* item : menu->actions()) {
                    texts->append(item->text());
                }
                for (QAction* item : menu->actions()) {
                    if (item->text() == entry) {
                        EXPECT_TRUE(item->isEnabled()) << entry.toStdString();
                        menu->setActiveAction(item);
                        QTest::keyClick(menu, Qt::Key_Return);
                        return;
                    }
                }
                menu->close();
                return;
            }
        }
        QTimer::singleShot(20, retry);
    };
    QTimer::singleShot(20, retry);
    QTest::mouseClick(&child.view(), button, {}, at);
    return *texts;
}

void chooseFromBookmarkMenu(CChildFrame& child, const QPoint& at, const QString& entry) {
    chooseFromMarkMenu(child, at, entry, Qt::RightButton);
}

TEST_F(DatamarkFrameTest, TheBookmarkMenuOverADatamarkClearsIt) {
    const std::string path = makeFile("menu.bin", std::string(64, 'x'));
    DatamarkStore store(settings);
    CBmitemObj mark;
    mark.filePath = path;
    mark.name = "here";
    mark.normalDatamark = true;
    mark.position = 16;  // the second line
    ASSERT_TRUE(store.saveDatamark(mark));
    CChildFrame& child = open(path);
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    const auto column = child.panel().markPanel().getBounds();
    const int x = column.x + column.width / 2;
    int y = 0;
    while (y < 400 && !child.panel().datamarkAt(x, y)) {
        ++y;
    }
    ASSERT_LT(y, 400) << "no datamark square in the mark column";
    chooseFromBookmarkMenu(child, QPoint(x, y + 2), QStringLiteral("Clear Datamark"));
    EXPECT_TRUE(child.panel().datamarks().list().empty());
    EXPECT_TRUE(child.document().datamarksModified());
}

}  // namespace

namespace {

TEST_F(DatamarkFrameTest, TheFileShowsAtOnceAndItsDatamarksJoinFromTheWorker) {
    const std::string path = makeFile("later.bin", std::string(64, 'x'));
    DatamarkStore store(settings);
    CBmitemObj mark;
    mark.filePath = path;
    mark.name = "later";
    ASSERT_TRUE(store.saveDatamark(mark));
    ASSERT_TRUE(frame->openDocument(path));
    CChildFrame& child = *frame->activeChild();
    // Taken in on the user-interface thread only, from its event loop.
    EXPECT_TRUE(child.panel().datamarks().list().empty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !child.panel().datamarks().list().empty(); }, 5000));
    EXPECT_EQ(child.panel().state().datamarks.size(), 1u);
    child.awaitDatamarks();  // nothing left to wait for
    EXPECT_EQ(child.panel().datamarks().list().size(), 1u);
}

}  // namespace

namespace {

TEST_F(DatamarkFrameTest, PropertiesFromTheMenuShowTheStoredStrings) {
    const std::string path = makeFile("props.bin", std::string("\x00\xce\x42\x00", 4));
    DatamarkStore store(settings);
    CBmitemObj mark;
    mark.filePath = path;
    mark.name = "Stored";
    mark.comment = "kept between sessions";
    mark.position = 1;
    mark.findString = "ce ..";
    mark.findResultString = "ce 42 ";
    mark.operateString = "00 ";
    mark.operateResultString = "ce 42 ";
    mark.compareString = "ce 42 ";
    ASSERT_TRUE(store.saveDatamark(mark));
    CChildFrame& child = open(path);
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    const auto column = child.panel().markPanel().getBounds();
    const int x = column.x + column.width / 2;
    int y = 0;
    while (y < 400 && !child.panel().datamarkAt(x, y)) {
        ++y;
    }
    ASSERT_LT(y, 400);
    QStringList seen;
    QString validity;
    // Looks for the dialog until it shows, then reads it and presses OK.
    std::function<void()> inspect = [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* dialog = dynamic_cast<CDatamarkPropertiesDialog*>(widget);
                dialog != nullptr && dialog->isVisible()) {
                for (const QLineEdit* box : dialog->findChildren<QLineEdit*>()) {
                    seen.append(box->text());
                }
                validity = dialog->validityText()->text();
                dialog->nameBox()->setText(QStringLiteral("Changed"));
                dialog->okButton()->click();
                return;
            }
        }
        QTimer::singleShot(20, inspect);
    };
    QTimer::singleShot(20, inspect);
    chooseFromBookmarkMenu(child, QPoint(x, y + 2), QStringLiteral("Edit Properties..."));
    EXPECT_TRUE(seen.contains(QStringLiteral("ce ..")));
    EXPECT_TRUE(seen.contains(QStringLiteral("ce 42 ")));
    EXPECT_TRUE(seen.contains(QStringLiteral("Stored")));
    EXPECT_EQ(validity, QStringLiteral(" Valid Datamark"));
    EXPECT_EQ(child.panel().state().selection.start, 1u);  // the found bytes shown
    EXPECT_EQ(child.panel().datamarks().list().at(0).name, "Changed");
    EXPECT_TRUE(child.document().datamarksModified());
    // The store keeps the old name until the list is saved.
    EXPECT_EQ(store.loadDatamarks(path).datamarks.at(0).name, "Stored");
}

}  // namespace

namespace {

TEST_F(DatamarkFrameTest, F4InAssociationModeOpensTheOtherFileAtItsDatamark) {
    const std::string a = makeFile("a.bin", std::string(64, 'a'));
    const std::string b = makeFile("b.bin", std::string(64, 'b'));
    DatamarkStore store(settings);
    CBmitemObj start;
    start.filePath = a;
    start.name = "start";
    start.normalDatamark = true;
    start.position = 0;
    start.associations = {b + "#head"};
    CBmitemObj head;
    head.filePath = b;
    head.name = "Head";
    head.normalDatamark = true;
    head.position = 40;
    ASSERT_TRUE(store.saveDatamark(start));
    ASSERT_TRUE(store.saveDatamark(head));
    settings.write(settings::bookmark::BrowserStyle, 2);

    CChildFrame& first = open(a);
    frame->updateCommands();
    ASSERT_TRUE(frame->action(cmd::SearchNextDatamark)->isEnabled());
    frame->action(cmd::SearchNextDatamark)->trigger();  // no current one: by position
    EXPECT_EQ(first.panel().datamarks().list().currentDatamark(), 0u);
    frame->action(cmd::SearchNextDatamark)->trigger();  // its first association
    ASSERT_EQ(frame->children().size(), 2u);
    CChildFrame* second = frame->activeChild();
    EXPECT_EQ(second->document().path(), b);
    EXPECT_EQ(second->panel().caretOffset(), 40u);
    EXPECT_EQ(first.panel().datamarks().list().currentDatamark(), 0u);  // stays

    // A missing file is reported and nothing moves.
    first.panel().datamarks().list().at(0).associations = {dir.file("gone.bin") + "#x"};
    frame->closeDocument(*second);
    QApplication::processEvents();
    ASSERT_EQ(frame->activeChild(), &first);
    first.panel().gotoOffset(0);
    frame->action(cmd::SearchNextDatamark)->trigger();  // from the caret: "start" again
    frame->action(cmd::SearchNextDatamark)->trigger();
    EXPECT_THAT(messages.shown().back().text, testing::HasSubstr("gone.bin"));
    EXPECT_EQ(frame->children().size(), 1u);
    EXPECT_EQ(first.panel().datamarks().list().currentDatamark(), 0u);
}

}  // namespace

namespace {

// The window point at the centre of datamark `index`'s square.
QPoint squareOf(CChildFrame& child, std::size_t index) {
    const auto column = child.panel().markPanel().getBounds();
    const int x = column.x + column.width / 2;
    for (int y = 0; y < 600; ++y) {
        if (child.panel().datamarkAt(x, y) == index) {
            return {x, y + 5};
        }
    }
    ADD_FAILURE() << "no square for datamark " << index;
    return {};
}

TEST_F(DatamarkFrameTest, AClickOnADatamarkOffersItsAssociationsAndFollowsOne) {
    const std::string a = makeFile("source.bin", std::string(64, 'a'));
    const std::string b = makeFile("target.bin", std::string(64, 'b'));
    DatamarkStore store(settings);
    CBmitemObj start;
    start.filePath = a;
    start.name = "start";
    start.normalDatamark = true;
    start.position = 16;
    start.associations = {b + "#head", "#local", "#missing"};
    CBmitemObj local = start;
    local.name = "Local";
    local.position = 48;
    local.associations.clear();
    CBmitemObj head = local;
    head.filePath = b;
    head.name = "Head";
    head.position = 40;
    for (const CBmitemObj& d : {start, local, head}) {
        ASSERT_TRUE(store.saveDatamark(d));
    }
    CChildFrame& child = open(a);
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    const QString toOther = QString::fromStdString("Go To: " + b.substr(0, 5) + "...#head");

    // The left button: only the association entries; the missing one left out.
    QStringList shown = chooseFromMarkMenu(child, squareOf(child, 0),
                                           QStringLiteral("Go To: #local"), Qt::LeftButton);
    EXPECT_EQ(shown, QStringList({toOther, QStringLiteral("Go To: #local")}));
    EXPECT_EQ(child.panel().caretOffset(), 48u);
    EXPECT_EQ(child.panel().datamarks().list().currentDatamark(), 1u);

    // The right button: "Bookmark" with the same entries appended.
    shown = chooseFromMarkMenu(child, squareOf(child, 0), toOther, Qt::RightButton);
    EXPECT_TRUE(shown.contains(QStringLiteral("Clear Datamark")));
    EXPECT_EQ(shown.mid(shown.size() - 2), QStringList({toOther, QStringLiteral("Go To: #local")}));
    ASSERT_EQ(frame->children().size(), 2u);
    EXPECT_EQ(frame->activeChild()->document().path(), b);
    EXPECT_EQ(frame->activeChild()->panel().caretOffset(), 40u);

    // Without associations a click makes the datamark current.
    frame->closeDocument(*frame->activeChild());
    QApplication::processEvents();
    child.panel().gotoOffset(0);
    QTest::mouseClick(&child.view(), Qt::LeftButton, {}, squareOf(child, 1));
    EXPECT_EQ(child.panel().caretOffset(), 48u);
    EXPECT_EQ(child.panel().datamarks().list().currentDatamark(), 1u);
}

}  // namespace
