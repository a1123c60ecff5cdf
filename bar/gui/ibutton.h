#pragma once
// IButton, the bar's own button: a picture and a caption inside a three-dimensional frame,
// pressed-looking while the left button is held on it; it reports a left click (a release
// inside) and a right-button release. Its sixteen properties are Qt properties under their
// stored names, so the window that holds it stores and reads them by name.

#include <QFont>
#include <QIcon>
#include <QString>
#include <QWidget>

#include "bar/button/button_press.h"

class QLabel;

namespace orvex::bar::gui {

class IButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabledProperty)
    Q_PROPERTY(QFont Font READ Font WRITE setFontProperty)
    Q_PROPERTY(short BackStyle READ BackStyle WRITE setBackStyle)
    Q_PROPERTY(short BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(short BorderType READ BorderType WRITE setBorderType)
    Q_PROPERTY(short ButtonType READ ButtonType WRITE setButtonType)
    Q_PROPERTY(short Appearance READ Appearance WRITE setAppearance)
    Q_PROPERTY(short DrawMode READ DrawMode WRITE setDrawMode)
    Q_PROPERTY(short DrawStyle READ DrawStyle WRITE setDrawStyle)
    Q_PROPERTY(float FontSize READ FontSize WRITE setFontSize)
    Q_PROPERTY(QIcon Image READ Image WRITE setImage)
    Q_PROPERTY(QIcon Picture READ Picture WRITE setPicture)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(short TextAlign READ TextAlign WRITE setTextAlign)

  public:
    /// A raised button with every property at its default; its font is the container's.
    explicit IButton(QWidget* parent = nullptr);

    quint32 BackColor() const { return m_backColor; }
    quint32 ForeColor() const { return m_foreColor; }
    bool Enabled() const { return m_enabled; }
    QFont Font() const { return font(); }
    short BackStyle() const { return m_backStyle; }
    short BorderStyle() const { return m_borderStyle; }
    short BorderType() const { return m_borderType; }
    short ButtonType() const { return m_buttonType; }
    short Appearance() const { return m_appearance; }
    short DrawMode() const { return m_drawMode; }
    short DrawStyle() const { return m_drawStyle; }
    float FontSize() const { return m_fontSize; }
    QIcon Image() const { return m_image; }
    QIcon Picture() const { return m_picture; }
    QString Caption() const { return m_caption; }
    short TextAlign() const { return m_textAlign; }

    void setBackColor(quint32 v);
    void setForeColor(quint32 v);
    void setEnabledProperty(bool v);
    void setFontProperty(const QFont& v);
    void setBackStyle(short v);
    void setBorderStyle(short v);
    /// Chooses the deep (0) or thin (1) frame and redraws.
    void setBorderType(short v);
    /// 0: looks pressed while held; other values never look pressed. Redraws.
    void setButtonType(short v);
    void setAppearance(short v);
    void setDrawMode(short v);
    void setDrawStyle(short v);
    void setFontSize(float v);
    void setImage(const QIcon& v);
    /// Shows `v` in the picture element imgPicture (an empty icon shows nothing).
    void setPicture(const QIcon& v);
    /// Shows `v` in both caption labels and redraws.
    void setCaption(const QString& v);
    /// 0 left, 1 right, 2 centred; redraws.
    void setTextAlign(short v);

    /// Sets the tool tip of both caption labels and of the picture element (and of the button).
    void SetToolTipText(const QString& text);
    /// No effect.
    void Refresh() {}
    /// True while the button looks pressed.
    bool looksPressed() const { return m_press.pressed(); }
    /// Raises Click as a left press and release inside would (the press action of screen
    /// readers and other assistive tools).
    void press() { emit Click(); }

  signals:
    /// A left release inside the element that got it.
    void Click();
    /// A right-button release.
    void RightMenu();
    /// A stored property changed (all but Caption and TextAlign), under its stored name.
    void PropertyChanged(const QString& name);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Applies one mouse event received by `element` (the button or one of its parts).
    bool handleMouse(QWidget* element, QMouseEvent* event);
    void changed(const char* name);
    void relayout();
    void updateAccessibleName();

    QLabel* m_imgPicture;
    QLabel* m_lblCaption;
    QLabel* m_lblCaptionA;  // the caption as drawn while pressed
    button::ButtonPress m_press;

    quint32 m_backColor = 0;
    quint32 m_foreColor = 0;
    bool m_enabled = false;
    short m_backStyle = 0;
    short m_borderStyle = 0;
    short m_borderType = 0;
    short m_buttonType = 0;
    short m_appearance = 0;
    short m_drawMode = 0;
    short m_drawStyle = 0;
    float m_fontSize = 0;
    QIcon m_image;
    QIcon m_picture;
    QString m_caption;
    short m_textAlign = 0;
};

}  // namespace orvex::bar::gui
