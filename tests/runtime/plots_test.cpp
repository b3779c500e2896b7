// SPDX-License-Identifier: GPL-3.0-or-later
// Graphs and the strip chart, checked on what they show.
#include <QBackingStore>
#include <QWindow>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "runtime/readback.h"
#include "runtime/registry.h"
#include "tests/runtime/panel_fixture.h"
#include "ui/panel_window.h"
#include "ui/plot_widget.h"
#include "ui/replot_pacer.h"
#include "ui/widget_control.h"

namespace kvor::test {
namespace {

const char* kPanel = R"({"panels":[{"resource":1,"title":"t","size":[600,400],"controls":[
 {"id":1,"kind":"graph","rect":[10,10,400,150],"label":"G","cursors":3,"x_range":[0,100],
  "y_range":[0,1]},
 {"id":2,"kind":"strip chart","rect":[10,200,400,150],"label":"S","traces":5,
  "points_per_screen":101}
]}]})";

class PlotsTest : public PanelTest {};

TEST_F(PlotsTest, StripChartSplitsInterleavedValuesAmongTraces) {
    const int p = Load(kPanel);
    ASSERT_GT(p, 0);
    SetCtrlAttribute(p, 2, ATTR_NUM_TRACES, 5);
    SetCtrlAttribute(p, 2, ATTR_POINTS_PER_SCREEN, 101);
    // Three rounds of a 100-sample history, as the measurement loop appends it: value 5k + j
    // is sample k of trace j + 1.
    std::vector<double> history(500);
    for (int round = 0; round < 3; ++round) {
        for (int k = 0; k < 100; ++k)
            for (int j = 0; j < 5; ++j)
                history[5 * k + j] = round * 1000 + k * 10 + j;
        ASSERT_EQ(PlotStripChart(p, 2, history.data(), 500, 0, 0), 0);
    }
    for (int trace = 1; trace <= 5; ++trace) {
        double shown[200];
        const int n = GetStripChartPoints(p, 2, trace, shown, 200);
        ASSERT_EQ(n, 101);
        EXPECT_EQ(shown[0], 1000 + 99 * 10 + (trace - 1)); // the last sample of the round before
        for (int k = 0; k < 100; ++k)
            EXPECT_EQ(shown[k + 1], 2000 + k * 10 + (trace - 1));
    }
}

// What the strip chart control 2 of `panel` shows, and the same points drawn as QCustomPlot
// draws its own graphs, every point a corner of the line.
std::pair<QImage, QImage> StripPictureAndReference(int panel) {
    auto* plot = qobject_cast<QCustomPlot*>(
        dynamic_cast<rt::WidgetControl*>(rt::FindControl(panel, 2))->body());
    rt::FlushAllReplots();
    const QImage shown = plot->grab().toImage();
    for (QCPLayerable* child : plot->layer(QStringLiteral("main"))->children())
        if (auto* own = dynamic_cast<rt::LiveDrawing*>(child)) own->setVisible(false);
    double count = 0;
    GetCtrlAttribute(panel, 2, ATTR_NUM_TRACES, &count);
    for (int trace = 1; trace <= static_cast<int>(count); ++trace) {
        double points[200];
        const int n = GetStripChartPoints(panel, 2, trace, points, 200);
        int colour = 0;
        GetTraceAttribute(panel, 2, trace, ATTR_TRACE_COLOR, &colour);
        QCPGraph* graph = plot->addGraph();
        graph->setPen(QPen(rt::ToQColor(colour), 1));
        graph->setAdaptiveSampling(false);
        for (int i = 0; i < n; ++i)
            graph->addData(101 - n + i, points[i]);
    }
    plot->replot(QCustomPlot::rpImmediateRefresh);
    return {shown, plot->grab().toImage()};
}

// Runs of equal values are drawn as one stroke: the picture must stay the one of every segment,
// for values that repeat, jump, leave the screen, and gaps where a value is not a number.
TEST_F(PlotsTest, StripChartLooksAsEverySegmentDrawnOneByOne) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<double> kinds = {500,  500,  500,   501,    520, 4000,
                                       -300, 5000, 1e300, -1e300, nan, inf};
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        const int p = Load(kPanel);
        ASSERT_GT(p, 0);
        SetAxisScalingMode(p, 2, VAL_LEFT_YAXIS, VAL_MANUAL, 0, 4096);
        std::vector<double> history(5 * (30 + round * 5));
        for (size_t i = 0; i < history.size(); ++i) {
            // Long runs of one value on some traces, a fresh draw on others.
            const bool keep = i >= 5 && random() % 4 != 0;
            history[i] = keep ? history[i - 5] : kinds[random() % kinds.size()];
        }
        ASSERT_EQ(PlotStripChart(p, 2, history.data(), static_cast<int>(history.size()), 0, 0), 0);
        const auto [shown, reference] = StripPictureAndReference(p);
        EXPECT_TRUE(shown == reference) << "round " << round;
        DiscardPanel(p);
    }
}

// Each answer repaints only the band the traces cover: what the screen shows must still be the
// whole picture after the band has jumped, widened and narrowed again.
TEST_F(PlotsTest, StripChartOnTheScreenIsTheWholePictureWhileItsBandMoves) {
    const int p = Load(kPanel);
    DisplayPanel(p);
    SetAxisScalingMode(p, 2, VAL_LEFT_YAXIS, VAL_MANUAL, 0, 4096);
    auto* plot =
        qobject_cast<QCustomPlot*>(dynamic_cast<rt::WidgetControl*>(rt::FindControl(p, 2))->body());
    rt::PanelWindow* window = rt::WindowOf(p);
    for (const double t0 = Timer(); !window->windowHandle()->isExposed() && Timer() - t0 < 5;)
        ProcessSystemEvents();
    std::mt19937 random(11);
    for (int answer = 0; answer < 160; ++answer) {
        double five[5] = {360, 620, 500, 550, 450};
        // Jumps and gaps first; then they scroll out and the band narrows again.
        if (answer < 40 && random() % 9 == 0)
            five[random() % 5] = random() % 2 ? 3900 : std::nan("");
        five[2] += random() % 3;
        PlotStripChart(p, 2, five, 5, 0, 0);
        // The answer's picture goes to the screen, in the parts it asked for.
        const long pictures = window->picturesShown();
        for (const double t0 = Timer(); window->picturesShown() == pictures && Timer() - t0 < 5;)
            ProcessSystemEvents();
        if (answer % 20 != 19) continue;
        // The panel's window as it stands on the screen: its backing store.
        const auto* shown = dynamic_cast<const QImage*>(window->backingStore()->paintDevice());
        ASSERT_NE(shown, nullptr);
        const QImage screen = shown->copy(QRect(plot->mapTo(window, QPoint(0, 0)), plot->size()))
                                  .convertToFormat(QImage::Format_RGB32);
        const QImage whole = plot->grab().toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_TRUE(screen == whole) << "after answer " << answer;
    }
}

TEST_F(PlotsTest, TraceColoursAndCount) {
    const int p = Load(kPanel);
    EXPECT_EQ(SetTraceAttribute(p, 2, 4, ATTR_TRACE_COLOR, 0xFF0000), 0);
    int colour = 0;
    GetTraceAttribute(p, 2, 4, ATTR_TRACE_COLOR, &colour);
    EXPECT_EQ(colour, 0xFF0000);
    EXPECT_LT(SetTraceAttribute(p, 2, 6, ATTR_TRACE_COLOR, 0), 0);
    EXPECT_LT(SetCtrlAttribute(p, 2, ATTR_NUM_TRACES, 0), 0);
}

TEST_F(PlotsTest, CurvesRectanglesAndDeletion) {
    const int p = Load(kPanel);
    const double x[3] = {1, 2, 3};
    const std::uint16_t y[3] = {10, 20, 30};
    const int curve = PlotXY(p, 1, x, y, 3, VAL_THIN_STEP, VAL_SOLID, 0xFF0000);
    const int rect = PlotRectangle(p, 1, 50, 0.0, 20, 0.25, 0x00FF00, 0x00FF00);
    ASSERT_GT(curve, 0);
    ASSERT_GT(rect, 0);
    ASSERT_EQ(GetGraphPlotCount(p, 1), 2);
    PlotInfo info;
    GetGraphPlotInfo(p, 1, 0, &info);
    EXPECT_EQ(info.kind, PLOT_KIND_CURVE);
    EXPECT_EQ(info.color, 0xFF0000);
    EXPECT_EQ(info.plotStyle, VAL_THIN_STEP);
    double px[3], py[3];
    ASSERT_EQ(GetGraphCurvePoints(p, 1, 0, px, py, 3), 3);
    EXPECT_EQ(py[2], 30);
    GetGraphPlotInfo(p, 1, 1, &info);
    EXPECT_EQ(info.kind, PLOT_KIND_RECTANGLE);
    EXPECT_EQ(info.x1, 50); // corners kept as given, even with the second left of the first
    EXPECT_EQ(info.x2, 20);
    EXPECT_EQ(DeleteGraphPlot(p, 1, curve, VAL_IMMEDIATE_DRAW), 0);
    EXPECT_EQ(GetGraphPlotCount(p, 1), 1);
    EXPECT_EQ(DeleteGraphPlot(p, 1, -1, VAL_IMMEDIATE_DRAW), 0);
    EXPECT_EQ(GetGraphPlotCount(p, 1), 0);
}

// Without a window the same calls leave the plots and axes as values, for a report to draw.
TEST(WindowlessGraph, HoldsThePlotsAndAxesItWouldDraw) {
    rt::ControlDef def;
    def.kind = "graph";
    def.id = 1;
    auto g = rt::MakeValueControl(1, def);
    const double x[3] = {1, 2, 3}, y[3] = {10, 20, 30};
    const int curve = g->plotXY(x, y, 3, VAL_THIN_STEP, 0xFF0000);
    const int rect = g->plotRectangle(50, 0, 20, 0.25, 0x00FF00, 0x0000FF);
    const int last = g->plotXY(x, y, 2, VAL_THIN_LINE, 0x123456);
    EXPECT_EQ(g->deletePlot(curve), 0);
    EXPECT_LT(g->deletePlot(curve), 0);
    g->setScaling(VAL_LEFT_YAXIS, VAL_MANUAL, 5, 40);
    g->setScaling(VAL_XAXIS, VAL_AUTOSCALE, 0, 0);
    const rt::HeldGraph* held = g->heldGraph();
    ASSERT_NE(held, nullptr);
    ASSERT_EQ(held->plots.size(), 2u);
    EXPECT_EQ(held->plots[0].kind, PLOT_KIND_RECTANGLE);
    EXPECT_EQ(held->plots[0].fillColor, 0x0000FF);
    EXPECT_EQ(held->plots[0].x1, 50); // corners as given
    EXPECT_EQ(held->plots[1].y, (std::vector<double>{10, 20}));
    EXPECT_EQ(held->plots[1].plotStyle, VAL_THIN_LINE);
    EXPECT_EQ(held->yMin, 5);
    EXPECT_EQ(held->yMax, 40);
    EXPECT_EQ(held->xMode, VAL_AUTOSCALE);
    // A handle still names its own plot after an earlier one has gone.
    EXPECT_EQ(g->deletePlot(rect), 0);
    ASSERT_EQ(held->plots.size(), 1u);
    EXPECT_EQ(held->plots[0].color, 0x123456);
    EXPECT_EQ(g->deletePlot(last), 0);
    EXPECT_TRUE(held->plots.empty());
}

TEST_F(PlotsTest, CursorsSurviveDeletingPlots) {
    const int p = Load(kPanel);
    EXPECT_EQ(SetGraphCursor(p, 1, 3, 40.0, 0.75), 0);
    DeleteGraphPlot(p, 1, -1, VAL_IMMEDIATE_DRAW);
    double x = 0, y = 0;
    GetGraphCursor(p, 1, 3, &x, &y);
    EXPECT_EQ(x, 40.0);
    EXPECT_EQ(y, 0.75);
    EXPECT_LT(SetGraphCursor(p, 1, 4, 1, 1), 0);
}

TEST_F(PlotsTest, AnyAxisRangeIsAccepted) {
    const int p = Load(kPanel);
    for (auto [lo, hi] : {std::pair{1.0, 4096.0}, {0.0, 0.0}, {500.0, -95.0}}) {
        EXPECT_EQ(SetAxisScalingMode(p, 1, VAL_LEFT_YAXIS, VAL_MANUAL, lo, hi), 0);
        int mode = -1;
        double a = 0, b = 0;
        GetAxisScalingMode(p, 1, VAL_LEFT_YAXIS, &mode, &a, &b);
        EXPECT_EQ(mode, VAL_MANUAL);
        EXPECT_EQ(a, lo);
        EXPECT_EQ(b, hi);
    }
    EXPECT_EQ(SetAxisScalingMode(p, 2, VAL_LEFT_YAXIS, VAL_MANUAL, 460, 610), 0);
}

} // namespace
} // namespace kvor::test
