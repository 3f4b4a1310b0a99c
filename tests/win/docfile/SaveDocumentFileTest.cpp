#include <gtest/gtest.h>

#include <string>

#include "DocFileTestUtil.h"
#include "TestSupport.h"
#include "app/DocumentFile.h"

namespace {

using docfiletest::Contains;
using docfiletest::ErrorOf;
using docfiletest::HooksGuard;

const std::string kOld = "<p>old text</p>\r\n";
const std::string kNew = "<p>new text</p>\r\n<p>second line</p>\r\n";

// Text long enough to take several writes.
std::string LongText() {
    std::string text;
    while (text.size() < 200 * 1024) text += "<p>a line of a long page</p>\r\n";
    return text;
}

// Saving `bytes` to `path` fails with a message naming the path, the file
// keeps `old` byte for byte and nothing is left in `folder`.
void ExpectFailedSave(const std::string& folder, const std::string& path, const std::string& old,
                      const std::string& bytes = kNew) {
    const int entries = qmtest::CountEntries(folder);
    EXPECT_TRUE(Contains(ErrorOf([&] { qm::SaveDocumentFile(path, bytes); }), path));
    EXPECT_EQ(qmtest::CountEntries(folder), entries);
    if (qmtest::FileExists(path)) {
        EXPECT_EQ(qmtest::ReadBytes(path), old);
    }
}

TEST(SaveDocumentFile, ReplacesAnExistingFileAndCreatesANewOne) {
    qmtest::TempDir dir;
    const std::string path = dir.File("page.htm");
    qmtest::WriteBytes(path, LongText());
    qm::SaveDocumentFile(path, kNew);
    EXPECT_EQ(qmtest::ReadBytes(path), kNew);
    qm::SaveDocumentFile(path, "");
    EXPECT_EQ(qmtest::ReadBytes(path), "");

    const std::string fresh = dir.File("fresh.htm");
    qm::SaveDocumentFile(fresh, LongText());
    EXPECT_EQ(qmtest::ReadBytes(fresh), LongText());
    EXPECT_EQ(qmtest::CountEntries(dir.Path()), 2);  // no temporary file left

    // A relative name is saved in the working directory.
    char previous[MAX_PATH];
    ASSERT_GT(GetCurrentDirectoryA(MAX_PATH, previous), 0u);
    ASSERT_TRUE(SetCurrentDirectoryA(dir.Path().c_str()));
    qm::SaveDocumentFile("page.htm", kOld);
    qm::SaveDocumentFile("sub\\..\\fresh.htm", kOld);
    ASSERT_TRUE(SetCurrentDirectoryA(previous));
    EXPECT_EQ(qmtest::ReadBytes(path), kOld);
    EXPECT_EQ(qmtest::ReadBytes(fresh), kOld);
    EXPECT_EQ(qmtest::CountEntries(dir.Path()), 2);
}

TEST(SaveDocumentFile, FailedSavesLeaveTheOldFileAndNoTemporaryFile) {
    qmtest::TempDir dir;
    const std::string path = dir.File("page.htm");
    qmtest::WriteBytes(path, kOld);

    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    ExpectFailedSave(dir.Path(), path, kOld);
    EXPECT_TRUE(Contains(ErrorOf([&] { qm::SaveDocumentFile(path, kNew); }), "read-only"));
    EXPECT_NE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL));

    {
        const auto lock = docfiletest::LockFile(path);
        EXPECT_TRUE(Contains(ErrorOf([&] { qm::SaveDocumentFile(path, kNew); }), path));
        EXPECT_EQ(qmtest::CountEntries(dir.Path()), 1);
    }
    EXPECT_EQ(qmtest::ReadBytes(path), kOld);

    for (int failing : {1, 2}) {
        SCOPED_TRACE(failing);
        HooksGuard hooks({failing});
        ExpectFailedSave(dir.Path(), path, kOld, LongText());
    }
    {
        HooksGuard hooks({1});
        ExpectFailedSave(dir.Path(), dir.File("new.htm"), "");
        EXPECT_FALSE(qmtest::FileExists(dir.File("new.htm")));
    }

    ExpectFailedSave(dir.Path(), dir.File("missing\\page.htm"), "");
    // A name with a NUL in it must not write the file named by its first part.
    EXPECT_TRUE(Contains(ErrorOf([&] { qm::SaveDocumentFile(path + std::string("\0.x", 3), kNew); }), "NUL"));

    const std::string folder = dir.File("folder.htm");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ExpectFailedSave(dir.Path(), folder, "");
    EXPECT_NE(GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(qmtest::CountEntries(folder), 0);
    EXPECT_EQ(qmtest::ReadBytes(path), kOld);
}

TEST(SaveDocumentFile, HiddenFileStaysHidden) {
    qmtest::TempDir dir;
    const std::string path = dir.File("hidden.htm");
    qmtest::WriteBytes(path, kOld);
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
    qm::SaveDocumentFile(path, kNew);
    EXPECT_EQ(qmtest::ReadBytes(path), kNew);
    EXPECT_NE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(qmtest::CountEntries(dir.Path()), 1);
}

TEST(SaveDocumentFile, HardLinksStayJoined) {
    qmtest::TempDir dir;
    const std::string first = dir.File("first.htm");
    const std::string second = dir.File("second.htm");
    qmtest::WriteBytes(first, LongText());
    ASSERT_TRUE(CreateHardLinkA(second.c_str(), first.c_str(), nullptr));

    qm::SaveDocumentFile(first, kOld);  // shorter than before: the rest is cut off
    EXPECT_EQ(qmtest::ReadBytes(second), kOld);
    EXPECT_EQ(qmtest::CountEntries(dir.Path()), 2);  // the backup copy is gone

    // Write 1 makes the backup; 2 and 3 write the new text over the old.
    for (int failing : {1, 3}) {
        SCOPED_TRACE(failing);
        HooksGuard hooks({failing});
        ExpectFailedSave(dir.Path(), first, kOld, LongText());
        EXPECT_EQ(qmtest::ReadBytes(second), kOld);
    }
    qm::SaveDocumentFile(second, kNew);
    EXPECT_EQ(qmtest::ReadBytes(first), kNew);
}

// ReplaceFile failures that a test cannot provoke: 1176 with both files
// untouched, and 1176 after the old file was moved away.
BOOL WINAPI ReplaceFailsUntouched(LPCWSTR, LPCWSTR, LPCWSTR, DWORD, LPVOID, LPVOID) {
    SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT);
    return FALSE;
}
BOOL WINAPI ReplaceFailsAfterRemovingTarget(LPCWSTR target, LPCWSTR, LPCWSTR, DWORD, LPVOID, LPVOID) {
    MoveFileW(target, (std::wstring(target) + L".gone").c_str());
    SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT);
    return FALSE;
}
BOOL WINAPI MoveFails(LPCWSTR, LPCWSTR, DWORD) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

TEST(SaveDocumentFile, FallsBackToMovingWhenReplacingFails) {
    qmtest::TempDir dir;
    const std::string path = dir.File("page.htm");
    qmtest::WriteBytes(path, kOld);
    {
        HooksGuard hooks({0, &ReplaceFailsUntouched});
        qm::SaveDocumentFile(path, kNew);
    }
    EXPECT_EQ(qmtest::ReadBytes(path), kNew);
    EXPECT_EQ(qmtest::CountEntries(dir.Path()), 1);

    // The move fails too while the old file is still there: it stays.
    {
        HooksGuard hooks({0, &ReplaceFailsUntouched, &MoveFails});
        ExpectFailedSave(dir.Path(), path, kNew, kOld);
    }

    // The old file is gone and the new one cannot take its place: it is kept
    // and named, as it may be the only copy.
    HooksGuard hooks({0, &ReplaceFailsAfterRemovingTarget, &MoveFails});
    const std::string message = ErrorOf([&] { qm::SaveDocumentFile(path, kOld); });
    EXPECT_TRUE(Contains(message, path));
    ASSERT_EQ(qmtest::CountEntries(dir.Path()), 2);  // page.htm.gone and the kept file
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(dir.File("~qm*").c_str(), &found);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    FindClose(find);
    EXPECT_TRUE(Contains(message, dir.File(found.cFileName)));
    EXPECT_EQ(qmtest::ReadBytes(dir.File(found.cFileName)), kOld);
}

}  // namespace

namespace {

TEST(SaveDocumentFile, ThroughASymbolicLinkTheTargetIsSavedAndTheLinkStays) {
    qmtest::TempDir dir;
    const std::string target = dir.File("target.htm"), link = dir.File("link.htm"), other = dir.File("other.htm");
    qmtest::WriteBytes(target, kOld);
    ASSERT_TRUE(docfiletest::MakeSymbolicLink(link, target) && docfiletest::MakeSymbolicLink(other, target));
    qm::SaveDocumentFile(link, kNew);
    EXPECT_EQ(qmtest::ReadBytes(target), kNew);
    EXPECT_EQ(qmtest::ReadBytes(other), kNew) << "another link to the file still finds it";
    qmtest::WriteBytes(target, kOld);
    EXPECT_EQ(qmtest::ReadBytes(link), kOld) << "still a link (Wine shows no reparse point)";
}

TEST(SaveDocumentFile, LeftoversOfStoppedSavesGoAtTheNextSaveIntoTheirFolder) {
    qmtest::TempDir dir;
    // No process has the id 2147483632: its saves stopped with it.
    const std::vector<std::string> kept = {"~qm" + std::to_string(GetCurrentProcessId()) + "-99999.tmp",
                                           "~qm2147483632-8.page.htm.bak", "~qmnotes.tmp", "~qm12-1.tmp.txt"};
    for (const auto& name : kept) qmtest::WriteBytes(dir.File(name), "kept");
    qmtest::WriteBytes(dir.File("~qm2147483632-7.tmp"), LongText());
    qm::SaveDocumentFile(dir.File("page.htm"), kNew);
    EXPECT_FALSE(qmtest::FileExists(dir.File("~qm2147483632-7.tmp")));
    for (const auto& name : kept) EXPECT_EQ(qmtest::ReadBytes(dir.File(name)), "kept") << name;
}

}  // namespace
