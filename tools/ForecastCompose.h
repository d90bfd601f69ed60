#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <QByteArray>

class CMainDoc;

// Builds forecasts from the JSON shape of the export. Fields the viewer calculates may be present
// and are ignored; fields left out keep the values of a newly constructed object. A year's
// "categories" list its rows exactly (a year without them keeps its new bank and total rows).
namespace ForecastCompose {

// What is wrong with the JSON, and where: "root.views[0].name: expected a string".
class ComposeError : public std::runtime_error {
  public:
    explicit ComposeError(const std::string& message) : std::runtime_error(message) {}
};

// The document the JSON describes; fails with ComposeError.
std::unique_ptr<CMainDoc> DocumentFromJson(const QByteArray& json);

// The forecast file the JSON describes, written by the document's own storing path.
std::vector<std::uint8_t> Compose(const QByteArray& json);

} // namespace ForecastCompose
