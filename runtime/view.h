// SPDX-License-Identifier: GPL-3.0-or-later
// What shows the panels: the windows over the runtime's panels. The program that has windows
// (the scope) installs its view before the runtime starts; a program without one (kvorctl) runs
// the same panels as values and attributes only, and nothing of a window toolkit is loaded.
#pragma once

#include <QString>

#include <cstddef>
#include <memory>

#include "runtime/control.h"

class QCoreApplication;

namespace kvor::rt {

struct PanelDef;

// The window of one panel.
class PanelView {
  public:
    virtual ~PanelView() = default;
    virtual void show() = 0;
    virtual void hide() = 0;
    // As the operator's close box does: the panel's close event.
    virtual void close() = 0;
    // Gone once the event being delivered now has returned (the panel closing itself).
    virtual void discardLater() = 0;
    virtual int savePicture(const QString& pngFile) = 0;
    // A control of this panel, shown on the window.
    virtual std::unique_ptr<Control> makeControl(int panel, const ControlDef& def) = 0;
};

class View {
  public:
    virtual ~View() = default;
    // The application object of the toolkit the view needs.
    virtual std::unique_ptr<QCoreApplication> startApplication(int argc, char** argv) = 0;
    virtual std::unique_ptr<PanelView> makePanelView(int handle, const PanelDef& def) = 0;
    // Pop-ups and dialogs, the line monitor, reports (see runtime.h for what each returns).
    virtual int messagePopup(const char* title, const char* message) = 0;
    virtual int confirmPopup(const char* title, const char* message) = 0;
    virtual int fileSelectPopup(const char* defaultDirectory, const char* defaultFileName,
                                const char* fileTypeList, const char* title, int buttonLabel,
                                int restrictDirectory, int restrictExtension, int allowCancel,
                                int allowMakeDirectory, char* path, std::size_t pathSize) = 0;
    virtual int fileSelectSavePopup(const char* defaultDirectory, const char* defaultFileName,
                                    const char* fileTypeList, const char* title, char* path,
                                    std::size_t pathSize) = 0;
    virtual int fileSelectTypePopup(const char* defaultDirectory, const char* defaultFileName,
                                    const char* typeList, const char* title, int* type, char* path,
                                    std::size_t pathSize) = 0;
    virtual int displayLineMonitor() = 0;
    virtual int newReport(const char* title) = 0;
    virtual int addReportText(int report, const char* text) = 0;
    virtual int addReportGraph(int report, int panel, int control) = 0;
    virtual int saveReportPDF(int report, const char* pdfFile) = 0;
    virtual int discardReport(int report) = 0;
    // A termination signal: the pop-ups open now are closed.
    virtual void closePopups() = 0;
    // Program end: the windows that belong to no panel go.
    virtual void closeWindows() = 0;
};

// Installs the view; the runtime owns it until the process ends.
void InstallView(std::unique_ptr<View> view);
// The view installed, or null in a program without windows.
View* InstalledView();

} // namespace kvor::rt
