#include "search/ReplaceTool.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "editdata/CEditData.h"
#include "editdata/LinkedDeletion.h"
#include "exchange/HexText.h"
#include "platform/File.h"
#include "platform/MessageService.h"
#include "platform/PrintfFormat.h"

namespace {

constexpr int kReplaceCaption = 3024;  // "Replace data asynchronously"
constexpr int kReplacingNth = 3025;    // "... replacing the %i-th data string: "%s" ..."
constexpr int kReplacingFirst = 3026;  // "... replacing the data string: "%s" ..."
constexpr int kSavingFile = 3027;      // "Kestrane is saving file, please wait..."

// Output and reads go in large pieces, whatever the block size.
constexpr std::size_t kChunk = std::size_t{4} << 20;

}  // namespace

// The temporary file being written, in large sequential chunks.
struct ReplaceTool::Output {
    platform::File& file;
    std::uint64_t position = 0;
    std::vector<std::uint8_t> pending;
    int error = 0;

    bool write(const std::uint8_t* bytes, std::size_t count) {
        if (error != 0) {
            return false;
        }
        pending.insert(pending.end(), bytes, bytes + count);
        return pending.size() < kChunk || flush();
    }
    bool flush() {
        if (error == 0 && !pending.empty()) {
            if (!file.writeAt(pending.data(), pending.size(), position)) {
                error = file.lastError() != 0 ? file.lastError() : EIO;
                return false;
            }
            position += pending.size();
            pending.clear();
        }
        return error == 0;
    }
};

std::optional<std::vector<std::uint8_t>> ReplaceTool::replacementBytes(
    const std::string& replaceText) const {
    if (find_.options.asciiText) {
        return std::vector<std::uint8_t>(replaceText.begin(), replaceText.end());
    }
    if (replaceText.empty()) {
        return std::vector<std::uint8_t>{};
    }
    if (!validateHexString(replaceText, false, '\0')) {
        return std::nullopt;
    }
    return parseHexText(replaceText);
}

bool ReplaceTool::replace(const std::string& replaceText, SearchView& view,
                          platform::MessageService& messages) {
    const auto bytes = replacementBytes(replaceText);
    if (!bytes) {
        messages.show(searchtext::kInvalidHexReplace,
                      platform::MessageStyle(platform::MessageIcon::Information));
        return false;
    }
    // A column block is no range: the bytes between its corners lie partly outside it.
    const auto selection = view.rangeSelection();
    if (!selection || selection->second <= selection->first) {
        return false;
    }
    CEditData& data = view.searchedData();
    const std::uint64_t start = selection->first;
    const std::uint64_t before = data.recordedCount();
    if (!data.deleteData(selection->second - start, start, true)) {
        return false;
    }
    if (bytes->empty()) {
        view.clearSelection();
        return true;
    }
    LinkedDeletion deletion;
    deletion.take(data, before);
    const std::uint64_t recorded = data.recordedCount();
    if (!data.insertData(bytes->data(), bytes->size(), start, true)) {
        deletion.abandon(data);  // the selection comes back as it was
        return false;
    }
    deletion.keepWith(data, recorded);  // one undo takes back both
    view.clearSelection();
    return true;
}

// ------------------------------------------------------------ Replace All

ReplaceTool::RangeResult ReplaceTool::replaceRange(CEditData& data, Output& output,
                                                   std::uint64_t start, std::uint64_t end,
                                                   const std::vector<std::uint8_t>& replacement,
                                                   std::uint64_t& count,
                                                   const platform::ProgressCallback* progress,
                                                   const platform::StringTable& strings) {
    SearchEngine& engine = find_.engine();
    const auto m = static_cast<std::uint64_t>(engine.settings().maxFindBytes);
    const std::uint64_t blockSize = 64 * m;
    // The bytes as read (for the output) and as matched (folded when the
    // search ignores case), in step; one spare byte after each.
    const std::size_t capacity = std::max<std::size_t>(kChunk, 4 * blockSize);
    // Without folding the bytes matched are the bytes read: one buffer.
    const bool folds = engine.preparingChangesBytes();
    std::unique_ptr<std::uint8_t[]> raw(new (std::nothrow) std::uint8_t[capacity + 1]);
    std::unique_ptr<std::uint8_t[]> folded(folds ? new (std::nothrow) std::uint8_t[capacity + 1]
                                                 : nullptr);
    if (!raw || (folds && !folded)) {
        return RangeResult::Failed;
    }
    std::uint8_t* const work = folds ? folded.get() : raw.get();
    const std::uint64_t rangeStart = start;
    const std::uint64_t total = end - start;
    std::uint64_t base = start;
    std::size_t loaded = 0;
    const std::string shown = shortenedFindText(engine.findText());
    while (start < end) {
        const std::uint64_t n = std::min(end - start, blockSize);
        if (start + n > base + loaded) {
            // Keep what is still ahead, read on after it.
            const auto kept = static_cast<std::size_t>(base + loaded - start);
            std::memmove(raw.get(), raw.get() + (start - base), kept);
            if (folds) {
                std::memmove(work, work + (start - base), kept);
            }
            base = start;
            loaded = kept;
            const auto want = static_cast<std::size_t>(
                std::min<std::uint64_t>(capacity - loaded, end - (base + loaded)));
            std::uint64_t read = 0;
            if (!data.readData(raw.get() + loaded, want, read, base + loaded) || read != want) {
                return RangeResult::Failed;
            }
            if (folds) {
                std::memcpy(work + loaded, raw.get() + loaded, want);
                engine.prepareBlock(work + loaded, want);
            }
            loaded += want;
        }
        const auto at = static_cast<std::size_t>(start - base);
        const auto match = engine.matchPrepared(work + at, static_cast<std::size_t>(n), true);
        bool written = true;
        if (!match) {
            const std::uint64_t step = start + n < end ? 63 * m : n;
            written = output.write(raw.get() + at, static_cast<std::size_t>(step));
            start += step;
        } else {
            written = output.write(raw.get() + at, match->first) &&
                      output.write(replacement.data(), replacement.size());
            ++count;
            start += match->first + match->second;
            if (match->second == 0) {
                // An empty match: the byte after it is kept and the scan goes on past it.
                written = written && output.write(raw.get() + at + match->first, 1);
                start += 1;
            }
        }
        if (!written) {
            return RangeResult::Failed;
        }
        if (progress != nullptr) {
            const std::string text = platform::formatPrintf(
                strings.text(kReplacingNth), {static_cast<std::int64_t>(count + 1), shown});
            if (platform::reportProgress(progress, total, start - rangeStart,
                                         platform::ProgressKind::Progress,
                                         &text) == platform::ProgressAnswer::Cancel) {
                platform::reportProgress(progress, total, total, platform::ProgressKind::Failed);
                return RangeResult::Cancelled;
            }
        }
    }
    platform::reportProgress(progress, total, total, platform::ProgressKind::Finished);
    return RangeResult::Done;
}

bool ReplaceTool::copyOutsideRange(CEditData& data, Output& output, std::uint64_t start,
                                   std::uint64_t end, const platform::ProgressCallback* progress) {
    const std::uint64_t size = data.getDataSize();
    const std::uint64_t total = start + (size - end);
    std::vector<std::uint8_t> buffer(65536);
    std::uint64_t done = 0;
    const std::uint64_t replacedEnd = output.position;
    const auto copy = [&](std::uint64_t from, std::uint64_t to, std::uint64_t at) {
        output.position = at;
        while (from < to) {
            const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(to - from, 65536));
            std::uint64_t read = 0;
            if (!data.readData(buffer.data(), n, read, from) || read != n ||
                !output.write(buffer.data(), n)) {
                return false;
            }
            from += n;
            done += n;
            platform::reportProgress(progress, total, done, platform::ProgressKind::Progress);
        }
        return output.flush();
    };
    const bool copied = copy(0, start, 0) && copy(end, size, replacedEnd);
    platform::reportProgress(
        progress, total, total,
        copied ? platform::ProgressKind::Finished : platform::ProgressKind::Failed);
    return copied;
}

// Every range replaced into the file, and for a selection the data around
// it; false after a failure or a cancel.
bool ReplaceTool::writeReplaced(CEditData& data, Output& output, const std::vector<Range>& ranges,
                                const std::vector<std::uint8_t>& replacement, std::uint64_t& count,
                                platform::ProgressRunner* runner,
                                const platform::StringTable& strings) {
    const SearchSettings& settings = find_.engine().settings();
    const SearchEngine& engine = find_.engine();
    const auto inBackground = [&](std::uint64_t bytes) {
        return runner != nullptr && settings.asyncEnabled && bytes > settings.asyncThreshold;
    };
    for (const auto& [start, end] : ranges) {
        RangeResult result = RangeResult::Done;
        if (inBackground(end - start)) {
            const std::string text = platform::formatPrintf(strings.text(kReplacingFirst),
                                                            {shortenedFindText(engine.findText())});
            result = RangeResult::Cancelled;
            const CEditData::WorkerLease lease(data);
            runner->runWithProgressText(
                kReplaceCaption, text, true, [&](const platform::ProgressCallback& callback) {
                    result = replaceRange(data, output, start, end, replacement, count, &callback,
                                          strings);
                });
        } else {
            result = replaceRange(data, output, start, end, replacement, count, nullptr, strings);
        }
        if (result != RangeResult::Done) {
            return false;
        }
    }
    if (!output.flush()) {
        return false;
    }
    // A selection with replacements needs the data around it; with nothing
    // around it there is nothing to copy.
    const auto [start, end] = ranges.front();
    const std::uint64_t outside = start + (data.getDataSize() - end);
    if (!inSelection || count == 0 || outside == 0) {
        return true;
    }
    if (!inBackground(outside)) {
        return copyOutsideRange(data, output, start, end, nullptr);
    }
    bool copied = false;
    const CEditData::WorkerLease lease(data);
    runner->runWithProgressText(kReplaceCaption, strings.text(kSavingFile), false,
                                [&](const platform::ProgressCallback& callback) {
                                    copied = copyOutsideRange(data, output, start, end, &callback);
                                });
    return copied;
}

ReplaceTool::Outcome ReplaceTool::replaceAll(
    const std::string& findText, const std::string& replaceText, SearchView& view,
    platform::MessageService& messages, platform::ProgressRunner* runner,
    const std::function<std::optional<std::string>()>& temporaryFile) {
    Outcome outcome;
    CEditData& data = view.searchedData();
    const std::uint64_t size = data.getDataSize();
    const platform::MessageStyle information(platform::MessageIcon::Information);
    SearchEngine& engine = find_.engine();
    const bool hexMode = !find_.options.asciiText;
    if (size == 0 || size == CEditData::kNoDataSize || findText.empty()) {
        return outcome;
    }
    if (hexMode && !validateHexString(findText, engine.settings().allowHexWildcard,
                                      engine.settings().hexWildcard)) {
        messages.show(searchtext::kInvalidHexFind, information);
        return outcome;
    }
    const auto replacement = replacementBytes(replaceText);
    if (!replacement) {
        messages.show(searchtext::kInvalidHexReplace, information);
        return outcome;
    }
    engine.setData(&data);
    if (!engine.compilePattern(findText, hexMode, find_.options.regex, find_.options.matchCase)) {
        return outcome;
    }
    // The ranges: the selection, the whole data, or from the caret on and
    // then the part before it.
    std::vector<Range> ranges;
    const auto selection = view.rangeSelection();
    if (inSelection) {
        if (!selection || selection->second <= selection->first) {
            return outcome;  // a column block is not a range of the data
        }
        ranges.push_back(*selection);
    } else if (fromTop || view.caretOffset() == 0) {
        ranges.emplace_back(0, size);
    } else {
        const std::uint64_t caret = std::min(view.caretOffset(), size);
        ranges.emplace_back(0, caret);
        ranges.emplace_back(caret, size);
    }
    const std::optional<std::string> path = temporaryFile();
    platform::File file = path ? platform::File::open(*path, platform::FileAccess::ReadWrite,
                                                      platform::FileShare::NotShared,
                                                      platform::FileDisposition::CreateAlways)
                               : platform::File();
    const auto discard = [&] {
        file.close();
        if (path) {
            std::remove(path->c_str());
        }
    };
    if (!file.isOpen()) {
        messages.showText(platform::errorText(path ? file.lastError() : ENOSPC), information);
        discard();
        return outcome;
    }
    Output output{file, ranges.front().first, {}, 0};
    std::uint64_t count = 0;
    const bool processed =
        writeReplaced(data, output, ranges, *replacement, count, runner, messages.strings());
    if (output.error != 0) {
        messages.showText(platform::errorText(output.error), information);
        discard();
        return outcome;
    }
    file.close();
    outcome.done = processed;
    outcome.replaced = count;
    if (processed && count > 0) {
        const platform::MessageStyle confirm(platform::MessageIcon::Information,
                                             platform::MessageButtons::OkCancel);
        if (messages.show(searchtext::kReplacedConfirm, confirm,
                          {static_cast<std::int64_t>(count)}) == platform::MessageAnswer::Ok) {
            view.clearSelection();
            outcome.applied = data.replaceContent(*path);  // the file goes in any case
            return outcome;
        }
    }
    discard();
    if (processed && count == 0) {
        messages.show(searchtext::kNothingReplaced, information);
    }
    return outcome;
}
