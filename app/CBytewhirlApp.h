#pragma once

#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "calc/CBytewhirlDoc.h"
#include "app/CBytewhirlView.h"
#include "app/CMainFrame.h"
#include "platform/AppPlatform.h"
#include "platform/FormWindow.h"
#include "platform/FrameWindow.h"
#include "platform/RoutingTable.h"
#include "platform/StatusBarWindow.h"

namespace quibo {

// The application: it owns the document, the form's view and the main
// frame, made on the windows a host gives it, and answers start-up, About,
// New, Open, Save, Exit, the caption, the recent-file list and the edit
// keys. The document has no content: Open reads nothing and Save writes
// nothing.
class CBytewhirlApp {
public:
    CBytewhirlApp(AppPlatform& platform, FormWindow& form, StatusBarWindow& statusBar, FrameWindow& frame);
    CBytewhirlApp(const CBytewhirlApp&) = delete;
    CBytewhirlApp& operator=(const CBytewhirlApp&) = delete;

    CBytewhirlDoc& Document() { return m_document; }
    CBytewhirlView& View() { return m_view; }
    CMainFrame& Frame() { return m_frame; }

    // A menu or accelerator command, routed as the framework routes it: the
    // view and the document handle none, so the frame first, then the
    // application. False when nothing handles the id.
    bool OnCmdMsg(int id);
    // A menu item as its update handler leaves it: the check mark (1 or 0,
    // or -1 when the item has none) and whether it is enabled.
    CheckRecorder MenuState(int id);
    int MenuCheck(int id) { return MenuState(id).check; }
    static std::span<const CommandRoute<CBytewhirlApp>> CommandTable();

    // Reads the recent-file list and shows the Bits panel if it was shown,
    // then carries out the command line: New,
    // or Open of the named file. False when that fails; start-up then ends.
    // A file opened here joins the list in memory only: storing it may wait
    // for the disk, so the host calls KeepRecentFiles once the window shows.
    bool InitInstance(const std::optional<std::string>& fileName);
    // Stores the files this session opened or saved in front of the list as
    // it is stored now (another instance may have changed it); stores
    // nothing when that changes nothing. Open and Save As call it too, so
    // that a session that never reaches its exit keeps them.
    void KeepRecentFiles();
    // At exit, the same.
    void ExitInstance();

    void OnAppAbout();
    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();
    void OnAppExit();
    // The edit keys act on the HEX or DECIMAL field that has the focus, as
    // in any text field. With neither focused, Copy copies the display and
    // the others do nothing.
    void OnEditUndo();
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    // The framework view's pane keys: one unsplit view has no pane to go to.
    void OnNextPane() {}
    void OnPrevPane() {}

    // Puts a result on the clipboard: the display as shown, or BINARY's
    // digits without blanks or line break, ready to paste into code. An
    // empty result leaves the clipboard as it is.
    void CopyResult(ControlId id);
    // A value as code writes it (calc/CodeText.h), at the current type: the
    // display's (empty while the display is), or for BINARY the converter's.
    std::string CodeOf(ControlId id);
    // Copy as Code: CodeOf(id) on the clipboard, unless it is empty.
    void CopyAsCode(ControlId id);

    // "<title> - Quibo"; " - Quibo" while the title is empty.
    std::string Caption() const;
    const std::vector<std::string>& RecentFiles() const { return m_recentFiles; }

    // The first four names of lists, in order, without repeats or empty
    // names: what every recent-file list holds.
    static std::vector<std::string> RecentList(std::initializer_list<std::vector<std::string>> lists);
    // The list to store: the session's files, most recent first, then the
    // stored ones. Nothing when that is stored.
    static std::optional<std::vector<std::string>> MergeRecentFiles(const std::vector<std::string>& session,
                                                                    const std::vector<std::string>& stored);

private:
    bool OpenDocumentFile(const std::string& path);
    void SetPathName(const std::string& path);
    void AddToRecentFileList(const std::string& path);
    // Where the file prompts start: the most recent file's folder.
    std::string PromptFolder() const;
    void ReinitialiseForm();
    EditControl* FocusedField();

    AppPlatform& m_platform;
    FormWindow& m_form;
    FrameWindow& m_frameWindow;
    CBytewhirlDoc m_document;
    CBytewhirlView m_view;
    CMainFrame m_frame;
    std::vector<std::string> m_recentFiles;
    std::vector<std::string> m_sessionFiles;  // most recent first
    bool m_startingUp = false;
};

}  // namespace quibo
