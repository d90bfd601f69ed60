#pragma once

// A radio pair of the Standard and Basic "Printing Options": every entry of a tab row, or only
// the current one. The values are the radios' numbers in the dialog.
enum class PrintChoice { None = -1, All = 0, Current = 1 };

// What the Printing Options dialogs of the Standard and Basic views choose; the Basic dialog has
// the years choice only.
struct StdPrintChoices {
    PrintChoice scenarios = PrintChoice::None;
    PrintChoice companies = PrintChoice::None;
    PrintChoice years = PrintChoice::None;
    bool cashflow = false;
    bool graphs = false;
};
