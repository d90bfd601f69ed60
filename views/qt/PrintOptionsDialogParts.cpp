#include "views/qt/PrintOptionsDialogParts.h"

#include <QButtonGroup>
#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>

#include "views/qt/DialogIds.h"
#include "views/qt/PageSetupDialog.h"

namespace PrintOptionsDialogParts {

QGroupBox* MakeChoiceGroup(QWidget* parent, const QString& title, int allId, int currentId,
                           QButtonGroup*& group) {
    auto* box = new QGroupBox(title, parent);
    auto* all = new QRadioButton(QStringLiteral("All"), box);
    all->setObjectName(QString::number(allId));
    auto* current = new QRadioButton(QStringLiteral("Current"), box);
    current->setObjectName(QString::number(currentId));
    group = new QButtonGroup(box);
    group->addButton(all, static_cast<int>(PrintChoice::All));
    group->addButton(current, static_cast<int>(PrintChoice::Current));
    auto* row = new QHBoxLayout(box);
    row->addWidget(all);
    row->addWidget(current);
    return box;
}

void ShowChoice(QButtonGroup* group, int id) {
    // An exclusive group cannot uncheck its last checked radio.
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons())
        button->setChecked(group->id(button) == id);
    group->setExclusive(true);
}

void ShowChoice(QButtonGroup* group, PrintChoice choice) {
    ShowChoice(group, static_cast<int>(choice));
}

PrintChoice ReadChoice(const QButtonGroup* group) {
    switch (group->checkedId()) {
    case static_cast<int>(PrintChoice::All):
        return PrintChoice::All;
    case static_cast<int>(PrintChoice::Current):
        return PrintChoice::Current;
    default:
        return PrintChoice::None;
    }
}

QLayout* MakeButtons(QDialog* dialog, CMainDoc& doc, int pageSetupId, QPushButton*& pageSetup,
                     CMainView* view) {
    auto* row = new QHBoxLayout;
    pageSetup = new QPushButton(QStringLiteral("Page Setup"), dialog);
    pageSetup->setObjectName(QString::number(pageSetupId));
    pageSetup->setAutoDefault(false);
    QObject::connect(pageSetup, &QPushButton::clicked, dialog, [dialog, &doc, view] {
        Dialog::CPage_Setup_Dlg setup(doc, dialog, view);
        setup.exec();
    });
    auto* ok = new QPushButton(QStringLiteral("&OK"), dialog);
    ok->setObjectName(QString::number(Dialog::kOkId));
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), dialog);
    cancel->setObjectName(QString::number(Dialog::kCancelId));
    cancel->setAutoDefault(false);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    row->addWidget(pageSetup);
    row->addStretch(1);
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

} // namespace PrintOptionsDialogParts
