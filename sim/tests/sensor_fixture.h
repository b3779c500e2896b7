// SPDX-License-Identifier: GPL-3.0-or-later
// A simulated sensor and the scope's end of its line, for the tests over the pseudo-terminal.
#pragma once

#include <memory>

#include <gtest/gtest.h>

#include "scope_line.h"
#include "sim/simulated_sensor.h"

namespace kvor::sim::test {

class SensorOnLine : public ::testing::Test {
  protected:
    void open(Options options) {
        sensor_ = std::make_unique<SimulatedSensor>(std::move(options));
        ASSERT_TRUE(sensor_->start()) << sensor_->lastError();
        line_ = std::make_unique<ScopeLine>(sensor_->devicePath());
        ASSERT_TRUE(line_->isOpen()) << sensor_->devicePath();
    }
    void openUnpaced(const Model& model = {}) {
        Options o;
        o.model = model;
        o.paced = false;
        open(o);
    }
    Bytes ask(int command, std::initializer_list<std::uint16_t> words, std::size_t answerBytes,
              double timeoutSeconds = 2.0) {
        return line_->exchange(RequestFrame(command, words), answerBytes, timeoutSeconds);
    }

    SimulatedSensor& sensor() { return *sensor_; }
    ScopeLine& line() { return *line_; }

    std::unique_ptr<SimulatedSensor> sensor_;
    std::unique_ptr<ScopeLine> line_;
};

} // namespace kvor::sim::test
