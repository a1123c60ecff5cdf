#include "app/startup.h"

#include <exception>

#include <QApplication>
#include <QMenu>

#include "app/event_pump.h"
#include "app/single_instance.h"
#include "app/splash_window.h"
#include "bar/gui/frm_main.h"
#include "bar/gui/x11_dock.h"
#include "gui/window_setup.h"
#include "history/recs.h"
#include "settings/bar_settings.h"
#include "settings/globals.h"
#include "settings/startup_files.h"

namespace orvex::app {
namespace {

// The bar's thickness at the top or bottom edge.
constexpr int kBarThickness = 30;
// Fixed items of the empty bar, until the bar's logic lays them out.
constexpr int kStatusBoxWidth = 36;

// The bar's input while no bar logic drives it: the menu opens and ends the program, "Auto"
// turns the switch over.
class EmptyBar final : public bar::gui::FrmMainInput {
  public:
    EmptyBar(bar::gui::frmMain& bar, bar::gui::X11Dock& dock) : m_bar(bar), m_dock(dock) {}
    void personClicked(int) override {}
    void linkClicked(int) override {}
    void menuRequested() override { m_bar.showMenu(true, false); }
    void menuChosen(const QString& name) override {
        if (name == QLatin1String("mnuExit")) {
            m_dock.undock();
            QCoreApplication::quit();
        }
    }
    void autoClicked() override {
        settings::Globals& g = settings::globals();
        g.autoInput = !g.autoInput;
        m_bar.setAutoOn(g.autoInput);
    }
    void statusClicked() override {}

  private:
    bar::gui::frmMain& m_bar;
    bar::gui::X11Dock& m_dock;
};

void layOutEmptyBar(bar::gui::frmMain& bar) {
    const int w = bar.width();
    const int h = bar.height();
    const QRect menu(w - 4 - 16, (h - 16) / 2, 16, 16);
    const QRect autoLabel(menu.left() - 4 - 32, (h - 16) / 2, 32, 16);
    bar.setFixedItems({QRect((kStatusBoxWidth - 24) / 2, (h - 24) / 2, 24, 24),
                       QRect(autoLabel.left() - 4 - 32, (h - 16) / 2, 32, 16), autoLabel, menu});
}

}  // namespace

int runProgram(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("orvex"));
    QApplication::setApplicationDisplayName(QStringLiteral("Orvex2000"));

    // 1. One instance only.
    SingleInstance instance;
    if (!instance.acquire()) return kExitAlreadyRunning;

    gui::installUiFont();
    installQtWait();
    try {
        // 2-4. Wait rounds, settings store keys, auto-input switch and name-check table; the
        // shared history store.
        settings::loadGlobals(settings::globals());
        history::sharedRecs();
        // 5-6. The "icons" folder; the splash only when it was already there.
        if (settings::iconsFolderExisted()) SplashWindow::showPicture(settings::splashPicture());
        // 7. The keyword dictionaries are constant tables built into the program: nothing to set up.
    } catch (const std::exception&) {
        // Every step goes on past a failure with its defaults.
    }

    // 8. The bar.
    const settings::BarSettings barSettings = settings::readBarSettings();
    bar::gui::frmMain bar;
    const auto edge = barSettings.BarPosition == 1 ? bar::gui::DockEdge::Bottom : bar::gui::DockEdge::Top;
    bar::gui::X11Dock dock(&bar, edge, kBarThickness);
    EmptyBar input(bar, dock);
    bar.setInput(&input);
    const bool reserved = dock.dock();
    layOutEmptyBar(bar);
    bar.show();
    if (!reserved)
        bar.setStatusText(QStringLiteral("このデスクトップでは画面の領域を確保できません。"));
    const int code = QApplication::exec();
    dock.undock();
    return code;
}

}  // namespace orvex::app
