// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/harness.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPointer>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>

#include "app/startup.h"
#include "runtime/readback.h"
#include "runtime/registry.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/state.h"
#include "ui/panel_window.h"
#include "wire/protocol.h"

namespace kvor::test {
namespace {

// Owns the timers of Later(): a test's leftovers die with it and never fire in the next test.
QPointer<QObject>& laterContext() {
    static QPointer<QObject> context;
    if (!context) context = new QObject;
    return context;
}

QPoint ClickPoint(QWidget* w) {
    // Check boxes and radio buttons react on their indicator and text, which start at the left.
    if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w))
        return QPoint(8, w->height() / 2);
    return w->rect().center();
}

} // namespace

QWidget* Control(int panel, int control) {
    // Controls carry their panel's resource number; a test may name the panel by either.
    const rt::Panel* p = rt::FindPanel(panel);
    const int resource = p != nullptr ? p->resource : panel;
    const QString wanted = QStringLiteral("panel %1, control %2").arg(resource).arg(control);
    for (QWidget* w : QApplication::allWidgets())
        if (w->accessibleDescription() == wanted) return w;
    return nullptr;
}

void Click(int panel, int control) {
    QWidget* w = Control(panel, control);
    ASSERT_NE(w, nullptr) << "no control " << control << " on panel " << panel;
    ASSERT_TRUE(w->isEnabled()) << "control " << control << " is dimmed";
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, ClickPoint(w));
}

void PressButton(int panel, int control) {
    QWidget* w = Control(panel, control);
    ASSERT_NE(w, nullptr);
    QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, ClickPoint(w));
}

void ReleaseButton(int panel, int control) {
    QWidget* w = Control(panel, control);
    ASSERT_NE(w, nullptr);
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, ClickPoint(w));
}

void EnterNumber(int panel, int control, double value) {
    auto* box = qobject_cast<QAbstractSpinBox*>(Control(panel, control));
    ASSERT_NE(box, nullptr) << "control " << control << " is not a numeric entry";
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, QString::number(value, 'g', 12));
    QTest::keyClick(box, Qt::Key_Return);
}

void PickRingValue(int panel, int control, int value) {
    auto* ring = qobject_cast<QComboBox*>(Control(panel, control));
    ASSERT_NE(ring, nullptr) << "control " << control << " is not a ring";
    // The operator opens the list first (the port selector reads the port table then).
    ring->showPopup();
    ring->hidePopup();
    const int index = ring->findData(static_cast<double>(value));
    ASSERT_GE(index, 0) << "ring " << control << " has no item " << value;
    ring->setCurrentIndex(index);
    emit ring->activated(index);
}

void ClosePanelWindow(int panel) {
    rt::Panel* p = rt::FindPanel(panel);
    ASSERT_NE(p, nullptr);
    rt::WindowOf(panel)->close();
}

void Later(int ms, std::function<void()> fn) {
    QTimer::singleShot(ms, laterContext().data(), std::move(fn));
}

void PumpFor(double seconds) {
    const double end = Timer() + seconds;
    while (Timer() < end)
        ProcessSystemEvents();
}

namespace {

// One look of When(): reschedules itself through Later(), so it dies with the test.
void Look(std::function<bool()> cond, std::function<void()> fn, double deadline, double total) {
    Later(5, [cond = std::move(cond), fn = std::move(fn), deadline, total]() mutable {
        if (cond()) {
            fn();
        } else if (Timer() < deadline) {
            Look(std::move(cond), std::move(fn), deadline, total);
        } else {
            ADD_FAILURE() << "a condition the test waited for did not hold within " << total
                          << " s";
            stop_flag = 1;
        }
    });
}

} // namespace

void When(std::function<bool()> cond, std::function<void()> fn, double timeoutSeconds) {
    Look(std::move(cond), std::move(fn), Timer() + timeoutSeconds, timeoutSeconds);
}

void InTurn(std::vector<Step> steps, double timeoutSeconds) {
    if (steps.empty()) return;
    Step first = std::move(steps.front());
    steps.erase(steps.begin());
    When(
        std::move(first.when),
        [then = std::move(first.then), rest = std::move(steps), timeoutSeconds]() mutable {
            then();
            InTurn(std::move(rest), timeoutSeconds);
        },
        timeoutSeconds);
}

int CountCommand(const std::vector<sim::Request>& requests, int command, std::size_t from) {
    int n = 0;
    for (std::size_t i = from; i < requests.size(); ++i)
        n += requests[i].command == command;
    return n;
}

std::function<bool()> Measuring(const sim::SimulatedSensor& sensor, int count) {
    auto from = std::make_shared<std::optional<std::size_t>>();
    return [&sensor, from, count] {
        const std::vector<sim::Request> requests = sensor.requests();
        if (!*from) *from = requests.size();
        return stop_flag == 0 && CountCommand(requests, protocol::CMD_MEASURE, **from) >= count;
    };
}

bool PumpUntil(const std::function<bool()>& cond, double timeoutSeconds) {
    const double end = Timer() + timeoutSeconds;
    while (!cond()) {
        if (Timer() > end) return false;
        ProcessSystemEvents();
    }
    return true;
}

void Drain() {
    auto reached = std::make_shared<bool>(false);
    QTimer::singleShot(0, laterContext().data(), [reached] { *reached = true; });
    EXPECT_TRUE(PumpUntil([reached] { return *reached; }, 30.0)) << "events never drained";
}

std::string StatusLine() {
    char text[256] = "";
    GetCtrlVal(kvor::pHandle, MAIN_STATUS, text);
    return text;
}

LineMark MarkLine(const sim::SimulatedSensor& sensor) {
    return {requestCount, sensor.requests().size(), sensor.answersSent()};
}

LineMark ClearRequests(sim::SimulatedSensor& sensor) {
    sensor.clearRequests();
    return MarkLine(sensor);
}

std::vector<sim::Request> Settled(const sim::SimulatedSensor& sensor, const LineMark& mark,
                                  int upTo) {
    const auto caughtUp = [&] {
        const int written = (upTo < 0 ? requestCount : upTo) - mark.written;
        return sensor.finished() ||
               sensor.requests().size() >= mark.logged + static_cast<std::size_t>(written);
    };
    // A request the scope flushed out of its output queue before the sensor read it never
    // arrives: the wait then ends at its bound and the log is what the sensor has.
    PumpUntil(caughtUp, 5.0);
    Drain();
    return sensor.requests();
}

bool AwaitAnswers(const sim::SimulatedSensor& sensor, const LineMark& mark) {
    const std::size_t asked = Settled(sensor, mark).size() - mark.logged;
    const bool answered = sensor.awaitAnswersSent(mark.answered + asked, 10.0);
    Drain();
    return answered;
}

void ExpectNoMoreRequests(const sim::SimulatedSensor& sensor, const LineMark& mark, int upTo) {
    const std::size_t logged = Settled(sensor, mark, upTo).size();
    const int written = requestCount;
    Drain();
    EXPECT_EQ(requestCount, written) << "requests after the operation ended";
    EXPECT_EQ(sensor.requests().size(), logged) << "requests after the operation ended";
}

sim::Options ScopeTest::SensorOptions() const {
    sim::Options options;
    options.paced = false;
    return options;
}

void ScopeTest::SetUp() {
    sensor_ = std::make_unique<sim::SimulatedSensor>(SensorOptions());
    ASSERT_TRUE(sensor_->start());
    setenv("KVOR_COM_PORTS", sensor_->devicePath().c_str(), 1);
    // Each test starts as a first run: nothing remembered from the test before.
    if (const char* config = std::getenv("XDG_CONFIG_HOME"))
        std::filesystem::remove_all(std::filesystem::path(config) / "kvorscope");
    ResetInstrumentState();
    static char name[] = "kvor_tests";
    static char* argv[] = {name, nullptr};
    static ProgramInstance instance{1, argv};
    startResult_ = StartProgram(&instance);
    ASSERT_EQ(startResult_, 0);
}

sim::SimulatedSensor& ScopeTest::secondSensor(const sim::Options& options) {
    second_ = std::make_unique<sim::SimulatedSensor>(options);
    EXPECT_TRUE(second_->start());
    const std::string ports = sensor_->devicePath() + ":" + second_->devicePath();
    setenv("KVOR_COM_PORTS", ports.c_str(), 1);
    return *second_;
}

void ScopeTest::TearDown() {
    delete laterContext().data();
    EndProgram();
    PumpFor(0.01);
    sensor_.reset();
    second_.reset();
    unsetenv("KVOR_COM_PORTS");
}

} // namespace kvor::test
