// What program tests use to drive the scope as an operator would: the real procedures, the
// real runtime, and a simulated sensor on a pseudo-terminal.
#pragma once

#include <functional>
#include <memory>
#include <string>

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

std::string StatusLine(); // the text of main panel control 48

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
