#pragma once
// frmSetupMain, the person setup dialog: ten persons on the tab "個人情報" and ten address records
// on the tab "住所". What the controls hold and what is written lives in fill::setup::PersonSetup;
// the window draws it, forwards every change and asks the questions.

#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include <QDialog>
#include <QIcon>

#include "fill/setup/person_setup.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabBar;

namespace orvex::fill::gui {

/// The built-in person pictures that the icon choice steps through (the bar's imgUserIcon).
struct BuiltInIcons {
    std::function<QIcon(int)> icon;  ///< picture `counter`; empty: no picture
    int count = 0;                   ///< how many there are
};

class frmSetupMain : public QDialog {
    Q_OBJECT
  public:
    /// The dialog over "userdata.ini" in `dataDir`, loaded, centred on the screen and set up with
    /// the UI font; person 0 and address 0 shown. A file that cannot be read leaves the records
    /// empty.
    frmSetupMain(std::filesystem::path dataDir, BuiltInIcons icons, QWidget* parent = nullptr);

    /// Runs after every successful save, before the dialog closes.
    void setAfterSave(std::function<void()> afterSave) { m_afterSave = std::move(afterSave); }

    /// The records as the dialog holds them (what is shown is stored when switching and at OK).
    const setup::PersonSetup& records() const { return m_setup; }

  public slots:
    /// OK: keeps what is shown, asks when no person is visible (OK there goes back to the
    /// dialog), writes all records; a failed write is reported and the dialog stays open.
    void accept() override;
    /// Cancel, Escape or closing the window: asks, and closes without writing on OK.
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QWidget* buildPersonFrame();
    QWidget* buildAddressFrame();
    QLineEdit* textBox(const char* name, int width);
    void fillLists();
    void showPerson(const setup::PersonControls& c);
    void showAddress(const setup::AddressControls& c);
    setup::PersonControls shownPerson() const;
    setup::AddressControls shownAddress() const;
    void rewriteAddressLines();
    void personChosen(int index);
    void addressChosen(int index);
    void tabChosen(int tab);
    void showIcon();

    std::filesystem::path m_dataDir;
    BuiltInIcons m_icons;
    setup::PersonSetup m_setup;
    std::function<void()> m_afterSave;
    // Set while the dialog fills its own controls: the change handlers stay quiet.
    bool m_filling = true;
    int m_tab = setup::kPersonTab;
    int m_iconCounter = 0;
    bool m_centred = false;

    QTabBar* m_cmdTab = nullptr;
    QStackedWidget* m_frames = nullptr;
    QComboBox* m_cmbPerson = nullptr;
    QCheckBox* m_chkVisible = nullptr;
    QComboBox* m_cmbSex = nullptr;
    QComboBox* m_cmbMarriage = nullptr;
    QComboBox* m_cmbJob1 = nullptr;
    QComboBox* m_cmbJob2 = nullptr;
    QComboBox* m_cmbAddress = nullptr;
    QRadioButton* m_optIcon[2] = {nullptr, nullptr};
    QPushButton* m_cmdNextIcon = nullptr;
    QLabel* m_imgIcon = nullptr;
    QComboBox* m_cmbAddressSel = nullptr;
    QComboBox* m_cmbPref = nullptr;
    std::map<std::string, QLineEdit*> m_boxes;
};

}  // namespace orvex::fill::gui
