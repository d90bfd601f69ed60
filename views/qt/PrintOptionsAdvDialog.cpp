#include "views/qt/PrintOptionsAdvDialog.h"

#include <array>

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QMessageBox>
#include <QGroupBox>
#include <QMouseEvent>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QVBoxLayout>

#include "database/CPERT.h"
#include "document/CMainDoc.h"
#include "platform/QtCheckImages.h"
#include "platform/QtText.h"
#include "views/qt/PrintOptionsDialogParts.h"

namespace Dialog {

PrintCheckTree::PrintCheckTree(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setExpandsOnDoubleClick(false);
}

QRect PrintCheckTree::CheckRect(QTreeWidgetItem* item) const {
    const QModelIndex index = indexFromItem(item);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    option.features |= QStyleOptionViewItem::HasDecoration | QStyleOptionViewItem::HasDisplay;
    option.icon = item->icon(0);
    option.text = item->text(0);
    option.index = index;
    return style()->subElementRect(QStyle::SE_ItemViewItemDecoration, &option, this);
}

void PrintCheckTree::mousePressEvent(QMouseEvent* event) {
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    if (item && event->button() == Qt::LeftButton &&
        CheckRect(item).contains(event->position().toPoint())) {
        emit checkPressed(item);
        event->accept();
        return;
    }
    QTreeWidget::mousePressEvent(event);
}

QIcon CPrint_Options_Adv_Dlg::StateImage(PrintCheck state) {
    using QtCheckImages::CheckMark;
    switch (state) {
    case PrintCheck::Checked:
        return QtCheckImages::Icon(CheckMark::Ticked);
    case PrintCheck::Partly:
        return QtCheckImages::Icon(CheckMark::Partly);
    case PrintCheck::Unchecked:
        break;
    }
    return QtCheckImages::Icon(CheckMark::Empty);
}

CPrint_Options_Adv_Dlg::CPrint_Options_Adv_Dlg(CMainDoc& doc, QWidget* parent,
                                               const Database::CYear* onScreen, CMainView* view)
    : QDialog(parent), doc_(doc), trees_(std::make_unique<PrintTreePair>(doc.Root())) {
    // The marks live only while the file is open: a first print starts from the year on screen.
    trees_->CheckIfNone(onScreen);
    setWindowTitle(QStringLiteral("Printing Options"));
    setObjectName(QString::number(kDialogId));
    setSizeGripEnabled(true);
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    printOption = doc_.Root().GetPrintOption();

    allTree_ = new PrintCheckTree(this);
    allTree_->setObjectName(QString::number(kAllTreeId));
    shownTree_ = new PrintCheckTree(this);
    shownTree_->setObjectName(QString::number(kShownTreeId));
    Fill(allTree_, trees_->Everything(), nullptr);
    Fill(shownTree_, trees_->Shown(), nullptr);
    ShowStates();
    for (PrintCheckTree* tree : {allTree_, shownTree_}) {
        tree->expandAll();
        // The toggle runs after the press has been handled, as a posted message would.
        connect(tree, &PrintCheckTree::checkPressed, this, [this](QTreeWidgetItem* item) {
            QMetaObject::invokeMethod(
                this, [this, item] { ToggleItem(item); }, Qt::QueuedConnection);
        });
    }
    // Only the tree without hidden entries is offered, so hidden years never print.
    showHiddenBox_ = new QCheckBox(QStringLiteral("Show Hidden Tabs"), this);
    showHiddenBox_->setObjectName(QString::number(kShowHiddenId));
    showHiddenBox_->setEnabled(false);
    showHiddenBox_->setVisible(false);
    allTree_->setVisible(showHidden);
    shownTree_->setVisible(!showHidden);

    auto* group = new QGroupBox(QStringLiteral("Print Cashflow"), this);
    auto* radios = new QVBoxLayout(group);
    options_ = new QButtonGroup(group);
    struct Choice {
        int id;
        const char* text;
        PrintOption option;
    };
    constexpr std::array<Choice, 4> kChoices = {{
        {kAsSelectedId, "As Selected", PrintOption::AsSelected},
        {kCollapsedId, "Collapsed", PrintOption::Collapsed},
        {kPerDisplayId, "Per Display", PrintOption::PerDisplay},
        {kExpandedId, "Expanded", PrintOption::Expanded},
    }};
    // Each radio's number in the group is the option it stands for.
    for (const Choice& choice : kChoices) {
        auto* radio = new QRadioButton(QString::fromLatin1(choice.text), group);
        radio->setObjectName(QString::number(choice.id));
        radio->setVisible(choice.id != kAsSelectedId);
        options_->addButton(radio, static_cast<int>(choice.option));
        radios->addWidget(radio);
    }
    radios->addStretch(1);
    PrintOptionsDialogParts::ShowChoice(options_, static_cast<int>(printOption));
    connect(options_, &QButtonGroup::idClicked, this,
            [this](int option) { ChooseOption(static_cast<PrintOption>(option)); });

    auto* grid = new QGridLayout;
    grid->addWidget(allTree_, 0, 0);
    grid->addWidget(shownTree_, 0, 0);
    grid->addWidget(showHiddenBox_, 1, 0);
    grid->addWidget(group, 0, 1, Qt::AlignTop);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(0, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(
        PrintOptionsDialogParts::MakeButtons(this, doc_, kPageSetupId, pageSetup_, view));
}

CPrint_Options_Adv_Dlg::~CPrint_Options_Adv_Dlg() {
    // The trees' items point into the records: drop them first.
    allTree_->clear();
    shownTree_->clear();
}

PrintCheckTree* CPrint_Options_Adv_Dlg::Tree(int id) const {
    return id == kAllTreeId ? allTree_ : id == kShownTreeId ? shownTree_ : nullptr;
}

QTreeWidgetItem* CPrint_Options_Adv_Dlg::WidgetItem(const PrintTreeItem& item) const {
    return widgets_.value(&item, nullptr);
}

void CPrint_Options_Adv_Dlg::Fill(PrintCheckTree* tree, PrintTreeItem& item,
                                  QTreeWidgetItem* parent) {
    auto* widget = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
    widget->setText(0, ToQString(item.label));
    records_.insert(widget, &item);
    widgets_.insert(&item, widget);
    for (const auto& child : item.children)
        Fill(tree, *child, widget);
}

void CPrint_Options_Adv_Dlg::ShowStates() {
    for (auto it = records_.cbegin(); it != records_.cend(); ++it)
        it.key()->setIcon(0, StateImage(it.value()->state));
}

void CPrint_Options_Adv_Dlg::ToggleItem(QTreeWidgetItem* item) {
    PrintTreeItem* record = records_.value(item, nullptr);
    if (!record)
        return;
    trees_->Toggle(*record);
    ShowStates();
}

void CPrint_Options_Adv_Dlg::ChooseOption(PrintOption option) {
    printOption = option;
    doc_.Root().SetPrintOption(option);
    if (refresh_)
        refresh_();
}

void CPrint_Options_Adv_Dlg::accept() {
    const PrintTreeItem& tree = showHidden ? trees_->Everything() : trees_->Shown();
    if (!PrintTreePair::AnyYearChecked(tree)) {
        QMessageBox::information(this, windowTitle(),
                                 QStringLiteral("There is nothing to print with these options."));
        return;
    }
    trees_->StoreMarks(tree);
    QDialog::accept();
}

} // namespace Dialog
