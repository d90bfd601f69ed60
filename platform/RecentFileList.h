#pragma once

#include <string>
#include <vector>

#include "core/WideText.h"

class Profile;

// The most recently opened files of one edition, most recent first, kept in the profile section
// of that edition ("Recent File List Std") as "File1" … "File4".
class RecentFileList {
  public:
    static constexpr int kDefaultSize = 4;
    static constexpr int kDefaultDisplayLength = 30;

    explicit RecentFileList(std::string section, int size = kDefaultSize,
                            int displayLength = kDefaultDisplayLength);

    // Replaces the entries with those stored in the profile; empty and repeated ones are dropped.
    void Load(const Profile& profile);
    // Stores every slot of the list; slots without a file are stored empty.
    void Save(Profile& profile) const;

    // Puts the file first (made absolute); an entry for the same file moves up instead of
    // repeating, and the oldest entry drops off a full list.
    void Add(const Text& path);
    // Drops the entry at the index, if there is one (a file that no longer opens).
    void Remove(int index);

    // The files, most recent first.
    const std::vector<Text>& Files() const { return files_; }
    // The entry at the index as a menu shows it: at most the display length in characters.
    Text DisplayName(int index) const;

    // The path shortened to maxLength characters: leading folders give way to "..." first, and
    // a file name too long on its own loses its middle.
    static Text Abbreviate(const Text& path, int maxLength);

  private:
    void Insert(const Text& path);

    std::string section_;
    int size_;
    int displayLength_;
    std::vector<Text> files_;
};
