// SPDX-License-Identifier: GPL-3.0-or-later
// One sensor's session: the scope's start-up on a panel without a window, the link set-up the
// port selector makes, what came of it, and the lines kvorctl writes.
#pragma once

#include "cli/line_text.h"
#include "state/state.h"

namespace kvor {

// The runtime, the program's callbacks, both panels and the instrument's start values, as the
// scope starts; no port is opened yet. EXIT_DONE or EXIT_FAILED (the panel file is missing).
int StartSession(int argc, char** argv);
// Opens the port named on the command line and sets the link up exactly as picking it in the
// scope's port selector does (echo check, identification, the RAM set). Returns EXIT_DONE, or
// the exit status after one line on stderr naming the port and the reason.
int SetUpLink();
// What the sensor's last exchange came to: EXIT_DONE when rx_flag tells an answer, else
// EXIT_SILENT after a line naming `what` on stderr.
int Answered(const char* what);
void EndSession();

// "kvorctl: PORT: reason" on stderr; returns `status`.
int Fail(int status, const char* format, ...) __attribute__((format(printf, 2, 3)));
// A line of results on stdout (with the port before it when several ports run); flushed, so a
// pipe gets every line as it comes.
void Say(const char* format, ...) __attribute__((format(printf, 1, 2)));
void Say(const LineText& line);
// A comment line among CSV rows: "# ", the port when several ports run, then the text.
void SayComment(const char* format, ...) __attribute__((format(printf, 1, 2)));
// A JSON string literal of `text` (quotes included) into out.
void JsonText(char* out, int size, const char* text);
// The port's name, and a text, as JSON strings (each call's own buffer, good until the next).
const char* QuotedPort();
const char* Quoted(const char* text);
// A figure as the output spells it; where it is not a number: null in JSON, nothing in CSV,
// "n/a" in text.
void FigureText(char* out, int size, double value, int decimals);
// Progress on stderr: only on a terminal, only when stdout is not that terminal, and only once
// the work has taken a second. `done` empty clears the line.
void Progress(double startedAt, const char* done);

} // namespace kvor
