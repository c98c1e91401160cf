// The compound file and MS-OVBA layers, each read back by our own reader.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/error.h"
#include "workbook/vba/bytes.h"
#include "workbook/vba/compound_file.h"
#include "workbook/vba/ovba_compression.h"
#include "workbook/vba/vba_project.h"

namespace tavo::vba {
namespace {

std::string Noise(size_t n, unsigned seed) {
  std::string s;
  for (size_t i = 0; i < n; ++i) {
    seed = seed * 1103515245u + 12345u;
    s.push_back(static_cast<char>(seed >> 16));
  }
  return s;
}

std::string Text(size_t n) {
  std::string line = "Private Sub optYi_Click()\r\n    Forward \"optYi\"\r\nEnd Sub\r\n";
  std::string s;
  while (s.size() < n) s += line + std::to_string(s.size()) + "\r\n";
  return s.substr(0, n);
}

struct RoundTrip {
  const char* what;
  std::string data;
};

TEST(OvbaCompression, GivesBackEveryInput) {
  const RoundTrip cases[] = {
      {"empty", ""},
      {"one byte", "a"},
      {"run", std::string(5000, 'a')},
      {"text shorter than a chunk", Text(1000)},
      {"exactly one chunk", Text(4096)},
      {"one byte past a chunk", Text(4097)},
      {"several chunks", Text(20000)},
      {"incompressible full chunks", Noise(8192, 7)},
      {"matches reaching back the whole chunk", std::string(Text(3000)) + Text(3000)},
  };
  for (const RoundTrip& c : cases) {
    std::string packed = Compress(c.data);
    EXPECT_EQ(Decompress(packed), c.data) << c.what;
    EXPECT_EQ(packed[0], '\x01') << c.what;
  }
  // Text packs: the module streams are mostly repeated lines.
  EXPECT_LT(Compress(Text(20000)).size(), 20000u / 3);
}

// [MS-OVBA] 3.2: the three worked examples, byte for byte both ways.
TEST(OvbaCompression, MatchesTheWorkedExamplesByteForByte) {
  struct Example {
    const char* clause;
    std::string text;
    std::vector<unsigned> packed;
  };
  const Example examples[] = {
      {"3.2.1 no compression", "abcdefghijklmnopqrstuv.",
       {0x01, 0x19, 0xB0, 0x00, 0x61, 0x62, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x00, 0x69, 0x6A,
        0x6B, 0x6C, 0x6D, 0x6E, 0x6F, 0x70, 0x00, 0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x2E}},
      {"3.2.2 normal compression", "#aaabcdefaaaaghijaaaaaklaaamnopqaaaaaaaaaaaarstuvwxyzaaa",
       {0x01, 0x2F, 0xB0, 0x00, 0x23, 0x61, 0x61, 0x61, 0x62, 0x63, 0x64, 0x65, 0x82, 0x66, 0x00, 0x70,
        0x61, 0x67, 0x68, 0x69, 0x6A, 0x01, 0x38, 0x08, 0x61, 0x6B, 0x6C, 0x00, 0x20, 0x6D, 0x6E, 0x6F,
        0x70, 0x06, 0x71, 0x02, 0x70, 0x04, 0x00, 0x72, 0x73, 0x74, 0x75, 0x76, 0x10, 0x77, 0x78, 0x79,
        0x7A, 0x00, 0x2C}},
      {"3.2.3 maximum compression", std::string(73, 'a'), {0x01, 0x03, 0xB0, 0x02, 0x61, 0x45, 0x00}},
  };
  for (const Example& e : examples) {
    std::string packed;
    for (unsigned b : e.packed) packed.push_back(static_cast<char>(b));
    EXPECT_EQ(Decompress(packed), e.text) << e.clause;
    EXPECT_EQ(Compress(e.text), packed) << e.clause;
  }
}

TEST(OvbaCompression, RefusesDamagedContainers) {
  std::string good = Compress(Text(300));
  std::string bad_signature = good;
  bad_signature[0] = '\x02';
  std::string truncated = good.substr(0, good.size() - 5);
  std::string bad_header = good;
  bad_header[2] = static_cast<char>(bad_header[2] & 0x8F);  // chunk signature bits not 0b011
  // A copy token as the first token would point before the chunk's start.
  std::string early_copy = std::string("\x01\x03\xB0\x01\x00\x00\x41", 7);
  for (const std::string& s : {bad_signature, truncated, bad_header, early_copy}) {
    EXPECT_THROW(Decompress(s), Error);
  }
}

TEST(CompoundFile, EntryNamesOrderByLengthThenUpperCase) {
  EXPECT_LT(CompareEntryNames("f", "dir"), 0);
  EXPECT_GT(CompareEntryNames("VBA", "dir"), 0);  // the same length: 'V' > 'D'
  EXPECT_EQ(CompareEntryNames("dir", "DIR"), 0);
  EXPECT_GT(CompareEntryNames("PROJECTwm", "PROJECT"), 0);
}

TEST(CompoundFile, ReadsBackTreesSmallAndLargeStreams) {
  CfbNode root = CfbNode::Storage("");
  std::vector<CfbNode> many;
  for (int i = 0; i < 40; ++i) many.push_back(CfbNode::Stream("s" + std::to_string(i * 7 % 40), Text(10 + i * 37)));
  root.children.push_back(CfbNode::Storage("Many", std::move(many)));
  root.children.push_back(CfbNode::Stream("big", Noise(70000, 3)));       // regular sectors
  root.children.push_back(CfbNode::Stream("edge", Text(4095)));           // last size in the mini stream
  root.children.push_back(CfbNode::Stream("cutoff", Text(4096)));         // first size out of it
  root.children.push_back(CfbNode::Stream("empty", ""));
  root.children.push_back(CfbNode::Stream("\x01" "CompObj", "x"));
  root.children.push_back(CfbNode::Storage("Nested", {CfbNode::Storage("Inner", {CfbNode::Stream("f", "form")})}));
  std::string file = WriteCompoundFile(root);
  EXPECT_EQ(file.size() % 512, 0u);

  CfbContents back = ReadCompoundFile(file);
  for (int i = 0; i < 40; ++i) {
    EXPECT_EQ(back.streams.at("Many/s" + std::to_string(i * 7 % 40)), Text(10 + i * 37));
  }
  EXPECT_EQ(back.streams.at("big"), Noise(70000, 3));
  EXPECT_EQ(back.streams.at("edge"), Text(4095));
  EXPECT_EQ(back.streams.at("cutoff"), Text(4096));
  EXPECT_EQ(back.streams.at("empty"), "");
  EXPECT_EQ(back.streams.at("\x01" "CompObj"), "x");
  EXPECT_EQ(back.streams.at("Nested/Inner/f"), "form");
  EXPECT_EQ(back.streams.size(), 46u);
}

// [MS-CFB] 2.6.3: storages have start sector 0 and size 0; unused entries
// are zero but for sibling and child ids "none". Strict readers check both.
TEST(CompoundFile, StoragesAndUnusedEntriesAreWrittenAsTheFormatSays) {
  CfbNode root = CfbNode::Storage("");
  root.children.push_back(CfbNode::Storage("VBA", {CfbNode::Stream("dir", Text(700))}));
  root.children.push_back(CfbNode::Storage("frmTavo", {CfbNode::Stream("f", "x")}));
  root.children.push_back(CfbNode::Stream("empty", ""));
  CfbContents back = ReadCompoundFile(WriteCompoundFile(root));
  ASSERT_EQ(back.directory.size() % 4, 0u);  // whole 512-byte sectors of entries
  std::string unused(128, '\0');
  for (size_t at : {68u, 72u, 76u}) unused.replace(at, 4, "\xFF\xFF\xFF\xFF");
  int storages = 0, free_entries = 0;
  for (const CfbDirEntry& e : back.directory) {
    if (e.type == 1) {
      ++storages;
      EXPECT_EQ(e.start, 0u) << e.name;
      EXPECT_EQ(e.size, 0u) << e.name;
      EXPECT_EQ(e.clsid, std::string(16, '\0')) << e.name;
    } else if (e.type == 0) {
      ++free_entries;
      EXPECT_EQ(e.raw, unused);
    } else if (e.name == "empty") {
      EXPECT_EQ(e.start, 0xFFFFFFFEu);  // no chain
    }
  }
  EXPECT_EQ(storages, 2);
  EXPECT_EQ(free_entries, 8 - 6);
}

TEST(CompoundFile, RefusesBadNamesWhenWriting) {
  CfbNode twice = CfbNode::Storage("", {CfbNode::Stream("dir", "a"), CfbNode::Stream("DIR", "b")});
  EXPECT_THROW(WriteCompoundFile(twice), Error);
  CfbNode longer = CfbNode::Storage("", {CfbNode::Stream(std::string(32, 'n'), "a")});
  EXPECT_THROW(WriteCompoundFile(longer), Error);
}

TEST(CompoundFile, RefusesDamagedFiles) {
  std::string good = WriteCompoundFile(CfbNode::Storage("", {CfbNode::Stream("big", Noise(9000, 1))}));
  std::string no_signature = good;
  no_signature[0] = 'X';
  std::string cut = good.substr(0, good.size() - 1024);
  // The first FAT entry after the FAT sector itself points back at itself: a loop.
  std::string loop = good;
  loop[512 + 4] = 1;
  loop[512 + 5] = loop[512 + 6] = loop[512 + 7] = 0;
  for (const std::string& f : {no_signature, cut, loop, good.substr(0, 100)}) {
    EXPECT_THROW(ReadCompoundFile(f), Error);
  }
}

TEST(ProjectObfuscation, DecryptsWhatItEncrypts) {
  const std::string id = "{6B1F3C2A-9D4E-4A57-8C21-3E5F7A9B0D14}";
  for (unsigned seed : {0u, 2u, 4u, 6u, 0x3Au, 0xFFu}) {
    for (const std::string& data : {std::string(4, '\0'), std::string(1, '\xFF'), std::string("secret")}) {
      EXPECT_EQ(DecryptProjectData(EncryptProjectData(id, static_cast<unsigned char>(seed), data)), data) << seed;
    }
  }
  // Seed, version 2 and the key byte lead; the key is the sum of the id's bytes.
  std::string hex = EncryptProjectData(id, 0, std::string(1, '\0'));
  unsigned key = 0;
  for (char c : id) key += static_cast<unsigned char>(c);
  EXPECT_EQ(hex.substr(0, 4), "0002");
  EXPECT_EQ(std::stoul(hex.substr(4, 2), nullptr, 16), key & 0xFF);
}

// Counts are characters with the NUL: UTF-16 units, not UTF-8 bytes.
TEST(LengthPrefixedStrings, CountCharactersWithTheNulAndLeaveEmptyOnesOut) {
  EXPECT_EQ(LengthPrefixedAnsiString("Embedded Object"), std::string("\x10\0\0\0Embedded Object\0", 20));
  EXPECT_EQ(LengthPrefixedAnsiString(""), std::string(4, '\0'));
  EXPECT_EQ(LengthPrefixedUnicodeString("校历"), std::string("\x03\0\0\0", 4) + Utf16le("校历") + std::string(2, '\0'));
  EXPECT_EQ(LengthPrefixedUnicodeString("tavo 𠀀"), std::string("\x08\0\0\0", 4) + Utf16le("tavo 𠀀") + std::string(2, '\0'));
  EXPECT_EQ(LengthPrefixedUnicodeString(""), std::string(4, '\0'));
}

TEST(Utf16, RoundTripsChineseAndRefusesBrokenInput) {
  EXPECT_EQ(Utf8FromUtf16le(Utf16le("校历 tavo 𠀀")), "校历 tavo 𠀀");
  EXPECT_THROW(Utf16le("\xE6\xA0"), Error);
  EXPECT_THROW(Utf8FromUtf16le(std::string("\x00\xD8", 2)), Error);
}

}  // namespace
}  // namespace tavo::vba
