#pragma once

#include <cstdint>

#include "core/BaseStruct.h"
#include "database/CObject.h"

namespace Import {

// One import matching: an external account name tied to a row (category, index).
class Matching : public BaseStruct::Object {
public:
    Matching();
    ~Matching() override;

    BaseStruct::String* SourceName;
    BaseStruct::String* MatchText;
    std::int32_t Category = 0;
    std::int32_t Index = 0;
    std::int32_t Kind = 0;
    BaseStruct::Currency* Amount; // not stored; unused by the viewer
};

} // namespace Import

namespace Database {

// The import matching table of a company, stored in place inside the company record.
class CMatchingList : public CObject {
public:
    static constexpr double kVersion = 1.0;

    CMatchingList() = default;
    CMatchingList(const CMatchingList&) = delete;
    CMatchingList& operator=(const CMatchingList&) = delete;

    const char* ClassName() const override { return "CMatchingList"; }
    void Serialize(Archive& ar) override;

    int Count() const { return Entries.Count(); }
    // The entry at an index (no reference added), or none.
    Import::Matching* Entry(int index) const;
    // Appends a new entry built from its five fields.
    void Add(const Text& sourceName, const Text& matchText, std::int32_t category,
             std::int32_t index, std::int32_t kind);

    // Keeps the entries in step when a row moves or is removed (newCategory < 0).
    void Maintain(std::int32_t oldCategory, std::int32_t oldIndex, const char* text,
                  std::int32_t newCategory, std::int32_t newIndex);

    BaseStruct::List Entries;
};

} // namespace Database
