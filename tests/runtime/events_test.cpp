// SPDX-License-Identifier: GPL-3.0-or-later
// Events reach callbacks only from operator input, in the order and nesting the program expects.
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QTest>

#include "tests/runtime/panel_fixture.h"
#include "tests/support/harness.h"

namespace kvor::test {
namespace {

const char* kPanel = R"({"panels":[{"resource":1,"title":"t","size":[400,300],"controls":[
 {"id":1,"kind":"command button","rect":[10,10,80,30],"label":"Go","callback":"Record",
  "events":["commit","left click"]},
 {"id":2,"kind":"numeric","type":"u16","rect":[10,60,80,24],"label":"N","value":5,
  "callback":"Record","events":["commit","value changed"]},
 {"id":3,"kind":"ring","type":"u16","rect":[10,110,80,24],"label":"R","value":0,
  "items":[{"text":"a","value":0},{"text":"b","value":1}],"callback":"Record",
  "events":["commit","value changed"]},
 {"id":4,"kind":"check box","type":"i32","rect":[10,150,80,24],"label":"C","callback":"Record",
  "events":["value changed"]},
 {"id":5,"kind":"command button","rect":[100,10,80,30],"label":"Inner","callback":"Record",
  "events":["commit"]}
]}]})";

class EventsTest : public PanelTest {};

TEST_F(EventsTest, ValuesSetByTheProgramRaiseNoEvent) {
    const int p = Load(kPanel);
    ASSERT_GT(p, 0);
    SetCtrlVal(p, 2, std::uint16_t{77});
    SetCtrlVal(p, 3, std::uint16_t{1});
    SetCtrlVal(p, 4, std::int32_t{1});
    Drain();
    EXPECT_TRUE(RecordedEvents().empty());
    std::uint16_t n = 0;
    GetCtrlVal(p, 2, &n);
    EXPECT_EQ(n, 77);
}

TEST_F(EventsTest, ButtonTellsLeftClickFromCommit) {
    const int p = Load(kPanel);
    DisplayPanel(p);
    PressButton(p, 1);
    ASSERT_EQ(RecordedEvents().size(), 1u);
    EXPECT_EQ(RecordedEvents()[0].event, EVENT_LEFT_CLICK);
    ReleaseButton(p, 1);
    ASSERT_EQ(RecordedEvents().size(), 2u);
    EXPECT_EQ(RecordedEvents()[1].event, EVENT_COMMIT);
}

TEST_F(EventsTest, OperatorInputRaisesValueChangedAndCommit) {
    const int p = Load(kPanel);
    DisplayPanel(p);
    EnterNumber(p, 2, 42);
    bool changed = false, committed = false;
    for (const Event& e : RecordedEvents()) {
        changed |= e.control == 2 && e.event == EVENT_VAL_CHANGED;
        committed |= e.control == 2 && e.event == EVENT_COMMIT;
    }
    EXPECT_TRUE(changed);
    EXPECT_TRUE(committed);
    std::uint16_t n = 0;
    GetCtrlVal(p, 2, &n);
    EXPECT_EQ(n, 42);

    RecordedEvents().clear();
    Click(p, 4);
    ASSERT_EQ(RecordedEvents().size(), 1u); // the check box takes value changed only
    EXPECT_EQ(RecordedEvents()[0].event, EVENT_VAL_CHANGED);
    std::int32_t on = 0;
    GetCtrlVal(p, 4, &on);
    EXPECT_EQ(on, 1);
}

TEST_F(EventsTest, RingKeepsAValueNoItemCarries) {
    const int p = Load(kPanel);
    SetCtrlVal(p, 3, std::uint16_t{9});
    std::uint16_t v = 0;
    GetCtrlVal(p, 3, &v);
    EXPECT_EQ(v, 9);
    SetCtrlVal(p, 3, std::uint16_t{1});
    GetCtrlVal(p, 3, &v);
    EXPECT_EQ(v, 1);
    EXPECT_EQ(qobject_cast<QComboBox*>(Control(p, 3))->count(), 2);
}

int gPanel = 0;
int gInnerRanInside = 0;
bool gOuterReturned = false;

int OuterWaits(int panel, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    Later(20, [panel] { Click(panel, 5); });
    // Waits for the inner click, however long the machine takes to deliver it.
    const double start = Timer();
    while (RecordedEvents().empty() && Timer() - start < 5.0)
        ProcessSystemEvents();
    gInnerRanInside = static_cast<int>(RecordedEvents().size());
    return 0;
}

TEST_F(EventsTest, ProcessSystemEventsRunsOtherCallbacksInside) {
    RegisterCtrlCallback("OuterWaits", OuterWaits);
    std::string json = kPanel;
    json.replace(json.find("\"Record\""), 8, "\"OuterWaits\"");
    const int p = Load(json);
    ASSERT_GT(p, 0);
    DisplayPanel(p);
    gInnerRanInside = 0;
    Click(p, 1);
    EXPECT_EQ(gInnerRanInside, 1); // the inner button's commit ran during the outer wait
}

bool gQuitCalled = false;

int QuitFromInside(int, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    QuitUserInterface(7);
    gQuitCalled = true;
    return 0;
}

int OuterThenReturn(int panel, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    Later(10, [panel] { Click(panel, 5); });
    // Goes on processing events after the inner callback quit, as a busy callback would.
    const double start = Timer();
    while (!gQuitCalled && Timer() - start < 5.0)
        ProcessSystemEvents();
    for (int i = 0; i < 10; ++i)
        ProcessSystemEvents();
    gOuterReturned = true;
    return 0;
}

TEST_F(EventsTest, QuitFromANestedCallbackEndsTheLoopAfterTheOuterReturns) {
    RegisterCtrlCallback("QuitFromInside", QuitFromInside);
    RegisterCtrlCallback("OuterThenReturn", OuterThenReturn);
    std::string json = kPanel;
    json.replace(json.find("\"Record\""), 8, "\"OuterThenReturn\"");
    json.replace(json.rfind("\"Record\""), 8, "\"QuitFromInside\"");
    const int p = Load(json);
    ASSERT_GT(p, 0);
    DisplayPanel(p);
    gPanel = p;
    gOuterReturned = false;
    gQuitCalled = false;
    bool outerDoneWhenLoopEnded = false;
    Later(10, [p] { Click(p, 1); });
    const int code = RunUserInterface();
    outerDoneWhenLoopEnded = gOuterReturned;
    EXPECT_EQ(code, 7);
    EXPECT_TRUE(outerDoneWhenLoopEnded);
}

} // namespace
} // namespace kvor::test
