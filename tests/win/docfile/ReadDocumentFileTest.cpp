#include <gtest/gtest.h>

#include <string>

#include "DocFileTestUtil.h"
#include "TestSupport.h"
#include "app/DocumentFile.h"
#include "app/DocumentText.h"

namespace {

using docfiletest::Contains;
using docfiletest::ErrorOf;

TEST(ReadDocumentFile, ReadsEveryByteValueAndGoesOnAfterCtrlZ) {
    qmtest::TempDir dir;
    std::string bytes, asCrLf;
    for (int b = 1; b < 256; ++b) {
        bytes += static_cast<char>(b);
        asCrLf += b == '\n' || b == '\r' ? std::string("\r\n") : std::string(1, static_cast<char>(b));
    }
    bytes += "\x1A" "after Ctrl+Z\nlf\rcr\r\ncrlf";
    asCrLf += "\x1A" "after Ctrl+Z\r\nlf\r\ncr\r\ncrlf";
    const std::string path = dir.File("all.htm");
    qmtest::WriteBytes(path, bytes);

    const qm::TDecodedText decoded = qm::ReadDocumentFile(path);
    EXPECT_TRUE(decoded.Format == (qm::TTextFormat{qm::TEncoding::Ansi, qm::TLineBreak::CrLf}));
    EXPECT_TRUE(decoded.Text.ends_with(u"\x1A" "after Ctrl+Z\r\nlf\r\ncr\r\ncrlf"));
    // Bytes 10 and 13 and the breaks before "lf" and "cr" are lone: a unit more each.
    EXPECT_EQ(decoded.Text.size(), bytes.size() + 4);
    std::string saved;
    ASSERT_TRUE(qm::EncodeDocument(decoded.Text, decoded.Format, qm::SystemAnsiCodec(), saved));
    EXPECT_EQ(saved, asCrLf);

    qmtest::WriteBytes(path, "");
    EXPECT_TRUE(qm::ReadDocumentFile(path).Text.empty());
}

TEST(ReadDocumentFile, RefusesWhatItCannotHoldNamingTheFile) {
    qmtest::TempDir dir;
    const std::string binary = dir.File("binary.htm");
    qmtest::WriteBytes(binary, std::string("<html>\0</html>", 14));
    const std::string binaryError = ErrorOf([&] { qm::ReadDocumentFile(binary); });
    EXPECT_TRUE(Contains(binaryError, binary) && Contains(binaryError, "NUL")) << binaryError;

    const std::string missing = dir.File("missing.htm");
    EXPECT_TRUE(Contains(ErrorOf([&] { qm::ReadDocumentFile(missing); }), missing));
    EXPECT_TRUE(Contains(ErrorOf([&] { qm::ReadDocumentFile(dir.File("no\\such\\folder.htm")); }),
                         dir.File("no\\such\\folder.htm")));

    const std::string folder = dir.File("folder.htm");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string folderError = ErrorOf([&] { qm::ReadDocumentFile(folder); });
    EXPECT_TRUE(Contains(folderError, folder) && Contains(folderError, "folder")) << folderError;

    const std::string locked = dir.File("locked.htm");
    qmtest::WriteBytes(locked, "text");
    {
        const auto lock = docfiletest::LockFile(locked);
        EXPECT_TRUE(Contains(ErrorOf([&] { qm::ReadDocumentFile(locked); }), locked));
    }
    EXPECT_TRUE(qm::ReadDocumentFile(locked).Text == u"text");

    // One byte over the limit, made without writing it all.
    const std::string large = dir.File("large.htm");
    qmtest::WriteBytes(large, "");
    {
        const auto file = docfiletest::LockFile(large);
        LARGE_INTEGER size{};
        size.QuadPart = static_cast<LONGLONG>(qm::kMaxDocumentText) + 1;
        ASSERT_TRUE(SetFilePointerEx(file.get(), size, nullptr, FILE_BEGIN) && SetEndOfFile(file.get()));
    }
    const std::string largeError = ErrorOf([&] { qm::ReadDocumentFile(large); });
    EXPECT_TRUE(Contains(largeError, large) && Contains(largeError, qm::TooLargeReason())) << largeError;
}

}  // namespace
