// The compound file and MS-OVBA layers, each read back by our own reader.
#include <gtest/gtest.h>

#include <string>

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

TEST(Utf16, RoundTripsChineseAndRefusesBrokenInput) {
  EXPECT_EQ(Utf8FromUtf16le(Utf16le("校历 tavo 𠀀")), "校历 tavo 𠀀");
  EXPECT_THROW(Utf16le("\xE6\xA0"), Error);
  EXPECT_THROW(Utf8FromUtf16le(std::string("\x00\xD8", 2)), Error);
}

}  // namespace
}  // namespace tavo::vba
