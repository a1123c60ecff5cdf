#pragma once
// For the palette's widget tests: persons made in code, a recorder of the program's dialogs, and
// the widgets of a window by name. Header-only; used by test executables only.

#include <memory>
#include <string>
#include <vector>

#include <QAccessible>
#include <QString>
#include <QWidget>

#include "gui/message_box.h"
#include "palette/data_buttons.h"
#include "palette/float_commands.h"
#include "palette/gui/clip_button.h"
#include "palette/gui/clip_panel.h"

namespace orvex::palette::gui::testing {

inline std::shared_ptr<const fill::clsUserInfo> person(const char16_t* display, const char16_t* name2,
                                                       const char16_t* email1 = u"") {
    auto p = std::make_shared<fill::clsUserInfo>();
    p->Name1 = u"山田";
    p->Name2 = name2;
    p->NameKana1 = u"やまだ";
    p->Email1 = email1;
    p->Email2 = u"example.jp";
    p->DisplayName = display;
    return p;
}

// Records the commands the window gives.
class FakeCommands final : public FloatCommands {
  public:
    void fillWithPerson(int position) override { filled.push_back(position); }
    void recordCurrentPage() override { ++records; }
    void openHomePage() override { ++homePages; }
    void showMenu() override { ++menus; }
    bool toggleAutoInput() override { return on = !on; }
    bool autoInput() const override { return on; }
    void exit() override { ++exits; }

    std::vector<int> filled;
    int records = 0, homePages = 0, menus = 0, exits = 0;
    bool on = true;
};

/// Answers every dialog with `answer` and keeps what was asked; routes dialogs back to the
/// screen when it goes.
class DialogRecorder {
  public:
    DialogRecorder() {
        orvex::gui::setDialogResponderForTesting([this](const orvex::gui::DialogCall& call) {
            calls.push_back(call);
            return answer;
        });
    }
    ~DialogRecorder() { orvex::gui::setDialogResponderForTesting({}); }
    DialogRecorder(const DialogRecorder&) = delete;
    DialogRecorder& operator=(const DialogRecorder&) = delete;

    orvex::gui::DialogAnswer answer;
    std::vector<orvex::gui::DialogCall> calls;
};

/// The object names of the controls of `window` (widgets with an object name) that screen readers
/// would find without a name.
inline std::vector<std::string> unnamedControls(QWidget& window) {
    std::vector<std::string> unnamed;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"))) continue;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
        if (face == nullptr || face->text(QAccessible::Name).isEmpty())
            unnamed.push_back(w->objectName().toStdString());
    }
    return unnamed;
}

}  // namespace orvex::palette::gui::testing
