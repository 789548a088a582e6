#include "platform/qt/QtMessageService.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <array>
#include <functional>

namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

constexpr std::array kStrings{
    platform::StringEntry{
        1031, "The file has a read-only attribute, \nif you want to clear the attribute."},
    platform::StringEntry{7, "<b>%s</b>"},
};

// Runs `act` on the message box once it is shown, and records what it showed.
struct BoxSeen {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    Qt::TextFormat format = Qt::AutoText;
};

void whenBoxShows(BoxSeen& seen, std::function<void(QMessageBox&)> act) {
    QTimer::singleShot(0, [&seen, act] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        seen.defaultButton = box->standardButton(box->defaultButton());
        seen.format = box->textFormat();
        act(*box);
    });
}

TEST(QtMessageServiceTest, ShowsTheStringWithCaptionIconButtonsAndDefault) {
    const platform::StringTable table{kStrings};
    platform::QtMessageService messages(table, "Kestrane");
    BoxSeen seen;
    whenBoxShows(seen, [](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); });

    const auto answer =
        messages.show(1031, {MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No});

    EXPECT_EQ(answer, MessageAnswer::Yes);
    EXPECT_EQ(seen.title, "Kestrane");
    EXPECT_EQ(seen.text,
              "The file has a read-only attribute, \nif you want to clear the attribute.");
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(seen.defaultButton, QMessageBox::No);
}

TEST(QtMessageServiceTest, EscapeAnswersTheSafestButton) {
    const platform::StringTable table{kStrings};
    platform::QtMessageService messages(table, "Kestrane");
    BoxSeen seen;
    whenBoxShows(seen, [](QMessageBox& box) { box.reject(); });
    EXPECT_EQ(messages.show(1031, {MessageIcon::Question, MessageButtons::YesNo}),
              MessageAnswer::No);
    whenBoxShows(seen, [](QMessageBox& box) { box.reject(); });
    EXPECT_EQ(messages.show(1031, {MessageIcon::Exclamation, MessageButtons::OkCancel}),
              MessageAnswer::Cancel);
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
}

TEST(QtMessageServiceTest, TextsAreNeverReadAsMarkup) {
    const platform::StringTable table{kStrings};
    platform::QtMessageService messages(table, "Kestrane");
    BoxSeen seen;
    whenBoxShows(seen, [](QMessageBox& box) { box.button(QMessageBox::Ok)->click(); });
    EXPECT_EQ(messages.show(7, {MessageIcon::Stop, MessageButtons::Ok}, {"<i>file</i>"}),
              MessageAnswer::Ok);
    EXPECT_EQ(seen.format, Qt::PlainText);
    EXPECT_EQ(seen.text, "<b><i>file</i></b>");
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
}

TEST(QtMessageServiceTest, ACheckBoxUnderTheTextReportsItsStateWhateverTheButton) {
    const platform::StringTable table{kStrings};
    platform::QtMessageService messages(table, "Kestrane");
    BoxSeen seen;
    QString label;
    whenBoxShows(seen, [&label](QMessageBox& box) {
        ASSERT_NE(box.checkBox(), nullptr);
        label = box.checkBox()->text();
        box.checkBox()->setChecked(true);
        box.button(QMessageBox::Cancel)->click();
    });
    bool checked = false;
    EXPECT_EQ(messages.showWithCheckBox(1031, {MessageIcon::Exclamation, MessageButtons::OkCancel},
                                        "No Longer Warning", checked),
              MessageAnswer::Cancel);
    EXPECT_TRUE(checked);
    EXPECT_EQ(label, "No Longer Warning");
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
}

}  // namespace
