#include "office/host/cell_value.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/lang/Locale.hpp>
#include <com/sun/star/sheet/CellFlags.hpp>
#include <com/sun/star/sheet/FormulaResult.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/sheet/XCellRangeFormula.hpp>
#include <com/sun/star/sheet/XSheetOperation.hpp>
#include <com/sun/star/table/CellContentType.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/util/NumberFormat.hpp>
#include <com/sun/star/util/XNumberFormats.hpp>
#include <com/sun/star/util/XNumberFormatsSupplier.hpp>

#include <cmath>
#include <vector>

#include "host/value_rules.h"

namespace tavo::office {
namespace {

using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY_THROW;

constexpr std::int64_t kMaxValueCells = std::int64_t{1} << 20;

Reference<css::util::XNumberFormats> NumberFormats(const OfficeContext& context) {
  Reference<css::util::XNumberFormatsSupplier> supplier(context.document, UNO_QUERY_THROW);
  return supplier->getNumberFormats();
}

// The key of a format code, added to the document when it has none yet.
// Codes are given in the en-US notation, whatever the document's language.
std::int32_t FormatKey(OfficeContext& context, const char* code) {
  if (auto known = context.format_keys.find(code); known != context.format_keys.end()) return known->second;
  Reference<css::util::XNumberFormats> formats = NumberFormats(context);
  const css::lang::Locale locale("en", "US", "");
  const OUString text = OUString::createFromAscii(code);
  std::int32_t key = formats->queryKey(text, locale, false);
  if (key < 0) key = formats->addNew(text, locale);
  context.format_keys[code] = key;
  return key;
}

// The short-date form the host shows dates in, with the time when there is one.
const char* DateFormatCode(double serial) {
  const double days = std::floor(serial);
  if (serial == days) return "YYYY/M/D";
  if (days == 0) return "H:MM:SS";
  return "YYYY/M/D H:MM:SS";
}

std::int16_t FormatType(const OfficeContext& context, std::int32_t key) {
  std::int16_t type = 0;
  Reference<css::beans::XPropertySet> format = NumberFormats(context)->getByKey(key);
  if (format.is()) format->getPropertyValue("Type") >>= type;
  return type;
}

host::Variant NumberValue(const OfficeContext& context, const Reference<css::table::XCell>& cell,
                          double number) {
  Reference<css::beans::XPropertySet> properties(cell, UNO_QUERY_THROW);
  std::int32_t key = 0;
  properties->getPropertyValue("NumberFormat") >>= key;
  const std::int16_t type = FormatType(context, key);
  if (type & css::util::NumberFormat::LOGICAL) return host::Variant(number != 0);
  if (type & (css::util::NumberFormat::DATE | css::util::NumberFormat::TIME)) return host::Variant::Date(number);
  return host::Variant(number);
}

std::string CellText(const Reference<css::table::XCell>& cell) {
  Reference<css::text::XText> text(cell, UNO_QUERY_THROW);
  return FromUno(text->getString());
}

// Formulas that evaluate to each cell error, for assigning an error value.
const char* ErrorFormula(std::int32_t code) {
  switch (static_cast<host::CellError>(code)) {
    case host::CellError::Null: return "=A1:A2 B1:B2";
    case host::CellError::Div0: return "=1/0";
    case host::CellError::Value: return "=\"a\"+1";
    case host::CellError::Ref: return "=OFFSET(A1;-1;0)";
    case host::CellError::Name: return "=TAVO.NO.SUCH.NAME()";
    case host::CellError::Num: return "=1E308*10";
    case host::CellError::NA: return "=NA()";
  }
  return nullptr;
}

void SetFormats(const Reference<css::table::XCellRange>& range, const char* property, const Any& value) {
  Reference<css::beans::XPropertySet>(range, UNO_QUERY_THROW)->setPropertyValue(OUString::createFromAscii(property), value);
}

}  // namespace

std::int32_t HostErrorCode(std::int32_t office_error) {
  using host::CellError;
  switch (office_error) {
    case 0: return 0;
    case 521: return static_cast<std::int32_t>(CellError::Null);
    case 532: return static_cast<std::int32_t>(CellError::Div0);
    case 524: return static_cast<std::int32_t>(CellError::Ref);
    case 525: return static_cast<std::int32_t>(CellError::Name);
    case 502: case 503: return static_cast<std::int32_t>(CellError::Num);
    case 32767: return static_cast<std::int32_t>(CellError::NA);
    default: return static_cast<std::int32_t>(CellError::Value);
  }
}

host::Variant ReadCellValue(const OfficeContext& context, const Reference<css::table::XCell>& cell) {
  return Uno([&]() -> host::Variant {
    switch (cell->getType()) {
      case css::table::CellContentType_EMPTY: return {};
      case css::table::CellContentType_VALUE: return NumberValue(context, cell, cell->getValue());
      case css::table::CellContentType_TEXT: return host::Variant(CellText(cell));
      case css::table::CellContentType_FORMULA: {
        if (std::int32_t code = HostErrorCode(cell->getError())) return host::Variant(host::ErrorValue{code});
        std::int32_t result = 0;
        Reference<css::beans::XPropertySet>(cell, UNO_QUERY_THROW)->getPropertyValue("FormulaResultType2") >>= result;
        if (result == css::sheet::FormulaResult::STRING) return host::Variant(CellText(cell));
        return NumberValue(context, cell, cell->getValue());
      }
      default: return {};
    }
  });
}

bool HoldValue(OfficeContext& context, const Reference<css::sheet::XSpreadsheet>& sheet, const Block& area,
               const host::Variant& value) {
  const host::StoredValue stored = host::ConvertAssignedValue(value);
  const host::Variant& v = stored.value;
  if (v.IsError()) return false;
  Any cell_value;
  if (v.IsEmpty()) {
    cell_value <<= OUString();  // an empty text in a data array empties the cell
  } else if (v.IsText()) {
    cell_value <<= ToUno(v.Text());
  } else if (v.IsBool()) {
    cell_value <<= (v.Bool() ? 1.0 : 0.0);
  } else if (v.IsDate()) {
    cell_value <<= v.DateSerial();
  } else {
    cell_value <<= v.Number();
  }
  Uno([&] {
    WriteBuffer& held = context.held;
    held.SetValue(sheet, area, cell_value);
    if (v.IsDate()) held.SetFormat(sheet, area, CellFormat::kNumberFormat, Any(FormatKey(context, DateFormatCode(v.DateSerial()))));
    if (v.IsBool()) held.SetFormat(sheet, area, CellFormat::kNumberFormat, Any(FormatKey(context, "BOOLEAN")));
    if (v.IsText() && v.Text().find('\n') != std::string::npos) held.SetFormat(sheet, area, CellFormat::kWrap, Any(true));
  });
  return true;
}

void WriteRangeValue(OfficeContext& context, const Reference<css::table::XCellRange>& range,
                     std::int32_t rows, std::int32_t columns, const host::Variant& value) {
  const host::StoredValue stored = host::ConvertAssignedValue(value);
  const host::Variant& v = stored.value;
  if (std::int64_t{rows} * columns > kMaxValueCells) RaiseInvalidArgument("一次赋值的单元格过多");
  Uno([&] {
    if (v.IsEmpty()) {
      using namespace css::sheet::CellFlags;
      Reference<css::sheet::XSheetOperation>(range, UNO_QUERY_THROW)->clearContents(VALUE | DATETIME | STRING | FORMULA);
      return;
    }
    if (v.IsError()) {
      const char* formula = ErrorFormula(v.ErrorCode());
      if (formula == nullptr) RaiseInvalidArgument("错误值 " + std::to_string(v.ErrorCode()) + " 无效");
      Sequence<Sequence<OUString>> data(rows);
      for (std::int32_t r = 0; r < rows; ++r) {
        Sequence<OUString> row(columns);
        for (std::int32_t c = 0; c < columns; ++c) row.getArray()[c] = OUString::createFromAscii(formula);
        data.getArray()[r] = row;
      }
      Reference<css::sheet::XCellRangeFormula>(range, UNO_QUERY_THROW)->setFormulaArray(data);
      return;
    }
    Any cell_value;
    if (v.IsText()) {
      cell_value <<= ToUno(v.Text());
    } else if (v.IsBool()) {
      cell_value <<= (v.Bool() ? 1.0 : 0.0);
    } else if (v.IsDate()) {
      cell_value <<= v.DateSerial();
    } else {
      cell_value <<= v.Number();
    }
    Sequence<Sequence<Any>> data(rows);
    for (std::int32_t r = 0; r < rows; ++r) {
      Sequence<Any> row(columns);
      for (std::int32_t c = 0; c < columns; ++c) row.getArray()[c] = cell_value;
      data.getArray()[r] = row;
    }
    Reference<css::sheet::XCellRangeData>(range, UNO_QUERY_THROW)->setDataArray(data);
    // The format follows the value, as the desktop host sets it on entry.
    if (v.IsDate()) SetFormats(range, "NumberFormat", Any(FormatKey(context, DateFormatCode(v.DateSerial()))));
    if (v.IsBool()) SetFormats(range, "NumberFormat", Any(FormatKey(context, "BOOLEAN")));
    // Texts with line feeds show on several lines: the host turns wrapping on.
    if (v.IsText() && v.Text().find('\n') != std::string::npos) SetFormats(range, "IsTextWrapped", Any(true));
  });
}

}  // namespace tavo::office
