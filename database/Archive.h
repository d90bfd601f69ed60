#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/Amount.h"
#include "core/Failure.h"
#include "core/ObjectList.h"
#include "core/WideText.h"
#include "database/CObject.h"

// The binary archive of a forecast file. One object either loads from a byte buffer or stores
// into one, so each persistent class writes one Serialize for both directions.
//
// Loading treats the bytes as untrusted: every read is bounds-checked (end of file), nothing is
// allocated beyond what the remaining bytes can fill, and each object read for an owning list is
// class-checked before its record is read.
class Archive {
public:
    // An archive that loads from the given bytes (which must outlive it).
    explicit Archive(std::span<const std::uint8_t> bytes);
    // An archive that stores into its own buffer.
    Archive();

    bool IsLoading() const { return loading_; }
    bool IsStoring() const { return !loading_; }

    // The bytes stored so far.
    const std::vector<std::uint8_t>& Bytes() const { return out_; }
    // Bytes not yet read.
    std::size_t Remaining() const { return in_.size() - pos_; }
    std::size_t Position() const { return pos_; }

    void Flag(bool& value);
    void Byte(std::uint8_t& value);
    void Int32(std::int32_t& value);
    void UInt32(std::uint32_t& value);
    void Int64(std::int64_t& value);
    void UInt16(std::uint16_t& value);
    void Double(double& value);
    // A money amount: a double in currency units in the file, hundredths in memory.
    void Money(Amount& value);
    void String(Text& value);
    // A time value: the 0x8000000A marker and 64-bit seconds, or one 32-bit value.
    void Time(std::int64_t& value);
    // A list count: 16 bits, or 0xFFFF and 32 bits.
    void Count(std::uint32_t& count);

    // Stores `current`, or loads the record's version and fails with "not supported" when it is
    // newer than `current`. Returns the version the record's fields follow.
    double Version(double current);

    // Fails with "end of file" unless `count` items of at least `itemSize` bytes each could
    // still be read. Loading code calls it before allocating for a count read from the file.
    void CheckFits(std::uint64_t count, std::uint64_t itemSize) const;

    // An owning list of objects: the count, then each element in object form. Loading empties
    // the list first and accepts only elements of class T (or derived from it).
    template <class T> void List(ObjectList<T>& list) {
        if (IsStoring()) {
            auto count = static_cast<std::uint32_t>(list.Count());
            Count(count);
            for (const auto& item : list)
                WriteObject(*item);
            return;
        }
        list.Clear();
        std::uint32_t count = 0;
        Count(count);
        CheckFits(count, 2);
        for (std::uint32_t i = 0; i < count; ++i)
            list.Append(ReadObject<T>());
    }

    // Reads one new object of class T (or derived) in object form for an owning position.
    template <class T> std::unique_ptr<T> ReadObject() {
        auto object = ReadObjectChecked(
            [](const Database::CObject& o) { return dynamic_cast<const T*>(&o) != nullptr; });
        return std::unique_ptr<T>(static_cast<T*>(object.release()));
    }

    // Writes one object in object form: its class tag (the name the first time), then its record.
    void WriteObject(Database::CObject& object);

private:
    using Acceptor = bool (*)(const Database::CObject&);
    std::unique_ptr<Database::CObject> ReadObjectChecked(Acceptor accepts);
    std::unique_ptr<Database::CObject> NewObjectOfClass(std::uint32_t classIndex, Acceptor accepts);

    const std::uint8_t* Take(std::size_t n);
    void Put(const void* data, std::size_t n);
    template <class T> T ReadRaw();
    template <class T> void WriteRaw(T value);
    std::uint32_t ReadTextLength(bool& wide);
    void WriteTextLength(std::uint32_t length);

    bool loading_;
    std::span<const std::uint8_t> in_;
    std::size_t pos_ = 0;
    std::vector<std::uint8_t> out_;

    // Loading: index -> class name, or empty for an index taken by an object. Index 0 is unused.
    std::vector<std::string> loadIndex_;
    // Storing: class name -> index, and the next index to hand out.
    std::unordered_map<std::string, std::uint32_t> storeClasses_;
    std::uint32_t nextStoreIndex_ = 1;
};
