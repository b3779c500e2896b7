// SPDX-License-Identifier: GPL-3.0-or-later
// The subcommands of one port: ports, identify, teach, reset-minmax, measure and gauge.
#pragma once

namespace kvor {

int CommandPorts();
int CommandIdentify();
int CommandTeach();
int CommandResetMinMax();
int CommandMeasure();
int CommandGauge();

} // namespace kvor
