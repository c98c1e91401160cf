#pragma once
// A user's workbook as the desktop host writes one: a timetable sheet with a
// formula, a chart and a picture, an old "校历表" with its own drawing,
// printer settings and a picture it shares with the timetable, "DTB",
// "信息表", shared strings, a calculation chain, defined names and document
// properties. Written part by part from text, so no binary file is kept.
#include <map>
#include <set>
#include <string>

namespace tavo::xlsx::test {

std::map<std::string, std::string> UserWorkbookParts();
// Parts stored without compression, as the host stores pictures.
std::set<std::string> UserWorkbookStoredParts();

}  // namespace tavo::xlsx::test
