#include "palette/gui/clip_button.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>

#include "gui/qt_text.h"
#include "palette/palette_texts.h"

namespace orvex::palette::gui {

ClipButton::ClipButton(int index, QWidget* parent) : QPushButton(parent), m_index(index) {
    setObjectName(QString::fromLatin1(kTextButtonsName));
    setProperty("Index", index);
    setText(orvex::gui::toQt(kInitialCaption));
    // The browser, not the palette, should keep the keyboard while the user works in it.
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QPushButton::clicked, this, [this] { emit copyRequested(m_index); });
}

void ClipButton::setTexts(const QString& fullText, const QString& caption) {
    m_fullText = fullText;
    setToolTip(fullText);
    // A single "&" would mark a mnemonic and vanish from the caption.
    QString shown = caption;
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    setText(shown);
}

QString ClipButton::shownCaption() const {
    QString caption = text();
    caption.replace(QStringLiteral("&&"), QStringLiteral("&"));
    return caption;
}

QMimeData* ClipButton::dragData() const {
    if (m_fullText.isEmpty()) return nullptr;
    auto* data = new QMimeData;
    data->setText(m_fullText);
    return data;
}

void ClipButton::mousePressEvent(QMouseEvent* event) {
    m_dragArmed = event->button() == Qt::LeftButton;
    m_pressPos = event->position().toPoint();
    QPushButton::mousePressEvent(event);
}

void ClipButton::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragArmed && (event->buttons() & Qt::LeftButton) &&
        (event->position().toPoint() - m_pressPos).manhattanLength() >= QApplication::startDragDistance()) {
        m_dragArmed = false;
        QMimeData* data = dragData();
        if (data == nullptr) return;
        // A drag is not a click: the button lets go before the drag takes the mouse.
        setDown(false);
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        drag->exec(Qt::CopyAction, Qt::CopyAction);
        return;
    }
    QPushButton::mouseMoveEvent(event);
}

void ClipButton::mouseReleaseEvent(QMouseEvent* event) {
    m_dragArmed = false;
    if (event->button() == Qt::RightButton && rect().contains(event->position().toPoint())) {
        event->accept();
        emit rightReleased(m_index);
        return;
    }
    QPushButton::mouseReleaseEvent(event);
}

}  // namespace orvex::palette::gui
