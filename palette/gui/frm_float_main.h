#pragma once
// frmFloatMain, the floating window ("Orvex2000") that stands in for the bar when BarMode is not
// 0: the person list, "<< 入力", the record button, the home-page and menu pictures, "Auto", the
// help button, and the clipboard part, which folds away. Its commands go to the bar's routines
// (FloatCommands); closing it stores its position (unless it is minimised) and ends the program.

#include <filesystem>

#include <QWidget>

#include "palette/clip_buttons.h"
#include "palette/float_commands.h"

class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;

namespace orvex::palette::gui {

class ClipPanel;
class RightEdgePlacer;

// The BarMode that keeps the floating window above all others.
inline constexpr int kBarModeOnTop = 2;

class frmFloatMain : public QWidget {
    Q_OBJECT
  public:
    /// The window for `commands` (which must outlive it), its state and phrases in `systemFile`,
    /// kept on top when `barMode` is kBarModeOnTop; nothing is shown until load().
    frmFloatMain(FloatCommands& commands, std::filesystem::path systemFile, int barMode,
                 QWidget* parent = nullptr);

    /// Loads the window: the stored position when it lies on the screen, else the right edge 500
    /// twips from the top; set up with the UI font and accessible names; the phrases, the persons
    /// (the first chosen), the "Auto" label, and the height for the stored "ShowClipBoard".
    void load(const Persons& persons);
    /// Refills the person list (the setup dialog's OK): the first person is chosen.
    void setPersons(const Persons& persons);
    /// Folds the clipboard part away or unfolds it, and stores the choice under "ShowClipBoard".
    void toggleClipBoard();
    /// Shows the state of automatic input on the "Auto" label: green while on.
    void setAutoLabel(bool on);

    bool clipBoardShown() const { return m_clipBoardShown; }
    const ClipButtons& model() const { return m_model; }
    ClipPanel* panel() const { return m_panel; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void personChosen(int position);
    void input();
    void record();
    void applyHeight();

    FloatCommands& m_commands;
    std::filesystem::path m_systemFile;
    ClipButtons m_model;
    bool m_clipBoardShown = true;
    bool m_closing = false;
    QComboBox* m_cmbUsers;
    QPushButton* m_cmdInput;
    QPushButton* m_cmdRec;
    QPushButton* m_cmdHelp;
    QToolButton* m_imgHomePage;
    QToolButton* m_imgMenu;
    QLabel* m_lblAuto;
    ClipPanel* m_panel;
    RightEdgePlacer* m_placer;
};

}  // namespace orvex::palette::gui
