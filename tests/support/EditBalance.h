#pragma once
// The rule every edit the editor sends a host keeps, whatever closes the
// editor: per parameter, each begin notice is followed by exactly one end, no
// end comes without an open begin, and nothing is open once the window has
// gone. Each test host turns what it recorded into notices, in call order.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

struct EditNotice
{
  char kind;  // 'b' begin, 'e' end; other kinds (value changes) are not counted
  int param;
};

// gone: the window has gone (or the sequence is over), so nothing may be open.
inline ::testing::AssertionResult EditsBalance(const std::vector<EditNotice>& notices, bool gone = true)
{
  std::string seen;
  for (const EditNotice& n : notices)
    seen += (seen.empty() ? "" : " ") + std::string(1, n.kind) + std::to_string(n.param);
  std::map<int, int> open;
  for (const EditNotice& n : notices)
  {
    if (n.kind == 'b' && open[n.param]++ != 0)
      return ::testing::AssertionFailure() << "a second begin of " << n.param << " while one is open: " << seen;
    if (n.kind == 'e' && open[n.param]-- != 1)
      return ::testing::AssertionFailure() << "an end of " << n.param << " without a begin: " << seen;
  }
  if (gone)
    for (const auto& p : open)
      if (p.second != 0)
        return ::testing::AssertionFailure() << "the edit of " << p.first << " never ended: " << seen;
  return ::testing::AssertionSuccess() << seen;
}
