#include "app/RecoveryEntry.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TRecoveryEntry SampleEntry() {
    return {"C:\\web\\\xCE\xA9mega \xE6\x97\xA5\xE6\x9C\xAC.htm", "\xCE\xA9mega \xE6\x97\xA5\xE6\x9C\xAC.htm",
            "UTF-16 BE", "LF", u"<p>Caf\u00e9 \u2014 \U0001F600</p>\r\n\u0101"};
}

TEST(RecoveryEntry, ReadsBackOnlyWhatWasWrittenWhole) {
    for (const TRecoveryEntry& entry : {SampleEntry(), TRecoveryEntry{"", "Untitled", "UTF-8", "CR LF", u""}}) {
        const std::string bytes = EncodeRecoveryEntry(entry);
        std::string why;
        const auto back = DecodeRecoveryEntry(bytes, why);
        ASSERT_TRUE(back) << why;
        EXPECT_EQ(*back, entry);

        // Every write cut short is refused, whatever its length.
        for (size_t length = 0; length < bytes.size(); ++length) {
            why.clear();
            EXPECT_FALSE(DecodeRecoveryEntry(std::string_view(bytes).substr(0, length), why)) << length;
            EXPECT_FALSE(why.empty()) << length;
            if (length >= 8) {
                EXPECT_EQ(why, "it was cut short") << length;
            }
        }
        EXPECT_FALSE(DecodeRecoveryEntry(bytes + '\0', why));
        EXPECT_EQ(why, "it has the wrong size");
        // A changed byte (here the tab name's first) is found.
        std::string changed = bytes;
        changed[8 + 4 + entry.Path.size() + 4] ^= 0x01;
        EXPECT_FALSE(DecodeRecoveryEntry(changed, why));
        EXPECT_EQ(why, "its contents do not match their checksum");
    }
}

TEST(RecoveryEntry, AnAbsurdLengthIsRefusedWithoutReadingPastTheEnd) {
    std::string bytes = EncodeRecoveryEntry(SampleEntry());
    // The text's length field: after magic, format and the four strings.
    const TRecoveryEntry entry = SampleEntry();
    const size_t lengthAt = 8 + 16 + entry.Path.size() + entry.TabName.size() + entry.Encoding.size() +
                            entry.LineBreaks.size();
    for (size_t i = 0; i < 8; ++i) bytes[lengthAt + i] = '\xFF';
    std::string why;
    EXPECT_FALSE(DecodeRecoveryEntry(bytes, why));
    EXPECT_EQ(why, "it was cut short");
}

}  // namespace
}  // namespace qm
