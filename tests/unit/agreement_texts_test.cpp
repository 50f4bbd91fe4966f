#include "resources/agreement_texts.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

// The licence page indents every paragraph ending in a CR except numbers 3 and 12: those
// must be the long prose paragraphs; any other one must be a title, heading (第), clause
// (full-width digit and ．), empty, or fit one line, where the indent shows nothing.
TEST(AgreementTexts, OnlyProseEndsInCrThreeAndTwelve) {
    std::vector<std::u16string> p(1);
    for (char16_t c : resources::LicenseText()) c == u'\r' ? p.emplace_back() : p.back() += c;
    ASSERT_GT(p.size(), 12u);
    for (std::size_t cr = 1; cr < p.size(); ++cr) {
        const std::u16string& ended = p[cr - 1];
        const bool structural = ended.empty() || cr == 1 || ended[0] == u'第' ||
                                (ended.size() >= 2 && ended[1] == u'．' && ended[0] >= u'０' && ended[0] <= u'９');
        const bool oneLine = ended.size() <= 30;
        EXPECT_EQ(cr == 3 || cr == 12, !structural && !oneLine) << "CR " << cr;
    }
}

}  // namespace
