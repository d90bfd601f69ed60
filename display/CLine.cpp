#include "display/CLine.h"

#include <algorithm>

#include "database/CDisplaySettings.h"
#include "database/CTaxSetup.h"
#include "database/CYear.h"
#include "display/CTotal.h"
#include "display/LayoutMetrics.h"
#include "display/LayoutSupport.h"
#include "display/MoneyText.h"
#include "display/RowCells.h"
#include "document/CMainDoc.h"
#include "items/CBank.h"
#include "items/CItem.h"
#include "items/CLoan.h"
#include "items/CTaxSum.h"
#include "platform/DeviceContext.h"

namespace Display {
namespace {

// The label, arrays and options a row takes from its forecast object.
struct RowSource {
    Text label;
    const MonthAmounts* actual = nullptr;
    const MonthAmounts* expected = nullptr;
    int sign = 1;
    std::int32_t totalMode = kSumOfMonths;
    bool showPercentage = true;
    bool suppress = false;

    void Pick(const MonthAmounts& actualValues, const MonthAmounts& expectedValues) {
        actual = &actualValues;
        expected = &expectedValues;
    }
};

RowSource FromLoan(const Item::CLoan& loan, std::int32_t kind, bool isLoan) {
    RowSource row;
    switch (kind) {
    case kBalanceOpening:
        row.label = u"  Opening Balance";
        row.Pick(loan.ActualBalance, loan.ExpectedBalance);
        row.totalMode = kFirstMonth;
        break;
    case kBalanceAdvances:
        row.label = isLoan ? u"  Advances" : u"  Deposits";
        row.Pick(loan.ActualAdvances, loan.ExpectedAdvances);
        break;
    case kBalanceInterest:
        row.label = u"  Interest";
        row.Pick(loan.ActualInterest, loan.ExpectedInterest);
        break;
    case kBalancePayments:
        row.label = isLoan ? u"  Payments" : u"  Withdrawals";
        row.Pick(loan.ActualPayments, loan.ExpectedPayments);
        row.sign = -1;
        break;
    case kCashAdvance:
        row.label = (isLoan ? u"Advance " : u"Deposits ") + loan.name;
        row.Pick(loan.ActualAdvances, loan.ExpectedAdvances);
        break;
    case kCashInterest:
        row.label = u"Interest " + loan.name;
        row.Pick(loan.ActualInterestPaid, loan.ExpectedInterestPaid);
        break;
    case kCashPrincipal:
        row.label = (isLoan ? u"Principal " : u"Withdrawals ") + loan.name;
        row.Pick(loan.ActualPrincipalPaid, loan.ExpectedPrincipalPaid);
        break;
    case kBalanceAdjustments:
        row.label = u"  Adjustments";
        row.Pick(loan.ActualAdjustments, loan.ExpectedAdjustments);
        break;
    default: row.label = u"  " + loan.name; break;
    }
    return row;
}

RowSource FromTaxSum(const Item::CTaxSum& tax, std::int32_t kind, std::size_t taxCount,
                     bool exclusive) {
    RowSource row;
    row.label = taxCount < 2 ? Text() : Text(u"  ");
    switch (kind) {
    case kTaxOnSales:
        row.label += u"on Sales";
        row.Pick(tax.ActualOnSales, tax.ExpectedOnSales);
        row.suppress = !exclusive;
        break;
    case kTaxOnExpenses:
        row.label += u"on Expenses";
        row.Pick(tax.ActualOnExpenses, tax.ExpectedOnExpenses);
        row.sign = -1;
        row.suppress = !exclusive;
        break;
    case kTaxPayments:
        row.label += u"Payments";
        row.Pick(tax.ActualPayments, tax.ExpectedPayments);
        row.sign = -1;
        break;
    case kTaxRefunds:
        row.label += u"Refunds";
        row.Pick(tax.ActualRefunds, tax.ExpectedRefunds);
        break;
    case kTaxAdjustments:
        row.label += u"Adjustments";
        row.Pick(tax.ActualAdjustments, tax.ExpectedAdjustments);
        break;
    default: row.label += tax.name; break;
    }
    return row;
}

RowSource FromBank(const Item::CBank& bank, std::int32_t kind) {
    RowSource row;
    switch (kind) {
    case kBankCrInterest:
        row.label = u"CR Interest " + bank.name;
        row.Pick(bank.ActualCrInterest, bank.ExpectedCrInterest);
        row.suppress = bank.NoCrInterest;
        break;
    case kBankOdInterest:
        row.label = u"O/D Interest " + bank.name;
        row.Pick(bank.ActualOdInterest, bank.ExpectedOdInterest);
        row.suppress = bank.NoOdInterest;
        break;
    case kBankOpening:
        row.label = u"Opening Balance";
        row.Pick(bank.ActualBalance, bank.ExpectedBalance);
        row.totalMode = kFirstMonth;
        break;
    case kBankMovement: row.showPercentage = false; break;
    case kBankAdjustments:
        row.label = u"Adjustments";
        row.Pick(bank.ActualAdjustments, bank.ExpectedAdjustments);
        break;
    case kBankOdLimit:
        row.label = u"O/D Limit";
        row.Pick(bank.ActualOdLimit, bank.ExpectedOdLimit);
        row.totalMode = kNoTotals;
        row.suppress = bank.NoOdLimit;
        break;
    default: row.label = bank.name; break;
    }
    return row;
}

bool IsOpening(std::int32_t kind) {
    return kind == kBalanceOpening || kind == kBankOpening;
}

} // namespace

CLine::CLine() {
    style = &ownStyle_;
}

CLine::CLine(const LayoutKey& objectKey, std::int32_t kind, CTotal* lineTotal, bool adds,
             bool gapAbove, std::int32_t styleValue)
    : CLayout(objectKey), lineKind(kind), total(lineTotal), addsToTotal(adds), gapBefore(gapAbove),
      ownStyle_(styleValue) {
    style = &ownStyle_;
}

void CLine::Resolve(ArrangeContext& context) {
    actualValues = nullptr;
    expectedValues = nullptr;
    showPercentage = true;
    sign = 1;
    totalMode = kSumOfMonths;
    taxCodes_.clear();

    CMainDoc& doc = *context.doc;
    Database::CObject* object = key.IsSet(LayoutKey::kView) ? FindObject(doc, key) : nullptr;
    const Database::CYear* year = context.currentKey ? FindYear(doc, *context.currentKey) : nullptr;
    const bool exclusive = year ? year->display.taxExclusive : true;

    RowSource row;
    if (const auto* item = Item::RowAs<Item::CItem>(dynamic_cast<Item::CBaseItem*>(object))) {
        row.label = item->name;
        row.actual = &item->Actual;
        row.expected = &item->Expected;
        if (lineKind == kOrdinaryLine) {
            const auto taxes = DocumentTaxes(doc);
            for (std::size_t t = 0; t < taxes.size(); ++t) {
                const Database::CTaxRate* rate =
                    t < item->TaxLinks.size() ? taxes[t]->Rate(item->TaxLinks[t]) : nullptr;
                taxCodes_.push_back(rate ? rate->Code : Text());
            }
        }
    } else if (const auto* loan = dynamic_cast<const Item::CLoan*>(object)) {
        row = FromLoan(*loan, lineKind, key[LayoutKey::kCategory] == kLoan);
        if (loan->IsHidden() && lineKind == kBalanceOpening && total)
            total->SetSuppressed(true);
    } else if (const auto* tax = dynamic_cast<const Item::CTaxSum*>(object)) {
        row = FromTaxSum(*tax, lineKind, DocumentTaxes(doc).size(), exclusive);
        if (tax->IsHidden() && total)
            total->SetSuppressed(true);
    } else if (const auto* bank = dynamic_cast<const Item::CBank*>(object)) {
        row = FromBank(*bank, lineKind);
    }

    text = row.label;
    actualValues = row.actual;
    expectedValues = row.expected;
    sign = row.sign;
    totalMode = row.totalMode;
    showPercentage = row.showPercentage;
    const auto* base = dynamic_cast<const Database::CBase*>(object);
    if (row.suppress || (base && base->IsHidden()))
        suppressed = true;
}

void CLine::FormFigures(ArrangeContext& context) {
    variance.fill(0);
    totals.fill(0);
    percents.fill(0);
    percentShown.fill(false);
    const Database::CYear* year = context.currentKey ? FindYear(*context.doc, *context.currentKey)
                                                     : nullptr;
    if (!year || !actualValues || !expectedValues) {
        monthCount_ = 0;
        return;
    }
    const Database::CDisplaySettings& display = year->display;
    const YearSpan span = SpanOf(*year);
    startMonth_ = span.start;
    monthCount_ = span.count;
    DeviceContext& dc = *context.dc;
    LayoutMetrics& metrics = *context.metrics;
    FigureMeter measure(dc, metrics, display);

    const MonthAmounts& actual = *actualValues;
    const MonthAmounts& expected = *expectedValues;
    for (int i = 0; i < span.count; ++i) {
        const int m = span.Month(i);
        if (MonthShown(display, Database::kActual, m))
            measure(SaturatingTimes(actual[m], sign));
        if (MonthCounted(display, Database::kActual, m)) {
            variance[m] = SaturatingAdd(variance[m], actual[m]);
            totals[Database::kActual] =
                SaturatingAdd(totals[Database::kActual], SaturatingTimes(actual[m], sign));
        }
        if (MonthShown(display, Database::kExpected, m))
            measure(SaturatingTimes(expected[m], sign));
        if (MonthCounted(display, Database::kExpected, m)) {
            variance[m] = SaturatingSub(variance[m], expected[m]);
            totals[Database::kExpected] =
                SaturatingAdd(totals[Database::kExpected], SaturatingTimes(expected[m], sign));
        }
        if (MonthShown(display, Database::kVariance, m))
            measure(SaturatingTimes(variance[m], sign));
    }
    if (totalMode == kFirstMonth || totalMode == kLastMonth) {
        const int m = totalMode == kFirstMonth ? span.start : span.LastMonth();
        totals[Database::kActual] = SaturatingTimes(actual[m], sign);
        totals[Database::kExpected] = SaturatingTimes(expected[m], sign);
    }
    totals[Database::kVariance] =
        SaturatingSub(totals[Database::kActual], totals[Database::kExpected]);
    if (totalMode != kNoTotals)
        for (Amount value : totals)
            measure(value);
    if (showPercentage) {
        FormPercentages(totals, *year, percents, percentShown);
        for (int k = 0; k < 3; ++k)
            if (percentShown[k])
                measure(percents[k]);
    }

    if (!total)
        return;
    if (IsOpening(lineKind)) {
        total->AddOpening(actual, expected, display, *year);
        return;
    }
    MonthAmounts signedActual = actual;
    MonthAmounts signedExpected = expected;
    if (sign < 0) {
        for (int m = 0; m < kMonths; ++m) {
            signedActual[m] = SaturatingTimes(actual[m], sign);
            signedExpected[m] = SaturatingTimes(expected[m], sign);
        }
    }
    if (addsToTotal)
        total->AddRow(signedActual, signedExpected, display, *year);
    else
        total->SubtractRow(signedActual, signedExpected, display, *year);
}

void CLine::Place(ArrangeContext& context) {
    LayoutMetrics& metrics = *context.metrics;
    DeviceContext& dc = *context.dc;
    const Rect& content = metrics.ContentArea();
    const int gap = metrics.RowGap();
    if (context.currentKey)
        yearKey = *context.currentKey;
    highlighted = context.highlightKey && key == *context.highlightKey &&
                  context.highlightKey->IsSet(LayoutKey::kView);
    clipRect = content;
    if (gapBefore)
        metrics.rowCursor = Offset(metrics.rowCursor, 0, metrics.rowCursor.Height() + gap);
    metrics.PageBreak(metrics.rowCursor.Height() + gap);
    metrics.widestDescription = std::max(metrics.widestDescription, dc.TextExtent(text).width);
    bounds = metrics.rowCursor;

    if (highlighted && context.bringIntoView) {
        if (bounds.top < content.top)
            context.scrollDelta = std::min(context.scrollDelta, bounds.top - content.top);
        else
            context.scrollDelta = bounds.bottom > content.bottom ? bounds.bottom - content.bottom : 0;
    }
    metrics.rowCursor = Offset(metrics.rowCursor, 0, bounds.Height() + gap);

    expanderCell = ColumnCell(metrics.expanderColumn, bounds);
    expander.Set(expanderCell, content, style);
    descriptionCell = ColumnCell(metrics.descriptionColumn, bounds);
    RowCells::Taxes(metrics, bounds, DocumentTaxes(*context.doc).size(), taxCells);
    figureClip = content;
    // Figures scrolled left pass under every column that stays put, the notes column included.
    figureClip.left = taxCells.empty() ? metrics.figureAreaLeft
                                       : taxCells.back().right + metrics.cornerSize.width;
    for (int i = 0; i < kMonths; ++i)
        for (int k = 0; k < 3; ++k)
            monthCells[i][k] = RowCells::Figure(metrics, 3 * i + k, bounds);
    for (int k = 0; k < 3; ++k) {
        totalCells[k] = RowCells::Figure(metrics, LayoutMetrics::kTotalColumn + k, bounds);
        percentCells[k] = RowCells::Figure(metrics, LayoutMetrics::kPercentColumn + k, bounds);
    }
    bounds.top -= gap / 2;
    bounds.bottom += gap / 2 + 1;
    placed = true;
}

void CLine::Arrange(ArrangeContext& context) {
    placed = false;
    Resolve(context);
    if (suppressed)
        return;
    FormFigures(context);
    if (!hidden)
        Place(context);
}

void CLine::Draw(DrawContext& context) {
    if (suppressed || hidden) {
        placed = false;
        return;
    }
    const LayoutMetrics& metrics = *context.metrics;
    if (metrics.RightOfLeftmostPage() && key[LayoutKey::kCategory] == kNote)
        return;
    DeviceContext& dc = *context.dc;
    placed = placed && Meets(bounds, metrics.ContentArea());
    if (!placed)
        return;
    expander.Draw(dc);
    dc.SetTextColour(kBlack);
    dc.SetBackColour(kWhite);

    const bool tinted = highlighted && !dc.IsPrinting();
    if (tinted) {
        TintRow(
            dc, descriptionCell, [&](int i, int k) -> const Rect& { return monthCells[i][k]; },
            totalCells, showPercentage ? &percentCells : nullptr, metrics.ContentArea());
        dc.SetBackColour(kRowTint);
    }
    DrawTextInCell(dc, text, Align::Left, descriptionCell, clipRect);

    const Database::CDisplaySettings* display = context.display;
    if (!actualValues || !expectedValues || !display)
        return;
    for (std::size_t t = 0; t < taxCells.size() && t < taxCodes_.size(); ++t)
        DrawTextInCell(dc, taxCodes_[t], Align::Centre, taxCells[t], clipRect);

    const Colour* colours = tinted ? kSubColumnDark : kSubColumn;
    const MonthAmounts& actual = *actualValues;
    const MonthAmounts& expected = *expectedValues;
    for (int i = 0; i < monthCount_; ++i) {
        const int m = (i + startMonth_) % 12;
        const Amount values[3] = {actual[m], expected[m], variance[m]};
        for (int k = 0; k < 3; ++k)
            if (MonthShown(*display, k, m))
                DrawFigure(dc, MoneyText(*display, SaturatingTimes(values[k], sign)),
                           monthCells[i][k], figureClip, colours[k]);
    }
    for (int k = 0; k < 3; ++k) {
        if (totalMode != kNoTotals && TotalShown(*display, k))
            DrawFigure(dc, MoneyText(*display, totals[k]), totalCells[k], figureClip, colours[k]);
        if (showPercentage && percentShown[k] && PercentageShown(*display, k))
            DrawFigure(dc, MoneyText(*display, percents[k]), percentCells[k], figureClip,
                       colours[k]);
    }
    dc.SetBackColour(kWhite);
}

} // namespace Display
