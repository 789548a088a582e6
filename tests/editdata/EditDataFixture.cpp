#include "tests/editdata/EditDataFixture.h"

#include <random>

#include "editdata/EditDataStrings.h"
#include "platform/UiThread.h"

namespace edittest {

namespace fs = std::filesystem;

StoreEnvironment::StoreEnvironment()
    : registry(dir.file("registry.sqlite")),
      settings(registry),
      strings{editDataStrings()},
      messages(strings) {
    settings.open();
    settings.write(settings::general::MaxFileSize, static_cast<std::int32_t>(kFloor));
    fs::create_directories(tempDirectory());
    settings.write(settings::general::TempFilePath, tempDirectory());
}

std::string StoreEnvironment::makeFile(const std::string& name, const std::string& bytes) {
    const std::string path = dir.file(name);
    testsupport::writeFile(path, bytes);
    return path;
}

std::vector<std::string> StoreEnvironment::temporaryFiles() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.file("temp"))) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

std::string patternBytes(std::size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    std::minstd_rand random(seed);
    for (auto& byte : bytes) {
        byte = static_cast<char>(random() & 0xFF);
    }
    return bytes;
}

std::string readAll(CEditData& store) {
    const std::uint64_t size = store.getDataSize();
    std::string bytes(size, '\0');
    std::uint64_t read = 0;
    if (size != 0 &&
        !store.readData(reinterpret_cast<std::uint8_t*>(bytes.data()), size, read, 0)) {
        return "<read failed>";
    }
    bytes.resize(read);
    return bytes;
}

std::string readFileBytes(const std::string& path) {
    return testsupport::readFile(path);
}

UiThreadScope::UiThreadScope() {
    platform::markUiThread();
}
UiThreadScope::~UiThreadScope() {
    platform::unmarkUiThread();
}

}  // namespace edittest
