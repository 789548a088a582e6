// The "Application Options" sheet through the frame: its pages in order,
// OK without a change writes nothing, a field out of range keeps its page.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/COptionsSheet.h"
#include "app/CommandIds.h"
#include "app/OptionsPages.h"
#include "platform/Registry.h"
#include "settings/SettingKeys.h"
#include "tests/app/FrameFixture.h"

namespace {

std::string dump(const platform::RegistryTreeNode& node, const std::string& path = {}) {
    std::string text = path + "\\" + node.name + "\n";
    for (const auto& entry : node.values) {
        text += "  " + entry.name + "=" + std::to_string(entry.value.dword) + ":" +
                entry.value.text + "\n";
    }
    for (const auto& child : node.children) {
        text += dump(child, path + "\\" + node.name);
    }
    return text;
}

class OptionsSheetTest : public testsupport::FrameFixture {
  protected:
    std::string registryDump() const {
        const auto tree = settings.applicationKey().readTree();
        return tree ? dump(*tree) : std::string();
    }
    // Runs `step` on the sheet once it shows (it runs inside the command).
    void whenSheetShows(std::function<void(COptionsSheet&)> step) {
        auto attempt = std::make_shared<std::function<void()>>();
        const std::weak_ptr<std::function<void()>> self = attempt;
        pending_ = attempt;
        *attempt = [self, step] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* sheet = dynamic_cast<COptionsSheet*>(widget);
                    sheet && sheet->isVisible()) {
                    step(*sheet);
                    return;
                }
            }
            if (const auto again = self.lock()) {
                QTimer::singleShot(20, [again] { (*again)(); });
            }
        };
        QTimer::singleShot(20, [attempt] { (*attempt)(); });
    }
    std::shared_ptr<std::function<void()>> pending_;
};

TEST_F(OptionsSheetTest, OkWithoutAChangeWritesNothing) {
    settings.write(settings::general::WorkFilePath, dir.path());  // an existing folder
    const std::string before = registryDump();
    QStringList titles;
    bool applyEnabled = true;
    whenSheetShows([&](COptionsSheet& sheet) {
        for (int i = 0; i < sheet.tabs()->count(); ++i) {
            titles << sheet.tabs()->tabText(i);
        }
        applyEnabled = sheet.applyButton()->isEnabled();
        // The help set lies beside the programs in the build.
        EXPECT_TRUE(sheet.helpButton()->isEnabled());
        sheet.accept();
    });
    frame->action(cmd::ToolsOptions)->trigger();
    EXPECT_EQ(titles, QStringList({"General", "File", "Edit", "Find", "Datamark", "Presentation",
                                   "Interpretation", "Appearance"}));
    EXPECT_FALSE(applyEnabled);
    EXPECT_EQ(registryDump(), before);
}

TEST_F(OptionsSheetTest, AFieldOutOfRangeKeepsItsPageAndWritesNothing) {
    const std::string before = registryDump();
    int tabAfterSwitch = -1;
    bool closed = true;
    messages.answer(platform::MessageAnswer::Ok);
    whenSheetShows([&, this](COptionsSheet& sheet) {
        sheet.tabs()->setCurrentIndex(2);
        auto* edit = dynamic_cast<EditPage*>(sheet.tabs()->currentWidget());
        ASSERT_NE(edit, nullptr);
        edit->field(0)->setText(QStringLiteral("70000"));  // above 65536
        emit edit->field(0)->textEdited(edit->field(0)->text());
        EXPECT_TRUE(sheet.applyButton()->isEnabled());
        sheet.tabs()->setCurrentIndex(3);
        tabAfterSwitch = sheet.tabs()->currentIndex();
        sheet.accept();  // refused too
        closed = !sheet.isVisible();
        EXPECT_EQ(registryDump(), before);
        edit->field(0)->setText(QStringLiteral("300"));
        sheet.accept();
    });
    frame->action(cmd::ToolsOptions)->trigger();
    EXPECT_EQ(tabAfterSwitch, 2);
    EXPECT_FALSE(closed);
    ASSERT_FALSE(messages.shown().empty());
    EXPECT_EQ(messages.shown().front().text, "Please enter an integer between 0 and 65536.");
    EXPECT_EQ(settings.get(settings::edit::MaxUndoLevel), 300);
}

}  // namespace

namespace {

class ContextMenuOptionTest : public testsupport::FrameFixture {
  protected:
    // A program folder with the module and a registration tool that notes
    // its arguments and ends with `status`.
    std::string programFolder(int status) {
        const std::string folder = dir.file("program");
        std::filesystem::create_directories(folder);
        testsupport::writeFile(folder + "/Brisvane.so", "");
        const std::string tool = folder + "/kestrane-regsvr";
        testsupport::writeFile(tool, "#!/bin/sh\necho \"$@\" > '" + dir.file("called") +
                                         "'\nexit " + std::to_string(status) + "\n");
        std::filesystem::permissions(tool, std::filesystem::perms::owner_all);
        return folder;
    }
};

TEST_F(ContextMenuOptionTest, TheBoxRunsTheToolAndGoesBackWhenItFails) {
    FilePage page(settings, messages, programFolder(0));
    ASSERT_TRUE(page.contextMenuBox()->isEnabled());
    EXPECT_FALSE(page.contextMenuBox()->isChecked());
    page.contextMenuBox()->click();
    EXPECT_TRUE(page.isChanged());
    ASSERT_TRUE(page.apply());
    EXPECT_EQ(testsupport::readFile(dir.file("called")),
              "/s " + dir.file("program") + "/Brisvane.so\n");

    FilePage failing(settings, messages, programFolder(1));
    failing.contextMenuBox()->click();
    EXPECT_FALSE(failing.apply());
    EXPECT_FALSE(failing.contextMenuBox()->isChecked());  // put back

    std::filesystem::remove(dir.file("program") + "/Brisvane.so");
    FilePage without(settings, messages, dir.file("program"));
    EXPECT_FALSE(without.contextMenuBox()->isEnabled());
}

}  // namespace
