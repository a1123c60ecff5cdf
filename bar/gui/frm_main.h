#pragma once
// frmMain, the bar: a thin strip with the status picture, the person and link buttons, the hit
// counter, the "Auto" label and the menu picture. It draws what the bar's logic tells it and
// forwards every click to it; it decides nothing itself.

#include <memory>
#include <vector>

#include <QIcon>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include "bar/gui/pictures.h"

class QLabel;
class QMenu;
class QAction;

namespace orvex::bar::gui {

class IButton;

/// What the bar's widgets report; implemented by the bar's logic (or a test).
class FrmMainInput {
  public:
    virtual ~FrmMainInput() = default;
    /// Person button `index` (from 0) was clicked.
    virtual void personClicked(int index) = 0;
    /// Link button `index` (from 0) was clicked.
    virtual void linkClicked(int index) = 0;
    /// The menu was asked for: a right-button release on the bar or a link button, or a click
    /// on the menu picture.
    virtual void menuRequested() = 0;
    /// The menu entry with object name `name` was chosen.
    virtual void menuChosen(const QString& name) = 0;
    /// The "Auto" label was clicked.
    virtual void autoClicked() = 0;
    /// The status picture was clicked.
    virtual void statusClicked() = 0;
};

/// One person or link button as the logic lays it out.
struct BarButtonSpec {
    QString caption;
    QString toolTip;
    QIcon picture;
    QRect geometry;  // in the bar's pixels
    short buttonType = 0;
};

/// The fixed items' places.
struct FixedItemsSpec {
    QRect statusPicture;
    QRect hitCount;
    QRect autoLabel;
    QRect menuPicture;
};

class frmMain : public QWidget {
    Q_OBJECT
  public:
    /// The bar with its fixed items, the empty pop-up menu and the template menus, set up with
    /// the UI font and the string table; `input` may be set later.
    explicit frmMain(FrmMainInput* input = nullptr, QWidget* parent = nullptr);
    ~frmMain() override;

    void setInput(FrmMainInput* input) { m_input = input; }

    // ----- what the logic shows -----
    /// Shows picture `index` of a status set in imgStatus.
    void setStatusPicture(StatusPicture set, int index);
    /// Shows the hit counter in lblHitCnt.
    void setHitCount(int hits);
    /// The "Auto" label's background: green while on, the button face colour while off.
    void setAutoOn(bool on);
    /// The status text: the bar's status line (picStatus' tool tip and the hit counter's).
    void setStatusText(const QString& text);
    /// Replaces the person buttons (ibnUsers) by `buttons`; an empty list hides them all.
    void setPersonButtons(const std::vector<BarButtonSpec>& buttons);
    /// Replaces the link buttons (ibnLinks) by `buttons`.
    void setLinkButtons(const std::vector<BarButtonSpec>& buttons);
    /// Places the fixed items.
    void setFixedItems(const FixedItemsSpec& items);
    /// The two separator positions that Form_Paint draws (x in pixels; below 1 draws none).
    void setSeparators(int first, int second);
    /// Flashing: `on` highlights the bar and asks the window manager for attention.
    void setFlashState(bool on);
    /// Opens mnuRight at the mouse; `linkEntries` false hides the four link entries,
    /// `addEnabled` enables "リンク追加" and "お気に入りに追加".
    void showMenu(bool linkEntries, bool addEnabled);
    /// Ticks or unticks a menu entry and sets its caption when `caption` is not empty.
    void setMenuEntry(const QString& name, bool checked, const QString& caption = {});

    /// The current status text.
    const QString& statusText() const { return m_statusText; }
    /// True while the flash highlight is on.
    bool flashOn() const { return m_flashOn; }
    /// The menu, for tests and tools.
    QMenu* rightMenu() const { return m_mnuRight; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildMenus();
    void replaceButtons(std::vector<QPointer<IButton>>& buttons, const std::vector<BarButtonSpec>& specs,
                        const QString& name, bool persons);
    template <typename F>
    void forward(F&& call);

    FrmMainInput* m_input;
    QLabel* m_imgStatus;
    QWidget* m_picStatus;
    QLabel* m_lblHitCnt;
    QLabel* m_lblAuto;
    QLabel* m_imgMenu;
    QMenu* m_mnuRight;
    QMenu* m_templateMenus;
    std::vector<QPointer<IButton>> m_users;
    std::vector<QPointer<IButton>> m_links;
    QIcon m_statusIcon;
    QString m_statusText;
    int m_separators[2] = {0, 0};
    bool m_flashOn = false;
};

}  // namespace orvex::bar::gui
