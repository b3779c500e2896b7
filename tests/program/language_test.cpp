// SPDX-License-Identifier: GPL-3.0-or-later
// The scope in each language it speaks: every window opened, every text rendered at the panel's
// font and measured against its control, as the operator would see it cut or covered.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyleOptionComboBox>

#include <cstdlib>
#include <string>

#include "live/control_window.h"
#include "live/distribution.h"
#include "live/gauge_study.h"
#include "live/publish_window.h"
#include "params/history_window.h"
#include "runtime/readback.h"
#include "state/panel_ids.h"
#include "state/state.h"
#include "tests/support/harness.h"

namespace kvor::test {
namespace {

void Speak(const char* language) {
    static std::string code;
    static char name[] = "kvor_tests", lang[] = "--lang";
    code = language;
    char* argv[] = {name, lang, code.data(), nullptr};
    ASSERT_EQ(ChooseLanguage(3, argv), 0);
}

// The widest line of a text as a widget shows it ("&&" is one "&", a single "&" marks a key).
int Widest(const QWidget* w, QString text) {
    text.replace(QLatin1String("&&"), QLatin1String("\x01")).remove(QLatin1Char('&'));
    int widest = 0;
    for (const QString& line : text.replace(QLatin1Char('\x01'), QLatin1Char('&')).split('\n'))
        widest = std::max(widest, w->fontMetrics().horizontalAdvance(line));
    return widest;
}

// The width a widget's own text needs, or -1 where it shows none.
int Needed(const QWidget* w) {
    const QStyle* style = w->style();
    if (auto* label = qobject_cast<const QLabel*>(w)) {
        const QRect room = label->contentsRect().adjusted(label->margin(), 0, -label->margin(), 0);
        if (label->text().isEmpty()) return -1;
        if (!label->wordWrap()) return Widest(w, label->text()) + w->width() - room.width();
        const QRect wrapped = w->fontMetrics().boundingRect(room, Qt::TextWordWrap, label->text());
        return wrapped.height() <= room.height() ? 0 : w->width() + 1;
    }
    if (qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w))
        return Widest(w, static_cast<const QAbstractButton*>(w)->text()) +
               style->pixelMetric(QStyle::PM_IndicatorWidth) +
               style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
    if (auto* button = qobject_cast<const QPushButton*>(w))
        return Widest(w, button->text()) + 2 * style->pixelMetric(QStyle::PM_ButtonMargin);
    return -1;
}

class Languages : public ScopeTest, public ::testing::WithParamInterface<const char*> {
  protected:
    void SetUp() override {
        Speak(GetParam());
        ScopeTest::SetUp();
    }
    void TearDown() override {
        ScopeTest::TearDown();
        Speak("en");
    }
};

TEST_P(Languages, EveryTextFitsItsControl) {
    SetPopupsAnswerThemselves(true);
    for (int opens : {MAIN_POPUP_TOGGLE, MAIN_GAUGE_STUDY, MAIN_DISTRIBUTION, MAIN_HISTORY,
                      MAIN_PUBLISH, MAIN_CONTROL_CHART})
        Click(pHandle, opens);
    ASSERT_TRUE(pGauge > 0 && pDistribution > 0 && pHistory > 0 && pPublish > 0 &&
                pControlChart > 0);
    const QRegularExpression named(QStringLiteral("^p\\d+c\\d+(label)?$"));
    int measured = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible()) continue;
        QList<QWidget*> controls = window->findChildren<QWidget*>(named);
        controls.removeIf([window](QWidget* w) { return !w->isVisibleTo(window); });
        for (QWidget* w : controls) {
            const std::string what =
                w->objectName().toStdString() + " \"" + w->accessibleName().toStdString() + "\"";
            if (const int needed = Needed(w); needed >= 0) {
                ++measured;
                EXPECT_LE(needed, w->width()) << what;
            }
            // A label above its control covers no other control and no other label.
            auto* label = qobject_cast<QLabel*>(w);
            if (label == nullptr || !w->objectName().endsWith(QLatin1String("label"))) continue;
            for (QWidget* other : controls) {
                if (other == w || other == label->buddy() ||
                    qstrcmp(other->metaObject()->className(), "QFrame") == 0)
                    continue;
                EXPECT_FALSE(w->geometry().intersects(other->geometry()))
                    << what << " covers " << other->objectName().toStdString();
            }
        }
        // The rings' items the panel file gives, in the field the style leaves beside the arrow
        // (the port selector lists the machine's ports).
        for (QComboBox* ring : window->findChildren<QComboBox*>(named)) {
            if (ring == Control(pHandle, MAIN_COMPORT)) continue;
            QStyleOptionComboBox option;
            option.initFrom(ring);
            const int room = ring->style()
                                 ->subControlRect(QStyle::CC_ComboBox, &option,
                                                  QStyle::SC_ComboBoxEditField, ring)
                                 .width();
            for (int i = 0; i < ring->count(); ++i)
                EXPECT_LE(Widest(ring, ring->itemText(i)) + 2, room)
                    << ring->objectName().toStdString() << " " << ring->itemText(i).toStdString();
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
