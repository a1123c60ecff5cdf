// The palette windows as real X11 windows on a private server with openbox: a click on the
// e-mail button read back through the clipboard by another program, the floating window's place
// taken from and stored back to "system.ini" unchanged, and screenshots of both windows to look
// at (with ORVEX_SCREENSHOT_DIR set).

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QPushButton>
#include <QTimer>

#include "bar/person_list.h"
#include "palette/float_placement.h"
#include "palette/gui/clip_button.h"
#include "palette/gui/clip_panel.h"
#include "palette/gui/frm_clip.h"
#include "palette/gui/frm_float_main.h"
#include "palette/gui/gui_test_support.h"
#include "palette/gui/xcb_test_session.h"
#include "profile/test_support.h"

namespace orvex::palette::gui {
namespace {

namespace fs = std::filesystem;
using testing::Child;
using testing::pumpFor;
using testing::pumpUntil;
using testing::runAlongside;
using testing::X11TestDisplay;
using testing::XcbSession;

constexpr int kWaitMs = 15000;
// The first sample person's e-mail address.
const std::string kSampleEmail = "hanako.yamada@example.jp";

bool onPath(const char* program) {
    return std::system((std::string("command -v ") + program + " >/dev/null 2>&1").c_str()) == 0;
}

std::string slurp(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class PaletteX11Test : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!XcbSession::get().ok()) GTEST_SKIP() << XcbSession::get().problem();
        for (const char* program : {"xdotool", "xclip", "import"})
            if (!onPath(program))
                GTEST_SKIP() << program << " is not installed (scripts/deps.sh installs it)";
        fs::copy_file(fs::path(ORVEX_SOURCE_DIR) / "resources/sample/userdata.ini", dir / "userdata.ini");
        persons = bar::loadPersons(dir.path());
        ASSERT_EQ(persons.size(), 2u);
        std::ofstream(system) << "[CLIP]\nCAPTION1=" << std::string(30, 'x')
                              << "いつもお世話になっております。"
                              << "\nCAPTION2=よろしくお願いします\n";
    }
    X11TestDisplay& x() { return XcbSession::get().display(); }
    // Waits until the window of class `instance` is on the screen and drawn.
    bool mapped(const std::string& instance) {
        const bool shown =
            pumpUntil([&] { return x().waitForWindow(instance, 0, true).has_value(); }, kWaitMs);
        pumpFor(300);
        return shown;
    }
    bool clickAt(const QPoint& p) {
        return runAlongside(
                   {"xdotool", "mousemove", std::to_string(p.x()), std::to_string(p.y()), "click", "1"},
                   x().dir() / "xdotool.log", kWaitMs) == 0;
    }
    // The clipboard's text as another program reads it.
    std::string clipboardText() {
        const fs::path out = dir / "clipboard.txt";
        fs::remove(out);
        runAlongside({"xclip", "-o", "-selection", "clipboard"}, out, kWaitMs);
        return slurp(out);
    }
    void screenshot(const std::string& name) {
        pumpFor(300);
        if (const auto shots = testing::screenshotDir()) {
            EXPECT_EQ(x().run({"import", "-window", "root", (*shots / name).string()}), 0);
        }
    }

    profile::testing::TempDir dir;
    fs::path system = dir / "system.ini";
    Persons persons;
    testing::FakeCommands commands;
};

// Tests that a click on the e-mail button (real input) replaces what another program had put on
// the clipboard with the address, as a third program reads it.
TEST_F(PaletteX11Test, EmailClickReachesTheClipboard) {
    frmClip clip(system);
    clip.toggle(persons);
    ASSERT_TRUE(mapped("frmClip"));
    Child owner({"sh", "-c", "printf other | xclip -quiet -selection clipboard"}, x().environment(),
                x().dir() / "owner.log");
    ASSERT_TRUE(pumpUntil([&] { return clipboardText() == "other"; }, kWaitMs)) << clipboardText();

    ClipButton* email = clip.panel()->button(27);
    ASSERT_EQ(email->fullText().toStdString(), kSampleEmail);
    ASSERT_TRUE(clickAt(email->mapToGlobal(email->rect().center())));
    EXPECT_TRUE(pumpUntil([&] { return clipboardText() == kSampleEmail; }, kWaitMs)) << clipboardText();
}

// Tests that the window manager puts the floating window's frame at the stored place, and that
// closing it stores that same place again (it does not creep by its frame at each start).
TEST_F(PaletteX11Test, StoredPlaceRoundTrip) {
    ASSERT_TRUE(writeFloatPosition(system, 1500, 3000));
    {
        frmFloatMain floating(commands, system, 1);
        floating.load(persons);
        floating.show();
        ASSERT_TRUE(mapped("frmFloatMain"));
        EXPECT_EQ(floating.frameGeometry().topLeft(), QPoint(100, 200));
        floating.close();
    }
    EXPECT_EQ(commands.exits, 1);
    const FloatSettings stored = readFloatSettings(system);
    EXPECT_EQ(stored.leftTwips, 1500);
    EXPECT_EQ(stored.topTwips, 3000);
}

// Tests the windows as the user sees them at their right-edge places, with the persons' Japanese
// texts in a face that has them, and keeps screenshots of the palette and of the floating window
// unfolded and folded.
TEST_F(PaletteX11Test, WindowsAsTheUserSeesThem) {
    frmClip clip(system);
    clip.toggle(persons);
    ASSERT_TRUE(mapped("frmClip"));
    EXPECT_EQ(clip.frameGeometry().right(), testing::kScreenWidth - 1);
    EXPECT_EQ(clip.frameGeometry().top(), 33);
    ClipButton* name = clip.panel()->button(0);
    EXPECT_EQ(name->text(), QStringLiteral("山田　花子"));
    for (const QChar c : QStringLiteral("山田花子やまだヤマダ都"))
        EXPECT_TRUE(QFontMetrics(name->font()).inFont(c)) << QString(c).toStdString();
    ClipButton* phrase = clip.panel()->button(30);
    EXPECT_LT(phrase->shownCaption().size(), phrase->fullText().size());
    screenshot("palette.png");
    // The usage text as its message box shows it, closed once it has been looked at.
    bool helpShown = false;
    QTimer::singleShot(500, [&] {
        QWidget* box = QApplication::activeModalWidget();
        helpShown = box != nullptr;
        screenshot("palette_help.png");
        if (box != nullptr) box->close();
    });
    clip.findChild<QPushButton*>(QStringLiteral("cmdHelp"))->click();
    EXPECT_TRUE(helpShown);
    clip.close();

    frmFloatMain floating(commands, system, 1);
    floating.load(persons);
    floating.show();
    ASSERT_TRUE(mapped("frmFloatMain"));
    EXPECT_EQ(floating.frameGeometry().right(), testing::kScreenWidth - 1);
    EXPECT_EQ(floating.height(), 591);
    screenshot("floating_unfolded.png");
    floating.toggleClipBoard();
    pumpFor(300);
    EXPECT_EQ(floating.height(), 51);
    screenshot("floating_folded.png");
}

}  // namespace
}  // namespace orvex::palette::gui
