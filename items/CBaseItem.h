#pragma once

#include <cstdint>
#include <optional>
#include <typeinfo>

#include "core/Months.h"
#include "database/CBase.h"

namespace Database {
class CCompany;
class CYear;
} // namespace Database

namespace Item {

// What consolidation adds of a source row's Actual figures; its Expected figures are always
// added scaled by a × b.
enum class AddMode : std::int32_t {
    ExpectedOnly = 0, // the Actual figures are left alone
    ActualsByA = 1,   // the Actual figures scaled by a alone
    ActualsByAB = 2,  // the Actual figures scaled by a × b, as the Expected ones
};

// The abstract row of a year: every row kind clears, copies, scales, sums and stores itself
// through this interface. The base behaviour does nothing and answers 0 / false / none.
//
// Modes of CopyFrom: 1 takes the source's Expected side as it is, 2 takes the source's Actual
// figures as this row's Expected figures. Month arguments outside 0-11 are
// ignored.
class CBaseItem : public Database::CBase {
public:
    static constexpr double kVersion = 1.1;

    const char* ClassName() const override { return "CBaseItem"; }
    void Serialize(Archive& ar) override;

    // Copies one month's figures; 1 when the source is of another class.
    virtual int CopyMonth(int destMonth, const CBaseItem& source, int sourceMonth);
    // The item merge; 1 when the source is of another class.
    virtual int CopyFrom(const CBaseItem& source, int mode, bool copyActuals, bool copyName);
    virtual void ClearMonth(int month);
    virtual void ClearMonthPart(int month, bool actual);
    virtual void ClearComputed(bool keepOpenings, bool clearInputs);
    // Adds the Expected figures into the accumulator and returns their 12-month sum.
    virtual Amount AddExpectedTo(MonthAmounts& accumulator) const;
    virtual Amount ActualSum() const;
    // Consolidation: adds the source's figures scaled by a and b (nothing for another class).
    virtual void AddScaled(const CBaseItem& source, double a, double b, AddMode mode);
    // Every scalable figure becomes floor(value × x + 0.5).
    virtual void Scale(double x);
    // Converts between tax-inclusive and tax-exclusive figures.
    virtual int ApplyTaxFactor(bool divide, const Database::CCompany& company,
                               const Database::CYear& year);
    // Tax-link maintenance; true when the addressed entry does not exist.
    virtual bool MoveTaxLink(int from, int before);
    virtual bool AppendTaxLink();
    virtual bool RemoveTaxLink(int index);
    virtual bool DropTaxRate(int setupIndex, int rateIndex);
    virtual bool SetTaxLink(int setupIndex, int rateIndex);
    // The row's outline state, or none.
    virtual std::int32_t* Setting();

    std::int32_t NoteCount = 0;

protected:
    // target += value, saturating at the 64-bit limits: figures read from a damaged file may be
    // near them, and an overflowing sum must not be undefined. These helpers are inline because
    // consolidation runs them for every month of every row and target.
    static void AddTo(Amount& target, Amount value) { target = SaturatingAdd(target, value); }
    // target[m] += trunc(source[m] × factor) for every month. A zero adds nothing whatever the
    // factor (a NaN product truncates to 0 too), so months without figures, such as the Actual
    // months still to come, cost only the test.
    static void AddScaledMonths(MonthAmounts& target, const MonthAmounts& source, double factor) {
#pragma GCC unroll 12
        for (int m = 0; m < kMonths; ++m)
            if (source[m] != 0)
                AddTo(target[m], ScaleTrunc(source[m], factor));
    }
    // What the Actual figures are scaled by in a mode, or none when the mode leaves them alone
    // (any number outside the named modes does).
    static std::optional<double> ActualFactor(AddMode mode, double a, double b) {
        switch (mode) {
        case AddMode::ActualsByA:
            return a;
        case AddMode::ActualsByAB:
            return a * b;
        default:
            return std::nullopt;
        }
    }
    // values[m] = floor(values[m] × x + 0.5) for every month; a zero stays 0 for any x.
    static void ScaleMonths(MonthAmounts& values, double x) {
#pragma GCC unroll 12
        for (Amount& value : values)
            if (value != 0)
                value = ScaleRound(value, x);
    }
};

// The row as one row class, or none: a dynamic_cast whose common case, a row of exactly that
// class, is settled by comparing type identities. The calculation asks this for every row it
// visits and every row it consolidates, where a full dynamic_cast was a tenth of the work.
template <class Row> Row* RowAs(CBaseItem* row) {
    if (row != nullptr && &typeid(*row) == &typeid(Row))
        return static_cast<Row*>(row);
    return dynamic_cast<Row*>(row);
}
template <class Row> const Row* RowAs(const CBaseItem* row) {
    if (row != nullptr && &typeid(*row) == &typeid(Row))
        return static_cast<const Row*>(row);
    return dynamic_cast<const Row*>(row);
}

} // namespace Item
