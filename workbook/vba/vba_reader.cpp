#include "workbook/vba/vba_reader.h"

#include "common/error.h"
#include "workbook/vba/code_page.h"
#include "workbook/vba/ovba_compression.h"

namespace tavo::vba {

ProjectContents ReadVbaProject(std::string_view bin) {
  ProjectContents out;
  out.file = ReadCompoundFile(bin);
  auto stream = [&](const std::string& path) -> const std::string& {
    auto it = out.file.streams.find(path);
    if (it == out.file.streams.end()) throw Error(kErrorSource, 321, "VBA 工程缺少流 / VBA project lacks " + path);
    return it->second;
  };
  out.dir = ReadDirRecords(Decompress(stream("VBA/dir")));
  for (const DirModule& m : out.dir.modules) {
    const std::string& data = stream("VBA/" + m.stream_name);
    if (m.text_offset > data.size()) throw Error(kErrorSource, 321, "模块源码偏移越界 / bad source offset: " + m.name);
    out.sources[m.name] = FromCodePage(Decompress(std::string_view(data).substr(m.text_offset)), out.dir.code_page);
  }
  out.project_text = FromCodePage(stream("PROJECT"), out.dir.code_page);
  return out;
}

}  // namespace tavo::vba
