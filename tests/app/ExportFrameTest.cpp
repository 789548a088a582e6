// Export File As through the real frame: the save dialog driven as a user
// drives it (the C Source filter adds ".c", an existing file is asked
// about), and a large export under the real progress dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QAbstractButton>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/CChildFrame.h"
#include "app/CommandIds.h"
#include "platform/qt/QtProgressRunner.h"
#include "settings/SettingKeys.h"
#include "tests/app/FrameFixture.h"

namespace {

class ExportFrameTest : public testsupport::FrameFixture {
  protected:
    // Runs `step` on the export dialog once it shows; the dialog runs
    // inside the command, so the retries outlive it through a weak handle.
    void whenDialogShows(std::function<void(QFileDialog&)> step) {
        auto attempt = std::make_shared<std::function<void()>>();
        const std::weak_ptr<std::function<void()>> self = attempt;
        pending_ = attempt;
        *attempt = [self, step] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<QFileDialog*>(widget);
                if (dialog != nullptr && dialog->isVisible() &&
                    dialog->objectName() == QStringLiteral("ExportFileDialog")) {
                    step(*dialog);
                    return;
                }
            }
            if (const auto again = self.lock()) {
                QTimer::singleShot(20, [again] { (*again)(); });
            }
        };
        QTimer::singleShot(20, [attempt] { (*attempt)(); });
    }
    // Chooses the filter as a user does, with the keyboard on the type box.
    static void chooseFilter(QFileDialog& dialog, int index) {
        auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(types, nullptr);
        types->setFocus();
        while (types->currentIndex() < index) {
            QTest::keyClick(types, Qt::Key_Down);
        }
    }
    static void typeName(QFileDialog& dialog, const QString& name) {
        auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(edit, nullptr);
        edit->setText(name);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    std::shared_ptr<std::function<void()>> pending_;
};

TEST_F(ExportFrameTest, TheCSourceFilterAddsItsExtensionAndAnExistingFileIsAskedAbout) {
    ASSERT_TRUE(frame->openDocument(makeFile("source.bin", std::string("\x01\x02\x03", 3))));
    frame->updateCommands();
    ASSERT_TRUE(frame->action(cmd::FileExportFile)->isEnabled());
    EXPECT_FALSE(frame->action(cmd::FileExportSelection)->isEnabled());
    const QString target = QString::fromStdString(dir.file("array"));
    whenDialogShows([target](QFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Export File As"));
        chooseFilter(dialog, 2);
        typeName(dialog, target);
    });
    frame->action(cmd::FileExportFile)->trigger();
    const std::string written = testsupport::readFile(dir.file("array.c"));
    EXPECT_NE(written.find("// Original File: source.bin\r\n"), std::string::npos);
    EXPECT_NE(written.find("\t0x01, 0x02, 0x03, \r\n};\r\n"), std::string::npos);
    EXPECT_EQ(messages.shownIds().back(), 1149);

    // The same name again: the dialog asks, and No leaves the file alone.
    testsupport::writeFile(dir.file("array.c"), "keep");
    whenDialogShows([target](QFileDialog& dialog) {
        chooseFilter(dialog, 2);
        QTimer::singleShot(50, [] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
                    box->button(QMessageBox::No)->click();
                }
            }
        });
        typeName(dialog, target);
        QTimer::singleShot(100, &dialog, [&dialog] { dialog.reject(); });
    });
    frame->action(cmd::FileExportFile)->trigger();
    EXPECT_EQ(testsupport::readFile(dir.file("array.c")), "keep");
}

TEST_F(ExportFrameTest, ALargeExportRunsUnderTheProgressDialog) {
    platform::QtProgressRunner runner(strings);
    frame.reset();
    frame = std::make_unique<CMainFrame>(settings, strings, messages, &runner);
    frame->show();
    settings.write(settings::edit::MaxCopySize, 4096);
    ASSERT_TRUE(frame->openDocument(makeFile("large.bin", std::string(3 << 20, 'k'))));
    const QString target = QString::fromStdString(dir.file("large.txt"));
    whenDialogShows([target](QFileDialog& dialog) {
        chooseFilter(dialog, 1);
        typeName(dialog, target);
    });
    frame->action(cmd::FileExportFile)->trigger();
    EXPECT_EQ(messages.shownIds().back(), 1149);
    const std::string text = testsupport::readFile(dir.file("large.txt"));
    const auto width =
        static_cast<std::size_t>(frame->activeChild()->panel().state().presentation.lineWidth());
    ASSERT_EQ((3u << 20) % width, 0u);
    EXPECT_EQ(text.size(), (3u << 20) / width * ((width - 1) * 3 + 4));
    EXPECT_TRUE(text.starts_with("6b 6b 6b "));
}

}  // namespace
