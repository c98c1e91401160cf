#pragma once
// Cell values between the host's kinds and LibreOffice's cells: a number
// with a date format reads as a date, one with the boolean format as a
// boolean, an error cell as the host's error value. Assigned values follow
// the desktop host's conversions (host/value_rules.h).
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/table/XCellRange.hpp>

#include "office/host/office_context.h"
#include "host/variant.h"

namespace tavo::office {

host::Variant ReadCellValue(const OfficeContext& context, const css::uno::Reference<css::table::XCell>& cell);

// Assigns `value` to every cell of the range (rows x columns cells).
void WriteRangeValue(OfficeContext& context, const css::uno::Reference<css::table::XCellRange>& range,
                     std::int32_t rows, std::int32_t columns, const host::Variant& value);

// Holds `value` for every cell of `area` in the context's WriteBuffer, with
// the number format or wrapping it brings. False for a value a data array
// cannot carry (an error value): the caller writes it itself.
bool HoldValue(OfficeContext& context, const css::uno::Reference<css::sheet::XSpreadsheet>& sheet,
               const Block& area, const host::Variant& value);

// The host's error code of a LibreOffice formula error, 0 for none.
std::int32_t HostErrorCode(std::int32_t office_error);

}  // namespace tavo::office
