// What a display shows, for assistive technology: numeric displays and text messages (the status
// line among them) expose their text through the text interface and numbers through the value
// interface, and announce every change, so a screen reader reads the measurement and the status.
#pragma once

#include <QString>

class QLabel;

namespace kvor::rt {

// Marks a label as a readout; `numeric` adds the value interface.
void MakeReadout(QLabel* label, bool numeric);
// Shows a new text (and, for a numeric readout, its value) and announces the change.
void ShowReadout(QLabel* label, const QString& text, double value = 0);

} // namespace kvor::rt
