#pragma once

// Row categories of a year, by list index.
enum Category {
    kIncome = 0,
    kDirectCost = 1,
    kExpense = 2,
    kOtherIncome = 3,
    kCapitalReceipt = 4,
    kCapitalExpense = 5,
    kCapitalPayment = 6,
    kTax = 7,
    kBank = 8,
    kInvestment = 9,
    kLoan = 10,
    kTotal = 11,
    kNote = 12,
};
inline constexpr int kCategories = 13;

// The eighteen total rows of category 11, by index.
enum TotalRow {
    kTotalIncome = 0,
    kTotalDirectCosts = 1,
    kTotalGrossSurplus = 2,
    kTotalExpenses = 3,
    kTotalNetBeforeInterest = 4,
    kTotalInterest = 5,
    kTotalNetBeforeOtherIncome = 6,
    kTotalOtherIncome = 7,
    kTotalNetSurplus = 8,
    kTotalCapitalReceipts = 9,
    kTotalCapitalExpenses = 10,
    kTotalCapitalPayments = 11,
    kTotalNetBeforeTax = 12,
    kTotalTax = 13,
    kTotalNetCashMovement = 14,
    kTotalBank = 15,
    kTotalInvestments = 16,
    kTotalLoans = 17,
};
inline constexpr int kTotalRows = 18;

// The total row each category's rows add into (categories 0-10).
inline constexpr int kCategoryTotal[11] = {0, 1, 3, 7, 9, 10, 11, 13, 15, 16, 17};
