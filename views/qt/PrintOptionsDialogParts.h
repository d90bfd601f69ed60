#pragma once

#include <QString>

#include "views/StdPrintChoices.h"

class CMainDoc;
class CMainView;
class QButtonGroup;
class QDialog;
class QGroupBox;
class QLayout;
class QPushButton;
class QWidget;

// The pieces both "Printing Options" dialogs are made of.
namespace PrintOptionsDialogParts {

// A group of two radios, "All" and "Current", named by their control ids.
QGroupBox* MakeChoiceGroup(QWidget* parent, const QString& title, int allId, int currentId,
                           QButtonGroup*& group);
// Checks the radio whose number in the group is `id`; any other number checks none.
void ShowChoice(QButtonGroup* group, int id);
void ShowChoice(QButtonGroup* group, PrintChoice choice);
// The checked radio's choice, None when neither is checked.
PrintChoice ReadChoice(const QButtonGroup* group);
// "Page Setup" (opening the page setup dialog for the document and, given, the view), "&OK" and
// "&Cancel".
QLayout* MakeButtons(QDialog* dialog, CMainDoc& doc, int pageSetupId, QPushButton*& pageSetup,
                     CMainView* view = nullptr);

} // namespace PrintOptionsDialogParts
