#include "app/TextEncoding.h"

#include <gtest/gtest.h>

#include <string>

#include "ui/Utf.h"

namespace {

using qm::TEncoding;
using qm::TLineBreak;

// Stands in for the system's code page: byte b is U+00bb (Latin-1).
class Latin1 : public qm::TAnsiCodec {
public:
    std::u16string Decode(std::string_view bytes) const override {
        std::u16string text(bytes.size(), u'\0');
        for (size_t i = 0; i < bytes.size(); ++i) text[i] = static_cast<unsigned char>(bytes[i]);
        return text;
    }
    bool Encode(std::u16string_view text, std::string& bytes) const override {
        const size_t start = bytes.size();
        bytes.resize(start + text.size());
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] > 0xFF) return false;
            bytes[start + i] = static_cast<char>(text[i]);
        }
        return true;
    }
};

// A code page without a character for byte 0x81, which it reads as "?".
class Lossy : public Latin1 {
    std::u16string Decode(std::string_view bytes) const override {
        std::u16string text = Latin1::Decode(bytes);
        for (char16_t& c : text) c = c == 0x81 ? u'?' : c;
        return text;
    }
};

std::u16string Latin1Text(std::string_view bytes) { return Latin1().Decode(bytes); }

TEST(TextEncoding, EveryEncodingAndBreakStyleComesBackByteForByte) {
    std::string all253;
    for (int b = 1; b < 256; ++b) {
        if (b != '\r' && b != '\n') all253 += static_cast<char>(b);
    }
    const std::string edge = std::string(65535, 'a') + "\xF0\x9F\x98\x80" "b";  // a pair across 64 KiB
    struct Case {
        const char* name;
        std::string bytes;
        TEncoding encoding;
        TLineBreak breaks;
        std::u16string text;
        std::string saved;  // when not the same bytes: a file of mixed breaks
    } cases[] = {
        {"empty", "", TEncoding::Ansi, TLineBreak::CrLf, u"", {}},
        {"ASCII, LF", "a\nb\n", TEncoding::Ansi, TLineBreak::Lf, u"a\r\nb\r\n", {}},
        {"253 ANSI bytes", all253, TEncoding::Ansi, TLineBreak::CrLf, Latin1Text(all253), {}},
        {"almost UTF-8", "caf\xC3\xA9 \xE9", TEncoding::Ansi, TLineBreak::CrLf, Latin1Text("caf\xC3\xA9 \xE9"), {}},
        {"surrogate in UTF-8 form", "\xED\xA0\x80", TEncoding::Ansi, TLineBreak::CrLf, u"\u00ED\u00A0\u0080", {}},
        {"UTF-8, CR", "\xC3\xA9\r\xE6\x97\xA5\r", TEncoding::Utf8, TLineBreak::Cr, u"\u00E9\r\n\u65E5\r\n", {}},
        {"UTF-8, pair at the ends", "\xF0\x9F\x98\x80\n\xF0\x9F\x98\x80", TEncoding::Utf8, TLineBreak::Lf,
         u"\U0001F600\r\n\U0001F600", {}},
        {"UTF-8, pair at a buffer edge", edge, TEncoding::Utf8, TLineBreak::CrLf,
         std::u16string(65535, u'a') + u"\U0001F600b", {}},
        {"UTF-8 BOM only", "\xEF\xBB\xBF", TEncoding::Utf8Bom, TLineBreak::CrLf, u"", {}},
        {"UTF-8 BOM, CR LF", "\xEF\xBB\xBF" "a\r\nb", TEncoding::Utf8Bom, TLineBreak::CrLf, u"a\r\nb", {}},
        {"UTF-8 BOM, then no UTF-8", "\xEF\xBB\xBF\xFF", TEncoding::Ansi, TLineBreak::CrLf,
         u"\u00EF\u00BB\u00BF\u00FF", {}},
        {"UTF-16 LE, LF", std::string("\xFF\xFE" "a\0\n\0=\xD8\0\xDE", 10), TEncoding::Utf16Le, TLineBreak::Lf,
         u"a\r\n\U0001F600", {}},
        {"UTF-16 LE, lone surrogate", std::string("\xFF\xFE\x00\xD8x\0", 6), TEncoding::Utf16Le, TLineBreak::CrLf,
         u"\xD800x", {}},
        {"UTF-16 BE BOM only", "\xFE\xFF", TEncoding::Utf16Be, TLineBreak::CrLf, u"", {}},
        {"UTF-16 BE, CR", std::string("\xFE\xFF\0\r\x01\x01", 6), TEncoding::Utf16Be, TLineBreak::Cr,
         u"\r\n\u0101", {}},
        {"mixed breaks", "a\r\nb\nc\rd", TEncoding::Ansi, TLineBreak::CrLf, u"a\r\nb\r\nc\r\nd", "a\r\nb\r\nc\r\nd"},
        {"LF then CR", "\n\r", TEncoding::Ansi, TLineBreak::CrLf, u"\r\n\r\n", "\r\n\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        qm::TDecodedText decoded;
        const auto refusal = qm::DecodeDocument(c.bytes, Latin1(), decoded);
        ASSERT_FALSE(refusal.has_value()) << *refusal;
        EXPECT_EQ(decoded.Format.Encoding, c.encoding);
        EXPECT_EQ(decoded.Format.Breaks, c.breaks);
        EXPECT_TRUE(decoded.Text == c.text);
        std::string saved;
        ASSERT_TRUE(qm::EncodeDocument(decoded.Text, decoded.Format, Latin1(), saved));
        EXPECT_EQ(saved, c.saved.empty() ? c.bytes : c.saved);
    }
}

TEST(TextEncoding, FilesThatWouldNotComeBackTheSameAreRefusedWithAReason) {
    const auto refusal = [](std::string bytes, const qm::TAnsiCodec& ansi = Latin1()) {
        qm::TDecodedText decoded;
        return qm::DecodeDocument(bytes, ansi, decoded).value_or("(opened)");
    };
    EXPECT_NE(refusal("\xFF\xFE" "a").find("odd number of bytes"), std::string::npos);
    EXPECT_NE(refusal(std::string("ab\0c", 4)).find("NUL bytes (the first at byte 2)"), std::string::npos);
    EXPECT_NE(refusal(std::string("\xFF\xFE" "a\0\0\0", 6)).find("NUL characters (the first at character 1)"),
              std::string::npos);
    EXPECT_NE(refusal("a\x81", Lossy()).find("code page"), std::string::npos);
    EXPECT_EQ(refusal("a\x82", Lossy()), "(opened)");
    // The limit counts the file's bytes, then the editor's units (CR LF).
    EXPECT_EQ(refusal(std::string(qm::kMaxDocumentText + 1, 'x')), qm::TooLargeReason());
    EXPECT_EQ(refusal(std::string(qm::kMaxDocumentText / 2 + 1, '\n')), qm::TooLargeReason());
    EXPECT_EQ(refusal(std::string(qm::kMaxDocumentText / 2, '\n')), "(opened)");
}

TEST(TextEncoding, SaveRefusesWhatTheEncodingCannotStoreAndWritesBreaksInTheFilesStyle) {
    std::string bytes;
    const auto format = [](TEncoding encoding, TLineBreak breaks = TLineBreak::CrLf) {
        return qm::TTextFormat{encoding, breaks};
    };
    EXPECT_FALSE(qm::EncodeDocument(u"a\u0101", format(TEncoding::Ansi), Latin1(), bytes));
    EXPECT_FALSE(qm::EncodeDocument(u"a\xD83D", format(TEncoding::Utf8), Latin1(), bytes));
    EXPECT_FALSE(qm::EncodeDocument(u"\xDE00", format(TEncoding::Utf8Bom), Latin1(), bytes));
    ASSERT_TRUE(qm::EncodeDocument(u"\u0101\xD83D", format(TEncoding::Utf16Be), Latin1(), bytes));
    EXPECT_EQ(bytes, std::string("\xFE\xFF\x01\x01\xD8\x3D", 6));
    ASSERT_TRUE(qm::EncodeDocument(u"a\u0101", format(TEncoding::Utf8Bom), Latin1(), bytes));
    EXPECT_EQ(bytes, "\xEF\xBB\xBF" "a\xC4\x81");
    // Lone breaks pasted into the editor are written in the file's style too.
    ASSERT_TRUE(qm::EncodeDocument(u"a\r\nb\nc\r", format(TEncoding::Ansi, TLineBreak::Lf), Latin1(), bytes));
    EXPECT_EQ(bytes, "a\nb\nc\n");
    ASSERT_TRUE(qm::EncodeDocument(u"a\nb\r\n", format(TEncoding::Utf8), Latin1(), bytes));
    EXPECT_EQ(bytes, "a\r\nb\r\n");
    EXPECT_EQ(qm::FormatName(format(TEncoding::Utf8, TLineBreak::Lf)), "UTF-8 \xC2\xB7 LF");
}

TEST(TextEncoding, ATemplateGivesNewDocumentsItsEncodingUnlessItIsPlainAscii) {
    const auto from = [](std::string bytes) {
        qm::TDecodedText decoded;
        EXPECT_FALSE(qm::DecodeDocument(bytes, Latin1(), decoded).has_value());
        return qm::TemplateDocumentFormat(decoded);
    };
    EXPECT_TRUE(from("<html>\n") == (qm::TTextFormat{TEncoding::Utf8, TLineBreak::Lf}));
    EXPECT_TRUE(from("caf\xE9") == (qm::TTextFormat{TEncoding::Ansi, TLineBreak::CrLf}));
    EXPECT_TRUE(from(std::string("\xFE\xFF\0a\0\r", 6)) == (qm::TTextFormat{TEncoding::Utf16Be, TLineBreak::Cr}));
}

TEST(Utf, PathsAndTextsRoundTripAndLoneSurrogatesKeepTheirForm) {
    for (const std::u16string text : {u"", u"Ωmega 日本.htm", u"\U0001F600", u"a\xD800" "b", u"\xDC00"}) {
        EXPECT_TRUE(qm::Utf8ToUtf16(qm::Utf16ToUtf8(text)) == text);
    }
    EXPECT_EQ(qm::Utf16ToUtf8(u"\xD800" "b"), "\xED\xA0\x80" "b");
    EXPECT_FALSE(qm::IsUtf8("\xED\xA0\x80"));  // the form a lone surrogate takes is no file's UTF-8
    EXPECT_TRUE(qm::Utf8ToUtf16("a\xFF" "b") == u"a\uFFFD" "b");
}

}  // namespace
