#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "editdata/CEditData.h"
#include "framework/Component.h"
#include "search/SearchEngine.h"
#include "tests/support/TempDir.h"

namespace searchtest {

// A writable store over a file of the given bytes, with an owner that
// agrees to everything and keeps a caret at 0, so changes are recorded.
class StoreOf {
  public:
    explicit StoreOf(const std::string& bytes) {
        const std::string path = dir_.file("data.bin");
        testsupport::writeFile(path, bytes);
        store_.setDocument(&owner_);
        store_.setCaretKeeper(&owner_);
        store_.open(path, kGenericRead | kGenericWrite);
    }
    CEditData& store() { return store_; }

  private:
    struct Owner : CEditDataOwner {
        void markModified(bool) override {}
        bool confirmThreshold(std::uint64_t, int) override { return true; }
        bool confirmIrreversible(int) override { return true; }
        std::optional<CaretContext> getCaret() override { return CaretContext{&panel, 0, 0}; }
        void setCaret(const CaretContext&) override {}
        RealComponent panel;
    } owner_;
    testsupport::TempDir dir_;
    CEditData store_;
};

// Everything a progress callback was told, as "total/done/kind" items.
struct ProgressLog {
    std::vector<std::string> items;
    int cancelAfter = -1;  // answer Cancel to this report (counted from 0)
    platform::ProgressCallback callback() {
        return [this](std::uint64_t total, std::uint64_t done, platform::ProgressKind kind,
                      const std::string*) {
            const char* name = kind == platform::ProgressKind::Progress   ? "progress"
                               : kind == platform::ProgressKind::Finished ? "finished"
                                                                          : "failed";
            items.push_back(std::to_string(total) + "/" + std::to_string(done) + "/" + name);
            return static_cast<int>(items.size()) - 1 == cancelAfter
                       ? platform::ProgressAnswer::Cancel
                       : platform::ProgressAnswer::Continue;
        };
    }
};

}  // namespace searchtest
