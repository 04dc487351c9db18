#pragma once

#include "calc/CBytewhirlDoc.h"
#include "shell/CBytewhirlView.h"
#include "shell/headless/HeadlessForm.h"

namespace quibo {

// The document, the form and its view wired together on the headless host,
// as start-up leaves them: the initial update has run.
class HeadlessApp {
public:
    HeadlessApp();
    HeadlessApp(const HeadlessApp&) = delete;
    HeadlessApp& operator=(const HeadlessApp&) = delete;

    CBytewhirlDoc& Document() { return m_document; }
    HeadlessForm& Form() { return m_form; }
    CBytewhirlView& View() { return m_view; }

private:
    CBytewhirlDoc m_document;
    HeadlessForm m_form;
    CBytewhirlView m_view;
};

}  // namespace quibo
