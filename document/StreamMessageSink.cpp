#include "document/StreamMessageSink.h"

void StreamMessageSink::Message(const Text& text, const Text&) {
    Line(text);
}

void StreamMessageSink::OpenFailed(const Text& text) {
    Line(text);
}

void StreamMessageSink::FileError(const Text& text) {
    Line(text);
}

void StreamMessageSink::Found(const Text& text) {
    Line(text);
}

void StreamMessageSink::Line(const Text& text) {
    stream_ << ToUtf8(text) << '\n';
    stream_.flush();
}
