#pragma once
// frmLinks, the links dialog ("URL編集"): the list of links with the selected link's fields.
// The working collection and its rules live in links::LinksDialog; the window draws them,
// forwards every change and asks the questions.

#include <functional>
#include <optional>

#include <QDialog>

#include "links/links_dialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace orvex::links::gui {

class frmLinks : public QDialog {
    Q_OBJECT
  public:
    /// The dialog over copies of `barLinks` and, when given, `NewLink` (selected); centred on the
    /// screen and set up with the UI font. `browserCaption` names the built-in browser link.
    frmLinks(const LinkCollection& barLinks, const std::optional<clsLink>& NewLink,
             text::TextView browserCaption = {}, QWidget* parent = nullptr);

    /// Receives the working collection after OK stored every link.
    void setOnStored(std::function<void(LinkCollection)> onStored) { m_onStored = std::move(onStored); }

    const LinksDialog& model() const { return m_model; }

  public slots:
    /// "閉じる": writes every link in its order; a failed write is reported and the dialog stays
    /// open; otherwise the collection goes to the receiver and the dialog closes.
    void accept() override;

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void fillList();
    void lineChosen(int line);
    void showSelected();
    void addLink();
    void deleteLink();
    void moveSelected(bool up);

    LinksDialog m_model;
    std::function<void(LinkCollection)> m_onStored;
    // Set while the dialog changes its own controls: the change handlers do nothing.
    bool m_suppress = true;
    bool m_centred = false;

    QListWidget* m_lstLinks = nullptr;
    QLineEdit* m_txtName = nullptr;
    QLineEdit* m_txtURL = nullptr;
    QComboBox* m_cmbInputMode = nullptr;
    QRadioButton* m_optButtonType[4] = {};
    QLineEdit* m_txtIconFileName = nullptr;
    QLineEdit* m_txtBitMapFileName = nullptr;
    QCheckBox* m_chkVisible = nullptr;
    QPushButton* m_cmdDelete = nullptr;
    QPushButton* m_cmdUp = nullptr;
    QPushButton* m_cmdDown = nullptr;
};

}  // namespace orvex::links::gui
