#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/WideText.h"

class QSettings;

// The per-user settings store of the viewer: values by section and entry under the organisation
// "Varnobel Limited" and the application "Varnobel Viewer". A value that is missing or cannot be
// read as the asked type gives the caller's default.
class Profile {
  public:
    Profile();
    ~Profile();
    Profile(const Profile&) = delete;
    Profile& operator=(const Profile&) = delete;

    // The integer stored under section/entry, or the default.
    int GetProfileInt(std::string_view section, std::string_view entry, int defaultValue) const;
    // Stores an integer; false when the store cannot be written.
    bool WriteProfileInt(std::string_view section, std::string_view entry, int value);
    // The text stored under section/entry, or the default.
    Text GetProfileString(std::string_view section, std::string_view entry,
                          const Text& defaultValue = {}) const;
    // Stores a text; false when the store cannot be written.
    bool WriteProfileString(std::string_view section, std::string_view entry, const Text& value);
    // The bytes stored under section/entry (a window layout), empty when none.
    std::string GetProfileBinary(std::string_view section, std::string_view entry) const;
    // Stores bytes; false when the store cannot be written.
    bool WriteProfileBinary(std::string_view section, std::string_view entry,
                            std::string_view bytes);
    // Writes pending changes to disk now rather than when the profile is destroyed.
    void Flush();

  private:
    std::unique_ptr<QSettings> settings_;
};
