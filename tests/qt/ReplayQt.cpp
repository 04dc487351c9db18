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

#include "byteorder/DataTypeCommands.h"
#include "replay/Player.h"
#include "replay/ReadState.h"
#include "shell/qt/Latin1Text.h"
#include "shell/qt/QtQuibo.h"

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

    void Type(std::string_view text) override
    {
        FieldEdit* edit = m_quibo.Form().FocusedField();
        for (char c : text) {
            const QChar character = QChar::fromLatin1(c);
            if (c > ' ' && c < 0x7F) {
                QTest::keyClick(edit, c);
            } else {
                // There is no key for these here, or the key would move the
                // focus (Tab) or type nothing (control characters): they
                // come as committed input instead.
                QInputMethodEvent event;
                event.setCommitString(QString(character));
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
        QGuiApplication::clipboard()->setText(ToQString(text));
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    }

    void ChooseDataType(DataType type) override
    {
        Settle();
        m_quibo.Window().Action(FindDataTypeCommand(type)->id)->trigger();
    }

    void New() override
    {
        Settle();
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &m_quibo.Window();
        QTest::keyClick(target, Qt::Key_N, Qt::ControlModifier);
    }

    FormState TakeState() override
    {
        Settle();
        QtForm& form = m_quibo.Form();
        FormState state =
            ReadState(form, [this](int id) { return m_quibo.App().MenuCheck(id); }, m_quibo.Window().GetPaneText(0));
        for (const auto& [caption, text] : form.Messages())
            state.messages.push_back({caption, text});
        form.ClearMessages();
        return state;
    }

private:
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
