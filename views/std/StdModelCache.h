#pragma once

#include <cstdint>
#include <memory>

#include "document/Edition.h"
#include "statement/StatementModel.h"

class CMainDoc;

// The Standard or Basic statement a view shows, kept for all who read it: the drawing pass, the
// screen reader's table and copy share the one built for the document's revision, the edition
// and the selected year, and it is built again only when one of them changes. Copies of a view's
// state share the statement, which nobody changes.
class StdModelCache {
public:
    // The statement of a selection resolved by ResolveStatementSelection, from the forecast
    // recalculated first when it changed; it stays valid until the next call that names another.
    const Statement::StatementModel&
    Get(CMainDoc& doc, const Statement::StatementSelection& selection, Edition edition) const;

private:
    struct Stamp {
        std::uint64_t revision = 0; // none: nothing built yet
        const void* root = nullptr;
        const void* company = nullptr;
        const void* year = nullptr;
        int yearIndex = 0;
        Edition edition = Edition::Standard;
        friend bool operator==(const Stamp&, const Stamp&) = default;
    };

    // Filled on first use by readers that hold the view's state as const.
    mutable Stamp stamp_;
    mutable std::shared_ptr<const Statement::StatementModel> model_;
};
