#include "views/qt/CVarnobelBasView.h"

CVarnobelBasView::CVarnobelBasView(CMainDoc& doc, QWidget* parent)
    : CVarnobelStdView(doc, Edition::Basic, parent) {}

// The Basic view stays on the first real scenario and company.
void CVarnobelBasView::SelectScenario(int) {}
void CVarnobelBasView::SelectCompany(int) {}

void CVarnobelBasView::EditionLoadStep() {
    State().focusSection = -1;
    State().focusRow = -1;
    InvalidateLayout();
}

std::vector<int> CVarnobelBasView::FocusTabRows() const {
    return {-4};
}
