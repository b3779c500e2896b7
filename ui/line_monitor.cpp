// SPDX-License-Identifier: GPL-3.0-or-later
// The line monitor: a window listing the trace of the serial lines as it grows, for the service
// technician chasing a sync or time-out fault. Pause, clear, and save as text.
#include <QAbstractTableModel>
#include <QApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>
#include <memory>

#include "runtime/line_trace.h"
#include "runtime/program_text.h"
#include "runtime/readback.h"
#include "runtime/registry.h"
#include "runtime/runtime.h"
#include "runtime/translation.h"
#include "ui/view_parts.h"
#include "wire/codec.h"

namespace kvor::rt {
namespace {

// The list catches up with the trace this often; a frame costs only its record in between.
constexpr int kRefreshMs = 100;

enum Column { kTime, kPort, kDirection, kBytes, kWhat, kColumns };

// The rows shown: a window on the trace by sequence number, so that a paused list keeps its
// rows while the trace goes on.
class TraceModel : public QAbstractTableModel {
  public:
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(shown_);
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : kColumns;
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        static const char* const kHeadings[kColumns] = {
            N_("ms since start"), N_("Port"), N_("Dir."), N_("Bytes"),
            N_("Frame (sync, command | 16 data words), block or note")};
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
            section >= kColumns)
            return {};
        return ShownText(kHeadings[section]);
    }
    QVariant data(const QModelIndex& index, int role) const override {
        const TraceEntry* e = entry(index.row());
        if (role == Qt::DisplayRole) {
            if (e == nullptr)
                return index.column() == kWhat ? ShownText("(no longer kept)") : QString();
            return TraceFields(*e).value(index.column()).trimmed();
        }
        if (role == Qt::TextAlignmentRole && index.column() != kWhat &&
            index.column() != kDirection)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        if (role == Qt::ForegroundRole && e != nullptr) {
            if (e->kind == TraceKind::Note) return QColor(0xA0, 0x00, 0x00);
            if (e->kind == TraceKind::Flushed) return QColor(0xB0, 0x60, 0x00);
            if (e->kind == TraceKind::Out) return QColor(0x00, 0x00, 0xA0);
        }
        return {};
    }
    const TraceEntry* entry(int row) const {
        const LineTrace& t = LineTrace::instance();
        if (row < 0 || static_cast<std::uint64_t>(row) >= shown_) return nullptr;
        const std::uint64_t seq = first_ + static_cast<std::uint64_t>(row);
        if (seq < t.firstSequence() || seq >= t.nextSequence()) return nullptr;
        return &t.entries()[static_cast<std::size_t>(seq - t.firstSequence())];
    }
    // Drops the rows the trace no longer keeps and adds the new ones; returns the first new row.
    int catchUp() {
        const LineTrace& t = LineTrace::instance();
        if (first_ < t.firstSequence() && shown_ > 0) {
            const std::uint64_t gone = std::min<std::uint64_t>(shown_, t.firstSequence() - first_);
            beginRemoveRows({}, 0, static_cast<int>(gone) - 1);
            first_ += gone;
            shown_ -= gone;
            endRemoveRows();
        }
        if (shown_ == 0) first_ = t.firstSequence();
        const auto firstNew = static_cast<int>(shown_);
        const std::uint64_t end = t.nextSequence();
        if (first_ + shown_ < end) {
            const auto added = static_cast<int>(end - first_ - shown_);
            beginInsertRows({}, static_cast<int>(shown_), static_cast<int>(shown_) + added - 1);
            shown_ += static_cast<std::uint64_t>(added);
            endInsertRows();
        }
        return firstNew;
    }
    void restart() {
        beginResetModel();
        first_ = LineTrace::instance().nextSequence();
        shown_ = 0;
        endResetModel();
    }

  private:
    std::uint64_t first_ = 0;
    std::uint64_t shown_ = 0;
};

class LineMonitorWindow : public QWidget {
  public:
    LineMonitorWindow() {
        setWindowTitle(ShownText("Line monitor"));
        setAccessibleName(ShownText("Line monitor"));
        pause_ = new QPushButton(ShownText("&Pause"));
        pause_->setCheckable(true);
        auto* clear = new QPushButton(ShownText("&Clear"));
        auto* save = new QPushButton(ShownText("&Save as text…"));
        status_ = new QLabel;
        view_ = new QTreeView;
        view_->setAccessibleName(ShownText("Line trace"));
        view_->setAccessibleDescription(
            ShownText("Frames the scope wrote (out) and read (in), newest last"));
        view_->setRootIsDecorated(false);
        view_->setUniformRowHeights(true);
        view_->setTextElideMode(Qt::ElideNone); // a frame's last words matter as much as its first
        view_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        view_->setModel(&model_);
        view_->header()->setStretchLastSection(false);
        view_->header()->setSectionsMovable(false);
        fitColumns();
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(pause_);
        buttons->addWidget(clear);
        buttons->addWidget(save);
        buttons->addWidget(status_, 1);
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(buttons);
        layout->addWidget(view_, 1);
        resize(1240, 640);

        connect(pause_, &QPushButton::toggled, this, [this](bool) { refresh(); });
        connect(clear, &QPushButton::clicked, this, [this] { clearTrace(); });
        connect(save, &QPushButton::clicked, this, [this] { saveAsked(); });
        timer_.setInterval(kRefreshMs);
        connect(&timer_, &QTimer::timeout, this, [this] { refresh(); });
    }

    void refresh() {
        const LineTrace& t = LineTrace::instance();
        if (!pause_->isChecked()) {
            QScrollBar* bar = view_->verticalScrollBar();
            const bool atEnd = bar->value() >= bar->maximum();
            const int firstNew = model_.catchUp();
            widenFor(firstNew, model_.rowCount());
            if (atEnd) view_->scrollToBottom();
            status_->setText(ShownText("%1 entries (the last %2 are kept)")
                                 .arg(model_.rowCount())
                                 .arg(LineTrace::kCapacity));
        } else {
            const std::uint64_t waiting = t.nextSequence() - t.firstSequence();
            status_->setText(ShownText("Paused: %1 entries listed, %2 in the trace")
                                 .arg(model_.rowCount())
                                 .arg(waiting));
        }
    }
    void clearTrace() {
        LineTrace::instance().clear();
        model_.restart();
        widest_ = 0;
        fitColumns();
        refresh();
    }
    bool saveTo(const QString& file) const {
        QSaveFile out(file);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Text)) return false;
        for (const TraceEntry& e : LineTrace::instance().entries())
            out.write(FormatTraceEntry(e).toUtf8() + '\n');
        return out.commit();
    }
    void setPaused(bool on) { pause_->setChecked(on); }
    const TraceModel& model() const { return model_; }
    const QTreeView& view() const { return *view_; }

  protected:
    void showEvent(QShowEvent* event) override {
        LineTrace::instance().setMonitorOpen(true);
        timer_.start();
        refresh();
        QWidget::showEvent(event);
    }
    void hideEvent(QHideEvent* event) override {
        LineTrace::instance().setMonitorOpen(false);
        timer_.stop();
        QWidget::hideEvent(event);
    }

  private:
    // The first columns as wide as their headings and their widest possible text; the last as
    // wide as the widest row listed so far, so that no frame and no note is cut off (the list
    // scrolls sideways instead).
    void fitColumns() {
        const QFontMetrics fixed(view_->font());
        const QFontMetrics heading(view_->header()->font());
        const char* const widest[kWhat] = {"99999999.9", "9999", "flush", "9999"};
        const int pad = 3 * fixed.horizontalAdvance(QLatin1Char(' '));
        for (int c = 0; c < kWhat; ++c) {
            const QString title = model_.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
            view_->header()->resizeSection(
                c, std::max(fixed.horizontalAdvance(QLatin1String(widest[c])),
                            heading.horizontalAdvance(title)) +
                       pad);
        }
        const QString last = model_.headerData(kWhat, Qt::Horizontal, Qt::DisplayRole).toString();
        view_->header()->resizeSection(kWhat,
                                       std::max(widest_, heading.horizontalAdvance(last) + pad));
    }
    // Rows [first, end) have come: the last column grows to the widest of them.
    void widenFor(int first, int end) {
        const int before = widest_;
        for (int row = first; row < end; ++row)
            widest_ = std::max(widest_, view_->sizeHintForIndex(model_.index(row, kWhat)).width());
        if (widest_ > before) fitColumns();
    }

    void saveAsked() {
        char path[4096];
        // Where the operator's other files go: the program's folder, else the documents folder.
        const QByteArray folder = ProjectDir().toUtf8();
        if (FileSelectPopup(folder.constData(), "line-trace.txt", "*.txt",
                            Tr("Save the line trace"), VAL_SAVE_BUTTON, 0, 1, 1, 1, path) <= 0)
            return;
        if (!saveTo(QString::fromUtf8(path)))
            MessagePopup(Tr("Line monitor"),
                         Tr("The line trace could not be written to the file."));
    }

    TraceModel model_;
    QPushButton* pause_;
    QLabel* status_;
    QTreeView* view_;
    QTimer timer_;
    int widest_ = 0; // the widest text of the last column so far, in pixels
};

std::unique_ptr<LineMonitorWindow> g_monitor;

// The window as the operator sees it now: its list caught up with the trace.
LineMonitorWindow* Shown() {
    if (!g_monitor || !g_monitor->isVisible()) return nullptr;
    g_monitor->refresh();
    return g_monitor.get();
}

} // namespace

void DiscardLineMonitor() {
    g_monitor.reset();
}

} // namespace kvor::rt

using namespace kvor::rt;

int ShowLineMonitor() {
    if (QApplication::instance() == nullptr) return -1;
    if (!g_monitor) g_monitor = std::make_unique<LineMonitorWindow>();
    BringToFront(g_monitor.get());
    return 0;
}

int CloseLineMonitor() {
    if (g_monitor) g_monitor->hide();
    return 0;
}

int SetLineMonitorPaused(int paused) {
    if (!g_monitor) return -1;
    g_monitor->setPaused(paused != 0);
    return 0;
}

int ClearLineMonitor() {
    if (!g_monitor) return -1;
    g_monitor->clearTrace();
    return 0;
}

int SaveLineMonitorText(const char* file) {
    if (!g_monitor || file == nullptr) return -1;
    return g_monitor->saveTo(QString::fromUtf8(file)) ? 0 : -1;
}

int SaveLineMonitorImage(const char* pngFile) {
    LineMonitorWindow* w = Shown();
    if (w == nullptr || pngFile == nullptr) return -1;
    QApplication::processEvents();
    return w->grab().save(QString::fromUtf8(pngFile), "PNG") ? 0 : -1;
}

int GetLineMonitorEntryCount() {
    const LineMonitorWindow* w = Shown();
    return w == nullptr ? -1 : w->model().rowCount();
}

int GetLineMonitorEntry(int index, LineMonitorEntry* info) {
    const LineMonitorWindow* w = Shown();
    const TraceEntry* e = w == nullptr ? nullptr : w->model().entry(index);
    if (e == nullptr || info == nullptr) return -1;
    *info = LineMonitorEntry{};
    info->ms = e->ms;
    info->port = e->port;
    info->kind = static_cast<int>(e->kind);
    info->length = static_cast<int>(e->bytes.size());
    const auto* b = reinterpret_cast<const unsigned char*>(e->bytes.constData());
    if (e->kind != TraceKind::Note && e->bytes.size() == kvor::protocol::kFrameBytes) {
        const kvor::protocol::FrameWords f = kvor::protocol::DecodeFrame(b);
        info->sync = f.sync;
        info->command = f.command;
        std::copy(std::begin(f.words), std::end(f.words), info->words);
    }
    return 0;
}

int GetLineMonitorEntryText(int index, char* text, std::size_t size) {
    const LineMonitorWindow* w = Shown();
    const TraceEntry* e = w == nullptr ? nullptr : w->model().entry(index);
    if (e == nullptr || text == nullptr || size == 0) return -1;
    CopyOut(FormatTraceEntry(*e), text, size);
    return 0;
}
