// SPDX-License-Identifier: GPL-3.0-or-later
// measure --publish: the answers to a plant's MQTT broker while kvorctl measures.
#pragma once

namespace kvor {

// Starts publishing with the command line's settings once the link is up (the status names the
// sensor). EXIT_DONE, EXIT_USAGE for settings that cannot work (URL, CA file, password file),
// EXIT_REFUSED when the broker refuses. A broker that cannot be reached is said on stderr and
// holds nothing up: the messages wait.
int StartCliPublishing();
// EXIT_REFUSED once the broker has refused (after a line on stderr), else EXIT_DONE.
int CliPublishingRefused();
// The clean end: the status goes offline; what could not go out is said on stderr.
void EndCliPublishing();

} // namespace kvor
