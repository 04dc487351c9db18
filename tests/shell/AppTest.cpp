#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "shell/CBytewhirlApp.h"
#include "shell/headless/HeadlessForm.h"

namespace quibo {
namespace {

// Files, prompts and settings in memory.
class FakePlatform : public AppPlatform {
public:
    std::optional<std::string> PromptOpen() override { return Next(); }
    std::optional<std::string> PromptSaveAs() override { return Next(); }
    OpenResult OpenForReading(const std::string& path) override
    {
        if (unreadable.count(path))
            return OpenResult::Failed;
        return files.count(path) ? OpenResult::Opened : OpenResult::NotFound;
    }
    bool CreateEmpty(const std::string& path) override
    {
        if (uncreatable.count(path))
            return false;
        files[path] = "";
        return true;
    }
    std::string FullPath(const std::string& path) override { return path.starts_with("/") ? path : "/cwd/" + path; }
    void ErrorBox(const std::string& text) override { errors.push_back(text); }
    void SetCaption(const std::string& text) override { caption = text; }
    std::vector<std::string> ReadRecentFiles() override { return settings; }
    void UpdateRecentFiles(const RecentFileUpdate& update) override
    {
        if (const auto list = update(settings)) {
            settings = *list;
            ++writes;
        }
    }

    std::optional<std::string> Next()
    {
        if (answers.empty())
            return std::nullopt;
        std::optional<std::string> answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }

    std::vector<std::optional<std::string>> answers;  // what the prompts answer, in turn
    std::map<std::string, std::string> files;
    std::set<std::string> unreadable;
    std::set<std::string> uncreatable;
    std::vector<std::string> errors;
    std::vector<std::string> settings;
    int writes = 0;
    std::string caption;
};

class AppTest : public ::testing::Test {
protected:
    AppTest() { form.SetTarget(&view); }

    FakePlatform platform;
    CBytewhirlDoc document;
    HeadlessForm form{kForm101};
    CBytewhirlView view{document, form};
    CBytewhirlApp app{platform, document, view};
};

TEST_F(AppTest, CaptionFollowsTheDocumentTitle)
{
    ASSERT_TRUE(app.InitInstance(std::nullopt));
    EXPECT_EQ(platform.caption, " - Quibo");
    platform.files["/home/u/calc.txt"] = "content";
    platform.answers = {"/home/u/calc.txt"};
    app.OnFileOpen();
    EXPECT_EQ(platform.caption, "calc.txt - Quibo");
    app.OnFileNew();
    EXPECT_EQ(platform.caption, " - Quibo");
    EXPECT_EQ(document.GetPathName(), "");
}

TEST_F(AppTest, OpenReportsMissingAndUnreadableFilesAndKeepsTheDocument)
{
    ASSERT_TRUE(app.InitInstance(std::nullopt));
    platform.unreadable.insert("/dir");
    platform.answers = {"gone.txt", "/dir", std::nullopt};
    app.OnFileOpen();
    app.OnFileOpen();
    app.OnFileOpen();  // cancelled: nothing
    EXPECT_EQ(platform.errors, (std::vector<std::string>{"/cwd/gone.txt was not found.", "Failed to open document."}));
    EXPECT_EQ(platform.caption, " - Quibo");
    EXPECT_TRUE(app.RecentFiles().empty());
}

TEST_F(AppTest, AMissingFileOnTheCommandLineFailsStartUp)
{
    EXPECT_FALSE(app.InitInstance(std::string("/nowhere")));
    EXPECT_EQ(platform.errors, (std::vector<std::string>{"/nowhere was not found."}));
}

TEST_F(AppTest, SaveCreatesAnEmptyFileOnceAndNeverTouchesItAgain)
{
    ASSERT_TRUE(app.InitInstance(std::nullopt));
    platform.uncreatable.insert("/ro/x");
    platform.answers = {"/ro/x", "/home/u/new.qb", "/home/u/other"};
    app.OnFileSave();
    EXPECT_EQ(platform.errors, (std::vector<std::string>{"Failed to save document."}));
    EXPECT_EQ(platform.caption, " - Quibo");
    app.OnFileSave();
    EXPECT_EQ(platform.caption, "new.qb - Quibo");
    EXPECT_EQ(platform.files.at("/home/u/new.qb"), "");
    platform.files["/home/u/new.qb"] = "written since";
    app.OnFileSave();  // has a path: nothing is asked or written
    EXPECT_EQ(platform.files.at("/home/u/new.qb"), "written since");
    EXPECT_EQ(platform.answers.size(), 1u);
}

TEST_F(AppTest, RecentFilesHoldFourMostRecentFirstWithoutRepeats)
{
    platform.settings = {"/a", "", "/b", "/a", "/c", "/d", "/e"};
    ASSERT_TRUE(app.InitInstance(std::nullopt));
    EXPECT_EQ(app.RecentFiles(), (std::vector<std::string>{"/a", "/b", "/c", "/d"}));
    platform.files["/c"] = "";
    platform.files["/z"] = "";
    platform.answers = {"/c", "/z"};
    app.OnFileOpen();
    app.OnFileOpen();
    app.ExitInstance();
    EXPECT_EQ(platform.settings, (std::vector<std::string>{"/z", "/c", "/a", "/b"}));
}

TEST_F(AppTest, TheListIsStoredOnlyWhenItChanges)
{
    platform.settings = {"/a", "/b"};
    ASSERT_TRUE(app.InitInstance(std::nullopt));
    app.ExitInstance();  // nothing opened
    EXPECT_EQ(platform.writes, 0);
    platform.files["/a"] = "";
    platform.answers = {"/a"};
    app.OnFileOpen();  // already first
    app.ExitInstance();
    EXPECT_EQ(platform.writes, 0);
    EXPECT_EQ(platform.settings, (std::vector<std::string>{"/a", "/b"}));
}

TEST_F(AppTest, TwoInstancesKeepWhatEachOpened)
{
    // Both start from the same list; the other one exits first.
    platform.settings = {"/a", "/b", "/c"};
    ASSERT_TRUE(app.InitInstance(std::nullopt));
    platform.files["/mine"] = "";
    platform.files["/b"] = "";
    platform.answers = {"/mine", "/b"};
    app.OnFileOpen();
    app.OnFileOpen();
    platform.settings = {"/theirs", "/a", "/b", "/c"};
    app.ExitInstance();
    EXPECT_EQ(platform.settings, (std::vector<std::string>{"/b", "/mine", "/theirs", "/a"}));
}

TEST_F(AppTest, OpenRunsTheInitialUpdateButChangesNoValue)
{
    ASSERT_TRUE(app.InitInstance(std::nullopt));
    form.Click(IDC_KEY_5);
    form.Click(IDC_KEY_ADD);
    form.Click(IDC_KEY_3);
    form.Click(IDC_KEY_EQUALS);
    platform.files["/f"] = "";
    platform.answers = {"/f"};
    app.OnFileOpen();
    EXPECT_EQ(form.GetDlgItemText(IDC_DISPLAY), "");
    EXPECT_EQ(form.GetDlgItemText(IDC_HEX_EDIT), "00000000");  // the empty DECIMAL converted again
    form.Click(IDC_KEY_EQUALS);
    EXPECT_EQ(form.GetDlgItemText(IDC_DISPLAY), "8");
}

}  // namespace
}  // namespace quibo
