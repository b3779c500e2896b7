// SPDX-License-Identifier: GPL-3.0-or-later
// What a display shows, for the eye and for assistive technology: numeric displays and text
// messages (the status line among them) expose their text through the text interface and numbers
// through the value interface, and announce every change, so a screen reader reads the
// measurement and the status. A new number each answer is cheap to paint: its digits are laid
// out from glyphs looked up once, not shaped anew.
#pragma once

#include <QElapsedTimer>
#include <QFont>
#include <QHash>
#include <QLabel>
#include <QRawFont>
#include <QString>
#include <QTimer>
#include <utility>

class QGlyphRun;

namespace kvor::rt {

class Readout : public QLabel {
  public:
    // `numeric` adds the value interface.
    explicit Readout(bool numeric, const QString& text = {});
    bool numeric() const { return numeric_; }
    double value() const { return value_; }
    // Shows a new text (and, for a numeric readout, its value) and announces the change.
    void display(const QString& text, double value = 0);
    // A figure the operator reads rather than watches: repainted at most once in `ms` (and
    // never showing a text older than twice that); what it holds and announces is always the
    // newest.
    void restBetweenPaints(int ms) { restMs_ = ms; }

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    // Where a text goes: inside the frame and the margin, indented as the label indents it.
    QRect textArea() const;
    // A text on one line wider than its place; it is shown with its middle left out ("…") and
    // whole in the tool tip and to assistive technology.
    bool cutOff(const QString& text) const;
    void paintCutOff();
    // The glyphs of a number shown, and their total advance; false leaves it to the label.
    bool layOut(const QString& text, QGlyphRun* run, qreal* width);

    bool numeric_;
    double value_ = 0;
    int restMs_ = 0;
    QElapsedTimer lastPaint_;
    QTimer restEnd_;
    QFont glyphFont_;
    QRawFont rawFont_;
    QHash<char16_t, std::pair<quint32, qreal>> glyphs_; // glyph index and advance
};

} // namespace kvor::rt
