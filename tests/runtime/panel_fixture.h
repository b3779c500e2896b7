// SPDX-License-Identifier: GPL-3.0-or-later
// A small panel file written for one test, and the events its controls raised.
#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/runtime.h"

namespace kvor::test {

struct Event {
    int control;
    int event;
};

// Every test callback appends here.
std::vector<Event>& RecordedEvents();
int RecordEvent(int panel, int control, int event, void*, int, int);

class PanelTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Writes `json` as a panel file and returns its path.
    std::string WritePanelFile(const std::string& json);
    int Load(const std::string& json, int resource = 1);

    QTemporaryDir dir_;
    std::vector<int> panels_;
};

} // namespace kvor::test
