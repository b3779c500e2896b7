// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accessible_readout.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QGlyphRun>
#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

#include <algorithm>
#include <limits>

namespace kvor::rt {
namespace {

// The label's accessible name stays its caption; the shown text is the value and the text.
class ReadoutAccessible : public QAccessibleWidget,
                          public QAccessibleTextInterface,
                          public QAccessibleValueInterface {
  public:
    explicit ReadoutAccessible(Readout* readout)
        : QAccessibleWidget(readout, QAccessible::StaticText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::ValueInterface && readout()->numeric())
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return shown();
        return QAccessibleWidget::text(t);
    }

    // Text interface: read only, no selection, no caret.
    QString text(int start, int end) const override {
        const QString s = shown();
        start = std::clamp(start, 0, static_cast<int>(s.size()));
        end = end < 0 ? static_cast<int>(s.size())
                      : std::clamp(end, start, static_cast<int>(s.size()));
        return s.mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(shown().size()); }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

    // Value interface: the number shown, read only.
    QVariant currentValue() const override { return readout()->value(); }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return std::numeric_limits<double>::max(); }
    QVariant minimumValue() const override { return std::numeric_limits<double>::lowest(); }
    QVariant minimumStepSize() const override { return 0.0; }

  private:
    const Readout* readout() const { return static_cast<const Readout*>(widget()); }
    QString shown() const { return readout()->text(); }
};

QAccessibleInterface* ReadoutFactory(const QString&, QObject* object) {
    auto* readout = dynamic_cast<Readout*>(object);
    return readout == nullptr ? nullptr : new ReadoutAccessible(readout);
}

} // namespace

// The text is set once the readout is whole: a label given its text while it is still being made
// announces it to the accessibility bus as a plain label, and the bus then holds an object that
// later calls cannot find.
Readout::Readout(bool numeric, const QString& text) : numeric_(numeric) {
    static const bool installed = [] {
        QAccessible::installFactory(ReadoutFactory);
        return true;
    }();
    (void)installed;
    // Numbers and the sensor's own texts: never markup.
    setTextFormat(Qt::PlainText);
    setText(text);
    restEnd_.setSingleShot(true);
    connect(&restEnd_, &QTimer::timeout, this, [this] { update(contentsRect()); });
}

void Readout::display(const QString& text, double value) {
    const QString old = QLabel::text();
    const bool valueChanged = numeric_ && value_ != value;
    // Within the rest after a repaint the label's own repaint request is left out. The text is
    // painted by the first new text after the rest, so a display fed with every answer repaints
    // in that answer's own pass and no timer wakes the program for it; only when no new text
    // follows within a rest does the timer paint the last one.
    if (restMs_ > 0 && old != text && updatesEnabled() && lastPaint_.isValid() &&
        lastPaint_.elapsed() < restMs_) {
        restEnd_.start(restMs_);
        setAttribute(Qt::WA_UpdatesDisabled);
        setText(text);
        setAttribute(Qt::WA_UpdatesDisabled, false);
    } else {
        if (old != text) restEnd_.stop();
        setText(text);
    }
    if (numeric_) value_ = value;
    if (!QAccessible::isActive()) return;
    if (old != text) {
        QAccessibleTextUpdateEvent update(this, 0, old, text);
        QAccessible::updateAccessibility(&update);
    }
    if (valueChanged) {
        QAccessibleValueChangeEvent change(this, value);
        QAccessible::updateAccessibility(&change);
    }
}

// The glyph of each character shown, looked up once per font: a number is then laid out by
// adding up advances, without shaping it anew. A character the font itself lacks (the font
// machinery would substitute another font) leaves the text to the label.
bool Readout::layOut(const QString& text, QGlyphRun* run, qreal* width) {
    if (!numeric_ || text.isEmpty() || wordWrap() || !pixmap().isNull()) return false;
    if (glyphFont_ != font() || !rawFont_.isValid()) {
        glyphFont_ = font();
        rawFont_ = QRawFont::fromFont(glyphFont_);
        glyphs_.clear();
        if (!rawFont_.isValid()) return false;
    }
    QList<quint32> indexes;
    QList<QPointF> positions;
    qreal x = 0;
    for (const QChar c : text) {
        auto it = glyphs_.find(c.unicode());
        if (it == glyphs_.end()) {
            if (c.isSurrogate()) return false;
            const QList<quint32> glyph = rawFont_.glyphIndexesForString(QString(c));
            if (glyph.size() != 1 || glyph[0] == 0) return false;
            const QList<QPointF> advance = rawFont_.advancesForGlyphIndexes(glyph);
            if (advance.size() != 1) return false;
            it = glyphs_.insert(c.unicode(), {glyph[0], advance[0].x()});
        }
        indexes.append(it->first);
        positions.append(QPointF(x, 0));
        x += it->second;
    }
    run->setRawFont(rawFont_);
    run->setGlyphIndexes(indexes);
    run->setPositions(positions);
    *width = x;
    return true;
}

QRect Readout::textArea() const {
    QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const Qt::Alignment align = QStyle::visualAlignment(layoutDirection(), alignment());
    int indentBy = indent();
    if (indentBy < 0 && frameWidth() > 0)
        indentBy = fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 - margin();
    if (indentBy > 0) {
        if (align & Qt::AlignLeft) area.setLeft(area.left() + indentBy);
        if (align & Qt::AlignRight) area.setRight(area.right() - indentBy);
        if (align & Qt::AlignTop) area.setTop(area.top() + indentBy);
        if (align & Qt::AlignBottom) area.setBottom(area.bottom() - indentBy);
    }
    return area;
}

bool Readout::cutOff(const QString& text) const {
    if (numeric_ || wordWrap() || text.isEmpty() || text.contains(QLatin1Char('\n')) ||
        !pixmap().isNull())
        return false;
    return fontMetrics().horizontalAdvance(text) > textArea().width();
}

// A text cut off shows its beginning and its end, where a path keeps its file's name.
void Readout::paintCutOff() {
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = textArea();
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width());
    style()->drawItemText(&painter, area, QStyle::visualAlignment(layoutDirection(), alignment()),
                          palette(), isEnabled(), shown, foregroundRole());
}

bool Readout::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty() && cutOff(text())) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
        return true;
    }
    return QLabel::event(event);
}

// A number goes where the label itself would put it: inside the margin, indented by half an
// "x" when framed, aligned as set. Everything else the label paints itself, unless it does not
// fit on its line.
void Readout::paintEvent(QPaintEvent* event) {
    if (restMs_ > 0) lastPaint_.start();
    QGlyphRun run;
    qreal width = 0;
    if (!layOut(text(), &run, &width)) {
        if (cutOff(text()))
            paintCutOff();
        else
            QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    // A new number repaints only the inside; the frame is drawn when it is uncovered.
    if (!contentsRect().contains(event->rect())) drawFrame(&painter);
    const QRect area = textArea();
    const Qt::Alignment align = QStyle::visualAlignment(layoutDirection(), alignment());
    const qreal height = rawFont_.ascent() + rawFont_.descent();
    qreal x = area.left();
    if (align & Qt::AlignRight)
        x = area.left() + area.width() - width;
    else if (align & Qt::AlignHCenter)
        x = area.left() + (area.width() - width) / 2;
    qreal y = area.top();
    if (align & Qt::AlignBottom)
        y = area.top() + area.height() - height;
    else if (align & Qt::AlignVCenter)
        y = area.top() + (area.height() - height) / 2;
    // A number wider or taller than its place is cut at the place's edges.
    if (area.width() < width || area.height() < height)
        painter.setClipRect(area, Qt::IntersectClip);
    painter.setPen(QPen(palette().brush(foregroundRole()), 1));
    painter.drawGlyphRun(QPointF(x, y + rawFont_.ascent()), run);
}

} // namespace kvor::rt
