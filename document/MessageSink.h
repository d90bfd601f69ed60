#pragma once

#include "core/WideText.h"

// Where the document reports what the user must be told: message boxes in the window, standard
// error on the command line, a recorder in tests.
class MessageSink {
  public:
    virtual ~MessageSink() = default;
    // A message box with an OK button and no owner window.
    virtual void Message(const Text& text, const Text& title) = 0;
    // The closing report of a failed open ("Unexpected file format.").
    virtual void OpenFailed(const Text& text) = 0;
    // A file that could not be opened or read at all (the file system's reason).
    virtual void FileError(const Text& text) = 0;
    // What a read found where it stopped, said before the closing report when no message box
    // has said it ("The file ends after 5000 bytes, ...").
    virtual void Found(const Text&) {}
};
