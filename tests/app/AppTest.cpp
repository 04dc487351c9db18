#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "hosts/headless/HeadlessApp.h"
#include "res/Menu.h"
#include "platform/CommandIds.h"
#include "res/Templates.h"

namespace quibo {
namespace {

class AppTest : public ::testing::Test {
protected:
    HeadlessApp headless{HeadlessApp::kNotStarted};
    HeadlessAppPlatform& platform = headless.Platform();
    CBytewhirlApp& app = headless.App();
    HeadlessForm& form = headless.Form();
    CBytewhirlDoc& document = headless.Document();
};

TEST(Routing, EveryMenuItemAndAcceleratorReachesAHandlerAndEveryHandlerIsReached)
{
    std::set<int> reached;
    std::set<int> items;
    for (const MenuEntry& entry : Menu128()) {
        if (entry.id != 0)
            items.insert(entry.id);
    }
    reached = items;
    for (const Accelerator& accelerator : Accelerators128())
        reached.insert(accelerator.command);
    std::set<int> handled;
    for (const auto& route : CMainFrame::CommandTable())
        handled.insert(route.id);
    for (const auto& route : CBytewhirlApp::CommandTable())
        handled.insert(route.id);
    EXPECT_EQ(reached, handled);
    // A check mark is updated only on an item that exists.
    for (const auto& route : CMainFrame::UpdateTable())
        EXPECT_TRUE(items.contains(route.id)) << route.id;
}

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
    platform.recentFiles = {"/a", "", "/b", "/a", "/c", "/d", "/e"};
    ASSERT_TRUE(app.InitInstance(std::nullopt));
    EXPECT_EQ(app.RecentFiles(), (std::vector<std::string>{"/a", "/b", "/c", "/d"}));
    platform.files["/c"] = "";
    platform.files["/z"] = "";
    platform.answers = {"/c", "/z"};
    app.OnFileOpen();
    app.OnFileOpen();
    app.ExitInstance();
    EXPECT_EQ(platform.recentFiles, (std::vector<std::string>{"/z", "/c", "/a", "/b"}));
}

TEST_F(AppTest, OpenAndSaveAsStoreTheListAtOnce)
{
    // A session that never reaches its exit (a crash, a lost display)
    // keeps what it opened.
    platform.recentFiles = {"/a"};
    ASSERT_TRUE(app.InitInstance(std::nullopt));
    platform.files["/b"] = "";
    platform.answers = {"/b", "/new"};
    app.OnFileOpen();
    EXPECT_EQ(platform.recentFiles, (std::vector<std::string>{"/b", "/a"}));
    app.OnFileNew();
    app.OnFileSave();
    EXPECT_EQ(platform.recentFiles, (std::vector<std::string>{"/new", "/b", "/a"}));
    EXPECT_EQ(platform.recentFileWrites, 2);
    app.ExitInstance();
    EXPECT_EQ(platform.recentFileWrites, 2);
    // Each prompt starts in the most recent file's folder.
    EXPECT_EQ(platform.promptFolders, (std::vector<std::string>{"/", "/"}));
    platform.answers = {"/home/u/f", std::nullopt};
    platform.files["/home/u/f"] = "";
    app.OnFileOpen();
    app.OnFileOpen();
    EXPECT_EQ(platform.promptFolders.back(), "/home/u");
}

TEST_F(AppTest, TheListIsStoredOnlyWhenItChanges)
{
    platform.recentFiles = {"/a", "/b"};
    ASSERT_TRUE(app.InitInstance(std::nullopt));
    app.ExitInstance();  // nothing opened
    EXPECT_EQ(platform.recentFileWrites, 0);
    platform.files["/a"] = "";
    platform.answers = {"/a"};
    app.OnFileOpen();  // already first
    app.ExitInstance();
    EXPECT_EQ(platform.recentFileWrites, 0);
    EXPECT_EQ(platform.recentFiles, (std::vector<std::string>{"/a", "/b"}));
}

TEST_F(AppTest, TwoInstancesKeepWhatEachOpened)
{
    // Both start from the same list; the other one exits first.
    platform.recentFiles = {"/a", "/b", "/c"};
    ASSERT_TRUE(app.InitInstance(std::nullopt));
    platform.files["/mine"] = "";
    platform.files["/b"] = "";
    platform.answers = {"/mine", "/b"};
    app.OnFileOpen();
    app.OnFileOpen();
    platform.recentFiles = {"/theirs", "/a", "/b", "/c"};
    app.ExitInstance();
    EXPECT_EQ(platform.recentFiles, (std::vector<std::string>{"/b", "/mine", "/theirs", "/a"}));
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

TEST_F(AppTest, TheFramesAndTheApplicationsCommandsRunHeadless)
{
    ASSERT_TRUE(app.InitInstance(std::nullopt));
    HeadlessFrame& frame = headless.FrameWindow();
    // From start: no sizing border, no maximize box; not topmost.
    EXPECT_EQ(frame.style, WS_BORDER);
    EXPECT_FALSE(frame.topmost);

    const std::pair<int, std::function<bool()>> toggles[] = {
        {ID_VIEW_REMOVE_BORDER, [&] { return !(frame.style & WS_BORDER); }},
        {ID_VIEW_TOPMOST, [&] { return frame.topmost; }},
        {ID_VIEW_STATUS_BAR, [&] { return !frame.statusBarVisible; }},
    };
    for (const auto& [id, changed] : toggles) {
        for (int round = 0; round < 2; ++round) {
            ASSERT_TRUE(app.OnCmdMsg(id));
            const bool on = round == 0;
            EXPECT_EQ(changed(), on) << id;
            // The status bar's item is checked while the bar shows; the
            // others while their change is in force.
            EXPECT_EQ(app.MenuCheck(id), id == ID_VIEW_STATUS_BAR ? !on : on) << id;
        }
    }

    // Make Topmost is enabled only where a window may stay on top.
    EXPECT_TRUE(app.MenuState(ID_VIEW_TOPMOST).enabled);
    frame.canStayOnTop = false;
    EXPECT_FALSE(app.MenuState(ID_VIEW_TOPMOST).enabled);
    EXPECT_TRUE(app.MenuState(ID_VIEW_REMOVE_BORDER).enabled);

    ASSERT_TRUE(app.OnCmdMsg(ID_HELP_INSTRUCTIONS));
    ASSERT_TRUE(app.OnCmdMsg(ID_APP_ABOUT));
    EXPECT_EQ(frame.dialogsShown, (std::vector<int>{kDialog131.resourceId, kDialog100.resourceId}));
    EXPECT_EQ(app.MenuCheck(ID_APP_ABOUT), -1);
    EXPECT_TRUE(app.OnCmdMsg(ID_NEXT_PANE));
    EXPECT_FALSE(app.OnCmdMsg(0));
    ASSERT_TRUE(app.OnCmdMsg(ID_APP_EXIT));
    EXPECT_TRUE(platform.mainWindowClosed);
}

TEST_F(AppTest, TheBitsPanelIsKeptInTheSettingsAndFollowsTheValue)
{
    // Shown before the initial update, so that the window fits it at once.
    platform.bitsShown = true;
    ASSERT_TRUE(app.InitInstance(std::nullopt));
    HeadlessFrame& frame = headless.FrameWindow();
    EXPECT_TRUE(frame.bitsPanelVisible);
    EXPECT_EQ(app.MenuCheck(ID_VIEW_BITS), 1);
    ASSERT_TRUE(app.OnCmdMsg(ID_VIEW_BITS));
    EXPECT_FALSE(frame.bitsPanelVisible);
    EXPECT_FALSE(platform.bitsShown);
    EXPECT_EQ(app.MenuCheck(ID_VIEW_BITS), 0);

    // Typing, a Data Type command and the refused change back all reach it.
    ASSERT_TRUE(form.Focus(IDC_DECIMAL_EDIT));
    ASSERT_TRUE(form.Type("-2"));
    EXPECT_EQ(form.Bits().value, 0xFFFFFFFEu);
    ASSERT_TRUE(headless.ChooseDataType("char"));
    EXPECT_EQ(form.Bits().value, 0xFEu);
    EXPECT_EQ(form.Bits().roles[8], BitRole::Beyond);
    ASSERT_TRUE(headless.ChooseDataType("float"));
    EXPECT_EQ(form.Bits().value, 0xC0000000u);  // -2.0f
    ASSERT_TRUE(headless.ChooseDataType("long"));
    EXPECT_EQ(form.Bits().value, 0u);
}

TEST_F(AppTest, EditKeysActOnTheFocusedField)
{
    ASSERT_TRUE(app.InitInstance(std::nullopt));
    platform.clipboard = "12";
    app.OnCmdMsg(ID_EDIT_PASTE);  // no field focused: nothing
    EXPECT_EQ(form.GetDlgItemText(IDC_DECIMAL_EDIT), "");
    ASSERT_TRUE(form.Focus(IDC_DECIMAL_EDIT));
    form.Type("3");
    app.OnCmdMsg(ID_EDIT_PASTE);
    EXPECT_EQ(form.GetDlgItemText(IDC_DECIMAL_EDIT), "312");
    EXPECT_EQ(form.GetDlgItemText(IDC_HEX_EDIT), "00000138");  // converted as typing is
    app.OnCmdMsg(ID_EDIT_UNDO);
    EXPECT_EQ(form.GetDlgItemText(IDC_DECIMAL_EDIT), "3");
    EXPECT_EQ(form.GetDlgItemText(IDC_HEX_EDIT), "00000003");
    // Nothing is selected here: Cut and Copy take nothing.
    app.OnCmdMsg(ID_EDIT_CUT);
    app.OnCmdMsg(ID_EDIT_COPY);
    EXPECT_EQ(form.GetDlgItemText(IDC_DECIMAL_EDIT), "3");
    EXPECT_EQ(platform.clipboard, "12");

    // What the program set cannot be undone, nor what came before it.
    form.Type("4");
    form.Click(IDC_KEY_CLEAR);
    ASSERT_TRUE(form.Focus(IDC_DECIMAL_EDIT));
    app.OnCmdMsg(ID_EDIT_UNDO);
    EXPECT_EQ(form.GetDlgItemText(IDC_DECIMAL_EDIT), "");
}

TEST_F(AppTest, CopyWithoutAFieldCopiesTheResultReadyToPaste)
{
    ASSERT_TRUE(app.InitInstance(std::nullopt));
    platform.clipboard = "kept";
    // Nothing shown yet: the clipboard keeps what it had.
    app.OnCmdMsg(ID_EDIT_COPY);
    app.CopyResult(IDC_BINARY);
    EXPECT_EQ(platform.clipboard, "kept");

    form.Click(IDC_KEY_F);
    form.Click(IDC_KEY_0);
    ASSERT_EQ(form.GetDlgItemText(IDC_DISPLAY), "F0");
    app.OnCmdMsg(ID_EDIT_COPY);  // a key has the focus
    EXPECT_EQ(platform.clipboard, "F0");
    app.CopyResult(IDC_BINARY);
    EXPECT_EQ(platform.clipboard, "00000000000000000000000011110000");

    // A double's two lines of BINARY are one run of 64 digits.
    app.OnCmdMsg(ID_TYPE_DOUBLE);
    ASSERT_TRUE(form.Focus(IDC_DECIMAL_EDIT));
    form.ClearField();
    form.Type("-2");
    ASSERT_NE(form.GetDlgItemText(IDC_BINARY).find('\n'), std::string::npos);
    app.CopyResult(IDC_BINARY);
    EXPECT_EQ(platform.clipboard, "1100000000000000000000000000000000000000000000000000000000000000");
    // With a field focused, Copy is the field's: nothing is selected here.
    app.OnCmdMsg(ID_EDIT_COPY);
    EXPECT_EQ(platform.clipboard, "1100000000000000000000000000000000000000000000000000000000000000");
}

TEST_F(AppTest, TheInspectorIsKeptInTheSettingsAndReadsOnlyWhileShown)
{
    platform.inspectorShown = true;
    ASSERT_TRUE(app.InitInstance(std::nullopt));
    HeadlessFrame& frame = headless.FrameWindow();
    EXPECT_TRUE(frame.inspectorVisible);
    EXPECT_EQ(app.MenuCheck(ID_VIEW_INSPECTOR), 1);
    EXPECT_EQ(frame.readings.widthBits, 32);
    ASSERT_TRUE(headless.ChooseDataType("float"));
    ASSERT_TRUE(form.Focus(IDC_HEX_EDIT));
    form.ClearField();
    ASSERT_TRUE(form.Type("3F800000"));
    ASSERT_EQ(frame.readings.rows.size(), 6u);
    EXPECT_EQ(frame.readings.rows[2], (InspectorRow{"float", "1", "4.6006e-41"}));

    // Hidden, it is given nothing; shown again, the value of that moment.
    ASSERT_TRUE(app.OnCmdMsg(ID_VIEW_INSPECTOR));
    EXPECT_FALSE(platform.inspectorShown);
    EXPECT_EQ(app.MenuCheck(ID_VIEW_INSPECTOR), 0);
    const int given = frame.readingsGiven;
    ASSERT_TRUE(headless.ChooseDataType("unsigned char"));
    ASSERT_TRUE(form.Click(IDC_KEY_BYTE_ORDER));
    EXPECT_EQ(frame.readingsGiven, given);
    ASSERT_TRUE(app.OnCmdMsg(ID_VIEW_INSPECTOR));
    EXPECT_EQ(frame.readings.widthBits, 8);
    EXPECT_EQ(frame.readings.rows.back(), (InspectorRow{"character", "'\\0'", ""}));
}

}  // namespace
}  // namespace quibo
