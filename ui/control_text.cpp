// SPDX-License-Identifier: GPL-3.0-or-later
// Text messages, text boxes, rings, decorations and pictures.
#include <QAbstractItemView>
#include <QComboBox>
#include <QFrame>
#include <QImageReader>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QStylePainter>
#include <QTextBlock>

#include <algorithm>
#include <functional>

#include "runtime/registry.h"
#include "runtime/translation.h"
#include "ui/accessible_readout.h"
#include "ui/control_kinds.h"

namespace kvor::rt {
namespace {

class TextMessage : public WidgetControl {
  public:
    TextMessage(int panel, const ControlDef& def, QWidget* canvas)
        : WidgetControl(panel, def, canvas) {
        label_body_ = new Readout(false, Shown(def.text));
        if (def.align == QLatin1String("center")) label_body_->setAlignment(Qt::AlignCenter);
        if (def.align == QLatin1String("sunken")) {
            label_body_->setFrameShape(QFrame::StyledPanel);
            label_body_->setFrameShadow(QFrame::Sunken);
            label_body_->setMargin(4);
        }
        label_body_->setWordWrap(def.wrap);
        finish(label_body_);
        if (def.rect.width() <= 0) label_body_->adjustSize();
    }
    // The program reads back the text it set; the operator reads it in their language.
    int setValue(const Value& value) override {
        text_ = ToText(value);
        label_body_->display(Shown(text_));
        if (def_.rect.width() <= 0) label_body_->adjustSize();
        return 0;
    }
    int getValue(Value* value) const override {
        *value = text_;
        return 0;
    }

  protected:
    bool showsLabelAbove() const override { return false; }
    void applyFont() override {
        WidgetControl::applyFont();
        if (def_.rect.width() <= 0 && label_body_ != nullptr) label_body_->adjustSize();
    }

  private:
    Readout* label_body_ = nullptr;
    QString text_ = def_.text;
};

class TextBox : public WidgetControl {
  public:
    TextBox(int panel, const ControlDef& def, QWidget* canvas) : WidgetControl(panel, def, canvas) {
        edit_ = new QPlainTextEdit(def.text);
        edit_->setReadOnly(true);
        edit_->setLineWrapMode(QPlainTextEdit::NoWrap);
        finish(edit_);
    }
    int setValue(const Value& value) override {
        edit_->setPlainText(ToText(value));
        return 0;
    }
    int getValue(Value* value) const override {
        *value = edit_->toPlainText();
        return 0;
    }
    int replaceLine(int line, const QString& text) override {
        if (line < 0 || line > 10000) return -1;
        QStringList lines = edit_->toPlainText().split(QLatin1Char('\n'));
        if (edit_->toPlainText().isEmpty()) lines.clear();
        while (lines.size() <= line)
            lines.append(QString());
        lines[line] = text;
        edit_->setPlainText(lines.join(QLatin1Char('\n')));
        return 0;
    }

  private:
    QPlainTextEdit* edit_;
};

// The ring's list. An item picked by a change of the current item is marked until the
// activation that belongs to the same pick, or until the operator starts another pick.
class RingBox : public QComboBox {
  public:
    int pickedByChange = -1;
    std::function<void()> beforeOpen;

    void showPopup() override {
        pickedByChange = -1;
        if (beforeOpen) beforeOpen();
        fitListToItems();
        QComboBox::showPopup();
    }

  protected:
    // The box shows the beginning and the end of an item wider than itself (a port's mark of
    // trouble stands at its end), the whole item in its tool tip.
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        painter.drawComplexControl(QStyle::CC_ComboBox, option);
        const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                    QStyle::SC_ComboBoxEditField, this);
        const int room = field.width() - 2; // the style's label keeps a pixel clear each side
        if (fontMetrics().horizontalAdvance(option.currentText) > room) {
            option.currentText =
                fontMetrics().elidedText(option.currentText, Qt::ElideMiddle, room);
            setToolTip(currentText());
        } else {
            setToolTip(QString());
        }
        painter.drawControl(QStyle::CE_ComboBoxLabel, option);
    }

    bool event(QEvent* event) override {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::Wheel)
            pickedByChange = -1;
        return QComboBox::event(event);
    }

  private:
    // The list opens as wide as its widest item, within the screen, so no item is cut.
    void fitListToItems() {
        QAbstractItemView* list = view();
        list->setTextElideMode(Qt::ElideMiddle);
        int widest = 0;
        for (int i = 0; i < count(); ++i)
            widest = std::max(widest, list->sizeHintForIndex(model()->index(i, 0)).width());
        const int frame = 2 * list->frameWidth() + list->verticalScrollBar()->sizeHint().width();
        int wanted = widest + frame;
        if (const QScreen* screen = this->screen())
            wanted = std::min(wanted, screen->availableGeometry().width());
        list->setMinimumWidth(std::max(wanted, width()));
    }
};

// A ring shows one of its items. A value that no item carries is kept and shown as such, so that
// reading the ring back never changes what the sensor or a file gave.
class Ring : public WidgetControl {
  public:
    Ring(int panel, const ControlDef& def, QWidget* canvas) : WidgetControl(panel, def, canvas) {
        box_ = new RingBox;
        for (const RingItem& item : def.items)
            box_->addItem(item.text, item.value);
        box_->setCurrentIndex(indexOf(def.value));
        // The pick itself, however it was made (mouse, keys, an assistive tool): value changed,
        // then commit. Picking the item already shown changes nothing and commits only.
        QObject::connect(box_, &QComboBox::currentIndexChanged, [this](int index) {
            if (ProgramSetting::active() || index == lastIndex_) return;
            lastIndex_ = index;
            box_->pickedByChange = index;
            dropStrayItem();
            fire(EVENT_VAL_CHANGED);
            fire(EVENT_COMMIT);
        });
        QObject::connect(box_, &QComboBox::activated, [this](int index) {
            if (box_->pickedByChange == index) {
                box_->pickedByChange = -1; // this pick has raised its events already
                return;
            }
            fire(EVENT_COMMIT);
        });
        finish(box_);
        lastIndex_ = box_->currentIndex();
    }
    int setValue(const Value& value) override {
        ProgramSetting setting;
        const double v = ToDouble(value);
        if (stray_) {
            box_->removeItem(box_->count() - 1);
            stray_ = false;
        }
        int index = indexOf(v);
        if (index < 0) {
            box_->addItem(QStringLiteral("(%1)").arg(v), v);
            stray_ = true;
            index = box_->count() - 1;
        }
        box_->setCurrentIndex(index);
        lastIndex_ = index;
        return 0;
    }
    int getValue(Value* value) const override {
        *value = box_->currentIndex() < 0 ? 0.0 : box_->currentData().toDouble();
        return 0;
    }
    bool valueLabel(double value, QString* label) const override {
        const int index = indexOf(value);
        if (index < 0 || (stray_ && index == box_->count() - 1)) return false;
        *label = box_->itemText(index);
        return true;
    }
    int setBeforeOpen(std::function<void()> beforeOpen) override {
        box_->beforeOpen = std::move(beforeOpen);
        return 0;
    }
    // The port selector lists the port table.
    int setItems(const std::vector<RingItem>& items, double current) override {
        ProgramSetting setting;
        box_->clear();
        stray_ = false;
        for (const RingItem& item : items)
            box_->addItem(Shown(item.text), item.value);
        // The value shown stays what it was, even when no item carries it any more.
        int index = indexOf(current);
        if (index < 0) {
            box_->addItem(QStringLiteral("(%1)").arg(current), current);
            stray_ = true;
            index = box_->count() - 1;
        }
        box_->setCurrentIndex(index);
        lastIndex_ = index;
        return 0;
    }

  private:
    int indexOf(double v) const {
        for (int i = 0; i < box_->count(); ++i)
            if (box_->itemData(i).toDouble() == v) return i;
        return -1;
    }
    void dropStrayItem() {
        if (!stray_) return;
        const int last = box_->count() - 1;
        if (box_->currentIndex() != last) {
            box_->removeItem(last);
            stray_ = false;
        }
    }
    RingBox* box_;
    int lastIndex_ = -1;
    bool stray_ = false;
};

class Decoration : public WidgetControl {
  public:
    Decoration(int panel, const ControlDef& def, QWidget* canvas)
        : WidgetControl(panel, def, canvas) {
        frame_ = new QFrame;
        frame_->setFrameShape(def.frameColor >= 0 ? QFrame::NoFrame : QFrame::StyledPanel);
        frame_->setAutoFillBackground(true);
        if (def.frameColor >= 0) bgColor_ = def.frameColor;
        finish(frame_);
        frame_->lower();
    }
    int setAttribute(int attribute, const Value& value) override {
        if (attribute == ATTR_FRAME_COLOR) attribute = ATTR_TEXT_BGCOLOR;
        return WidgetControl::setAttribute(attribute, value);
    }
    int getAttribute(int attribute, Value* value) const override {
        if (attribute == ATTR_FRAME_COLOR) attribute = ATTR_TEXT_BGCOLOR;
        return WidgetControl::getAttribute(attribute, value);
    }

  protected:
    bool showsLabelAbove() const override { return false; }

  private:
    QFrame* frame_;
};

class Picture : public WidgetControl {
  public:
    Picture(int panel, const ControlDef& def, QWidget* canvas) : WidgetControl(panel, def, canvas) {
        image_ = new QLabel;
        image_->setScaledContents(false);
        finish(image_);
        if (!def.text.isEmpty()) load(def.text);
    }
    int load(const QString& file) override {
        QImageReader reader(ResolvePath(file));
        QImage image = reader.read();
        if (image.isNull()) return -1;
        image_->setPixmap(QPixmap::fromImage(image));
        image_->resize(image.size());
        file_ = file;
        return 0;
    }
    int getValue(Value* value) const override {
        *value = file_;
        return 0;
    }

  protected:
    bool showsLabelAbove() const override { return false; }

  private:
    QLabel* image_;
    QString file_;
};

} // namespace

std::unique_ptr<Control> MakeTextControl(int panel, const ControlDef& def, QWidget* canvas) {
    const QString& k = def.kind;
    if (k == QLatin1String("text message"))
        return std::make_unique<TextMessage>(panel, def, canvas);
    if (k == QLatin1String("text box")) return std::make_unique<TextBox>(panel, def, canvas);
    if (k == QLatin1String("ring")) return std::make_unique<Ring>(panel, def, canvas);
    if (k == QLatin1String("decoration")) return std::make_unique<Decoration>(panel, def, canvas);
    if (k == QLatin1String("picture")) return std::make_unique<Picture>(panel, def, canvas);
    return nullptr;
}

} // namespace kvor::rt
