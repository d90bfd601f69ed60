#pragma once

#include <optional>
#include <string>

#include <QSize>

#include "database/LayoutKey.h"
#include "document/Edition.h"
#include "statement/AdvOutline.h"
#include "views/StdViewState.h"

class CMainDoc;
class QImage;

// The largest side of an exported picture: beyond it a picture would ask for hundreds of
// megabytes twice (image and back buffer).
inline constexpr int kMaxImageSide = 8192;

// What a statement export asks for: the edition and the tab selection, each index unset when
// the command line leaves it to the view's choice after a load.
struct StatementRequest {
    Edition edition = Edition::Standard;
    std::optional<int> scenario;
    std::optional<int> company;
    std::optional<int> year;
};

// The selection a statement export draws, once checked against the forecast.
struct CheckedSelection {
    int scenario = 0;
    int company = 0;
    int year = 0;
    // False when the forecast has no scenario, company or year to show.
    bool drawable = false;
};

// Checks the request against the loaded forecast: the view takes scenario, company and year 0
// after a load; -1 names a combined entry; a year equal to the year count is the graphs page,
// allowed only when `graphsAllowed`. The Basic edition shows scenario 0 and company 0 only.
// Returns the reason when an index names nothing.
std::optional<std::string> CheckSelection(const CMainDoc& doc, const StatementRequest& request,
                                          bool graphsAllowed, CheckedSelection& selection);

// What the view draws for the selection in a client area of the given size, at the document's
// zoom. Needs a QGuiApplication (fonts).
QImage RenderStatementImage(CMainDoc& doc, Edition edition, const CheckedSelection& selection,
                            QSize size);

// What the view draws with `state` (its selection and the graph legend's choices, without its
// keyboard focus) in a client area of the given size, at the document's zoom, scrolled to the
// top left. Needs a QGuiApplication (fonts).
QImage RenderStdImage(CMainDoc& doc, Edition edition, StdViewState state, bool offsetYear,
                      QSize size);

// What the Advanced view draws for the key (a year's statement, or a graph page when the key
// names a graph) in a client area of the given size, at the document's zoom, once the columns
// have settled. Needs a QGuiApplication (fonts).
QImage RenderAdvImage(CMainDoc& doc, const LayoutKey& key, Statement::AdvOutline outline, QSize size);
