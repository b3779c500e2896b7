// SPDX-License-Identifier: GPL-3.0-or-later
// One report page as the program without windows hands it over: a title, then lines of text and
// graphs top to bottom.
#pragma once

#include <QString>

#include <vector>

namespace kvor::report {

struct Plot {
    bool rectangle = false;
    int color = 0, fill = 0, style = 0; // style: 0 line, 1 steps
    std::vector<double> x, y;           // a curve's points
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

struct Graph {
    int width = 0, height = 0; // as on the panel, for its proportions
    double xMin = 0, xMax = 1, yMin = 0, yMax = 1;
    QString xLabel, yLabel;
    int grid = -1, background = -1; // 0xRRGGBB, -1: none given
    std::vector<Plot> plots;
};

struct Item {
    QString text;   // a line of text, or
    int graph = -1; // the index of a graph
};

struct Page {
    QString title;
    std::vector<Item> items;
    std::vector<Graph> graphs;
};

// Reads the description; false with the reason for the first line it cannot take.
bool ReadPage(const QByteArray& description, Page* page, QString* reason);
// Writes the page as a one-page A4 PDF; false when the file cannot be written.
bool WritePdf(const Page& page, const QString& file);

} // namespace kvor::report
