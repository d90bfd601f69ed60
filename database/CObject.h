#pragma once

class Archive;

namespace Database {

// The root of every persistent class: it knows its archive name and reads and writes its record.
class CObject {
public:
    virtual ~CObject() = default;
    virtual const char* ClassName() const = 0;
    virtual void Serialize(Archive& ar) = 0;
};

} // namespace Database
