#pragma once

#include <functional>
#include <memory>

#include <QDialog>
#include <QHash>
#include <QIcon>
#include <QTreeWidget>

#include "database/PrintOption.h"
#include "views/PrintTree.h"

class CMainDoc;
class CMainView;
class QButtonGroup;
class QCheckBox;
class QPushButton;

namespace Dialog {

// A tree whose items carry a check drawn as their icon; a press on that icon asks for a toggle.
// Double-clicks neither expand nor collapse.
class PrintCheckTree : public QTreeWidget {
    Q_OBJECT

public:
    explicit PrintCheckTree(QWidget* parent = nullptr);
    // Where the item's check is drawn, in viewport coordinates.
    QRect CheckRect(QTreeWidgetItem* item) const;

signals:
    void checkPressed(QTreeWidgetItem* item);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

// "Printing Options" of the Advanced edition: which years to print, ticked in a tree of every
// view, scenario, company and year, and how the statement's sections print (open, closed, or as
// on screen). The choice of print option is stored in the forecast at once; the years' print
// marks on OK.
class CPrint_Options_Adv_Dlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kDialogId = 169;
    static constexpr int kAllTreeId = 1292;
    static constexpr int kShowHiddenId = 1293;
    static constexpr int kShownTreeId = 1294;
    static constexpr int kAsSelectedId = 1005;
    static constexpr int kCollapsedId = 1008;
    static constexpr int kPerDisplayId = 1009;
    static constexpr int kExpandedId = 1010;
    static constexpr int kPageSetupId = 1398;
    static constexpr int kMinimumWidth = 390;
    static constexpr int kMinimumHeight = 200;

    // `onScreen` is the year the window shows: ticked when no year is marked yet.
    // `view`, when given, is the one whose paper fit Page Setup shows.
    explicit CPrint_Options_Adv_Dlg(CMainDoc& doc, QWidget* parent = nullptr,
                                    const Database::CYear* onScreen = nullptr,
                                    CMainView* view = nullptr);
    ~CPrint_Options_Adv_Dlg() override;

    // Called after a print option was stored, so that the view rebuilds for it.
    void SetRefresh(std::function<void()> refresh) { refresh_ = std::move(refresh); }

    PrintOption printOption = PrintOption::PerDisplay;
    // Whether the tree with the hidden entries is the one in use.
    bool showHidden = false;

    CMainDoc& Document() const { return doc_; }
    PrintCheckTree* Tree(int id) const;
    // The tree item of a print tree item, in the tree it belongs to.
    QTreeWidgetItem* WidgetItem(const PrintTreeItem& item) const;
    PrintTreePair& Trees() { return *trees_; }
    // The picture of a check state.
    static QIcon StateImage(PrintCheck state);

public slots:
    // OK with no year ticked says there is nothing to print and keeps the dialog open.
    void accept() override;

private:
    void Fill(PrintCheckTree* tree, PrintTreeItem& item, QTreeWidgetItem* parent);
    void ShowStates();
    void ToggleItem(QTreeWidgetItem* item);
    void ChooseOption(PrintOption option);

    CMainDoc& doc_;
    std::function<void()> refresh_;
    std::unique_ptr<PrintTreePair> trees_;
    PrintCheckTree* allTree_ = nullptr;
    PrintCheckTree* shownTree_ = nullptr;
    QCheckBox* showHiddenBox_ = nullptr;
    QButtonGroup* options_ = nullptr;
    QPushButton* pageSetup_ = nullptr;
    QHash<QTreeWidgetItem*, PrintTreeItem*> records_;
    QHash<const PrintTreeItem*, QTreeWidgetItem*> widgets_;
};

} // namespace Dialog
