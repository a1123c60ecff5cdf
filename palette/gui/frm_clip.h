#pragma once
// frmClip, the clipboard palette ("Orvex2000 Clipboard"): the person list, the help button and
// the clipboard part with its 35 buttons. The bar opens and closes it; each opening loads it
// afresh (place, phrases, persons).

#include <filesystem>

#include <QWidget>

#include "palette/clip_buttons.h"

class QComboBox;
class QPushButton;

namespace orvex::palette::gui {

class ClipPanel;
class RightEdgePlacer;

// The palette windows have a fixed size: a title with the system menu, minimise and close, but
// nothing to maximise.
inline constexpr Qt::WindowFlags kPaletteWindowFlags =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;

class frmClip : public QWidget {
    Q_OBJECT
  public:
    /// The palette, its phrases in `systemFile`; nothing is shown until load().
    explicit frmClip(std::filesystem::path systemFile, QWidget* parent = nullptr);

    /// Loads the window: at the right edge of its screen, 500 twips from the top, set up with the
    /// UI font and accessible names, the phrases read, the persons listed (the first chosen).
    void load(const Persons& persons);
    /// Opens the palette (loaded and shown) when it is closed, closes it when it is open.
    void toggle(const Persons& persons);
    /// Lists `persons` again (the first chosen); the phrases stay.
    void setPersons(const Persons& persons);

    const ClipButtons& model() const { return m_model; }
    ClipPanel* panel() const { return m_panel; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void personChosen(int position);

    ClipButtons m_model;
    QComboBox* m_cmbUsers;
    QPushButton* m_cmdHelp;
    ClipPanel* m_panel;
    RightEdgePlacer* m_placer;
};

/// Fills `list` with the model's person names and selects the model's choice, without reporting
/// the change as a choice of the user.
void fillPersonList(QComboBox* list, const ClipButtons& model);

}  // namespace orvex::palette::gui
