// SPDX-License-Identifier: GPL-3.0-or-later
// A simulated K-VOR-PX sensor behind a pseudo-terminal: the program reaches it through the same
// serial code as a real port. Used in-process by tests and by the executable kvor-sensor-sim.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "wire/codec.h"

namespace kvor::sim {

// What the sensor tells about itself: one preset per sensor type the scope knows.
struct Model {
    std::uint16_t ccdtype = 2;         // CCD type code
    std::uint16_t ccdmaxpixel = 1024;  // physical pixels
    std::uint16_t ccdresolution = 250; // optics code
    // Board type: 0 word-coded firmware text; 0 and 100 video in 64-sample blocks.
    std::uint16_t pcbtype = 100;
    std::uint16_t ccdvirtpixel = 4096; // virtual pixels
    std::uint16_t ccdsubpixel = 2048;  // subpixel span
    std::uint16_t ccdpixB = 1;
    std::uint16_t ccdpixE = 1024;
    std::uint16_t softversion = 240;                      // firmware version number
    std::uint16_t hwtype = 250;                           // hardware variant
    std::uint16_t adcmax = 1024;                          // video full scale
    std::string firmware = "K-VOR-PX-250 firmware V2.40"; // padded with blanks to 72 bytes
};

// Names of the presets, for --model and ModelPreset: "1-30", "1-80", "2-750", "2-250", "2-350",
// "3", "4", "101", "102-220", "102-230", "103", "104", "unknown", plus "board0", "board7"
// (board type variants) and "adc256". Unknown names return false.
bool ModelPreset(const std::string& name, Model* model);
std::vector<std::string> ModelPresetNames();

// Scenes of the size the sensor reports, for the control chart: from the size of its first
// measurement answer on, steady with a little noise (calm), then after `sceneAfter` answers
// shifted at once (step), rising a little each answer (trend) or a little to one side (run).
enum : int { SCENE_NONE = 0, SCENE_CALM = 1, SCENE_STEP = 2, SCENE_TREND = 3, SCENE_RUN = 4 };

// Faults for tests. All default to off; each can be changed while the sensor runs.
struct Faults {
    bool silent = false;               // answers nothing
    bool wrongEchoSync = false;        // echo answered with sync 0x0055 instead of 0x00AA
    bool wrongHardwareCommand = false; // hardware answer carries command word 0 instead of 10
    int extraBytes = 0;                // bytes appended after every answer frame
    int extraByteValue = 0xEE;         // ... each of this value (0 to 255)
    int firmwareTextBytes = 72;        // bytes of the firmware answer sent (short text when < 72)
    bool garbledFirmware = false;      // firmware text replaced by random bytes
    int videoBlockBytes = -1;          // bytes of each video block sent (-1: the full block)
    int dropEvery = 0;                 // every n-th request goes unanswered (0: none)
    double delaySeconds = 0.0;         // extra delay before every answer
    int hangUpAfter = 0;               // answers this many requests, then closes the line
    // Answers to requests with command code holdCommand (0: none) stop after holdAfterBytes
    // bytes and hold the rest back for holdSeconds: an answer cut at any point of its way, or a
    // whole answer landing late, inside whatever the scope does next.
    // A negative holdSeconds holds until releaseHeldAnswer().
    int holdCommand = 0;
    int holdAfterBytes = 0;
    double holdSeconds = 0.0;
    // Parameter answers (reads, writes, teach) carry this command word instead of the
    // request's (-1: the request's).
    int parameterAnswerWord = -1;
    // Acknowledgments of RAM and EEPROM writes carry this command word (-1: the request's) and
    // go out this much later than other answers.
    int ackWord = -1;
    double ackDelaySeconds = 0.0;
    // Writes to RAM and EEPROM are answered as usual but change nothing: a sensor that does not
    // keep what it is sent.
    bool forgetWrites = false;
    // The size (answer words 3 and 4) follows this scene instead of the line (SCENE_NONE: the
    // line's own).
    int scene = SCENE_NONE;
    int sceneAfter = 40;
};

struct Options {
    Model model;
    Faults faults;
    bool paced = true;              // 19200 baud 8N1 timing (10 bits a byte) plus latency
    double latencySeconds = 0.0005; // the firmware's turn-around before an answer
    bool acknowledgeWrites = true;  // RAM and EEPROM writes answered with a frame, or not at all
    double adapterLatency = 0.0;    // USB adapter latency timer the answers pass (s; 0: none)
    std::string eepromFile;         // keeps the EEPROM parameter set in this file when set
    std::uint32_t seed = 1;         // noise and drift
    bool endOnPeerHangUp = false;   // ends the sensor once the program, having opened it, closes it
    // requests() and measurementAnswers() keep the newest this many (0: every one)
    std::size_t requestLogLimit = 0;
};

// One request as it arrived on the line (or, for the measurement answers, as it went out).
struct Request : protocol::FrameWords {
    double at = 0.0; // when its first byte was read, seconds since the sensor was made
};

class SimulatedSensor {
  public:
    explicit SimulatedSensor(Options options = {});
    ~SimulatedSensor(); // stops the thread and closes the pseudo-terminal
    SimulatedSensor(const SimulatedSensor&) = delete;
    SimulatedSensor& operator=(const SimulatedSensor&) = delete;

    // Opens the pseudo-terminal and starts answering on a thread of its own.
    bool start();
    void stop();
    // The device path the program opens (the pseudo-terminal's slave side).
    std::string devicePath() const;

    // Thread-safe accessors for tests.
    void setFaults(const Faults& faults);
    void setModel(const Model& model);
    std::vector<Request> requests() const; // every request received so far, in order
    // Every answer to a measurement request that went out on the line in full, in order, in the
    // layout of a request (sync, command word, 16 data words). Dropped answers are not in it.
    std::vector<Request> measurementAnswers() const;
    // Every answer frame of any command that went out on the line in full, in order, in the
    // same layout.
    std::vector<Request> answerFrames() const;
    void clearRequests();                                // clears the three logs
    std::vector<std::uint16_t> ramParameters() const;    // 16 words
    std::vector<std::uint16_t> eepromParameters() const; // 16 words
    void setRamParameters(const std::vector<std::uint16_t>& words);
    // From now on every measurement answer carries these 16 words instead of what the line
    // shows; an empty list returns to the line.
    void setMeasurementAnswer(const std::vector<std::uint16_t>& words);
    // Places the shadowing object: left and right edge in virtual pixels; drift off when fixed.
    void setObject(double leftEdge, double rightEdge, bool drifting);

    // True while an answer is held back by the hold fault: tests act at that point of the line.
    bool holdingAnswer() const;
    // Ends a hold of negative holdSeconds: the rest of the answer goes out.
    void releaseHeldAnswer();
    // Held answers whose rest found the scope's next request already waiting: the scope wrote
    // before the answer had come whole.
    std::size_t answersOvertaken() const;
    // Answer frames and blocks sent so far, whole.
    std::size_t answersSent() const;
    // Blocks the caller until `count` answers have gone out whole (false: not within the time).
    bool awaitAnswersSent(std::size_t count, double timeoutSeconds) const;

    // True once the sensor has ended on its own: the hang-up fault, or the peer hanging up
    // with endOnPeerHangUp set. stop() and start() may follow.
    bool finished() const;
    // Why start() failed (no pseudo-terminal, unreadable EEPROM file); empty otherwise.
    std::string lastError() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace kvor::sim
