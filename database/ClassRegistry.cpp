#include "database/ClassRegistry.h"

#include <utility>

#include "database/CBase.h"
#include "database/CCompany.h"
#include "database/CDisplaySettings.h"
#include "database/CGraphSettings.h"
#include "database/CMatchingList.h"
#include "database/CPERT.h"
#include "database/CScenario.h"
#include "database/CTabView.h"
#include "database/CTax.h"
#include "database/CTaxRate.h"
#include "database/CTaxSetup.h"
#include "database/CTaxSubRate.h"
#include "database/CYear.h"
#include "items/CBank.h"
#include "items/CBaseItem.h"
#include "items/CItem.h"
#include "items/CLoan.h"
#include "items/CNote.h"
#include "items/CNoteItem.h"
#include "items/CTaxSum.h"

namespace ClassRegistry {
namespace {

using Factory = std::unique_ptr<Database::CObject> (*)();

template <class T> std::unique_ptr<Database::CObject> Make() { return std::make_unique<T>(); }

// Class names match exactly, case included.
constexpr std::pair<std::string_view, Factory> kClasses[] = {
    {"CBase", &Make<Database::CBase>},
    {"CPERT", &Make<Database::CPERT>},
    {"CTabView", &Make<Database::CTabView>},
    {"CScenario", &Make<Database::CScenario>},
    {"CCompany", &Make<Database::CCompany>},
    {"CYear", &Make<Database::CYear>},
    {"CDisplaySettings", &Make<Database::CDisplaySettings>},
    {"CGraphSettings", &Make<Database::CGraphSettings>},
    {"CTaxSetup", &Make<Database::CTaxSetup>},
    {"CTaxRate", &Make<Database::CTaxRate>},
    {"CTaxSubRate", &Make<Database::CTaxSubRate>},
    {"CTax", &Make<Database::CTax>},
    {"CMatchingList", &Make<Database::CMatchingList>},
    {"CBaseItem", &Make<Item::CBaseItem>},
    {"CItem", &Make<Item::CItem>},
    {"CBank", &Make<Item::CBank>},
    {"CLoan", &Make<Item::CLoan>},
    {"CTaxSum", &Make<Item::CTaxSum>},
    {"CNote", &Make<Item::CNote>},
    {"CNoteItem", &Make<Item::CNoteItem>},
};

Factory Find(std::string_view className) {
    for (const auto& [name, factory] : kClasses)
        if (name == className)
            return factory;
    return nullptr;
}

} // namespace

std::unique_ptr<Database::CObject> Create(std::string_view className) {
    Factory factory = Find(className);
    return factory ? factory() : nullptr;
}

bool IsRegistered(std::string_view className) { return Find(className) != nullptr; }

} // namespace ClassRegistry
