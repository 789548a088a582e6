#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "editdata/CEditData.h"
#include "framework/Component.h"
#include "platform/Registry.h"
#include "platform/StringTable.h"
#include "settings/CSettings.h"
#include "tests/support/FakeProgressRunner.h"
#include "tests/support/ScriptedMessageService.h"
#include "tests/support/TempDir.h"

namespace edittest {

// The smallest maximal direct edit size: files above it open in place.
inline constexpr std::uint64_t kFloor = 4194304;
// An in-place file whose size is a multiple of neither 1 KiB nor 1 MiB.
inline constexpr std::uint64_t kLargeSize = kFloor + 3 * 1048576 + 12345;

// The panel side of a store: records the modified marks and the warnings it
// was asked, answering them as the test says.
class FakeOwner : public CEditDataOwner {
  public:
    void markModified(bool modified) override { marks.push_back(modified); }
    bool confirmThreshold(std::uint64_t amount, int stringId) override {
        thresholds.emplace_back(amount, stringId);
        return thresholdAnswer;
    }
    bool confirmIrreversible(int stringId) override {
        irreversibles.push_back(stringId);
        return irreversibleAnswer;
    }

    // The caret panel is `panel` unless a test clears `hasPanel`.
    std::optional<CaretContext> getCaret() override {
        return hasPanel
                   ? std::optional<CaretContext>(CaretContext{&panel, caretOffset, caretNibble})
                   : std::nullopt;
    }
    void setCaret(const CaretContext& caret) override {
        caretsSet.emplace_back(caret.panel, caret.offset);
        nibblesSet.push_back(caret.nibble);
    }

    RealComponent panel;
    bool hasPanel = true;
    std::uint64_t caretOffset = 7;
    int caretNibble = 0;
    std::vector<std::pair<Component*, std::uint64_t>> caretsSet;
    std::vector<int> nibblesSet;
    std::vector<bool> marks;
    std::vector<std::pair<std::uint64_t, int>> thresholds;
    std::vector<int> irreversibles;
    bool thresholdAnswer = true;
    bool irreversibleAnswer = true;
};

// A registry, settings with "Max File Size" at its floor and a temporary
// directory of its own, a scripted message service and a progress runner.
class StoreEnvironment {
  public:
    StoreEnvironment();

    CEditDataServices services() { return {settings, &runner, &messages}; }
    std::string makeFile(const std::string& name, const std::string& bytes);
    // The files now in the temporary directory the stores use.
    std::vector<std::string> temporaryFiles() const;
    std::string tempDirectory() const { return dir.file("temp"); }

    testsupport::TempDir dir;
    platform::Registry registry;
    CSettings settings;
    testsupport::FakeProgressRunner runner;
    platform::StringTable strings;
    testsupport::ScriptedMessageService messages;
};

// `size` bytes of a repeatable pattern, different for each seed.
std::string patternBytes(std::size_t size, unsigned seed = 1);
inline const std::uint8_t* bytesOf(const std::string& text) {
    return reinterpret_cast<const std::uint8_t*>(text.data());
}
// The whole data of a store, through readData.
std::string readAll(CEditData& store);
std::string readFileBytes(const std::string& path);

// Marks the calling thread as the user-interface thread for the scope.
class UiThreadScope {
  public:
    UiThreadScope();
    ~UiThreadScope();
};

}  // namespace edittest
