// SPDX-License-Identifier: GPL-3.0-or-later
// The scope in each language it speaks: every window opened, every text rendered at the panel's
// font and measured against its control, as the operator would see it cut or covered.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <cstdlib>
#include <string>

#include "live/distribution.h"
#include "live/gauge_study.h"
#include "params/history_window.h"
#include "runtime/readback.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/state.h"
#include "tests/support/harness.h"

namespace kvor::test {
namespace {

// What a widget shows of a text with mnemonics: "&&" is one "&", a single "&" marks a key.
QString Visible(QString text) {
    return text.replace(QLatin1String("&&"), QLatin1String("\x01"))
        .remove(QLatin1Char('&'))
        .replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

int Widest(const QFontMetrics& fm, const QString& text) {
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, fm.horizontalAdvance(line));
    return widest;
}

// The room a text needs in its widget, or -1 where the widget shows no text of its own.
int Needed(const QWidget* w) {
    const QFontMetrics fm = w->fontMetrics();
    if (auto* label = qobject_cast<const QLabel*>(w)) {
        if (label->text().isEmpty()) return -1;
        if (label->wordWrap())
            return fm.boundingRect(label->contentsRect(), Qt::TextWordWrap, label->text())
                               .height() <= label->contentsRect().height()
                       ? 0
                       : w->width() + 1;
        return Widest(fm, label->text()) + label->width() - label->contentsRect().width() +
               2 * label->margin();
    }
    const QStyle* style = w->style();
    if (qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w))
        return Widest(fm, Visible(static_cast<const QAbstractButton*>(w)->text())) +
               style->pixelMetric(QStyle::PM_IndicatorWidth) +
               style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
    if (auto* button = qobject_cast<const QPushButton*>(w))
        return Widest(fm, Visible(button->text())) +
               2 * style->pixelMetric(QStyle::PM_ButtonMargin);
    return -1;
}

class Languages : public ScopeTest, public ::testing::WithParamInterface<const char*> {
  protected:
    void SetUp() override {
        static char name[] = "kvor_tests", lang[] = "--lang";
        static std::string code;
        code = GetParam();
        char* argv[] = {name, lang, code.data(), nullptr};
        ASSERT_EQ(ChooseLanguage(3, argv), 0);
        ScopeTest::SetUp();
    }
    void TearDown() override {
        ScopeTest::TearDown();
        static char name[] = "kvor_tests", lang[] = "--lang", en[] = "en";
        char* argv[] = {name, lang, en, nullptr};
        ChooseLanguage(3, argv);
    }
};

TEST_P(Languages, EveryTextFitsItsControl) {
    SetPopupsAnswerThemselves(true);
    Click(pHandle, MAIN_POPUP_TOGGLE);
    Click(pHandle, MAIN_GAUGE_STUDY);
    Click(pHandle, MAIN_DISTRIBUTION);
    Click(pHandle, MAIN_HISTORY);
    ASSERT_GT(pGauge, 0);
    ASSERT_GT(pDistribution, 0);
    ASSERT_GT(pHistory, 0);
    PumpFor(0.05);

    const QRegularExpression body(QStringLiteral("^p(\\d+)c(\\d+)$"));
    const QRegularExpression above(QStringLiteral("^p(\\d+)c(\\d+)label$"));
    int measured = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible()) continue;
        const QList<QWidget*> widgets = window->findChildren<QWidget*>();
        for (QWidget* w : widgets) {
            const bool named =
                body.match(w->objectName()).hasMatch() || above.match(w->objectName()).hasMatch();
            if (!w->isVisibleTo(window) || !named) continue;
            const int needed = Needed(w);
            if (needed >= 0) {
                ++measured;
                EXPECT_LE(needed, w->width()) << w->objectName().toStdString() << " \""
                                              << w->accessibleName().toStdString() << "\"";
            }
            // A label above its control covers no other control and no other label.
            if (!above.match(w->objectName()).hasMatch()) continue;
            const QWidget* buddy = static_cast<QLabel*>(w)->buddy();
            for (QWidget* other : widgets) {
                if (other == w || other == buddy || !other->isVisibleTo(window) ||
                    other->parentWidget() != w->parentWidget() ||
                    qstrcmp(other->metaObject()->className(), "QFrame") == 0 ||
                    (!body.match(other->objectName()).hasMatch() &&
                     !above.match(other->objectName()).hasMatch()))
                    continue;
                EXPECT_FALSE(w->geometry().intersects(other->geometry()))
                    << w->objectName().toStdString() << " \""
                    << static_cast<QLabel*>(w)->text().toStdString() << "\" covers "
                    << other->objectName().toStdString();
            }
        }
        // The rings' items the panel file gives (the port selector lists the machine's ports).
        for (QComboBox* ring : window->findChildren<QComboBox*>()) {
            if (ring->objectName().endsWith(QLatin1String("c2")) && ring->window() == window &&
                window->findChild<QWidget*>(QStringLiteral("p%1c2").arg(pHandle)) == ring)
                continue;
            // The field the style leaves beside the arrow, a pixel clear each side.
            QStyleOptionComboBox option;
            option.initFrom(ring);
            const int room = ring->style()
                                 ->subControlRect(QStyle::CC_ComboBox, &option,
                                                  QStyle::SC_ComboBoxEditField, ring)
                                 .width() -
                             2;
            for (int i = 0; i < ring->count(); ++i)
                EXPECT_LE(ring->fontMetrics().horizontalAdvance(ring->itemText(i)), room)
                    << ring->objectName().toStdString() << " item "
                    << ring->itemText(i).toStdString();
        }
    }
    EXPECT_GT(measured, 150); // every window was there to measure

    // The pictures of the scope in German for the README, when asked for.
    const char* shots = std::getenv("KVOR_SHOTS_DIR");
    if (shots != nullptr && std::string(GetParam()) == "de") {
        EXPECT_EQ(SavePanelImage(pHandle, QDir(shots).filePath("main-panel-de.png").toUtf8()), 0);
        EXPECT_EQ(SavePanelImage(pPopup, QDir(shots).filePath("calibration-popup-de.png").toUtf8()),
                  0);
    }
}

INSTANTIATE_TEST_SUITE_P(EnglishAndGerman, Languages, ::testing::Values("en", "de"));

} // namespace
} // namespace kvor::test
