#pragma once
// What a sheet the adapter adds starts with.
#include <com/sun/star/sheet/XSpreadsheet.hpp>

#include "office/host/office_context.h"

namespace tavo::office {

// As a new sheet of a host workbook is on the desktop: 宋体 (the workbook's
// default font) in every script, and every column of the default width.
// Calc's default cell style and column width would otherwise give it the
// office's sans-serif faces and 2.26 cm columns.
void PrepareNewSheet(OfficeContext& context, const css::uno::Reference<css::sheet::XSpreadsheet>& sheet);

}  // namespace tavo::office
