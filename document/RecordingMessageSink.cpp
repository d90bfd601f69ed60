#include "document/RecordingMessageSink.h"

void RecordingMessageSink::Message(const Text& text, const Text& title) {
    boxes.push_back({text, title});
}

void RecordingMessageSink::OpenFailed(const Text& text) {
    openFailures.push_back(text);
}

void RecordingMessageSink::FileError(const Text& text) {
    fileErrors.push_back(text);
}

void RecordingMessageSink::Found(const Text& text) {
    found.push_back(text);
}

void RecordingMessageSink::Clear() {
    found.clear();
    boxes.clear();
    openFailures.clear();
    fileErrors.clear();
}
