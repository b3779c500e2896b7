// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/eeprom_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace kvor::sim {

namespace {

void SetError(std::string* error, const std::string& text) {
    if (error) *error = text;
}

} // namespace

EepromLoad LoadEepromFile(const std::string& path, ParameterSet* words, std::string* error) {
    std::ifstream in(path);
    if (!in) {
        if (errno == ENOENT) return EepromLoad::Missing;
        SetError(error, "cannot read EEPROM file " + path + ": " + std::strerror(errno));
        return EepromLoad::Invalid;
    }
    std::ostringstream text;
    text << in.rdbuf();
    std::istringstream numbers(text.str());
    ParameterSet read{};
    std::size_t count = 0;
    std::string token;
    while (numbers >> token) {
        if (count == read.size()) {
            SetError(error, "EEPROM file " + path + " holds more than 16 numbers");
            return EepromLoad::Invalid;
        }
        unsigned long value = 0;
        std::size_t used = 0;
        try {
            value = std::stoul(token, &used, 10);
        } catch (const std::exception&) {
            used = 0;
        }
        if (used != token.size() || token[0] == '-' || token[0] == '+' || value > 0xFFFF) {
            SetError(error, "EEPROM file " + path + ": \"" + token + "\" is not a word 0..65535");
            return EepromLoad::Invalid;
        }
        read[count++] = static_cast<std::uint16_t>(value);
    }
    if (count != read.size()) {
        SetError(error, "EEPROM file " + path + " holds " + std::to_string(count) +
                            " numbers instead of 16");
        return EepromLoad::Invalid;
    }
    if (words) *words = read;
    return EepromLoad::Loaded;
}

bool SaveEepromFile(const std::string& path, const ParameterSet& words, std::string* error) {
    const std::string temporary = path + ".new";
    {
        std::ofstream out(temporary, std::ios::trunc);
        char line[16];
        for (std::uint16_t w : words) {
            std::snprintf(line, sizeof line, "%5u\n", static_cast<unsigned>(w));
            out << line;
        }
        out.flush();
        if (!out) {
            SetError(error, "cannot write EEPROM file " + temporary);
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        SetError(error, "cannot replace EEPROM file " + path + ": " + std::strerror(errno));
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace kvor::sim
