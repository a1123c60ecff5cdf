#pragma once
// One button of the clipboard part (cmdText(i)): it shows a caption shortened to fit and keeps
// the full text as its tool tip. A click asks for the full text to be copied; pressing the left
// button and moving carries the full text away as plain text (a drag into a browser input enters
// it there); a right release is reported for phrase editing.

#include <QPoint>
#include <QPushButton>
#include <QString>

class QMimeData;

namespace orvex::palette::gui {

// Object name of every button of the clipboard part; its "Index" property tells which one.
inline constexpr char kTextButtonsName[] = "cmdText";

class ClipButton : public QPushButton {
    Q_OBJECT
  public:
    /// Button `index` (0 to 34) with the caption "-" and no text.
    ClipButton(int index, QWidget* parent);

    int index() const { return m_index; }
    /// The full text: what a click copies and a drag carries (also the tool tip).
    const QString& fullText() const { return m_fullText; }
    /// Sets the full text and shows `caption` (already shortened; "&" is shown as it is).
    void setTexts(const QString& fullText, const QString& caption);
    /// The caption as shown, without the doubled "&" that keeps it from being a mnemonic.
    QString shownCaption() const;

    /// What a drag of this button carries: the full text as text/plain; null when it is empty.
    QMimeData* dragData() const;

  signals:
    /// A click (press and release without a drag): the full text is to go on the clipboard.
    void copyRequested(int index);
    /// The right button was released over the button.
    void rightReleased(int index);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    int m_index;
    QString m_fullText;
    QPoint m_pressPos;
    bool m_dragArmed = false;
};

}  // namespace orvex::palette::gui
