#pragma once

#include "database/LayoutKey.h"

class CMainDoc;
class DeviceContext;

namespace Database {
class CDisplaySettings;
class CYear;
} // namespace Database

namespace Display {

struct LayoutMetrics;

// What every layout object is given while it draws.
struct DrawContext {
    DeviceContext* dc = nullptr;
    CMainDoc* doc = nullptr;
    const LayoutMetrics* metrics = nullptr;
    // The display settings of the year shown, or none (graph pages, unresolved years).
    const Database::CDisplaySettings* display = nullptr;
    // The year shown, or none.
    const Database::CYear* year = nullptr;
    const LayoutKey* highlightKey = nullptr;
    // The pass draws on a page nothing has been drawn on yet, all white (the window's fresh
    // off-screen bitmap): a white panel then needs no fill in the middle that only it covers.
    bool blankWhitePage = false;
};

} // namespace Display
