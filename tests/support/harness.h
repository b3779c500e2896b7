// SPDX-License-Identifier: GPL-3.0-or-later
// What program tests use to drive the scope as an operator would: the real procedures, the
// real runtime, and a simulated sensor on a pseudo-terminal.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QWidget>
#include <gtest/gtest.h>

#include "sim/simulated_sensor.h"

namespace kvor::test {

// The widget of a control, found by its accessible description ("panel 1, control 48"). The
// panel is a handle (pHandle, pPopup) or a resource number (1 main panel, 2 pop-up).
QWidget* Control(int panel, int control);

// Operator input through real mouse and key events.
void Click(int panel, int control);         // press and release over a button or check box
void PressButton(int panel, int control);   // mouse down only (left click)
void ReleaseButton(int panel, int control); // mouse up over it (commit)
void EnterNumber(int panel, int control, double value); // types the value and presses Enter
void PickRingValue(int panel, int control, int value);  // opens the list, picks the item
void ClosePanelWindow(int panel);                       // the window's close box

// Runs fn inside the event processing `ms` milliseconds from now (also inside a busy loop).
void Later(int ms, std::function<void()> fn);
// Processes events for the given time / until cond() holds; returns whether it held.
void PumpFor(double seconds);
bool PumpUntil(const std::function<bool()>& cond, double timeoutSeconds);
// Processes events until every event posted before the call has been handled: whatever the
// program has already set in motion has happened.
void Drain();

// Runs fn in the first event pass in which cond holds, looking every few milliseconds (also
// inside a busy loop). A condition that does not hold within timeoutSeconds fails the test and
// ends a running loop, so that the test ends instead of waiting for a click that never comes.
// Pending looks die with the test, like Later().
void When(std::function<bool()> cond, std::function<void()> fn, double timeoutSeconds = 30.0);

// One step of an operator's sequence: what must hold before the action is taken.
struct Step {
    std::function<bool()> when;
    std::function<void()> then;
};
// Takes the steps one after the other, each once its condition holds after the one before has
// been taken, through When().
void InTurn(std::vector<Step> steps, double timeoutSeconds = 30.0);

// Requests with this command code among those from index `from` on.
int CountCommand(const std::vector<sim::Request>& requests, int command, std::size_t from = 0);
// A condition for When() and InTurn(): a loop runs and the sensor has been asked for `count`
// more measurements than when the condition was first looked at (in InTurn, right after the
// step before). The answers to all but the last of them have been drawn by then.
std::function<bool()> Measuring(const sim::SimulatedSensor& sensor, int count = 1);

std::string StatusLine(); // the text of main panel control 48

// What the scope had written (its request count) and the sensor had logged at one moment.
struct LineMark {
    int written = 0;
    std::size_t logged = 0;
    std::size_t answered = 0; // answers the sensor had sent
};
LineMark MarkLine(const sim::SimulatedSensor& sensor);
// Empties the sensor's logs and marks the line then.
LineMark ClearRequests(sim::SimulatedSensor& sensor);
// The sensor's requests once it has logged every one the scope wrote since `mark` (up to the
// scope's request count `upTo`, when the rest went to another port), or has ended; the scope
// has then handled every event it had in hand.
std::vector<sim::Request> Settled(const sim::SimulatedSensor& sensor, const LineMark& mark,
                                  int upTo = -1);
// Once settled, the sensor has sent an answer to every request since `mark` (one that answers
// them all) and the scope has handled the events that brought them.
bool AwaitAnswers(const sim::SimulatedSensor& sensor, const LineMark& mark);
// Once settled, nothing the scope still has in hand writes another request.
void ExpectNoMoreRequests(const sim::SimulatedSensor& sensor, const LineMark& mark, int upTo = -1);

// A simulated sensor on a pseudo-terminal, made port 1 through KVOR_COM_PORTS; then the
// program's start-up (everything of WinMain before the event loop). TearDown ends the program.
class ScopeTest : public ::testing::Test {
  protected:
    // Override to choose the sensor before start-up.
    virtual sim::Options SensorOptions() const;
    void SetUp() override;
    void TearDown() override;

    sim::SimulatedSensor& sensor() { return *sensor_; }
    // Starts a second sensor and points port 2 at it (port selector tests).
    sim::SimulatedSensor& secondSensor(const sim::Options& options);

    std::unique_ptr<sim::SimulatedSensor> sensor_;
    std::unique_ptr<sim::SimulatedSensor> second_;
    int startResult_ = 0;
};

} // namespace kvor::test
