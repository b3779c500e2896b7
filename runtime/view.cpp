// SPDX-License-Identifier: GPL-3.0-or-later
// The installed view, and what pop-ups, dialogs, the line monitor and reports do without one.
#include "runtime/view.h"

#include <deque>
#include <utility>

#include "runtime/held_report.h"
#include "runtime/program_text.h"
#include "runtime/runtime.h"

namespace kvor::rt {
namespace {

std::unique_ptr<View>& installed() {
    static std::unique_ptr<View> view;
    return view;
}

// Pop-ups nobody saw, oldest first; a bound, should a program never take them.
constexpr std::size_t kMostKept = 64;
std::deque<std::pair<QString, QString>>& kept() {
    static std::deque<std::pair<QString, QString>> popups;
    return popups;
}

} // namespace

void InstallView(std::unique_ptr<View> view) {
    installed() = std::move(view);
}

View* InstalledView() {
    return installed().get();
}

} // namespace kvor::rt

using namespace kvor::rt;

int MessagePopup(const char* title, const char* message) {
    if (View* view = InstalledView()) return view->messagePopup(title, message);
    // Nobody is there to press OK: the message is kept for the program to say.
    if (kept().size() == kMostKept) kept().pop_front();
    kept().emplace_back(FromProgramText(title), FromProgramText(message));
    return 0;
}

int ConfirmPopup(const char* title, const char* message) {
    if (View* view = InstalledView()) return view->confirmPopup(title, message);
    // Nobody to ask: nothing is replaced unasked.
    return 0;
}

int TakeKeptPopup(char* title, std::size_t titleSize, char* message, std::size_t messageSize) {
    if (kept().empty()) return 0;
    CopyOut(kept().front().first, title, titleSize);
    CopyOut(kept().front().second, message, messageSize);
    kept().pop_front();
    return 1;
}

int FileSelectPopupPath(const char* defaultDirectory, const char* defaultFileName,
                        const char* fileTypeList, const char* title, int buttonLabel,
                        int restrictDirectory, int restrictExtension, int allowCancel,
                        int allowMakeDirectory, char* path, std::size_t pathSize) {
    if (View* view = InstalledView())
        return view->fileSelectPopup(defaultDirectory, defaultFileName, fileTypeList, title,
                                     buttonLabel, restrictDirectory, restrictExtension, allowCancel,
                                     allowMakeDirectory, path, pathSize);
    // Nobody picks a file: as if cancelled.
    if (path == nullptr || pathSize == 0) return -1;
    path[0] = '\0';
    return VAL_NO_FILE_SELECTED;
}

int FileSelectSavePopupPath(const char* defaultDirectory, const char* defaultFileName,
                            const char* fileTypeList, const char* title, char* path,
                            std::size_t pathSize) {
    if (View* view = InstalledView())
        return view->fileSelectSavePopup(defaultDirectory, defaultFileName, fileTypeList, title,
                                         path, pathSize);
    if (path == nullptr || pathSize == 0) return -1;
    path[0] = '\0';
    return VAL_NO_FILE_SELECTED;
}

int FileSelectTypePopupPath(const char* defaultDirectory, const char* defaultFileName,
                            const char* typeList, const char* title, int* type, char* path,
                            std::size_t pathSize) {
    if (View* view = InstalledView())
        return view->fileSelectTypePopup(defaultDirectory, defaultFileName, typeList, title, type,
                                         path, pathSize);
    if (path == nullptr || pathSize == 0) return -1;
    path[0] = '\0';
    return VAL_NO_FILE_SELECTED;
}

int DisplayLineMonitor() {
    View* view = InstalledView();
    return view == nullptr ? -1 : view->displayLineMonitor();
}

// Reports are drawn with the graphs as the windows show them; without windows, from the values
// the graphs hold, by the report program.
int NewReport(const char* title) {
    View* view = InstalledView();
    return view == nullptr ? NewHeldReport(title) : view->newReport(title);
}
int AddReportText(int report, const char* text) {
    View* view = InstalledView();
    return view == nullptr ? AddHeldReportText(report, text) : view->addReportText(report, text);
}
int AddReportGraph(int report, int panel, int control) {
    View* view = InstalledView();
    return view == nullptr ? AddHeldReportGraph(report, panel, control)
                           : view->addReportGraph(report, panel, control);
}
int SaveReportPDF(int report, const char* pdfFile) {
    View* view = InstalledView();
    return view == nullptr ? SaveHeldReport(report, pdfFile) : view->saveReportPDF(report, pdfFile);
}
int DiscardReport(int report) {
    View* view = InstalledView();
    return view == nullptr ? DiscardHeldReport(report) : view->discardReport(report);
}
