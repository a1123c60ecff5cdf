#pragma once
// frmZolvanSetup, the advanced settings dialog ("Zolvan設定"): one panel at a time, chosen in a
// list or stepped through, each choice stored at once. The settings and their storing live in
// settings::ZolvanSetup; the window shows the panels, forwards the clicks and times the reading
// of the browser's position.

#include <array>
#include <functional>
#include <optional>
#include <vector>

#include <QDialog>

#include "settings/zolvan_setup.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTimer;

namespace orvex::settings::gui {

/// What the dialog needs of the bar to take the browser's position: opening the first page in a
/// new window filled on request, and reading the current browser window's place (the answer may
/// come later, or never; nothing when there is no window).
struct BrowserPositionSource {
    std::function<void()> openPage;
    std::function<void(std::function<void(std::optional<BrowserPosition>)>)> read;
};

class frmZolvanSetup : public QDialog {
    Q_OBJECT
  public:
    /// The dialog over the globals `g`, 323 pixels (4845 twips) wide, centred on the screen, panel
    /// 0 shown, the options chosen from the globals.
    frmZolvanSetup(Globals& g, BrowserPositionSource source, QWidget* parent = nullptr);

    const ZolvanSetup& model() const { return m_model; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void panelChosen(int panel);
    void optionClicked(ZolvanPanel panel, int index);
    void textTyped(ZolvanPanel panel, const QString& text);
    void showPosition();
    void takePosition();
    void positionTick();
    void updatePosition();

    ZolvanSetup m_model;
    BrowserPositionSource m_source;
    // A text box that could not be stored says so once, not at every key.
    bool m_textFailureShown = false;
    bool m_centred = false;
    QComboBox* m_cmbSetup = nullptr;
    QStackedWidget* m_panels = nullptr;
    std::array<std::vector<QRadioButton*>, kZolvanPanelCount> m_options;
    QLabel* m_lblConstPos = nullptr;
    QPushButton* m_cmdNewPos = nullptr;
    QPushButton* m_cmdUpdatePos = nullptr;
    QTimer* m_timInterval = nullptr;
};

}  // namespace orvex::settings::gui
