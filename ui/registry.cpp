// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/registry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ui/panel_window.h"

namespace kvor::rt {
namespace {

std::map<QString, CtrlCallbackPtr>& ctrlCallbacks() {
    static std::map<QString, CtrlCallbackPtr> table;
    return table;
}
std::map<QString, PanelCallbackPtr>& panelCallbacks() {
    static std::map<QString, PanelCallbackPtr> table;
    return table;
}
std::map<int, std::unique_ptr<Panel>>& panels() {
    static std::map<int, std::unique_ptr<Panel>> table;
    return table;
}
int nextHandle = 1;
int settingDepth = 0;
int closingHandle = 0;

} // namespace

CtrlCallbackPtr FindCtrlCallback(const QString& name) {
    auto it = ctrlCallbacks().find(name);
    return it == ctrlCallbacks().end() ? nullptr : it->second;
}
PanelCallbackPtr FindPanelCallback(const QString& name) {
    auto it = panelCallbacks().find(name);
    return it == panelCallbacks().end() ? nullptr : it->second;
}

Panel* FindPanel(int handle) {
    auto it = panels().find(handle);
    return it == panels().end() ? nullptr : it->second.get();
}

Control* FindControl(int panel, int control) {
    Panel* p = FindPanel(panel);
    if (p == nullptr) return nullptr;
    auto it = p->controls.find(control);
    return it == p->controls.end() ? nullptr : it->second.get();
}

int AddPanel(std::unique_ptr<Panel> panel) {
    const int handle = nextHandle++;
    panel->handle = handle;
    panels()[handle] = std::move(panel);
    return handle;
}

int FirstPanelWithCallback() {
    for (const auto& [handle, panel] : panels())
        if (panel->callback != nullptr) return handle;
    return 0;
}

void RemovePanel(int handle) {
    auto it = panels().find(handle);
    if (it == panels().end()) return;
    // Controls go before their window, which owns the widgets.
    std::unique_ptr<Panel> panel = std::move(it->second);
    panels().erase(it);
    panel->controls.clear();
    if (ClosingPanel::is(handle)) {
        panel->window->hide();
        panel->window.release()->deleteLater();
    } else {
        panel->window.reset();
    }
}

ClosingPanel::ClosingPanel(int handle) : previous_(closingHandle) {
    closingHandle = handle;
}
ClosingPanel::~ClosingPanel() {
    closingHandle = previous_;
}
bool ClosingPanel::is(int handle) {
    return handle != 0 && closingHandle == handle;
}

void RemoveAllPanels() {
    while (!panels().empty())
        RemovePanel(panels().begin()->first);
}

ProgramSetting::ProgramSetting() {
    ++settingDepth;
}
ProgramSetting::~ProgramSetting() {
    --settingDepth;
}
bool ProgramSetting::active() {
    return settingDepth > 0;
}

QString ProjectDir() {
    if (QCoreApplication::instance() != nullptr) return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

QString ResolvePath(const QString& name) {
    if (name.isEmpty() || QFileInfo(name).isAbsolute()) return name;
    return QDir(ProjectDir()).filePath(name);
}

namespace {

// The length of the well-formed UTF-8 sequence at p (at most n bytes), or 0.
int Utf8SequenceAt(const unsigned char* p, std::size_t n) {
    const unsigned char b = p[0];
    int len = 0;
    unsigned char lo = 0x80, hi = 0xBF; // the range of the second byte
    if (b >= 0xC2 && b <= 0xDF) {
        len = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        len = 3;
        if (b == 0xE0) lo = 0xA0; // no overlong forms
        if (b == 0xED) hi = 0x9F; // no surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
        len = 4;
        if (b == 0xF0) lo = 0x90;
        if (b == 0xF4) hi = 0x8F; // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (static_cast<std::size_t>(len) > n || p[1] < lo || p[1] > hi) return 0;
    for (int i = 2; i < len; ++i)
        if ((p[i] & 0xC0) != 0x80) return 0;
    return len;
}

} // namespace

QString FromProgramText(const char* text) {
    if (text == nullptr) return QString();
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    const std::size_t n = std::strlen(text);
    QString out;
    out.reserve(static_cast<qsizetype>(n));
    for (std::size_t i = 0; i < n;) {
        if (bytes[i] < 0x80) {
            out += QChar(bytes[i++]);
            continue;
        }
        const int len = Utf8SequenceAt(bytes + i, n - i);
        if (len > 0) {
            out += QString::fromUtf8(text + i, len);
            i += static_cast<std::size_t>(len);
        } else {
            out += QChar(bytes[i++]); // Latin-1: the byte is the code point
        }
    }
    return out;
}

void CopyOut(const QString& text, char* out, std::size_t size) {
    if (out == nullptr || size == 0) return;
    const QByteArray utf8 = text.toUtf8();
    std::size_t n = std::min(static_cast<std::size_t>(utf8.size()), size - 1);
    // Never cut a character in two.
    while (n > 0 && n < static_cast<std::size_t>(utf8.size()) &&
           (static_cast<unsigned char>(utf8[static_cast<int>(n)]) & 0xC0) == 0x80)
        --n;
    std::memcpy(out, utf8.constData(), n);
    out[n] = '\0';
}

int ReportMisuse(const char* call, int panel, int control, const char* detail) {
    std::fprintf(stderr, "kvorscope: %s on panel %d, control %d: %s\n", call, panel, control,
                 detail);
#ifndef NDEBUG
    std::abort();
#else
    return -1;
#endif
}

} // namespace kvor::rt

void RegisterCtrlCallback(const char* name, CtrlCallbackPtr callback) {
    kvor::rt::ctrlCallbacks()[QString::fromUtf8(name)] = callback;
}

void RegisterPanelCallback(const char* name, PanelCallbackPtr callback) {
    kvor::rt::panelCallbacks()[QString::fromUtf8(name)] = callback;
}
