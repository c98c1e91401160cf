#include "sheets/page_setup.h"

#include <array>
#include <memory>
#include <utility>

#include "common/error.h"
#include "hostbook/settings_cells.h"

namespace tavo::sheets {
namespace {

using host::PageSetupMember;

// In the order of the table's columns.
constexpr std::array<PageSetupMember, 6> kKeptMembers = {
    PageSetupMember::TopMargin,   PageSetupMember::BottomMargin, PageSetupMember::FooterMargin,
    PageSetupMember::Orientation, PageSetupMember::PaperSize,    PageSetupMember::Zoom,
};

static_assert(kKeptMembers.size() == settings::kPageSetupColumns);

// Only rows 2..5 belong to the table. Options outside the stored values give
// other keys; those must not overwrite the table's heading row or whatever
// lies below the table, nor read it back as a page setup.
bool IsTableRow(std::int32_t key) {
  return key >= settings::kFirstPageSetupRow && key <= settings::kLastPageSetupRow;
}

template <typename Step>
void IgnoringHostErrors(Step&& step) {
  try {
    std::forward<Step>(step)();
  } catch (const Error&) {
    // A refused page-setup step is skipped on purpose; the next one runs.
  }
}

std::unique_ptr<host::PageLayout> PageSetupOf(host::Sheet& sheet) {
  std::unique_ptr<host::PageLayout> layout;
  IgnoringHostErrors([&] { layout = sheet.PageSetup(); });
  return layout;
}

}  // namespace

void SavePageSetup(host::Sheet& sheet, host::Sheet& settings, std::int32_t key, int first) {
  if (!IsTableRow(key)) return;
  auto layout = PageSetupOf(sheet);
  if (!layout) return;  // every later step would fail on it
  for (std::size_t i = 0; i < kKeptMembers.size(); ++i) {
    IgnoringHostErrors([&] {
      settings.Cells(key, first + static_cast<int>(i))->SetValue(layout->Get(kKeptMembers[i]));
    });
  }
}

void ApplyPageSetup(host::Sheet& sheet, host::Sheet& settings, std::int32_t key, int first,
                    bool page_number_footer) {
  auto layout = PageSetupOf(sheet);
  if (!layout) return;
  if (IsTableRow(key)) {
    for (std::size_t i = 0; i < kKeptMembers.size(); ++i) {
      IgnoringHostErrors([&] {
        layout->Set(kKeptMembers[i], settings.Cells(key, first + static_cast<int>(i))->Value());
      });
    }
  }
  auto set = [&layout](PageSetupMember member, host::Variant value) {
    IgnoringHostErrors([&] { layout->Set(member, value); });
  };
  if (page_number_footer) set(PageSetupMember::CenterFooter, "&P");
  set(PageSetupMember::HeaderMargin, 5);
  set(PageSetupMember::LeftMargin, 5);
  set(PageSetupMember::RightMargin, 5);
  set(PageSetupMember::CenterHorizontally, true);
  set(PageSetupMember::PrintTitleRows, "$1:$2");
}

}  // namespace tavo::sheets
