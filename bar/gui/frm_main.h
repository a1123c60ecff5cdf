#pragma once
// frmMain, the bar: a thin strip with the status picture, the person and link buttons, the hit
// counter, the "Auto" label and the menu picture. It draws what the bar's logic hands it
// (bar::BarView) and forwards every click to it; it decides nothing itself.

#include <functional>
#include <vector>

#include <QIcon>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "bar/bar_view.h"

class QLabel;
class QMenu;

namespace orvex::bar::gui {

class IButton;
class X11Dock;

/// What the bar's widgets report; implemented by the bar's logic (or a test).
class FrmMainInput {
  public:
    virtual ~FrmMainInput() = default;
    /// Person button `index` (from 0) was clicked.
    virtual void personClicked(int index) = 0;
    /// The link button of link `index` (in the collection) was clicked.
    virtual void linkClicked(int index) = 0;
    /// The menu was asked for: a right-button release on the bar or a button, or a click on the
    /// menu picture.
    virtual void menuRequested() = 0;
    /// The menu entry `entry` was chosen.
    virtual void menuChosen(MenuEntry entry) = 0;
    /// The "Auto" label was clicked.
    virtual void autoClicked() = 0;
    /// The status picture was clicked.
    virtual void statusClicked() = 0;
    /// "終了" of the window's template menus was chosen.
    virtual void templateExit() = 0;
};

class frmMain : public QWidget, public BarView {
    Q_OBJECT
  public:
    /// The bar with its fixed items, its pop-up menu's entries and the template menus, set up
    /// with the UI font and the string table; `input` may be set later.
    explicit frmMain(FrmMainInput* input = nullptr, QWidget* parent = nullptr);
    ~frmMain() override;

    void setInput(FrmMainInput* input) { m_input = input; }
    /// The docking that quit() undoes; may be null.
    void setDock(X11Dock* dock) { m_dock = dock; }
    /// Who opens the other parts' windows (the program, which knows them all); an empty function
    /// opens nothing. The links dialog with a new link goes through `links`.
    void setDialogOpeners(std::function<void(BarDialog)> dialogs,
                          std::function<void(const links::clsLink&)> links) {
        m_openDialog = std::move(dialogs);
        m_openLinks = std::move(links);
    }

    // ----- BarView -----
    void setStatusPicture(StatusPicture picture) override;
    void setStatusBoxPicture(int index) override;
    void setHitCount(const text::Text& text) override;
    void setStatusText(const text::Text& text) override;
    void setAutoLabel(bool on) override;
    void setPersonButtons(const std::vector<ButtonView>& buttons) override;
    void setLinkButtons(const std::vector<ButtonView>& buttons) override;
    void setLayout(const BarLayout& layout) override;
    void showMessage(const text::Text& message, const text::Text& title) override;
    bool askOkCancel(const text::Text& question, const text::Text& title) override;
    std::optional<text::Text> askText(const text::Text& prompt, const text::Text& preset,
                                      const text::Text& title) override;
    void showBusy(const text::Text& note) override;
    void hideBusy() override;
    void showMenu(const std::vector<MenuItem>& items) override;
    /// Through the openers the program set; nothing without them.
    void openDialog(BarDialog dialog) override;
    void openLinksDialog(const links::clsLink& newLink) override;
    void showAbout(const AboutInfo& info) override;
    void setFlash(bool on) override;
    void setAlwaysOnTop(bool on) override;
    void quit() override;

    /// The sizes the fixed items are drawn in (for the logic's layout).
    FixedItemSizes fixedItemSizes() const;
    /// The current status text (the status line).
    const QString& statusText() const { return m_statusText; }
    /// True while the flash highlight is on.
    bool flashOn() const { return m_flashOn; }
    /// The status picture shown now.
    StatusPicture statusPicture() const { return m_statusPicture; }

  Q_SIGNALS:
    /// The status picture changed (for probes of the program's responsiveness).
    void statusPictureChanged(StatusPicture picture);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildTemplateMenus();
    void fillMenu(const std::vector<MenuItem>& items);
    void replaceButtons(std::vector<QPointer<IButton>>& buttons, const std::vector<ButtonView>& views,
                        bool persons);
    void showStatusPicture();
    template <typename F>
    void forward(F&& call);

    FrmMainInput* m_input;
    X11Dock* m_dock = nullptr;
    std::function<void(BarDialog)> m_openDialog;
    std::function<void(const links::clsLink&)> m_openLinks;
    QLabel* m_imgStatus;
    QLabel* m_picStatus;
    QLabel* m_lblHitCnt;
    QLabel* m_lblAuto;
    QLabel* m_imgMenu;
    QMenu* m_mnuRight;
    QMenu* m_templateMenus;
    QWidget* m_busy = nullptr;
    std::vector<QPointer<IButton>> m_users;
    std::vector<QPointer<IButton>> m_links;
    StatusPicture m_statusPicture;
    int m_statusBoxPicture = 0;
    QString m_statusText;
    std::vector<PaintLine> m_lines;
    bool m_flashOn = false;
};

}  // namespace orvex::bar::gui
