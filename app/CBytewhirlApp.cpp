#include "app/CBytewhirlApp.h"

#include <algorithm>
#include <array>

#include "calc/CodeText.h"
#include "numtext/HexText.h"
#include "platform/CommandIds.h"
#include "res/Templates.h"
#include "res/Strings.h"

namespace quibo {

namespace {

using App = CBytewhirlApp;

// The application's commands, in the order of its message map; the frame's
// come before them (CMainFrame::CommandTable).
constexpr auto kCommands = std::to_array<CommandRoute<App>>({
    {ID_APP_ABOUT, &App::OnAppAbout},
    {ID_FILE_NEW, &App::OnFileNew},
    {ID_FILE_OPEN, &App::OnFileOpen},
    {ID_FILE_SAVE, &App::OnFileSave},
    {ID_APP_EXIT, &App::OnAppExit},
    {ID_EDIT_UNDO, &App::OnEditUndo},
    {ID_EDIT_CUT, &App::OnEditCut},
    {ID_EDIT_COPY, &App::OnEditCopy},
    {ID_EDIT_PASTE, &App::OnEditPaste},
    {ID_NEXT_PANE, &App::OnNextPane},
    {ID_PREV_PANE, &App::OnPrevPane},
});

// The name of a file as the desktop shows it: its last path component.
std::string FileTitle(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

CBytewhirlApp::CBytewhirlApp(AppPlatform& platform, FormWindow& form, StatusBarWindow& statusBar, FrameWindow& frame)
    : m_platform(platform),
      m_form(form),
      m_frameWindow(frame),
      m_view(m_document, form, statusBar, frame),
      m_frame(m_document, statusBar, frame, platform)
{
    // The frame exists once the application does.
    m_frame.OnCreate();
}

std::span<const CommandRoute<CBytewhirlApp>> CBytewhirlApp::CommandTable()
{
    return kCommands;
}

bool CBytewhirlApp::OnCmdMsg(int id)
{
    // A Data Type command or New changes what the Bits panel shows.
    const CBytewhirlView::Dispatch dispatch(m_view);
    return m_frame.OnCmdMsg(id) || RouteCommand(CommandTable(), *this, id);
}

CheckRecorder CBytewhirlApp::MenuState(int id)
{
    CheckRecorder recorder;
    m_frame.OnUpdateCmdUI(id, &recorder);
    return recorder;
}

void CBytewhirlApp::OnAppAbout()
{
    m_frameWindow.DoModal(kDialog100);
}

void CBytewhirlApp::OnAppExit()
{
    m_platform.CloseMainWindow();
}

EditControl* CBytewhirlApp::FocusedField()
{
    const std::optional<ControlId> focus = m_form.GetFocus();
    if (focus == IDC_HEX_EDIT)
        return &m_view.m_editHex;
    if (focus == IDC_DECIMAL_EDIT)
        return &m_view.m_editDecimal;
    return nullptr;
}

void CBytewhirlApp::OnEditUndo()
{
    if (EditControl* field = FocusedField())
        field->Undo();
}

void CBytewhirlApp::OnEditCut()
{
    if (EditControl* field = FocusedField())
        field->Cut();
}

void CBytewhirlApp::OnEditCopy()
{
    if (EditControl* field = FocusedField())
        field->Copy();
    else
        CopyResult(IDC_DISPLAY);
}

void CBytewhirlApp::CopyResult(ControlId id)
{
    std::string text = m_form.GetDlgItemText(id);
    if (id == IDC_BINARY)
        std::erase_if(text, [](char c) { return c == ' ' || c == '\n'; });
    if (!text.empty())
        m_platform.SetClipboardText(text);
}

std::string CBytewhirlApp::CodeOf(ControlId id)
{
    if (id != IDC_DISPLAY)
        return CodeText(m_document.m_nDataType, m_document.ConverterValue());
    const std::string display = m_form.GetDlgItemText(IDC_DISPLAY);
    return display.empty() ? std::string() : CodeText(m_document.m_nDataType, HexTextToValue(display));
}

void CBytewhirlApp::CopyAsCode(ControlId id)
{
    if (const std::string code = CodeOf(id); !code.empty())
        m_platform.SetClipboardText(code);
}

void CBytewhirlApp::OnEditPaste()
{
    if (EditControl* field = FocusedField())
        field->Paste();
}

bool CBytewhirlApp::InitInstance(const std::optional<std::string>& fileName)
{
    const StoredSettings stored = m_platform.ReadSettings();
    m_recentFiles = RecentList({m_recentFiles, stored.recentFiles});
    // Before the initial update, which fits the window to what it shows.
    if (stored.bitsShown)
        m_frameWindow.ShowBitsPanel(true);
    if (stored.inspectorShown)
        m_frameWindow.ShowInspector(true);
    m_startingUp = true;
    bool started = true;
    if (fileName)
        started = OpenDocumentFile(*fileName);
    else
        OnFileNew();
    m_startingUp = false;
    return started;
}

void CBytewhirlApp::ExitInstance()
{
    KeepRecentFiles();
}

void CBytewhirlApp::KeepRecentFiles()
{
    if (m_sessionFiles.empty())
        return;
    m_platform.UpdateRecentFiles(
        [this](const std::vector<std::string>& stored) { return MergeRecentFiles(m_sessionFiles, stored); });
}

std::vector<std::string> CBytewhirlApp::RecentList(std::initializer_list<std::vector<std::string>> lists)
{
    std::vector<std::string> list;
    for (const std::vector<std::string>& files : lists) {
        for (const std::string& file : files) {
            if (list.size() < kRecentFiles && !file.empty() && std::find(list.begin(), list.end(), file) == list.end())
                list.push_back(file);
        }
    }
    return list;
}

std::optional<std::vector<std::string>> CBytewhirlApp::MergeRecentFiles(const std::vector<std::string>& session,
                                                                        const std::vector<std::string>& stored)
{
    std::vector<std::string> merged = RecentList({session, stored});
    if (merged == stored)
        return std::nullopt;
    return merged;
}

void CBytewhirlApp::ReinitialiseForm()
{
    m_platform.SetCaption(Caption());
    m_view.OnInitialUpdate();
}

void CBytewhirlApp::OnFileNew()
{
    // The document is never modified, so nothing asks to save it.
    if (!m_document.OnNewDocument())
        return;
    m_document.SetPathName("");
    ReinitialiseForm();
}

void CBytewhirlApp::OnFileOpen()
{
    if (const std::optional<std::string> path = m_platform.PromptOpen(PromptFolder()))
        OpenDocumentFile(*path);
}

bool CBytewhirlApp::OpenDocumentFile(const std::string& path)
{
    const std::string fullPath = m_platform.FullPath(path);
    switch (m_platform.OpenForReading(fullPath)) {
    case OpenResult::NotFound: {
        std::string text = kNotFound;
        text.replace(text.find("%1"), 2, fullPath);
        m_platform.ErrorBox(text);
        return false;
    }
    case OpenResult::Failed:
        m_platform.ErrorBox(kFailedToOpen);
        return false;
    case OpenResult::Opened:
        break;
    }
    SetPathName(fullPath);
    ReinitialiseForm();
    return true;
}

void CBytewhirlApp::OnFileSave()
{
    // With a path there is nothing to write; the file stays exactly as it is
    // (it may be one that Open opened).
    if (!m_document.GetPathName().empty())
        return;
    const std::optional<std::string> path = m_platform.PromptSaveAs(PromptFolder());
    if (!path)
        return;
    const std::string fullPath = m_platform.FullPath(*path);
    if (!m_platform.CreateEmpty(fullPath)) {
        m_platform.ErrorBox(kFailedToSave);
        return;
    }
    SetPathName(fullPath);
    m_platform.SetCaption(Caption());
}

void CBytewhirlApp::SetPathName(const std::string& path)
{
    m_document.SetPathName(path);
    m_document.SetTitle(FileTitle(path));
    AddToRecentFileList(path);
    if (!m_startingUp)
        KeepRecentFiles();
}

std::string CBytewhirlApp::PromptFolder() const
{
    if (m_recentFiles.empty())
        return {};
    const std::string& file = m_recentFiles.front();
    return file.substr(0, std::max<std::size_t>(file.find_last_of('/'), 1));
}

void CBytewhirlApp::AddToRecentFileList(const std::string& path)
{
    m_recentFiles = RecentList({{path}, m_recentFiles});
    m_sessionFiles = RecentList({{path}, m_sessionFiles});
}

std::string CBytewhirlApp::Caption() const
{
    // The window title is the first field of the document template string.
    const std::string templateString = LoadString(IDR_MAINFRAME);
    return m_document.GetTitle() + " - " + templateString.substr(0, templateString.find('\n'));
}

}  // namespace quibo
