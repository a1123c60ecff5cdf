#include "palette/gui/clip_panel.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>

#include "bar/bar_texts.h"
#include "gui/message_box.h"
#include "gui/qt_text.h"
#include "palette/caption_fit.h"
#include "palette/clip_layout.h"
#include "palette/gui/clip_button.h"
#include "palette/palette_texts.h"

namespace orvex::palette::gui {

using orvex::gui::fromQt;
using orvex::gui::toQt;

ClipPanel::ClipPanel(ClipButtons& model, QWidget* parent)
    : QWidget(parent), m_model(model), m_lenTest(new QLabel(this)) {
    setObjectName(QStringLiteral("picClip"));
    setAccessibleName(QStringLiteral("Clipboard"));
    setFixedSize(kWindowWidth, kClipPartHeight);
    m_lenTest->setObjectName(QStringLiteral("lblLenTest"));
    m_lenTest->setAccessibleName(toQt(kLenTestName));
    m_lenTest->hide();
    for (int i = 0; i < kButtonCount; ++i) {
        auto* b = new ClipButton(i, this);
        const Rect r = clipButtonRect(i);
        b->setGeometry(r.x, r.y, r.width, r.height);
        b->setAccessibleName(toQt(buttonLabel(i)));
        b->setAccessibleDescription(toQt(buttonLabel(i)));
        connect(b, &ClipButton::copyRequested, this, &ClipPanel::copy);
        connect(b, &ClipButton::rightReleased, this, &ClipPanel::editPhrase);
        m_buttons[i] = b;
    }
}

ClipButton* ClipPanel::button(int index) const {
    return index >= 0 && index < kButtonCount ? m_buttons[index] : nullptr;
}

void ClipPanel::refresh() {
    for (int i = 0; i < kButtonCount; ++i) showButton(i);
}

void ClipPanel::showButton(int index) {
    ClipButton* b = m_buttons[index];
    // The measuring label draws in the buttons' font, so what it measures is what they show.
    m_lenTest->setFont(b->font());
    const QFontMetrics metrics = m_lenTest->fontMetrics();
    const text::Text caption = fitCaption(m_model.captionSource(index), b->width(), [&](text::TextView s) {
        return metrics.horizontalAdvance(toQt(s));
    });
    const QString full = toQt(m_model.fullText(index));
    b->setTexts(full, toQt(caption));
    b->setAccessibleName(full.isEmpty() ? toQt(buttonLabel(index)) : full);
}

void ClipPanel::copy(int index) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(toQt(m_model.fullText(index)));
    emit copied(index);
}

void ClipPanel::editPhrase(int index) {
    if (!isPhraseButton(index)) return;
    const auto answer = orvex::gui::askText(window(), toQt(kPhrasePrompt), toQt(m_model.fullText(index)));
    // A cancelled prompt answers with nothing, which is stored as an empty phrase.
    const auto change = m_model.setPhrase(index, answer ? fromQt(*answer) : text::Text());
    showButton(index);
    if (change && !change->stored) orvex::gui::showMessage(window(), toQt(bar::kSettingNotStoredMessage));
}

}  // namespace orvex::palette::gui
