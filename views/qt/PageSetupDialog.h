#pragma once

#include <array>

#include <QDialog>

#include "views/qt/DialogIds.h"

class CMainDoc;
class CMainView;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QToolButton;

namespace Dialog {

// "Page Setup": the four print margins of the forecast in millimetres, stored in the forecast
// root on OK and lasting as long as the file is open (the file is never written); and, given
// the view, how its edition's printouts are laid across the paper, which the view's settings
// keep.
class CPage_Setup_Dlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kDialogId = 204;
    // Edits and spin controls, in the order top, left, right, bottom.
    static constexpr int kTopEditId = 1296;
    static constexpr int kTopSpinId = 1295;
    static constexpr int kLeftEditId = 1298;
    static constexpr int kLeftSpinId = 1297;
    static constexpr int kRightEditId = 1300;
    static constexpr int kRightSpinId = 1399;
    static constexpr int kBottomEditId = 1302;
    static constexpr int kBottomSpinId = 1301;
    // The spin controls step within this range; the edits take any whole number.
    static constexpr int kSpinMinimum = 0;
    static constexpr int kSpinMaximum = 100;

    explicit CPage_Setup_Dlg(CMainDoc& doc, QWidget* parent = nullptr, CMainView* view = nullptr);

    // The margins the dialog closed with (0 until OK).
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;

    // The edit or a spin control's up (true) or down arrow, by control id.
    QLineEdit* Edit(int editId) const;
    QToolButton* SpinArrow(int spinId, bool up) const;
    // "Fit to pages wide" (Off, 1, 2, 3) and "Repeat row labels on every page"; null without
    // a view.
    QComboBox* FitBox() const { return fitBox_; }
    QCheckBox* RepeatBox() const { return repeatBox_; }

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct Margin {
        int editId = 0;
        int spinId = 0;
        QLineEdit* edit = nullptr;
        QToolButton* up = nullptr;
        QToolButton* down = nullptr;
    };

    QWidget* MakeSpin(Margin& margin);
    // The spin control moves its edit's value one step within its range.
    void Step(Margin& margin, int step);
    // The root's margins into the edits.
    void LoadMargins();

    // The view's fit into the boxes.
    void LoadPaperFit();

    CMainDoc& doc_;
    CMainView* view_ = nullptr;
    QComboBox* fitBox_ = nullptr;
    QCheckBox* repeatBox_ = nullptr;
    std::array<Margin, 4> margins_;
    bool loaded_ = false;
};

} // namespace Dialog
