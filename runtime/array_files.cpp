// SPDX-License-Identifier: GPL-3.0-or-later
// Numeric arrays to and from text files.
#include <QFile>
#include <QSaveFile>

#include <cctype>
#include <cstdint>
#include <vector>

#include "runtime/registry.h"

namespace {

// A parameter file is a few hundred bytes; anything far larger is not one.
constexpr qint64 kMaxArrayFileBytes = 1024 * 1024;

} // namespace

int ArrayToFile(const char* fileName, const void* array, int dataType, int numElements,
                int numGroups, int, int, int, int fieldWidth, int fileType, int fileAction) {
    if (fileName == nullptr || array == nullptr || dataType != VAL_UNSIGNED_INTEGER ||
        numElements < 1 || numGroups != 1 || fileType != VAL_ASCII || fieldWidth < 1 ||
        fieldWidth > 64)
        return -1;
    const auto* values = static_cast<const std::uint32_t*>(array);
    QByteArray text;
    for (int i = 0; i < numElements; ++i) {
        text += QByteArray::number(values[i]).rightJustified(fieldWidth, ' ');
        text += '\n';
    }
    const QString path = kvor::rt::ResolvePath(QString::fromUtf8(fileName));
    if (fileAction == VAL_APPEND) {
        QFile f(path);
        if (!f.open(QIODevice::Append)) return -1;
        return f.write(text) == text.size() ? 0 : -1;
    }
    // The old content is replaced only once the whole new one is on disk.
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return -1;
    if (f.write(text) != text.size()) return -1;
    return f.commit() ? 0 : -1;
}

int FileToArray(const char* fileName, void* array, int dataType, int numElements, int numGroups,
                int, int, int fileType) {
    if (fileName == nullptr || array == nullptr || dataType != VAL_UNSIGNED_INTEGER ||
        numElements < 1 || numGroups != 1 || fileType != VAL_ASCII)
        return -1;
    QFile f(kvor::rt::ResolvePath(QString::fromUtf8(fileName)));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    if (f.size() > kMaxArrayFileBytes) return -2;
    const QByteArray text = f.read(kMaxArrayFileBytes + 1);
    if (text.size() > kMaxArrayFileBytes) return -2;
    std::vector<std::uint32_t> values;
    values.reserve(static_cast<size_t>(numElements));
    qsizetype i = 0;
    while (i < text.size()) {
        const unsigned char ch = static_cast<unsigned char>(text[i]);
        if (std::isspace(ch)) {
            ++i;
            continue;
        }
        if (!std::isdigit(ch)) return -3; // not a number, or not text at all
        std::uint64_t v = 0;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
            v = v * 10 + static_cast<unsigned>(text[i] - '0');
            if (v > 0xFFFFFFFFull) return -3; // beyond an unsigned 32-bit integer
            ++i;
        }
        if (static_cast<int>(values.size()) == numElements) return -4; // more numbers than asked
        values.push_back(static_cast<std::uint32_t>(v));
    }
    if (static_cast<int>(values.size()) != numElements) return -4;
    auto* out = static_cast<std::uint32_t*>(array);
    for (int k = 0; k < numElements; ++k)
        out[k] = values[static_cast<size_t>(k)];
    return 0;
}
