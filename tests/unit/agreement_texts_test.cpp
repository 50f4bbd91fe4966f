#include "resources/agreement_texts.h"

#include <algorithm>
#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/text_utf.h"

namespace {

std::vector<std::u16string> Paragraphs(const std::u16string& text) {
    std::vector<std::u16string> paragraphs(1);
    for (char16_t c : text) {
        if (c == u'\r') {
            paragraphs.emplace_back();
        } else {
            paragraphs.back() += c;
        }
    }
    return paragraphs;
}

std::string Shown(const std::u16string& paragraph) {
    return text::Utf16ToUtf8(paragraph).value_or("<not UTF-16>");
}

bool StartsWith(const std::u16string& text, const std::u16string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

const char16_t kFullWidthDigits[] = u"０１２３４５６７８９";

// "第１条（...）"
bool IsHeading(const std::u16string& p, int article) {
    return p.size() > 5 && StartsWith(p, std::u16string(u"第") + kFullWidthDigits[article] + u"条（") &&
           p.back() == u'）';
}

bool IsClause(const std::u16string& p, int number) {
    return p.size() > 2 && StartsWith(p, std::u16string(1, kFullWidthDigits[number]) + u"．");
}

bool StartsLikeClause(const std::u16string& p) {
    return p.size() >= 2 && p[1] == u'．' && p[0] >= u'０' && p[0] <= u'９';
}

void ExpectPlainText(const std::u16string& text) {
    EXPECT_EQ(text.find(u'\n'), std::u16string::npos);
    EXPECT_EQ(text.find(u'\t'), std::u16string::npos);
    EXPECT_EQ(text.find(u'\0'), std::u16string::npos);
    EXPECT_TRUE(std::none_of(text.begin(), text.end(),
                             [](char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }));
    EXPECT_NE(text.back(), u'\r');
    EXPECT_TRUE(text::Utf16ToUtf8(text).has_value());
}

TEST(AgreementTexts, LicenseSizesAndPieces) {
    const std::u16string license = resources::LicenseText();
    EXPECT_EQ(resources::LicenseTextFirstPiece().size(), 451u);
    EXPECT_EQ(resources::LicenseTextSecondPiece().size(), 878u);
    EXPECT_EQ(license.size(), 1329u);
    EXPECT_EQ(license, std::u16string(resources::LicenseTextFirstPiece()) +
                           std::u16string(resources::LicenseTextSecondPiece()));
    EXPECT_EQ(std::count(license.begin(), license.end(), u'\r'), 28);
    ExpectPlainText(license);
}

TEST(AgreementTexts, LicenseParagraphStructure) {
    const std::vector<std::u16string> p = Paragraphs(resources::LicenseText());
    ASSERT_EQ(p.size(), 29u);
    // Index k - 1 holds paragraph k.
    auto at = [&p](int k) -> const std::u16string& { return p[k - 1]; };

    EXPECT_EQ(at(1), u"ソフトウェア使用許諾契約");
    EXPECT_EQ(at(3).size(), 213u);
    EXPECT_EQ(at(12).size(), 119u);

    const std::set<int> empty = {2, 4, 10, 13, 18, 21, 27};
    for (int k = 1; k <= 29; ++k) {
        EXPECT_EQ(at(k).empty(), empty.count(k) == 1) << "paragraph " << k << ": " << Shown(at(k));
    }

    const struct {
        int heading;
        int clauses;  // 0: one body paragraph
    } articles[] = {{5, 4}, {11, 0}, {14, 3}, {19, 0}, {22, 4}, {28, 0}};
    int article = 0;
    for (const auto& a : articles) {
        ++article;
        EXPECT_TRUE(IsHeading(at(a.heading), article)) << Shown(at(a.heading));
        if (a.clauses == 0) {
            EXPECT_FALSE(StartsLikeClause(at(a.heading + 1))) << Shown(at(a.heading + 1));
            continue;
        }
        for (int c = 1; c <= a.clauses; ++c) {
            EXPECT_TRUE(IsClause(at(a.heading + c), c)) << Shown(at(a.heading + c));
        }
        EXPECT_TRUE(at(a.heading + a.clauses + 1).empty() || a.heading + a.clauses == 29);
    }
    EXPECT_LT(at(20).size(), at(12).size()) << "article 4 has a short body";
}

// The clause indent goes to every paragraph that ends in a CR except numbers 3 and 12.
// Those two must be the long prose paragraphs; any other paragraph ending in a CR must be
// a title, heading, clause, empty line, or short enough for one line of the control
// (about 34 full-width characters at 10 points), where the indent shows nothing.
TEST(AgreementTexts, OnlyProseEndsInCrThreeAndTwelve) {
    constexpr std::size_t kOneLine = 30;
    const std::u16string license = resources::LicenseText();
    std::vector<std::size_t> crs;
    for (std::size_t i = 0; i < license.size(); ++i) {
        if (license[i] == u'\r') crs.push_back(i);
    }
    ASSERT_EQ(crs.size(), 28u);
    EXPECT_EQ(crs[2], 12u + 1 + 1 + 213);    // end of the preamble
    EXPECT_EQ(crs[11] - crs[10] - 1, 119u);  // body of article 2

    const std::vector<std::u16string> p = Paragraphs(license);
    for (int cr = 1; cr <= 28; ++cr) {
        const std::u16string& ended = p[cr - 1];
        const bool structural =
            ended.empty() || cr == 1 || StartsLikeClause(ended) || StartsWith(ended, u"第");
        if (cr == 3 || cr == 12) {
            EXPECT_TRUE(!structural && ended.size() > kOneLine) << "CR " << cr;
        } else {
            EXPECT_TRUE(structural || ended.size() <= kOneLine) << "CR " << cr << ": " << Shown(ended);
        }
    }
}

TEST(AgreementTexts, CopyrightStructure) {
    const std::u16string copyright = resources::CopyrightText();
    EXPECT_EQ(copyright.size(), 471u);
    EXPECT_EQ(std::count(copyright.begin(), copyright.end(), u'\r'), 6);
    ExpectPlainText(copyright);
    const std::vector<std::u16string> p = Paragraphs(copyright);
    ASSERT_EQ(p.size(), 7u);
    EXPECT_EQ(p[0], u"著作権上の注意");
    EXPECT_TRUE(p[1].empty());
    for (std::size_t k = 2; k < p.size(); ++k) EXPECT_GT(p[k].size(), 20u) << Shown(p[k]);
}

// The strict UTF conversions that tools and tests rely on.
TEST(TextUtf, RoundTripsEveryEncodingLength) {
    const std::u16string samples[] = {
        u"",
        u"KORVENTA.cab",
        u"\u007F\u0080\u07FF\u0800\uFFFF",
        u"ソフトウェア使用許諾契約",
        u"\U00010000\U0001F600\U0010FFFF",
    };
    for (const std::u16string& s : samples) {
        const auto utf8 = text::Utf16ToUtf8(s);
        ASSERT_TRUE(utf8.has_value());
        EXPECT_EQ(text::Utf8ToUtf16(*utf8), s);
    }
    EXPECT_EQ(text::Utf16ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(text::Utf8ToUtf16("\xE3\x82\xBD"), u"ソ");
}

TEST(TextUtf, RefusesInvalidUtf8AndSaysWhere) {
    const struct {
        const char* what;
        std::string bytes;
        std::size_t offset;
    } rows[] = {
        {"stray continuation", "ab\x80", 2},
        {"overlong NUL", "\xC0\x80", 0},
        {"overlong 3-byte", "\xE0\x80\xAF", 0},
        {"overlong 4-byte", "\xF0\x8F\xBF\xBF", 0},
        {"encoded surrogate", "x\xED\xA0\x80", 1},
        {"above U+10FFFF", "\xF4\x90\x80\x80", 0},
        {"5-byte lead", "\xF8\x88\x80\x80\x80", 0},
        {"invalid byte", "\xFF", 0},
        {"truncated at end", "a\xE3\x81", 1},
        {"truncated before ASCII", "\xE3\x81" "b", 0},
    };
    for (const auto& row : rows) {
        std::size_t offset = 999;
        EXPECT_FALSE(text::Utf8ToUtf16(row.bytes, &offset).has_value()) << row.what;
        EXPECT_EQ(offset, row.offset) << row.what;
    }
}

TEST(TextUtf, RefusesUnpairedSurrogates) {
    const struct {
        std::u16string units;
        std::size_t offset;
    } rows[] = {
        {{u'a', char16_t(0xD800)}, 1},
        {{char16_t(0xDC00), u'a'}, 0},
        {{char16_t(0xD83D), u'a'}, 0},
        {{char16_t(0xD83D), char16_t(0xD83D), char16_t(0xDE00)}, 0},
    };
    for (const auto& row : rows) {
        std::size_t offset = 999;
        EXPECT_FALSE(text::Utf16ToUtf8(row.units, &offset).has_value());
        EXPECT_EQ(offset, row.offset);
    }
}

}  // namespace
