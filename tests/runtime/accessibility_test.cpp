// SPDX-License-Identifier: GPL-3.0-or-later
// What assistive technology sees and does: controls named by caption and described by panel and
// id, displays that expose what they show, and actions that raise exactly the events of mouse
// and keyboard. (That the displays announce their changes on the bus, the operator test shows.)
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTest>

#include "tests/runtime/panel_fixture.h"
#include "tests/support/harness.h"

namespace kvor::test {
namespace {

const char* kPanel = R"({"panels":[{"resource":1,"title":"t","size":[500,400],"controls":[
 {"id":1,"kind":"command button","rect":[10,10,80,30],"label":"Go","callback":"Record",
  "events":["commit","left click"]},
 {"id":2,"kind":"numeric","type":"u16","rect":[10,60,80,24],"label":"N","value":5,
  "callback":"Record","events":["commit","value changed"]},
 {"id":3,"kind":"ring","type":"u16","rect":[10,110,80,24],"label":"R","value":0,
  "items":[{"text":"a","value":0},{"text":"b","value":1},{"text":"c","value":2}],
  "callback":"Record","events":["commit","value changed"]},
 {"id":4,"kind":"check box","type":"i32","rect":[10,150,80,24],"label":"C","callback":"Record",
  "events":["commit","value changed"]},
 {"id":5,"kind":"radio button","type":"i32","rect":[10,180,80,24],"label":"Rb",
  "callback":"Record","events":["commit","value changed"]},
 {"id":6,"kind":"toggle button","type":"i32","rect":[10,210,80,24],"label":"T",
  "callback":"Record","events":["commit","value changed"]},
 {"id":7,"kind":"switch","type":"u16","rect":[10,250,120,26],"label":"S",
  "callback":"Record","events":["commit","value changed"]},
 {"id":8,"kind":"numeric display","type":"i32","rect":[200,10,80,24],"label":"Size"},
 {"id":9,"kind":"text message","type":"text","rect":[200,60,250,24],"name":"Status line"},
 {"id":10,"kind":"text box","rect":[200,100,250,60],"label":"Description"}
]}]})";

using Events = std::vector<std::pair<int, int>>; // (control, event)

Events Recorded() {
    Events out;
    for (const Event& e : RecordedEvents())
        out.emplace_back(e.control, e.event);
    return out;
}

QAccessibleInterface* Accessible(int panel, int control) {
    QWidget* w = Control(panel, control);
    return w == nullptr ? nullptr : QAccessible::queryAccessibleInterface(w);
}

// The events one input raises, once it has raised `expected` of them (an assistive Press
// completes a moment later, as a click does).
Events EventsOf(const std::function<void()>& input, std::size_t expected) {
    RecordedEvents().clear();
    input();
    PumpUntil([&] { return RecordedEvents().size() >= expected; }, 5.0);
    Drain(); // and any the input raised beyond those
    return Recorded();
}

class AccessibilityTest : public PanelTest {
  protected:
    void SetUp() override {
        PanelTest::SetUp();
        QAccessible::setActive(true);
        panel_ = Load(kPanel);
        ASSERT_GT(panel_, 0);
        DisplayPanel(panel_);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Control(panel_, 1)->window()));
    }
    int panel_ = 0;
};

// Every operable kind: the assistive action and the operator's own input, side by side.
TEST_F(AccessibilityTest, AssistiveActionsRaiseTheEventsOfMouseAndKeyboard) {
    const int p = panel_;
    const Events click = EventsOf([&] { Click(p, 1); }, 2);
    ASSERT_EQ(click, (Events{{1, EVENT_LEFT_CLICK}, {1, EVENT_COMMIT}}));
    const Events press = EventsOf(
        [&] {
            Accessible(p, 1)->actionInterface()->doAction(
                QAccessibleActionInterface::pressAction());
        },
        2);
    EXPECT_EQ(press, click);

    for (const int id : {4, 5, 6, 7}) {
        const Events flip{{id, EVENT_VAL_CHANGED}, {id, EVENT_COMMIT}};
        EXPECT_EQ(EventsOf([&] { Click(p, id); }, 2), flip) << "mouse, control " << id;
        EXPECT_EQ(EventsOf([&] { QTest::keyClick(Control(p, id), Qt::Key_Space); }, 2), flip)
            << "keyboard, control " << id;
        QAccessibleActionInterface* actions = Accessible(p, id)->actionInterface();
        ASSERT_NE(actions, nullptr);
        EXPECT_EQ(
            EventsOf([&] { actions->doAction(QAccessibleActionInterface::toggleAction()); }, 2),
            flip)
            << "Toggle, control " << id;
        EXPECT_EQ(
            EventsOf([&] { actions->doAction(QAccessibleActionInterface::pressAction()); }, 2),
            flip)
            << "Press, control " << id;
        std::int32_t on = -1;
        if (id == 7) {
            std::uint16_t v = 0;
            GetCtrlVal(p, id, &v);
            on = v;
        } else {
            GetCtrlVal(p, id, &on);
        }
        EXPECT_EQ(on, 0) << "four flips leave control " << id << " where it was";
    }

    // A numeric entry: an arrow step and a value set through the value interface both change
    // the value and confirm it.
    auto* box = qobject_cast<QAbstractSpinBox*>(Control(p, 2));
    box->setFocus();
    const Events step{{2, EVENT_VAL_CHANGED}, {2, EVENT_COMMIT}};
    EXPECT_EQ(EventsOf([&] { QTest::keyClick(box, Qt::Key_Up); }, 2), step);
    EXPECT_EQ(EventsOf([&] { Accessible(p, 2)->valueInterface()->setCurrentValue(40); }, 2), step);
    std::uint16_t n = 0;
    GetCtrlVal(p, 2, &n);
    EXPECT_EQ(n, 40);
    // A dimmed entry takes no value from the bus either.
    SetCtrlAttribute(p, 2, ATTR_DIMMED, 1);
    EXPECT_EQ(EventsOf([&] { Accessible(p, 2)->valueInterface()->setCurrentValue(7); }, 0),
              Events{});
    GetCtrlVal(p, 2, &n);
    EXPECT_NE(n, 7);
    SetCtrlAttribute(p, 2, ATTR_DIMMED, 0);
    box->setFocus();
    // Typing builds the value up and confirms it once, on Enter.
    const Events typed = EventsOf([&] { EnterNumber(p, 2, 42); }, 3);
    ASSERT_FALSE(typed.empty());
    EXPECT_EQ(typed.back(), (std::pair<int, int>{2, EVENT_COMMIT}));
    EXPECT_EQ(std::count(typed.begin(), typed.end(), std::pair<int, int>{2, EVENT_COMMIT}), 1);

    // A ring: a pick by the mouse, by the keyboard, and by a change of its current item.
    const Events pick{{3, EVENT_VAL_CHANGED}, {3, EVENT_COMMIT}};
    auto* ring = qobject_cast<QComboBox*>(Control(p, 3));
    EXPECT_EQ(EventsOf([&] { PickRingValue(p, 3, 1); }, 2), pick);
    EXPECT_EQ(EventsOf([&] { QTest::keyClick(ring, Qt::Key_Down); }, 2), pick);
    EXPECT_EQ(EventsOf([&] { ring->setCurrentIndex(0); }, 2), pick);
    // Picking the item already shown from the opened list commits only.
    const Events again = EventsOf(
        [&] {
            ring->showPopup();
            QTest::keyClick(ring->view(), Qt::Key_Return);
        },
        1);
    EXPECT_EQ(again, (Events{{3, EVENT_COMMIT}}));

    // The program's own sets raise nothing, whatever the kind.
    RecordedEvents().clear();
    for (const int id : {4, 5, 6})
        SetCtrlVal(p, id, std::int32_t{1});
    SetCtrlVal(p, 7, std::uint16_t{1});
    SetCtrlVal(p, 2, std::uint16_t{9});
    SetCtrlVal(p, 3, std::uint16_t{2});
    Drain();
    EXPECT_TRUE(RecordedEvents().empty());
}

TEST_F(AccessibilityTest, DisplaysExposeWhatTheyShow) {
    const int p = panel_;
    struct Case {
        int id;
        QString name;
    };
    for (const Case& c : {Case{8, "Size"}, Case{9, "Status line"}}) {
        QAccessibleInterface* a = Accessible(p, c.id);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->text(QAccessible::Name), c.name);
        EXPECT_EQ(a->text(QAccessible::Description),
                  QStringLiteral("panel 1, control %1").arg(c.id));
        ASSERT_NE(a->textInterface(), nullptr) << "control " << c.id;
    }
    SetCtrlVal(p, 8, std::int32_t{-1234});
    QAccessibleInterface* size = Accessible(p, 8);
    EXPECT_EQ(size->textInterface()->text(0, size->textInterface()->characterCount()), "-1234");
    EXPECT_EQ(size->text(QAccessible::Value), "-1234");
    ASSERT_NE(size->valueInterface(), nullptr);
    EXPECT_EQ(size->valueInterface()->currentValue().toDouble(), -1234.0);

    SetCtrlVal(p, 9, "Echo Check - Line Ok!");
    QAccessibleInterface* status = Accessible(p, 9);
    EXPECT_EQ(status->textInterface()->text(0, -1), "Echo Check - Line Ok!");
    EXPECT_EQ(status->text(QAccessible::Name), "Status line"); // the caption stays the name
    EXPECT_EQ(status->valueInterface(), nullptr);

    // The ring its current item, the text box its lines.
    SetCtrlVal(p, 3, std::uint16_t{2});
    EXPECT_EQ(Accessible(p, 3)->text(QAccessible::Value), "c");
    ReplaceTextBoxLine(p, 10, 1, "second line");
    QAccessibleTextInterface* lines = Accessible(p, 10)->textInterface();
    ASSERT_NE(lines, nullptr);
    EXPECT_EQ(lines->text(0, lines->characterCount()), "\nsecond line");
    EXPECT_EQ(Accessible(p, 10)->text(QAccessible::Name), "Description");
}

// A sensor's 8-bit text shows every byte above 0x7F as its Latin-1 character; the program's own
// UTF-8 texts stay what they are.
TEST_F(AccessibilityTest, TextsShowLatin1BytesAndUtf8AsSent) {
    const int p = panel_;
    auto* label = qobject_cast<QLabel*>(Control(p, 9));
    for (int b = 0x80; b <= 0xFF; ++b) {
        const char text[] = {'A', static_cast<char>(b), 'B', '\0'};
        SetCtrlVal(p, 9, text);
        EXPECT_EQ(label->text(), QString("A") + QChar(b) + "B") << "byte " << b;
    }
    SetCtrlVal(p, 9, "3.0\xB5m / 3.0\xC2\xB5m / \xE2\x80\x93 / \xE2\x80 / \xF0\x9F");
    EXPECT_EQ(label->text(), QString::fromUtf8("3.0µm / 3.0µm / – / â\u0080 / ð\u009F"));
}

} // namespace
} // namespace kvor::test
