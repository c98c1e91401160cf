// The "校历事项" sheet of a new host workbook.
#include "hostbook/default_content.h"
#include "hostbook/school_item_cells.h"

namespace tavo::hostbook {

DefaultSheet SchoolItemsSheet() {
  using namespace school_items;
  DefaultSheet sheet{kSheetName,
                     {},
                     {{kStartColumn, 12}, {kEndColumn, 12}, {kCategoryColumn, 6}, {kTitleColumn, 18},
                      {kFirstWeekColumn, 8}, {kAudienceColumn, 8}}};
  for (std::size_t c = 0; c < kHeadings.size(); ++c)
    sheet.cells.push_back({1, static_cast<std::int32_t>(c + 1), kHeadings[c], true});
  sheet.cells.push_back(
      {1, kNoteColumn,
       "每行一项：A 开始日期，B 结束日期（一天则留空），C 类别（学期、假期、报到、考试、活动、停课、调课），"
       "D 事项，E 学期的起始周次（默认 1，0 为预备周），F 对象（如 高三、教职工，可空）。"
       "有“学期”行时，周次按学期编排，整周在假期中的周写假期名称；“停课”日标“休”，"
       "“调课”日照常上课（周末标“班”），D 写所用课表，如“按周五课表上课”。"});
  return sheet;
}

}  // namespace tavo::hostbook
