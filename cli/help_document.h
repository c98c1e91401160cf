#pragma once
// The help document a new host workbook gets beside it, so that the help
// button finds it in the workbook's folder wherever the workbook is taken.
#include <string>

namespace tavo::cli {

enum class HelpCopy {
  kCopied,        // help.doc written beside the workbook
  kAlreadyThere,  // a help.doc was there already and is kept as it is
  kNoneInstalled, // this installation has no help document to copy
};

// Copies `installed` (empty: there is none) to help.doc in the folder of
// `workbook`, through a temporary file renamed into place. A help.doc that
// is there already is never replaced: a school may keep its own. Raises
// tavo::Error when the copy cannot be written.
HelpCopy PlaceHelpDocumentBeside(const std::string& workbook, const std::string& installed);

}  // namespace tavo::cli
