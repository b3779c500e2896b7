#include "ui/panel_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include "ui/registry.h"

namespace kvor::rt {

PanelWindow::PanelWindow(int handle, const QString& title, QSize canvasSize, QColor background)
    : handle_(handle), scroll_(new QScrollArea(this)), canvas_(new QWidget) {
    setWindowTitle(title);
    canvas_->setFixedSize(canvasSize);
    canvas_->setAutoFillBackground(true);
    QPalette palette = canvas_->palette();
    palette.setColor(QPalette::Window, background);
    canvas_->setPalette(palette);
    scroll_->setWidget(canvas_);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setPalette(palette);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_);
    setPalette(palette);
    resize(canvasSize);
}

void PanelWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    Panel* panel = FindPanel(handle_);
    if (panel != nullptr && panel->callback != nullptr) {
        ClosingPanel closing(handle_);
        panel->callback(handle_, EVENT_CLOSE, nullptr, 0, 0);
    }
}

} // namespace kvor::rt
