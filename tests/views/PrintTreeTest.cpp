#include <gtest/gtest.h>

#include "document/CMainDoc.h"
#include "document/RecordingMessageSink.h"
#include "support/ForecastBuilder.h"
#include "views/PrintTree.h"

namespace {

// One view of the combined scenario and scenario 1, each with the combined company and
// companies 1 and 2 of two years. Scenario 1's company 2 and its company 1's second year are
// hidden.
class PrintTreeTest : public ::testing::Test {
protected:
    PrintTreeTest() {
        doc.Root().views.Append(ForecastBuilder::MakeView({100}, {1.0, 1.0}, 2));
        Company(1, 2).hidden = true;
        Year(1, 1, 1).hidden = true;
    }

    // Scenario and company as the lists hold them (0 the combined entry).
    Database::CCompany& Company(int scenario, int company) {
        return doc.Root().View(0).scenarios.At(scenario).companies.At(company);
    }
    Database::CYear& Year(int scenario, int company, int year) {
        return Company(scenario, company).Year(year);
    }
    // The item at a path of child positions below a tree's root.
    static PrintTreeItem& At(PrintTreeItem& root, std::initializer_list<int> path) {
        PrintTreeItem* item = &root;
        for (int position : path)
            item = item->children.at(static_cast<std::size_t>(position)).get();
        return *item;
    }

    CMainDoc doc;
};

TEST_F(PrintTreeTest, SecondTreeLeavesOutHiddenEntriesAndStatesFollowTheMarks) {
    Year(1, 1, 0).printMark = 1;
    Year(1, 1, 1).printMark = 1; // hidden
    PrintTreePair trees(doc.Root());
    PrintTreeItem& all = trees.Everything();
    PrintTreeItem& shown = trees.Shown();

    EXPECT_EQ(all.label, u"All");
    EXPECT_EQ(all.linked, &shown);
    EXPECT_EQ(shown.linked, &all);
    EXPECT_EQ(At(all, {0, 1}).children.size(), 3u);
    EXPECT_EQ(At(shown, {0, 1}).children.size(), 2u);
    EXPECT_EQ(At(all, {0, 1, 1}).children.size(), 2u);
    EXPECT_EQ(At(shown, {0, 1, 1}).children.size(), 1u);
    EXPECT_EQ(At(all, {0, 1, 1, 0}).label, u"2020");
    EXPECT_EQ(At(all, {0, 1, 1, 0}).year, &Year(1, 1, 0));
    EXPECT_EQ(At(all, {0, 1, 1, 0}).linked, &At(shown, {0, 1, 1, 0}));
    EXPECT_EQ(At(all, {0, 1, 1, 1}).linked, nullptr);
    EXPECT_EQ(At(all, {0, 1, 2}).linked, nullptr);
    EXPECT_EQ(At(all, {0, 1, 2, 0}).linked, nullptr);

    // Both years checked in the first tree; only the shown one exists in the second.
    EXPECT_EQ(At(all, {0, 1, 1}).state, PrintCheck::Checked);
    EXPECT_EQ(At(shown, {0, 1, 1}).state, PrintCheck::Checked);
    // Scenario 1: the combined company unchecked beside a checked company.
    EXPECT_EQ(At(all, {0, 1}).state, PrintCheck::Partly);
    EXPECT_EQ(At(shown, {0, 1}).state, PrintCheck::Partly);
    // A partly checked child makes every ancestor partly checked.
    EXPECT_EQ(At(all, {0}).state, PrintCheck::Partly);
    EXPECT_EQ(all.state, PrintCheck::Partly);
    EXPECT_EQ(At(all, {0, 0}).state, PrintCheck::Unchecked);
}

TEST_F(PrintTreeTest, ParentsOfMixedChildrenArePartlyChecked) {
    PrintTreeItem parent;
    for (PrintCheck state : {PrintCheck::Checked, PrintCheck::Checked}) {
        parent.children.push_back(std::make_unique<PrintTreeItem>());
        parent.children.back()->state = state;
    }
    EXPECT_EQ(PrintTreePair::Derived(parent), PrintCheck::Checked);
    parent.children[1]->state = PrintCheck::Unchecked;
    EXPECT_EQ(PrintTreePair::Derived(parent), PrintCheck::Partly);
    parent.children[0]->state = PrintCheck::Unchecked;
    EXPECT_EQ(PrintTreePair::Derived(parent), PrintCheck::Unchecked);
    parent.children[0]->state = PrintCheck::Partly;
    EXPECT_EQ(PrintTreePair::Derived(parent), PrintCheck::Partly);
    parent.children.clear();
    EXPECT_EQ(PrintTreePair::Derived(parent), PrintCheck::Unchecked);
}

TEST_F(PrintTreeTest, CheckingAParentChecksEveryDescendantInBothTrees) {
    PrintTreePair trees(doc.Root());
    PrintTreeItem& all = trees.Everything();
    PrintTreeItem& shown = trees.Shown();

    trees.Toggle(At(shown, {0, 1})); // scenario 1, in the tree without hidden entries
    for (PrintTreeItem* item :
         {&At(shown, {0, 1, 0, 1}), &At(shown, {0, 1, 1, 0}), &At(all, {0, 1, 1, 1}),
          &At(all, {0, 1, 2}), &At(all, {0, 1, 2, 1})})
        EXPECT_EQ(item->state, PrintCheck::Checked);
    EXPECT_EQ(At(all, {0, 1}).state, PrintCheck::Checked);
    EXPECT_EQ(At(all, {0}).state, PrintCheck::Partly);
    EXPECT_EQ(shown.state, PrintCheck::Partly);
    EXPECT_EQ(At(all, {0, 0, 0, 0}).state, PrintCheck::Unchecked);

    // A partly checked item becomes unchecked, with everything beneath it.
    trees.Toggle(At(all, {0}));
    for (PrintTreeItem* root : {&all, &shown}) {
        EXPECT_EQ(root->state, PrintCheck::Unchecked);
        EXPECT_EQ(At(*root, {0, 1, 1, 0}).state, PrintCheck::Unchecked);
    }
    EXPECT_EQ(At(all, {0, 1, 2, 1}).state, PrintCheck::Unchecked);

    // One year checked: its company (both years shown) becomes partly checked in the first
    // tree only, where the hidden year stays unchecked.
    trees.Toggle(At(all, {0, 1, 1, 0}));
    EXPECT_EQ(At(all, {0, 1, 1}).state, PrintCheck::Partly);
    EXPECT_EQ(At(shown, {0, 1, 1}).state, PrintCheck::Checked);
    trees.Toggle(At(shown, {0, 1, 1, 0}));
    EXPECT_EQ(At(all, {0, 1, 1}).state, PrintCheck::Unchecked);
    EXPECT_EQ(all.state, PrintCheck::Unchecked);
}

TEST_F(PrintTreeTest, MarksComeFromTheTreeInUseSoHiddenYearsNeverPrint) {
    Year(1, 1, 1).printMark = 1; // hidden, marked by an earlier choice
    Year(0, 0, 0).printMark = 1;
    PrintTreePair trees(doc.Root());
    trees.Toggle(trees.Everything()); // partly checked: now unchecked
    ASSERT_EQ(trees.Shown().state, PrintCheck::Unchecked);
    trees.Toggle(trees.Everything());        // everything checked, hidden entries included
    trees.Toggle(At(trees.Shown(), {0, 0})); // the combined scenario unchecked again
    trees.StoreMarks(trees.Shown());

    EXPECT_EQ(Year(0, 0, 0).printMark, 0);
    EXPECT_EQ(Year(0, 2, 1).printMark, 0);
    EXPECT_EQ(Year(1, 0, 0).printMark, 1);
    EXPECT_EQ(Year(1, 1, 0).printMark, 1);
    EXPECT_EQ(Year(1, 1, 1).printMark, 0);
    EXPECT_EQ(Year(1, 2, 0).printMark, 0);
    EXPECT_EQ(Year(1, 2, 1).printMark, 0);
}

TEST_F(PrintTreeTest, MarksAreClearAfterALoad) {
    Year(1, 0, 0).printMark = 1;
    const std::vector<std::uint8_t> bytes = doc.Store();
    RecordingMessageSink sink;
    ASSERT_TRUE(doc.Read(bytes, "marks.cfa", sink));
    EXPECT_EQ(Year(1, 0, 0).hidden, false);
    EXPECT_EQ(Year(1, 1, 1).hidden, true);
    EXPECT_EQ(Year(1, 0, 0).printMark, 0);
}

} // namespace
