#include "statement/Taxes.h"

#include "database/CPERT.h"
#include "database/CTaxSetup.h"

namespace Statement {

std::vector<const Database::CTaxSetup*> DocumentTaxes(const Database::CPERT& root) {
    std::vector<const Database::CTaxSetup*> taxes;
    for (int i = 0; const Database::CTaxSetup* setup = root.TaxSetup(i); ++i)
        taxes.push_back(setup);
    return taxes;
}

Text TaxText(const Database::CPERT& root) {
    Text text;
    const auto taxes = DocumentTaxes(root);
    for (std::size_t i = 0; i < taxes.size(); ++i) {
        if (i > 0)
            text += u"/";
        text += taxes[i]->name;
    }
    return text;
}

} // namespace Statement
