#include "history/gui/frm_edit_hist.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "gui/message_box.h"
#include "gui/qt_text.h"
#include "gui/window_setup.h"
#include "history/edit_hist.h"
#include "history/history_texts.h"
#include "settings/gui/window_place.h"

namespace orvex::history::gui {
namespace {

using orvex::gui::fromQt;
using orvex::gui::toQt;

// How often the window comes to the front again.
constexpr int kRaiseMs = 1000;
// Width of the text boxes, in pixels.
constexpr int kTextWidth = 360;

QComboBox* list(QWidget* parent, const char* name, const std::vector<text::Text>& entries) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    for (const text::Text& e : entries) combo->addItem(toQt(e));
    return combo;
}

QLineEdit* box(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setFixedWidth(kTextWidth);
    return edit;
}

// Selects the first entry with `text`; without one the list stays as it is.
void selectText(QComboBox* combo, const text::Text& text) {
    const int i = combo->findText(toQt(text), Qt::MatchExactly);
    if (i >= 0) combo->setCurrentIndex(i);
}

}  // namespace

frmEditHist::frmEditHist(clsRecs& store, std::shared_ptr<clsRec> rec, int thisYear, QWidget* parent)
    : QWidget(parent, Qt::Window), m_store(store), m_rec(std::move(rec)), m_years(limitYearEntries(thisYear)) {
    setObjectName(QStringLiteral("frmEditHist"));
    setWindowTitle(toQt(kEditHistCaption));
    setAttribute(Qt::WA_DeleteOnClose);

    m_lblCreated = new QLabel(toQt(kCreatedPlaceholder), this);
    m_lblCreated->setObjectName(QStringLiteral("lblCreated"));
    m_cmbLimitYear = list(this, "cmbLimitYear", m_years);
    m_cmbLimitMonth = list(this, "cmbLimitMonth", limitMonthEntries());
    m_cmbLimitDay = list(this, "cmbLimitDay", limitDayEntries());
    m_cmbLimitYear->setToolTip(QStringLiteral("締切の年"));
    m_cmbLimitMonth->setToolTip(QStringLiteral("締切の月"));
    m_cmbLimitDay->setToolTip(QStringLiteral("締切の日"));
    m_txtSiteName = box(this, "txtSiteName");
    m_txtURL = box(this, "txtURL");
    m_txtContents = box(this, "txtContents");
    auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    auto* cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(kRaiseMs);

    auto* limit = new QHBoxLayout;
    limit->addWidget(m_cmbLimitYear);
    limit->addWidget(new QLabel(QStringLiteral("/"), this));
    limit->addWidget(m_cmbLimitMonth);
    limit->addWidget(new QLabel(QStringLiteral("/"), this));
    limit->addWidget(m_cmbLimitDay);
    limit->addStretch(1);
    auto* grid = new QGridLayout;
    int row = 0;
    grid->addWidget(new QLabel(QStringLiteral("応募日時"), this), row, 0);
    grid->addWidget(m_lblCreated, row++, 1);
    // Each label names its control for screen readers too.
    auto label = [this](text::TextView caption, QWidget* buddy) {
        auto* l = new QLabel(toQt(caption), this);
        l->setBuddy(buddy);
        return l;
    };
    grid->addWidget(label(kLimitLabel, m_cmbLimitYear), row, 0);
    grid->addLayout(limit, row++, 1);
    grid->addWidget(label(kSiteNameLabel, m_txtSiteName), row, 0);
    grid->addWidget(m_txtSiteName, row++, 1);
    grid->addWidget(label(u"URL", m_txtURL), row, 0);
    grid->addWidget(m_txtURL, row++, 1);
    grid->addWidget(label(kContentsLabel, m_txtContents), row++, 0, 1, 2);
    grid->addWidget(m_txtContents, row++, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(cmdOK, &QPushButton::clicked, this, &frmEditHist::ok);
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);
    connect(m_timer, &QTimer::timeout, this, [this] { raise(); });

    orvex::gui::setUpWindow(this);
    setFixedSize(sizeHint());
    settings::gui::centreOnScreen(this);
    showRecord();
}

void frmEditHist::showRecord() {
    if (!m_rec) return;
    const EditHistFields f = fieldsOf(*m_rec, m_years);
    m_lblCreated->setText(toQt(f.created));
    selectText(m_cmbLimitYear, f.year);
    selectText(m_cmbLimitMonth, f.month);
    selectText(m_cmbLimitDay, f.day);
    m_txtSiteName->setText(toQt(f.siteName));
    m_txtURL->setText(toQt(f.url));
    m_txtContents->setText(toQt(f.contents));
}

bool frmEditHist::Edit() {
    m_result = false;
    show();
    raise();
    activateWindow();
    m_timer->start();
    return m_result;
}

void frmEditHist::ok() {
    m_result = true;
    EditHistFields f;
    f.year = fromQt(m_cmbLimitYear->currentText());
    f.month = fromQt(m_cmbLimitMonth->currentText());
    f.day = fromQt(m_cmbLimitDay->currentText());
    f.siteName = fromQt(m_txtSiteName->text());
    f.url = fromQt(m_txtURL->text());
    f.contents = fromQt(m_txtContents->text());
    bool stored = false;
    try {
        stored = commitEdit(m_store, m_rec, f);
    } catch (...) {
    }
    if (!stored) {
        orvex::gui::showMessage(this, toQt(kEditErrorMessage));
        return;
    }
    close();
}

void frmEditHist::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_centred) settings::gui::centreOnScreen(this);
    m_centred = true;
}

}  // namespace orvex::history::gui
