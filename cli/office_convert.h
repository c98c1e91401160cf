#pragma once
// Converting workbooks with LibreOffice in headless mode: a built sheet to
// PDF, and a workbook in another format (.xls, .ods) to .xlsx.
#include <filesystem>
#include <string>

namespace tavo::cli {

// Converts the workbook `xlsx` (whose sheets are all printed) to `pdf`,
// replacing it only once the conversion succeeded. Raises tavo::Error when
// LibreOffice is missing, fails or takes too long.
void ConvertXlsxToPdf(const std::filesystem::path& xlsx, const std::filesystem::path& pdf);

// Converts the workbook `input` (.xls, .ods, ...) to the .xlsx file `xlsx`.
// Raises tavo::Error as above, and when LibreOffice cannot read the file.
void ConvertToXlsx(const std::filesystem::path& input, const std::filesystem::path& xlsx);

}  // namespace tavo::cli
