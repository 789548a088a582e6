// While a worker makes a work copy of a view's store, the user-interface
// thread resizes and repaints the view and runs the command update, as the
// progress dialog's event loop lets it. It must not touch the store then;
// under ThreadSanitizer (KESTRANE_SANITIZE=thread ./test.sh) any touch shows.
#include <gtest/gtest.h>

#include <QImage>
#include <atomic>
#include <thread>

#include "display/EditCommandIds.h"
#include "display/EditCommands.h"
#include "display/PresentationCommands.h"
#include "display/ViewCommandIds.h"
#include "display/ui/CHexWindow.h"
#include "platform/UiThread.h"
#include "settings/CSettings.h"
#include "tests/support/ScriptedMessageService.h"
#include "tests/support/TempDir.h"

namespace {

// Runs the worker on its own thread and, until it ends, does what the
// dialog's event loop lets happen to the view: a resize, a paint and the
// update pass, again and again.
class BusyViewRunner : public platform::ProgressRunner {
  public:
    explicit BusyViewRunner(std::function<void()> meanwhile) : meanwhile_(std::move(meanwhile)) {}

    bool runWithProgress(
        int, int, const std::function<void(const platform::ProgressCallback&)>& worker) override {
        std::atomic<bool> done{false};
        const platform::ProgressCallback callback = [](std::uint64_t, std::uint64_t,
                                                       platform::ProgressKind, const std::string*) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            return platform::ProgressAnswer::Continue;
        };
        std::thread thread([&] {
            worker(callback);
            done.store(true);
        });
        while (!done.load()) {
            meanwhile_();
            ++rounds;
        }
        thread.join();
        return true;
    }

    int rounds = 0;

  private:
    std::function<void()> meanwhile_;
};

TEST(StoreUnderWorkerTest, TheViewNeverTouchesItsStoreWhileAWorkerHasIt) {
    testsupport::TempDir dir;
    platform::Registry registry(dir.file("registry.sqlite"));
    CSettings settings(registry);
    settings.open();
    settings.write(settings::general::MaxFileSize, 4194304);
    settings.write(settings::edit::OverwriteWarn, 0);
    platform::StringTable strings;
    testsupport::ScriptedMessageService messages(strings);

    std::unique_ptr<CHexWindow> window;
    int width = 900;
    BusyViewRunner runner([&] {
        width = width == 900 ? 700 : 900;
        window->resize(width, 400);  // lays the panels out again
        QImage image(width, 400, QImage::Format_RGB32);
        window->renderer().render(window->panel(), image, image.rect());
        EditCommands commands(window->panel(), messages);
        for (const int id : {cmd::EditUndo, cmd::EditPaste, cmd::EditCut, cmd::EditSwapData}) {
            EXPECT_FALSE(commands.isEnabled(id));
        }
        EXPECT_FALSE(PresentationCommands(&window->panel()).isEnabled(cmd::ViewUnitLong));
    });
    window =
        std::make_unique<CHexWindow>(settings, CEditDataServices{settings, &runner, &messages});
    window->resize(width, 400);
    window->show();  // a shown window lays itself out at every resize
    std::string bytes(6 * 1048576, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(i * 7);
    }
    const std::string path = dir.file("large.bin");
    testsupport::writeFile(path, bytes);
    CHexPanel& panel = window->panel();
    ASSERT_TRUE(panel.openFile(path, kGenericRead | kGenericWrite));
    ASSERT_EQ(panel.data().storageMode(), StorageMode::InPlace);

    platform::markUiThread();
    panel.selectRange(100, 200);
    const bool deleted = panel.editor().deleteSelection();  // the work copy runs under the runner
    platform::unmarkUiThread();

    ASSERT_TRUE(deleted);
    EXPECT_GT(runner.rounds, 0);
    EXPECT_EQ(panel.data().storageMode(), StorageMode::WorkCopy);
    EXPECT_EQ(panel.data().getDataSize(), bytes.size() - 100);
    std::uint8_t byte = 0;
    ASSERT_TRUE(panel.data().readByte(byte, 100));
    EXPECT_EQ(byte, static_cast<std::uint8_t>(200 * 7));
    // Once the worker is done the view reads the store again.
    EXPECT_TRUE(EditCommands(panel, messages).isEnabled(cmd::EditPaste) ||
                !panel.editor().canPaste());
    EXPECT_EQ(panel.state().dataSize, bytes.size() - 100);
}

}  // namespace
