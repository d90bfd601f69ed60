#pragma once

#include "document/MessageSink.h"

// The fuzz targets read files nobody is told about: every message goes nowhere.
class DiscardingSink : public MessageSink {
  public:
    void Message(const Text&, const Text&) override {}
    void OpenFailed(const Text&) override {}
    void FileError(const Text&) override {}
};
