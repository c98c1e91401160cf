#include "com/dispatch_host.h"

#include <limits>

#include "com/wide_text.h"
#include "common/error.h"

namespace tavo::com {
namespace {

ComVariant Int16Argument(int n) {
  if (n < std::numeric_limits<std::int16_t>::min() || n > std::numeric_limits<std::int16_t>::max()) RaiseOverflow();
  return ComVariant::Int16(static_cast<std::int16_t>(n));
}

// The member's name as the host spells it.
std::wstring MemberName(host::PageSetupMember member) {
  std::string name = host::PageSetupMemberName(member);
  return std::wstring(name.begin(), name.end());
}

}  // namespace

std::unique_ptr<host::Shape> DispatchShapes::AddTextEffect(int preset, const std::string& text,
                                                           const std::string& font_name, double font_size,
                                                           std::int16_t bold, std::int16_t italic, std::int32_t left,
                                                           std::int32_t top) {
  auto a_preset = Int16Argument(preset);
  auto a_text = ComVariant::Text(text);
  auto a_font = ComVariant::Text(font_name);
  auto a_size = ComVariant::Double(font_size);
  auto a_bold = ComVariant::Int16(bold);
  auto a_italic = ComVariant::Int16(italic);
  auto a_left = ComVariant::Int32(left);
  auto a_top = ComVariant::Int32(top);
  return std::make_unique<DispatchShape>(
      o_.ObjectMethod(L"AddTextEffect", {&a_preset, &a_text, &a_font, &a_size, &a_bold, &a_italic, &a_left, &a_top}));
}

Variant DispatchPageSetup::Get(host::PageSetupMember member) { return o_.Get(MemberName(member).c_str()).ToHost(); }

void DispatchPageSetup::Set(host::PageSetupMember member, const Variant& value) {
  o_.Put(MemberName(member).c_str(), ComVariant::FromHost(value));
}

void DispatchSheet::SetVisible(host::Visibility visible) { o_.Put(L"Visible", Int16Argument(host::Number(visible))); }

std::unique_ptr<host::CellRange> DispatchSheet::Cells(std::int32_t row, std::int32_t column) {
  auto r = ComVariant::Int32(row);
  auto c = ComVariant::Int32(column);
  return DispatchRange(o_.ObjectProperty(L"Cells")).Item({&r, &c});
}

std::unique_ptr<host::CellRange> DispatchSheet::Range(host::CellRange& first, host::CellRange& last) {
  auto* a = dynamic_cast<DispatchRange*>(&first);
  auto* b = dynamic_cast<DispatchRange*>(&last);
  if (a == nullptr || b == nullptr) RaiseTypeMismatch("Range 需要本宿主的单元格");
  auto cell1 = ComVariant::Object(a->object());
  auto cell2 = ComVariant::Object(b->object());
  return DispatchRange::Wrap(o_.ObjectProperty(L"Range", {&cell1, &cell2}));
}

std::unique_ptr<host::CellRange> DispatchSheet::Rows(std::int32_t row) {
  auto r = ComVariant::Int32(row);
  return DispatchRange(o_.ObjectProperty(L"Rows")).Item({&r});
}

std::unique_ptr<host::CellRange> DispatchSheet::Columns(std::int32_t column) {
  auto c = ComVariant::Int32(column);
  return DispatchRange(o_.ObjectProperty(L"Columns")).Item({&c});
}

std::unique_ptr<host::CellRange> DispatchSheet::Columns(const std::string& address) {
  auto a = ComVariant::Text(address);
  return DispatchRange(o_.ObjectProperty(L"Columns")).Item({&a});
}

std::unique_ptr<host::Sheet> DispatchSheets::Item(std::int32_t index) {
  auto i = ComVariant::Int32(index);
  return std::make_unique<DispatchSheet>(o_.ObjectProperty(L"Item", {&i}));
}

std::unique_ptr<host::Sheet> DispatchSheets::Item(const std::string& name) {
  auto n = ComVariant::Text(name);
  return std::make_unique<DispatchSheet>(o_.ObjectProperty(L"Item", {&n}));
}

std::int32_t DispatchWorkbook::Colors(int index) {
  auto i = ComVariant::Int32(index);
  return o_.Get(L"Colors", {&i}).ToInt32();
}

void DispatchWorkbook::SetColors(int index, std::int32_t rgb) {
  auto i = ComVariant::Int32(index);
  o_.Put(L"Colors", ComVariant::Int32(rgb), {&i});
}

}  // namespace tavo::com
