// SPDX-License-Identifier: GPL-3.0-or-later
// The parameter-file dialogs as the operator meets them: opened where they may write, listing
// only *.dat files, and a name typed without extension saved as .dat.
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "runtime/readback.h"
#include "tests/runtime/serial_pty.h"
#include "tests/support/harness.h"

namespace kvor::test {
namespace {

struct Seen {
    QString directory;
    QStringList filters;
};

// Opens a save dialog for `dir`, notes where it opened and what it lists, types `name` and
// accepts. Returns the dialog's result; the chosen path goes to `path`.
int SaveThroughDialog(const QString& dir, const QString& name, Seen* seen, std::string* path) {
    Later(50, [=] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        seen->directory = dialog->directory().absolutePath();
        seen->filters = dialog->nameFilters();
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (edit != nullptr) edit->setText(name);
        QTest::keyClick(edit != nullptr ? static_cast<QWidget*>(edit) : dialog, Qt::Key_Return);
    });
    char chosen[512] = "";
    const QByteArray d = dir.toUtf8();
    const int result =
        FileSelectPopup(d.constData(), "KVORpara.dat", "*.dat", "K-VOR-PX-Series Parameter File",
                        VAL_OK_BUTTON, 0, 1, 1, 1, chosen);
    *path = chosen;
    return result;
}

TEST(FileDialog, OpensWhereTheOperatorMayWriteListsDatFilesAndAddsTheExtension) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    ASSERT_TRUE(QDir(home.path()).mkpath("Documents"));
    ScopedEnv homeEnv("HOME", home.path().toStdString());
    ScopedEnv xdg("XDG_CONFIG_HOME", home.filePath("config").toStdString());
    const QString documents = QDir(home.filePath("Documents")).absolutePath();
    SetPopupsAnswerThemselves(false); // this test answers the real dialog itself
    struct Restore {
        ~Restore() { SetPopupsAnswerThemselves(true); }
    } restore;

    // A program folder that is writable: the dialog opens there.
    QTemporaryDir program;
    Seen seen;
    std::string path;
    EXPECT_EQ(SaveThroughDialog(program.path(), "mine", &seen, &path), VAL_NEW_FILE_SELECTED);
    EXPECT_EQ(seen.directory, QDir(program.path()).absolutePath());
    EXPECT_EQ(seen.filters, QStringList{"*.dat (*.dat)"});
    EXPECT_EQ(QString::fromStdString(path), QDir(program.path()).filePath("mine.dat"));

    // The installed program's folder is not writable: the documents folder instead.
    seen = {};
    EXPECT_EQ(SaveThroughDialog("/nonexistent/usr/lib/kvorscope", "other", &seen, &path),
              VAL_NEW_FILE_SELECTED);
    EXPECT_EQ(seen.directory, documents);
    EXPECT_EQ(QString::fromStdString(path), QDir(documents).filePath("other.dat"));
}

} // namespace
} // namespace kvor::test
