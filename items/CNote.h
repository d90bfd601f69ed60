#pragma once

#include "core/ObjectList.h"
#include "items/CBaseItem.h"
#include "items/CNoteItem.h"

namespace Item {

// A numbered free text attached to rows of its year.
class CNote : public CBaseItem {
public:
    static constexpr double kVersion = 1.0;

    const char* ClassName() const override { return "CNote"; }
    void Serialize(Archive& ar) override;

    // The link at a position; fails with "Not Found" when there is none.
    CNoteItem& Link(int position) const { return Links.At(position); }
    int LinkCount() const { return static_cast<int>(Links.Count()); }
    void AddLink(std::int32_t category, std::int32_t index);
    void RemoveAllLinks() { Links.Clear(); }

    int CopyMonth(int destMonth, const CBaseItem& source, int sourceMonth) override;
    int CopyFrom(const CBaseItem& source, int mode, bool copyActuals, bool copyName) override;

    ::Text Text;
    ObjectList<CNoteItem> Links;
};

} // namespace Item
