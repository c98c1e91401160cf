#pragma once
// Adding the sheets a host workbook needs ("DTB" and "信息表") to an open
// document that lacks them, as `tavo init` writes them.
#include <com/sun/star/uno/XComponentContext.hpp>

#include <string>
#include <vector>

#include "office/host/uno_support.h"

namespace tavo::office {

// Appends each missing sheet after the last one, with the values, bold
// cells and column widths of a new host workbook made today; the active
// sheet and every other sheet stay as they are. Returns the names added.
std::vector<std::string> AddMissingHostSheets(const css::uno::Reference<css::uno::XComponentContext>& uno,
                                              const css::uno::Reference<css::uno::XInterface>& document);

}  // namespace tavo::office
