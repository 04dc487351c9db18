#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "platform/RoutingTable.h"

namespace quibo {

class CView;

// The framework's document: a title, the views that show it, and the
// new-document step.
class CDocument {
public:
    virtual ~CDocument() = default;

    // Runs when the document is created and whenever New re-initialises it.
    virtual bool OnNewDocument() { return true; }

    void SetTitle(std::string title) { m_strTitle = std::move(title); }
    const std::string& GetTitle() const { return m_strTitle; }
    void SetPathName(std::string path) { m_strPathName = std::move(path); }
    const std::string& GetPathName() const { return m_strPathName; }

    void AddView(CView* view) { m_views.push_back(view); }
    void RemoveView(CView* view) { std::erase(m_views, view); }
    // Calls OnUpdate of every view but the sender, at once.
    void UpdateAllViews(CView* pSender, long lHint = 0, void* pHint = nullptr);

private:
    std::string m_strTitle;
    std::string m_strPathName;
    std::vector<CView*> m_views;
};

// The framework's view: a command target that is told of document updates.
class CView : public CommandTarget {
public:
    virtual void OnUpdate(CView* pSender, long lHint, void* pHint) = 0;
};

inline void CDocument::UpdateAllViews(CView* pSender, long lHint, void* pHint)
{
    for (CView* view : m_views) {
        if (view != pSender)
            view->OnUpdate(pSender, lHint, pHint);
    }
}

}  // namespace quibo
