#include "palette/gui/frm_clip.h"

#include <QComboBox>
#include <QPushButton>
#include <QSignalBlocker>

#include "gui/message_box.h"
#include "gui/qt_text.h"
#include "gui/window_setup.h"
#include "palette/clip_layout.h"
#include "palette/float_placement.h"
#include "palette/gui/clip_panel.h"
#include "palette/gui/right_edge_placer.h"
#include "palette/gui/x11_window_class.h"
#include "palette/palette_texts.h"

namespace orvex::palette::gui {

using orvex::gui::toQt;

namespace {

QRect qRect(const Rect& r) {
    return QRect(r.x, r.y, r.width, r.height);
}

}  // namespace

void fillPersonList(QComboBox* list, const ClipButtons& model) {
    const QSignalBlocker quiet(list);
    list->clear();
    for (const text::Text& name : model.personNames()) list->addItem(toQt(name));
    list->setCurrentIndex(model.selected());
}

frmClip::frmClip(std::filesystem::path systemFile, QWidget* parent)
    : QWidget(parent, kPaletteWindowFlags),
      m_model(std::move(systemFile)),
      m_cmbUsers(new QComboBox(this)),
      m_cmdHelp(new QPushButton(toQt(kHelpCaption), this)),
      m_panel(new ClipPanel(m_model, this)),
      m_placer(new RightEdgePlacer(this)) {
    setObjectName(QStringLiteral("frmClip"));
    setWindowTitle(toQt(kClipCaption));
    // The bar is a tool window, which never keeps the program alive: closing the palette must not
    // count as closing the program's last window.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(kWindowWidth, kPaletteHeight);
    m_cmbUsers->setObjectName(QStringLiteral("cmbUsers"));
    m_cmbUsers->setAccessibleName(toQt(kPersonListName));
    m_cmbUsers->setGeometry(qRect(kClipUsersRect));
    m_cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
    m_cmdHelp->setToolTip(toQt(kHelpToolTip));
    m_cmdHelp->setGeometry(qRect(kClipHelpRect));
    m_panel->move(0, kClipPartTopInPalette);
    connect(m_cmbUsers, &QComboBox::currentIndexChanged, this, &frmClip::personChosen);
    connect(m_cmdHelp, &QPushButton::clicked, this,
            [this] { orvex::gui::showMessage(this, toQt(helpText())); });
}

void frmClip::load(const Persons& persons) {
    m_placer->place();
    orvex::gui::setUpWindow(this);
    m_model.loadPhrases();
    setPersons(persons);
}

void frmClip::toggle(const Persons& persons) {
    if (isVisible()) {
        close();
        return;
    }
    load(persons);
    show();
    raise();
}

void frmClip::setPersons(const Persons& persons) {
    m_model.setPersons(persons);
    fillPersonList(m_cmbUsers, m_model);
    m_panel->refresh();
}

void frmClip::personChosen(int position) {
    m_model.selectPerson(position);
    m_panel->refresh();
}

void frmClip::showEvent(QShowEvent* event) {
    setX11WindowClass(this, "frmClip");
    QWidget::showEvent(event);
}

}  // namespace orvex::palette::gui
