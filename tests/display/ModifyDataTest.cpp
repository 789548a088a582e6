#include "display/ModifyData.h"

#include <gtest/gtest.h>

namespace {

// Data start 0x100, 0x40 bytes, caret at 0x110.
ModifyDataForm makeForm(bool insert = false) {
    ModifyDataForm::Defaults defaults;
    defaults.length = 0x10;
    defaults.insert = insert;
    return ModifyDataForm({0x100, 0x140, 0x110}, defaults);
}

TEST(ModifyDataTest, OverwriteKeepsLengthAndAddressInsideTheData) {
    ModifyDataForm form = makeForm();
    EXPECT_EQ(form.addressText(), "110");
    EXPECT_EQ(form.editLength("41"), modifytext::kLengthOutOfScope);
    EXPECT_EQ(form.lengthText(), "10");
    // A longer length pulls the address back.
    EXPECT_EQ(form.editLength("38"), 0);
    EXPECT_EQ(form.addressText(), "108");
    // An address outside the data is refused; one near the end shortens the length.
    EXPECT_EQ(form.editAddress("ff"), modifytext::kAddressOutOfScope);
    EXPECT_EQ(form.addressText(), "108");
    EXPECT_EQ(form.editAddress("13c"), 0);
    EXPECT_EQ(form.lengthText(), "4");
    EXPECT_EQ(form.editAddress("13g"), 1022);  // "Please enter hexadecimal digit"
    // "End of The File" leaves no length.
    form.choosePreset(1);
    EXPECT_EQ(form.addressText(), "140");
    EXPECT_EQ(form.lengthText(), "0");
}

TEST(ModifyDataTest, OkNeedsALengthAndGivesTheOffsetInTheData) {
    ModifyDataForm form = makeForm();
    ModifyDataRequest request;
    form.editLength("0");
    EXPECT_EQ(form.accept(0x100, request), modifytext::kEnterLength);
    form.editLength("8");
    form.setOperation(ModifyOperation::Xor);
    form.editByte("ff");
    ASSERT_EQ(form.accept(0x100, request), 0);
    EXPECT_EQ(request.offset, 0x10u);
    EXPECT_EQ(request.length, 8u);
    EXPECT_EQ(request.initialByte, 0xFF);
    EXPECT_EQ(request.operation, ModifyOperation::Xor);
}

TEST(ModifyDataTest, InsertTakesAnyLengthButNoAddressOutsideTheData) {
    ModifyDataForm form = makeForm(true);
    EXPECT_EQ(form.editLength("1000"), 0);
    EXPECT_EQ(form.addressText(), "110");
    EXPECT_EQ(form.editAddress("141"), modifytext::kAddressOutOfScope);
}

TEST(ModifyDataTest, SwitchingTheSystemRewritesTheThreeFields) {
    ModifyDataForm form = makeForm();
    form.editByte("1ff");  // only the low byte counts
    form.setBase(NumberBase::Decimal);
    EXPECT_EQ(form.addressText(), "272");
    EXPECT_EQ(form.lengthText(), "16");
    EXPECT_EQ(form.byteText(), "255");
    form.setBase(NumberBase::Octal);
    EXPECT_EQ(form.addressText(), "420");
    EXPECT_EQ(form.editLength("9"), 1023);
}

TEST(ModifyDataTest, OperationsCombineEachByteWithTheValue) {
    const std::vector<std::uint8_t> source{0x0F, 0xF0, 0x81};
    const auto apply = [&](ModifyOperation operation) {
        std::vector<std::uint8_t> bytes = source;
        applyModifyOperation(bytes, operation, [] { return std::uint8_t{0x81}; });
        return bytes;
    };
    EXPECT_EQ(apply(ModifyOperation::Copy), (std::vector<std::uint8_t>{0x81, 0x81, 0x81}));
    EXPECT_EQ(apply(ModifyOperation::Add), (std::vector<std::uint8_t>{0x90, 0x71, 0x02}));
    EXPECT_EQ(apply(ModifyOperation::And), (std::vector<std::uint8_t>{0x01, 0x80, 0x81}));
    EXPECT_EQ(apply(ModifyOperation::Or), (std::vector<std::uint8_t>{0x8F, 0xF1, 0x81}));
    EXPECT_EQ(apply(ModifyOperation::Not), (std::vector<std::uint8_t>{0xF0, 0x0F, 0x7E}));
}

}  // namespace
