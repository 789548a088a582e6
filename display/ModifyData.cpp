#include "display/ModifyData.h"

#include <algorithm>

#include "platform/NumberText.h"

void applyModifyOperation(std::span<std::uint8_t> bytes, ModifyOperation operation,
                          const std::function<std::uint8_t()>& value) {
    for (std::uint8_t& x : bytes) {
        const std::uint8_t v = value();
        switch (operation) {
            case ModifyOperation::Copy:
                x = v;
                break;
            case ModifyOperation::Add:
                x = static_cast<std::uint8_t>(v + x);
                break;
            case ModifyOperation::And:
                x = static_cast<std::uint8_t>(v & x);
                break;
            case ModifyOperation::Or:
                x = static_cast<std::uint8_t>(v | x);
                break;
            case ModifyOperation::Xor:
                x = static_cast<std::uint8_t>(v ^ x);
                break;
            case ModifyOperation::Not:
                x = static_cast<std::uint8_t>(~x);
                break;
        }
    }
}

ModifyDataForm::ModifyDataForm(const Bounds& bounds, const Defaults& defaults)
    : bounds_(bounds),
      insert_(defaults.insert),
      random_(defaults.random),
      operation_(defaults.operation) {
    address_ = write(bounds.initial);
    length_ = write(defaults.length);
    byte_ = write(defaults.initialByte);
}

std::optional<std::uint64_t> ModifyDataForm::read(const std::string& text) const {
    return parseInBase(text, base_);
}

std::string ModifyDataForm::write(std::uint64_t value) const {
    return formatInBase(value, base_);
}

int ModifyDataForm::editAddress(const std::string& text) {
    if (!isDigitsOf(text, base_)) {
        return digitMessageId(base_);
    }
    const std::optional<std::uint64_t> address = read(text);
    if (!address) {
        address_ = text;  // an empty field is finished later, or refused by OK
        return 0;
    }
    // An address outside the data is refused in both modes: an insert there
    // would reach before the data or past its end.
    if (*address < bounds_.minimum || *address > bounds_.maximum) {
        return modifytext::kAddressOutOfScope;
    }
    address_ = text;
    if (!insert_) {
        const auto length = read(length_);
        if (length && *length > bounds_.maximum - *address) {
            length_ = write(bounds_.maximum - *address);
        }
    }
    return 0;
}

int ModifyDataForm::editLength(const std::string& text) {
    if (!isDigitsOf(text, base_)) {
        return digitMessageId(base_);
    }
    const std::optional<std::uint64_t> length = read(text);
    if (!length) {
        length_ = text;
        return 0;
    }
    if (!insert_) {
        if (*length > bounds_.maximum - bounds_.minimum) {
            return modifytext::kLengthOutOfScope;
        }
        const auto address = read(address_);
        if (address && *address > bounds_.maximum - *length) {
            address_ = write(bounds_.maximum - *length);
        }
    }
    length_ = text;
    return 0;
}

int ModifyDataForm::editByte(const std::string& text) {
    if (!isDigitsOf(text, base_)) {
        return digitMessageId(base_);
    }
    byte_ = text;
    return 0;
}

void ModifyDataForm::choosePreset(int index) {
    const std::uint64_t address = index == 0   ? bounds_.minimum
                                  : index == 1 ? bounds_.maximum
                                               : bounds_.initial;
    address_ = write(address);
    const auto length = read(length_);
    if (length && *length > bounds_.maximum - address) {
        length_ = write(bounds_.maximum - address);
    }
}

void ModifyDataForm::setBase(NumberBase base) {
    const auto rewrite = [this, base](std::string& field, bool isByte) {
        const auto value = read(field);
        if (value) {
            field = formatInBase(isByte ? (*value & 0xFF) : *value, base);
        }
    };
    rewrite(address_, false);
    rewrite(length_, false);
    rewrite(byte_, true);
    base_ = base;
}

int ModifyDataForm::accept(std::uint64_t dataStart, ModifyDataRequest& request) const {
    const auto length = read(length_);
    if (!length || *length == 0) {
        return modifytext::kEnterLength;
    }
    const auto address = read(address_);
    if (!address || *address < bounds_.minimum || *address > bounds_.maximum ||
        *address < dataStart) {
        return modifytext::kAddressOutOfScope;
    }
    if (!insert_ && *length > bounds_.maximum - *address) {
        return modifytext::kLengthOutOfScope;
    }
    request.offset = *address - dataStart;
    request.length = *length;
    request.initialByte = static_cast<std::uint8_t>(read(byte_).value_or(0) & 0xFF);
    request.random = random_;
    request.insert = insert_;
    request.operation = operation_;
    return 0;
}
