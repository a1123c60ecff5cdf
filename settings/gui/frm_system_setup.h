#pragma once
// frmSystemSetup, the system settings dialog ("システム設定"): the bar's position, the person
// buttons' shape and the greeting message of "system.ini". The values and what OK writes live in
// settings::SystemSetup; the window shows the options and forwards the clicks.

#include <array>
#include <functional>
#include <vector>

#include <QDialog>

#include "settings/system_setup.h"

class QRadioButton;

namespace orvex::settings::gui {

class frmSystemSetup : public QDialog {
    Q_OBJECT
  public:
    /// The dialog loaded with `saved` (the values the bar read from "system.ini"), centred on the
    /// screen and set up with the UI font; it stays hidden until shown.
    explicit frmSystemSetup(const BarSettings& saved, QWidget* parent = nullptr);

    /// Runs after an OK that changed "UserButtonType", with the values now stored.
    void setOnButtonTypeChanged(std::function<void(const BarSettings&)> f) { m_onButtonTypeChanged = std::move(f); }

    const SystemSetup& model() const { return m_model; }

  public slots:
    /// OK: writes the changed keys; a failed write is reported and the dialog stays; otherwise the
    /// bar rebuilds its buttons when their shape changed and the dialog hides.
    void accept() override;
    /// Cancel (cmdCalcel): hides without writing; the options show the saved values again.
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void showChosen();

    SystemSetup m_model;
    std::function<void(const BarSettings&)> m_onButtonTypeChanged;
    std::array<std::vector<QRadioButton*>, 3> m_options;
    bool m_centred = false;
};

}  // namespace orvex::settings::gui
