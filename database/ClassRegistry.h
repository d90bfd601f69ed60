#pragma once

#include <memory>
#include <string_view>

#include "database/CObject.h"

// The persistent classes by their bare archive names, all of schema 1.
namespace ClassRegistry {

inline constexpr unsigned kSchema = 1;

// A new default-constructed object of the named class, or none when no such class exists.
std::unique_ptr<Database::CObject> Create(std::string_view className);

bool IsRegistered(std::string_view className);

} // namespace ClassRegistry
