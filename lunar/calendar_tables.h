#pragma once
// The constant tables of the lunar engine: lunar month and day names, the 24
// solar terms with their minute offsets in the tropical year, and the packed
// lunar-year table with its unpacking. The day functions read them directly;
// LunarEngine::LoadCalendarTables copies the year table into the engine
// object, whose operations refuse to run before it.
#include <array>
#include <cstdint>
#include <string_view>

namespace tavo::lunar::tables {

inline constexpr std::array<std::string_view, 12> kMonthNames = {
    "正月", "二月", "三月", "四月", "五月", "六月", "七月", "八月", "九月", "十月", "十一月", "十二月"};

inline constexpr std::array<std::string_view, 30> kDayNames = {
    "初一", "初二", "初三", "初四", "初五", "初六", "初七", "初八", "初九", "初十",
    "十一", "十二", "十三", "十四", "十五", "十六", "十七", "十八", "十九", "二十",
    "廿一", "廿二", "廿三", "廿四", "廿五", "廿六", "廿七", "廿八", "廿九", "三十"};

// "闰" + the month name, spelled out so that a conversion only points at its texts.
inline constexpr std::array<std::string_view, 12> kLeapMonthNames = {
    "闰正月", "闰二月", "闰三月", "闰四月", "闰五月", "闰六月",
    "闰七月", "闰八月", "闰九月", "闰十月", "闰十一月", "闰十二月"};

// In calendar order from 小寒: terms 2(m-1) and 2(m-1)+1 fall in month m.
// Index 6 carries the festival name 清明节, not the bare term name.
inline constexpr std::array<std::string_view, 24> kTermNames = {
    "小寒", "大寒", "立春", "雨水", "惊蛰", "春分", "清明节", "谷雨", "立夏", "小满", "芒种", "夏至",
    "小暑", "大暑", "立秋", "处暑", "白露", "秋分", "寒露",   "霜降", "立冬", "小雪", "大雪", "冬至"};

// Minutes from 小寒 to each term in a mean tropical year. 285009 (大暑) is
// the traditional constant; the days it misplaces are fixed by the
// correction table, not by changing it.
inline constexpr std::array<double, 24> kTermMinutes = {
    0,      21208,  42467,  63836,  85337,  107014, 128867, 150921, 173149, 195551, 218072, 240693,
    263343, 285009, 308563, 331033, 353350, 375494, 397447, 419210, 440795, 462224, 483532, 504758};

// One entry per lunar year, index = year - kFirstTableYear. Bits 0-12: month
// lengths (bit 12 = first month, 1 = 30 days, 0 = 29 days; bit 0 is the
// thirteenth month of a leap year). Bits 13-18: days from 1 January to the
// lunar new year. Bits 19 and up: the month repeated as leap month, 0 if none.
//
// 1899 is there so that January 1900, which still belongs to lunar year
// 1899, converts. 2001, 2003, 2039 and 2056 carry the month lengths of the
// authoritative calendar; the long-circulating values (2292629, 260942,
// 2816884, 376142) have one 30-day flag too many and push the rest of the
// year one day late.
inline constexpr int kFirstTableYear = 1899;
inline constexpr int kLastTableYear = 2100;
inline constexpr std::array<std::int32_t, kLastTableYear - kFirstTableYear + 1> kLunarYears = {
    333162,  // 1899
    4442477, 403804, 316590, 2853453, 383564, 285482, 2296661, 355028, 267098, 1223005,  // 1900-1909
    330076, 3388571, 398490, 301642, 2833065, 366248, 277204, 1233626, 340662, 3926327,  // 1910-1919
    411950, 316566, 2848331, 380234, 290216, 2291125, 353644, 266926, 1231151, 330030,  // 1920-1929
    3386518, 391828, 302410, 2829737, 363354, 279916, 1765998, 340572, 3922221, 407850,  // 1930-1939
    318100, 3365706, 374442, 289492, 2299227, 353466, 266842, 1227051, 333098, 3905173,  // 1940-1949
    388500, 300714, 2837173, 362932, 275638, 1763927, 346710, 4445482, 400682, 314708,  // 1950-1959
    3372458, 374122, 289132, 2299054, 357550, 264780, 1744166, 326442, 3910485, 387796,  // 1960-1969
    299738, 2836829, 371034, 275610, 2284109, 342602, 4446885, 399016, 308948, 3371738,  // 1970-1979
    381622, 289078, 2299031, 357526, 5510731, 413002, 322984, 3380660, 390508, 299694,  // 1980-1989
    2836783, 370990, 281750, 1756490, 335178, 4443493, 404312, 308588, 2847341, 381532,  // 1990-1999
    293164, 2292373, 350868, 260938, 1223509, 322260, 3904859, 394426, 307802, 2832683,  // 2000-2009
    365866, 276116, 2283178, 333226, 4967093, 403828, 316598, 3369559, 379478, 292134,  // 2010-2019
    2297493, 347476, 259498, 1223093, 330092, 3380398, 390300, 301644, 2833702, 359078,  // 2020-2029
    273236, 1756522, 340698, 6015325, 403802, 316570, 3373643, 375370, 285348, 2816852,  // 2030-2039
    349876, 256730, 1223003, 330038, 3912855, 390294, 300362, 2832037, 363940, 267700,  // 2040-2049
    1755830, 340590, 4450607, 403758, 314518, 3370314, 376138, 281956, 2291052, 349532,  // 2050-2059
    266844, 1743150, 325932, 3906197, 391828, 293706, 2829141, 363220, 275674, 2280029,  // 2060-2069
    338522, 4445483, 406826, 308884, 3364522, 374186, 289460, 2290874, 349366, 264790,  // 2070-2079
    1750311, 322854, 3903059, 388436, 300458, 2828725, 362860, 275630, 2288206, 334412,  // 2080-2089
    4439334, 400036, 310100, 3362154, 371418, 289116, 2299037, 349338, 260650, 1219365,  // 2090-2099
    326308,  // 2100
};

// One entry unpacked. Month flags as in the entry: bit 12 is the first
// month, bit 0 the thirteenth; a set bit is a 30-day month.
struct YearEntryFields {
  bool has_leap_month = false;
  int leap_month = 0;
  int new_year_offset = 0;  // days from 1 January to 正月初一
  std::uint16_t month_flags = 0;

  // 29 or 30: the length of the month at `position` (0..12, a leap month
  // taking a position of its own).
  constexpr int MonthLength(int position) const { return 29 + ((month_flags >> (12 - position)) & 1); }
};

constexpr YearEntryFields UnpackYearEntry(std::int32_t entry) {
  const auto bits = static_cast<std::uint32_t>(entry);
  YearEntryFields fields;
  fields.has_leap_month = bits >= (1u << 19);
  fields.leap_month = static_cast<int>(bits >> 19);
  fields.new_year_offset = static_cast<int>(fields.has_leap_month ? (bits >> 13) & 0x3F : bits >> 13);
  fields.month_flags = static_cast<std::uint16_t>(bits & 0x1FFF);
  return fields;
}

// The entry of lunar year `year`, which must lie in the table.
constexpr std::int32_t YearEntryOf(int year) {
  return kLunarYears[static_cast<std::size_t>(year - kFirstTableYear)];
}

}  // namespace tavo::lunar::tables
