#include "items/CNote.h"

#include <memory>
#include <vector>

#include "database/Archive.h"

namespace Item {

void CNote::Serialize(Archive& ar) {
    CBaseItem::Serialize(ar);
    if (ar.IsLoading())
        Links.Clear();
    const double version = ar.Version(kVersion);
    if (version < 1.0)
        return;
    ar.String(Text);
    ar.List(Links);
}

void CNote::AddLink(std::int32_t category, std::int32_t index) {
    Links.Append(std::make_unique<CNoteItem>(category, index));
}

int CNote::CopyMonth(int, const CBaseItem& source, int) {
    const auto* other = dynamic_cast<const CNote*>(&source);
    if (other == nullptr)
        return 1;
    Text = other->Text;
    return 0;
}

int CNote::CopyFrom(const CBaseItem& source, int, bool, bool copyName) {
    const auto* other = dynamic_cast<const CNote*>(&source);
    if (other == nullptr)
        return 1;
    if (copyName) {
        name = other->name;
        hidden = other->hidden;
    }
    Text = other->Text;
    // Copied before the list is emptied, so that a note merged with itself keeps its links.
    std::vector<CNoteItem> copies;
    for (const auto& link : other->Links)
        copies.push_back(*link);
    Links.Clear();
    for (const CNoteItem& link : copies)
        Links.Append(std::make_unique<CNoteItem>(link.Category, link.Index));
    return 0;
}

} // namespace Item
