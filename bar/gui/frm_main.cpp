#include "bar/gui/frm_main.h"

#include <exception>

#include <QAction>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "bar/gui/ibutton.h"
#include "bar/gui/menu_entries.h"
#include "gui/qt_text.h"
#include "gui/window_setup.h"

namespace orvex::bar::gui {
namespace {

// Form_Paint's colours.
const QColor kLineGray(128, 128, 128);
const QColor kLineWhite(255, 255, 255);
// The "Auto" label's background while automatic input is on.
const QColor kAutoOnGreen(0, 255, 0);
// Form_Paint: the horizontal line lies this far above the bottom edge; the separators run from
// this far below the top to this far above the bottom.
constexpr int kBottomLineRise = 3;
constexpr int kSeparatorTop = 3;
constexpr int kSeparatorBottom = 5;
// How long each flash asks the window manager for attention.
constexpr int kAlertMs = 500;

QString name(std::string_view n) { return QString::fromLatin1(n.data(), static_cast<qsizetype>(n.size())); }

}  // namespace

template <typename F>
void frmMain::forward(F&& call) {
    if (m_input == nullptr) return;
    // No exception may reach the event loop: a failed step of a handler ends only that handler.
    try {
        call(*m_input);
    } catch (const std::exception&) {
    } catch (...) {
    }
}

frmMain::frmMain(FrmMainInput* input, QWidget* parent)
    : QWidget(parent),
      m_input(input),
      m_imgStatus(new QLabel(this)),
      m_picStatus(new QWidget(this)),
      m_lblHitCnt(new QLabel(this)),
      m_lblAuto(new QLabel(QStringLiteral("Auto"), this)),
      m_imgMenu(new QLabel(this)),
      m_mnuRight(new QMenu(this)),
      m_templateMenus(new QMenu(this)) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Orvex2000"));
    m_picStatus->setObjectName(QStringLiteral("picStatus"));
    m_picStatus->lower();
    m_imgStatus->setObjectName(QStringLiteral("imgStatus"));
    m_lblHitCnt->setObjectName(QStringLiteral("lblHitCnt"));
    m_lblHitCnt->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_lblAuto->setObjectName(QStringLiteral("lblAuto"));
    m_lblAuto->setAlignment(Qt::AlignCenter);
    m_lblAuto->setAutoFillBackground(true);
    m_imgMenu->setObjectName(QStringLiteral("imgMenu"));
    m_imgMenu->setToolTip(QStringLiteral("メニュー"));
    m_mnuRight->setObjectName(QStringLiteral("mnuRight"));
    for (QWidget* clickable : {static_cast<QWidget*>(m_imgStatus), static_cast<QWidget*>(m_lblAuto),
                               static_cast<QWidget*>(m_imgMenu)})
        clickable->installEventFilter(this);
    setAutoFillBackground(true);
    buildMenus();
    setStatusPicture(StatusPicture::Bar, 0);
    m_imgMenu->setPixmap(menuPicture().pixmap(QSize(16, 16), devicePixelRatioF()));
    setHitCount(0);
    setAutoOn(true);
    orvex::gui::setUpWindow(this);
}

frmMain::~frmMain() = default;

void frmMain::buildMenus() {
    for (const MenuEntrySpec& e : kMenuEntries) {
        QAction* action = e.caption.empty() ? m_mnuRight->addSeparator() : m_mnuRight->addAction(orvex::gui::toQt(e.caption));
        action->setObjectName(name(e.name));
        action->setVisible(e.visible);
        action->setCheckable(e.checkable);
        const QString entry = name(e.name);
        connect(action, &QAction::triggered, this, [this, entry] { forward([&](FrmMainInput& in) { in.menuChosen(entry); }); });
    }
    // The window's template menus: kept for their names and string-table captions, never shown
    // on the bar; their one live item ends the program as "終了" does.
    m_templateMenus->setObjectName(QStringLiteral("mnuTemplate"));
    QMenu* top = nullptr;
    for (const TemplateMenuSpec& t : kTemplateMenus) {
        if (t.topMenu) {
            top = m_templateMenus->addMenu(QString());
            top->setObjectName(name(t.name));
            top->setProperty(orvex::gui::kTagProperty, QString::number(t.stringId));
            continue;
        }
        QAction* item = top->addAction(QString());
        item->setObjectName(name(t.name));
        item->setProperty(orvex::gui::kTagProperty, QString::number(t.stringId));
        if (t.name == "mnuFileExit")
            connect(item, &QAction::triggered, this, [this] { forward([](FrmMainInput& in) { in.menuChosen(QStringLiteral("mnuExit")); }); });
    }
}

void frmMain::setStatusPicture(StatusPicture set, int index) {
    m_statusIcon = statusPicture(set, index);
    const QSize size = m_imgStatus->size().isEmpty() ? QSize(24, 24) : m_imgStatus->size();
    m_imgStatus->setPixmap(m_statusIcon.pixmap(size, devicePixelRatioF()));
}

void frmMain::setHitCount(int hits) { m_lblHitCnt->setText(QString::number(hits)); }

void frmMain::setAutoOn(bool on) {
    QPalette p = m_lblAuto->palette();
    p.setColor(QPalette::Window, on ? kAutoOnGreen : palette().color(QPalette::Button));
    m_lblAuto->setPalette(p);
    m_lblAuto->setProperty("autoOn", on);
}

void frmMain::setStatusText(const QString& text) {
    m_statusText = text;
    m_picStatus->setToolTip(text);
    m_imgStatus->setToolTip(text);
    m_lblHitCnt->setToolTip(text);
    m_imgStatus->setAccessibleDescription(text);
    setToolTip(text);
}

void frmMain::replaceButtons(std::vector<QPointer<IButton>>& buttons, const std::vector<BarButtonSpec>& specs,
                             const QString& arrayName, bool persons) {
    // A button may be the one whose click led here: it goes once its handler has returned.
    for (QPointer<IButton>& b : buttons)
        if (b) {
            b->hide();
            b->deleteLater();
        }
    buttons.clear();
    for (std::size_t i = 0; i < specs.size(); ++i) {
        const BarButtonSpec& spec = specs[i];
        auto* b = new IButton(this);
        b->setObjectName(arrayName);
        b->setProperty("Index", static_cast<int>(i));
        b->setFont(font());
        b->setGeometry(spec.geometry);
        b->setButtonType(spec.buttonType);
        b->setPicture(spec.picture);
        b->setCaption(spec.caption);
        b->SetToolTipText(spec.toolTip);
        const int index = static_cast<int>(i);
        if (persons) {
            connect(b, &IButton::Click, this, [this, index] { forward([&](FrmMainInput& in) { in.personClicked(index); }); });
        } else {
            connect(b, &IButton::Click, this, [this, index] { forward([&](FrmMainInput& in) { in.linkClicked(index); }); });
            connect(b, &IButton::RightMenu, this, [this] { forward([](FrmMainInput& in) { in.menuRequested(); }); });
        }
        b->show();
        buttons.push_back(b);
    }
}

void frmMain::setPersonButtons(const std::vector<BarButtonSpec>& buttons) {
    replaceButtons(m_users, buttons, QStringLiteral("ibnUsers"), true);
}

void frmMain::setLinkButtons(const std::vector<BarButtonSpec>& buttons) {
    replaceButtons(m_links, buttons, QStringLiteral("ibnLinks"), false);
}

void frmMain::setFixedItems(const FixedItemsSpec& items) {
    m_imgStatus->setGeometry(items.statusPicture);
    m_picStatus->setGeometry(items.statusPicture.adjusted(-2, -2, 2, 2));
    m_lblHitCnt->setGeometry(items.hitCount);
    m_lblAuto->setGeometry(items.autoLabel);
    m_imgMenu->setGeometry(items.menuPicture);
    m_imgStatus->setPixmap(m_statusIcon.pixmap(items.statusPicture.size(), devicePixelRatioF()));
    m_imgMenu->setPixmap(menuPicture().pixmap(items.menuPicture.size(), devicePixelRatioF()));
}

void frmMain::setSeparators(int first, int second) {
    m_separators[0] = first;
    m_separators[1] = second;
    update();
}

void frmMain::setFlashState(bool on) {
    m_flashOn = on;
    setBackgroundRole(on ? QPalette::Highlight : QPalette::Window);
    if (on && windowHandle() != nullptr) windowHandle()->alert(kAlertMs);
    update();
}

void frmMain::showMenu(bool linkEntries, bool addEnabled) {
    for (const MenuEntrySpec& e : kMenuEntries) {
        QAction* action = m_mnuRight->findChild<QAction*>(name(e.name));
        if (action == nullptr) continue;
        if (e.linkEntry) action->setVisible(linkEntries);
        if (e.name == "mnuAddURL" || e.name == "mnuAddFavorites") action->setEnabled(addEnabled);
    }
    m_mnuRight->popup(QCursor::pos());
}

void frmMain::setMenuEntry(const QString& entry, bool checked, const QString& caption) {
    QAction* action = m_mnuRight->findChild<QAction*>(entry);
    if (action == nullptr) return;
    action->setChecked(checked);
    if (!caption.isEmpty()) action->setText(caption);
}

void frmMain::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int w = width();
    const int h = height();
    painter.setPen(kLineGray);
    painter.drawLine(0, h - kBottomLineRise, w, h - kBottomLineRise);
    for (int x : m_separators) {
        if (x < 1) continue;
        painter.setPen(kLineGray);
        painter.drawLine(x - 1, kSeparatorTop, x - 1, h - kSeparatorBottom);
        painter.setPen(kLineWhite);
        painter.drawLine(x, kSeparatorTop, x, h - kSeparatorBottom);
    }
}

void frmMain::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) forward([](FrmMainInput& in) { in.menuRequested(); });
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonRelease) return QWidget::eventFilter(watched, event);
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::RightButton) {
        forward([](FrmMainInput& in) { in.menuRequested(); });
        return true;
    }
    if (mouse->button() != Qt::LeftButton) return false;
    if (watched == m_imgStatus) forward([](FrmMainInput& in) { in.statusClicked(); });
    else if (watched == m_lblAuto) forward([](FrmMainInput& in) { in.autoClicked(); });
    else if (watched == m_imgMenu) forward([](FrmMainInput& in) { in.menuRequested(); });
    return true;
}

}  // namespace orvex::bar::gui
