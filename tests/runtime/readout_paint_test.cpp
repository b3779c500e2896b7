// SPDX-License-Identifier: GPL-3.0-or-later
// A display lays out its numbers from glyphs it looked up once; what the operator sees must be
// what the label itself draws, pixel for pixel, in every font, alignment and text it meets.
#include <QFontDatabase>
#include <QImage>
#include <QLabel>

#include <gtest/gtest.h>

#include "ui/accessible_readout.h"

namespace kvor::test {
namespace {

QImage Picture(QLabel& label) {
    QImage image(label.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    label.render(&image);
    return image;
}

void Dress(QLabel& label, const QFont& font, Qt::Alignment alignment, const QString& text) {
    label.setFrameShape(QFrame::StyledPanel);
    label.setFrameShadow(QFrame::Sunken);
    label.setMargin(3);
    label.setFont(font);
    label.setAlignment(alignment);
    label.setTextFormat(Qt::PlainText);
    label.resize(140, 34);
    label.setText(text);
}

TEST(ReadoutPaint, NumbersLookExactlyAsTheLabelDrawsThem) {
    QFont plain = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    plain.setPixelSize(14);
    QFont bold = plain;
    bold.setPixelSize(22);
    bold.setBold(true);
    QFont proportional; // a text message's font
    proportional.setPixelSize(13);
    // Digits, signs and points; a dash and letters the font may lack or kern; a number wider
    // than its display.
    const QStringList texts = {"0", "523", "-1.25", "65535",      "100.0",
                               "–", "Inf", "-Inf",  "12 answers", "-1234567890.5"};
    for (const QFont& font : {plain, bold, proportional}) {
        for (const Qt::Alignment alignment :
             {Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter),
              Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter), Qt::Alignment(Qt::AlignCenter),
              Qt::Alignment(Qt::AlignRight | Qt::AlignBottom)}) {
            for (const QString& text : texts) {
                rt::Readout readout(true);
                QLabel label;
                Dress(readout, font, alignment, text);
                Dress(label, font, alignment, text);
                EXPECT_EQ(Picture(readout), Picture(label))
                    << text.toStdString() << " in " << font.toString().toStdString()
                    << ", alignment " << alignment;
            }
        }
    }
}

} // namespace
} // namespace kvor::test
