#include "views/qt/CVarnobelBasView.h"

CVarnobelBasView::CVarnobelBasView(CMainDoc& doc, QWidget* parent)
    : CVarnobelStdView(doc, Edition::Basic, parent) {}

// The Basic view stays on the first real scenario and company.
void CVarnobelBasView::SelectScenario(int) {}
void CVarnobelBasView::SelectCompany(int) {}

void CVarnobelBasView::EditionLoadStep() {
    State().ClearFocus();
    InvalidateLayout();
}

std::vector<FocusSection> CVarnobelBasView::FocusTabRows() const {
    return {FocusSection::YearTabs};
}
