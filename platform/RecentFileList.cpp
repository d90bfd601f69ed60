#include "platform/RecentFileList.h"

#include <algorithm>

#include <QDir>
#include <QFileInfo>
#include <QString>

#include "platform/Profile.h"
#include "platform/QtText.h"

namespace {

constexpr int kMaxSize = 16;
const Text kEllipsis = u"...";

bool IsSeparator(char16_t c) {
    return c == u'/' || c == u'\\';
}
bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

bool SameFile(const Text& a, const Text& b) {
#ifdef Q_OS_WIN
    return QString::compare(ToQString(a), ToQString(b), Qt::CaseInsensitive) == 0;
#else
    return a == b;
#endif
}

// The name with its middle replaced by "...", keeping more of its end (the extension), never
// splitting a surrogate pair.
Text CutMiddle(const Text& name, std::size_t maxLength) {
    if (name.size() <= maxLength) {
        return name;
    }
    if (maxLength <= kEllipsis.size()) {
        std::size_t keep = std::min(maxLength, name.size());
        if (keep > 0 && keep < name.size() && IsHighSurrogate(name[keep - 1])) {
            --keep;
        }
        return name.substr(0, keep);
    }
    const std::size_t keep = maxLength - kEllipsis.size();
    std::size_t tail = (keep + 1) / 2;
    std::size_t head = keep - tail;
    if (head > 0 && IsHighSurrogate(name[head - 1])) {
        --head;
    }
    if (tail > 0 && IsLowSurrogate(name[name.size() - tail])) {
        --tail;
    }
    return name.substr(0, head) + kEllipsis + name.substr(name.size() - tail);
}

} // namespace

RecentFileList::RecentFileList(std::string section, int size, int displayLength)
    : section_(std::move(section)), size_(std::clamp(size, 0, kMaxSize)),
      displayLength_(std::max(displayLength, 0)) {}

void RecentFileList::Load(const Profile& profile) {
    files_.clear();
    for (int slot = 1; slot <= size_; ++slot) {
        const Text path = profile.GetProfileString(section_, "File" + std::to_string(slot));
        const bool repeated = std::any_of(files_.begin(), files_.end(),
                                          [&](const Text& file) { return SameFile(file, path); });
        if (!path.empty() && !repeated) {
            files_.push_back(path);
        }
    }
}

void RecentFileList::Save(Profile& profile) const {
    for (int slot = 1; slot <= size_; ++slot) {
        const std::size_t index = static_cast<std::size_t>(slot - 1);
        profile.WriteProfileString(section_, "File" + std::to_string(slot),
                                   index < files_.size() ? files_[index] : Text());
    }
}

void RecentFileList::Add(const Text& path) {
    if (path.empty()) {
        return;
    }
    Insert(ToText(QDir::cleanPath(QFileInfo(ToQString(path)).absoluteFilePath())));
}

void RecentFileList::Insert(const Text& path) {
    files_.erase(std::remove_if(files_.begin(), files_.end(),
                                [&](const Text& file) { return SameFile(file, path); }),
                 files_.end());
    files_.insert(files_.begin(), path);
    if (files_.size() > static_cast<std::size_t>(size_)) {
        files_.resize(static_cast<std::size_t>(size_));
    }
}

void RecentFileList::Remove(int index) {
    if (index >= 0 && static_cast<std::size_t>(index) < files_.size()) {
        files_.erase(files_.begin() + index);
    }
}

Text RecentFileList::DisplayName(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= files_.size()) {
        return {};
    }
    return Abbreviate(files_[static_cast<std::size_t>(index)], displayLength_);
}

Text RecentFileList::Abbreviate(const Text& path, int maxLength) {
    const std::size_t limit = static_cast<std::size_t>(std::max(maxLength, 0));
    if (path.size() <= limit) {
        return path;
    }
    std::vector<std::size_t> separators;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (IsSeparator(path[i])) {
            separators.push_back(i);
        }
    }
    if (separators.empty()) {
        return CutMiddle(path, limit);
    }
    // Keep the root ("/", "C:\") and as many trailing folders as fit: "/.../folder/name".
    const Text root = path.substr(0, separators.front() + 1);
    for (std::size_t k = 1; k < separators.size(); ++k) {
        const std::size_t tail = path.size() - separators[k];
        if (root.size() + kEllipsis.size() + tail <= limit) {
            return root + kEllipsis + path.substr(separators[k]);
        }
    }
    // Then the file name after "...", then the file name alone, cut in its middle if need be.
    const Text name = path.substr(separators.back() + 1);
    if (kEllipsis.size() + 1 + name.size() <= limit) {
        return kEllipsis + path.substr(separators.back());
    }
    return CutMiddle(name, limit);
}
