// The window-independent rules of the value prompts and the file dialog.

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

#include "framework/IParamRecord.h"
#include "gui/IPopupMenu.h"
#include "gui/PromptRules.h"

TEST(PromptRules, EntryCharactersByParameterKind)
{
  const struct { int kind; const char* taken; const char* refused; } cases[] = {
    {IParamRecord::kBool, "+-0123456789\b", ".eE ,a"},
    {IParamRecord::kInt, "+-0123456789\b", ".eE ,a"},
    {IParamRecord::kEnum, "+-0123456789\b", ".e"},
    {IParamRecord::kDouble, "+-0123456789.\b", "eE ,x"},
    {IParamRecord::kNone, "abc .e+-1\b", ""},
  };
  for (const auto& c : cases)
  {
    for (const char* p = c.taken; *p; ++p)
      EXPECT_TRUE(TextEntryAcceptsChar(c.kind, *p)) << c.kind << " '" << *p << "'";
    for (const char* p = c.refused; *p; ++p)
      EXPECT_FALSE(TextEntryAcceptsChar(c.kind, *p)) << c.kind << " '" << *p << "'";
  }
}

TEST(PromptRules, LeadingNumberWhateverTheLocale)
{
  const struct { const char* text; double value; } cases[] = {
    {"-12.5", -12.5}, {"  +3", 3.0}, {"7abc", 7.0}, {".5", 0.5}, {"5.", 5.0},
    {"1e3", 1000.0}, {"2e", 2.0}, {"1,5", 1.0}, {"abc", 0.0}, {"", 0.0},
    {"-", 0.0}, {".", 0.0}, {"inf", 0.0}, {"nan", 0.0}, {"0x10", 0.0}, {"1e-400", 0.0},
  };
  // A host may have switched to a locale with a decimal comma.
  const char* saved = std::setlocale(LC_NUMERIC, nullptr);
  std::string restore = saved ? saved : "C";
  for (const char* name : {"de_DE.UTF-8", "de_DE", "German_Germany.1252"})
    if (std::setlocale(LC_NUMERIC, name))
      break;
  for (const auto& c : cases)
    EXPECT_EQ(ParseLeadingNumber(c.text), c.value) << c.text;
  EXPECT_TRUE(std::isinf(ParseLeadingNumber("1e400")));
  EXPECT_EQ(ParseLeadingNumber(nullptr), 0.0);
  std::setlocale(LC_NUMERIC, restore.c_str());
}

TEST(PromptRules, CommittedValues)
{
  IParamRecord gain;
  gain.InitDouble("Gain", 0.0, -10.0, 10.0, 0.01);
  EXPECT_EQ(TextEntryPlainValue(gain, "-2.5"), -2.5);
  EXPECT_EQ(TextEntryPlainValue(gain, "abc"), 0.0);
  gain.SetNegateDisplay(true);
  EXPECT_EQ(TextEntryPlainValue(gain, "-2.5"), 2.5);

  IParamRecord onOff;
  onOff.InitBool("Switch", false);
  EXPECT_EQ(TextEntryPlainValue(onOff, "on"), 1.0);
  EXPECT_EQ(TextEntryPlainValue(onOff, "off"), 0.0);
  EXPECT_EQ(TextEntryPlainValue(onOff, "On"), 0.0);  // byte for byte
  EXPECT_EQ(TextEntryPlainValue(onOff, "1"), 0.0);   // texts, not numbers
  onOff.AddDisplayText(7, "on");                      // the first match wins
  EXPECT_EQ(TextEntryPlainValue(onOff, "on"), 1.0);
}

TEST(PromptRules, FileFilterFromExtensions)
{
  char pattern[256], defExt[16];
  const struct { const char* ext; const char* pattern; const char* defExt; } cases[] = {
    {"png jpg", "*.png;*.jpg", "png"},
    {"fxp", "*.fxp", "fxp"},
    {"png  jpg", "*.png;*.;*.jpg", "png"},
    {"", "", ""},
    {"averyveryverylongextension png", "*.averyveryverylongextension;*.png", ""},
  };
  for (const auto& c : cases)
  {
    BuildFileFilter(c.ext, pattern, sizeof(pattern), defExt, sizeof(defExt));
    EXPECT_STREQ(pattern, c.pattern) << c.ext;
    EXPECT_STREQ(defExt, c.defExt) << c.ext;
  }
  BuildFileFilter(nullptr, pattern, sizeof(pattern), defExt, sizeof(defExt));
  EXPECT_STREQ(pattern, "");

  // Only whole masks fit: "*.aaa;*.bbb" needs 12 bytes.
  char small[12];
  BuildFileFilter("aaa bbb ccc", small, sizeof(small), defExt, sizeof(defExt));
  EXPECT_STREQ(small, "*.aaa;*.bbb");
  BuildFileFilter("aaa bbb ccc", small, 11, defExt, sizeof(defExt));
  EXPECT_STREQ(small, "*.aaa");
}

TEST(PromptRules, MenuIdsAreNumberedInBlocksAsTheMenusAreMade)
{
  // Top: 3 items (ids 0-2), the second opening a 2-item sub-menu (ids 3-4).
  PopupMenuDesc sub, other;
  sub.AddItem("x");
  sub.AddItem("y");
  PopupMenuDesc top;
  top.AddItem("a");
  top.AddItem("b", 0, &sub);
  top.AddItem("c");

  PopupMenuIds ids;
  EXPECT_EQ(ids.TakeBlock(&top), 0);
  EXPECT_EQ(ids.TakeBlock(&sub), 3);
  const struct { int id; PopupMenuDesc* owner; int item; } cases[] = {
    {0, &top, 0}, {2, &top, 2}, {3, &sub, 0}, {4, &sub, 1}, {5, nullptr, -1}, {-1, nullptr, -1},
  };
  for (const auto& c : cases)
  {
    int item = -1;
    EXPECT_EQ(ids.Find(c.id, &item), c.owner) << c.id;
    if (c.owner)
      EXPECT_EQ(item, c.item) << c.id;
  }
  // An empty description takes no ids: the next block starts where it stood.
  EXPECT_EQ(ids.TakeBlock(&other), 5);
  EXPECT_EQ(ids.Find(5, nullptr), nullptr);
  EXPECT_EQ(PopupMenuIds().Find(0, nullptr), nullptr);
}
