// SPDX-License-Identifier: GPL-3.0-or-later
// The window of a panel: a fixed-size canvas of absolutely placed controls, scrollable when the
// window is made smaller than the panel.
#pragma once

#include <QWidget>

class QScrollArea;

namespace kvor::rt {

class PanelWindow : public QWidget {
    Q_OBJECT
  public:
    PanelWindow(int handle, const QString& title, QSize canvasSize, QColor background);
    QWidget* canvas() const { return canvas_; }

  protected:
    // The close box raises the panel's close event; the window stays until the program hides
    // or discards the panel.
    void closeEvent(QCloseEvent* event) override;

  private:
    int handle_;
    QScrollArea* scroll_;
    QWidget* canvas_;
};

} // namespace kvor::rt
