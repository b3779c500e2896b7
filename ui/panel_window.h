// SPDX-License-Identifier: GPL-3.0-or-later
// The window of a panel: a fixed-size canvas of absolutely placed controls, scrollable when the
// window is made smaller than the panel.
#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

class QScrollArea;

namespace kvor::rt {

class PanelWindow : public QWidget {
    Q_OBJECT
  public:
    PanelWindow(int handle, const QString& title, QSize canvasSize, QColor background);
    QWidget* canvas() const { return canvas_; }
    // How many pictures of the panel have gone to the screen.
    long picturesShown() const { return pictures_; }

  protected:
    // The close box raises the panel's close event; the window stays until the program hides
    // or discards the panel.
    void closeEvent(QCloseEvent* event) override;
    // What reaches the screen: at most one picture a screen frame, the plots' pending replots
    // drawn into it. A change within a frame of the last picture waits for the frame's end,
    // so the screen never lags the last answer by more than one frame.
    bool event(QEvent* event) override;

  private:
    int handle_;
    QElapsedTimer lastPicture_;
    long pictures_ = 0;
    QTimer nextFrame_;
    QScrollArea* scroll_;
    QWidget* canvas_;
};

// The window of a loaded panel; null when there is none.
PanelWindow* WindowOf(int panel);

} // namespace kvor::rt
