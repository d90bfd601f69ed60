#pragma once

#include <QDialog>
#include <QList>
#include <QPageSize>

class QComboBox;
class QLabel;
class QPrinter;
class QRadioButton;

namespace Dialog {

// "Print Setup": the paper and its orientation for the printer File > Print and the preview
// use. The margins are the forecast's, chosen in Page Setup; this dialog leaves the printer's
// alone.
class PrintSetupDialog : public QDialog {
    Q_OBJECT

public:
    explicit PrintSetupDialog(QPrinter& printer, QWidget* parent = nullptr);

    QComboBox* PaperBox() const { return paper_; }
    QRadioButton* PortraitButton() const { return portrait_; }
    QRadioButton* LandscapeButton() const { return landscape_; }
    // The sizes the paper box offers, in its order.
    const QList<QPageSize>& Papers() const { return papers_; }

public slots:
    // Gives the printer the paper and orientation chosen.
    void accept() override;

private:
    QPrinter& printer_;
    QList<QPageSize> papers_;
    QComboBox* paper_ = nullptr;
    QRadioButton* portrait_ = nullptr;
    QRadioButton* landscape_ = nullptr;
};

} // namespace Dialog
