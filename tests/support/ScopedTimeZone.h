#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

// Puts the process in a time zone (a TZ value: a zone name such as "Asia/Tokyo", or a rule such
// as "JST-9") for the life of the object, and back in the zone it had afterwards, so that a test
// of local times passes wherever it runs.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone) {
        if (const char* before = std::getenv("TZ"))
            before_ = before;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ScopedTimeZone() {
        if (before_)
            setenv("TZ", before_->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    std::optional<std::string> before_;
};
