// SPDX-License-Identifier: GPL-3.0-or-later
// The operator's language inside the runtime: what a window shows passes through Shown(), with
// the English text as its key. English shows every text as it is.
#pragma once

#include <QString>

namespace kvor::rt {

// The context every text of the scope is kept under in its translation files.
inline constexpr const char* kTextContext = "kvorscope";

// The text in the operator's language; the English text itself where none is known.
QString Shown(const QString& english);
// The same for a text written in the runtime itself; the build collects these.
inline QString ShownText(const char* english) {
    return Shown(QString::fromUtf8(english));
}
// True when the operator reads another language than English.
bool Translating();
// The toolkit's own texts (file dialogs, message boxes) follow the chosen language; called
// once the application exists.
void TranslateToolkit();

} // namespace kvor::rt
