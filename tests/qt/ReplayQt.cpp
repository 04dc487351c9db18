// quibo-replay-qt SCRIPT: plays a replay script on the real window through
// real input events, and prints the same lines as quibo-cli --script. Runs
// on the offscreen platform unless a display is given.
#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <string_view>
#include <vector>

#include "app/DataTypeCommands.h"
#include "numtext/Utf8.h"
#include "replay/Player.h"
#include "replay/ReadState.h"
#include "hosts/qt/form/Latin1Text.h"
#include "hosts/qt/QtQuibo.h"

namespace {

using namespace quibo;

class QtReplayTarget : public ReplayTarget {
public:
    explicit QtReplayTarget(QtQuibo& quibo) : m_quibo(quibo) {}

    // A closed box gives the window back its activation, and with it the
    // keyboard focus, through the event loop: wait for that.
    void Settle()
    {
        QApplication::processEvents();
        if (!m_quibo.Window().isActiveWindow()) {
            m_quibo.Window().activateWindow();
            (void)QTest::qWaitForWindowActive(&m_quibo.Window());
        }
    }

    void Click(ControlId key) override
    {
        Settle();
        QTest::mouseClick(m_quibo.Form().Control(key), Qt::LeftButton);
    }

    void Focus(ControlId field) override
    {
        // A click into the field, then the caret to the end of its text.
        Settle();
        FieldEdit* edit = m_quibo.Form().Field(field);
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_End);
    }

    bool FieldHasFocus() override
    {
        Settle();
        return m_quibo.Form().FocusedField() != nullptr;
    }

    // As a keyboard types: a key for each printable ASCII character, and
    // the rest (an emoji, a control character, a byte that is not UTF-8,
    // which stands for its Latin-1 character) as an input method commits it.
    void Type(std::string_view text) override
    {
        FieldEdit* edit = m_quibo.Form().FocusedField();
        for (const QString& character : Characters(text)) {
            const char16_t c = character.front().unicode();
            if (character.size() == 1 && c > ' ' && c < 0x7F) {
                QTest::keyClick(edit, static_cast<char>(c));
            } else {
                QInputMethodEvent event;
                event.setCommitString(character);
                QApplication::sendEvent(edit, &event);
            }
        }
    }

    void Backspace(std::uint64_t count) override
    {
        FieldEdit* edit = m_quibo.Form().FocusedField();
        for (std::uint64_t i = 0; i < count && !edit->text().isEmpty(); ++i)
            QTest::keyClick(edit, Qt::Key_Backspace);
    }

    void ClearField() override
    {
        FieldEdit* edit = m_quibo.Form().FocusedField();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
    }

    void Paste(std::string_view text) override
    {
        FieldEdit* edit = m_quibo.Form().FocusedField();
        QString clipboard;
        for (const QString& character : Characters(text))
            clipboard += character;
        QGuiApplication::clipboard()->setText(clipboard);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    }

    void ChooseCommand(int id) override
    {
        // Its menu item, or, for New, which has none, its accelerator's command.
        Settle();
        if (QAction* item = m_quibo.Window().Action(id))
            item->trigger();
        else
            m_quibo.Window().RunCommand(id);
    }

    void New() override
    {
        Settle();
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &m_quibo.Window();
        QTest::keyClick(target, Qt::Key_N, Qt::ControlModifier);
    }

    // The bits a person can click: the enabled ones.
    int BitWidth() override
    {
        int width = 0;
        for (int bit = 0; bit < kPanelBits; ++bit)
            width += m_quibo.Form().Bits().Box(bit).isEnabled() ? 1 : 0;
        return width;
    }

    // A click on the bit, with the panel shown as View > Bits shows it (but
    // without keeping that in the settings).
    void FlipBit(int bit) override
    {
        Settle();
        if (!m_quibo.Window().IsBitsPanelVisible())
            m_quibo.Window().ShowBitsPanel(true);
        QTest::mouseClick(&m_quibo.Form().Bits().Box(bit), Qt::LeftButton);
    }

    FormState TakeState() override
    {
        Settle();
        QtForm& form = m_quibo.Form();
        FormState state =
            ReadState(form, [this](int id) { return m_quibo.App().MenuCheck(id); }, m_quibo.Window());
        for (const auto& [caption, text] : form.Messages())
            state.messages.push_back({caption, text});
        form.ClearMessages();
        return state;
    }

private:
    // The characters of a script's text, as the script reads them.
    static std::vector<QString> Characters(std::string_view utf8)
    {
        std::vector<QString> characters;
        for (std::size_t i = 0; i < utf8.size();) {
            std::uint32_t codePoint = 0;
            const std::size_t length = DecodeUtf8(utf8, i, codePoint);
            if (length == 0)
                codePoint = static_cast<unsigned char>(utf8[i]);
            const char32_t c = codePoint;
            characters.push_back(QString::fromUcs4(&c, 1));
            i += length == 0 ? 1 : length;
        }
        return characters;
    }

    QtQuibo& m_quibo;
};

}  // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && !qEnvironmentVariableIsSet("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // "SCRIPT" or, as quibo-cli takes it, "--script SCRIPT".
    const int scriptArg = argc == 3 && std::string_view(argv[1]) == "--script" ? 2 : 1;
    if (argc != scriptArg + 1) {
        std::fprintf(stderr, "usage: quibo-replay-qt [--script] SCRIPT\n");
        return 2;
    }
    std::FILE* in = std::fopen(argv[scriptArg], "rb");
    if (!in) {
        std::fprintf(stderr, "quibo-replay-qt: cannot open %s\n", argv[scriptArg]);
        return 2;
    }

    QtQuibo quibo;
    if (!quibo.Start(std::nullopt))
        return 1;
    quibo.Window().show();
    quibo.Window().activateWindow();
    if (!QTest::qWaitForWindowActive(&quibo.Window())) {
        std::fprintf(stderr, "quibo-replay-qt: the window did not become active\n");
        return 1;
    }

    // Every message box is answered with OK, as a user would press Enter.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            QTest::keyClick(box, Qt::Key_Enter);
    });
    answer.start(0);

    QtReplayTarget target(quibo);
    const StreamResult result = Player(target).PlayStream(in, stdout, false);
    std::fclose(in);
    switch (result.status) {
    case StreamResult::Status::Clean: return 0;
    case StreamResult::Status::LineErrors: return 1;
    default: return 2;
    }
}
