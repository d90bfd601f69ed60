#pragma once

#include <memory>
#include <string>

class QLockFile;

// Marks that a viewer is running, and notes whether another one already was. Nothing depends on
// the answer: a second viewer starts and runs like the first.
class InstanceLock {
  public:
    static constexpr const char* kName = "PreventSecondInstanceMutex";

    // Takes the lock of that name in the user's runtime folder (the temporary folder when there
    // is none), or in the given folder, and holds it for the life of the object.
    explicit InstanceLock(const std::string& folder = {});
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // True when another instance held the lock when this one was made.
    bool AlreadyExisted() const { return alreadyExisted_; }

  private:
    std::unique_ptr<QLockFile> lock_;
    bool alreadyExisted_ = false;
};
