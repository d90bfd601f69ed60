#include "database/Archive.h"

#include <cstring>

#include "database/ClassRegistry.h"

namespace {

constexpr std::uint16_t kNullTag = 0;
constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kClassTag = 0x8000;
constexpr std::uint16_t kBigObjectTag = 0x7FFF;
constexpr std::uint32_t kBigClassTag = 0x80000000;
constexpr std::uint32_t kTimeMarker = 0x8000000A;
constexpr std::size_t kMaxClassName = 63;

[[noreturn]] void Fail(ArchiveFailure::Kind kind) { throw ArchiveFailure(kind); }

} // namespace

Archive::Archive(std::span<const std::uint8_t> bytes) : loading_(true), in_(bytes) {
    loadIndex_.emplace_back(); // index 0 means "no object"
}

Archive::Archive() : loading_(false) {}

const std::uint8_t* Archive::Take(std::size_t n) {
    if (n > Remaining())
        Fail(ArchiveFailure::Kind::EndOfFile);
    const std::uint8_t* p = in_.data() + pos_;
    pos_ += n;
    return p;
}

void Archive::Put(const void* data, std::size_t n) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    out_.insert(out_.end(), p, p + n);
}

template <class T> T Archive::ReadRaw() {
    T value;
    std::memcpy(&value, Take(sizeof(T)), sizeof(T));
    return value;
}

template <class T> void Archive::WriteRaw(T value) { Put(&value, sizeof(T)); }

void Archive::CheckFits(std::uint64_t count, std::uint64_t itemSize) const {
    if (itemSize != 0 && count > Remaining() / itemSize)
        Fail(ArchiveFailure::Kind::EndOfFile);
}

void Archive::Flag(bool& value) {
    if (loading_)
        value = ReadRaw<std::uint8_t>() != 0;
    else
        WriteRaw<std::uint8_t>(value ? 1 : 0);
}

void Archive::Byte(std::uint8_t& value) {
    if (loading_)
        value = ReadRaw<std::uint8_t>();
    else
        WriteRaw(value);
}

void Archive::Int32(std::int32_t& value) {
    if (loading_)
        value = ReadRaw<std::int32_t>();
    else
        WriteRaw(value);
}

void Archive::UInt32(std::uint32_t& value) {
    if (loading_)
        value = ReadRaw<std::uint32_t>();
    else
        WriteRaw(value);
}

void Archive::Int64(std::int64_t& value) {
    if (loading_)
        value = ReadRaw<std::int64_t>();
    else
        WriteRaw(value);
}

void Archive::UInt16(std::uint16_t& value) {
    if (loading_)
        value = ReadRaw<std::uint16_t>();
    else
        WriteRaw(value);
}

void Archive::Double(double& value) {
    if (loading_)
        value = ReadRaw<double>();
    else
        WriteRaw(value);
}

void Archive::Money(Amount& value) {
    double d = loading_ ? 0.0 : AmountToFile(value);
    Double(d);
    if (loading_)
        value = AmountFromFile(d);
}

std::uint32_t Archive::ReadTextLength(bool& wide) {
    wide = false;
    std::uint8_t b = ReadRaw<std::uint8_t>();
    if (b < 0xFF)
        return b;
    std::uint16_t w = ReadRaw<std::uint16_t>();
    if (w == 0xFFFE) {
        wide = true;
        b = ReadRaw<std::uint8_t>();
        if (b < 0xFF)
            return b;
        w = ReadRaw<std::uint16_t>();
    }
    if (w < 0xFFFE)
        return w;
    std::uint32_t d = ReadRaw<std::uint32_t>();
    if (d == 0xFFFFFFFF) // a 64-bit length follows; no forecast file can hold such a text
        Fail(ArchiveFailure::Kind::EndOfFile);
    return d;
}

void Archive::WriteTextLength(std::uint32_t length) {
    WriteRaw<std::uint8_t>(0xFF);
    WriteRaw<std::uint16_t>(0xFFFE);
    if (length < 0xFF) {
        WriteRaw<std::uint8_t>(static_cast<std::uint8_t>(length));
    } else if (length < 0xFFFE) {
        WriteRaw<std::uint8_t>(0xFF);
        WriteRaw<std::uint16_t>(static_cast<std::uint16_t>(length));
    } else {
        WriteRaw<std::uint8_t>(0xFF);
        WriteRaw<std::uint16_t>(0xFFFF);
        WriteRaw<std::uint32_t>(length);
    }
}

void Archive::String(Text& value) {
    if (!loading_) {
        WriteTextLength(static_cast<std::uint32_t>(value.size()));
        for (char16_t c : value)
            WriteRaw<std::uint16_t>(c);
        return;
    }
    bool wide = false;
    const std::uint32_t length = ReadTextLength(wide);
    if (!wide) {
        const std::uint8_t* p = Take(length);
        value = FromCp1252(std::string_view(reinterpret_cast<const char*>(p), length));
        return;
    }
    CheckFits(length, 2);
    const std::uint8_t* p = Take(std::size_t{length} * 2);
    Text text(length, u'\0');
    for (std::uint32_t i = 0; i < length; ++i)
        text[i] = static_cast<char16_t>(p[2 * i] | (p[2 * i + 1] << 8));
    value = std::move(text);
}

void Archive::Time(std::int64_t& value) {
    if (!loading_) {
        WriteRaw<std::uint32_t>(kTimeMarker);
        WriteRaw<std::int64_t>(value);
        return;
    }
    const auto first = ReadRaw<std::uint32_t>();
    if (first == kTimeMarker)
        value = ReadRaw<std::int64_t>();
    else
        value = static_cast<std::int32_t>(first);
}

void Archive::Count(std::uint32_t& count) {
    if (!loading_) {
        if (count < 0xFFFF) {
            WriteRaw<std::uint16_t>(static_cast<std::uint16_t>(count));
        } else {
            WriteRaw<std::uint16_t>(0xFFFF);
            WriteRaw<std::uint32_t>(count);
        }
        return;
    }
    const auto small = ReadRaw<std::uint16_t>();
    count = small != 0xFFFF ? small : ReadRaw<std::uint32_t>();
}

double Archive::Version(double current) {
    double version = current;
    Double(version);
    if (loading_ && version > current)
        ThrowNotSupported();
    return version;
}

std::unique_ptr<Database::CObject> Archive::ReadObjectChecked(Acceptor accepts) {
    const auto tag = ReadRaw<std::uint16_t>();
    if (tag == kNullTag) // an owning position must hold an object
        Fail(ArchiveFailure::Kind::BadClass);

    if (tag == kNewClassTag) {
        const auto schema = ReadRaw<std::uint16_t>();
        const auto length = ReadRaw<std::uint16_t>();
        if (length > kMaxClassName)
            Fail(ArchiveFailure::Kind::BadClass);
        const std::uint8_t* p = Take(length);
        std::string name(reinterpret_cast<const char*>(p), length);
        if (!ClassRegistry::IsRegistered(name))
            Fail(ArchiveFailure::Kind::BadClass);
        if (schema != ClassRegistry::kSchema)
            Fail(ArchiveFailure::Kind::BadSchema);
        loadIndex_.push_back(std::move(name));
        return NewObjectOfClass(static_cast<std::uint32_t>(loadIndex_.size() - 1), accepts);
    }

    std::uint32_t index = 0;
    bool isClassTag = false;
    if (tag == kBigObjectTag) {
        const auto big = ReadRaw<std::uint32_t>();
        isClassTag = (big & kBigClassTag) != 0;
        index = big & ~kBigClassTag;
    } else {
        isClassTag = (tag & kClassTag) != 0;
        index = tag & ~kClassTag;
    }
    if (index == 0 || index >= loadIndex_.size())
        Fail(ArchiveFailure::Kind::BadIndex);
    if (!isClassTag) // a second owner of an object already read
        Fail(ArchiveFailure::Kind::BadClass);
    if (loadIndex_[index].empty()) // the index names an object, not a class
        Fail(ArchiveFailure::Kind::BadIndex);
    return NewObjectOfClass(index, accepts);
}

std::unique_ptr<Database::CObject> Archive::NewObjectOfClass(std::uint32_t classIndex,
                                                             Acceptor accepts) {
    auto object = ClassRegistry::Create(loadIndex_[classIndex]);
    if (!object || !accepts(*object))
        Fail(ArchiveFailure::Kind::BadClass);
    loadIndex_.emplace_back(); // the object takes the next index
    object->Serialize(*this);
    return object;
}

void Archive::WriteObject(Database::CObject& object) {
    const std::string name = object.ClassName();
    auto found = storeClasses_.find(name);
    if (found == storeClasses_.end()) {
        WriteRaw<std::uint16_t>(kNewClassTag);
        WriteRaw<std::uint16_t>(ClassRegistry::kSchema);
        WriteRaw<std::uint16_t>(static_cast<std::uint16_t>(name.size()));
        Put(name.data(), name.size());
        storeClasses_.emplace(name, nextStoreIndex_++);
    } else if (found->second < kBigObjectTag) {
        WriteRaw<std::uint16_t>(static_cast<std::uint16_t>(kClassTag | found->second));
    } else {
        WriteRaw<std::uint16_t>(kBigObjectTag);
        WriteRaw<std::uint32_t>(kBigClassTag | found->second);
    }
    ++nextStoreIndex_; // the object's own index
    object.Serialize(*this);
}
