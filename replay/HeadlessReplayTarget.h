#pragma once

#include "numtext/Latin1.h"
#include "replay/Player.h"
#include "hosts/headless/HeadlessApp.h"

namespace quibo {

// Replay actions on the headless form, as a user does them.
class HeadlessReplayTarget : public ReplayTarget {
public:
    explicit HeadlessReplayTarget(HeadlessApp& app) : m_app(app) {}

    void Click(ControlId key) override { m_app.Form().Click(key); }
    void Focus(ControlId field) override { m_app.Form().Focus(field); }
    bool FieldHasFocus() override;
    // A field's characters are single bytes: each one beyond Latin-1 is a '?'.
    void Type(std::string_view text) override { m_app.Form().Type(Utf8ToLatin1(text)); }
    void Backspace(std::uint64_t count) override { m_app.Form().Backspace(count); }
    void ClearField() override { m_app.Form().ClearField(); }
    void Paste(std::string_view text) override { m_app.Form().Paste(Utf8ToLatin1(text)); }
    void ChooseCommand(int id) override { m_app.ChooseCommand(id); }
    void New() override { m_app.App().OnFileNew(); }
    int BitWidth() override;
    void FlipBit(int bit) override { m_app.Form().Click(BitControl(bit)); }
    FormState TakeState() override;

private:
    HeadlessApp& m_app;
};

}  // namespace quibo
