#include "history/gui/frm_hist_list.h"

#include <algorithm>

#include <QColor>
#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QResizeEvent>

#include "gui/message_box.h"
#include "gui/qt_text.h"
#include "gui/window_setup.h"
#include "history/deadlines.h"
#include "history/hist_list.h"
#include "history/history_texts.h"

namespace orvex::history::gui {
namespace {

using orvex::gui::toQt;

// Where the fixed controls stand, in pixels: the left margin (200 twips, half the list's width
// margin), the top row and the list below it, the buttons' size.
constexpr int kLeft = 13;
constexpr int kTopRow = 8;
constexpr int kListTop = 40;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;
constexpr int kSortWidth = 170;
// The window's first size, and the least it can be made.
constexpr int kInitialWidth = 640;
constexpr int kInitialHeight = 420;
constexpr int kMinimumWidth = 320;
constexpr int kMinimumHeight = 200;
// The look of entries whose deadline is near, and of those past theirs.
const QColor kSoonBackground(255, 228, 160);
const QColor kSoonText(128, 0, 0);
const QColor kPastText(150, 150, 150);

}  // namespace

frmHistList::frmHistList(clsRecs& store, TodayFunction today, QWidget* parent)
    : QWidget(parent, Qt::Window), m_store(store), m_today(std::move(today)) {
    setObjectName(QStringLiteral("frmHistList"));
    setWindowTitle(toQt(kHistListCaption));
    m_cmbSortType = new QComboBox(this);
    m_cmbSortType->setObjectName(QStringLiteral("cmbSortType"));
    m_cmbSortType->setGeometry(kLeft, kTopRow, kSortWidth, kButtonHeight);
    m_lblIntheday = new QLabel(this);
    m_lblIntheday->setObjectName(QStringLiteral("lblIntheday"));
    m_lblIntheday->setGeometry(kLeft + kSortWidth + 16, kTopRow, 260, kButtonHeight);
    m_lstHist = new QListWidget(this);
    m_lstHist->setObjectName(QStringLiteral("lstHist"));
    m_lstHist->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_lstHist->setToolTip(toQt(kHistListCaption));
    m_cmbSortType->setToolTip(QStringLiteral("並べ方"));
    m_cmdEdit = new QPushButton(toQt(kEditCaption), this);
    m_cmdEdit->setObjectName(QStringLiteral("cmdEdit"));
    m_cmdDelete = new QPushButton(toQt(kDeleteCaption), this);
    m_cmdDelete->setObjectName(QStringLiteral("cmdDelete"));

    orvex::gui::setUpWindow(this);
    m_subscription = m_store.subscribeChanged([this](const clsRecs::RecPtr&) { refresh(); });
    if (m_store.Count() == 0) m_store.Load();
    for (text::TextView entry : kSortEntries) m_cmbSortType->addItem(toQt(entry));
    connect(m_cmbSortType, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    connect(m_lstHist, &QListWidget::itemSelectionChanged, this, &frmHistList::lineClicked);
    connect(m_cmdEdit, &QPushButton::clicked, this, &frmHistList::editClicked);
    connect(m_cmdDelete, &QPushButton::clicked, this, &frmHistList::deleteClicked);
    m_cmbSortType->setCurrentIndex(0);
    refresh();
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    resize(kInitialWidth, kInitialHeight);
}

frmHistList::~frmHistList() {
    m_store.unsubscribeChanged(m_subscription);
}

void frmHistList::refresh() {
    const std::vector<text::Text> lines = histListLines(m_store, m_cmbSortType->currentIndex());
    m_lstHist->clear();
    const Date today = m_today ? m_today() : localDate();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        auto* item = new QListWidgetItem(toQt(lines[i]), m_lstHist);
        const clsRecs::RecPtr rec = recordOfLine(m_store, static_cast<int>(i));
        if (!rec) continue;
        item->setToolTip(toQt(deadlineTip(*rec, today)));
        switch (deadlineState(*rec, today)) {
            case DeadlineState::Soon: {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
                item->setBackground(kSoonBackground);
                item->setForeground(kSoonText);
                item->setData(Qt::UserRole, QStringLiteral("soon"));
                break;
            }
            case DeadlineState::Past:
                item->setForeground(kPastText);
                item->setData(Qt::UserRole, QStringLiteral("past"));
                break;
            case DeadlineState::None:
            case DeadlineState::Later:
                break;
        }
    }
    m_lblIntheday->clear();
}

std::vector<int> frmHistList::selectedLines() const {
    std::vector<int> lines;
    for (int i = 0; i < m_lstHist->count(); ++i)
        if (m_lstHist->item(i)->isSelected()) lines.push_back(i);
    return lines;
}

int frmHistList::firstSelectedLine() const {
    const std::vector<int> lines = selectedLines();
    return lines.empty() ? -1 : lines.front();
}

void frmHistList::lineClicked() {
    const clsRecs::RecPtr rec = recordOfLine(m_store, firstSelectedLine());
    if (rec) m_lblIntheday->setText(toQt(inTheDayText(m_store, *rec)));
}

void frmHistList::editClicked() {
    hide();
    const int line = firstSelectedLine();
    if (const clsRecs::RecPtr rec = recordOfLine(m_store, line)) {
        // The edit window is not modal: the outcome comes back through Changed.
        if (rec->Edit()) {
            m_lstHist->item(line)->setText(toQt(rec->ListFormat()));
            refresh();
        }
    }
    show();
}

void frmHistList::deleteClicked() {
    hide();
    const bool ok = orvex::gui::askOkCancel(this, toQt(kDeleteQuestion));
    show();
    if (!ok) return;
    if (!deleteLines(m_store, selectedLines())) orvex::gui::showMessage(this, toQt(kHistorySaveFailedMessage));
    refresh();
}

void frmHistList::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const HistListGeometry g = histListGeometry(width(), height());
    m_lstHist->setGeometry(kLeft, kListTop, g.listWidth, std::max(0, g.listHeight));
    m_cmdEdit->setGeometry(kLeft, g.buttonTop, kButtonWidth, kButtonHeight);
    m_cmdDelete->setGeometry(kLeft + kButtonWidth + 8, g.buttonTop, kButtonWidth, kButtonHeight);
}

}  // namespace orvex::history::gui
