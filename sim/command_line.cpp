// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/command_line.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <sstream>

#include "sim/model_presets.h"
#include "sim/size_scene.h"

namespace kvor::sim {

namespace {

bool ParseInt(const std::string& text, long low, long high, long* value) {
    long v = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, v);
    if (ec != std::errc() || ptr != end || v < low || v > high) return false;
    *value = v;
    return true;
}

bool ParseSeconds(const std::string& text, double* value) {
    std::istringstream in(text);
    double v = 0.0;
    char rest = 0;
    if (!(in >> v) || (in >> rest) || !std::isfinite(v) || v < 0.0 || v > 3600.0) return false;
    *value = v;
    return true;
}

bool ParseObject(const std::string& text, double* left, double* right) {
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos) return false;
    long l = 0;
    long r = 0;
    if (!ParseInt(text.substr(0, comma), 0, 16384, &l) ||
        !ParseInt(text.substr(comma + 1), 0, 16384, &r) || l >= r)
        return false;
    *left = static_cast<double>(l);
    *right = static_cast<double>(r);
    return true;
}

using Setter = std::function<bool(CommandLine&, const std::string&)>;

struct OptionEntry {
    std::string argument; // empty: a flag
    std::string help;
    Setter set;
};

Setter IntInto(int Faults::*field, long low, long high) {
    return [=](CommandLine& c, const std::string& v) {
        long n = 0;
        if (!ParseInt(v, low, high, &n)) return false;
        c.options.faults.*field = static_cast<int>(n);
        return true;
    };
}

Setter FlagInto(bool Faults::*field) {
    return [=](CommandLine& c, const std::string&) {
        c.options.faults.*field = true;
        return true;
    };
}

const std::map<std::string, OptionEntry>& OptionTable() {
    static const std::map<std::string, OptionEntry> table = {
        {"--help",
         {"", "show this text and end",
          [](CommandLine& c, const std::string&) {
              c.action = CommandLine::Action::Help;
              return true;
          }}},
        {"--version",
         {"", "show the version and end",
          [](CommandLine& c, const std::string&) {
              c.action = CommandLine::Action::Version;
              return true;
          }}},
        {"--list-models",
         {"", "list the model presets and end",
          [](CommandLine& c, const std::string&) {
              c.action = CommandLine::Action::ListModels;
              return true;
          }}},
        {"--model",
         {"NAME", "sensor model preset (default 2-250; see --list-models)",
          [](CommandLine& c, const std::string& v) { return ModelPreset(v, &c.options.model); }}},
        {"--firmware",
         {"TEXT", "firmware text, e.g. \"K-VOR-PX-250 firmware V2.41\"",
          [](CommandLine& c, const std::string& v) {
              c.firmware = v;
              c.firmwareGiven = true;
              return true;
          }}},
        {"--unpaced",
         {"", "answer at once instead of at 19200 baud",
          [](CommandLine& c, const std::string&) {
              c.options.paced = false;
              return true;
          }}},
        {"--latency",
         {"SECONDS", "turn-around before every answer (default 0.0005)",
          [](CommandLine& c, const std::string& v) {
              return ParseSeconds(v, &c.options.latencySeconds);
          }}},
        {"--silent-writes",
         {"", "leave RAM and EEPROM writes unanswered (they still take effect)",
          [](CommandLine& c, const std::string&) {
              c.options.acknowledgeWrites = false;
              return true;
          }}},
        {"--adapter-latency",
         {"MS",
          "answers pass a USB-serial adapter whose latency timer is MS (1-255) ms: whole "
          "packets, a short answer held back up to MS",
          [](CommandLine& c, const std::string& v) {
              long ms = 0;
              if (!ParseInt(v, 1, 255, &ms)) return false;
              c.options.adapterLatency = static_cast<double>(ms) / 1000.0;
              return true;
          }}},
        {"--eeprom",
         {"FILE", "keep the EEPROM parameter set in FILE (16 numbers)",
          [](CommandLine& c, const std::string& v) {
              c.options.eepromFile = v;
              return !v.empty();
          }}},
        {"--seed",
         {"N", "seed of noise and drift (default 1)",
          [](CommandLine& c, const std::string& v) {
              long n = 0;
              if (!ParseInt(v, 0, 4294967295L, &n)) return false;
              c.options.seed = static_cast<std::uint32_t>(n);
              return true;
          }}},
        {"--object",
         {"LEFT,RIGHT", "fix the object's edges at these virtual pixels, no drift",
          [](CommandLine& c, const std::string& v) {
              c.objectFixed = ParseObject(v, &c.objectLeft, &c.objectRight);
              return c.objectFixed;
          }}},
        {"--keep-open",
         {"", "go on answering after the program closes the port",
          [](CommandLine& c, const std::string&) {
              c.keepOpen = true;
              return true;
          }}},
        {"--silent", {"", "fault: answer nothing", FlagInto(&Faults::silent)}},
        {"--forget-writes",
         {"", "fault: answer RAM and EEPROM writes but keep the set held before",
          FlagInto(&Faults::forgetWrites)}},
        {"--wrong-echo-sync",
         {"", "fault: answer the echo with sync 0x0055", FlagInto(&Faults::wrongEchoSync)}},
        {"--wrong-hardware-command",
         {"", "fault: hardware answer with command word 0",
          FlagInto(&Faults::wrongHardwareCommand)}},
        {"--extra-bytes",
         {"N", "fault: append N bytes after every answer frame",
          IntInto(&Faults::extraBytes, 0, 1024)}},
        {"--extra-byte-value",
         {"B", "fault: ... each of value B (0-255, default 238)",
          IntInto(&Faults::extraByteValue, 0, 255)}},
        {"--ack-word",
         {"N", "acknowledge RAM and EEPROM writes with command word N",
          IntInto(&Faults::ackWord, 0, 65535)}},
        {"--ack-delay",
         {"SECONDS", "acknowledge RAM and EEPROM writes this much later",
          [](CommandLine& c, const std::string& v) {
              return ParseSeconds(v, &c.options.faults.ackDelaySeconds);
          }}},
        {"--firmware-bytes",
         {"N", "fault: send N bytes of firmware text instead of 72",
          IntInto(&Faults::firmwareTextBytes, 0, 1024)}},
        {"--garbled-firmware",
         {"", "fault: firmware text of random bytes", FlagInto(&Faults::garbledFirmware)}},
        {"--video-block-bytes",
         {"N", "fault: send N bytes of every video block",
          IntInto(&Faults::videoBlockBytes, 0, 1024)}},
        {"--drop-every",
         {"N", "fault: leave every N-th request unanswered",
          IntInto(&Faults::dropEvery, 1, 1000000)}},
        {"--delay",
         {"SECONDS", "fault: wait this long before every answer",
          [](CommandLine& c, const std::string& v) {
              return ParseSeconds(v, &c.options.faults.delaySeconds);
          }}},
        {"--hang-up-after",
         {"N", "fault: answer N requests, then close the line",
          IntInto(&Faults::hangUpAfter, 1, 1000000)}},
        {"--hold-command",
         {"CODE", "fault: hold back answers to requests with this command code",
          IntInto(&Faults::holdCommand, 1, 12)}},
        {"--hold-after-bytes",
         {"N", "fault: ... after their first N bytes (default 0)",
          IntInto(&Faults::holdAfterBytes, 0, 1024)}},
        {"--hold-seconds",
         {"SECONDS", "fault: ... for this long",
          [](CommandLine& c, const std::string& v) {
              return ParseSeconds(v, &c.options.faults.holdSeconds);
          }}},
        {"--scene",
         {"NAME",
          "the size follows a scene from the first measurement on: calm (steady with noise), "
          "step, trend or run (after --scene-after answers)",
          [](CommandLine& c, const std::string& v) {
              return SceneByName(v, &c.options.faults.scene);
          }}},
        {"--scene-after",
         {"N", "answers before the step, trend or run begins (default 40)",
          IntInto(&Faults::sceneAfter, 0, 1000000)}},
        {"--parameter-answer-word",
         {"N", "fault: parameter answers carry command word N",
          IntInto(&Faults::parameterAnswerWord, 0, 65535)}},
    };
    return table;
}

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine c;
    c.options.requestLogLimit = 64; // nobody reads the log of the executable
    const auto fail = [&c](const std::string& text) {
        c.action = CommandLine::Action::Error;
        c.error = text;
        return c;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        // The one short option: -h, as every program on the system understands it.
        std::string name = args[i] == "-h" ? std::string("--help") : args[i];
        std::string value;
        bool hasValue = false;
        if (const std::size_t eq = name.find('='); name.rfind("--", 0) == 0 && eq != name.npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
            hasValue = true;
        }
        const auto entry = OptionTable().find(name);
        if (entry == OptionTable().end()) return fail("unknown option " + name);
        const OptionEntry& o = entry->second;
        if (o.argument.empty() && hasValue) return fail(name + " takes no value");
        if (!o.argument.empty() && !hasValue) {
            if (i + 1 >= args.size()) return fail(name + " needs " + o.argument);
            value = args[++i];
        }
        if (!o.set(c, value)) return fail("bad value for " + name + ": \"" + value + "\"");
    }
    // The text wins over the preset's, whichever came first on the line.
    if (c.firmwareGiven) c.options.model.firmware = c.firmware;
    c.options.endOnPeerHangUp = !c.keepOpen;
    return c;
}

std::string HelpText() {
    std::ostringstream out;
    out << "Usage: kvor-sensor-sim [OPTION]...\n"
           "A simulated K-VOR-PX sensor on a pseudo-terminal. Prints the device path as its\n"
           "first line, then answers the scope until killed or until the scope closes the "
           "port.\n\nOptions:\n";
    for (const auto& [name, o] : OptionTable()) {
        const std::string shortName = name == "--help" ? "-h, " : "    ";
        std::string left = "  " + shortName + name + (o.argument.empty() ? "" : " " + o.argument);
        if (left.size() < 32)
            left.resize(32, ' ');
        else
            left += ' ';
        out << left << o.help << '\n';
    }
    out << "\nExit status:\n"
           "  0  after a clean end\n"
           "  1  when the sensor cannot start\n"
           "  2  after a bad option\n";
    return out.str();
}

std::string VersionText() {
    return "kvor-sensor-sim (K-VOR-PX Scope) " KVOR_SIM_VERSION "\n";
}

namespace {

// A firmware version number as the sensor's firmware text writes it: 240 is "2.40".
std::string VersionNumberText(unsigned number) {
    char text[16];
    std::snprintf(text, sizeof text, "%u.%02u", number / 100U, number % 100U);
    return text;
}

std::string Column(const std::string& text, std::size_t width, bool right) {
    if (text.size() >= width) return text;
    const std::string pad(width - text.size(), ' ');
    return right ? pad + text : text + pad;
}

} // namespace

std::string ModelListText() {
    std::ostringstream out;
    out << "Sensor models for --model NAME, and what each reports when the scope identifies it:\n"
           "  TYPE      CCD type code\n"
           "  PIXELS    physical pixels of the CCD line\n"
           "  VIRTUAL   virtual (subpixel) positions along the line\n"
           "  OPTICS    optics code (working range)\n"
           "  BOARD     board type: 0 sends its firmware text as words; 0 and 100 send the\n"
           "            video signal in 64-sample blocks, the others in one 256-sample block\n"
           "  FIRMWARE  firmware version, as the firmware text writes it\n"
           "  HW        hardware variant\n"
           "  ADC       full scale of the video signal\n\n";
    using Cells = std::array<std::string, 9>;
    const auto row = [&out](const Cells& cells, const std::string& about) {
        static constexpr std::array<std::size_t, 9> widths = {9, 5, 7, 8, 7, 6, 9, 5, 5};
        std::string line;
        for (std::size_t i = 0; i < cells.size(); ++i)
            line += Column(cells[i], widths[i], i > 0);
        out << line << "  " << about << '\n';
    };
    row({"NAME", "TYPE", "PIXELS", "VIRTUAL", "OPTICS", "BOARD", "FIRMWARE", "HW", "ADC"},
        "DESCRIPTION");
    for (const PresetEntry& e : ModelPresetTable()) {
        const Model& m = e.model;
        row({e.name, std::to_string(m.ccdtype), std::to_string(m.ccdmaxpixel),
             std::to_string(m.ccdvirtpixel), std::to_string(m.ccdresolution),
             std::to_string(m.pcbtype), VersionNumberText(m.softversion), std::to_string(m.hwtype),
             std::to_string(m.adcmax)},
            e.description);
    }
    return out.str();
}

} // namespace kvor::sim
