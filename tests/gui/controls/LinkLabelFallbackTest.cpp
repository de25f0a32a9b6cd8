// The link label's fallback when the shell cannot open a target: the open
// command of web pages read from the registry (written here into a key of the
// test's own under HKEY_CURRENT_USER), and the command line made from it.
// Values that do not fit fail cleanly: nothing is overrun, nothing unread used.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "CLinkLabel.h"

namespace {

constexpr const char* kTarget = "http://example.org/";

// A stand-in for HKEY_CLASSES_ROOT: a fresh key of the test's own.
class ClassesRoot {
public:
    ClassesRoot()
    {
        m_path = "Software\\tessiva-tests\\classes-" + std::to_string(::GetCurrentProcessId());
        ::RegCreateKeyExA(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &m_root, nullptr);
    }
    ~ClassesRoot()
    {
        ::RegCloseKey(m_root);
        DeleteTree(HKEY_CURRENT_USER, m_path);
        ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\tessiva-tests");
    }
    HKEY Key() const { return m_root; }

    // Sets the default value of `subkey` as `type`, `size` bytes of `data`.
    void Set(const std::string& subkey, DWORD type, const void* data, DWORD size)
    {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(m_root, subkey.c_str(), 0, nullptr, 0,
                                                   KEY_ALL_ACCESS, nullptr, &key, nullptr));
        ASSERT_EQ(ERROR_SUCCESS,
                  ::RegSetValueExA(key, nullptr, 0, type, static_cast<const BYTE*>(data), size));
        ::RegCloseKey(key);
    }
    void SetText(const std::string& subkey, const std::string& text)
    {
        Set(subkey, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
    }
    // The usual pair: ".htm" names the class, the class names its open command.
    void SetOpenCommand(const std::string& command)
    {
        SetText(".htm", "tessiva.page");
        SetText("tessiva.page\\shell\\open\\command", command);
    }

private:
    static void DeleteTree(HKEY parent, const std::string& path)
    {
        HKEY key = nullptr;
        if (::RegOpenKeyExA(parent, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
            return;
        char name[MAX_PATH];
        while (::RegEnumKeyA(key, 0, name, sizeof(name)) == ERROR_SUCCESS)
            DeleteTree(key, name);
        ::RegCloseKey(key);
        ::RegDeleteKeyA(parent, path.c_str());
    }

    std::string m_path;
    HKEY m_root = nullptr;
};

// The command line the fallback would start for the command in `root`.
std::string CommandLineFor(HKEY root, const char* target = kTarget)
{
    char command[2 * MAX_PATH];
    std::memset(command, '#', sizeof(command));
    if (CLinkLabel::ReadWebPageCommand(root, command, sizeof(command)) != ERROR_SUCCESS)
        return "(no command)";
    char line[2 * MAX_PATH];
    if (!CLinkLabel::BuildOpenCommandLine(command, target, line, sizeof(line)))
        return "(does not fit)";
    return line;
}

TEST(LinkLabelFallback, ThePlaceholderAndWhatFollowsItGiveWayToTheTarget)
{
    struct Case {
        const char* command;
        const char* line;
    };
    const Case cases[] = {
        // Quoted: cut at the opening quote; the blank before it stays.
        {"C:\\Browser\\browse.exe \"%1\"", "C:\\Browser\\browse.exe  http://example.org/"},
        // Bare: the same after a blank.
        {"C:\\Browser\\browse.exe %1", "C:\\Browser\\browse.exe  http://example.org/"},
        // None: the target is appended after one blank.
        {"C:\\Browser\\browse.exe -new -window",
         "C:\\Browser\\browse.exe -new -window http://example.org/"},
        // Whatever follows the placeholder goes too.
        {"\"C:\\Program Files\\Browser\\browse.exe\" -url \"%1\" -nohome",
         "\"C:\\Program Files\\Browser\\browse.exe\" -url  http://example.org/"},
        // A quoted placeholder anywhere wins over an earlier bare one.
        {"browse.exe -a %1 -b \"%1\"", "browse.exe -a %1 -b  http://example.org/"},
    };
    for (const Case& c : cases) {
        ClassesRoot root;
        root.SetOpenCommand(c.command);
        EXPECT_EQ(c.line, CommandLineFor(root.Key())) << c.command;
    }
}

TEST(LinkLabelFallback, AMissingClassOrCommandGivesNoCommand)
{
    ClassesRoot root;
    char out[2 * MAX_PATH] = "unchanged";
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, CLinkLabel::ReadWebPageCommand(root.Key(), out, sizeof(out)));
    EXPECT_STREQ("", out);
    root.SetText(".htm", "tessiva.page");
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, CLinkLabel::ReadWebPageCommand(root.Key(), out, sizeof(out)));
    EXPECT_STREQ("", out);
    // A key without a default value.
    root.Set("tessiva.page\\shell\\open\\command", REG_SZ, "", 0);
    HKEY command = nullptr;
    ::RegOpenKeyExA(root.Key(), "tessiva.page\\shell\\open\\command", 0, KEY_ALL_ACCESS, &command);
    ::RegDeleteValueA(command, nullptr);
    ::RegCloseKey(command);
    EXPECT_NE(ERROR_SUCCESS, CLinkLabel::ReadWebPageCommand(root.Key(), out, sizeof(out)));
    EXPECT_STREQ("", out);
}

TEST(LinkLabelFallback, ValuesThatDoNotFitTheirBuffersFailCleanly)
{
    ClassesRoot root;
    const std::string longest(MAX_PATH - 1, 'c');  // 259 bytes and the terminator: fits
    root.SetOpenCommand(longest);
    char out[2 * MAX_PATH];
    EXPECT_EQ(ERROR_SUCCESS, CLinkLabel::ReadWebPageCommand(root.Key(), out, sizeof(out)));
    EXPECT_EQ(longest, out);

    root.SetOpenCommand(longest + "c");
    std::memset(out, '#', sizeof(out));
    EXPECT_NE(ERROR_SUCCESS, CLinkLabel::ReadWebPageCommand(root.Key(), out, sizeof(out)));
    EXPECT_STREQ("", out);

    // A class name too long for its buffer.
    root.SetText(".htm", std::string(400, 'k'));
    EXPECT_NE(ERROR_SUCCESS, CLinkLabel::ReadWebPageCommand(root.Key(), out, sizeof(out)));
    EXPECT_STREQ("", out);

    // An output buffer smaller than the value.
    root.SetText("small", "0123456789");
    char small[8];
    EXPECT_NE(ERROR_SUCCESS, CLinkLabel::ReadClassesRootValue(root.Key(), "small", small, sizeof(small)));
    EXPECT_STREQ("", small);
}

TEST(LinkLabelFallback, AValueStoredWithoutItsTerminatorIsReadWithoutTheBytesAfterIt)
{
    ClassesRoot root;
    const std::string command = "C:\\Browser\\browse.exe";
    root.SetText(".htm", "tessiva.page");
    root.Set("tessiva.page\\shell\\open\\command", REG_SZ, command.data(),
             static_cast<DWORD>(command.size()));
    EXPECT_EQ(command + " " + kTarget, CommandLineFor(root.Key()));
}

TEST(LinkLabelFallback, OnlyTextValuesCountAndExpandableOnesAreExpanded)
{
    ClassesRoot root;
    root.SetText(".htm", "tessiva.page");
    const DWORD number = 7;
    root.Set("tessiva.page\\shell\\open\\command", REG_DWORD, &number, sizeof(number));
    EXPECT_EQ("(no command)", CommandLineFor(root.Key()));

    const std::string expandable = "%SystemRoot%\\browse.exe \"%1\"";
    root.Set("tessiva.page\\shell\\open\\command", REG_EXPAND_SZ, expandable.c_str(),
             static_cast<DWORD>(expandable.size() + 1));
    char windows[MAX_PATH] = {};
    ::GetEnvironmentVariableA("SystemRoot", windows, MAX_PATH);
    EXPECT_EQ(std::string(windows) + "\\browse.exe  " + kTarget, CommandLineFor(root.Key()));
}

TEST(LinkLabelFallback, ACommandLineLongerThanItsBufferIsNotMade)
{
    const std::string command(MAX_PATH - 1, 'c');
    char line[2 * MAX_PATH];
    // 259 + blank + 259 + terminator: exactly 520 bytes.
    const std::string fits(MAX_PATH - 1, 't');
    ASSERT_TRUE(CLinkLabel::BuildOpenCommandLine(command.c_str(), fits.c_str(), line, sizeof(line)));
    EXPECT_EQ(command + " " + fits, line);
    const std::string tooLong(MAX_PATH, 't');
    std::memset(line, '#', sizeof(line));
    EXPECT_FALSE(CLinkLabel::BuildOpenCommandLine(command.c_str(), tooLong.c_str(), line, sizeof(line)));
    EXPECT_STREQ("", line);
}

}  // namespace
