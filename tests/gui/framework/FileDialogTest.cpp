// The file dialog's own rules that need no dialog on screen: joining the
// folder and names it returns, and reading the names in its file-name box.

#include <gtest/gtest.h>

#include "CFileDialog.h"

namespace {

TEST(FileDialogPaths, FolderAndNameJoinWithExactlyOneBackslash)
{
    EXPECT_EQ("C:\\texts\\a.txt", AfxJoinPath("C:\\texts", "a.txt"));
    EXPECT_EQ("C:\\a.txt", AfxJoinPath("C:\\", "a.txt"));  // a drive's root keeps one
    EXPECT_EQ("\\\\server\\share\\a.txt", AfxJoinPath("\\\\server\\share", "a.txt"));
    EXPECT_EQ("a.txt", AfxJoinPath("", "a.txt"));
}

TEST(FileDialogPaths, TheFileNameBoxHoldsOneNameOrSeveralQuoted)
{
    using Names = std::vector<CString>;
    EXPECT_EQ(Names{"a.txt"}, AfxSplitFileSpec("a.txt"));
    EXPECT_EQ(Names{"my file.txt"}, AfxSplitFileSpec("my file.txt"));
    EXPECT_EQ((Names{"b.txt", "c d.txt"}), AfxSplitFileSpec("\"b.txt\" \"c d.txt\""));
    EXPECT_EQ((Names{"b.txt"}), AfxSplitFileSpec("\"b.txt\" \"unclosed"));
    EXPECT_EQ(Names{}, AfxSplitFileSpec(""));
}

}  // namespace
