#pragma once

#include "views/qt/CVarnobelStdView.h"

// The Basic edition's view: the Standard view fixed on the first real scenario and company, with
// only the year tabs.
class CVarnobelBasView : public CVarnobelStdView {
    Q_OBJECT

public:
    explicit CVarnobelBasView(CMainDoc& doc, QWidget* parent = nullptr);

    int SelectedScenario() const override { return 0; }
    int SelectedCompany() const override { return 0; }
    void SelectScenario(int index) override;
    void SelectCompany(int index) override;

protected:
    void EditionLoadStep() override;
    std::vector<FocusSection> FocusTabRows() const override;
};
