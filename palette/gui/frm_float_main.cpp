#include "palette/gui/frm_float_main.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

#include "bar/bar_texts.h"
#include "bar/bar_view.h"
#include "bar/gui/pictures.h"
#include "gui/message_box.h"
#include "gui/qt_text.h"
#include "gui/window_setup.h"
#include "palette/clip_layout.h"
#include "palette/float_placement.h"
#include "palette/gui/clip_panel.h"
#include "palette/gui/frm_clip.h"
#include "palette/gui/right_edge_placer.h"
#include "palette/gui/x11_window_class.h"
#include "palette/palette_texts.h"

namespace orvex::palette::gui {

using orvex::gui::toQt;

namespace {

QRect qRect(const Rect& r) {
    return QRect(r.x, r.y, r.width, r.height);
}

QToolButton* pictureButton(const QIcon& picture, const Rect& r, const char* name, text::TextView tip,
                           QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setIcon(picture);
    b->setIconSize(QSize(r.width - 4, r.height - 4));
    b->setAutoRaise(true);
    b->setToolTip(toQt(tip));
    b->setGeometry(qRect(r));
    return b;
}

}  // namespace

frmFloatMain::frmFloatMain(FloatCommands& commands, std::filesystem::path systemFile, int barMode,
                           QWidget* parent)
    : QWidget(parent, barMode == kBarModeOnTop ? kPaletteWindowFlags | Qt::WindowStaysOnTopHint
                                               : kPaletteWindowFlags),
      m_commands(commands),
      m_systemFile(std::move(systemFile)),
      m_model(m_systemFile),
      m_cmbUsers(new QComboBox(this)),
      m_cmdInput(new QPushButton(toQt(kInputCaption), this)),
      m_cmdRec(new QPushButton(toQt(kRecordCaption), this)),
      m_cmdHelp(new QPushButton(toQt(kHelpCaption), this)),
      m_imgHomePage(
          pictureButton(bar::gui::homePicture(), kFloatHomePageRect, "imgHomePage", kHomePageToolTip, this)),
      m_imgMenu(pictureButton(bar::gui::menuPicture(), kFloatMenuRect, "imgMenu", kMenuToolTip, this)),
      m_lblAuto(new QLabel(toQt(kAutoCaption), this)),
      m_panel(new ClipPanel(m_model, this)),
      m_placer(new RightEdgePlacer(this)) {
    setObjectName(QStringLiteral("frmFloatMain"));
    setWindowTitle(toQt(kFloatCaption));
    m_cmbUsers->setObjectName(QStringLiteral("cmbUsers"));
    m_cmbUsers->setAccessibleName(toQt(kPersonListName));
    m_cmbUsers->setGeometry(qRect(kFloatUsersRect));
    m_cmdInput->setObjectName(QStringLiteral("cmdInput"));
    m_cmdInput->setGeometry(qRect(kFloatInputRect));
    m_cmdRec->setObjectName(QStringLiteral("cmdRec"));
    m_cmdRec->setToolTip(toQt(kRecordToolTip));
    m_cmdRec->setGeometry(qRect(kFloatRecordRect));
    m_cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
    m_cmdHelp->setToolTip(toQt(kHelpToolTip));
    m_cmdHelp->setGeometry(qRect(kFloatHelpRect));
    m_lblAuto->setObjectName(QStringLiteral("lblAuto"));
    m_lblAuto->setToolTip(toQt(kAutoToolTip));
    m_lblAuto->setAlignment(Qt::AlignCenter);
    m_lblAuto->setAutoFillBackground(true);
    m_lblAuto->setGeometry(qRect(kFloatAutoRect));
    m_lblAuto->installEventFilter(this);
    m_panel->move(0, floatInnerHeight(false));

    connect(m_cmbUsers, &QComboBox::currentIndexChanged, this, &frmFloatMain::personChosen);
    connect(m_cmdInput, &QPushButton::clicked, this, &frmFloatMain::input);
    connect(m_cmdRec, &QPushButton::clicked, this, &frmFloatMain::record);
    connect(m_cmdHelp, &QPushButton::clicked, this,
            [this] { orvex::gui::showMessage(this, toQt(helpText())); });
    connect(m_imgHomePage, &QToolButton::clicked, this, [this] { m_commands.openHomePage(); });
    connect(m_imgMenu, &QToolButton::clicked, this, [this] { m_commands.showMenu(); });
    setFixedSize(kWindowWidth, floatInnerHeight(m_clipBoardShown));
}

void frmFloatMain::load(const Persons& persons) {
    const FloatSettings stored = readFloatSettings(m_systemFile);
    if (const QScreen* screen = this->screen()) {
        const QRect g = screen->geometry();
        const Rect area{g.x(), g.y(), g.width(), g.height()};
        const int width = frameGeometry().width();
        const Point at = floatWindowPosition(stored, area, width);
        if (at == rightEdgePosition(area, width)) {
            m_placer->place();
        } else {
            m_placer->release();
            move(at.x, at.y);
        }
    }
    orvex::gui::setUpWindow(this);
    m_model.loadPhrases();
    setPersons(persons);
    setAutoLabel(m_commands.autoInput());
    m_clipBoardShown = stored.showClipBoard;
    applyHeight();
}

void frmFloatMain::setPersons(const Persons& persons) {
    m_model.setPersons(persons);
    fillPersonList(m_cmbUsers, m_model);
    m_panel->refresh();
}

void frmFloatMain::toggleClipBoard() {
    m_clipBoardShown = !m_clipBoardShown;
    const bool stored = writeShowClipBoard(m_systemFile, m_clipBoardShown);
    applyHeight();
    if (!stored) orvex::gui::showMessage(this, toQt(bar::kSettingNotStoredMessage));
}

void frmFloatMain::applyHeight() {
    m_panel->setVisible(m_clipBoardShown);
    setFixedSize(kWindowWidth, floatInnerHeight(m_clipBoardShown));
}

void frmFloatMain::setAutoLabel(bool on) {
    QPalette palette = m_lblAuto->palette();
    const QColor off = palette.color(QPalette::Button);
    palette.setColor(
        QPalette::Window,
        on ? QColor(bar::kAutoOnColour.red, bar::kAutoOnColour.green, bar::kAutoOnColour.blue) : off);
    m_lblAuto->setPalette(palette);
    m_lblAuto->setAccessibleDescription(toQt(on ? kAutoOnDescription : kAutoOffDescription));
}

void frmFloatMain::personChosen(int position) {
    m_model.selectPerson(position);
    m_panel->refresh();
}

void frmFloatMain::input() {
    activateWindow();
    setFocus();
    m_commands.fillWithPerson(m_cmbUsers->currentIndex());
    m_cmbUsers->setFocus();
}

void frmFloatMain::record() {
    m_commands.recordCurrentPage();
    m_cmbUsers->setFocus();
}

bool frmFloatMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_lblAuto && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && m_lblAuto->rect().contains(mouse->position().toPoint())) {
            setAutoLabel(m_commands.toggleAutoInput());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmFloatMain::showEvent(QShowEvent* event) {
    setX11WindowClass(this, "frmFloatMain");
    QWidget::showEvent(event);
}

void frmFloatMain::closeEvent(QCloseEvent* event) {
    event->accept();
    if (m_closing) return;
    m_closing = true;
    // A minimised window's place says nothing about where the user wants it: the stored one stays.
    // The program is ending, so a position that could not be stored is not worth a message.
    if (!isMinimized()) (void)writeFloatPosition(m_systemFile, pixelsToTwips(x()), pixelsToTwips(y()));
    m_commands.exit();
}

}  // namespace orvex::palette::gui
