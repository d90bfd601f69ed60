#include "statement/AdvStatementCsv.h"

#include "statement/StatementTable.h"

namespace Statement {

std::string AdvStatementCsv(const AdvStatementModel& model) {
    if (!model.hasYear)
        return {};
    return TableCsv(BuildAdvStatementTable(model, {}));
}

} // namespace Statement
