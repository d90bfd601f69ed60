#include "display/LayoutSupport.h"

#include "document/CMainDoc.h"
#include "database/CYear.h"

namespace Display {



Database::CYear* FindYear(CMainDoc& doc, const LayoutKey& key) {
    if (!key.IsSet(LayoutKey::kYear))
        return nullptr;
    LayoutKey yearKey = key;
    yearKey[LayoutKey::kGraph] = LayoutKey::kNoEntry;
    yearKey[LayoutKey::kCategory] = LayoutKey::kNoEntry;
    yearKey[LayoutKey::kPosition] = LayoutKey::kNoEntry;
    return dynamic_cast<Database::CYear*>(doc.FindObject(yearKey));
}
} // namespace Display
