#include "workbook/vba/compound_file.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <set>

#include "common/error.h"
#include "workbook/vba/bytes.h"

namespace tavo::vba {
namespace {

constexpr std::uint32_t kFreeSect = 0xFFFFFFFF;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFatSect = 0xFFFFFFFD;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;
constexpr size_t kSector = 512;
constexpr size_t kMiniSector = 64;
constexpr size_t kMiniCutoff = 4096;
constexpr size_t kHeaderDifat = 109;
constexpr char kSignature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

[[noreturn]] void Damaged(const std::string& why) {
  throw Error(kErrorSource, 321, "复合文件已损坏 / damaged compound file: " + why);
}

std::u16string Units(const std::string& utf8) {
  std::string bytes = Utf16le(utf8);
  std::u16string units;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    units.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                          (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  }
  return units;
}

char16_t Upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

// One directory entry being written.
// Storages and unused entries keep start sector 0 and size 0 ([MS-CFB]
// 2.6.3); an empty stream has no chain.
struct Entry {
  const CfbNode* node;
  std::uint32_t left = kNoStream, right = kNoStream, child = kNoStream;
  bool red = false;
  std::uint32_t start = 0;
  std::uint64_t size = 0;
};

// Siblings as a binary search tree split at the middle, so its depth is
// minimal; the nodes of an incomplete last level are red, all others black,
// which keeps every path's count of black nodes equal.
std::uint32_t BuildTree(std::vector<Entry>& entries, const std::vector<std::uint32_t>& sorted, size_t lo,
                        size_t hi, int depth, int red_depth) {
  if (lo >= hi) return kNoStream;
  size_t mid = lo + (hi - lo) / 2;
  std::uint32_t id = sorted[mid];
  entries[id].left = BuildTree(entries, sorted, lo, mid, depth + 1, red_depth);
  entries[id].right = BuildTree(entries, sorted, mid + 1, hi, depth + 1, red_depth);
  entries[id].red = depth == red_depth;
  return id;
}

void AddChildren(std::vector<Entry>& entries, std::uint32_t parent) {
  const CfbNode& node = *entries[parent].node;
  std::vector<std::uint32_t> ids;
  for (const CfbNode& child : node.children) {
    ids.push_back(static_cast<std::uint32_t>(entries.size()));
    entries.push_back(Entry{&child});
  }
  std::sort(ids.begin(), ids.end(), [&](std::uint32_t a, std::uint32_t b) {
    return CompareEntryNames(entries[a].node->name, entries[b].node->name) < 0;
  });
  for (size_t i = 1; i < ids.size(); ++i) {
    if (CompareEntryNames(entries[ids[i - 1]].node->name, entries[ids[i]].node->name) == 0) {
      RaiseInvalidArgument("复合文件中名称重复 / repeated name in a storage: " + entries[ids[i]].node->name);
    }
  }
  int levels = 0;
  while ((size_t{1} << levels) - 1 < ids.size()) ++levels;
  bool complete = ((size_t{1} << levels) - 1) == ids.size();
  entries[parent].child = BuildTree(entries, ids, 0, ids.size(), 0, complete ? -1 : levels - 1);
  for (std::uint32_t id : ids) {
    if (entries[id].node->is_storage) AddChildren(entries, id);
  }
}

// An unused entry is all zero but for its sibling and child ids, which say
// "none" ([MS-CFB] 2.6.3): strict readers check exactly this.
void PutUnusedEntry(std::string& out) {
  out.append(64 + 2 + 1 + 1, '\0');
  PutU32(out, kNoStream);
  PutU32(out, kNoStream);
  PutU32(out, kNoStream);
  out.append(16 + 4 + 8 + 8 + 4 + 8, '\0');
}

void PutEntry(std::string& out, const std::string& name, int type, const Entry& e, const std::string& clsid) {
  std::string units = Utf16le(name);
  if (units.size() > 62) RaiseInvalidArgument("复合文件名称过长 / compound file name too long: " + name);
  std::string field = units;
  field.resize(64, '\0');
  out += field;
  PutU16(out, name.empty() ? 0 : static_cast<std::uint32_t>(units.size() + 2));
  PutU8(out, static_cast<std::uint32_t>(type));
  PutU8(out, e.red ? 0 : 1);
  PutU32(out, e.left);
  PutU32(out, e.right);
  PutU32(out, e.child);
  out += clsid.size() == 16 ? clsid : std::string(16, '\0');
  PutU32(out, 0);   // state bits
  PutU64(out, 0);   // creation time
  PutU64(out, 0);   // modification time
  PutU32(out, e.start);
  PutU64(out, e.size);
}

}  // namespace

CfbNode CfbNode::Stream(std::string name, std::string data) {
  CfbNode n;
  n.name = std::move(name);
  n.data = std::move(data);
  return n;
}

CfbNode CfbNode::Storage(std::string name, std::vector<CfbNode> children) {
  CfbNode n;
  n.name = std::move(name);
  n.is_storage = true;
  n.children = std::move(children);
  return n;
}

int CompareEntryNames(const std::string& a, const std::string& b) {
  std::u16string ua = Units(a), ub = Units(b);
  if (ua.size() != ub.size()) return ua.size() < ub.size() ? -1 : 1;
  for (size_t i = 0; i < ua.size(); ++i) {
    char16_t x = Upper(ua[i]), y = Upper(ub[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return 0;
}

std::string WriteCompoundFile(const CfbNode& root) {
  std::vector<Entry> entries;
  entries.reserve(256);
  entries.push_back(Entry{&root});
  AddChildren(entries, 0);

  // Small streams go to the mini stream, the others get sectors of their own.
  std::string mini_stream;
  std::vector<std::uint32_t> mini_fat;
  std::vector<Entry*> big;
  size_t big_sectors = 0;
  for (Entry& e : entries) {
    if (e.node->is_storage || &e == &entries[0]) continue;
    e.size = e.node->data.size();
    if (e.size == 0) {
      e.start = kEndOfChain;
      continue;
    }
    if (e.size < kMiniCutoff) {
      e.start = static_cast<std::uint32_t>(mini_stream.size() / kMiniSector);
      size_t count = (e.size + kMiniSector - 1) / kMiniSector;
      for (size_t k = 0; k < count; ++k) {
        mini_fat.push_back(k + 1 < count ? e.start + static_cast<std::uint32_t>(k) + 1 : kEndOfChain);
      }
      mini_stream += e.node->data;
      PadTo(mini_stream, kMiniSector);
    } else {
      big.push_back(&e);
      big_sectors += (e.size + kSector - 1) / kSector;
    }
  }
  const size_t dir_sectors = (entries.size() * 128 + kSector - 1) / kSector;
  const size_t mini_fat_sectors = (mini_fat.size() * 4 + kSector - 1) / kSector;
  const size_t mini_sectors = (mini_stream.size() + kSector - 1) / kSector;
  const size_t content = dir_sectors + mini_fat_sectors + mini_sectors + big_sectors;
  size_t fat_sectors = 1;
  while (fat_sectors * (kSector / 4) < fat_sectors + content) ++fat_sectors;
  if (fat_sectors > kHeaderDifat) RaiseInvalidArgument("复合文件过大 / compound file too large");

  std::vector<std::uint32_t> fat(fat_sectors * (kSector / 4), kFreeSect);
  std::uint32_t next = 0;
  auto chain = [&](size_t count) {
    std::uint32_t first = count ? next : kEndOfChain;
    for (size_t k = 0; k < count; ++k, ++next) fat[next] = k + 1 < count ? next + 1 : kEndOfChain;
    return first;
  };
  for (size_t k = 0; k < fat_sectors; ++k) fat[next++] = kFatSect;
  const std::uint32_t dir_start = chain(dir_sectors);
  const std::uint32_t mini_fat_start = chain(mini_fat_sectors);
  entries[0].start = chain(mini_sectors);
  entries[0].size = mini_stream.size();
  for (Entry* e : big) e->start = chain((e->size + kSector - 1) / kSector);

  std::string out(kSignature, 8);
  out.append(16, '\0');      // header CLSID
  PutU16(out, 0x003E);       // minor version
  PutU16(out, 0x0003);       // major version 3
  PutU16(out, 0xFFFE);       // little-endian byte order mark
  PutU16(out, 9);            // 2^9 = 512-byte sectors
  PutU16(out, 6);            // 2^6 = 64-byte mini sectors
  out.append(6, '\0');
  PutU32(out, 0);            // directory sector count: always 0 in version 3
  PutU32(out, static_cast<std::uint32_t>(fat_sectors));
  PutU32(out, dir_start);
  PutU32(out, 0);            // transaction signature
  PutU32(out, kMiniCutoff);
  PutU32(out, mini_fat_start);
  PutU32(out, static_cast<std::uint32_t>(mini_fat_sectors));
  PutU32(out, kEndOfChain);  // no DIFAT sectors
  PutU32(out, 0);
  for (size_t k = 0; k < kHeaderDifat; ++k) PutU32(out, k < fat_sectors ? static_cast<std::uint32_t>(k) : kFreeSect);

  for (std::uint32_t v : fat) PutU32(out, v);
  std::string dir;
  for (size_t i = 0; i < entries.size(); ++i) {
    const CfbNode& n = *entries[i].node;
    PutEntry(dir, i == 0 ? "Root Entry" : n.name, i == 0 ? 5 : n.is_storage ? 1 : 2, entries[i],
             n.is_storage ? n.clsid : std::string());
  }
  while (dir.size() % kSector != 0) PutUnusedEntry(dir);
  out += dir;
  std::string mf;
  for (std::uint32_t v : mini_fat) PutU32(mf, v);
  while (mf.size() % kSector != 0) PutU32(mf, kFreeSect);
  out += mf;
  out += mini_stream;
  PadTo(out, kSector);
  for (Entry* e : big) {
    out += e->node->data;
    PadTo(out, kSector);
  }
  return out;
}

CfbContents ReadCompoundFile(std::string_view file) {
  ByteReader header(file, "复合文件头 / compound file header");
  if (file.size() < 512 || file.substr(0, 8) != std::string_view(kSignature, 8)) Damaged("签名错误 / bad signature");
  header.Skip(8 + 16 + 2);
  std::uint32_t major = header.U16();
  if (header.U16() != 0xFFFE) Damaged("字节序错误 / bad byte order");
  std::uint32_t shift = header.U16();
  if (!((major == 3 && shift == 9) || (major == 4 && shift == 12))) Damaged("扇区大小错误 / bad sector size");
  const size_t sector = size_t{1} << shift;
  if (header.U16() != 6) Damaged("微扇区大小错误 / bad mini sector size");
  header.Skip(6 + 4);
  const std::uint32_t fat_count = header.U32();
  const std::uint32_t dir_start = header.U32();
  header.Skip(4);
  const std::uint32_t cutoff = header.U32();
  const std::uint32_t mini_fat_start = header.U32();
  header.Skip(4);
  std::uint32_t difat_next = header.U32();
  const std::uint32_t difat_count = header.U32();

  const size_t sector_count = file.size() > sector ? (file.size() - sector + sector - 1) / sector : 0;
  auto sector_at = [&](std::uint32_t id) {
    if (id >= sector_count) Damaged("扇区号越界 / sector outside the file");
    return file.substr(sector + size_t{id} * sector, std::min(sector, file.size() - sector - size_t{id} * sector));
  };
  std::vector<std::uint32_t> fat_ids;
  for (size_t k = 0; k < kHeaderDifat; ++k) {
    std::uint32_t id = header.U32();
    if (k < fat_count) fat_ids.push_back(id);
  }
  for (std::uint32_t n = 0; n < difat_count && fat_ids.size() < fat_count; ++n) {
    ByteReader d(sector_at(difat_next), "DIFAT");
    for (size_t k = 0; k + 1 < sector / 4; ++k) {
      std::uint32_t id = d.U32();
      if (fat_ids.size() < fat_count) fat_ids.push_back(id);
    }
    difat_next = d.U32();
  }
  if (fat_ids.size() != fat_count) Damaged("FAT 扇区不全 / FAT sectors missing");
  std::vector<std::uint32_t> fat;
  for (std::uint32_t id : fat_ids) {
    ByteReader f(sector_at(id), "FAT");
    while (!f.done()) fat.push_back(f.U32());
  }
  auto read_chain = [&](std::uint32_t start, const std::vector<std::uint32_t>& table, auto&& unit) {
    std::string data;
    std::set<std::uint32_t> seen;
    for (std::uint32_t id = start; id != kEndOfChain;) {
      if (id >= table.size() || !seen.insert(id).second) Damaged("扇区链错误 / broken sector chain");
      data += unit(id);
      id = table[id];
    }
    return data;
  };
  std::string dir = read_chain(dir_start, fat, sector_at);

  struct Raw {
    std::string name;
    int type;
    std::uint32_t left, right, child, start;
    std::uint64_t size;
    std::string clsid;
  };
  std::vector<Raw> raw;
  CfbContents out;
  for (size_t at = 0; at + 128 <= dir.size(); at += 128) {
    ByteReader e(std::string_view(dir).substr(at, 128), "目录项 / directory entry");
    std::string_view name = e.Bytes(64);
    std::uint32_t len = e.U16();
    Raw r;
    r.type = static_cast<int>(e.U8());
    e.Skip(1);
    r.left = e.U32();
    r.right = e.U32();
    r.child = e.U32();
    r.clsid = std::string(e.Bytes(16));
    e.Skip(4 + 16);
    r.start = e.U32();
    r.size = e.U32();
    r.size |= std::uint64_t{e.U32()} << 32;
    if (len > 64 || len % 2 != 0) Damaged("目录项名称长度错误 / bad entry name length");
    r.name = len >= 2 ? Utf8FromUtf16le(name.substr(0, len - 2)) : std::string();
    out.directory.push_back({r.name, r.type, dir.substr(at, 128), r.start, r.size, r.clsid});
    raw.push_back(std::move(r));
  }
  if (raw.empty() || raw[0].type != 5) Damaged("缺少根目录项 / no root entry");
  std::vector<std::uint32_t> mini_fat;
  if (mini_fat_start != kEndOfChain) {
    // The reader views its bytes: they must outlive it.
    const std::string mini_fat_bytes = read_chain(mini_fat_start, fat, sector_at);
    ByteReader m(mini_fat_bytes, "MiniFAT");
    while (!m.done()) mini_fat.push_back(m.U32());
  }
  const std::string mini_stream = read_chain(raw[0].start, fat, sector_at);
  auto mini_at = [&](std::uint32_t id) {
    if (size_t{id} * kMiniSector >= mini_stream.size()) Damaged("微扇区越界 / mini sector outside the mini stream");
    return std::string_view(mini_stream).substr(size_t{id} * kMiniSector, kMiniSector);
  };

  std::vector<bool> reached(raw.size(), false);
  std::function<void(std::uint32_t, const std::string&)> walk_storage;
  // An in-order walk of one storage's tree checks the order of its siblings.
  std::function<void(std::uint32_t, const std::string&, const std::string*&)> walk_tree =
      [&](std::uint32_t id, const std::string& prefix, const std::string*& previous) {
        if (id == kNoStream) return;
        if (id >= raw.size() || reached[id]) Damaged("目录树错误 / bad directory tree");
        reached[id] = true;
        const Raw& r = raw[id];
        walk_tree(r.left, prefix, previous);
        if (previous && CompareEntryNames(*previous, r.name) >= 0) Damaged("目录项顺序错误 / siblings out of order");
        previous = &r.name;
        std::string path = prefix + r.name;
        if (r.type == 1) {
          out.storages.push_back(path + "/");
          out.storage_clsids[path + "/"] = r.clsid;
          walk_storage(r.child, path + "/");
        } else if (r.type == 2) {
          if (r.size > file.size()) Damaged("流长度错误 / stream longer than the file");
          std::string data = r.size == 0 ? std::string()
                             : r.size < cutoff ? read_chain(r.start, mini_fat, mini_at)
                                               : read_chain(r.start, fat, sector_at);
          if (data.size() < r.size) Damaged("流被截断 / truncated stream " + path);
          data.resize(r.size);
          out.streams[path] = std::move(data);
        } else {
          Damaged("目录项类型错误 / bad entry type");
        }
        walk_tree(r.right, prefix, previous);
      };
  walk_storage = [&](std::uint32_t child, const std::string& prefix) {
    const std::string* previous = nullptr;
    walk_tree(child, prefix, previous);
  };
  reached[0] = true;
  walk_storage(raw[0].child, "");
  return out;
}

}  // namespace tavo::vba
