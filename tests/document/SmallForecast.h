#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "database/CCompany.h"
#include "database/CScenario.h"
#include "database/CTabView.h"
#include "database/CYear.h"
#include "document/CMainDoc.h"
#include "items/CItem.h"

// Builds the forecast files the document and command-line tests read.
namespace SmallForecast {

// One view "Main" holding the combined scenario and scenario "Base" (weight `scenarioWeight`),
// each with the combined company and company "Acme" of one year 2024 starting in April. The real
// company's year has one income row "Sales" with `monthlySales` hundredths in every month.
inline Database::CTabView& Build(CMainDoc& doc, std::int64_t monthlySales = 10050,
                                 std::int32_t scenarioWeight = 100) {
    auto view = std::make_unique<Database::CTabView>();
    view->name = u"Main";
    for (const char16_t* scenarioName : {u"Combined", u"Base"}) {
        auto scenario = std::make_unique<Database::CScenario>();
        scenario->name = scenarioName;
        scenario->weight = scenarioWeight;
        for (const char16_t* companyName : {u"All", u"Acme"}) {
            auto company = std::make_unique<Database::CCompany>();
            company->name = companyName;
            auto year = std::make_unique<Database::CYear>();
            year->year = 2024;
            if (std::u16string(companyName) == u"Acme") {
                auto sales = std::make_unique<Item::CItem>();
                sales->name = u"Sales";
                sales->Expected.fill(monthlySales);
                year->Items(kIncome).Append(std::move(sales));
            }
            company->years.Append(std::move(year));
            scenario->companies.Append(std::move(company));
        }
        view->scenarios.Append(std::move(scenario));
    }
    return doc.Root().views.Append(std::move(view));
}

// The stored bytes of a document holding the small forecast and the given font name.
inline std::vector<std::uint8_t> Bytes(const std::u16string& fontName = u"Arial") {
    CMainDoc doc;
    Build(doc);
    doc.SetFontName(fontName);
    return doc.Store();
}

inline void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
  public:
    TempFolder() {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("varnobel-test-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

} // namespace SmallForecast
