// SPDX-License-Identifier: GPL-3.0-or-later
// Replots of a graph or strip chart, drawn when their panel's window next goes to the screen
// (see PanelWindow: at most once a screen frame). The plot calls of one answer, and of every
// answer within one screen frame, end in one picture; a change that leaves the axes alone
// redraws only the curves, rectangles and cursors, not the grid, the ticks and their labels.
#pragma once

#include <QObject>

class QWidget;

namespace kvor::rt {

class PlotWidget;

class ReplotPacer : public QObject {
  public:
    enum class Change { Contents, Axes };

    explicit ReplotPacer(PlotWidget* plot);
    ~ReplotPacer() override;
    ReplotPacer(const ReplotPacer&) = delete;
    ReplotPacer& operator=(const ReplotPacer&) = delete;

    void request(Change change);
    // Draws what is pending now.
    void flush();
    bool shownIn(const QWidget* window) const;

  private:
    PlotWidget* plot_;
    bool pending_ = false;
    bool axes_ = true;
};

// Draws every pending replot at once: before a picture of a panel is taken.
void FlushAllReplots();
// Draws the pending replots of the plots in `window`, before it is painted.
void FlushReplotsIn(const QWidget* window);

} // namespace kvor::rt
