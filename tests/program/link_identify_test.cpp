// SPDX-License-Identifier: GPL-3.0-or-later
// Identification of every sensor type the scope knows, as the sensor's hardware answer and
// firmware text leave it on the panel: the description lines, the operating-mode switch, the
// word-15 control, the video full scale, the edge-limit range and the sample positions.
#include <string>

#include <gtest/gtest.h>

#include "link/identify.h"
#include "runtime/readback.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/state.h"
#include "tests/support/harness.h"

namespace kvor {
namespace {

struct Row {
    const char* preset;
    const char* lines; // the text box, lines joined by '\n'
    int trigVisible;   // control 24; control 17 shows the opposite
    int rs232Dimmed;   // control 26
    int switchDimmed;  // control 56
    const char* onText;
    const char* offText;
    u16 ymax;
    u16 pixE;
    double xStep;    // physical pixels between samples
    double x8Step;   // virtual pixels between samples
    u16 maxPixel;    // ccdmaxpixel after identification
    double stripMax; // left Y axis of the strip chart, 0 when identification leaves it
};

void PrintTo(const Row& r, std::ostream* os) {
    *os << r.preset;
}

const Row kRows[] = {
    {"1-30", "CCD-SENSOR:1024 pixel; 3.0µm res.;\noptical-lense, 3.0mm working range", 0, 0, 0,
     "HI-GAIN", "LO-GAIN", 1024, 2048, 4, 8, 1024, 0},
    {"1-80", "CCD-SENSOR:1024 pixel; 2048 subpixel\n8.0mm working range; 4µm resolution", 1, 1, 0,
     "HI-GAIN", "LO-GAIN", 1024, 2048, 4, 8, 1024, 0},
    {"adc256", "CCD-SENSOR:1024 pixel; 2048 subpixel\n8.0mm working range; 4µm resolution", 1, 1, 0,
     "HI-GAIN", "LO-GAIN", 256, 2048, 4, 8, 1024, 0},
    {"2-750", "CCD-SENSOR:1024 pixel; 25µm pixel-pitch;\nopt.-lense, 75mm working range", 0, 0, 0,
     "HI-GAIN", "LO-GAIN", 1024, 4096, 4, 16, 1024, 0},
    {"2-250", "CCD-SENSOR:1024 pixel; 2048 subpixel\n25.6mm working range; 12.5µm resolution", 1, 0,
     0, "HI-GAIN", "LO-GAIN", 1024, 4096, 4, 16, 1024, 0},
    {"2-350", "CCD-SENSOR:1024 pixel; 2048 subpixel\n35mm working range; 17µm resolution", 1, 0, 0,
     "HI-GAIN", "LO-GAIN", 1024, 4096, 4, 16, 1024, 0},
    {"board0", "CCD-SENSOR:1024 pixel; 2048 subpixel\n25.6mm working range; 12.5µm resolution", 0,
     0, 0, "HI-GAIN", "LO-GAIN", 1024, 4096, 4, 16, 1024, 0},
    {"3", "CCD-SENSOR:512 pixel; 25µm pixel-pitch;\n12,8mm working range", 0, 0, 0, "HI-GAIN",
     "LO-GAIN", 0, 512, 2, 4, 512, 512},
    {"4", "CCD-SENSOR:512 pixel; 12,5µm pixel-pitch;\n6,4mm working range", 0, 0, 0, "HI-GAIN",
     "LO-GAIN", 0, 512, 2, 4, 512, 512},
    {"101",
     "CCD-SENSOR:256 pixel; 63.5µm pixel-pitch;\nWorking-Range: 16.25mm, Resolution: 31.75µm "
     "(subpixel x2)",
     1, 0, 0, "ADC-CNV", "DIG-CMP", 1024, 512, 8, 2, 1024, 0},
    {"102-220",
     "CCD-SENSOR:768 pixel; 63.5µm pixel-pitch;\nWorking-Range: 48,8mm, Resolution: 31.75µm "
     "(subpixel x2)",
     0, 0, 0, "ADC-CNV", "DIG-CMP", 1024, 1536, 3, 6, 768, 0},
    {"102-230",
     "CCD-SENSOR:768 pixel; 63.5µm pixel-pitch;\nWorking-Range: 48,8mm, Resolution: 31.75µm "
     "(subpixel x2)",
     0, 0, 1, "HI-GAIN", "LO-GAIN", 1024, 1536, 3, 6, 768, 0},
    {"103",
     "CCD-SENSOR:1180 pixel; 63.5µm pixel-pitch;\nWorking-Range: 74,9mm,   Resolution: 31.75µm "
     "(subpixel x2)",
     1, 0, 0, "ADC-CNV", "DIG-CMP", 1024, 2360, 8, 10, 1024, 0},
    {"104",
     "CCD-SENSOR:1536 pixel; 63.5µm pixel-pitch;\nWorking-Range: 97,5mm,   Resolution: 63.5µm", 1,
     0, 0, "ADC-CNV", "DIG-CMP", 1024, 1536, 6, 6, 1536, 0},
    {"unknown", "CCD-SENSOR: no information avialable!\n                                     ", 0,
     0, 0, "ADC-CNV", "DIG-CMP", 1024, 1024, 4, 16, 1024, 0},
};

int Attr(int panel, int control, int attribute) {
    int v = -1;
    GetCtrlAttribute(panel, control, attribute, &v);
    return v;
}

std::string AttrText(int control, int attribute) {
    char text[128] = "";
    GetCtrlAttributeText(pHandle, control, attribute, text, sizeof text);
    return text;
}

class Identify : public test::ScopeTest, public ::testing::WithParamInterface<Row> {
  protected:
    sim::Options SensorOptions() const override {
        sim::Options o = test::ScopeTest::SensorOptions();
        EXPECT_TRUE(sim::ModelPreset(GetParam().preset, &o.model));
        return o;
    }
};

TEST_P(Identify, ThePanelShowsWhatTheScopeKnowsOfTheType) {
    const Row& row = GetParam();
    char box[512] = "";
    GetCtrlText(pPopup, POP_DESCRIPTION, box, sizeof box);
    EXPECT_EQ(std::string(box), row.lines);

    EXPECT_EQ(Attr(pHandle, MAIN_TRIGMODE, ATTR_VISIBLE), row.trigVisible);
    EXPECT_EQ(Attr(pHandle, MAIN_DELTATOL, ATTR_VISIBLE), 1 - row.trigVisible);
    EXPECT_EQ(Attr(pHandle, MAIN_RS232MODE, ATTR_DIMMED), row.rs232Dimmed);
    EXPECT_EQ(Attr(pHandle, MAIN_OPMODE, ATTR_DIMMED), row.switchDimmed);
    EXPECT_EQ(AttrText(MAIN_OPMODE, ATTR_ON_TEXT), row.onText);
    EXPECT_EQ(AttrText(MAIN_OPMODE, ATTR_OFF_TEXT), row.offText);

    EXPECT_EQ(YMAXADC, row.ymax);
    EXPECT_EQ(pixB, 1);
    EXPECT_EQ(pixE, row.pixE);
    EXPECT_EQ(ccdmaxpixel, row.maxPixel);
    EXPECT_EQ(xArray[1], row.xStep);
    EXPECT_EQ(xArray[255], 255 * row.xStep);
    EXPECT_EQ(xArray8[1], row.x8Step);
    EXPECT_EQ(xArray8[255], 255 * row.x8Step);

    int mode = -1;
    double lo = 0, hi = 0;
    GetAxisScalingMode(pHandle, MAIN_VIDEOGRAPH, VAL_XAXIS, &mode, &lo, &hi);
    EXPECT_EQ(mode, VAL_MANUAL);
    EXPECT_EQ(lo, 1.0);
    EXPECT_EQ(hi, ccdvirtpixel);
    GetAxisScalingMode(pHandle, MAIN_BARGRAPH, VAL_XAXIS, &mode, &lo, &hi);
    EXPECT_EQ(hi, ccdvirtpixel);
    GetAxisScalingMode(pHandle, MAIN_STRIPCHART, VAL_LEFT_YAXIS, &mode, &lo, &hi);
    if (row.stripMax > 0) {
        EXPECT_EQ(mode, VAL_MANUAL);
        EXPECT_EQ(lo, 0.0);
        EXPECT_EQ(hi, row.stripMax);
    } else {
        EXPECT_EQ(hi, 4096.0) << "the panel file's range";
    }
    // A sensor of the own series may be written to.
    EXPECT_EQ(Attr(pHandle, MAIN_SEND, ATTR_DIMMED), 0);
    EXPECT_EQ(Attr(pHandle, MAIN_TEACH, ATTR_DIMMED), 0);
}

INSTANTIATE_TEST_SUITE_P(EveryPreset, Identify, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row>& info) {
                             std::string name = info.param.preset;
                             for (char& c : name)
                                 if (c == '-') c = '_';
                             return name;
                         });

class Type102Firmware230 : public test::ScopeTest {
    sim::Options SensorOptions() const override {
        sim::Options o = test::ScopeTest::SensorOptions();
        sim::ModelPreset("102-230", &o.model);
        return o;
    }
};

TEST_F(Type102Firmware230, Word15BecomesAnOffsetValueOf950To1000) {
    EXPECT_EQ(AttrText(MAIN_DELTATOL, ATTR_LABEL_TEXT), "OFFSET-VALUE");
    double lo = 0, hi = 0;
    GetCtrlAttribute(pHandle, MAIN_DELTATOL, ATTR_MIN_VALUE, &lo);
    GetCtrlAttribute(pHandle, MAIN_DELTATOL, ATTR_MAX_VALUE, &hi);
    EXPECT_EQ(lo, 950.0);
    EXPECT_EQ(hi, 1000.0);
}

class OddGeometry : public test::ScopeTest {
    sim::Options SensorOptions() const override {
        sim::Options o = test::ScopeTest::SensorOptions();
        o.model.ccdmaxpixel = 1000;
        o.model.ccdvirtpixel = 3000;
        return o;
    }
};

TEST_F(OddGeometry, UnknownLineLengthsStepBy8And1) {
    EXPECT_EQ(ccdmaxpixel, 1024);
    EXPECT_EQ(xArray[2], 16.0);
    EXPECT_EQ(xArray8[2], 2.0);
    EXPECT_EQ(pixE, 3000);
}

class WrongHardwareCommand : public test::ScopeTest {
    sim::Options SensorOptions() const override {
        sim::Options o = test::ScopeTest::SensorOptions();
        sim::ModelPreset("104", &o.model);
        o.faults.wrongHardwareCommand = true;
        return o;
    }
};

TEST_F(WrongHardwareCommand, TakesTheWordsButTouchesNothingOnThePanel) {
    // The words are taken as they come; nothing that depends on them is redrawn.
    EXPECT_EQ(ccdtype, 104);
    EXPECT_EQ(ccdvirtpixel, 1536);
    EXPECT_EQ(pixE, 1024);
    EXPECT_EQ(xArray[1], 4.0) << "start-up positions";
    EXPECT_EQ(xArray8[1], 0.0);
    char box[256] = "";
    GetCtrlText(pPopup, POP_DESCRIPTION, box, sizeof box);
    EXPECT_EQ(std::string(box), "");

    const std::string before = szStatus;
    EXPECT_EQ(GetHARDWAREInfo(), 0);
    EXPECT_EQ(std::string(szStatus), before) << "an answered request leaves szStatus alone";
}

} // namespace
} // namespace kvor
