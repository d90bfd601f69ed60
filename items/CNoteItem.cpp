#include "items/CNoteItem.h"

#include "database/Archive.h"

namespace Item {

void CNoteItem::Serialize(Archive& ar) {
    const double version = ar.Version(kVersion);
    if (version < 1.0)
        return;
    ar.Int32(Category);
    ar.Int32(Index);
}

} // namespace Item
