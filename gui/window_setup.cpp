#include "gui/window_setup.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QVariant>
#include <QWidget>

#include "gui/qt_text.h"
#include "gui/string_table.h"

namespace orvex::gui {
namespace {

// Japanese sans faces that stand in for the UI font, best first.
const char* const kFallbackFamilies[] = {"Noto Sans CJK JP", "IPAPGothic", "IPAGothic", "VL PGothic"};

QString uiFontName() { return QString::fromUtf16(kUiFontName); }

// The entry for a tag that holds a number, as a QString.
std::optional<QString> numericEntry(const QVariant& tag) {
    const auto entry = entryForNumericTag(fromQt(tag.toString()));
    if (!entry) return std::nullopt;
    return toQt(*entry);
}

std::optional<QString> positiveEntry(const QString& tag) {
    const auto entry = entryForPositiveTag(fromQt(tag));
    if (!entry) return std::nullopt;
    return toQt(*entry);
}

void applyToTabs(QTabBar* bar) {
    for (int i = 0; i < bar->count(); ++i) {
        if (auto caption = numericEntry(bar->tabData(i))) bar->setTabText(i, *caption);
        if (auto tip = numericEntry(bar->tabToolTip(i))) bar->setTabToolTip(i, *tip);
    }
}

void applyToListView(QWidget* widget) {
    if (auto* tree = qobject_cast<QTreeWidget*>(widget)) {
        QTreeWidgetItem* header = tree->headerItem();
        for (int c = 0; header != nullptr && c < header->columnCount(); ++c)
            if (auto text = numericEntry(header->data(c, Qt::UserRole))) header->setText(c, *text);
    } else if (auto* table = qobject_cast<QTableWidget*>(widget)) {
        for (int c = 0; c < table->columnCount(); ++c) {
            QTableWidgetItem* item = table->horizontalHeaderItem(c);
            if (item == nullptr) continue;
            if (auto text = numericEntry(item->data(Qt::UserRole))) item->setText(*text);
        }
    }
}

// Other controls: caption by a positive tag, tool tip by a positive tool tip.
void applyToOther(QWidget* widget) {
    if (auto caption = positiveEntry(widget->property(kTagProperty).toString())) {
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            button->setText(*caption);
        else if (auto* group = qobject_cast<QGroupBox*>(widget))
            group->setTitle(*caption);
        else if (widget->metaObject()->indexOfProperty("Caption") >= 0)
            widget->setProperty("Caption", *caption);
    }
    if (auto tip = positiveEntry(widget->toolTip())) widget->setToolTip(*tip);
}

QString withoutMnemonic(QString text) {
    // "&&" stands for a literal "&"; a single "&" marks the next letter.
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

}  // namespace

QStringList uiFontFamilies() {
    QStringList families{uiFontName()};
    for (const char* f : kFallbackFamilies) families << QString::fromLatin1(f);
    return families;
}

void installUiFont() {
    QStringList substitutes;
    for (const char* f : kFallbackFamilies) substitutes << QString::fromLatin1(f);
    if (QFont::substitutes(uiFontName()) != substitutes) {
        QFont::removeSubstitutions(uiFontName());
        QFont::insertSubstitutions(uiFontName(), substitutes);
    }
    if (qApp != nullptr) QApplication::setFont(uiFont(QApplication::font()));
}

QFont uiFont(QFont font) {
    font.setFamilies(uiFontFamilies());
    return font;
}

void applyStringTable(QWidget* window) {
    if (window == nullptr) return;
    if (auto title = numericEntry(window->property(kTagProperty))) window->setWindowTitle(*title);

    QSet<QAction*> toolBarActions;
    for (QToolBar* bar : window->findChildren<QToolBar*>()) {
        for (QAction* action : bar->actions()) {
            toolBarActions.insert(action);
            if (auto tip = numericEntry(action->property(kTagProperty))) action->setToolTip(*tip);
        }
    }
    for (QAction* action : window->findChildren<QAction*>()) {
        if (toolBarActions.contains(action)) continue;
        if (auto caption = numericEntry(action->property(kTagProperty))) action->setText(*caption);
    }
    for (QMenu* menu : window->findChildren<QMenu*>())
        if (auto caption = numericEntry(menu->property(kTagProperty))) menu->setTitle(*caption);

    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            if (auto caption = numericEntry(label->property(kTagProperty))) label->setText(*caption);
        } else if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
            applyToTabs(tabs->tabBar());
        } else if (auto* bar = qobject_cast<QTabBar*>(widget)) {
            if (qobject_cast<QTabWidget*>(bar->parentWidget()) == nullptr) applyToTabs(bar);
        } else if (qobject_cast<QTreeWidget*>(widget) != nullptr || qobject_cast<QTableWidget*>(widget) != nullptr) {
            applyToListView(widget);
        } else if (qobject_cast<QMenu*>(widget) == nullptr && qobject_cast<QToolBar*>(widget) == nullptr) {
            applyToOther(widget);
        }
    }
}

QString captionOf(const QWidget* widget) {
    if (widget == nullptr) return {};
    if (auto* label = qobject_cast<const QLabel*>(widget)) return withoutMnemonic(label->text());
    if (auto* button = qobject_cast<const QAbstractButton*>(widget)) return withoutMnemonic(button->text());
    if (auto* group = qobject_cast<const QGroupBox*>(widget)) return withoutMnemonic(group->title());
    if (widget->metaObject()->indexOfProperty("Caption") >= 0)
        return withoutMnemonic(widget->property("Caption").toString());
    if (widget->isWindow()) return widget->windowTitle();
    return {};
}

void nameForAccessibility(QWidget* widget) {
    if (widget == nullptr || !widget->accessibleName().isEmpty()) return;
    // Labels and buttons already take their name from their text, and keep it when the text
    // changes: a fixed name would go stale.
    if (QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget))
        if (!face->text(QAccessible::Name).isEmpty()) return;
    QString name = captionOf(widget);
    if (name.isEmpty()) name = widget->toolTip();
    if (!name.isEmpty()) widget->setAccessibleName(name);
}

void setUpWindow(QWidget* window) {
    if (window == nullptr) return;
    installUiFont();
    window->setFont(uiFont(window->font()));
    for (QWidget* widget : window->findChildren<QWidget*>()) widget->setFont(uiFont(widget->font()));
    applyStringTable(window);
    nameForAccessibility(window);
    for (QWidget* widget : window->findChildren<QWidget*>()) nameForAccessibility(widget);
}

}  // namespace orvex::gui
