#include "views/AdvStatement.h"

#include "core/Failure.h"
#include "database/CPERT.h"
#include "display/CColumnHeaders.h"
#include "display/CGraphPage.h"
#include "display/CLine.h"
#include "display/CLineHeader.h"
#include "display/CNoteBox.h"
#include "display/CPage.h"
#include "display/CPageHeader.h"
#include "display/CTab.h"
#include "display/CTotal.h"
#include "document/CMainDoc.h"

namespace {

using namespace Display;
using Statement::AdvEntry;
using Statement::AdvEntryKind;
using Statement::AdvOutline;

constexpr int kNone = LayoutKey::kNoEntry;

class Builder {
public:
    Builder(const CMainDoc& doc, const LayoutKey& key, AdvOutline outline, AdvStatement& out)
        : doc_(doc), root_(doc.Root()), key_(key), outline_(outline), out_(out) {}

    void Run() {
        BuildTabs();
        if (key_[LayoutKey::kGraph] != kNone) {
            out_.graphPage = true;
            out_.statement.push_back(std::make_unique<CGraphPage>(key_));
            return;
        }
        *out_.model = Statement::BuildAdvStatementModel(doc_, key_, outline_);
        PlaceModel();
    }

    // The frame list from the tabs made: the heading, the four nested panels (each knowing its
    // tabs), then the tabs, which are drawn over the panels' edges.
    void FinishFrame() {
        // A forecast without a view (an empty file's) has no heading: nothing to date or name.
        if (root_.ViewCount() > 0)
            out_.frame.push_back(std::make_unique<CPageHeader>());
        for (int level = LayoutKey::kView; level < LayoutMetrics::kPanels; ++level) {
            std::vector<const CTab*> panelTabs(out_.tabs[level].begin(), out_.tabs[level].end());
            auto panel = std::make_unique<CPage>(level, std::move(panelTabs));
            panel->innerPanelFollows = level + 1 < LayoutMetrics::kPanels;
            out_.frame.push_back(std::move(panel));
        }
        for (auto& tab : tabs_)
            out_.frame.push_back(std::move(tab));
        tabs_.clear();
    }

    bool Complete() const { return out_.graphPage || out_.model->complete; }

private:
    // The tabs of every level along the key, one per shown entry. A level the key does not
    // reach fails with "Not Found" and ends the build with the tabs made so far.
    void BuildTabs() {
        LayoutKey tabKey;
        for (int v = 0; v < root_.ViewCount(); ++v)
            if (!root_.View(v).hidden) {
                tabKey[LayoutKey::kView] = v;
                AddTab(tabKey, LayoutKey::kView);
            }
        const Database::CTabView& view = root_.View(key_[LayoutKey::kView]);
        tabKey[LayoutKey::kView] = key_[LayoutKey::kView];
        for (int s = -1; s <= view.ScenarioCount() - 2; ++s)
            if (!view.Scenario(s).hidden) {
                tabKey[LayoutKey::kScenario] = s;
                AddTab(tabKey, LayoutKey::kScenario);
            }
        const Database::CScenario& scenario = view.Scenario(key_[LayoutKey::kScenario]);
        tabKey[LayoutKey::kScenario] = key_[LayoutKey::kScenario];
        for (int c = -1; c <= scenario.CompanyCount() - 2; ++c)
            if (!scenario.Company(c).hidden) {
                tabKey[LayoutKey::kCompany] = c;
                AddTab(tabKey, LayoutKey::kCompany);
            }
        const Database::CCompany& company = scenario.Company(key_[LayoutKey::kCompany]);
        tabKey[LayoutKey::kCompany] = key_[LayoutKey::kCompany];
        for (int y = 0; y < company.YearCount(); ++y)
            if (!company.Year(y).hidden) {
                tabKey[LayoutKey::kYear] = y;
                AddTab(tabKey, LayoutKey::kYear);
            }
        const Database::CYear& year = company.Year(key_[LayoutKey::kYear]);
        tabKey[LayoutKey::kYear] = key_[LayoutKey::kYear];
        for (int g = 0; g < year.GraphCount(); ++g)
            if (!year.Graph(g).hidden) {
                tabKey[LayoutKey::kGraph] = g;
                AddTab(tabKey, LayoutKey::kGraph);
            }
    }

    void AddTab(const LayoutKey& key, int level) {
        tabs_.push_back(std::make_unique<CTab>(key, level));
        out_.tabs[LayoutMetrics::PanelOf(level)].push_back(tabs_.back().get());
    }

    template <class T> T* Add(std::unique_ptr<T> object) {
        T* raw = object.get();
        out_.statement.push_back(std::move(object));
        return raw;
    }

    // A heading's glyph, a value of the statement's own: a click flips it, and the document's
    // state follows through SetShownState.
    std::int32_t* HeadingStyle(const AdvEntry& entry) {
        out_.styles.push_back(std::make_unique<std::int32_t>(entry.glyph));
        return out_.styles.back().get();
    }

    // The markers of the notes linked to the row an entry shows, right after it; they open
    // when the highlight stands on that entry.
    void AddMarkers(const AdvEntry& entry, int index) {
        CNoteBox* previous = nullptr;
        for (const Statement::AdvMarker& marker : entry.markers) {
            LayoutKey noteKey = out_.model->yearKey;
            noteKey[LayoutKey::kCategory] = kNote;
            noteKey[LayoutKey::kPosition] = marker.note;
            previous = Add(std::make_unique<CNoteBox>(noteKey, marker.link, previous, kNoGlyph));
            previous->SetHidden(entry.hidden);
            previous->entryIndex = index;
        }
    }

    // One layout object per entry of the model, in its order, knowing its entry.
    void PlaceModel() {
        const Statement::AdvStatementModel& model = *out_.model;
        if (!model.hasYear)
            return;
        Add(std::make_unique<CColumnHeaders>(model));
        for (std::size_t i = 0; i < model.entries.size(); ++i) {
            const AdvEntry& entry = model.entries[i];
            CLayout* object = nullptr;
            switch (entry.kind) {
            case AdvEntryKind::SectionHeading:
            case AdvEntryKind::BlockHeading: {
                CLineHeader* heading =
                    Add(std::make_unique<CLineHeader>(entry, HeadingStyle(entry)));
                if (entry.stateKey.IsSet(LayoutKey::kCategory))
                    out_.expandables.push_back({heading, entry.stateKey});
                object = heading;
                break;
            }
            case AdvEntryKind::Line: object = Add(std::make_unique<CLine>(model, entry)); break;
            case AdvEntryKind::Total:
            case AdvEntryKind::Summary:
                object = Add(std::make_unique<CTotal>(model, entry));
                break;
            case AdvEntryKind::NoteEntry: {
                CNoteBox* box = Add(std::make_unique<CNoteBox>(entry.key, -1, nullptr, entry.glyph));
                box->SetHidden(entry.hidden);
                object = box;
                break;
            }
            }
            if (object)
                object->entryIndex = static_cast<int>(i);
            AddMarkers(entry, static_cast<int>(i));
        }
    }

    const CMainDoc& doc_;
    const Database::CPERT& root_;
    std::vector<std::unique_ptr<CTab>> tabs_;
    LayoutKey key_;
    AdvOutline outline_;
    AdvStatement& out_;
};

} // namespace

AdvStatement BuildAdvStatement(const CMainDoc& doc, const LayoutKey& key, AdvOutline outline) {
    AdvStatement out;
    out.stamp = {doc.Revision(), key, outline};
    Builder builder(doc, key, outline, out);
    try {
        builder.Run();
        out.complete = builder.Complete();
    } catch (const TextFailure&) {
        // A lookup that fails ends the build; what was built so far is shown.
    }
    builder.FinishFrame();
    return out;
}
