#include "app/TextEncoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "ui/Utf.h"

namespace {

using qm::TEncoding;
using qm::TLineBreak;
using qm::TTextFormat;

// Stands in for the system's code page: byte b is U+00bb (Latin-1); a lossy
// one reads byte 0x81 as "?", as a code page without it would.
class Latin1 : public qm::TAnsiCodec {
public:
    explicit Latin1(bool lossy = false) : lossy_(lossy) {}
    std::u16string Decode(std::string_view bytes) const override {
        std::u16string text(bytes.size(), u'\0');
        for (size_t i = 0; i < bytes.size(); ++i) text[i] = static_cast<unsigned char>(bytes[i]);
        if (lossy_) std::replace(text.begin(), text.end(), u'\x81', u'?');
        return text;
    }
    bool Encode(std::u16string_view text, std::string& bytes) const override {
        bytes.resize(text.size());
        for (size_t i = 0; i < text.size(); ++i) bytes[i] = static_cast<char>(text[i]);
        return std::all_of(text.begin(), text.end(), [](char16_t c) { return c <= 0xFF; });
    }

private:
    bool lossy_;
};

std::u16string Latin1Text(std::string_view bytes) { return Latin1().Decode(bytes); }

qm::TDecodedText Decoded(const std::string& bytes) {
    qm::TDecodedText decoded;
    const auto refusal = qm::DecodeDocument(bytes, Latin1(), decoded);
    EXPECT_FALSE(refusal.has_value()) << *refusal;
    return decoded;
}

TEST(TextEncoding, EveryEncodingAndBreakStyleComesBackByteForByte) {
    std::string all253;
    for (int b = 1; b < 256; ++b) {
        if (b != '\r' && b != '\n') all253 += static_cast<char>(b);
    }
    const std::string edge = std::string(65535, 'a') + "\xF0\x9F\x98\x80" "b";  // a pair across 64 KiB
    struct Case {
        std::string bytes;
        TTextFormat format;
        std::u16string text;
        std::string saved;  // when not the same bytes: a file of mixed breaks
    } cases[] = {
        {"", {TEncoding::Ansi, TLineBreak::CrLf}, u"", {}},
        {"a\nb\n", {TEncoding::Ansi, TLineBreak::Lf}, u"a\r\nb\r\n", {}},
        {all253, {TEncoding::Ansi, TLineBreak::CrLf}, Latin1Text(all253), {}},
        {"caf\xC3\xA9 \xE9", {TEncoding::Ansi, TLineBreak::CrLf}, Latin1Text("caf\xC3\xA9 \xE9"), {}},  // almost UTF-8
        {"\xED\xA0\x80", {TEncoding::Ansi, TLineBreak::CrLf}, u"\u00ED\u00A0\u0080", {}},  // a surrogate's form
        {"\xC3\xA9\r\xE6\x97\xA5\r", {TEncoding::Utf8, TLineBreak::Cr}, u"\u00E9\r\n\u65E5\r\n", {}},
        {"\xF0\x9F\x98\x80\n\xF0\x9F\x98\x80", {TEncoding::Utf8, TLineBreak::Lf}, u"\U0001F600\r\n\U0001F600", {}},
        {edge, {TEncoding::Utf8, TLineBreak::CrLf}, std::u16string(65535, u'a') + u"\U0001F600b", {}},
        {"\xEF\xBB\xBF", {TEncoding::Utf8Bom, TLineBreak::CrLf}, u"", {}},
        {"\xEF\xBB\xBF" "a\r\nb", {TEncoding::Utf8Bom, TLineBreak::CrLf}, u"a\r\nb", {}},
        {"\xEF\xBB\xBF\xFF", {TEncoding::Ansi, TLineBreak::CrLf}, u"\u00EF\u00BB\u00BF\u00FF", {}},
        {std::string("\xFF\xFE" "a\0\n\0=\xD8\0\xDE", 10), {TEncoding::Utf16Le, TLineBreak::Lf}, u"a\r\n\U0001F600", {}},
        {std::string("\xFF\xFE\x00\xD8x\0", 6), {TEncoding::Utf16Le, TLineBreak::CrLf}, u"\xD800x", {}},
        {"\xFE\xFF", {TEncoding::Utf16Be, TLineBreak::CrLf}, u"", {}},
        {std::string("\xFE\xFF\0\r\x01\x01", 6), {TEncoding::Utf16Be, TLineBreak::Cr}, u"\r\n\u0101", {}},
        {"a\r\nb\nc\rd", {TEncoding::Ansi, TLineBreak::CrLf}, u"a\r\nb\r\nc\r\nd", "a\r\nb\r\nc\r\nd"},
        {"\n\r", {TEncoding::Ansi, TLineBreak::CrLf}, u"\r\n\r\n", "\r\n\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes.substr(0, 12)));
        const qm::TDecodedText decoded = Decoded(c.bytes);
        EXPECT_TRUE(decoded.Format == c.format);
        EXPECT_TRUE(decoded.Text == c.text);
        std::string saved;
        ASSERT_TRUE(qm::EncodeDocument(decoded.Text, decoded.Format, Latin1(), saved));
        EXPECT_EQ(saved, c.saved.empty() ? c.bytes : c.saved);
    }
    // A template gives new documents its encoding, unless it is plain ASCII.
    EXPECT_TRUE(qm::TemplateDocumentFormat(Decoded("<p>\n")) == (TTextFormat{TEncoding::Utf8, TLineBreak::Lf}));
    EXPECT_EQ(qm::TemplateDocumentFormat(Decoded("caf\xE9")).Encoding, TEncoding::Ansi);
    // Paths and short texts: any UTF-16, a lone surrogate too, and back.
    for (const std::u16string text : {u"", u"\u03A9mega \u65E5\u672C.htm", u"\U0001F600", u"a\xD800" "b", u"\xDC00"}) {
        EXPECT_TRUE(qm::Utf8ToUtf16(qm::Utf16ToUtf8(text)) == text);
    }
    EXPECT_EQ(qm::Utf16ToUtf8(u"\xD800"), "\xED\xA0\x80");
}

TEST(TextEncoding, WhatWouldNotComeBackTheSameIsRefusedOnOpenAndOnSave) {
    const auto refusal = [](std::string bytes, bool lossy = false) {
        qm::TDecodedText decoded;
        return qm::DecodeDocument(bytes, Latin1(lossy), decoded).value_or("(opened)");
    };
    EXPECT_NE(refusal("\xFF\xFE" "a").find("odd number of bytes"), std::string::npos);
    EXPECT_NE(refusal(std::string("ab\0c", 4)).find("NUL bytes (the first at byte 2)"), std::string::npos);
    EXPECT_NE(refusal(std::string("\xFF\xFE" "a\0\0\0", 6)).find("NUL characters (the first at character 1)"),
              std::string::npos);
    EXPECT_NE(refusal("a\x81", true).find("code page"), std::string::npos);
    EXPECT_EQ(refusal("a\x82", true), "(opened)");
    // The limit counts the file's bytes, then the editor's units (CR LF).
    EXPECT_EQ(refusal(std::string(qm::kMaxDocumentText + 1, 'x')), qm::TooLargeReason());
    EXPECT_EQ(refusal(std::string(qm::kMaxDocumentText / 2 + 1, '\n')), qm::TooLargeReason());
    EXPECT_EQ(refusal(std::string(qm::kMaxDocumentText / 2, '\n')), "(opened)");

    std::string bytes;
    EXPECT_FALSE(qm::EncodeDocument(u"a\u0101", {TEncoding::Ansi, TLineBreak::CrLf}, Latin1(), bytes));
    EXPECT_FALSE(qm::EncodeDocument(u"a\xD83D", {TEncoding::Utf8, TLineBreak::CrLf}, Latin1(), bytes));
    EXPECT_FALSE(qm::EncodeDocument(u"\xDE00", {TEncoding::Utf8Bom, TLineBreak::CrLf}, Latin1(), bytes));
    ASSERT_TRUE(qm::EncodeDocument(u"\u0101\xD83D", {TEncoding::Utf16Be, TLineBreak::CrLf}, Latin1(), bytes));
    EXPECT_EQ(bytes, std::string("\xFE\xFF\x01\x01\xD8\x3D", 6));
    // Lone breaks pasted into the editor are written in the file's style too.
    ASSERT_TRUE(qm::EncodeDocument(u"a\r\nb\nc\r\u0101", {TEncoding::Utf8Bom, TLineBreak::Lf}, Latin1(), bytes));
    EXPECT_EQ(bytes, "\xEF\xBB\xBF" "a\nb\nc\n\xC4\x81");
    EXPECT_EQ(qm::FormatName({TEncoding::Utf16Le, TLineBreak::CrLf}), "UTF-16 LE \xC2\xB7 CR LF");
}

}  // namespace
