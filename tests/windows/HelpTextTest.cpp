// Tests of the help file's splitting into lines, its decoding and the help list's height.
#include <gtest/gtest.h>

#include "windows/HelpText.h"

namespace tarsio {
namespace {

TEST(HelpLines, SplitsByTheLineEndRule) {
  struct Case {
    const char* name;
    QByteArray file;
    QStringList lines;
  };
  const Case cases[] = {
      {"empty file", "", {""}},
      {"one line with its end", "Tarsio\r\n", {"Tarsio"}},
      {"two lines with their ends", "Uno\r\nDue\r\n", {"Uno", "Due"}},
      {"last line of 1 without end", "Uno\r\nx", {"Uno"}},
      {"last line of 2 without end", "Uno\r\nxy", {"Uno"}},
      {"last line of 3 without end", "Uno\r\nxyz", {"Uno", "xyz"}},
      {"only a line without end, 2 long", "ab", {"ab"}},
      {"blank lines inside", "a\r\n\r\n\r\nb\r\n", {"a", "", "", "b"}},
      {"blank line at the end is not shown", "abcd\r\n\r\n", {"abcd"}},
      {"blank line at the end of a longer file", "abcde\r\nfgh\r\n\r\n", {"abcde", "fgh"}},
      {"file of one line end", "\r\n", {""}},
      {"bare LF and CR stay inside a line", "a\nb\rc\r\nd\r\n", {"a\nb\rc", "d"}},
      {"CR LF starting among the last four bytes", "abcdef\r\nxy", {"abcdef"}},
      {"CR LF just before the last four bytes", "abcdef\r\nwxyz", {"abcdef", "wxyz"}},
  };
  for (const Case& c : cases) EXPECT_EQ(helpLines(c.file), c.lines) << c.name;
}

TEST(HelpLines, DecodesUtf8AndWindows1252) {
  EXPECT_EQ(helpLines("pi\xc3\xb9\r\n"), QStringList{QStringLiteral("più")});
  EXPECT_EQ(helpLines("pi\xf9\r\n"), QStringList{QStringLiteral("più")});
  EXPECT_EQ(helpLines("\x80 5\r\n"), QStringList{QStringLiteral("€ 5")});
  EXPECT_EQ(helpLines("\x93virgolette\x94 \x85\r\n"), QStringList{QStringLiteral("“virgolette” …")});
  EXPECT_EQ(helpLines("\x81\x8d\x8f\x90\x9d\xff\r\n"),
            QStringList{QStringLiteral("\u0081\u008d\u008f\u0090\u009d\u00ff")});
}

TEST(HelpLines, OneInvalidByteAnywhereMakesTheWholeFileWindows1252) {
  // The first line alone would be valid UTF-8, the last byte of the file is not.
  EXPECT_EQ(helpLines("pi\xc3\xb9\r\nperch\xe9\r\n"),
            (QStringList{QStringLiteral("piÃ¹"), QStringLiteral("perché")}));
  // A UTF-8 sequence cut at the end of the file, overlong forms and encoded surrogates are not UTF-8.
  EXPECT_EQ(helpLines("abc\r\nd\xc3"), (QStringList{"abc"}));
  EXPECT_EQ(helpLines("abc\r\nxyz\xc3"), (QStringList{"abc", QStringLiteral("xyzÃ")}));
  EXPECT_EQ(helpLines("\xc0\xaf\r\n"), QStringList{QStringLiteral("À¯")});
  EXPECT_EQ(helpLines("\xed\xa0\x80\r\n"), QStringList{QStringLiteral("í\u00a0€")});
}

TEST(HelpLines, ByteOrderMarkIsNotShown) {
  EXPECT_EQ(helpLines("\xef\xbb\xbfGuida\r\nfine\r\n"), (QStringList{"Guida", "fine"}));
}

TEST(HelpWindowSizes, ListKeepsAtLeastZeroHeight) {
  EXPECT_EQ(helpListHeight(6180), 5480);
  EXPECT_EQ(helpListHeight(701), 1);
  EXPECT_EQ(helpListHeight(700), 0);
  EXPECT_EQ(helpListHeight(300), 0);
  EXPECT_EQ(helpButtonTop(6180), 5730);
}

}  // namespace
}  // namespace tarsio
