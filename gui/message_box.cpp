#include "gui/message_box.h"

#include <QInputDialog>
#include <QMessageBox>

#include "gui/window_setup.h"

namespace orvex::gui {
namespace {

std::function<DialogAnswer(const DialogCall&)>& responder() {
    static std::function<DialogAnswer(const DialogCall&)> r;
    return r;
}

QString titleOr(const QString& title) {
    return title.isEmpty() ? QString::fromUtf16(kMessageTitle) : title;
}

}  // namespace

void setDialogResponderForTesting(std::function<DialogAnswer(const DialogCall&)> r) {
    responder() = std::move(r);
}

void showMessage(QWidget* parent, const QString& text, const QString& title) {
    if (responder()) {
        responder()({DialogKind::Message, titleOr(title), text, {}});
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, titleOr(title), text, QMessageBox::Ok, parent);
    setUpWindow(&box);
    box.exec();
}

bool askOkCancel(QWidget* parent, const QString& text, const QString& title) {
    if (responder()) return responder()({DialogKind::OkCancel, titleOr(title), text, {}}).accepted;
    QMessageBox box(QMessageBox::Question, titleOr(title), text, QMessageBox::Ok | QMessageBox::Cancel, parent);
    setUpWindow(&box);
    return box.exec() == QMessageBox::Ok;
}

std::optional<QString> askText(QWidget* parent, const QString& prompt, const QString& preset) {
    if (responder()) {
        const DialogAnswer a = responder()({DialogKind::Input, titleOr({}), prompt, preset});
        if (!a.accepted) return std::nullopt;
        return a.text;
    }
    QInputDialog dialog(parent);
    dialog.setWindowTitle(titleOr({}));
    dialog.setLabelText(prompt);
    dialog.setTextValue(preset);
    setUpWindow(&dialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue();
}

}  // namespace orvex::gui
