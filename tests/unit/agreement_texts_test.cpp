#include "resources/agreement_texts.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::vector<std::u16string> Paragraphs(const std::u16string& text) {
    std::vector<std::u16string> paragraphs(1);
    for (char16_t c : text) c == u'\r' ? paragraphs.emplace_back() : paragraphs.back() += c;
    return paragraphs;
}

// The pages lay the documents out by CR alone and show them whole: a lost or added
// character, a line feed, a tab or a broken surrogate would show.
TEST(AgreementTexts, SizesCrsAndTitles) {
    const std::u16string license = resources::LicenseText();
    EXPECT_EQ(resources::LicenseTextFirstPiece().size(), 451u);
    EXPECT_EQ(license, std::u16string(resources::LicenseTextFirstPiece()).append(resources::LicenseTextSecondPiece()));
    const struct {
        std::u16string text;
        std::size_t size, crs;
        const char16_t* title;
    } documents[] = {{license, 1329, 28, u"ソフトウェア使用許諾契約"}, {resources::CopyrightText(), 471, 6, u"著作権上の注意"}};
    for (const auto& d : documents) {
        EXPECT_EQ(d.text.size(), d.size);
        EXPECT_EQ(std::size_t(std::count(d.text.begin(), d.text.end(), u'\r')), d.crs);
        EXPECT_EQ(d.text.find_first_of(std::u16string(u"\n\t\0", 3)), std::u16string::npos);
        EXPECT_TRUE(std::none_of(d.text.begin(), d.text.end(), [](char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }));
        EXPECT_NE(d.text.back(), u'\r');
        EXPECT_EQ(Paragraphs(d.text)[0], d.title);
        EXPECT_TRUE(Paragraphs(d.text)[1].empty());
    }
}

// The licence page indents every paragraph ending in a CR except numbers 3 and 12: those
// must be the long prose paragraphs; any other one must be a title, heading (第), clause
// (full-width digit and ．), empty, or fit one line, where the indent shows nothing.
TEST(AgreementTexts, OnlyProseEndsInCrThreeAndTwelve) {
    const auto p = Paragraphs(resources::LicenseText());
    for (int cr = 1; cr <= 28; ++cr) {
        const std::u16string& ended = p[cr - 1];
        const bool structural = ended.empty() || cr == 1 || ended[0] == u'第' ||
                                (ended.size() >= 2 && ended[1] == u'．' && ended[0] >= u'０' && ended[0] <= u'９');
        const bool oneLine = ended.size() <= 30;
        EXPECT_EQ(cr == 3 || cr == 12, !structural && !oneLine) << "CR " << cr;
    }
}

}  // namespace
