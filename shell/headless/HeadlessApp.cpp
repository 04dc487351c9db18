#include "shell/headless/HeadlessApp.h"

namespace quibo {

HeadlessApp::HeadlessApp()
    : m_form(kForm101), m_view(m_document, m_form)
{
    m_form.SetTarget(&m_view);
    m_view.OnInitialUpdate();
}

}  // namespace quibo
