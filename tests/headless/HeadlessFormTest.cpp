#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/Templates.h"
#include "hosts/headless/HeadlessApp.h"
#include "hosts/headless/HeadlessForm.h"
#include "platform/DataExchange.h"

namespace quibo {
namespace {

// Records every notification, with the text of its control at that moment.
class Recorder : public CommandTarget {
public:
    explicit Recorder(HeadlessForm& form) : m_form(form) {}

    bool OnCmdMsg(ControlId id, Notification code) override
    {
        events.push_back({id, code, m_form.GetDlgItemText(id)});
        return true;
    }

    struct Event {
        ControlId id;
        Notification code;
        std::string text;
        bool operator==(const Event&) const = default;
    };
    std::vector<Event> events;

private:
    HeadlessForm& m_form;
};

void PrintTo(const Recorder::Event& e, std::ostream* os)
{
    *os << "{" << e.id << ", 0x" << std::hex << e.code << std::dec << ", \"" << e.text << "\"}";
}

class HeadlessFormTest : public ::testing::Test {
protected:
    HeadlessFormTest() { form.SetTarget(&recorder); }

    HeadlessForm form{kForm101};
    Recorder recorder{form};
    using Events = std::vector<Recorder::Event>;
};

TEST_F(HeadlessFormTest, ProgramSetsOfAnEditNotifyEveryTimeBeforeReturning)
{
    form.SetDlgItemText(IDC_HEX_EDIT, "12");
    form.SetDlgItemText(IDC_HEX_EDIT, "12");
    EXPECT_EQ(recorder.events, (Events{{IDC_HEX_EDIT, EN_UPDATE, "12"}, {IDC_HEX_EDIT, EN_UPDATE, "12"}}));

    recorder.events.clear();
    form.SetDlgItemText(IDC_DISPLAY, "5");
    form.SetDlgItemText(IDC_BINARY, "0101");
    form.SetDlgItemText(IDC_KEY_BYTE_ORDER, "Int");
    EXPECT_TRUE(recorder.events.empty());
    EXPECT_EQ(form.GetDlgItemText(IDC_KEY_BYTE_ORDER), "Int");
}

TEST_F(HeadlessFormTest, DataExchangeSetsOnlyDifferingTexts)
{
    DDX_Text(form, IDC_HEX_EDIT, "");
    EXPECT_TRUE(recorder.events.empty());
    DDX_Text(form, IDC_HEX_EDIT, "A");
    DDX_Text(form, IDC_HEX_EDIT, "A");
    EXPECT_EQ(recorder.events, (Events{{IDC_HEX_EDIT, EN_UPDATE, "A"}}));
}

TEST_F(HeadlessFormTest, LimitRefusesTypingAndPastingButNeverCutsProgramTexts)
{
    EXPECT_EQ(form.Limit(IDC_HEX_EDIT), kDefaultEditLimit);
    form.LimitText(IDC_HEX_EDIT, 2);
    ASSERT_TRUE(form.Focus(IDC_HEX_EDIT));
    recorder.events.clear();

    ASSERT_TRUE(form.Type("123"));
    EXPECT_EQ(form.GetDlgItemText(IDC_HEX_EDIT), "12");
    EXPECT_EQ(recorder.events, (Events{{IDC_HEX_EDIT, EN_UPDATE, "1"}, {IDC_HEX_EDIT, EN_UPDATE, "12"}}));

    form.SetDlgItemText(IDC_HEX_EDIT, "FFFFFFFA");
    EXPECT_EQ(form.GetDlgItemText(IDC_HEX_EDIT), "FFFFFFFA");
    recorder.events.clear();
    ASSERT_TRUE(form.Type("1"));
    EXPECT_EQ(form.GetDlgItemText(IDC_HEX_EDIT), "FFFFFFFA");
    EXPECT_TRUE(recorder.events.empty());

    ASSERT_TRUE(form.Paste("ABCDEF"));
    EXPECT_EQ(form.GetDlgItemText(IDC_HEX_EDIT), "AB");
    form.LimitText(IDC_HEX_EDIT, 0);
    EXPECT_EQ(form.Limit(IDC_HEX_EDIT), kDefaultEditLimit);
}

TEST_F(HeadlessFormTest, EditingActionsNotifyOnlyWhenTheTextChanges)
{
    ASSERT_TRUE(form.Focus(IDC_DECIMAL_EDIT));
    recorder.events.clear();

    ASSERT_TRUE(form.Backspace(1));  // empty: nothing
    ASSERT_TRUE(form.ClearField());  // empty: nothing
    ASSERT_TRUE(form.Paste(""));     // unchanged: nothing
    EXPECT_TRUE(recorder.events.empty());

    ASSERT_TRUE(form.Paste("123"));
    ASSERT_TRUE(form.Paste("123"));
    ASSERT_TRUE(form.Backspace(2));
    ASSERT_TRUE(form.Type("9 x"));
    ASSERT_TRUE(form.ClearField());
    ASSERT_TRUE(form.Backspace(0));
    EXPECT_EQ(recorder.events, (Events{{IDC_DECIMAL_EDIT, EN_UPDATE, "123"},
                                       {IDC_DECIMAL_EDIT, EN_UPDATE, "12"},
                                       {IDC_DECIMAL_EDIT, EN_UPDATE, "1"},
                                       {IDC_DECIMAL_EDIT, EN_UPDATE, "19"},
                                       {IDC_DECIMAL_EDIT, EN_UPDATE, "19 "},
                                       {IDC_DECIMAL_EDIT, EN_UPDATE, "19 x"},
                                       {IDC_DECIMAL_EDIT, EN_UPDATE, ""}}));
}

TEST_F(HeadlessFormTest, EditingNeedsAFocusedField)
{
    EXPECT_FALSE(form.GetFocus().has_value());
    EXPECT_FALSE(form.Type("1"));
    EXPECT_FALSE(form.Backspace());
    EXPECT_FALSE(form.ClearField());
    EXPECT_FALSE(form.Paste("1"));

    ASSERT_TRUE(form.Click(IDC_KEY_5));
    EXPECT_EQ(form.GetFocus(), IDC_KEY_5);
    EXPECT_FALSE(form.Type("1"));
    EXPECT_EQ(form.GetDlgItemText(IDC_HEX_EDIT), "");

    EXPECT_FALSE(form.Focus(IDC_KEY_5));    // not a field
    EXPECT_FALSE(form.Click(IDC_HEX_EDIT)); // not a key
    EXPECT_FALSE(form.Click(IDC_STATIC));
}

TEST_F(HeadlessFormTest, FocusNotificationsFollowTheRealFocus)
{
    ASSERT_TRUE(form.Focus(IDC_HEX_EDIT));
    ASSERT_TRUE(form.Focus(IDC_HEX_EDIT));  // already there: nothing
    ASSERT_TRUE(form.Focus(IDC_DECIMAL_EDIT));
    ASSERT_TRUE(form.Click(IDC_KEY_ADD));
    ASSERT_TRUE(form.Click(IDC_KEY_ADD));
    EXPECT_EQ(recorder.events, (Events{{IDC_HEX_EDIT, EN_SETFOCUS, ""},
                                       {IDC_HEX_EDIT, EN_KILLFOCUS, ""},
                                       {IDC_DECIMAL_EDIT, EN_SETFOCUS, ""},
                                       {IDC_DECIMAL_EDIT, EN_KILLFOCUS, ""},
                                       {IDC_KEY_ADD, BN_CLICKED, "+"},
                                       {IDC_KEY_ADD, BN_CLICKED, "+"}}));
}

TEST_F(HeadlessFormTest, MessageBoxTakesTheFocusAndGivesItBack)
{
    ASSERT_TRUE(form.Focus(IDC_DECIMAL_EDIT));
    recorder.events.clear();
    form.MessageBox("text", "ERROR");
    EXPECT_EQ(recorder.events,
              (Events{{IDC_DECIMAL_EDIT, EN_KILLFOCUS, ""}, {IDC_DECIMAL_EDIT, EN_SETFOCUS, ""}}));
    EXPECT_EQ(form.GetFocus(), IDC_DECIMAL_EDIT);
    ASSERT_EQ(form.Messages().size(), 1u);
    EXPECT_EQ(form.Messages()[0].caption, "ERROR");
    EXPECT_EQ(form.Messages()[0].text, "text");

    // With a key focused no field hears of it.
    ASSERT_TRUE(form.Click(IDC_KEY_1));
    recorder.events.clear();
    form.MessageBox("again", "ERROR");
    EXPECT_TRUE(recorder.events.empty());
    EXPECT_EQ(form.GetFocus(), IDC_KEY_1);
    EXPECT_EQ(form.Messages().size(), 2u);
}

TEST_F(HeadlessFormTest, KeysAreFoundByTheirShownCaption)
{
    // "&" is the "&&" key as shown; the byte-order key by either caption.
    EXPECT_EQ(FindKeypadKey("&"), IDC_KEY_AND);
    EXPECT_EQ(FindKeypadKey("Mot"), IDC_KEY_BYTE_ORDER);
    EXPECT_EQ(FindKeypadKey("Int"), IDC_KEY_BYTE_ORDER);
    for (const char* unknown : {"&&", "f", "HEX", "Hex Calculator", "", "G", "clr"})
        EXPECT_FALSE(FindKeypadKey(unknown).has_value()) << unknown;
}

TEST(HeadlessApp, StartsWithEveryFieldBlankAndNoFocus)
{
    HeadlessApp app;
    HeadlessForm& form = app.Form();
    EXPECT_EQ(form.GetDlgItemText(IDC_DISPLAY), "");  // never the template's "0"
    EXPECT_EQ(form.GetDlgItemText(IDC_HEX_EDIT), "");
    EXPECT_EQ(form.GetDlgItemText(IDC_DECIMAL_EDIT), "");
    EXPECT_EQ(form.GetDlgItemText(IDC_BINARY), "");
    EXPECT_EQ(form.GetDlgItemText(IDC_KEY_BYTE_ORDER), "Mot");
    EXPECT_FALSE(form.GetFocus().has_value());
    EXPECT_TRUE(form.Messages().empty());
}

}  // namespace
}  // namespace quibo
