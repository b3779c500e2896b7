// SPDX-License-Identifier: GPL-3.0-or-later
// The parts of the windows' view, one file each: the application, dialogs, the line monitor,
// reports. The view (widget_view.cpp) hands the runtime's calls to them.
#pragma once

#include <QApplication>

#include <cstddef>
#include <memory>

namespace kvor::rt {

std::unique_ptr<QApplication> StartApplication(int argc, char** argv);
void ApplyDesktopIdentity();
// Closes the monitor window for good (program end).
void DiscardLineMonitor();
// Shows a window the operator asks for again: un-minimised, above the others, with the focus.
void BringToFront(QWidget* window);

} // namespace kvor::rt

int ShowMessagePopup(const char* title, const char* message);
// A question with Yes and No asked in a window; 1 for Yes.
int ShowConfirmPopup(const char* title, const char* message);
int ShowFileSelectPopup(const char* defaultDirectory, const char* defaultFileName,
                        const char* fileTypeList, const char* title, int buttonLabel,
                        int restrictDirectory, int restrictExtension, int allowCancel,
                        int allowMakeDirectory, char* path, std::size_t pathSize);
int ShowFileSelectSavePopup(const char* defaultDirectory, const char* defaultFileName,
                            const char* fileTypeList, const char* title, char* path,
                            std::size_t pathSize);
int ShowFileSelectTypePopup(const char* defaultDirectory, const char* defaultFileName,
                            const char* typeList, const char* title, int* type, char* path,
                            std::size_t pathSize);
int ShowLineMonitor();
int NewPdfReport(const char* title);
int AddPdfReportText(int report, const char* text);
int AddPdfReportGraph(int report, int panel, int control);
int SavePdfReport(int report, const char* pdfFile);
int DiscardPdfReport(int report);
