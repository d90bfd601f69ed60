#include <gtest/gtest.h>

#include "views/StatementForecast.h"
#include "statement/StatementModel.h"

using namespace Statement;

namespace {

using Kind = StatementLine::Kind;

StatementModel Model(StatementForecast& forecast, Edition edition = Edition::Standard,
                     int scenario = 0, int company = 0, int year = 0) {
    forecast.doc.Recalculate();
    const StatementSelection selection =
        ResolveStatementSelection(forecast.doc.Root(), edition, scenario, company, year);
    return BuildStatementModel(forecast.doc.Root(), selection, edition);
}

// The labels of the lines that take space and draw something, in order.
std::vector<Text> Labels(const StatementModel& model) {
    std::vector<Text> labels;
    for (const StatementLine& line : model.lines)
        if (line.kind != Kind::Spacer && line.kind != Kind::Hidden)
            labels.push_back(line.label);
    return labels;
}

const StatementLine& Line(const StatementModel& model, const Text& label, int occurrence = 0) {
    for (const StatementLine& line : model.lines) {
        if (line.label == label && occurrence-- == 0)
            return line;
    }
    ADD_FAILURE() << "no line " << ToUtf8(label);
    static const StatementLine none;
    return none;
}

bool Has(const StatementModel& model, const Text& label) {
    const auto labels = Labels(model);
    return std::find(labels.begin(), labels.end(), label) != labels.end();
}

MonthAmounts Months(Amount value) {
    MonthAmounts months;
    months.fill(value);
    return months;
}

// Sales 1,000.00, Stock 400.00 and Rent 250.00 every month of a January year; no tax.
class ShopTest : public ::testing::Test {
protected:
    ShopTest() {
        forecast.AddItem(kIncome, u"Sales", 100000);
        forecast.AddItem(kDirectCost, u"Stock", 40000);
        forecast.AddItem(kExpense, u"Rent", 25000);
    }
    StatementForecast forecast;
};

TEST_F(ShopTest, SectionsTotalsAndSurplusLinesInOrder) {
    const StatementModel model = Model(forecast);
    const std::vector<Text> expected = {u"INCOME",
                                        u"Sales",
                                        u"Total Income",
                                        u"DIRECT COSTS",
                                        u"Stock",
                                        u"Total Direct Costs",
                                        u"GROSS SURPLUS",
                                        u"EXPENSES",
                                        u"Rent",
                                        u"Total Expenses",
                                        u"NET SURPLUS BEFORE INTEREST",
                                        u"INTEREST",
                                        u"O/D Interest",
                                        u"Total Interest",
                                        u"NET SURPLUS",
                                        u"Bank A/C",
                                        u"Opening Balance",
                                        u"Net Movement",
                                        u"Adjustments",
                                        u"Closing Bank Balance",
                                        u"O/D Limit"};
    EXPECT_EQ(Labels(model), expected);

    // Every total and surplus line is followed by an empty row.
    for (std::size_t i = 0; i + 1 < model.lines.size(); ++i) {
        const Kind kind = model.lines[i].kind;
        if (kind == Kind::Total || kind == Kind::Surplus) {
            EXPECT_EQ(model.lines[i + 1].kind, Kind::Spacer) << ToUtf8(model.lines[i].label);
        }
    }
}

TEST_F(ShopTest, RunningMovementSignsAndPercentages) {
    const StatementModel model = Model(forecast);
    // Direct costs are shown positive in their own section and subtracted from the movement.
    EXPECT_EQ(Line(model, u"Total Direct Costs").values, Months(40000));
    // 1,000.00 - 400.00 = 600.00 a month; 7,200.00 for the year.
    EXPECT_EQ(Line(model, u"GROSS SURPLUS").values, Months(60000));
    EXPECT_EQ(Line(model, u"GROSS SURPLUS").total, 720000);
    // 600.00 - 250.00 = 350.00; no interest, so NET SURPLUS and the bank's movement agree.
    EXPECT_EQ(Line(model, u"NET SURPLUS BEFORE INTEREST").values, Months(35000));
    EXPECT_EQ(Line(model, u"NET SURPLUS").values, Months(35000));
    EXPECT_EQ(Line(model, u"Net Movement").values, Months(35000));

    // Base: income 12 x 1,000.00 = 1,200,000 hundredths. Stock 480,000 x 10000 / 1,200,000
    // = 4000 (40.00 %); gross surplus 720,000 -> 6000; rent 300,000 -> 2500.
    EXPECT_EQ(model.incomeBase, 1200000);
    EXPECT_EQ(Line(model, u"Total Income").percent, 10000);
    EXPECT_EQ(Line(model, u"Stock").percent, 4000);
    EXPECT_EQ(Line(model, u"GROSS SURPLUS").percent, 6000);
    EXPECT_EQ(Line(model, u"Rent").percent, 2500);
    EXPECT_FALSE(Line(model, u"INCOME").percent.has_value());
}

TEST_F(ShopTest, PercentagesEmptyWithoutIncomeOrColumn) {
    forecast.doc.Root().percentage = 0;
    StatementModel model = Model(forecast);
    EXPECT_FALSE(model.percentColumn);
    EXPECT_FALSE(Line(model, u"Stock").percent.has_value());

    forecast.doc.Root().percentage = 1;
    forecast.EveryYear(0, [](Database::CYear& year) {
        dynamic_cast<Item::CItem&>(year.ItemAt(kIncome, 0)).Expected.fill(0);
    });
    model = Model(forecast);
    EXPECT_EQ(model.incomeBase, 0);
    EXPECT_FALSE(Line(model, u"Stock").percent.has_value());
}

TEST_F(ShopTest, BankBlockAndClosingBalance) {
    forecast.SetBank(-20000, 50000);
    const StatementModel model = Model(forecast);
    // Opening -200.00, then +350.00 a month: the balance at the start of month m is
    // -20000 + 35000 m; closing = opening + movement.
    const StatementLine& opening = Line(model, u"Opening Balance");
    const StatementLine& closing = Line(model, u"Closing Bank Balance");
    EXPECT_EQ(opening.values[0], -20000);
    EXPECT_EQ(opening.values[5], -20000 + 5 * 35000);
    EXPECT_EQ(opening.total, -20000); // the start month's value
    EXPECT_EQ(closing.values[0], 15000);
    EXPECT_EQ(closing.total, -20000 + 12 * 35000); // the last month's value
    EXPECT_EQ(closing.kind, Kind::BankBalance);
    const StatementLine& limit = Line(model, u"O/D Limit");
    EXPECT_EQ(limit.values, Months(50000)); // shown as stored, positive
    EXPECT_EQ(limit.total, 50000);
    EXPECT_EQ(limit.kind, Kind::Limit);
    // Opening, movement and adjustments are one focusable block of three lines.
    EXPECT_EQ(opening.row, 0);
    EXPECT_EQ(opening.blockLines, 3);
    EXPECT_EQ(model.sectionRows[StatementSection::Bank], 1);
}

TEST(StatementSections, RedRuleAtTheOverdraftLimit) {
    for (const Amount opening : {-500000, -500001}) {
        StatementForecast forecast;
        forecast.SetBank(opening, 500000);
        const StatementModel model = Model(forecast);
        const StatementLine& closing = Line(model, u"Closing Bank Balance");
        // No rows and no interest: every month closes at the opening balance.
        EXPECT_EQ(closing.values, Months(opening));
        const bool beyond = opening == -500001; // one cent below -5,000.00
        for (bool flag : closing.beyondLimit)
            EXPECT_EQ(flag, beyond) << opening;
        EXPECT_EQ(closing.totalBeyondLimit, beyond) << opening;
    }
}

TEST(StatementSections, GrossSurplusConditions) {
    StatementForecast incomeOnly;
    incomeOnly.AddItem(kIncome, u"Sales", 1000);
    std::vector<Text> labels = Labels(Model(incomeOnly));
    ASSERT_GE(labels.size(), 4u);
    EXPECT_EQ(labels[3], u"GROSS SURPLUS"); // right after "Total Income"

    StatementForecast withExpenses;
    withExpenses.AddItem(kIncome, u"Sales", 1000);
    withExpenses.AddItem(kExpense, u"Rent", 500);
    const StatementModel model = Model(withExpenses);
    EXPECT_FALSE(Has(model, u"GROSS SURPLUS"));
    EXPECT_FALSE(Has(model, u"DIRECT COSTS"));
    EXPECT_TRUE(Has(model, u"NET SURPLUS BEFORE INTEREST"));
}

TEST(StatementSections, HiddenRowsAndHiddenOnlySections) {
    StatementForecast forecast;
    forecast.AddItem(kIncome, u"Sales", 1000);
    forecast.AddItem(kIncome, u"Grants", 700);
    forecast.AddItem(kExpense, u"Rent", 500);
    forecast.EveryYear(0, [](Database::CYear& year) {
        year.ItemAt(kIncome, 1).SetHidden(true);
        year.ItemAt(kExpense, 0).SetHidden(true);
    });
    const StatementModel model = Model(forecast);
    // The hidden income row takes no space and adds nothing to the total.
    EXPECT_FALSE(Has(model, u"Grants"));
    EXPECT_EQ(Line(model, u"Total Income").values, Months(1000));
    const auto hidden = std::find_if(model.lines.begin(), model.lines.end(), [](const auto& l) {
        return l.kind == Kind::Hidden && l.section == StatementSection::Income;
    });
    ASSERT_NE(hidden, model.lines.end());
    EXPECT_EQ(hidden->row, 1);
    EXPECT_EQ(model.sectionRows[StatementSection::Income], 2);
    EXPECT_EQ(model.hiddenRowCount, 1);
    // A section of hidden rows only is skipped whole, with its surplus line.
    EXPECT_FALSE(Has(model, u"EXPENSES"));
    EXPECT_FALSE(Has(model, u"Total Expenses"));
    EXPECT_FALSE(Has(model, u"NET SURPLUS BEFORE INTEREST"));
    EXPECT_EQ(model.sectionRows[StatementSection::Expenses], 0);
    // The Interest section stays: it always has the overdraft interest row.
    EXPECT_TRUE(Has(model, u"INTEREST"));
    EXPECT_TRUE(Has(model, u"O/D Interest"));
}

TEST(StatementSections, YearWithoutBankRow) {
    StatementForecast forecast;
    forecast.AddItem(kIncome, u"Sales", 1000);
    forecast.EveryYear(0, [](Database::CYear& year) { year.Items(kBank).Clear(); });
    const StatementModel model = Model(forecast);
    EXPECT_TRUE(Has(model, u"INTEREST"));
    EXPECT_TRUE(Has(model, u"Total Interest"));
    EXPECT_FALSE(Has(model, u"O/D Interest"));
    EXPECT_FALSE(Has(model, u"Net Movement"));
    EXPECT_FALSE(Has(model, u"Closing Bank Balance"));
}

TEST(StatementSections, NetMovementLineFollowsTheLastCapitalSection) {
    {
        StatementForecast forecast;
        forecast.AddItem(kCapitalReceipt, u"Share issue", 1000);
        const StatementModel model = Model(forecast);
        EXPECT_EQ(Line(model, u"NET CASH MOVEMENT").section, StatementSection::CapitalReceipts);
    }
    {
        StatementForecast forecast;
        forecast.AddItem(kCapitalReceipt, u"Share issue", 1000);
        forecast.AddItem(kCapitalExpense, u"Van", 300);
        const StatementModel model = Model(forecast);
        EXPECT_EQ(Line(model, u"NET CASH MOVEMENT").section, StatementSection::CapitalExpenses);
        // 10.00 received, 3.00 spent.
        EXPECT_EQ(Line(model, u"NET CASH MOVEMENT").values, Months(700));
        const auto labels = Labels(model);
        EXPECT_EQ(std::count(labels.begin(), labels.end(), u"NET CASH MOVEMENT"), 1);
    }
    {
        // A loan gives rows to sections 4 and 6: the line comes after section 6 only.
        StatementForecast forecast;
        forecast.AddItem(kCapitalReceipt, u"Share issue", 1000);
        forecast.AddLoan(kLoan, u"Bank loan", 0);
        forecast.AddTax(u"GST", 1000);
        const StatementModel model = Model(forecast);
        EXPECT_EQ(Line(model, u"NET MOVEMENT BEFORE GST").section,
                  StatementSection::CapitalPayments);
        EXPECT_EQ(Line(model, u"NET CASH MOVEMENT").section, StatementSection::Tax);
    }
}

TEST(StatementSections, TaxBlockExclusiveAndInclusive) {
    StatementForecast forecast;
    forecast.AddTax(u"GST", 2500, u"S"); // 25 %, so inclusive figures divide exactly by 1.25
    forecast.AddItem(kIncome, u"Sales", 125000);
    forecast.AddItem(kExpense, u"Rent", 25000);
    forecast.EveryYear(0, [](Database::CYear& year) {
        for (int category : {kIncome, kExpense}) {
            auto& item = dynamic_cast<Item::CItem&>(year.ItemAt(category, 0));
            item.TaxLinks = {0};
            item.TaxSide = category == kIncome ? 1 : 0;
        }
        dynamic_cast<Item::CTaxSum&>(year.ItemAt(kTax, 0)).ExpectedAdjustments.fill(500);
    });

    StatementModel model = Model(forecast);
    EXPECT_EQ(Line(model, u"Sales").taxCode, u"S");
    // Exclusive: tax on sales = 1,250.00 x 25 % = 312.50, on expenses 250.00 x 25 % = 62.50,
    // settled in the same month (one-month periods, no delay).
    const std::vector<Text> expected = {u"GST",       u"on Sales",         u"on Expenses",
                                        u"Payments",  u"Refunds",          u"Adjustments",
                                        u"Total GST", u"NET CASH MOVEMENT"};
    std::vector<Text> labels = Labels(model);
    auto at = std::find(labels.begin(), labels.end(), u"GST");
    ASSERT_LE(at + 8, labels.end());
    EXPECT_EQ(std::vector<Text>(at, at + 8), expected);
    EXPECT_EQ(Line(model, u"on Sales").values, Months(31250));
    EXPECT_EQ(Line(model, u"on Expenses").values, Months(-6250));
    EXPECT_EQ(Line(model, u"Payments").values, Months(-31250));
    EXPECT_EQ(Line(model, u"Refunds").values, Months(6250));
    EXPECT_EQ(Line(model, u"Total GST").values, Months(500));
    EXPECT_EQ(Line(model, u"on Sales").blockLines, 5);
    EXPECT_EQ(model.sectionRows[StatementSection::Tax], 1);
    // Movement: 1,250.00 - 250.00 + 5.00 of adjustments.
    EXPECT_EQ(Line(model, u"NET CASH MOVEMENT").values, Months(125000 - 25000 + 500));

    // Inclusive: the net of 1,250.00 is 1,000.00 and its tax 250.00; of 250.00, 50.00. Only
    // the settlement lines show.
    forecast.View().taxExclusive = 0;
    model = Model(forecast);
    EXPECT_FALSE(Has(model, u"on Sales"));
    EXPECT_FALSE(Has(model, u"on Expenses"));
    EXPECT_EQ(Line(model, u"Payments").values, Months(-25000));
    EXPECT_EQ(Line(model, u"Refunds").values, Months(5000));
    EXPECT_EQ(Line(model, u"Payments").blockLines, 3);
    EXPECT_EQ(Line(model, u"Total GST").values, Months(-25000 + 5000 + 500));
}

TEST(StatementSections, TaxSetupWithoutSummaryShowsZeros) {
    StatementForecast forecast;
    forecast.AddTax(u"VAT", 2000);
    forecast.EveryYear(0, [](Database::CYear& year) { year.Items(kTax).Clear(); });
    const StatementModel model = Model(forecast);
    EXPECT_EQ(Line(model, u"Adjustments").values, Months(0));
    EXPECT_TRUE(Has(model, u"Total VAT"));
}

TEST(StatementSections, LoanAndInvestmentBalanceBlocks) {
    StatementForecast forecast;
    forecast.AddItem(kIncome, u"Sales", 100000);
    forecast.AddLoan(kLoan, u"Van loan", 100000);
    forecast.AddLoan(kInvestment, u"Deposit", 30000);
    forecast.EveryYear(0, [](Database::CYear& year) {
        auto& loan = dynamic_cast<Item::CLoan&>(year.ItemAt(kLoan, 0));
        loan.ExpectedAdvances[1] = 50000;
        loan.ExpectedPayments.fill(10000);
        auto& deposit = dynamic_cast<Item::CLoan&>(year.ItemAt(kInvestment, 0));
        deposit.ExpectedAdjustments[11] = 700;
    });
    StatementModel model = Model(forecast);

    // Sections: Income shows the deposit's interest paid, Interest the loan's, Capital
    // Receipts the deposit's principal and the loan's advances, Capital Payments the reverse.
    EXPECT_EQ(Line(model, u"Deposit").section, StatementSection::Income);
    EXPECT_EQ(Line(model, u"Van loan").section, StatementSection::Interest);
    EXPECT_EQ(Line(model, u"Deposit", 1).section, StatementSection::CapitalReceipts);
    EXPECT_EQ(Line(model, u"Van loan", 1).section, StatementSection::CapitalReceipts);
    EXPECT_EQ(Line(model, u"Van loan", 1).values[1], 50000);
    EXPECT_EQ(Line(model, u"Van loan", 2).section, StatementSection::CapitalPayments);
    // No interest rate: every payment is principal.
    EXPECT_EQ(Line(model, u"Van loan", 2).values, Months(10000));

    const std::vector<Text> block = {
        u"LOANS",       u"Van loan",       u"   Opening Balance", u"   Advances", u"   Interest",
        u"   Payments", u"   Adjustments", u"   Closing Balance", u"Total Loans"};
    const std::vector<Text> labels = Labels(model);
    auto at = std::find(labels.begin(), labels.end(), u"LOANS");
    ASSERT_LE(at + 9, labels.end());
    EXPECT_EQ(std::vector<Text>(at, at + 9), block);

    // Van loan: 1,000.00, +500.00 in February, -100.00 a month. Opening of month m:
    // 100000 - 10000 m (+50000 from March on); the closing balance of December is
    // 100000 + 50000 - 12 x 10000 = 30000.
    const StatementLine& opening = Line(model, u"   Opening Balance", 1);
    EXPECT_EQ(opening.section, StatementSection::Loans);
    EXPECT_EQ(opening.values[0], 100000);
    EXPECT_EQ(opening.values[2], 100000 - 20000 + 50000);
    EXPECT_EQ(opening.total, 100000);
    EXPECT_EQ(Line(model, u"   Payments", 1).values, Months(-10000));
    EXPECT_EQ(Line(model, u"   Payments", 1).total, -120000);
    const StatementLine& closing = Line(model, u"   Closing Balance", 1);
    EXPECT_EQ(closing.kind, Kind::BlockTotal);
    EXPECT_EQ(closing.values[0], 90000);
    EXPECT_EQ(closing.total, 30000);
    EXPECT_EQ(Line(model, u"Total Loans").total, 30000);
    EXPECT_EQ(Line(model, u"Van loan", 3).blockLines, 7);
    // One entry: the section heading needs 10 rows, the block 9 as the last entry.
    EXPECT_EQ(Line(model, u"LOANS").keepRows, 10);
    EXPECT_EQ(Line(model, u"Van loan", 3).keepRows, 9);

    // The deposit's block uses the loan labels; its closing balance takes the adjustment.
    EXPECT_EQ(Line(model, u"   Advances", 0).section, StatementSection::Investments);
    EXPECT_EQ(Line(model, u"Total Investments").total, 30700);

    model = Model(forecast, Edition::Basic);
    EXPECT_FALSE(Has(model, u"   Advances"));
    EXPECT_EQ(Line(model, u"   Advance", 1).section, StatementSection::Loans);
}

TEST(StatementSections, BasicLabels) {
    StatementForecast forecast;
    forecast.AddTax(u"GST", 1000);
    StatementModel model = Model(forecast, Edition::Basic);
    EXPECT_TRUE(Has(model, u"on Expense"));
    EXPECT_FALSE(Has(model, u"on Expenses"));
    EXPECT_TRUE(Has(model, u"Adjustment"));
    EXPECT_TRUE(Has(model, u"Adjustments")); // the tax line keeps its label
    EXPECT_EQ(Line(model, u"Adjustment").section, StatementSection::Bank);
    EXPECT_TRUE(Has(model, u"O/D Interest"));
    EXPECT_TRUE(Has(model, u"Net Movement"));
}

TEST(StatementSections, PageBreakNeeds) {
    StatementForecast forecast;
    for (int i = 0; i < 10; ++i)
        forecast.AddItem(kExpense, u"Cost " + DecimalText(i), 100);
    forecast.AddItem(kDirectCost, u"Stock", 100);
    forecast.AddLoan(kInvestment, u"A", 0);
    forecast.AddLoan(kInvestment, u"B", 0);
    forecast.AddTax(u"GST", 1000);
    const StatementModel model = Model(forecast);
    EXPECT_EQ(Line(model, u"EXPENSES").keepRows, 7); // min(10, 5) + 2
    EXPECT_EQ(Line(model, u"DIRECT COSTS").keepRows, 3);
    EXPECT_EQ(Line(model, u"GST").keepRows, 7);
    EXPECT_EQ(Line(model, u"Bank A/C").keepRows, 6);
    EXPECT_EQ(Line(model, u"INVESTMENTS").keepRows, 8);
    EXPECT_EQ(Line(model, u"A", 3).keepRows, 7);
    EXPECT_EQ(Line(model, u"B", 3).keepRows, 9);
}

TEST(StatementSelectionRules, ResetsAndCombinedEntries) {
    StatementForecast forecast({100, 50}, {1.0, 1.0}, 2);
    Database::CPERT& root = forecast.doc.Root();
    int s = -1, c = -1, y = 1;
    StatementSelection selection = ResolveStatementSelection(root, Edition::Standard, s, c, y);
    EXPECT_TRUE(selection.Drawable());
    EXPECT_EQ(selection.company, &forecast.View().Scenario(-1).Company(-1));
    EXPECT_EQ(selection.year, &forecast.Year(-1, -1, 1));
    EXPECT_EQ(selection.scenarioCount, 2);
    EXPECT_EQ(selection.yearCount, 2);

    y = 2; // the year count: the graphs page
    selection = ResolveStatementSelection(root, Edition::Standard, s, c, y);
    EXPECT_TRUE(selection.graphsPage);
    EXPECT_EQ(selection.year, nullptr);
    EXPECT_EQ(y, 2);

    // Any index out of range resets all three.
    for (auto [bs, bc, by] : {std::tuple{2, 1, 1}, std::tuple{1, -2, 1}, std::tuple{1, 1, 3},
                              std::tuple{1, 1, -1}, std::tuple{-2, 0, 0}}) {
        s = bs, c = bc, y = by;
        selection = ResolveStatementSelection(root, Edition::Standard, s, c, y);
        EXPECT_EQ(s, 0);
        EXPECT_EQ(c, 0);
        EXPECT_EQ(y, 0);
        EXPECT_EQ(selection.year, &forecast.Year(0, 0, 0));
    }

    // The Basic view always shows the first scenario's first company.
    s = 1, c = 1, y = 1;
    selection = ResolveStatementSelection(root, Edition::Basic, s, c, y);
    EXPECT_EQ(s, 0);
    EXPECT_EQ(c, 0);
    EXPECT_EQ(y, 1);
    EXPECT_EQ(selection.year, &forecast.Year(0, 0, 1));
}

TEST(StatementSelectionRules, NothingToDraw) {
    CMainDoc empty;
    int s = 0, c = 0, y = 0;
    EXPECT_FALSE(ResolveStatementSelection(empty.Root(), Edition::Standard, s, c, y).Drawable());

    StatementForecast noCompany({100}, {}, 1);
    EXPECT_FALSE(
        ResolveStatementSelection(noCompany.doc.Root(), Edition::Standard, s, c, y).Drawable());
    EXPECT_TRUE(BuildStatementModel(noCompany.doc.Root(), {}, Edition::Standard).lines.empty());
}

TEST(StatementColumns, StartMonthAndSpan) {
    StatementForecast forecast({100}, {1.0}, 1, 3);
    forecast.AddItem(kIncome, u"Sales", 100);
    forecast.EveryYear(0, [](Database::CYear& year) { year.months = 6; });
    StatementModel model = Model(forecast);
    EXPECT_EQ(model.MonthAt(0), 3);  // April
    EXPECT_EQ(model.MonthAt(11), 2); // March
    EXPECT_EQ(model.span, 6);
    EXPECT_EQ(model.lastMonth, 8); // September
    EXPECT_TRUE(model.InSpan(8));
    EXPECT_FALSE(model.InSpan(9));
    EXPECT_FALSE(model.InSpan(2));
    // The total adds all twelve months, those outside the span included.
    EXPECT_EQ(Line(model, u"Sales").total, 1200);

    // A damaged year: start month 99 is April again; a negative month count shows nothing.
    forecast.EveryYear(0, [](Database::CYear& year) {
        year.startMonth = 99;
        year.months = -5;
    });
    model = Model(forecast);
    EXPECT_EQ(model.startMonth, 3);
    EXPECT_EQ(model.span, 0);
    for (int month = 0; month < 12; ++month)
        EXPECT_FALSE(model.InSpan(month));
    forecast.EveryYear(0, [](Database::CYear& year) {
        year.startMonth = -13;
        year.months = 400;
    });
    model = Model(forecast);
    EXPECT_EQ(model.startMonth, 11);
    EXPECT_EQ(model.span, 12);
    EXPECT_EQ(model.lastMonth, 10);
}

TEST(StatementSections, CountsComeFromTheCombinedYear) {
    StatementForecast forecast;
    forecast.AddItem(kIncome, u"Sales", 100);
    // A row only the real company's year holds lies beyond the counts and is not shown.
    auto& extra = ForecastBuilder::AddRow<Item::CItem>(forecast.Year(0, 0, 0), kIncome);
    extra.name = u"Stray";
    const StatementModel model = Model(forecast);
    EXPECT_TRUE(Has(model, u"Sales"));
    EXPECT_FALSE(Has(model, u"Stray"));
}

TEST(StatementSections, HugeFiguresSaturate) {
    StatementForecast forecast;
    constexpr Amount kMax = std::numeric_limits<Amount>::max();
    forecast.AddItem(kIncome, u"A", kMax / 2);
    forecast.AddItem(kIncome, u"B", kMax / 2);
    forecast.AddItem(kDirectCost, u"C", std::numeric_limits<Amount>::min());
    const StatementModel model = Model(forecast);
    EXPECT_EQ(Line(model, u"Total Income").total, kMax);
    EXPECT_EQ(Line(model, u"GROSS SURPLUS").total, kMax);
}

} // namespace
