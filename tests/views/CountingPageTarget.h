#pragma once

#include "platform/PrintLoop.h"
#include "platform/RecordingDeviceContext.h"

// A page target that records onto paper of the given caps and counts the pages kept.
class CountingPageTarget : public PageTarget {
public:
    explicit CountingPageTarget(const DeviceCaps& caps) : dc(caps) {}
    bool StartDoc() override { return true; }
    DeviceContext& Context() override { return dc; }
    bool StartPage() override { return true; }
    bool EndPage(bool keep) override { return kept += keep ? 1 : 0, true; }
    bool EndDoc() override { return true; }
    void AbortDoc() override {}

    RecordingDeviceContext dc;
    int kept = 0;
};
