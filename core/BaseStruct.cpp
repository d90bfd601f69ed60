#include "core/BaseStruct.h"

#include <cstring>

namespace BaseStruct {

namespace {

constexpr std::uint32_t kFnvOffset = 0x811C9DC5u;
constexpr std::uint32_t kFnvPrime = 16777619u;

// A null text is empty; a negative length takes the text up to its terminating zero.
std::string_view Slice(const char* text, std::int32_t length) {
    if (text == nullptr)
        return {};
    if (length < 0)
        return std::string_view(text);
    return std::string_view(text, static_cast<std::size_t>(length));
}

} // namespace

void Object::Release() {
    if (--refCount_ == 0)
        delete this;
}

String::String() = default;

String::String(const char* text, std::int32_t length) : buffer_(Slice(text, length)) {}

String::String(const ::Text& wide) : buffer_(ToCp1252(wide)) {}

void String::Assign(const char* text, std::int32_t length) {
    // Copy first: the text may point into this string's own buffer.
    std::string copy(Slice(text, length));
    buffer_.swap(copy);
}

void String::Append(const char* text, std::int32_t length) {
    std::string copy(Slice(text, length));
    buffer_ += copy;
}

::Text String::Wide() const {
    return FromCp1252(buffer_);
}

std::uint32_t String::Hash() const {
    std::uint32_t h = kFnvOffset;
    for (const char c : buffer_) {
        if (c == '\0') // the text ends at its terminating zero
            break;
        // Bytes enter sign-extended, as a signed char widens.
        const auto b =
            static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<signed char>(c)));
        h = (h ^ b) * kFnvPrime;
    }
    return h;
}

bool String::Equals(const BaseType& other) const {
    const auto* text = dynamic_cast<const String*>(&other);
    return text != nullptr && text->buffer_ == buffer_;
}

std::uint32_t Currency::Hash() const {
    const auto low = static_cast<std::uint32_t>(static_cast<std::uint64_t>(value_) & 0xFFFFFFFFu);
    return (low ^ kFnvOffset) * kFnvPrime;
}

bool Currency::Equals(const BaseType& other) const {
    const auto* amount = dynamic_cast<const Currency*>(&other);
    return amount != nullptr && amount->value_ == value_;
}

List::~List() {
    Clear();
}

void List::Append(Object* element) {
    if (element == nullptr) // a node always holds an element
        return;
    auto* node = new Node;
    node->previous = last_;
    node->element = element;
    element->AddRef();
    if (last_ != nullptr)
        last_->next = node;
    else
        first_ = node;
    last_ = node;
    ++count_;
}

Object* List::At(std::int32_t index) const {
    if (index < 0)
        return nullptr;
    Node* node = first_;
    for (std::int32_t i = 0; node != nullptr && i < index; ++i)
        node = node->next;
    if (node == nullptr)
        return nullptr;
    node->element->AddRef();
    return node->element;
}

void List::Clear() {
    // Detach the nodes first so that an element's destructor never sees a half-cleared list.
    Node* node = first_;
    first_ = nullptr;
    last_ = nullptr;
    count_ = 0;
    while (node != nullptr) {
        Node* next = node->next;
        node->element->Release();
        delete node;
        node = next;
    }
}

Object* List::Iterator::Next() {
    if (next_ == nullptr)
        return nullptr;
    Object* element = next_->element;
    next_ = next_->next;
    return element;
}

} // namespace BaseStruct
