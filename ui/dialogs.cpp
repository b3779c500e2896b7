// SPDX-License-Identifier: GPL-3.0-or-later
// Message pop-ups and file dialogs, and their answers without a person for tests.
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <algorithm>
#include <cstring>
#include <optional>

#include "runtime/program_text.h"
#include "runtime/readback.h"
#include "runtime/registry.h"
#include "runtime/translation.h"
#include "ui/view_parts.h"

namespace kvor::rt {
namespace {

bool g_answerThemselves = false;
int g_popupCount = 0;
QString g_lastTitle, g_lastMessage;
std::optional<std::pair<QString, int>> g_nextSelection;
int g_nextType = -1;
std::optional<int> g_nextConfirm;
int g_confirmCount = 0;
QString g_confirmTitle, g_confirmMessage;

// "*.dat" becomes the dialog's filter "*.dat (*.dat)"; only a dialog that does not restrict the
// extension offers all files as well.
QString FilterOf(const char* list, bool restrictExtension) {
    const QString patterns = QString::fromUtf8(list == nullptr ? "" : list).replace(';', ' ');
    if (patterns.trimmed().isEmpty()) return ShownText("All files (*)");
    if (restrictExtension) return QStringLiteral("%1 (%1)").arg(patterns.trimmed());
    return QStringLiteral("%1 (%1);;%2").arg(patterns.trimmed(), ShownText("All files (*)"));
}

bool WritableDirectory(const QString& dir) {
    if (dir.isEmpty() || !QFileInfo(dir).isDir()) return false;
    // Permission bits do not tell a read-only file system (or root's view of one): try it.
    QTemporaryFile probe(QDir(dir).filePath(QStringLiteral(".kvorscope-XXXXXX")));
    return probe.open();
}

// The operator saves where they may write: the given folder (the program's) when that is
// writable, otherwise the documents folder, otherwise home.
QString StartDirectory(const QString& given) {
    if (WritableDirectory(given)) return given;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (WritableDirectory(documents)) return documents;
    return QDir::homePath();
}

// What a dialog answered: 0 cancelled, else the path and whether it exists.
int Answered(const QString& chosen, int result, char* path, std::size_t pathSize) {
    const QByteArray utf8 = QDir::toNativeSeparators(chosen).toUtf8();
    if (result > 0 && static_cast<std::size_t>(utf8.size()) >= pathSize) return -1; // too long
    if (result > 0) CopyOut(QString::fromUtf8(utf8), path, pathSize);
    return result;
}

// A name the desktop's dialog gave without the file type's extension gets it afterwards; the
// dialog asked about the name without it, so the name with it is asked about here.
bool MayReplace(const QString& chosen, const QString& title) {
    const QString message =
        ShownText("%1 already exists.\nReplace it?").arg(QDir::toNativeSeparators(chosen));
    return ConfirmPopup(title.toUtf8().constData(), message.toUtf8().constData()) == 1;
}

// Where a dialog opens: the default name in the folder the dialog starts in.
QString StartPath(const char* defaultDirectory, const char* defaultFileName) {
    const QString dir =
        StartDirectory(QString::fromUtf8(defaultDirectory == nullptr ? "" : defaultDirectory));
    return QDir(dir).filePath(QString::fromUtf8(defaultFileName == nullptr ? "" : defaultFileName));
}

int SelectFile(const char* defaultDirectory, const char* defaultFileName, const char* fileTypeList,
               const char* title, int buttonLabel, int restrictExtension, int allowCancel,
               bool askBeforeReplacing, char* path, std::size_t pathSize) {
    if (path == nullptr || pathSize == 0) return -1;
    path[0] = '\0';
    if (g_nextSelection) {
        const auto [chosen, result] = *g_nextSelection;
        g_nextSelection.reset();
        return Answered(chosen, result, path, pathSize);
    }
    if (g_answerThemselves || QApplication::instance() == nullptr) return VAL_NO_FILE_SELECTED;
    const QString start = StartPath(defaultDirectory, defaultFileName);
    const QString caption = Shown(QString::fromUtf8(title == nullptr ? "" : title));
    QFileDialog dialog(nullptr, caption, start, FilterOf(fileTypeList, restrictExtension != 0));
    const bool saving = buttonLabel == VAL_OK_BUTTON || buttonLabel == VAL_SAVE_BUTTON;
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !saving || !askBeforeReplacing);
    dialog.selectFile(start);
    if (buttonLabel == VAL_LOAD_BUTTON) dialog.setLabelText(QFileDialog::Accept, ShownText("Load"));
    QString suffix;
    if (restrictExtension && fileTypeList != nullptr) {
        suffix = QString::fromUtf8(fileTypeList).section('.', -1).trimmed();
        if (suffix == QLatin1String("*")) suffix.clear();
        if (!suffix.isEmpty()) dialog.setDefaultSuffix(suffix);
    }
    QString chosen;
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return allowCancel ? VAL_NO_FILE_SELECTED : -1;
        chosen = dialog.selectedFiles().first();
        // A name typed without extension gets the file type's, whichever dialog the desktop gave.
        if (!saving || suffix.isEmpty() || !QFileInfo(chosen).suffix().isEmpty()) break;
        chosen += QLatin1Char('.') + suffix;
        if (!askBeforeReplacing || !QFileInfo::exists(chosen) || MayReplace(chosen, caption)) break;
    }
    const int result =
        QFileInfo::exists(chosen) ? VAL_EXISTING_FILE_SELECTED : VAL_NEW_FILE_SELECTED;
    return Answered(chosen, result, path, pathSize);
}

} // namespace
} // namespace kvor::rt

using namespace kvor::rt;

int ShowConfirmPopup(const char* title, const char* message) {
    ++g_confirmCount;
    g_confirmTitle = FromProgramText(title);
    g_confirmMessage = FromProgramText(message);
    if (g_nextConfirm) {
        const int yes = *g_nextConfirm;
        g_nextConfirm.reset();
        return yes != 0 ? 1 : 0;
    }
    // Nobody to ask: nothing is replaced unasked.
    if (g_answerThemselves || QApplication::instance() == nullptr) return 0;
    QMessageBox box(QMessageBox::Question, Shown(g_confirmTitle), Shown(g_confirmMessage),
                    QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? 1 : 0;
}

int ShowMessagePopup(const char* title, const char* message) {
    ++g_popupCount;
    g_lastTitle = FromProgramText(title);
    g_lastMessage = FromProgramText(message);
    if (g_answerThemselves || QApplication::instance() == nullptr) return 0;
    QMessageBox box(QMessageBox::Warning, Shown(g_lastTitle), Shown(g_lastMessage),
                    QMessageBox::Ok);
    box.exec();
    return 0;
}

int ShowFileSelectPopup(const char* defaultDirectory, const char* defaultFileName,
                        const char* fileTypeList, const char* title, int buttonLabel, int,
                        int restrictExtension, int allowCancel, int, char* path,
                        std::size_t pathSize) {
    return SelectFile(defaultDirectory, defaultFileName, fileTypeList, title, buttonLabel,
                      restrictExtension, allowCancel, true, path, pathSize);
}

int ShowFileSelectSavePopup(const char* defaultDirectory, const char* defaultFileName,
                            const char* fileTypeList, const char* title, char* path,
                            std::size_t pathSize) {
    return SelectFile(defaultDirectory, defaultFileName, fileTypeList, title, VAL_SAVE_BUTTON, 1, 1,
                      false, path, pathSize);
}

int ShowFileSelectTypePopup(const char* defaultDirectory, const char* defaultFileName,
                            const char* typeList, const char* title, int* type, char* path,
                            std::size_t pathSize) {
    if (path == nullptr || pathSize == 0 || type == nullptr) return -1;
    path[0] = '\0';
    const QStringList types = QString::fromUtf8(typeList == nullptr ? "" : typeList).split('\n');
    if (g_nextSelection) {
        if (g_nextType >= 0 && g_nextType < types.size()) *type = g_nextType;
        const auto [chosen, result] = *g_nextSelection;
        g_nextSelection.reset();
        g_nextType = -1;
        return Answered(chosen, result, path, pathSize);
    }
    if (g_answerThemselves || QApplication::instance() == nullptr) return VAL_NO_FILE_SELECTED;
    const QString start = StartPath(defaultDirectory, defaultFileName);
    QFileDialog dialog(nullptr, QString::fromUtf8(title == nullptr ? "" : title), start);
    dialog.setNameFilters(types);
    if (*type >= 0 && *type < types.size()) dialog.selectNameFilter(types[*type]);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The extension of the first type: the types differ in what the file holds, not its name.
    const QString suffix = types.value(0).section('.', -1).remove(')').trimmed();
    if (!suffix.isEmpty() && suffix != QLatin1String("*")) dialog.setDefaultSuffix(suffix);
    dialog.selectFile(start);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return VAL_NO_FILE_SELECTED;
    QString chosen = dialog.selectedFiles().first();
    if (!suffix.isEmpty() && QFileInfo(chosen).suffix().isEmpty()) {
        chosen += QLatin1Char('.') + suffix;
        if (QFileInfo::exists(chosen) && !MayReplace(chosen, dialog.windowTitle()))
            return VAL_NO_FILE_SELECTED;
    }
    *type = std::max<int>(0, static_cast<int>(types.indexOf(dialog.selectedNameFilter())));
    const int result =
        QFileInfo::exists(chosen) ? VAL_EXISTING_FILE_SELECTED : VAL_NEW_FILE_SELECTED;
    return Answered(chosen, result, path, pathSize);
}

void SetPopupsAnswerThemselves(bool on) {
    g_answerThemselves = on;
}
int GetMessagePopupCount() {
    return g_popupCount;
}
int GetLastMessagePopup(char* title, std::size_t titleSize, char* message,
                        std::size_t messageSize) {
    CopyOut(g_lastTitle, title, titleSize);
    CopyOut(g_lastMessage, message, messageSize);
    return g_popupCount;
}
void SetNextConfirmAnswer(int yes) {
    g_nextConfirm = yes;
}
int GetLastConfirmPopup(char* title, std::size_t titleSize, char* message,
                        std::size_t messageSize) {
    CopyOut(g_confirmTitle, title, titleSize);
    CopyOut(g_confirmMessage, message, messageSize);
    return g_confirmCount;
}
void SetNextFileSelection(const char* path, int result) {
    g_nextSelection = std::make_pair(QString::fromUtf8(path == nullptr ? "" : path), result);
}
void SetNextFileSelectionType(int type) {
    g_nextType = type;
}
