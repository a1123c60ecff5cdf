#include "app/startup.h"

#include <exception>
#include <iostream>
#include <memory>

#include <QApplication>
#include <QTimer>

#include "app/command_line.h"
#include "app/event_pump.h"
#include "app/quit_signals.h"
#include "app/single_instance.h"
#include "app/splash_window.h"
#include "app/ui_probe.h"
#include "bar/bar_model.h"
#include "bar/chromium_browser.h"
#include "bar/gui/frm_main.h"
#include "bar/gui/model_input.h"
#include "bar/gui/network_icon_fetcher.h"
#include "bar/gui/pictures.h"
#include "bar/gui/qt_timers.h"
#include "bar/gui/x11_dock.h"
#include "bar/startup.h"
#include "fill/gui/open_person_setup.h"
#include "gui/qt_text.h"
#include "gui/window_setup.h"
#include "history/gui/deadline_notice.h"
#include "history/gui/history_windows.h"
#include "history/recs.h"
#include "links/gui/open_links.h"
#include "palette/gui/palette_windows.h"
#include "settings/bar_settings.h"
#include "settings/globals.h"
#include "settings/gui/open_settings.h"

namespace orvex::app {
namespace {

// Said once on the status line where no screen space can be reserved for the bar.
constexpr char16_t kNoDockMessage[] = u"このデスクトップでは画面の領域を確保できません。";

// Runs `step`; an exception ends only the step (no exception reaches the event loop).
template <typename F>
void guarded(F&& step) {
    try {
        step();
    } catch (const std::exception&) {
    } catch (...) {
    }
}

// Opens the window of another part that the bar asks for.
void openWindow(bar::BarDialog dialog, bar::BarModel& model, bar::BrowserProvider& browser,
                bar::gui::frmMain& view, palette::gui::PaletteWindows& palette) {
    switch (dialog) {
        case bar::BarDialog::PersonSetup:
            // The floating window's person list follows the bar's, which the dialog refreshed.
            fill::gui::openPersonSetup(model, &view, {bar::gui::userIcon, bar::gui::kUserIconCount},
                                       [&palette] { palette.personsChanged(); });
            break;
        case bar::BarDialog::Links:
            links::gui::openLinks(model, &view);
            break;
        case bar::BarDialog::HistoryList:
            history::sharedRecs().ShowList();
            break;
        case bar::BarDialog::AdvancedSettings:
            settings::gui::openZolvanSetup(model, browser, &view);
            break;
        case bar::BarDialog::SystemSettings:
            settings::gui::openSystemSetup(model, &view);
            break;
        case bar::BarDialog::Clipboard:
        case bar::BarDialog::FloatingClipboard:
        case bar::BarDialog::FloatingWindow:
            palette.open(dialog);
            break;
    }
}

}  // namespace

int runProgram(int argc, char** argv) {
    // --help and --version need no display and touch no file.
    if (const auto answered = answerInformationOptions(argc, argv, std::cout)) return *answered;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("orvex"));
    QApplication::setApplicationDisplayName(QStringLiteral("Orvex2000"));

    // One instance only: a second start ends here.
    SingleInstance instance;
    if (!instance.acquire()) return kExitAlreadyRunning;

    gui::installUiFont();
    installQtWait();
    std::unique_ptr<UiProbe> probe;
    const QString probeFile = qEnvironmentVariable("ORVEX_UI_PROBE");
    if (!probeFile.isEmpty()) probe = std::make_unique<UiProbe>();
    // The globals, the history store, the "icons" folder, the splash decision, the dictionaries.
    bar::StartupOutcome startup;
    guarded([&] { startup = bar::runStartup(settings::globals()); });
    // Start-up goes on while the splash shows.
    if (!startup.splash.empty()) SplashWindow::showPicture(startup.splash);

    // The browser: its protocol pipe is watched by the event loop while it runs.
    bar::ChromiumBrowser browser;
    std::unique_ptr<DevToolsPump> pump;
    browser.setClientHandlers(
        [&pump, &probe](devtools::Client& client) {
            pump = std::make_unique<DevToolsPump>(client);
            if (probe) probe->pageReadingStarted();
        },
        [&pump](devtools::Client&) { pump.reset(); });

    bar::gui::frmMain view;
    bar::gui::QtTimerSource timers(&view, {QStringLiteral("timAnimation"), QStringLiteral("tmrFlash")});
    bar::gui::NetworkIconFetcher icons;
    int code = kExitOk;
    {
        bar::BarModel model(view, timers, browser, &icons);
        bar::gui::ModelInput input(model);
        QuitSignals quitSignals([&model] { model.exit(); });
        view.setInput(&input);
        // The other parts' windows: the history's list and edit windows as the store's, the
        // palette and floating window, and the dialogs the bar's menu opens.
        history::gui::installHistoryWindows();
        palette::gui::PaletteWindows palette(model);
        view.setDialogOpeners(
            [&](bar::BarDialog dialog) {
                guarded([&] { openWindow(dialog, model, browser, view, palette); });
            },
            [&](const links::clsLink& newLink) {
                guarded([&] { links::gui::openLinks(model, &view, newLink); });
            });
        // The edge comes from "system.ini" before the bar's loading reads it, so that the bar is
        // docked and its width known when the loading lays out the buttons.
        bar::gui::X11Dock dock(&view, bar::edgeForBarPosition(settings::readBarSettings().BarPosition));
        view.setDock(&dock);
        guarded([&] { model.setFixedItemSizes(view.fixedItemSizes()); });
        QObject::connect(&dock, &bar::gui::X11Dock::placed, &view,
                         [&] { guarded([&] { model.setBarWidth(view.width()); }); });
        bool reserved = true;
        if (!model.replacedByFloatingWindow()) {
            reserved = dock.dock();
            view.show();
        }
        // The loading starts the browser and waits for it while events run: inside the event
        // loop, so that "終了" during the wait ends the program.
        QTimer::singleShot(0, &view, [&] {
            guarded([&] { model.load(); });
            if (!reserved) view.setStatusText(kNoDockMessage);
            // Entries whose deadline is near or past are told about once, at start-up.
            guarded([&] {
                history::gui::announceDeadlines(
                    [&view](const QString& text) { view.setStatusText(gui::fromQt(text)); });
            });
        });
        if (probe) {
            // From the browser's start (its launch, a long step of its own, is behind) to the
            // hit's smile: the first page's window opening, loading, reading and fill.
            QObject::connect(&view, &bar::gui::frmMain::statusPictureChanged, probe.get(),
                             [&probe](bar::StatusPicture picture) {
                                 if (picture.set == bar::PictureSet::Smiles) probe->pageFilled();
                             });
        }
        code = QApplication::exec();
        dock.undock();
        view.setDialogOpeners({}, {});
        view.setInput(nullptr);
        history::gui::uninstallHistoryWindows();
    }
    guarded([&] { browser.shutdown(); });
    if (probe) probe->report(probeFile);
    return code;
}

}  // namespace orvex::app
