#include "app/frame/ChangesPane.h"

#include <QHeaderView>
#include <QTreeWidget>

#include "core/Amount.h"

using namespace Statement;

namespace {

// The index of a change in the pane's list, kept on its item.
constexpr int kChangeRole = Qt::UserRole + 1;

QString MoneyText(const std::optional<Amount>& value, bool cents) {
    if (!value)
        return QStringLiteral("none");
    return QString::fromStdString(*value == 0 ? std::string(cents ? "0.00" : "0")
                                              : AmountText(*value, cents, false));
}

QTreeWidgetItem* Add(QTreeWidgetItem* parent, const QString& what, const QString& detail = {}) {
    auto* item = new QTreeWidgetItem(parent, {what, detail});
    item->setToolTip(0, what);
    item->setToolTip(1, detail);
    return item;
}

} // namespace

ChangesPane::ChangesPane(QWidget* parent) : QDockWidget(QStringLiteral("Changes"), parent) {
    setObjectName(QStringLiteral("changesPane"));
    tree_ = new QTreeWidget(this);
    tree_->setObjectName(QStringLiteral("changesList"));
    tree_->setColumnCount(2);
    tree_->setHeaderLabels({QStringLiteral("Change"), QStringLiteral("Older, difference")});
    tree_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tree_->setAccessibleName(QStringLiteral("Changes"));
    setWidget(tree_);
    connect(tree_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { Activated(item); });
}

void ChangesPane::Clear() {
    tree_->clear();
    changes_.clear();
}

void ChangesPane::Show(const ForecastComparison& comparison, const StatementChanges* shown,
                       bool cents) {
    Clear();
    auto* statement = new QTreeWidgetItem(tree_);
    if (!shown) {
        statement->setText(0, QStringLiteral("This statement is not in the older version"));
    } else {
        statement->setText(0, QStringLiteral("%1: %2 changed figures")
                                  .arg(QString::fromStdString(shown->Title()))
                                  .arg(shown->changedFigures));
        for (const Change& change : shown->changes) {
            QTreeWidgetItem* item = Add(statement,
                                        QString::fromStdString(change.row) + QStringLiteral(", ") +
                                            QString::fromStdString(change.ColumnText()),
                                        QString::fromStdString(change.Description(cents)));
            item->setData(0, kChangeRole, static_cast<qulonglong>(changes_.size()));
            changes_.push_back(&change);
        }
    }
    statement->setExpanded(true);

    auto* forecast = new QTreeWidgetItem(tree_);
    int changedStatements = 0;
    for (const StatementChanges& other : comparison.statements) {
        if (other.changes.empty())
            continue;
        ++changedStatements;
        const QString title = QString::fromStdString(other.Title());
        if (other.older == kUnmatched || other.newer == kUnmatched) {
            Add(forecast, title, QString::fromStdString(other.changes.front().ColumnText()));
            continue;
        }
        QString detail = QStringLiteral("%1 changed figures").arg(other.changedFigures);
        if (other.olderClosing && other.newerClosing && *other.olderClosing != *other.newerClosing)
            detail += QStringLiteral("; closing bank balance %1, was %2")
                          .arg(MoneyText(other.newerClosing, cents),
                               MoneyText(other.olderClosing, cents));
        Add(forecast, title, detail);
    }
    for (const SettingChange& setting : comparison.settings)
        Add(forecast,
            QString::fromStdString(setting.where) + QStringLiteral(": ") +
                QString::fromStdString(setting.setting),
            QStringLiteral("%1, was %2")
                .arg(QString::fromStdString(setting.newer), QString::fromStdString(setting.older)));
    forecast->setText(0,
                      comparison.Changed()
                          ? QStringLiteral("Whole forecast: %1 statements and %2 settings changed")
                                .arg(changedStatements)
                                .arg(comparison.settings.size())
                          : QStringLiteral("Whole forecast: no changes"));
    forecast->setExpanded(true);
}

void ChangesPane::Activated(QTreeWidgetItem* item) {
    const QVariant index = item ? item->data(0, kChangeRole) : QVariant();
    if (index.isValid() && index.toULongLong() < changes_.size())
        emit ChangeActivated(*changes_[index.toULongLong()]);
}
