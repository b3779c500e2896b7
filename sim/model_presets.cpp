// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/model_presets.h"

namespace kvor::sim {

namespace {

Model MakeModel(std::uint16_t ccdtype, std::uint16_t maxpixel, std::uint16_t resolution,
                std::uint16_t pcbtype, std::uint16_t virtpixel, std::uint16_t subpixel,
                std::uint16_t softversion, std::uint16_t hwtype, const std::string& firmware) {
    Model m;
    m.ccdtype = ccdtype;
    m.ccdmaxpixel = maxpixel;
    m.ccdresolution = resolution;
    m.pcbtype = pcbtype;
    m.ccdvirtpixel = virtpixel;
    m.ccdsubpixel = subpixel;
    m.ccdpixB = 1;
    m.ccdpixE = maxpixel;
    m.softversion = softversion;
    m.hwtype = hwtype;
    m.adcmax = 1024;
    m.firmware = firmware;
    return m;
}

std::vector<PresetEntry> BuildTable() {
    std::vector<PresetEntry> t;
    // The classic 1024-pixel heads on board 100: 64-sample video blocks, subpixel x2 or x4.
    t.push_back({"1-30", "type 1, 3.0 mm optics",
                 MakeModel(1, 1024, 30, 100, 2048, 2048, 240, 30, "K-VOR-PX-30 firmware V2.40")});
    t.push_back({"1-80", "type 1, 8.0 mm working range",
                 MakeModel(1, 1024, 80, 100, 2048, 2048, 240, 80, "K-VOR-PX-80 firmware V2.40")});
    t.push_back(
        {"2-750", "type 2, 75 mm optics",
         MakeModel(2, 1024, 750, 100, 4096, 2048, 240, 750, "K-VOR-PX-750 firmware V2.40")});
    t.push_back({"2-250", "type 2, 25.6 mm working range (the default)", Model{}});
    t.push_back(
        {"2-350", "type 2, 35 mm working range",
         MakeModel(2, 1024, 350, 100, 4096, 2048, 240, 350, "K-VOR-PX-350 firmware V2.40")});
    // 512-pixel heads of the older firmware (word 15 is the delta tolerance below V2.40).
    t.push_back({"3", "type 3, 512 pixels, 12.8 mm",
                 MakeModel(3, 512, 128, 100, 1024, 1024, 230, 3, "K-VOR-PX-3 firmware V2.30")});
    t.push_back({"4", "type 4, 512 pixels, 6.4 mm",
                 MakeModel(4, 512, 64, 100, 1024, 1024, 230, 4, "K-VOR-PX-4 firmware V2.30")});
    // The 63.5 um line family on board 7: one 256-sample video block.
    t.push_back({"101", "type 101, 256 pixels, 16.25 mm",
                 MakeModel(101, 256, 163, 7, 512, 512, 240, 101, "K-VOR-PX-101 firmware V2.40")});
    t.push_back({"102-220", "type 102, 768 pixels, firmware 2.20",
                 MakeModel(102, 768, 488, 7, 1536, 1536, 220, 102, "K-VOR-PX-102 firmware V2.20")});
    t.push_back({"102-230", "type 102, 768 pixels, firmware 2.30",
                 MakeModel(102, 768, 488, 7, 1536, 1536, 230, 102, "K-VOR-PX-102 firmware V2.30")});
    t.push_back(
        {"103", "type 103, 1180 pixels, 74.9 mm",
         MakeModel(103, 1180, 749, 7, 2360, 2360, 240, 103, "K-VOR-PX-103 firmware V2.40")});
    t.push_back(
        {"104", "type 104, 1536 pixels, 97.5 mm, slope multiplier 512",
         MakeModel(104, 1536, 975, 7, 1536, 1536, 240, 104, "K-VOR-PX-104 firmware V2.40")});
    t.push_back({"unknown", "type 77, which the scope does not know",
                 MakeModel(77, 1024, 0, 100, 4096, 2048, 240, 0, "K-VOR-PX-77 firmware V2.40")});
    // Board variants of the default head.
    Model board0 = Model{};
    board0.pcbtype = 0;
    board0.softversion = 210;
    board0.firmware = "K-VOR-PX-250 firmware V2.10";
    t.push_back(
        {"board0", "type 2-250 on board 0: word-coded firmware text, firmware 2.10", board0});
    Model board7 = Model{};
    board7.pcbtype = 7;
    t.push_back({"board7", "type 2-250 on board 7: one 256-sample video block", board7});
    Model adc256 = t[1].model;
    adc256.adcmax = 256;
    t.push_back({"adc256", "type 1-80 with an 8-bit video converter (full scale 256)", adc256});
    return t;
}

} // namespace

const std::vector<PresetEntry>& ModelPresetTable() {
    static const std::vector<PresetEntry> table = BuildTable();
    return table;
}

bool ModelPreset(const std::string& name, Model* model) {
    for (const PresetEntry& e : ModelPresetTable()) {
        if (e.name != name) continue;
        if (model) *model = e.model;
        return true;
    }
    return false;
}

std::vector<std::string> ModelPresetNames() {
    std::vector<std::string> names;
    for (const PresetEntry& e : ModelPresetTable())
        names.push_back(e.name);
    return names;
}

} // namespace kvor::sim
