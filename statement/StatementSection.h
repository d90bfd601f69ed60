#pragma once

#include <array>
#include <cstddef>
namespace Statement {

// The sections of the Standard and Basic statement, in the order they are drawn.
enum class StatementSection {
    Income,
    DirectCosts,
    Expenses,
    Interest,
    CapitalReceipts,
    CapitalExpenses,
    CapitalPayments,
    Tax,
    Bank,
    Investments,
    Loans,
};
inline constexpr int kStatementSections = 11;

// One value per statement section, looked up by the section.
template <class T> struct PerSection : std::array<T, kStatementSections> {
    using std::array<T, kStatementSections>::operator[];
    T& operator[](StatementSection section) { return (*this)[static_cast<std::size_t>(section)]; }
    const T& operator[](StatementSection section) const {
        return (*this)[static_cast<std::size_t>(section)];
    }
};

} // namespace Statement
