#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "app/DocumentFile.h"

namespace {

// Names here are plain ASCII, so widening byte by byte is enough.
std::wstring Extended(const std::string& path) { return L"\\\\?\\" + std::wstring(path.begin(), path.end()); }

TEST(DocumentFile, PathsLongerThanMaxPathWork) {
    qmtest::TempDir dir;
    std::string folder = dir.Path();
    std::vector<std::string> folders;
    while (folder.size() < MAX_PATH + 20) {
        folder += "\\" + std::string(60, static_cast<char>('a' + folders.size()));
        ASSERT_TRUE(CreateDirectoryW(Extended(folder).c_str(), nullptr)) << GetLastError();
        folders.push_back(folder);
    }
    const std::string path = folder + "\\page.htm";
    ASSERT_GT(path.size(), static_cast<std::size_t>(MAX_PATH));

    qm::SaveDocumentFile(path, "new\r\n");
    EXPECT_TRUE(qm::ReadDocumentFile(path).Text == u"new\r\n");
    qm::SaveDocumentFile(path, "saved\nagain");
    EXPECT_TRUE(qm::ReadDocumentFile(path).Text == u"saved\r\nagain");

    // Nothing but the file in the deepest folder; then clean up by hand,
    // as the temporary folder's own removal cannot reach this deep.
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((Extended(folder) + L"\\*").c_str(), &found);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    int entries = 0;
    do {
        if (std::wstring(found.cFileName) != L"." && std::wstring(found.cFileName) != L"..") ++entries;
    } while (FindNextFileW(find, &found));
    FindClose(find);
    EXPECT_EQ(entries, 1);
    EXPECT_TRUE(DeleteFileW(Extended(path).c_str()));
    for (auto it = folders.rbegin(); it != folders.rend(); ++it) {
        EXPECT_TRUE(RemoveDirectoryW(Extended(*it).c_str()));
    }
}

}  // namespace
