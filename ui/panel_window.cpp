// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/panel_window.h"
#include "runtime/translation.h"

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include "runtime/registry.h"
#include "ui/replot_pacer.h"

namespace kvor::rt {

namespace {

// A screen shows about sixty pictures a second; more than that are never seen.
constexpr int kFrameMs = 16;

// A panel's window offers its close box to assistive technology too, as the action "Close": a
// screen reader or a test robot closes the panel as the operator's close box would.
class PanelWindowAccessible : public QAccessibleWidget {
  public:
    explicit PanelWindowAccessible(QWidget* window)
        : QAccessibleWidget(window, QAccessible::Window) {}
    QStringList actionNames() const override {
        return QAccessibleWidget::actionNames() << CloseAction();
    }
    void doAction(const QString& name) override {
        if (name == CloseAction())
            widget()->close();
        else
            QAccessibleWidget::doAction(name);
    }
    QStringList keyBindingsForAction(const QString& name) const override {
        return name == CloseAction() ? QStringList()
                                     : QAccessibleWidget::keyBindingsForAction(name);
    }
    static QString CloseAction() { return QStringLiteral("Close"); }
};

QAccessibleInterface* PanelWindowFactory(const QString&, QObject* object) {
    auto* window = qobject_cast<PanelWindow*>(object);
    return window == nullptr ? nullptr : new PanelWindowAccessible(window);
}

} // namespace

PanelWindow::PanelWindow(int handle, const QString& title, QSize canvasSize, QColor background)
    : handle_(handle), scroll_(new QScrollArea(this)), canvas_(new QWidget) {
    static const bool accessible = [] {
        QAccessible::installFactory(PanelWindowFactory);
        return true;
    }();
    (void)accessible;
    setWindowTitle(Shown(title));
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
    nextFrame_.setSingleShot(true);
    connect(&nextFrame_, &QTimer::timeout, this, [this] {
        QCoreApplication::postEvent(this, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
    });
}

bool PanelWindow::event(QEvent* event) {
    if (event->type() == QEvent::UpdateRequest) {
        const qint64 since = lastPicture_.isValid() ? lastPicture_.elapsed() : kFrameMs;
        if (since < kFrameMs) {
            if (!nextFrame_.isActive()) nextFrame_.start(static_cast<int>(kFrameMs - since));
            return true;
        }
        nextFrame_.stop();
        lastPicture_.start();
        ++pictures_;
        FlushReplotsIn(this);
    }
    return QWidget::event(event);
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
