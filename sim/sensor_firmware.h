// SPDX-License-Identifier: GPL-3.0-or-later
// What the sensor's firmware does with one request: the command set, the parameter memories,
// the held analog extremes and the video picture. No line, no timing: that is the port's job.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "sim/edge_evaluation.h"
#include "sim/light_curtain.h"
#include "sim/parameter_words.h"
#include "sim/simulated_sensor.h"
#include "sim/wire.h"

namespace kvor::sim {

struct Answer {
    enum class Kind { None, Frame, FirmwareText, VideoBlock };
    Kind kind = Kind::None;
    Bytes bytes;
};

class SensorFirmware {
  public:
    SensorFirmware(const Model& model, std::uint32_t seed);

    void setModel(const Model& model);
    const Model& model() const { return model_; }
    LightCurtain& curtain() { return curtain_; }

    const ParameterSet& ram() const { return ram_; }
    const ParameterSet& eeprom() const { return eeprom_; }
    void setRam(const ParameterSet& words) { ram_ = words; }
    // Power-up with an EEPROM of its own: RAM is loaded from it, as the sensor boots.
    void powerUpFrom(const ParameterSet& eeprom);
    // Every EEPROM write is kept in this file from now on (empty: none).
    void keepEepromIn(const std::string& path) { eepromFile_ = path; }

    bool calibrating() const { return calibrating_; }

    // `seconds` is the sensor's clock, which moves the object.
    Answer respond(const Request& request, double seconds);

  private:
    struct Exposure {
        LineReading reading;
        std::uint32_t micrometres = 0;
    };
    Exposure measure(double seconds);
    void takeVideo(double seconds);

    Answer parameterAnswer(int command, const ParameterSet& words) const;
    Answer measurementAnswer(int command, const Exposure& e) const;
    Answer hardwareAnswer() const;
    Answer firmwareText() const;
    Answer videoBlock(unsigned first, unsigned count, double seconds);
    Answer calibration(const Request& request);
    void writeEeprom(const std::uint16_t (&words)[16]);

    Model model_;
    LightCurtain curtain_;
    ParameterSet ram_ = kFactoryParameters;
    ParameterSet eeprom_ = kFactoryParameters;
    std::string eepromFile_;
    std::optional<std::uint16_t> analogMax_;
    std::optional<std::uint16_t> analogMin_;
    std::array<std::uint16_t, 256> video_{};
    bool videoFresh_ = false; // the picture belongs to the last measurement
    bool calibrating_ = false;
};

} // namespace kvor::sim
