#include "database/CMatchingList.h"

#include "database/Archive.h"

namespace Import {

Matching::Matching()
    : SourceName(new BaseStruct::String()), MatchText(new BaseStruct::String()),
      Amount(new BaseStruct::Currency(0)) {}

Matching::~Matching() {
    SourceName->Release();
    MatchText->Release();
    Amount->Release();
}

} // namespace Import

namespace Database {

namespace {

// The entries of the table; the list is public, so anything else in it is passed over.
template <class F> void ForEachEntry(const BaseStruct::List& entries, F visit) {
    BaseStruct::List::Iterator it(entries);
    while (BaseStruct::Object* object = it.Next())
        if (auto* entry = dynamic_cast<Import::Matching*>(object))
            visit(*entry);
}

// The smallest stored entry: two empty narrow texts (one length byte each) and three integers.
constexpr std::uint64_t kMinEntryBytes = 1 + 1 + 3 * 4;

} // namespace

void CMatchingList::Serialize(Archive& ar) {
    if (ar.IsLoading())
        Entries.Clear();
    const double version = ar.Version(kVersion);
    if (version < 1.0)
        return;

    if (ar.IsStoring()) {
        std::int32_t count = 0;
        ForEachEntry(Entries, [&](const Import::Matching&) { ++count; });
        ar.Int32(count);
        ForEachEntry(Entries, [&](const Import::Matching& entry) {
            Text source = entry.SourceName->Wide();
            Text match = entry.MatchText->Wide();
            std::int32_t category = entry.Category;
            std::int32_t index = entry.Index;
            std::int32_t kind = entry.Kind;
            ar.String(source);
            ar.String(match);
            ar.Int32(category);
            ar.Int32(index);
            ar.Int32(kind);
        });
        return;
    }

    std::uint32_t count = 0;
    ar.UInt32(count);
    ar.CheckFits(count, kMinEntryBytes);
    for (std::uint32_t i = 0; i < count; ++i) {
        // Read every field before building the entry, so a short read leaks nothing.
        Text source;
        Text match;
        std::int32_t category = 0;
        std::int32_t index = 0;
        std::int32_t kind = 0;
        ar.String(source);
        ar.String(match);
        ar.Int32(category);
        ar.Int32(index);
        ar.Int32(kind);
        Add(source, match, category, index, kind);
    }
}

Import::Matching* CMatchingList::Entry(int index) const {
    Import::Matching* found = nullptr;
    int i = 0;
    ForEachEntry(Entries, [&](Import::Matching& entry) {
        if (i++ == index)
            found = &entry;
    });
    return found;
}

void CMatchingList::Add(const Text& sourceName, const Text& matchText, std::int32_t category,
                        std::int32_t index, std::int32_t kind) {
    const std::string source = ToCp1252(sourceName);
    const std::string match = ToCp1252(matchText);
    auto* entry = new Import::Matching();
    entry->SourceName->Assign(source.data(), static_cast<std::int32_t>(source.size()));
    entry->MatchText->Assign(match.data(), static_cast<std::int32_t>(match.size()));
    entry->Category = category;
    entry->Index = index;
    entry->Kind = kind;
    Entries.Append(entry);
    entry->Release(); // the list now holds the only reference
}

void CMatchingList::Maintain(std::int32_t oldCategory, std::int32_t oldIndex, const char* text,
                             std::int32_t newCategory, std::int32_t newIndex) {
    ForEachEntry(Entries, [&](Import::Matching& entry) {
        if (entry.Category != oldCategory)
            return;
        if (entry.Index == oldIndex) {
            if (text != nullptr)
                entry.MatchText->Append(text, -1);
            if (newCategory >= 0) {
                entry.Category = newCategory;
                entry.Index = newIndex;
            }
        } else if (newCategory >= 0 && entry.Index > oldIndex) {
            // The rows after the one that left move up by one.
            --entry.Index;
        }
    });
}

} // namespace Database
