#include "views/qt/PrintSetupDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "views/qt/DialogButtons.h"
#include "views/qt/DialogIds.h"

namespace Dialog {

namespace {

// Offered when the printer names no sizes of its own (printing to a file, no printer set up).
const QPageSize::PageSizeId kCommonPapers[] = {
    QPageSize::A3,     QPageSize::A4,    QPageSize::A5,        QPageSize::B5,
    QPageSize::Letter, QPageSize::Legal, QPageSize::Executive, QPageSize::Tabloid};

// The papers the printer takes, and the one it has now whether it is among them or not.
QList<QPageSize> PapersOf(const QPrinter& printer) {
    QList<QPageSize> papers;
    if (printer.outputFormat() == QPrinter::NativeFormat)
        papers = QPrinterInfo(printer).supportedPageSizes();
    if (papers.isEmpty())
        for (const QPageSize::PageSizeId id : kCommonPapers)
            papers.append(QPageSize(id));
    const QPageSize current = printer.pageLayout().pageSize();
    bool listed = false;
    for (const QPageSize& paper : papers)
        listed = listed || paper.isEquivalentTo(current);
    if (!listed && current.isValid())
        papers.prepend(current);
    return papers;
}

} // namespace

PrintSetupDialog::PrintSetupDialog(QPrinter& printer, QWidget* parent)
    : QDialog(parent), printer_(printer), papers_(PapersOf(printer)) {
    setWindowTitle(QStringLiteral("Print Setup"));

    auto* printerGroup = new QGroupBox(QStringLiteral("Printer"), this);
    auto* printerForm = new QFormLayout(printerGroup);
    const QString name =
        printer.outputFormat() == QPrinter::NativeFormat ? printer.printerName() : QString();
    auto* printerName =
        new QLabel(name.isEmpty() ? QStringLiteral("No printer is set up") : name, printerGroup);
    printerName->setObjectName(QStringLiteral("PrinterName"));
    printerName->setTextFormat(Qt::PlainText);
    printerForm->addRow(QStringLiteral("Name:"), printerName);

    auto* paperGroup = new QGroupBox(QStringLiteral("Paper"), this);
    auto* paperForm = new QFormLayout(paperGroup);
    paper_ = new QComboBox(paperGroup);
    paper_->setObjectName(QStringLiteral("PaperSize"));
    const QPageSize current = printer.pageLayout().pageSize();
    for (const QPageSize& paper : papers_) {
        paper_->addItem(paper.name());
        if (paper.isEquivalentTo(current))
            paper_->setCurrentIndex(paper_->count() - 1);
    }
    paperForm->addRow(QStringLiteral("&Size:"), paper_);

    auto* orientationGroup = new QGroupBox(QStringLiteral("Orientation"), this);
    auto* orientationRow = new QHBoxLayout(orientationGroup);
    portrait_ = new QRadioButton(QStringLiteral("P&ortrait"), orientationGroup);
    portrait_->setObjectName(QStringLiteral("Portrait"));
    landscape_ = new QRadioButton(QStringLiteral("&Landscape"), orientationGroup);
    landscape_->setObjectName(QStringLiteral("Landscape"));
    orientationRow->addWidget(portrait_);
    orientationRow->addWidget(landscape_);
    (printer.pageLayout().orientation() == QPageLayout::Landscape ? landscape_ : portrait_)
        ->setChecked(true);

    QDialogButtonBox* buttons = MakeOkCancel(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(printerGroup);
    layout->addWidget(paperGroup);
    layout->addWidget(orientationGroup);
    layout->addWidget(buttons);
}

void PrintSetupDialog::accept() {
    const int index = paper_->currentIndex();
    if (index >= 0 && index < papers_.size())
        printer_.setPageSize(papers_[index]);
    printer_.setPageOrientation(landscape_->isChecked() ? QPageLayout::Landscape
                                                        : QPageLayout::Portrait);
    QDialog::accept();
}

} // namespace Dialog
