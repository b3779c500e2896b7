// SPDX-License-Identifier: GPL-3.0-or-later
// The view of the scope: every panel a window of widgets, pop-ups and file dialogs, the line
// monitor, reports with the graphs as they show.
#include <QApplication>
#include <QWidget>

#include "runtime/panel_file.h"
#include "runtime/registry.h"
#include "runtime/settings_store.h"
#include "runtime/translation.h"
#include "runtime/view.h"
#include "ui/control_kinds.h"
#include "ui/panel_window.h"
#include "ui/replot_pacer.h"
#include "ui/view_parts.h"
#include "ui/windows.h"

namespace kvor::rt {

namespace {

// What the operator reads of a control, in their language: its label, its name for assistive
// technology, its items, texts and headings. Its values stay what the program and the panel
// file gave.
ControlDef ShownDef(const ControlDef& given) {
    ControlDef def = given;
    for (QString* text :
         {&def.label, &def.name, &def.onText, &def.offText, &def.xLabel, &def.yLabel})
        *text = Shown(*text);
    for (RingItem& item : def.items)
        item.text = Shown(item.text);
    for (QStringList* list : {&def.columns, &def.rowLabels})
        for (QString& text : *list)
            text = Shown(text);
    return def;
}

} // namespace

std::unique_ptr<Control> MakeWidgetControl(int panel, const ControlDef& given, QWidget* canvas) {
    const ControlDef def = ShownDef(given);
    if (auto c = MakeButtonControl(panel, def, canvas)) return c;
    if (auto c = MakeNumericControl(panel, def, canvas)) return c;
    if (auto c = MakeTextControl(panel, def, canvas)) return c;
    if (auto c = MakeListControl(panel, def, canvas)) return c;
    if (auto c = MakeEntryControl(panel, def, canvas)) return c;
    if (def.kind == QLatin1String("graph")) return MakeGraphControl(panel, def, canvas);
    if (def.kind == QLatin1String("strip chart")) return MakeStripChartControl(panel, def, canvas);
    return nullptr;
}

void BringToFront(QWidget* window) {
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

namespace {

// A panel's window; its controls are widgets on the window's canvas.
class PanelWindowView : public PanelView {
  public:
    PanelWindowView(int handle, const PanelDef& def)
        : window_(std::make_unique<PanelWindow>(handle, def.title, def.size,
                                                ToQColor(def.background))) {
        // A secondary window opens where the operator left it last time, by the panel's name.
        if (def.resource != 1 && !def.callback.isEmpty())
            placeKey_ = QStringLiteral("windows/%1").arg(def.callback).toUtf8();
    }
    PanelWindow* window() const { return window_.get(); }
    // A window already open comes to the front, un-minimised, when it is shown again.
    void show() override {
        if (!placed_ && !placeKey_.isEmpty()) {
            placed_ = true;
            char place[512];
            if (SettingGet(placeKey_.constData(), place, "") == 1)
                window_->restoreGeometry(QByteArray::fromBase64(place));
        }
        BringToFront(window_.get());
    }
    void hide() override {
        keepPlace();
        window_->hide();
    }
    void close() override { window_->close(); }
    void discardLater() override {
        keepPlace();
        window_->hide();
        window_.release()->deleteLater();
    }
    int savePicture(const QString& pngFile) override {
        FlushAllReplots();
        QApplication::processEvents();
        return window_->grab().save(pngFile, "PNG") ? 0 : -1;
    }
    std::unique_ptr<Control> makeControl(int panel, const ControlDef& def) override {
        return MakeWidgetControl(panel, def, window_->canvas());
    }

  private:
    void keepPlace() {
        if (placeKey_.isEmpty() || !window_->isVisible()) return;
        SettingSet(placeKey_.constData(), window_->saveGeometry().toBase64().constData());
    }
    std::unique_ptr<PanelWindow> window_;
    QByteArray placeKey_;
    bool placed_ = false;
};

class WindowsView : public View {
  public:
    std::unique_ptr<QCoreApplication> startApplication(int argc, char** argv) override {
        std::unique_ptr<QApplication> application = StartApplication(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
        ApplyDesktopIdentity();
        return application;
    }
    std::unique_ptr<PanelView> makePanelView(int handle, const PanelDef& def) override {
        return std::make_unique<PanelWindowView>(handle, def);
    }
    int messagePopup(const char* title, const char* message) override {
        return ShowMessagePopup(title, message);
    }
    int confirmPopup(const char* title, const char* message) override {
        return ShowConfirmPopup(title, message);
    }
    int fileSelectPopup(const char* defaultDirectory, const char* defaultFileName,
                        const char* fileTypeList, const char* title, int buttonLabel,
                        int restrictDirectory, int restrictExtension, int allowCancel,
                        int allowMakeDirectory, char* path, std::size_t pathSize) override {
        return ShowFileSelectPopup(defaultDirectory, defaultFileName, fileTypeList, title,
                                   buttonLabel, restrictDirectory, restrictExtension, allowCancel,
                                   allowMakeDirectory, path, pathSize);
    }
    int fileSelectSavePopup(const char* defaultDirectory, const char* defaultFileName,
                            const char* fileTypeList, const char* title, char* path,
                            std::size_t pathSize) override {
        return ShowFileSelectSavePopup(defaultDirectory, defaultFileName, fileTypeList, title, path,
                                       pathSize);
    }
    int fileSelectTypePopup(const char* defaultDirectory, const char* defaultFileName,
                            const char* typeList, const char* title, int* type, char* path,
                            std::size_t pathSize) override {
        return ShowFileSelectTypePopup(defaultDirectory, defaultFileName, typeList, title, type,
                                       path, pathSize);
    }
    int displayLineMonitor() override { return ShowLineMonitor(); }
    int newReport(const char* title) override { return NewPdfReport(title); }
    int addReportText(int report, const char* text) override {
        return AddPdfReportText(report, text);
    }
    int addReportGraph(int report, int panel, int control) override {
        return AddPdfReportGraph(report, panel, control);
    }
    int saveReportPDF(int report, const char* pdfFile) override {
        return SavePdfReport(report, pdfFile);
    }
    int discardReport(int report) override { return DiscardPdfReport(report); }
    void closePopups() override {
        // Pop-ups stacked on one another: a bound, in case one opens another as it closes.
        constexpr int kMostPopups = 16;
        for (int i = 0; i < kMostPopups && QApplication::activeModalWidget() != nullptr; ++i)
            QApplication::activeModalWidget()->close();
    }
    void closeWindows() override { DiscardLineMonitor(); }
};

} // namespace

PanelWindow* WindowOf(int panel) {
    Panel* p = FindPanel(panel);
    auto* view = p == nullptr ? nullptr : dynamic_cast<PanelWindowView*>(p->view.get());
    return view == nullptr ? nullptr : view->window();
}

} // namespace kvor::rt

void InstallPanelWindows() {
    if (kvor::rt::InstalledView() == nullptr)
        kvor::rt::InstallView(std::make_unique<kvor::rt::WindowsView>());
}
