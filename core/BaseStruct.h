#pragma once

#include <cstdint>
#include <string>

#include "core/WideText.h"

// Small reference-counted value objects used by the import-matching table.
namespace BaseStruct {

class Object {
public:
    Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    void AddRef() { ++refCount_; }
    // Drops one reference; the object deletes itself when the last one goes.
    void Release();
    std::int32_t RefCount() const { return refCount_; }

protected:
    virtual ~Object() = default;

private:
    std::int32_t refCount_ = 1;
};

class BaseType : public Object {
public:
    virtual std::uint32_t Hash() const = 0;
    virtual bool Equals(const BaseType& other) const = 0;
};

// Single-byte text with FNV-1a hashing and byte-exact equality.
class String : public BaseType {
public:
    String();
    // length -1 takes the text up to its terminating zero.
    String(const char* text, std::int32_t length);
    // Each wide character becomes one byte of the Windows-1252 code page.
    explicit String(const ::Text& wide);

    void Assign(const char* text, std::int32_t length);
    void Append(const char* text, std::int32_t length);
    const char* Raw() const { return buffer_.c_str(); }
    std::int32_t Length() const { return static_cast<std::int32_t>(buffer_.size()); }
    ::Text Wide() const;

    std::uint32_t Hash() const override;
    bool Equals(const BaseType& other) const override;

private:
    std::string buffer_;
    [[maybe_unused]] std::int32_t tag_ = -1; // carried with the record layout; nothing reads it
};

// 64-bit value in ten-thousandths of the currency unit.
class Currency : public BaseType {
public:
    explicit Currency(std::int64_t value = 0) : value_(value) {}
    std::int64_t Value() const { return value_; }

    std::uint32_t Hash() const override;
    bool Equals(const BaseType& other) const override;

private:
    std::int64_t value_;
};

// A doubly linked list holding one reference to each element.
class List : public Object {
    struct Node {
        Node* previous = nullptr;
        Node* next = nullptr;
        Object* element = nullptr;
    };

public:
    List() = default;
    ~List() override;

    // Appends the element, taking one reference to it.
    void Append(Object* element);
    // The element at a 0-based index with one reference added (the caller releases it), or
    // none when there is no such element.
    Object* At(std::int32_t index) const;
    std::int32_t Count() const { return count_; }
    // Releases every element and frees the nodes.
    void Clear();

    class Iterator {
    public:
        explicit Iterator(const List& list) : next_(list.first_) {}
        // The next element (no reference added), or none at the end.
        Object* Next();

    private:
        Node* next_;
    };

private:
    Node* first_ = nullptr;
    Node* last_ = nullptr;
    std::int32_t count_ = 0;
};

} // namespace BaseStruct
