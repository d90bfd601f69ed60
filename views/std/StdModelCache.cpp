#include "views/std/StdModelCache.h"

#include "document/CMainDoc.h"

const Statement::StatementModel& StdModelCache::Get(CMainDoc& doc,
                                                    const Statement::StatementSelection& selection,
                                                    Edition edition) const {
    // A statement is stamped with the revision its figures were calculated for.
    doc.RecalculateIfChanged();
    // Objects of the tree keep their places until the revision moves on (a read makes a new
    // tree), so within one revision they name the selection.
    const Stamp stamp{doc.Revision(), doc.root.get(),      selection.company,
                      selection.year, selection.yearIndex, edition};
    if (!model_ || !(stamp == stamp_)) {
        model_ = std::make_shared<const Statement::StatementModel>(
            Statement::BuildStatementModel(doc.Root(), selection, edition));
        stamp_ = stamp;
    }
    return *model_;
}
