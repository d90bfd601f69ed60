#pragma once

#include "document/MessageSink.h"

// Tells the user through message boxes: the window's way of reporting.
class QtMessageSink : public MessageSink {
  public:
    void Message(const Text& text, const Text& title) override;
    void OpenFailed(const Text& text) override;
    void FileError(const Text& text) override;
};
