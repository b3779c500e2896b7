// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop finds the scope's windows under its menu entry, with its icon in every size.
#include <QApplication>
#include <QWidget>

#include "tests/runtime/panel_fixture.h"

namespace kvor::test {
namespace {

class DesktopIdentityTest : public PanelTest {};

TEST_F(DesktopIdentityTest, PanelWindowsCarryTheIconInEverySizeAndNameTheDesktopEntry) {
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("kvorscope"));
    const int p = Load(R"({"panels":[{"resource":1,"title":"t","size":[200,100],"controls":[]}]})");
    ASSERT_GT(p, 0);
    DisplayPanel(p);
    int windows = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible()) continue;
        ++windows;
        const QList<QSize> sizes = w->windowIcon().availableSizes();
        for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
            EXPECT_TRUE(sizes.contains(QSize(size, size))) << size << " pixels";
    }
    EXPECT_GT(windows, 0);
}

} // namespace
} // namespace kvor::test
