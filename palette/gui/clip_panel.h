#pragma once
// The clipboard part of the palette windows: the 35 buttons of a ClipButtons model, with the
// hidden label (lblLenTest) the captions are measured with. A click puts the button's full text
// on the clipboard; a right release over a phrase button asks for a new phrase and stores it.

#include <array>

#include <QWidget>

#include "palette/clip_buttons.h"

class QLabel;

namespace orvex::palette::gui {

class ClipButton;

class ClipPanel : public QWidget {
    Q_OBJECT
  public:
    /// The part for `model`, which must outlive it; the buttons show "-" until refresh().
    ClipPanel(ClipButtons& model, QWidget* parent);

    /// Shows the model's texts: every caption fitted to its button, the full texts as tool tips
    /// and accessible names.
    void refresh();
    /// Button `index` (0 to 34); null for an index out of range.
    ClipButton* button(int index) const;

  signals:
    /// A button's text went on the clipboard.
    void copied(int index);

  private:
    void copy(int index);
    void editPhrase(int index);
    void showButton(int index);

    ClipButtons& m_model;
    QLabel* m_lenTest;
    std::array<ClipButton*, kButtonCount> m_buttons{};
};

}  // namespace orvex::palette::gui
