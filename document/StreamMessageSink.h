#pragma once

#include <ostream>

#include "document/MessageSink.h"

// Writes each report as one UTF-8 line to a stream (standard error on the command line). Message
// boxes show their text only: the titles are window decoration.
class StreamMessageSink : public MessageSink {
  public:
    explicit StreamMessageSink(std::ostream& stream) : stream_(stream) {}

    void Message(const Text& text, const Text& title) override;
    void OpenFailed(const Text& text) override;
    void FileError(const Text& text) override;
    void Found(const Text& text) override;

private:
    void Line(const Text& text);

    std::ostream& stream_;
};
