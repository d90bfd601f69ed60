#pragma once

#include <cstdint>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

// Reads an export back for the tests. Members keep their written order, so the tests can check
// it, and an object that names a key twice is refused: a plain reader would keep one of the two
// silently and the tests would never see the repetition.
namespace TestJson {

using Json = nlohmann::ordered_json;

inline Json Parse(std::string_view text) {
    std::vector<std::set<std::string>> open; // the keys met so far in each object being read
    const Json::parser_callback_t refuseRepeats = [&open](int, Json::parse_event_t event,
                                                          Json& parsed) {
        switch (event) {
        case Json::parse_event_t::object_start:
            open.emplace_back();
            break;
        case Json::parse_event_t::object_end:
            open.pop_back();
            break;
        case Json::parse_event_t::key:
            if (!open.back().insert(parsed.get<std::string>()).second)
                throw std::runtime_error("key written twice: " + parsed.get<std::string>());
            break;
        default:
            break;
        }
        return true;
    };
    return Json::parse(text, refuseRepeats);
}

// An object's keys in their written order.
inline std::vector<std::string> KeysOf(const Json& object) {
    if (!object.is_object())
        throw std::runtime_error("not an object: " + object.dump());
    std::vector<std::string> keys;
    for (const auto& member : object.items())
        keys.push_back(member.key());
    return keys;
}

// A number written as an integer; 1.0 or 1e2 are not.
inline std::int64_t Int(const Json& value) {
    if (!value.is_number_integer())
        throw std::runtime_error("not an integer: " + value.dump());
    return value.get<std::int64_t>();
}

} // namespace TestJson
