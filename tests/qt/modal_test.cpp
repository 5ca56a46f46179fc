#include "platform/qt/QtFileDialog.h"
#include "platform/qt/QtMessageBox.h"
#include "qt/ModalAnswer.h"

#include "helpers/TempDir.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace quorbin {
namespace {

using test::ModalAnswer;

TEST(MessageBoxAdapter, ShowsTextAndTitleWithOneOkButtonAndWaitsForIt) {
    QWidget owner;
    QtMessageBox messages(&owner);
    QString text, title;
    std::vector<QString> buttons;
    bool modal = false;
    ModalAnswer<QMessageBox> answer([&](QMessageBox& box) {
        text = box.text();
        title = box.windowTitle();
        modal = box.isModal();
        for (QAbstractButton* button : box.buttons())
            buttons.push_back(button->text());
        QTest::mouseClick(box.button(QMessageBox::Ok), Qt::LeftButton);
    });
    messages.show("No AVI files are selected.", "quorbin");
    ASSERT_TRUE(answer.found);
    EXPECT_EQ(text, QStringLiteral("No AVI files are selected."));
    EXPECT_EQ(title, QStringLiteral("quorbin"));
    EXPECT_TRUE(modal);
    EXPECT_EQ(buttons.size(), 1u);
}

TEST(MessageBoxAdapter, ShowsMarkupAsPlainText) {
    QtMessageBox messages;
    QString shown;
    Qt::TextFormat format = Qt::AutoText;
    ModalAnswer<QMessageBox> answer([&](QMessageBox& box) {
        shown = box.text();
        format = box.textFormat();
        box.accept();
    });
    messages.show("Cannot open \"<b>x</b>.avs\"", "quorbin");
    ASSERT_TRUE(answer.found);
    EXPECT_EQ(shown, QStringLiteral("Cannot open \"<b>x</b>.avs\""));
    EXPECT_EQ(format, Qt::PlainText);
}

OpenFileRequest request(bool multi, bool mustExist, std::string initial = {}) {
    OpenFileRequest r;
    r.title = "Select AVI Files";
    r.filter = "*.avi";
    r.initialFolder = std::move(initial);
    r.multiSelect = multi;
    r.mustExist = mustExist;
    return r;
}

TEST(FileDialogAdapter, FileModeFollowsTheRequest) {
    struct Case {
        bool multi;
        bool mustExist;
        QFileDialog::FileMode mode;
    };
    const std::vector<Case> cases{
        {true, false, QFileDialog::ExistingFiles},
        {true, true, QFileDialog::ExistingFiles},
        {false, true, QFileDialog::ExistingFile},
        {false, false, QFileDialog::AnyFile},
    };
    for (const Case& c : cases) {
        QFileDialog dialog;
        QtFileDialog::configure(dialog, request(c.multi, c.mustExist));
        EXPECT_EQ(dialog.fileMode(), c.mode) << c.multi << c.mustExist;
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
    }
}

TEST(FileDialogAdapter, TitleAndFiltersComeFromTheRequest) {
    QFileDialog dialog;
    QtFileDialog::configure(dialog, request(true, false));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Select AVI Files"));
    EXPECT_EQ(dialog.nameFilters(), (QStringList{QStringLiteral("*.avi"), QStringLiteral("All files (*)")}));
    EXPECT_EQ(dialog.selectedNameFilter(), QStringLiteral("*.avi"));
}

TEST(FileDialogAdapter, OpensInTheFolderOfTheFileChosenLastWithItPreselected) {
    test::TempDir dir;
    std::ofstream(dir.file("prog.exe")) << "x";
    const QString folder = QString::fromStdString(dir.path().string());

    QFileDialog inFolder;
    QtFileDialog::configure(inFolder, request(false, false, dir.path().string()));
    EXPECT_EQ(inFolder.directory().absolutePath(), folder);

    QFileDialog atFile;
    QtFileDialog::configure(atFile, request(false, false, dir.file("prog.exe")));
    EXPECT_EQ(atFile.directory().absolutePath(), folder);
    EXPECT_EQ(atFile.selectedFiles(), QStringList{folder + QStringLiteral("/prog.exe")});

    QFileDialog atNewFile; // a template path that was typed and never saved
    QtFileDialog::configure(atNewFile, request(false, false, dir.file("new.avs")));
    EXPECT_EQ(atNewFile.directory().absolutePath(), folder);
}

// Types names into the dialog's file name box and presses its Open button.
void typeAndOpen(QFileDialog& dialog, const QString& names) {
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(edit, nullptr);
    edit->setText(names);
    auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    ASSERT_NE(buttons, nullptr);
    QTest::mouseClick(buttons->button(QDialogButtonBox::Open), Qt::LeftButton);
}

TEST(FileDialogAdapter, ReturnsTheFullPathsOfSeveralChosenFiles) {
    test::TempDir dir;
    for (const char* name : {"b.avi", "A.avi", "c.avi"})
        std::ofstream(dir.file(name)) << "x";
    QtFileDialog dialog;
    ModalAnswer<QFileDialog> answer(
        [](QFileDialog& d) { typeAndOpen(d, QStringLiteral("\"b.avi\" \"A.avi\"")); });
    const Result<std::vector<std::string>> result = dialog.open(request(true, false, dir.path().string()));
    ASSERT_TRUE(answer.found);
    EXPECT_TRUE(result.ok());
    std::vector<std::string> paths = result.value();
    std::sort(paths.begin(), paths.end());
    EXPECT_EQ(paths, (std::vector<std::string>{dir.file("A.avi"), dir.file("b.avi")}));
}

TEST(FileDialogAdapter, AcceptsANameThatDoesNotExistWhenAskedTo) {
    test::TempDir dir;
    QtFileDialog dialog;
    ModalAnswer<QFileDialog> answer([](QFileDialog& d) { typeAndOpen(d, QStringLiteral("later.avs")); });
    OpenFileRequest r = request(false, false, dir.path().string());
    r.readOnlyTicked = true;
    const Result<std::vector<std::string>> result = dialog.open(r);
    ASSERT_TRUE(answer.found);
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(result.value(), std::vector<std::string>{dir.file("later.avs")});
}

// The names the dialog's list shows, in its order.
QStringList shownNames(QFileDialog& dialog) {
    QStringList names;
    auto* view = dialog.findChild<QListView*>(QStringLiteral("listView"));
    if (view == nullptr)
        return names;
    for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
        names << view->model()->index(row, 0, view->rootIndex()).data().toString();
    return names;
}

// Programs here carry no extension: the program picker offers the files that may be
// run, every file once the user asks for all, and gives back the program chosen.
TEST(FileDialogAdapter, TheProgramPickerOffersTheFilesThatMayBeRun) {
    test::TempDir dir;
    std::ofstream(dir.file("notes.txt")) << "x";
    std::ofstream(dir.file("transcode")) << "#!/bin/sh\n";
    std::filesystem::permissions(dir.file("transcode"), std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    std::filesystem::create_directory(dir.path() / "tools");
    OpenFileRequest r = request(false, false, dir.path().string());
    r.title = "Select Program";
    r.filter = "*.exe";
    r.kind = FileKind::program;

    const QStringList programs{QStringLiteral("tools"), QStringLiteral("transcode")};
    const QStringList everything{QStringLiteral("tools"), QStringLiteral("notes.txt"),
                                 QStringLiteral("transcode")};
    QtFileDialog dialog;
    QStringList filters;
    ModalAnswer<QFileDialog> answer([&](QFileDialog& d) {
        filters = d.nameFilters();
        // The folder is read, and sorted, in the background.
        EXPECT_TRUE(QTest::qWaitFor([&] { return shownNames(d) == programs; }))
            << shownNames(d).join(u' ').toStdString();
        auto* types = d.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(types, nullptr);
        QTest::keyClick(types, Qt::Key_Down); // "All files", chosen as a user chooses it
        EXPECT_TRUE(QTest::qWaitFor([&] { return shownNames(d) == everything; }))
            << shownNames(d).join(u' ').toStdString();
        typeAndOpen(d, QStringLiteral("transcode"));
    });
    const Result<std::vector<std::string>> result = dialog.open(r);
    ASSERT_TRUE(answer.found);
    EXPECT_EQ(filters, (QStringList{QStringLiteral("Programs (*)"), QStringLiteral("All files (*)")}));
    ASSERT_TRUE(result.ok()) << result.error();
    EXPECT_EQ(result.value(), std::vector<std::string>{dir.file("transcode")});
}

TEST(FileDialogAdapter, CancelGivesNoPathsAndNoFailure) {
    QtFileDialog dialog;
    ModalAnswer<QFileDialog> answer([](QFileDialog& d) { d.reject(); });
    const Result<std::vector<std::string>> result = dialog.open(request(false, false));
    ASSERT_TRUE(answer.found);
    EXPECT_TRUE(result.ok());
    EXPECT_TRUE(result.value().empty());
    EXPECT_TRUE(result.error().empty());
}

} // namespace
} // namespace quorbin
