#include "bar/gui/frm_main.h"

#include <exception>

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "bar/bar_texts.h"
#include "bar/gui/ibutton.h"
#include "bar/gui/pictures.h"
#include "bar/gui/template_menus.h"
#include "bar/gui/x11_dock.h"
#include "gui/message_box.h"
#include "gui/qt_text.h"
#include "gui/window_setup.h"

namespace orvex::bar::gui {
namespace {

using orvex::gui::fromQt;
using orvex::gui::toQt;

// How long each flash asks the window manager for attention.
constexpr int kAlertMs = 500;
// Room for the hit counter, left of the "Auto" label.
constexpr int kHitCountWidth = 28;

QString latin(std::string_view n) {
    return QString::fromLatin1(n.data(), static_cast<qsizetype>(n.size()));
}
QString latin(const std::string& n) {
    return QString::fromStdString(n);
}
QRect qRect(const Rect& r) {
    return QRect(r.x, r.y, r.width, r.height);
}
QColor qColor(const Rgb& c) {
    return QColor(c.red, c.green, c.blue);
}

// The picture of a button: its file, else its built-in picture, else the set's default.
QIcon buttonPicture(const ButtonView& view, bool person) {
    QIcon fallback;
    if (person)
        fallback = userIcon(view.builtInPicture);
    else
        fallback = view.builtInPicture >= 0 ? homePicture() : linkPicture();
    if (view.pictureFile.empty()) return fallback;
    return pictureFile(QString::fromStdString(view.pictureFile.string()), fallback);
}

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
      m_picStatus(new QLabel(this)),
      m_lblHitCnt(new QLabel(this)),
      m_lblAuto(new QLabel(QStringLiteral("Auto"), this)),
      m_imgMenu(new QLabel(this)),
      m_mnuRight(new QMenu(this)),
      m_templateMenus(new QMenu(this)) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(toQt(kBarCaption));
    m_picStatus->setObjectName(QStringLiteral("picStatus"));
    m_picStatus->lower();
    m_imgStatus->setObjectName(QStringLiteral("imgStatus"));
    m_lblHitCnt->setObjectName(QStringLiteral("lblHitCnt"));
    m_lblHitCnt->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Its name is the number; the description says what the number counts.
    m_lblHitCnt->setAccessibleDescription(QStringLiteral("ヒット数"));
    m_imgStatus->setAccessibleName(QStringLiteral("状態"));
    m_lblAuto->setObjectName(QStringLiteral("lblAuto"));
    m_lblAuto->setAlignment(Qt::AlignCenter);
    m_lblAuto->setAutoFillBackground(true);
    m_imgMenu->setObjectName(QStringLiteral("imgMenu"));
    m_imgMenu->setToolTip(QStringLiteral("メニュー"));
    m_mnuRight->setObjectName(QStringLiteral("mnuRight"));
    for (QLabel* clickable : {m_imgStatus, m_lblAuto, m_imgMenu}) clickable->installEventFilter(this);
    setAutoFillBackground(true);
    // Every entry exists by name from the start; each opening sets what it shows.
    fillMenu(rightMenuItems(MenuOpening::WithLinkEntries, MenuState{}));
    buildTemplateMenus();
    setLayout(BarLayout{layoutFixedItems(width(), kBarThickness, fixedItemSizes()), {}, {}});
    setHitCount(u"0");
    setAutoLabel(true);
    showStatusPicture();
    orvex::gui::setUpWindow(this);
}

frmMain::~frmMain() = default;

FixedItemSizes frmMain::fixedItemSizes() const {
    FixedItemSizes sizes;
    // The label is as wide as its caption in the bar's font, with a little room around it.
    sizes.autoLabelWidth =
        std::max(sizes.autoLabelWidth, m_lblAuto->fontMetrics().horizontalAdvance(m_lblAuto->text()) + 6);
    sizes.autoLabelHeight = std::max(sizes.autoLabelHeight, m_lblAuto->fontMetrics().height());
    return sizes;
}

void frmMain::buildTemplateMenus() {
    // The window's template menus: kept for their names and string-table captions, never shown
    // on the bar; their "終了" ends the program.
    m_templateMenus->setObjectName(QStringLiteral("mnuTemplate"));
    QMenu* top = nullptr;
    for (const TemplateMenuSpec& t : kTemplateMenus) {
        if (t.topMenu || top == nullptr) {
            top = m_templateMenus->addMenu(QString());
            top->setObjectName(latin(t.name));
            top->setProperty(orvex::gui::kTagProperty, QString::number(t.stringId));
            continue;
        }
        QAction* item = top->addAction(QString());
        item->setObjectName(latin(t.name));
        item->setProperty(orvex::gui::kTagProperty, QString::number(t.stringId));
        if (t.name == kTemplateExitName)
            connect(item, &QAction::triggered, this,
                    [this] { forward([](FrmMainInput& in) { in.templateExit(); }); });
    }
}

void frmMain::fillMenu(const std::vector<MenuItem>& items) {
    m_mnuRight->clear();
    for (const MenuItem& item : items) {
        QAction* action =
            item.separator ? m_mnuRight->addSeparator() : m_mnuRight->addAction(toQt(item.caption));
        action->setObjectName(latin(item.name));
        action->setVisible(item.visible);
        action->setEnabled(item.enabled);
        action->setCheckable(item.checkable);
        action->setChecked(item.checked);
        const MenuEntry entry = item.entry;
        connect(action, &QAction::triggered, this,
                [this, entry] { forward([&](FrmMainInput& in) { in.menuChosen(entry); }); });
    }
}

void frmMain::showStatusPicture() {
    QIcon icon;
    switch (m_statusPicture.set) {
        case PictureSet::Smiles:
            icon = statusPictureIcon(StatusPictureSet::Smile, m_statusPicture.index);
            break;
        case PictureSet::ReadingPage:
            icon = statusPictureIcon(StatusPictureSet::ReadingPage, m_statusPicture.index);
            break;
        case PictureSet::AccessDeny:
            icon = statusPictureIcon(StatusPictureSet::AccessDeny, 0);
            break;
        case PictureSet::Bar:
            icon = statusPictureIcon(StatusPictureSet::Bar, 0);
            break;
    }
    const QSize size = m_imgStatus->size().isEmpty() ? QSize(24, 24) : m_imgStatus->size();
    m_imgStatus->setPixmap(icon.pixmap(size, devicePixelRatioF()));
    m_imgStatus->setProperty("pictureSet", static_cast<int>(m_statusPicture.set));
    m_imgStatus->setProperty("pictureIndex", m_statusPicture.index);
}

void frmMain::setStatusPicture(StatusPicture picture) {
    const bool changed = !(picture == m_statusPicture);
    m_statusPicture = picture;
    showStatusPicture();
    if (changed) emit statusPictureChanged(picture);
}

void frmMain::setStatusBoxPicture(int index) {
    // The status box's own picture collection is its background; the status picture stands in it.
    m_statusBoxPicture = index;
    m_picStatus->setProperty("pictureIndex", index);
}

void frmMain::setHitCount(const text::Text& text) {
    m_lblHitCnt->setText(toQt(text));
}

void frmMain::setAutoLabel(bool on) {
    QPalette p = m_lblAuto->palette();
    p.setColor(QPalette::Window, on ? qColor(kAutoOnColour) : palette().color(QPalette::Button));
    m_lblAuto->setPalette(p);
    m_lblAuto->setProperty("autoOn", on);
}

void frmMain::setStatusText(const text::Text& text) {
    m_statusText = toQt(text);
    for (QWidget* w : {static_cast<QWidget*>(m_picStatus), static_cast<QWidget*>(m_imgStatus),
                       static_cast<QWidget*>(m_lblHitCnt), static_cast<QWidget*>(this)})
        w->setToolTip(m_statusText);
    m_imgStatus->setAccessibleDescription(m_statusText);
    // The status line: the bar's window title, which window lists and screen readers show.
    setWindowTitle(m_statusText.isEmpty() ? toQt(kBarCaption) : m_statusText);
}

void frmMain::replaceButtons(std::vector<QPointer<IButton>>& buttons, const std::vector<ButtonView>& views,
                             bool persons) {
    // A button may be the one whose click led here: it goes once its handler has returned.
    for (QPointer<IButton>& b : buttons)
        if (b) {
            b->hide();
            b->deleteLater();
        }
    buttons.clear();
    for (std::size_t i = 0; i < views.size(); ++i) {
        const ButtonView& view = views[i];
        auto* b = new IButton(this);
        b->setObjectName(QString::fromLatin1(persons ? kPersonButtonsName : kLinkButtonsName));
        b->setProperty("Index", static_cast<int>(i));
        b->setGeometry(qRect(view.rect));
        if (view.showPicture) b->setPicture(buttonPicture(view, persons));
        b->setCaption(view.showCaption ? toQt(view.caption) : QString());
        b->SetToolTipText(toQt(view.toolTip));
        if (!view.showCaption) b->setAccessibleName(toQt(view.caption.empty() ? view.toolTip : view.caption));
        const int index = view.index;
        if (persons)
            connect(b, &IButton::Click, this,
                    [this, index] { forward([&](FrmMainInput& in) { in.personClicked(index); }); });
        else
            connect(b, &IButton::Click, this,
                    [this, index] { forward([&](FrmMainInput& in) { in.linkClicked(index); }); });
        connect(b, &IButton::RightMenu, this,
                [this] { forward([](FrmMainInput& in) { in.menuRequested(); }); });
        b->show();
        buttons.push_back(b);
    }
}

void frmMain::setPersonButtons(const std::vector<ButtonView>& buttons) {
    replaceButtons(m_users, buttons, true);
}
void frmMain::setLinkButtons(const std::vector<ButtonView>& buttons) {
    replaceButtons(m_links, buttons, false);
}

void frmMain::setLayout(const BarLayout& layout) {
    const FixedItemsLayout& f = layout.fixed;
    m_picStatus->setGeometry(qRect(f.statusBox));
    m_imgStatus->setGeometry(qRect(f.statusPicture));
    m_lblAuto->setGeometry(qRect(f.autoLabel));
    m_imgMenu->setGeometry(qRect(f.menuPicture));
    m_lblHitCnt->setGeometry(f.autoLabel.x - kFixedItemGap - kHitCountWidth, f.autoLabel.y, kHitCountWidth,
                             f.autoLabel.height);
    m_imgMenu->setPixmap(menuPicture().pixmap(m_imgMenu->size(), devicePixelRatioF()));
    showStatusPicture();
    m_lines = layout.lines;
    update();
}

void frmMain::showMessage(const text::Text& message, const text::Text& title) {
    orvex::gui::showMessage(this, toQt(message), toQt(title));
}

bool frmMain::askOkCancel(const text::Text& question, const text::Text& title) {
    return orvex::gui::askOkCancel(this, toQt(question), toQt(title));
}

std::optional<text::Text> frmMain::askText(const text::Text& prompt, const text::Text& preset,
                                           const text::Text&) {
    const std::optional<QString> answer = orvex::gui::askText(this, toQt(prompt), toQt(preset));
    if (!answer) return std::nullopt;
    return fromQt(*answer);
}

void frmMain::showBusy(const text::Text& note) {
    hideBusy();
    auto* busy =
        new QLabel(toQt(note), nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    busy->setObjectName(QStringLiteral("frmBusy"));
    busy->setMargin(12);
    busy->setFrameStyle(QFrame::Box);
    orvex::gui::setUpWindow(busy);
    busy->adjustSize();
    busy->move(mapToGlobal(QPoint(std::max(0, (width() - busy->width()) / 2), height())));
    busy->show();
    m_busy = busy;
}

void frmMain::hideBusy() {
    if (m_busy == nullptr) return;
    m_busy->hide();
    m_busy->deleteLater();
    m_busy = nullptr;
}

void frmMain::showMenu(const std::vector<MenuItem>& items) {
    fillMenu(items);
    m_mnuRight->popup(QCursor::pos());
}

void frmMain::openDialog(BarDialog dialog) {
    // A copy: the window opened may run a nested event loop in which the openers are replaced.
    const auto open = m_openDialog;
    if (open) open(dialog);
}

void frmMain::openLinksDialog(const links::clsLink& newLink) {
    const auto open = m_openLinks;
    if (open) open(newLink);
}

void frmMain::showAbout(const AboutInfo& info) {
    const QString text = QStringLiteral("%1\nVersion %2\n\n%3\n\n%4")
                             .arg(toQt(info.name), toQt(info.version), toQt(info.licence),
                                  QString::fromStdString(info.dataDirectory.string()));
    orvex::gui::showMessage(this, text, QStringLiteral("バージョン情報"));
}

void frmMain::setFlash(bool on) {
    m_flashOn = on;
    setBackgroundRole(on ? QPalette::Highlight : QPalette::Window);
    if (on && windowHandle() != nullptr) windowHandle()->alert(kAlertMs);
    update();
}

void frmMain::setAlwaysOnTop(bool on) {
    if (m_dock != nullptr) m_dock->setAbove(on);
}

void frmMain::quit() {
    if (m_dock != nullptr) m_dock->undock();
    // The program ends (its exit command, or a signal that came while a dialog was open): open
    // dialogs close as cancelled, without their own questions, so that no nested loop holds the
    // end up.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QDialog*>(window); dialog != nullptr && dialog->isVisible())
            dialog->done(QDialog::Rejected);
    }
    close();
    QCoreApplication::quit();
}

void frmMain::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (const PaintLine& line : m_lines) {
        painter.setPen(qColor(line.colour));
        painter.drawLine(line.x1, line.y1, line.x2, line.y2);
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
    if (watched == m_imgStatus)
        forward([](FrmMainInput& in) { in.statusClicked(); });
    else if (watched == m_lblAuto)
        forward([](FrmMainInput& in) { in.autoClicked(); });
    else if (watched == m_imgMenu)
        forward([](FrmMainInput& in) { in.menuRequested(); });
    return true;
}

}  // namespace orvex::bar::gui
