// SPDX-License-Identifier: GPL-3.0-or-later
// Replots of a graph or strip chart, paced to the screen. The plot calls of one answer, and of
// every answer within one screen refresh, end in one picture; a change that leaves the axes
// alone redraws only the plot layers, not the grid, the ticks and their labels.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

class QCustomPlot;

namespace kvor::rt {

class ReplotPacer : public QObject {
  public:
    enum class Change { Contents, Axes };

    // `cursors`: the plot has cursors (on the overlay layer).
    ReplotPacer(QCustomPlot* plot, bool cursors);
    ~ReplotPacer() override;
    ReplotPacer(const ReplotPacer&) = delete;
    ReplotPacer& operator=(const ReplotPacer&) = delete;

    // Runs before each picture (a strip chart hands its points to the plot there).
    void setPrepare(std::function<void()> prepare) { prepare_ = std::move(prepare); }
    void request(Change change);
    // Draws what is pending now.
    void flush();

  private:
    QCustomPlot* plot_;
    QTimer timer_;
    QElapsedTimer sinceLast_;
    std::function<void()> prepare_;
    bool cursors_;
    bool pending_ = false;
    bool axes_ = true;
};

// Draws every pending replot at once: before a picture of a panel is taken.
void FlushAllReplots();

} // namespace kvor::rt
