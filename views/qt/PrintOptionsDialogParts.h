#pragma once

#include <QString>

class CMainDoc;
class QButtonGroup;
class QDialog;
class QGroupBox;
class QLayout;
class QPushButton;
class QWidget;

// The pieces both "Printing Options" dialogs are made of.
namespace PrintOptionsDialogParts {

// A group of two radios, "All" (choice 0) and "Current" (choice 1), named by their control ids.
QGroupBox* MakeChoiceGroup(QWidget* parent, const QString& title, int allId, int currentId,
                           QButtonGroup*& group);
// Checks the radio of the choice; -1 (or anything else) checks neither.
void ShowChoice(QButtonGroup* group, int choice);
// The checked radio's choice, -1 when neither is checked.
int ReadChoice(const QButtonGroup* group);
// "Page Setup" (opening the margins dialog for the document), "&OK" and "&Cancel".
QLayout* MakeButtons(QDialog* dialog, CMainDoc& doc, int pageSetupId, QPushButton*& pageSetup);

} // namespace PrintOptionsDialogParts
