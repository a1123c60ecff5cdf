#pragma once
// The program's message boxes and input boxes, all titled with the product name. Tests answer
// them through a responder instead of a person, so no dialog waits for input there.

#include <functional>
#include <optional>

#include <QString>

class QWidget;

namespace orvex::gui {

// The title of every message box and input box.
inline constexpr char16_t kMessageTitle[] = u"Orvex2000";

enum class DialogKind { Message, OkCancel, Input };

/// One dialog as a responder sees it.
struct DialogCall {
    DialogKind kind = DialogKind::Message;
    QString title;
    QString text;
    QString preset;  // the preset answer of an input box
};

/// A responder's answer: `accepted` is OK (or the only button); `text` the input box's answer.
struct DialogAnswer {
    bool accepted = true;
    QString text;
};

/// Routes every following dialog to `responder` instead of showing it; an empty function shows
/// dialogs again.
void setDialogResponderForTesting(std::function<DialogAnswer(const DialogCall&)> responder);

/// Shows `text` with an OK button under `title` (the product name when empty); returns when it
/// is closed.
void showMessage(QWidget* parent, const QString& text, const QString& title = {});

/// Asks `text` with OK and Cancel; true for OK, false for Cancel or a closed box.
bool askOkCancel(QWidget* parent, const QString& text, const QString& title = {});

/// Asks for a line of text with `preset` filled in; the answer, or nothing for Cancel.
std::optional<QString> askText(QWidget* parent, const QString& prompt, const QString& preset);

}  // namespace orvex::gui
