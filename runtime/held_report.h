// SPDX-License-Identifier: GPL-3.0-or-later
// Reports of a program without windows: the runtime keeps the title, the lines and the graphs'
// plots as values, and the report program (kvor-report, beside the program) draws the page. The
// window toolkit's drawing never enters the program's own process.
#pragma once

namespace kvor::rt {

int NewHeldReport(const char* title);
int AddHeldReportText(int report, const char* text);
int AddHeldReportGraph(int report, int panel, int control);
// Hands the report to the report program and waits for its PDF (a time-out bounds the wait).
int SaveHeldReport(int report, const char* pdfFile);
int DiscardHeldReport(int report);

} // namespace kvor::rt
