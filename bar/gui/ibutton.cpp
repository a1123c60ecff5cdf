#include "bar/gui/ibutton.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include "bar/button/button_frame.h"
#include "bar/button/button_layout.h"
#include "bar/button/button_properties.h"

namespace orvex::bar::gui {
namespace {

QColor qColor(const button::Rgb& c) { return QColor(c.r, c.g, c.b); }

Qt::Alignment qAlign(button::CaptionAlign a) {
    switch (a) {
        case button::CaptionAlign::Right: return Qt::AlignRight | Qt::AlignVCenter;
        case button::CaptionAlign::Center: return Qt::AlignHCenter | Qt::AlignVCenter;
        case button::CaptionAlign::Left: break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

QRect qRect(const button::Box& b) { return QRect(b.x, b.y, b.width, b.height); }

// To assistive tools the control is a push button whose press action clicks it.
class IButtonAccessible final : public QAccessibleWidget {
  public:
    explicit IButtonAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Button) {
        addControllingSignal(QStringLiteral("Click()"));
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction()) static_cast<IButton*>(widget())->press();
    }
};

QAccessibleInterface* accessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("orvex::bar::gui::IButton") && object != nullptr && object->isWidgetType())
        return new IButtonAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

}  // namespace

IButton::IButton(QWidget* parent)
    : QWidget(parent),
      m_imgPicture(new QLabel(this)),
      m_lblCaption(new QLabel(this)),
      m_lblCaptionA(new QLabel(this)) {
    static const bool factoryInstalled = (QAccessible::installFactory(accessibleFactory), true);
    (void)factoryInstalled;
    m_imgPicture->setObjectName(QStringLiteral("imgPicture"));
    m_lblCaption->setObjectName(QStringLiteral("lblCaption"));
    m_lblCaptionA->setObjectName(QStringLiteral("lblCaptionA"));
    // The picture keeps its own mouse events, so a press on it is tested against its own size.
    // The two caption labels take turns (lblCaptionA is the one drawn while pressed), and a
    // label hidden under the mouse would lose the release: they let the button's surface
    // receive the mouse instead.
    m_imgPicture->installEventFilter(this);
    for (QLabel* label : {m_lblCaption, m_lblCaptionA}) label->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_lblCaptionA->hide();
    setAttribute(Qt::WA_Hover, false);
    setFocusPolicy(Qt::NoFocus);
    relayout();
}

void IButton::changed(const char* name) {
    const auto property = button::propertyNamed(name);
    if (!property) return;
    const button::PropertyRow& row = button::propertyRow(*property);
    if (row.redraws) {
        relayout();
        update();
    }
    if (row.reportsChange) emit PropertyChanged(QString::fromLatin1(name));
}

void IButton::setBackColor(quint32 v) { m_backColor = v; changed("BackColor"); }
void IButton::setForeColor(quint32 v) { m_foreColor = v; changed("ForeColor"); }
void IButton::setEnabledProperty(bool v) { m_enabled = v; changed("Enabled"); }
void IButton::setFontProperty(const QFont& v) { setFont(v); relayout(); changed("Font"); }
void IButton::setBackStyle(short v) { m_backStyle = v; changed("BackStyle"); }
void IButton::setBorderStyle(short v) { m_borderStyle = v; changed("BorderStyle"); }
void IButton::setBorderType(short v) { m_borderType = v; changed("BorderType"); }
void IButton::setButtonType(short v) { m_buttonType = v; changed("ButtonType"); }
void IButton::setAppearance(short v) { m_appearance = v; changed("Appearance"); }
void IButton::setDrawMode(short v) { m_drawMode = v; changed("DrawMode"); }
void IButton::setDrawStyle(short v) { m_drawStyle = v; changed("DrawStyle"); }
void IButton::setFontSize(float v) { m_fontSize = v; changed("FontSize"); }
void IButton::setImage(const QIcon& v) { m_image = v; changed("Image"); }
void IButton::setPicture(const QIcon& v) {
    m_picture = v;
    relayout();
    changed("Picture");
}
void IButton::setCaption(const QString& v) {
    m_caption = v;
    m_lblCaption->setText(v);
    m_lblCaptionA->setText(v);
    updateAccessibleName();
    changed("Caption");
}
void IButton::setTextAlign(short v) { m_textAlign = v; changed("TextAlign"); }

void IButton::SetToolTipText(const QString& text) {
    m_lblCaption->setToolTip(text);
    m_lblCaptionA->setToolTip(text);
    m_imgPicture->setToolTip(text);
    setToolTip(text);
    updateAccessibleName();
}

void IButton::updateAccessibleName() {
    setAccessibleName(m_caption.isEmpty() ? toolTip() : m_caption);
}

void IButton::relayout() {
    const bool pressed = m_press.pressed();
    const button::ButtonLayout layout = button::layoutButton(
        width(), height(), !m_picture.isNull(), !m_caption.isEmpty(), m_textAlign, pressed);
    m_imgPicture->setVisible(!m_picture.isNull());
    if (!m_picture.isNull()) {
        m_imgPicture->setGeometry(qRect(layout.picture));
        // Rendered for the screen's pixel density, so an SVG picture stays sharp at 2x.
        const QSize size(layout.picture.width, layout.picture.height);
        m_imgPicture->setPixmap(m_picture.pixmap(size, devicePixelRatioF()));
    }
    const bool captionShown = !m_caption.isEmpty() && layout.caption.width > 0;
    QLabel* shown = pressed ? m_lblCaptionA : m_lblCaption;
    QLabel* hidden = pressed ? m_lblCaption : m_lblCaptionA;
    hidden->hide();
    shown->setVisible(captionShown);
    shown->setGeometry(qRect(layout.caption));
    // A caption longer than its room ends in "…" instead of being cut off.
    shown->setText(shown->fontMetrics().elidedText(m_caption, Qt::ElideRight, layout.caption.width));
    shown->setAlignment(qAlign(layout.align));
}

void IButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().button());
    for (const button::PixelLine& l : button::frameLines(width(), height(), m_press.pressed(), m_borderType)) {
        painter.setPen(qColor(l.colour));
        // The tabled lines stop short of their second end.
        if (l.x1 == l.x2)
            painter.drawLine(l.x1, l.y1, l.x2, l.y2 - 1);
        else
            painter.drawLine(l.x1, l.y1, l.x2 - 1, l.y2);
    }
}

void IButton::resizeEvent(QResizeEvent*) { relayout(); }

bool IButton::handleMouse(QWidget* element, QMouseEvent* event) {
    button::PressOutcome out;
    const QPoint at = event->position().toPoint();
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        if (event->button() != Qt::LeftButton) return true;
        out = m_press.leftDown(m_buttonType);
    } else if (event->type() == QEvent::MouseButtonRelease) {
        if (event->button() == Qt::LeftButton)
            out = m_press.leftUp(m_buttonType, at.x(), at.y(), element->width(), element->height());
        else if (event->button() == Qt::RightButton)
            out = m_press.rightUp();
        else
            return true;
    } else {
        return false;
    }
    if (out.redraw) {
        relayout();
        update();
    }
    // A handler may delete the button (the bar rebuilds its buttons): nothing after the signal.
    if (out.click) emit Click();
    else if (out.rightMenu) emit RightMenu();
    return true;
}

void IButton::mousePressEvent(QMouseEvent* event) { handleMouse(this, event); }
void IButton::mouseReleaseEvent(QMouseEvent* event) { handleMouse(this, event); }

bool IButton::eventFilter(QObject* watched, QEvent* event) {
    auto* element = qobject_cast<QWidget*>(watched);
    if (element == nullptr || element->parentWidget() != this) return QWidget::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
            return handleMouse(element, static_cast<QMouseEvent*>(event));
        default:
            return QWidget::eventFilter(watched, event);
    }
}

}  // namespace orvex::bar::gui
