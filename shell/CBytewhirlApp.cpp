#include "shell/CBytewhirlApp.h"

#include <algorithm>

#include "shell/platform/CommandIds.h"
#include "shell/res/Strings.h"

namespace quibo {

namespace {

// The name of a file as the desktop shows it: its last path component.
std::string FileTitle(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

CBytewhirlApp::CBytewhirlApp(AppPlatform& platform, CBytewhirlDoc& document, CBytewhirlView& view)
    : m_platform(platform), m_document(document), m_view(view)
{
}

bool CBytewhirlApp::InitInstance(const std::optional<std::string>& fileName)
{
    for (const std::string& file : m_platform.ReadRecentFiles()) {
        if (!file.empty() && m_recentFiles.size() < kRecentFiles &&
            std::find(m_recentFiles.begin(), m_recentFiles.end(), file) == m_recentFiles.end())
            m_recentFiles.push_back(file);
    }
    if (fileName)
        return OpenDocumentFile(*fileName);
    OnFileNew();
    return true;
}

void CBytewhirlApp::ExitInstance()
{
    if (m_sessionFiles.empty())
        return;
    m_platform.UpdateRecentFiles(
        [this](const std::vector<std::string>& stored) { return MergeRecentFiles(m_sessionFiles, stored); });
}

std::optional<std::vector<std::string>> CBytewhirlApp::MergeRecentFiles(const std::vector<std::string>& session,
                                                                        const std::vector<std::string>& stored)
{
    std::vector<std::string> merged;
    for (const std::vector<std::string>* list : {&session, &stored}) {
        for (const std::string& file : *list) {
            if (merged.size() < kRecentFiles && !file.empty() &&
                std::find(merged.begin(), merged.end(), file) == merged.end())
                merged.push_back(file);
        }
    }
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
    if (const std::optional<std::string> path = m_platform.PromptOpen())
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
    const std::optional<std::string> path = m_platform.PromptSaveAs();
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
}

void CBytewhirlApp::AddToRecentFileList(const std::string& path)
{
    for (std::vector<std::string>* list : {&m_recentFiles, &m_sessionFiles}) {
        std::erase(*list, path);
        list->insert(list->begin(), path);
    }
    for (std::vector<std::string>* list : {&m_recentFiles, &m_sessionFiles}) {
        if (list->size() > kRecentFiles)
            list->resize(kRecentFiles);
    }
}

std::string CBytewhirlApp::Caption() const
{
    // The window title is the first field of the document template string.
    const std::string templateString = LoadString(IDR_MAINFRAME);
    return m_document.GetTitle() + " - " + templateString.substr(0, templateString.find('\n'));
}

}  // namespace quibo
