// The workspace dock in the real frame, with the home folder pointed at a
// folder of the test's own: opening from the tree, following the active
// document, renaming and trashing through the context menu.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QProcess>
#include <QThread>
#include <QTimer>
#include <QLabel>
#include <QPushButton>
#include <QMenu>
#include <QTest>
#include <QTreeView>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <mutex>

#include "app/CChildFrame.h"
#include "app/CFileProperties.h"
#include "app/CInsertDiskDialog.h"
#include "app/CWorkSpace.h"
#include "app/CommandIds.h"
#include "settings/SettingKeys.h"
#include "tests/app/FrameFixture.h"

namespace {

namespace fs = std::filesystem;

// The home folder and the data folder point into a temporary folder while
// the test runs, so the tree's first root and the trash are the test's.
class HomeScope {
  public:
    HomeScope(const std::string& home, const std::string& data) {
        for (const char* name : {"HOME", "XDG_DATA_HOME"}) {
            const char* value = std::getenv(name);
            saved_.emplace_back(name, value != nullptr ? std::optional<std::string>(value)
                                                       : std::nullopt);
        }
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_DATA_HOME", data.c_str(), 1);
    }
    ~HomeScope() {
        for (const auto& [name, value] : saved_) {
            if (value) {
                setenv(name, value->c_str(), 1);
            } else {
                unsetenv(name);
            }
        }
    }

  private:
    std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

class WorkspaceFrameTest : public testsupport::FrameFixture {
  protected:
    std::unique_ptr<HomeScope> home;

    void SetUp() override {
        fs::create_directories(dir.file("home/docs"));
        fs::create_directories(dir.file("data"));
        testsupport::writeFile(dir.file("home/docs/one.bin"), "one");
        testsupport::writeFile(dir.file("home/docs/two.bin"), "two");
        home = std::make_unique<HomeScope>(dir.file("home"), dir.file("data"));
        FrameFixture::SetUp();
    }
    void TearDown() override {
        frame.reset();
        home.reset();
    }
    CWorkSpace& workspace() { return *frame->workspace(); }
    // The tree's item of `path`, listed down to it.
    QModelIndex itemOf(const std::string& path) {
        workspace().selectPath(path, true);
        return workspace().treeView().currentIndex();
    }
    std::string pathOf(const QModelIndex& index) {
        return workspace().model().tree().pathOf(WorkspaceModel::nodeOf(index));
    }
    void choose(int node, int id) {
        QMenu* menu = workspace().contextMenu(node);
        for (QAction* entry : menu->actions()) {
            if (entry->data().toInt() == id) {
                ASSERT_TRUE(entry->isEnabled()) << entry->text().toStdString();
                entry->trigger();
                return;
            }
        }
        FAIL() << "no entry " << id;
    }
};

TEST_F(WorkspaceFrameTest, HomeComesFirstAndADoubleClickOpensTheFile) {
    const WorkspaceTree& tree = workspace().model().tree();
    ASSERT_GE(tree.roots().size(), 2u);
    EXPECT_EQ(tree.node(tree.roots()[0]).name, dir.file("home"));
    EXPECT_EQ(tree.node(tree.roots()[1]).name, "/");
    EXPECT_EQ(workspace().windowTitle(), QStringLiteral("Workspace"));
    EXPECT_TRUE(frame->action(cmd::ViewWorkspace)->isChecked());

    const QModelIndex one = itemOf(dir.file("home/docs/one.bin"));
    ASSERT_EQ(pathOf(one), dir.file("home/docs/one.bin"));
    QTreeView& view = workspace().treeView();
    view.scrollTo(one);
    const QPoint at = view.visualRect(one).center();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, at);
    ASSERT_NE(frame->activeChild(), nullptr);
    EXPECT_EQ(frame->activeChild()->document().path(), dir.file("home/docs/one.bin"));

    // Opening another file selects it in the tree.
    ASSERT_TRUE(frame->openDocument(dir.file("home/docs/two.bin")));
    EXPECT_EQ(pathOf(view.currentIndex()), dir.file("home/docs/two.bin"));

    // The View command hides and shows the dock.
    frame->action(cmd::ViewWorkspace)->trigger();
    EXPECT_TRUE(workspace().isHidden());
    EXPECT_FALSE(frame->action(cmd::ViewWorkspace)->isChecked());
    frame->action(cmd::ViewWorkspace)->trigger();
    EXPECT_FALSE(workspace().isHidden());
}

TEST_F(WorkspaceFrameTest, RenameNeverReplacesAndOtherCaseDoesNothing) {
    WorkspaceModel& model = workspace().model();
    const QModelIndex one = itemOf(dir.file("home/docs/one.bin"));
    EXPECT_FALSE(model.setData(one, QStringLiteral("ONE.BIN"), Qt::EditRole));
    EXPECT_TRUE(fs::exists(dir.file("home/docs/one.bin")));
    EXPECT_TRUE(messages.shown().empty());

    EXPECT_FALSE(model.setData(one, QStringLiteral("two.bin"), Qt::EditRole));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_NE(messages.shown().back().text.find("File exists"), std::string::npos);
    EXPECT_EQ(testsupport::readFile(dir.file("home/docs/one.bin")), "one");
    EXPECT_EQ(testsupport::readFile(dir.file("home/docs/two.bin")), "two");

    EXPECT_FALSE(model.setData(one, QStringLiteral("a/b"), Qt::EditRole));
    EXPECT_EQ(messages.shown().size(), 2u);

    ASSERT_TRUE(model.setData(one, QStringLiteral("zero.bin"), Qt::EditRole));
    EXPECT_EQ(testsupport::readFile(dir.file("home/docs/zero.bin")), "one");
    QCoreApplication::processEvents();
    const QModelIndex renamed = workspace().treeView().currentIndex();
    EXPECT_EQ(pathOf(renamed), dir.file("home/docs/zero.bin"));
    EXPECT_EQ(renamed.row(), 1);  // after two.bin
}

TEST_F(WorkspaceFrameTest, DeleteGoesToTheTrashAndAFailureSaysSo) {
    const QModelIndex one = itemOf(dir.file("home/docs/one.bin"));
    const int node = WorkspaceModel::nodeOf(one);
    choose(node, CWorkSpace::kDelete);
    EXPECT_FALSE(fs::exists(dir.file("home/docs/one.bin")));
    EXPECT_EQ(testsupport::readFile(dir.file("data/Trash/files/one.bin")), "one");
    EXPECT_TRUE(fs::exists(dir.file("data/Trash/info/one.bin.trashinfo")));
    EXPECT_FALSE(workspace().model().tree().node(node).alive);

    // A file gone behind the tree's back cannot be trashed: the user is told.
    const QModelIndex two = itemOf(dir.file("home/docs/two.bin"));
    fs::remove(dir.file("home/docs/two.bin"));
    choose(WorkspaceModel::nodeOf(two), CWorkSpace::kDelete);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_NE(messages.shown().back().text.find("trash"), std::string::npos);

    // A name that is not UTF-8 is shown with replacement characters, yet
    // trashed by its bytes, its record giving the path byte for byte.
    const std::string odd = dir.file("home/docs/n\xff" "me");
    testsupport::writeFile(odd, "odd");
    const QModelIndex oddItem = itemOf(odd);
    ASSERT_EQ(pathOf(oddItem), odd);
    EXPECT_TRUE(oddItem.data().toString().contains(QChar(0xFFFD)));
    choose(WorkspaceModel::nodeOf(oddItem), CWorkSpace::kDelete);
    EXPECT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(testsupport::readFile(dir.file("data/Trash/files/n\xff" "me")), "odd");
    EXPECT_NE(testsupport::readFile(dir.file("data/Trash/info/n\xff" "me.trashinfo")).find("n%FFme"),
              std::string::npos);

    // Roots are neither deleted nor renamed; without an item only nothing opens.
    QMenu* menu = workspace().contextMenu(workspace().model().tree().roots()[0]);
    for (QAction* entry : menu->actions()) {
        const int id = entry->data().toInt();
        if (id == CWorkSpace::kDelete || id == CWorkSpace::kRename || id == CWorkSpace::kOpen) {
            EXPECT_FALSE(entry->isEnabled()) << id;
        }
    }
}

// The names under a folder's item, as the model shows them.
int rowsUnder(WorkspaceModel& model, const QModelIndex& folder) {
    return model.rowCount(folder);
}

TEST_F(WorkspaceFrameTest, AWatchedExpandedFolderFollowsChangesByItself) {
    QTreeView& view = workspace().treeView();
    WorkspaceModel& model = workspace().model();
    const QModelIndex docs = itemOf(dir.file("home/docs"));
    view.expand(docs);
    ASSERT_EQ(rowsUnder(model, docs), 2);

    // Unwatched: a new file shows only when the folder is expanded again.
    testsupport::writeFile(dir.file("home/docs/three.bin"), "");
    QTest::qWait(300);
    EXPECT_EQ(rowsUnder(model, docs), 2);
    view.collapse(docs);
    view.expand(docs);
    EXPECT_EQ(rowsUnder(model, docs), 3);

    const int home = 0;
    workspace().setWatched(home, true);
    ASSERT_TRUE(workspace().isWatched(home));
    EXPECT_TRUE(workspace().contextMenu(WorkspaceModel::nodeOf(docs))->actions().front()->isChecked());
    testsupport::writeFile(dir.file("home/docs/four.bin"), "");
    EXPECT_TRUE(QTest::qWaitFor([&] { return rowsUnder(model, docs) == 4; }, 5000));
    fs::remove(dir.file("home/docs/one.bin"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return rowsUnder(model, docs) == 3; }, 5000));

    // A burst of 10,000 new files is a handful of notifications, not 10,000.
    const int before = workspace().notificationsHandled();
    for (int i = 0; i < 10000; ++i) {
        testsupport::writeFile(dir.file("home/docs/n" + std::to_string(i)), "");
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return rowsUnder(model, docs) == 10003; }, 20000));
    EXPECT_LT(workspace().notificationsHandled() - before, 50);

    workspace().setWatched(home, false);
    EXPECT_FALSE(workspace().isWatched(home));
}

TEST_F(WorkspaceFrameTest, AMountComingAndGoingAddsAndRemovesItsRoot) {
    const std::string slash = "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n";
    const std::string stick =
        "50 1 8:33 / /run/media/ann/STICK rw - vfat /dev/sdc1 rw\n"
        "51 1 0:60 / /srv/share rw - nfs4 host:/x rw\n";
    const WorkspaceTree& tree = workspace().model().tree();
    workspace().applyMountTable(platform::parseMountTable(slash));
    ASSERT_EQ(tree.drives().size(), 2u);
    const int homeNode = tree.roots()[0];
    const QModelIndex docs = itemOf(dir.file("home/docs"));
    workspace().treeView().expand(docs);

    settings.write(settings::general::MonitorFileChanges, 1);
    workspace().applyMountTable(platform::parseMountTable(slash + stick));
    ASSERT_EQ(tree.drives().size(), 4u);
    EXPECT_EQ(tree.drives()[2].path, "/run/media/ann/STICK");
    EXPECT_EQ(tree.drives()[2].type, DriveType::Removable);
    EXPECT_EQ(tree.drives()[3].path, "/srv/share");
    EXPECT_TRUE(workspace().isWatched(3));   // a network drive, watched on arrival
    EXPECT_FALSE(workspace().isWatched(2));  // removable drives are not
    EXPECT_EQ(tree.roots()[0], homeNode);    // home kept its listed subtree
    EXPECT_TRUE(workspace().treeView().isExpanded(itemOf(dir.file("home/docs"))));

    workspace().applyMountTable(platform::parseMountTable(slash));
    EXPECT_EQ(tree.drives().size(), 2u);
    EXPECT_EQ(workspace().watcherOf(3), nullptr);
}

TEST_F(WorkspaceFrameTest, InsertDiskWaitsForAVolumeAndClosesByItself) {
    int polls = 0;
    CInsertDiskDialog dialog("sr0", true, [&polls] { return ++polls >= 2; }, frame.get(), 30);
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("message"))->text(),
              QStringLiteral("Please insert a disk to driver sr0."));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Insert Disk"));
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(polls, 2);
    EXPECT_TRUE(dialog.okButton()->isHidden());
    EXPECT_EQ(dialog.cursor().shape(), Qt::WaitCursor);
    EXPECT_EQ(dialog.cancelButton()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(WorkspaceFrameTest, ARemovableDriveWithoutItsVolumeAsksAndListsNothing) {
    // An optical drive whose mount is not in the real table: no volume.
    fs::create_directories(dir.file("stick/data"));
    const std::string table = "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
                              "60 1 11:9 / " + dir.file("stick") + " ro - iso9660 /dev/sr9 ro\n";
    workspace().applyMountTable(platform::parseMountTable(table));
    const WorkspaceTree& tree = workspace().model().tree();
    ASSERT_EQ(tree.drives().size(), 3u);
    ASSERT_EQ(tree.drives()[2].path, dir.file("stick"));
    // The real table has no such mount, so the volume counts as gone.
    int asked = 0;
    workspace().askForVolume = [&asked](const DriveRoot&) {
        ++asked;
        return false;
    };
    const QModelIndex stick = workspace().model().indexOf(tree.roots()[2]);
    workspace().treeView().expand(stick);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(workspace().model().rowCount(stick), 0);
    EXPECT_TRUE(workspace().model().hasChildren(stick));  // it may be tried again
}

// A file manager on the session bus that answers ShowItemProperties and
// writes down the URIs it was given. It lives on a thread of its own, so the
// program's blocking call can be answered.
class FakeFileManager : public QDBusVirtualObject {
  public:
    QString introspect(const QString&) const override {
        return QStringLiteral(
            "<interface name=\"org.freedesktop.FileManager1\">"
            "<method name=\"ShowItemProperties\"><arg name=\"uris\" type=\"as\" direction=\"in\"/>"
            "<arg name=\"startup\" type=\"s\" direction=\"in\"/></method></interface>");
    }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.member() != QStringLiteral("ShowItemProperties")) {
            return false;
        }
        {
            const std::lock_guard lock(mutex);
            uris = message.arguments().value(0).toStringList();
        }
        connection.send(message.createReply());
        return true;
    }
    std::mutex mutex;
    QStringList uris;
};

TEST_F(WorkspaceFrameTest, PropertiesGoToTheFileManagerOnTheSessionBus) {
    QProcess daemon;
    daemon.start(QStringLiteral("dbus-daemon"),
                 {QStringLiteral("--session"), QStringLiteral("--nofork"),
                  QStringLiteral("--print-address=1")});
    ASSERT_TRUE(daemon.waitForReadyRead(10000)) << "dbus-daemon did not start";
    const QByteArray address = daemon.readLine().trimmed();
    // The program's session bus is made on first use, which is below.
    qputenv("DBUS_SESSION_BUS_ADDRESS", address);
    QDBusConnection fake = QDBusConnection::connectToBus(QString::fromLatin1(address),
                                                         QStringLiteral("fake file manager"));
    ASSERT_TRUE(fake.isConnected());
    QThread service;
    FakeFileManager manager;
    manager.moveToThread(&service);
    service.start();
    ASSERT_TRUE(fake.registerVirtualObject(QStringLiteral("/org/freedesktop/FileManager1"),
                                           &manager));
    ASSERT_TRUE(fake.registerService(QStringLiteral("org.freedesktop.FileManager1")));

    const QModelIndex one = itemOf(dir.file("home/docs/one.bin"));
    choose(WorkspaceModel::nodeOf(one), CWorkSpace::kProperties);
    {
        const std::lock_guard lock(manager.mutex);
        EXPECT_EQ(manager.uris,
                  QStringList{QStringLiteral("file://") +
                              QString::fromStdString(dir.file("home/docs/one.bin"))});
    }
    fake.unregisterObject(QStringLiteral("/org/freedesktop/FileManager1"));
    QDBusConnection::disconnectFromBus(QStringLiteral("fake file manager"));
    service.quit();
    service.wait();
    daemon.kill();
    daemon.waitForFinished();
}

TEST_F(WorkspaceFrameTest, WithoutABusPropertiesShowOurOwnDialog) {
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus");
    const QModelIndex one = itemOf(dir.file("home/docs/one.bin"));
    QString shownPath;
    QTimer::singleShot(50, [&shownPath] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* dialog = dynamic_cast<CFilePropertiesDialog*>(widget);
                dialog != nullptr && dialog->isVisible()) {
                shownPath = dialog->text(0);
                dialog->reject();
            }
        }
    });
    choose(WorkspaceModel::nodeOf(one), CWorkSpace::kProperties);
    EXPECT_TRUE(shownPath.contains(QStringLiteral("one.bin"))) << shownPath.toStdString();
}

// How many of this process's descriptors are open on `path`.
int descriptorsOn(const std::string& path) {
    int count = 0;
    for (const auto& link : fs::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        if (fs::read_symlink(link.path(), error) == path) {
            ++count;
        }
    }
    return count;
}

TEST_F(WorkspaceFrameTest, AnOpenDocumentKeepsItsDriveBusy) {
    const std::string path = dir.file("home/docs/one.bin");
    ASSERT_TRUE(frame->openDocument(path));
    EXPECT_GE(descriptorsOn(path), 1);  // the file was read into memory, yet stays held
    frame->closeDocument(*frame->activeChild());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(descriptorsOn(path), 0);
}

TEST_F(WorkspaceFrameTest, TakingDownTheWorkspaceEndsEveryWatchAtOnce) {
    QTreeView& view = workspace().treeView();
    for (int i = 0; i < 20; ++i) {
        fs::create_directories(dir.file("home/f" + std::to_string(i) + "/inner"));
    }
    workspace().setWatched(0, true);
    for (int i = 0; i < 20; ++i) {
        view.expand(itemOf(dir.file("home/f" + std::to_string(i))));
    }
    ASSERT_GE(workspace().watcherOf(0)->watchCount(), 20u);
    const auto start = std::chrono::steady_clock::now();
    frame.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

}  // namespace
