// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/sensor_firmware.h"

#include <algorithm>
#include <cstdio>

#include "sim/edge_evaluation.h"
#include "sim/eeprom_file.h"
#include "wire/protocol.h"

namespace kvor::sim {

namespace p = kvor::protocol;

namespace {

constexpr int kAnswerSync = p::kSyncRequest; // the sensor answers with the request's sync word

Answer FrameAnswer(int sync, int command, const std::uint16_t (&words)[16]) {
    return {Answer::Kind::Frame, EncodeFrame(sync, command, words)};
}

template <typename Words> void CopyWords(const Words& from, std::uint16_t (&to)[16]) {
    std::copy(std::begin(from), std::begin(from) + 16, to);
}

bool AllZero(const std::uint16_t (&words)[16]) {
    return std::all_of(std::begin(words), std::end(words), [](std::uint16_t w) { return w == 0; });
}

} // namespace

SensorFirmware::SensorFirmware(const Model& model, std::uint32_t seed)
    : model_(model), curtain_(seed) {
    curtain_.setModel(model);
}

void SensorFirmware::setModel(const Model& model) {
    model_ = model;
    curtain_.setModel(model);
    videoFresh_ = false;
}

void SensorFirmware::powerUpFrom(const ParameterSet& eeprom) {
    eeprom_ = eeprom;
    ram_ = eeprom;
}

Answer SensorFirmware::respond(const Request& request, double seconds) {
    switch (request.command) {
    case p::CMD_WRITE_RAM:
        std::copy(std::begin(request.words), std::end(request.words), ram_.begin());
        return parameterAnswer(request.command, ram_);
    case p::CMD_READ_RAM:
        return parameterAnswer(request.command, ram_);
    case p::CMD_WRITE_EEPROM:
        writeEeprom(request.words);
        return parameterAnswer(request.command, eeprom_);
    case p::CMD_READ_EEPROM:
        return parameterAnswer(request.command, eeprom_);
    case p::CMD_ECHO:
        return FrameAnswer(p::kSyncEcho, request.command, request.words);
    case p::CMD_TEACH:
        ram_[kSetpoint] = measure(seconds).reading.value;
        return parameterAnswer(request.command, ram_);
    case p::CMD_FIRMWARE_INFO:
        return firmwareText();
    case p::CMD_MEASURE:
        return measurementAnswer(request.command, measure(seconds));
    case p::CMD_READ_VIDEO64:
        return videoBlock(request.words[0], 64, seconds);
    case p::CMD_HARDWARE_INFO:
        return hardwareAnswer();
    case p::CMD_RESET_MINMAX:
        if (AllZero(request.words)) return videoBlock(0, 256, seconds);
        analogMax_.reset();
        analogMin_.reset();
        return measurementAnswer(request.command, measure(seconds));
    case p::CMD_CALIBRATION:
        return calibration(request);
    default:
        return {}; // not a command of this sensor: it stays quiet
    }
}

// The analog output holds its extremes over every valid reading until the operator resets them.
SensorFirmware::Exposure SensorFirmware::measure(double seconds) {
    const std::vector<double> pixels = curtain_.expose(ram_, seconds);
    Exposure e;
    e.reading = EvaluateLine(pixels, model_, ram_);
    e.micrometres = Micrometres(e.reading.value, ram_, model_);
    if (e.reading.valid) {
        analogMax_ = std::max(analogMax_.value_or(0), e.reading.value);
        analogMin_ = std::min(analogMin_.value_or(0xFFFF), e.reading.value);
    }
    const std::vector<std::uint16_t> samples = VideoSamples(pixels);
    std::copy(samples.begin(), samples.end(), video_.begin());
    videoFresh_ = true;
    return e;
}

void SensorFirmware::takeVideo(double seconds) {
    const std::vector<std::uint16_t> samples = VideoSamples(curtain_.expose(ram_, seconds));
    std::copy(samples.begin(), samples.end(), video_.begin());
    videoFresh_ = true;
}

Answer SensorFirmware::parameterAnswer(int command, const ParameterSet& words) const {
    std::uint16_t out[16];
    CopyWords(words, out);
    return FrameAnswer(kAnswerSync, command, out);
}

Answer SensorFirmware::measurementAnswer(int command, const Exposure& e) const {
    std::uint16_t w[16] = {};
    w[0] = e.reading.leftEdge;
    w[1] = e.reading.rightEdge;
    w[2] = e.reading.value;
    w[3] = static_cast<std::uint16_t>(e.micrometres & 0xFFFF);
    w[4] = static_cast<std::uint16_t>(e.micrometres >> 16);
    w[5] = ram_[kSetpoint];
    w[6] = ram_[kTolerance];
    w[7] = e.reading.edgeCount;
    w[8] = e.reading.levelStart;
    w[9] = e.reading.levelEnd;
    w[11] = analogMax_.value_or(0);
    w[12] = analogMin_.value_or(0);
    return FrameAnswer(kAnswerSync, command, w);
}

Answer SensorFirmware::hardwareAnswer() const {
    const std::uint16_t w[16] = {model_.ccdtype, model_.ccdmaxpixel,  model_.ccdresolution,
                                 model_.pcbtype, model_.ccdvirtpixel, model_.ccdsubpixel,
                                 model_.ccdpixB, model_.ccdpixE,      model_.softversion,
                                 model_.hwtype,  model_.adcmax};
    return FrameAnswer(kAnswerSync, p::CMD_HARDWARE_INFO, w);
}

// Board 0 sends one character in the low byte of each of 36 words; the others send 72 bytes.
Answer SensorFirmware::firmwareText() const {
    Answer a{Answer::Kind::FirmwareText, {}};
    a.bytes.reserve(p::kFirmwareTextBytes);
    const bool wordCoded = model_.pcbtype == 0;
    const std::size_t chars = wordCoded ? p::kFirmwareTextBytes / 2 : p::kFirmwareTextBytes;
    for (std::size_t i = 0; i < chars; ++i) {
        const char c = i < model_.firmware.size() ? model_.firmware[i] : ' ';
        if (wordCoded) a.bytes.push_back(0);
        a.bytes.push_back(static_cast<std::uint8_t>(c));
    }
    return a;
}

// The blocks of one video read show the picture of the measurement just before them; a read
// that follows no measurement takes a picture of its own.
Answer SensorFirmware::videoBlock(unsigned first, unsigned count, double seconds) {
    if (first == 0 && !videoFresh_) takeVideo(seconds);
    Answer a{Answer::Kind::VideoBlock, {}};
    a.bytes.reserve(2 * count);
    for (unsigned i = 0; i < count; ++i) {
        const unsigned index = first + i;
        PutWord(a.bytes, index < video_.size() ? video_[index] : 0);
    }
    if (first + count >= video_.size()) videoFresh_ = false;
    return a;
}

Answer SensorFirmware::calibration(const Request& request) {
    switch (request.words[0]) {
    case p::CAL_STOP:
        calibrating_ = false;
        break;
    case p::CAL_ACTIVATE:
        calibrating_ = true;
        break;
    case p::CAL_STORE:
        ram_[kSlope] = request.words[1];
        ram_[kIntersect] = request.words[2];
        break;
    default:
        break; // an unknown step changes nothing; the answer still tells the active words
    }
    std::uint16_t w[16] = {};
    w[0] = ram_[kSlope];
    w[1] = ram_[kIntersect];
    return FrameAnswer(kAnswerSync, p::CMD_CALIBRATION, w);
}

void SensorFirmware::writeEeprom(const std::uint16_t (&words)[16]) {
    std::copy(std::begin(words), std::end(words), eeprom_.begin());
    if (eepromFile_.empty()) return;
    std::string error;
    if (!SaveEepromFile(eepromFile_, eeprom_, &error))
        std::fprintf(stderr, "kvor-sensor-sim: %s\n", error.c_str());
}

} // namespace kvor::sim
