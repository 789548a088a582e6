#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "app/FolderListing.h"
#include "app/RemovableVolumes.h"
#include "app/WorkspaceDrives.h"
#include "app/WorkspaceTree.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using testsupport::TempDir;
using testsupport::writeFile;

const char* const kDesktop =
    "22 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw\n"
    "23 22 0:5 / /proc rw - proc proc rw\n"
    "24 22 0:20 / /sys rw - sysfs sysfs rw\n"
    "25 22 0:6 / /dev rw - devtmpfs udev rw\n"
    "26 22 0:23 / /run rw - tmpfs tmpfs rw\n"
    "27 22 8:1 / /boot/efi rw - vfat /dev/sda1 rw\n"
    "28 22 0:30 / /tmp rw - tmpfs tmpfs rw\n"
    "29 26 8:17 / /run/media/ann/USB\\040STICK rw - vfat /dev/sdb1 rw\n"
    "30 22 0:40 / /mnt/share rw - nfs4 server:/export rw\n"
    "31 22 7:0 / /snap/core/1 ro - squashfs /dev/loop0 ro\n"
    "32 22 8:2 /home /srv/home-bind rw - ext4 /dev/sda2 rw\n"
    "33 22 8:1 / /mnt/efi-again rw - vfat /dev/sda1 rw\n"
    "34 22 0:50 / /home/ann/remote rw - fuse.sshfs ann@host: rw\n"
    "35 26 0:51 / /run/user/1000/doc rw - fuse.portal portal rw\n"
    "36 22 11:0 / /media/cdrom ro - iso9660 /dev/sr0 ro\n"
    "37 22 2:0 / /mnt/floppy rw - vfat /dev/fd0 rw\n"
    "38 22 8:49 / /mnt/over rw - ext4 /dev/sdd1 rw\n"
    "39 38 0:61 / /mnt/over rw - tmpfs tmpfs rw\n"
    "40 22 0:72 / /mnt/cg rw - cgroup2 cgroup2 rw\n"
    "garbage that is no mount\n"
    "41 22 8:33 / /data rw - ext4 /dev/sdc1 rw\n"
    "42 22 259:1 / /fast rw - ext4 /dev/nvme0n1p1 rw\n"
    "43 22 0:80 / /net/gvfs rw - fuse.gvfsd-fuse gvfsd-fuse rw\n";

const char* const kFilesystems =
    "nodev\tsysfs\nnodev\ttmpfs\nnodev\tproc\nnodev\tdevtmpfs\nnodev\tcgroup2\n"
    "nodev\tnfs4\nnodev\tfuse\nnodev\toverlay\nnodev\tautofs\n\text4\n\tvfat\n\tiso9660\n";

struct RootView {
    std::string path;
    DriveType type;
    bool operator==(const RootView&) const = default;
};

std::vector<RootView> viewOf(const std::vector<DriveRoot>& roots) {
    std::vector<RootView> view;
    for (const DriveRoot& root : roots) {
        view.push_back({root.path, root.type});
    }
    return view;
}

class DriveRootsTest : public testing::Test {
  protected:
    TempDir sys;
    DriveEnvironment environment;

    void SetUp() override {
        // A fake device tree: sdc is a USB disk, nvme0n1 a fixed one.
        fs::create_directories(sys.file("block/sdc"));
        fs::create_directories(sys.file("block/nvme0n1"));
        writeFile(sys.file("block/sdc/removable"), "1\n");
        writeFile(sys.file("block/nvme0n1/removable"), "0\n");
        environment.home = "/home/ann";
        environment.sysRoot = sys.path();
        environment.nodevTypes = nodevTypesOf(kFilesystems);
    }
};

TEST_F(DriveRootsTest, HomeThenSlashThenWhatAUserWouldSeeByPath) {
    using enum DriveType;
    const auto table = platform::parseMountTable(kDesktop);
    EXPECT_EQ(viewOf(driveRoots(table, environment)),
              (std::vector<RootView>{{"/home/ann", Fixed},
                                     {"/", Fixed},
                                     {"/boot/efi", Fixed},
                                     {"/data", Removable},
                                     {"/fast", Fixed},
                                     {"/home/ann/remote", Network},
                                     {"/media/cdrom", CdRom},
                                     {"/mnt/over", RamDisk},  // the top mount of the point
                                     {"/mnt/share", Network},
                                     {"/run/media/ann/USB STICK", Removable},
                                     {"/srv/home-bind", Fixed},
                                     {"/tmp", RamDisk}}));
    environment.ignoreFloppy = false;
    const auto withFloppy = viewOf(driveRoots(table, environment));
    EXPECT_NE(std::find(withFloppy.begin(), withFloppy.end(), RootView{"/mnt/floppy", Floppy}),
              withFloppy.end());
}

TEST_F(DriveRootsTest, AContainerStillShowsSlashAndPathsFindTheLongestRoot) {
    const auto table =
        platform::parseMountTable("1 0 0:40 / / rw - overlay overlay rw,lowerdir=/x\n"
                                  "2 1 0:41 / /proc rw - proc proc rw\n");
    environment.home = "/root";
    const auto roots = driveRoots(table, environment);
    ASSERT_EQ(viewOf(roots),
              (std::vector<RootView>{{"/root", DriveType::Fixed}, {"/", DriveType::Fixed}}));
    EXPECT_EQ(rootHolding(roots, "/root/a/b"), 0);
    EXPECT_EQ(rootHolding(roots, "/rootless"), 1);
    EXPECT_EQ(rootHolding(roots, "/etc"), 1);
    EXPECT_EQ(rootHolding(roots, "relative"), -1);
    EXPECT_FALSE(roots[1].watchable() && roots[1].type != DriveType::Fixed);
}

TEST_F(DriveRootsTest, AnOpticalDriveWithoutADiscStillShowsByItsDevice) {
    environment.opticalDrives = {"sr0", "sr1"};
    const auto table = platform::parseMountTable(
        "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
        "2 1 11:1 / /media/ann/DISC ro - iso9660 /dev/sr1 ro\n");
    const auto roots = viewOf(driveRoots(table, environment));
    EXPECT_EQ(roots, (std::vector<RootView>{{"/home/ann", DriveType::Fixed},
                                            {"/", DriveType::Fixed},
                                            {"/dev/sr0", DriveType::CdRom},
                                            {"/media/ann/DISC", DriveType::CdRom}}));
}

TEST_F(DriveRootsTest, AVolumeIsKnownByItsUuidOrElseItsDeviceAndMount) {
    // A fake /dev with a device node stand-in and its by-uuid link.
    TempDir dev;
    fs::create_directories(dev.file("disk/by-uuid"));
    writeFile(dev.file("sdc1"), "");
    ASSERT_EQ(symlink("../../sdc1", dev.file("disk/by-uuid/1234-ABCD").c_str()), 0);
    const VolumeSources sources{sys.path(), dev.file("disk/by-uuid")};
    const std::string line = "41 22 8:33 / /run/media/ann/STICK rw - vfat " + dev.file("sdc1") +
                             " rw\n";
    const auto table = platform::parseMountTable(line);
    DriveRoot stick{"/run/media/ann/STICK", DriveType::Removable, 41, "8:33", dev.file("sdc1")};
    EXPECT_EQ(volumeSerial(stick, table, sources), "1234-ABCD");
    const auto other = platform::parseMountTable(
        "41 22 8:49 / /run/media/ann/STICK rw - vfat /dev/nosuch rw\n");
    EXPECT_EQ(volumeSerial(stick, other, sources), "8:49#41");
    EXPECT_EQ(volumeSerial(stick, {}, sources), std::nullopt);  // unmounted: no volume

    // An optical drive with nothing mounted: a disc is there when it has sectors.
    fs::create_directories(sys.file("block/sr0"));
    writeFile(sys.file("block/sr0/size"), "0\n");
    const DriveRoot drive{"/dev/sr0", DriveType::CdRom, 0, {}, "/dev/sr0"};
    EXPECT_EQ(volumeSerial(drive, {}, sources), std::nullopt);
    writeFile(sys.file("block/sr0/size"), "1362000\n");
    EXPECT_EQ(volumeSerial(drive, {}, sources), "disc");
}

TEST(VolumeCheckTest, SameListsOtherResetsNoneAsksOnlyWhileExpanding) {
    using enum VolumeCheck;
    const std::optional<std::string> none;
    EXPECT_EQ(checkVolume(none, "A", true), List);  // the first one seen
    EXPECT_EQ(checkVolume("A", "A", false), List);
    EXPECT_EQ(checkVolume("A", "B", true), Reset);  // another disk went in
    EXPECT_EQ(checkVolume("A", none, false), Reset);
    EXPECT_EQ(checkVolume("A", none, true), AskForVolume);
}

// ------------------------------------------------------------ listing

std::vector<std::string> namesOf(const FolderListing& listing) {
    std::vector<std::string> names;
    for (const auto& entry : listing.entries) {
        names.push_back(entry.name + (entry.folder ? (entry.hasChildren ? "/+" : "/") : ""));
    }
    return names;
}

TEST(FolderListingTest, FoldersFirstWithoutCaseThenFilesAndNamesKeepTheirBytes) {
    TempDir dir;
    fs::create_directories(dir.file("beta"));
    fs::create_directories(dir.file("Alpha"));
    fs::create_directories(dir.file("empty"));
    writeFile(dir.file("Alpha/inside"), "x");
    writeFile(dir.file("b.txt"), "");
    writeFile(dir.file("A.txt"), "");
    writeFile(dir.file("a.txt"), "");
    writeFile(dir.file("n\xff" "ame"), "");
    ASSERT_EQ(symlink(dir.file("Alpha").c_str(), dir.file("link").c_str()), 0);
    ASSERT_EQ(symlink(dir.file("nowhere").c_str(), dir.file("dangling").c_str()), 0);
    FolderListing listing;
    ASSERT_TRUE(FolderListing::list(dir.path(), listing));
    EXPECT_EQ(namesOf(listing),
              (std::vector<std::string>{"Alpha/+", "beta/", "empty/", "link/+", "A.txt", "a.txt",
                                        "b.txt", "dangling", "n\xff" "ame"}));
    EXPECT_FALSE(FolderListing::list(dir.file("b.txt"), listing));
    EXPECT_FALSE(FolderListing::list(dir.file("gone"), listing));
}

// ------------------------------------------------------------ tree

// Keeps the row counts a view would hold from the observer's calls alone.
class ShadowView : public WorkspaceTreeObserver {
  public:
    explicit ShadowView(const WorkspaceTree& tree) : tree_(tree) {}
    void beginRemove(int parent, int first, int last) override {
        pending_ = {parent, -(last - first + 1)};
    }
    void endRemove() override { apply(); }
    void beginInsert(int parent, int first, int last) override {
        pending_ = {parent, last - first + 1};
    }
    void endInsert() override { apply(); }
    // Every parent the view knows has as many rows as the tree says.
    void check() const {
        for (const auto& [parent, rows] : rows_) {
            if (parent < 0 || tree_.node(parent).alive) {
                EXPECT_EQ(rows, static_cast<int>(tree_.childrenOf(parent).size())) << parent;
            }
        }
    }

  private:
    void apply() {
        rows_[pending_.first] += pending_.second;
        EXPECT_GE(rows_[pending_.first], 0);
    }
    const WorkspaceTree& tree_;
    std::pair<int, int> pending_;
    std::map<int, int> rows_;
};

class WorkspaceTreeTest : public testing::Test {
  protected:
    TempDir dir;
    WorkspaceTree tree;

    void SetUp() override {
        tree.setRoots({DriveRoot{dir.path(), DriveType::Fixed, 1, "0:1", "src"},
                       DriveRoot{"/", DriveType::Fixed, 2, "0:2", "src"}});
    }
    std::vector<std::string> childNames(int id) const {
        std::vector<std::string> names;
        for (const int child : tree.childrenOf(id)) {
            names.push_back(tree.node(child).name);
        }
        return names;
    }
};

TEST_F(WorkspaceTreeTest, RevealListsDownToThePathInTheLongestRoot) {
    fs::create_directories(dir.file("a/b/c"));
    writeFile(dir.file("a/b/c/file.bin"), "x");
    const int found = tree.reveal(dir.file("a/b/c/file.bin"));
    ASSERT_GE(found, 0);
    EXPECT_EQ(tree.pathOf(found), dir.file("a/b/c/file.bin"));
    EXPECT_EQ(tree.node(found).kind, WorkspaceTree::Kind::File);
    EXPECT_EQ(tree.node(tree.roots()[0]).name, dir.path());  // not under "/"
    EXPECT_TRUE(tree.node(tree.roots()[1]).children.empty());
    // A missing last part: the deepest folder found.
    EXPECT_EQ(tree.pathOf(tree.reveal(dir.file("a/b/missing"))), dir.file("a/b"));
    EXPECT_EQ(tree.reveal("relative/path"), -1);
}

TEST_F(WorkspaceTreeTest, AVanishedFolderLeavesAndAnEmptiedRootWaitsForItsVolume) {
    fs::create_directories(dir.file("keep"));
    fs::create_directories(dir.file("going/deeper"));
    const int going = tree.reveal(dir.file("going"));
    ASSERT_TRUE(tree.list(going));
    fs::remove_all(dir.file("going"));
    EXPECT_FALSE(tree.list(going));
    EXPECT_EQ(childNames(tree.roots()[0]), (std::vector<std::string>{"keep"}));

    WorkspaceTree missing;
    missing.setRoots({DriveRoot{dir.file("no-volume"), DriveType::Removable, 3, "0:3", ""}});
    const int root = missing.roots()[0];
    EXPECT_FALSE(missing.list(root));
    EXPECT_TRUE(missing.node(root).alive);
    EXPECT_TRUE(missing.node(root).hasChildren);  // it may be expanded again
}

TEST_F(WorkspaceTreeTest, RelistingMergesRandomChangesIntoTheSameTree) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    ShadowView shadow(tree);
    tree.setObserver(&shadow);
    for (const char* folder : {"x", "y", "x/z"}) {
        fs::create_directories(dir.file(folder));
    }
    const int root = tree.roots()[0];
    ASSERT_TRUE(tree.list(root));
    tree.setExpanded(root, true);
    const int x = tree.reveal(dir.file("x"));
    ASSERT_TRUE(tree.list(x));
    tree.setExpanded(x, true);
    const std::vector<std::string> folders = {"", "x", "x/z"};
    int counter = 0;
    for (int batch = 0; batch < 30; ++batch) {
        for (int step = 0; step < 8; ++step) {
            const std::string folder = dir.file(folders[random() % folders.size()]);
            std::vector<fs::path> present;
            for (const auto& entry : fs::directory_iterator(folder)) {
                if (entry.path().filename() != "x" && entry.path().filename() != "z") {
                    present.push_back(entry.path());
                }
            }
            const int action = static_cast<int>(random() % 3);
            if (action == 0 || present.empty()) {
                const std::string name = (random() % 2 ? "F" : "f") + std::to_string(counter++);
                if (random() % 4 == 0) {
                    fs::create_directories(folder + "/" + name);
                } else {
                    writeFile(folder + "/" + name, "");
                }
            } else if (action == 1) {
                fs::remove_all(present[random() % present.size()]);
            } else {
                const fs::path from = present[random() % present.size()];
                fs::rename(from, from.parent_path() / ("r" + std::to_string(counter++)));
            }
        }
        for (const int folder : tree.expandedOf(0)) {
            tree.list(folder);
        }
        shadow.check();
        for (const int folder : tree.expandedOf(0)) {
            FolderListing fresh;
            ASSERT_TRUE(FolderListing::list(tree.pathOf(folder), fresh));
            std::vector<std::string> expected;
            for (const auto& entry : fresh.entries) {
                expected.push_back(entry.name);
            }
            ASSERT_EQ(childNames(folder), expected) << tree.pathOf(folder);
        }
    }
    // The expanded folder kept its node through every merge.
    EXPECT_EQ(tree.reveal(dir.file("x")), x);
}

TEST_F(WorkspaceTreeTest, RenameMovesTheNodeToItsSortedRowWithItsSubtree) {
    fs::create_directories(dir.file("b/inner"));
    fs::create_directories(dir.file("d"));
    writeFile(dir.file("c.txt"), "");
    const int root = tree.roots()[0];
    ASSERT_TRUE(tree.list(root));
    const int b = tree.reveal(dir.file("b"));
    ASSERT_TRUE(tree.list(b));
    tree.rename(b, "e");
    EXPECT_EQ(childNames(root), (std::vector<std::string>{"d", "e", "c.txt"}));
    EXPECT_EQ(childNames(b), (std::vector<std::string>{"inner"}));
    EXPECT_EQ(tree.pathOf(tree.childrenOf(b)[0]), dir.file("e/inner"));
}

}  // namespace
