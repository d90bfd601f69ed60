#pragma once

#include <vector>

#include "document/MessageSink.h"

// Keeps every report in order, for tests.
class RecordingMessageSink : public MessageSink {
  public:
    struct Box {
        Text text;
        Text title;
        bool operator==(const Box&) const = default;
    };

    void Message(const Text& text, const Text& title) override;
    void OpenFailed(const Text& text) override;
    void FileError(const Text& text) override;
    void Found(const Text& text) override;

    void Clear();
    bool Empty() const {
        return boxes.empty() && openFailures.empty() && fileErrors.empty() && found.empty();
    }

    std::vector<Box> boxes;
    std::vector<Text> openFailures;
    std::vector<Text> fileErrors;
    std::vector<Text> found;
};
