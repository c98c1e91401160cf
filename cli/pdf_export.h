#pragma once
// Printing a built sheet to PDF through LibreOffice in headless mode.
#include <filesystem>

namespace tavo::cli {

// Converts the workbook `xlsx` (whose sheets are all printed) to `pdf`,
// replacing it only once the conversion succeeded. Raises tavo::Error when
// LibreOffice is missing, fails or takes too long.
void ConvertXlsxToPdf(const std::filesystem::path& xlsx, const std::filesystem::path& pdf);

}  // namespace tavo::cli
