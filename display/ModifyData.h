#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "platform/NumberBase.h"

// "Modify Data": fill or transform a run of bytes, or insert a filled one.

// "Operation Type:", in the order of its list ("Write Type" 0-5).
enum class ModifyOperation { Copy = 0, Add = 1, And = 2, Or = 3, Xor = 4, Not = 5 };

struct ModifyDataRequest {
    std::uint64_t offset = 0;  // in the data
    std::uint64_t length = 0;
    std::uint8_t initialByte = 0;
    bool random = false;  // a fresh random byte per position instead of the initial byte
    bool insert = false;
    ModifyOperation operation = ModifyOperation::Copy;
};

// Each byte x becomes v, v + x, v & x, v | x, v ^ x or ~x, where v is
// `value()` asked once per byte.
void applyModifyOperation(std::span<std::uint8_t> bytes, ModifyOperation operation,
                          const std::function<std::uint8_t()>& value);

namespace modifytext {
inline constexpr int kLengthOutOfScope = 1026;
inline constexpr int kAddressOutOfScope = 1027;
inline constexpr int kEnterLength = 1028;
inline constexpr int kModifySelection = 1029;
}  // namespace modifytext

// The fields of the dialog and their rules. Each edit either takes the new
// text (perhaps adjusting the other field) or refuses it with a message id,
// the field keeping its previous text. Addresses are display addresses:
// the data start address plus the offset.
class ModifyDataForm {
  public:
    struct Bounds {
        std::uint64_t minimum = 0;
        std::uint64_t maximum = 0;
        std::uint64_t initial = 0;  // "Current Edit Point"
    };
    struct Defaults {
        std::uint64_t length = 16;
        std::uint8_t initialByte = 0;
        bool random = false;
        bool insert = false;
        ModifyOperation operation = ModifyOperation::Copy;
    };
    ModifyDataForm(const Bounds& bounds, const Defaults& defaults);

    const std::string& addressText() const { return address_; }
    const std::string& lengthText() const { return length_; }
    const std::string& byteText() const { return byte_; }
    NumberBase base() const { return base_; }
    bool insert() const { return insert_; }
    bool random() const { return random_; }
    ModifyOperation operation() const { return operation_; }

    // 0 when the text was taken, else the message to show.
    int editAddress(const std::string& text);
    int editLength(const std::string& text);
    int editByte(const std::string& text);
    // "Beginning of The File", "End of The File", "Current Edit Point".
    void choosePreset(int index);
    void setInsert(bool insert) { insert_ = insert; }
    void setRandom(bool random) { random_ = random; }
    void setOperation(ModifyOperation operation) { operation_ = operation; }
    // Re-reads the three fields in the old system and writes them in the new one.
    void setBase(NumberBase base);

    // OK: 0 and the request (offset taken from `dataStart`), or the message.
    int accept(std::uint64_t dataStart, ModifyDataRequest& request) const;

  private:
    std::optional<std::uint64_t> read(const std::string& text) const;
    std::string write(std::uint64_t value) const;

    Bounds bounds_;
    NumberBase base_ = NumberBase::Hexadecimal;
    std::string address_, length_, byte_;
    bool insert_;
    bool random_;
    ModifyOperation operation_;
};
