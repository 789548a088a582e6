// The help set as written for the program, and the help window over it: the
// contents, the index, the search with its marks, and Help from the frame
// and the options sheet.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>
#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <regex>
#include <set>

#include "app/CHelpWindow.h"
#include "app/COptionsSheet.h"
#include "app/CPageSetupDialog.h"
#include "app/CommandIds.h"
#include "app/DialogTopics.h"
#include "app/ProgramHelp.h"
#include "display/EditCommandIds.h"
#include "display/ViewCommandIds.h"
#include "marks/MarkCommandIds.h"
#include "search/SearchCommandIds.h"
#include "tests/app/FrameFixture.h"

namespace {

namespace fs = std::filesystem;

const std::string kHelp = KESTRANE_HELP_SOURCE;

TEST(HelpSetTest, EveryEntryLeadsToAPageAndEveryLinkToo) {
    const HelpSet help = HelpSet::load(kHelp);
    ASSERT_FALSE(help.empty());
    EXPECT_EQ(help.contents().front().page, "Tps_main.htm");
    for (const auto& entry : help.contents()) {
        EXPECT_TRUE(fs::exists(help.pagePath(entry.page))) << entry.page;
    }
    for (const auto& entry : help.index()) {
        EXPECT_TRUE(fs::exists(help.pagePath(entry.page))) << entry.keyword;
    }
    for (const char* topic : {"Tps_pg.htm", "Tps_pg_general.htm", "Tps_pg_file.htm",
                              "Tps_pg_edit.htm", "Tps_pg_find.htm", "Tps_pg_datamark.htm",
                              "Tps_pg_present.htm", "Tps_pg_interpret.htm", "Tps_pg_appear.htm"}) {
        EXPECT_TRUE(fs::exists(help.pagePath(topic))) << topic;
    }
    // Links between pages name pages of the set.
    const std::regex link("href=\"([^\"#]+)\"");
    for (const auto& page : fs::directory_iterator(kHelp)) {
        if (page.path().extension() != ".htm") {
            continue;
        }
        std::ifstream file(page.path());
        const std::string text((std::istreambuf_iterator<char>(file)), {});
        for (auto at = std::sregex_iterator(text.begin(), text.end(), link);
             at != std::sregex_iterator(); ++at) {
            EXPECT_TRUE(fs::exists(help.pagePath((*at)[1]))) << page.path() << " " << (*at)[1];
        }
    }
    for (const int topic : {1000, 1001, 1100, 1105, 1160, 1170}) {
        EXPECT_TRUE(help.popup(topic).has_value()) << topic;
    }
    EXPECT_FALSE(help.popup(4242).has_value());
}

TEST(HelpSetTest, ThePicturesArePaintedByTheBuildBesideThePages) {
    const std::regex picture("<img src=\"([^\"]+)\"");
    int pictures = 0;
    for (const auto& page : fs::directory_iterator(kHelp)) {
        if (page.path().extension() != ".htm") {
            continue;
        }
        std::ifstream file(page.path());
        const std::string text((std::istreambuf_iterator<char>(file)), {});
        for (auto at = std::sregex_iterator(text.begin(), text.end(), picture);
             at != std::sregex_iterator(); ++at, ++pictures) {
            const QImage image(
                QString::fromStdString(std::string(KESTRANE_HELP_BUILT) + "/" + (*at)[1].str()));
            ASSERT_FALSE(image.isNull()) << page.path() << " " << (*at)[1];
            // Drawn, not blank: text, header and selection leave many colours.
            std::set<QRgb> colours;
            for (int y = 0; y < image.height(); y += 3) {
                for (int x = 0; x < image.width(); x += 3) {
                    colours.insert(image.pixel(x, y));
                }
            }
            EXPECT_GT(colours.size(), 8U) << (*at)[1];
            EXPECT_GT(image.width(), 300);
        }
    }
    EXPECT_GE(pictures, 2);
}

TEST(HelpSetTest, IndexFilterAndSearchFindWhatThePagesSay) {
    const HelpSet help = HelpSet::load(kHelp);
    const auto printing = help.indexMatching("PRINT");
    ASSERT_FALSE(printing.empty());
    for (const auto& entry : printing) {
        EXPECT_NE(entry.keyword.find("rint"), std::string::npos) << entry.keyword;
    }
    const auto hits = help.search("footer codes");
    ASSERT_FALSE(hits.empty());
    EXPECT_EQ(hits.front().page, "Tps_print.htm");
    EXPECT_EQ(hits.front().title, "Printing and page setup");
    EXPECT_TRUE(help.search("").empty());
    EXPECT_TRUE(help.search("footer zyxwvut").empty());  // every word must be there
    EXPECT_EQ(plainTextOfHtml("<p>A &amp; B&lt;C&gt;</p>"), " A & B<C> ");
}

class HelpFrameTest : public testsupport::FrameFixture {
  protected:
    void SetUp() override {
        FrameFixture::SetUp();
        frame->setHelpFolder(kHelp);
    }
};

// A menu command's text as a user reads it: no access mark, no keys.
QString plainCommandText(const QAction& action) {
    QString text = action.text().section(QLatin1Char('\t'), 0, 0);
    text.remove(QLatin1Char('&'));
    return text.trimmed();
}

TEST_F(HelpFrameTest, EveryMenuCommandIsDescribedOnTheMenusPage) {
    ASSERT_TRUE(frame->openDocument(makeFile("menus.bin", "data")));
    std::ifstream file(std::string(kHelp) + "/Tps_menus.htm");
    const std::string page((std::istreambuf_iterator<char>(file)), {});
    ASSERT_FALSE(page.empty());
    int commands = 0;
    // Recent files and open windows are numbered entries, not commands.
    const QRegularExpression numberedEntry(QStringLiteral("^&\\d+ "));
    std::function<void(QMenu&)> visit = [&](QMenu& menu) {
        emit menu.aboutToShow();  // menus filled when shown (the window list)
        for (QAction* action : menu.actions()) {
            if (action->menu() != nullptr) {
                visit(*action->menu());
            } else if (!action->isSeparator() && !action->text().isEmpty() &&
                       !numberedEntry.match(action->text()).hasMatch()) {
                ++commands;
                EXPECT_NE(page.find(plainCommandText(*action).toStdString()), std::string::npos)
                    << menu.title().toStdString() << " > " << action->text().toStdString();
            }
        }
    };
    for (QAction* top : frame->menuBar()->actions()) {
        if (top->menu() != nullptr) {
            visit(*top->menu());
        }
    }
    EXPECT_GT(commands, 60);
}

// A control's text as a user reads it: no access mark, no trailing colon.
QString plainControlText(QString text) {
    text.remove(QLatin1Char('&'));
    text = text.trimmed();
    if (text.endsWith(QLatin1Char(':'))) {
        text.chop(1);
    }
    return text.trimmed();
}

TEST_F(HelpFrameTest, EveryControlOfAnOptionsPageIsDescribedOnItsPage) {
    const std::array<const char*, 8> pages = {
        "Tps_pg_general.htm",  "Tps_pg_file.htm",    "Tps_pg_edit.htm",      "Tps_pg_find.htm",
        "Tps_pg_datamark.htm", "Tps_pg_present.htm", "Tps_pg_interpret.htm", "Tps_pg_appear.htm"};
    int controls = 0;
    QTimer::singleShot(50, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* sheet = dynamic_cast<COptionsSheet*>(widget);
            if (sheet == nullptr || !sheet->isVisible()) {
                continue;
            }
            ASSERT_EQ(sheet->tabs()->count(), static_cast<int>(pages.size()));
            for (int tab = 0; tab < sheet->tabs()->count(); ++tab) {
                std::ifstream file(std::string(kHelp) + "/" + pages[static_cast<std::size_t>(tab)]);
                const std::string page((std::istreambuf_iterator<char>(file)), {});
                QStringList texts;
                QWidget* content = sheet->tabs()->widget(tab);
                for (auto* label : content->findChildren<QLabel*>()) {
                    texts << label->text();
                }
                for (auto* button : content->findChildren<QAbstractButton*>()) {
                    texts << button->text();
                }
                for (auto* group : content->findChildren<QGroupBox*>()) {
                    texts << group->title();
                }
                for (const QString& raw : texts) {
                    const QString text = plainControlText(raw);
                    // Values shown in labels ("File System: ext4", a path) are not names.
                    if (text.size() < 3 ||
                        text.contains(QRegularExpression(QStringLiteral("\\d{2}|/|\\w: \\S")))) {
                        continue;
                    }
                    ++controls;
                    EXPECT_NE(page.find(text.toHtmlEscaped().toStdString()), std::string::npos)
                        << pages[static_cast<std::size_t>(tab)] << " lacks \"" << text.toStdString()
                        << "\"";
                }
            }
            sheet->reject();
        }
    });
    frame->action(cmd::ToolsOptions)->trigger();
    EXPECT_GT(controls, 60);
}

// The texts of the named controls of a dialog as a user reads them, without
// values (a number, a path) and the buttons every dialog has.
QStringList controlNames(QWidget& dialog) {
    QStringList texts;
    for (auto* label : dialog.findChildren<QLabel*>()) {
        texts << label->text();
    }
    for (auto* button : dialog.findChildren<QAbstractButton*>()) {
        texts << button->text();
    }
    for (auto* group : dialog.findChildren<QGroupBox*>()) {
        texts << group->title();
    }
    const QStringList common = {"OK", "Cancel", "Close", "Help", "Apply", "Yes", "No"};
    QStringList names;
    for (const QString& raw : texts) {
        const QString text = plainControlText(raw);
        if (text.size() >= 3 && !common.contains(text) &&
            !text.contains(
                QRegularExpression(QStringLiteral("^[a-z0-9]|\\d{2}|/|\\w: \\S|<|\\[")))) {
            names << text;
        }
    }
    return names;
}

TEST_F(HelpFrameTest, EveryControlOfTheDialogsIsDescribedOnItsSubjectsPage) {
    ASSERT_TRUE(frame->openDocument(makeFile("controls.bin", std::string(64, 'a'))));
    int controls = 0;
    for (const int command :
         {cmd::SearchFind, cmd::SearchReplace, cmd::EditGoTo, cmd::EditSelectRange,
          cmd::EditSelectColumnBlock, cmd::EditSetDataSize, cmd::EditModifyData, cmd::EditSwapData,
          cmd::ViewUnitMulti, cmd::FileNew, cmd::FileQuickOpen, cmd::FileAttributes,
          cmd::FilePageSetup, cmd::DefineDatamark, cmd::EditDatamarks, cmd::FileNewAndPaste}) {
        bool seen = false;
        QTimer::singleShot(50, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<QDialog*>(widget);
                if (dialog == nullptr || !dialog->isVisible() || dialogTopic(*dialog).empty()) {
                    continue;
                }
                const std::string topic = dialogTopic(*dialog);
                std::ifstream file(std::string(kHelp) + "/" + topic);
                const std::string page((std::istreambuf_iterator<char>(file)), {});
                for (const QString& name : controlNames(*dialog)) {
                    ++controls;
                    EXPECT_NE(page.find(name.toHtmlEscaped().toStdString()), std::string::npos)
                        << topic << " lacks \"" << name.toStdString() << "\" of "
                        << dialog->windowTitle().toStdString();
                }
                dialog->close();
                seen = true;
            }
        });
        if (command == cmd::FileNewAndPaste) {
            QGuiApplication::clipboard()->setText(QStringLiteral("01 02 03"));
            frame->updateCommands();
        }
        if (command == cmd::EditSwapData) {
            frame->action(cmd::ViewUnitShort)->trigger();  // a swap needs units of two bytes
        }
        frame->action(command)->trigger();
        EXPECT_TRUE(QTest::qWaitFor([&] { return seen; }, 5000)) << command;
    }
    QGuiApplication::clipboard()->clear();
    EXPECT_GT(controls, 80);
}

TEST_F(HelpFrameTest, TheHelpCommandsOpenOneWindowOnTheirTab) {
    frame->action(cmd::HelpContents)->trigger();
    CHelpWindow& window = frame->helpWindow();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.browser().source().toString().endsWith("Tps_main.htm"));
    EXPECT_GT(window.contentsTree().topLevelItem(0)->childCount(), 5);
    frame->action(cmd::HelpIndex)->trigger();
    EXPECT_EQ(&frame->helpWindow(), &window);  // one per run
    window.indexFilter().setText(QStringLiteral("trash"));
    ASSERT_EQ(window.indexList().count(), 1);
    emit window.indexList().itemClicked(window.indexList().item(0));
    EXPECT_TRUE(window.browser().source().toString().endsWith("Tps_workspace.htm"));

    frame->action(cmd::HelpSearch)->trigger();
    window.search(QStringLiteral("margins"));
    ASSERT_GT(window.hitList().count(), 0);
    EXPECT_GT(window.markedCount(), 0);  // the words are marked on the page
    // Links lead on, and Back returns.
    const QUrl searched = window.browser().source();
    window.browser().setSource(QUrl(QStringLiteral("Tps_pg_file.htm")));
    EXPECT_TRUE(window.browser().source().toString().endsWith("Tps_pg_file.htm"));
    window.browser().backward();
    EXPECT_EQ(window.browser().source(), searched);
}

TEST_F(HelpFrameTest, TheOptionsSheetsHelpOpensTheCurrentPagesTopic) {
    bool checked = false;
    QTimer::singleShot(50, [this, &checked] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* sheet = dynamic_cast<COptionsSheet*>(widget);
            if (sheet == nullptr || !sheet->isVisible()) {
                continue;
            }
            EXPECT_TRUE(sheet->helpButton()->isEnabled());
            sheet->tabs()->setCurrentIndex(1);
            sheet->helpButton()->click();
            EXPECT_TRUE(
                frame->helpWindow().browser().source().toString().endsWith("Tps_pg_file.htm"));
            checked = true;
            sheet->reject();
        }
    });
    frame->action(cmd::ToolsOptions)->trigger();
    EXPECT_TRUE(checked);

    // Without a help set the button stays off.
    frame->setHelpFolder(dir.file("no-help"));
    bool off = false;
    QTimer::singleShot(50, [&off] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* sheet = dynamic_cast<COptionsSheet*>(widget); sheet && sheet->isVisible()) {
                off = !sheet->helpButton()->isEnabled();
                sheet->reject();
            }
        }
    });
    frame->action(cmd::ToolsOptions)->trigger();
    EXPECT_TRUE(off);
}

TEST_F(HelpFrameTest, ControlsAnswerWhatsThisAndF1OpensTheDialogsTopic) {
    ASSERT_TRUE(frame->openDocument(makeFile("page.bin", "data")));
    const HelpSet help = HelpSet::load(kHelp);
    QString marginText;
    QString topicShown;
    QTimer::singleShot(50, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = dynamic_cast<CPageSetupDialog*>(widget);
            if (dialog == nullptr || !dialog->isVisible()) {
                continue;
            }
            for (QLineEdit* edit : dialog->findChildren<QLineEdit*>()) {
                if (edit->property("helpTopic").toInt() == 1164) {
                    marginText = edit->whatsThis();
                }
            }
            QTest::keyClick(dialog, Qt::Key_F1);
            topicShown = frame->helpWindow().browser().source().fileName();
            dialog->reject();
        }
    });
    frame->action(cmd::FilePageSetup)->trigger();
    EXPECT_EQ(marginText.toStdString(), help.popup(1164).value());
    EXPECT_EQ(topicShown, QStringLiteral("Tps_print.htm"));

    // The options sheet: the interpretation page's controls, and F1 on a page.
    QString decimalText;
    QString pageShown;
    QTimer::singleShot(50, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* sheet = dynamic_cast<COptionsSheet*>(widget);
            if (sheet == nullptr || !sheet->isVisible()) {
                continue;
            }
            for (QWidget* control : sheet->findChildren<QWidget*>()) {
                if (control->property("helpTopic").toInt() == 1102) {
                    decimalText = control->whatsThis();
                }
            }
            sheet->tabs()->setCurrentIndex(2);
            QTest::keyClick(sheet, Qt::Key_F1);
            pageShown = frame->helpWindow().browser().source().fileName();
            sheet->reject();
        }
    });
    frame->action(cmd::ToolsOptions)->trigger();
    EXPECT_EQ(decimalText.toStdString(), help.popup(1102).value());
    EXPECT_EQ(pageShown, QStringLiteral("Tps_pg_edit.htm"));
}

// Finds the shown dialog that has a help subject, presses F1 in it and
// closes it; runs from the event loop, as the Find dialog is modal.
QString pressF1InTheShownDialog(CMainFrame& frame) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(widget);
        if (dialog == nullptr || !dialog->isVisible() || dialogTopic(*dialog).empty()) {
            continue;
        }
        EXPECT_TRUE(dialog->windowFlags().testFlag(Qt::WindowContextHelpButtonHint));
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        QTest::keyClick(dialog, Qt::Key_F1);
        dialog->close();
        return frame.helpWindow().browser().source().fileName();
    }
    return QStringLiteral("no dialog");
}

TEST_F(HelpFrameTest, F1InTheOtherDialogsOpensTheirSubject) {
    ASSERT_TRUE(frame->openDocument(makeFile("dialogs.bin", "data")));
    for (const auto& [command, page] :
         {std::pair{cmd::EditGoTo, "Tps_edit.htm"}, std::pair{cmd::SearchFind, "Tps_find.htm"}}) {
        QString shown;
        QTimer::singleShot(50, [this, &shown] { shown = pressF1InTheShownDialog(*frame); });
        frame->action(command)->trigger();
        EXPECT_TRUE(QTest::qWaitFor([&shown] { return !shown.isEmpty(); }, 5000)) << command;
        EXPECT_EQ(shown, QString::fromLatin1(page)) << command;
    }
}

TEST(ProgramHelpTest, F1InPellwickOrTamsorelOpensTheirPageOfTheSuitesHelp) {
    // The test programs stand beside the built help set, as the programs do.
    QDialog window;
    giveProgramHelp(window, "Tps_calc.htm");
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_F1);
    QTest::keyClick(&window, Qt::Key_F1);
    std::vector<CHelpWindow*> windows;
    for (QObject* child : window.children()) {
        if (auto* help = dynamic_cast<CHelpWindow*>(child)) {
            windows.push_back(help);
        }
    }
    ASSERT_EQ(windows.size(), 1U);  // made once, kept
    EXPECT_TRUE(windows.front()->isVisible());
    EXPECT_EQ(windows.front()->browser().source().fileName(), QStringLiteral("Tps_calc.htm"));
}

}  // namespace
