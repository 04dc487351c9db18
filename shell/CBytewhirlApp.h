#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calc/CBytewhirlDoc.h"
#include "shell/CBytewhirlView.h"
#include "shell/platform/AppPlatform.h"

namespace quibo {

// The application: start-up, New, Open, Save, the caption and the
// recent-file list. The document has no content: Open reads nothing and
// Save writes nothing.
class CBytewhirlApp {
public:
    static constexpr std::size_t kRecentFiles = 4;

    CBytewhirlApp(AppPlatform& platform, CBytewhirlDoc& document, CBytewhirlView& view);

    // Reads the recent-file list, then carries out the command line: New,
    // or Open of the named file. False when that fails; start-up then ends.
    bool InitInstance(const std::optional<std::string>& fileName);
    // Stores the files this session opened or saved in front of the list as
    // it is stored now (another instance may have changed it); stores
    // nothing when that changes nothing.
    void ExitInstance();

    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();

    // "<title> - Quibo"; " - Quibo" while the title is empty.
    std::string Caption() const;
    const std::vector<std::string>& RecentFiles() const { return m_recentFiles; }

    // The list to store: the session's files, most recent first, then the
    // stored ones; no repeats, four at most. Nothing when that is stored.
    static std::optional<std::vector<std::string>> MergeRecentFiles(const std::vector<std::string>& session,
                                                                    const std::vector<std::string>& stored);

private:
    bool OpenDocumentFile(const std::string& path);
    void SetPathName(const std::string& path);
    void AddToRecentFileList(const std::string& path);
    void ReinitialiseForm();

    AppPlatform& m_platform;
    CBytewhirlDoc& m_document;
    CBytewhirlView& m_view;
    std::vector<std::string> m_recentFiles;
    std::vector<std::string> m_sessionFiles;  // most recent first
};

}  // namespace quibo
