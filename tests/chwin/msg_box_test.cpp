#include "chwin/msg_box_model.h"

#include <gtest/gtest.h>

#include "chwin/chw_keys.h"
#include "chwin/inp_validate.h"
#include "chwin/msg_box.h"
#include "chwin/msg_box_scripted.h"

namespace prismel {
namespace {

TEST(MsgBoxKeys, EnterOnAFreshYesNoBoxAnswersNo) {
    MsgBoxModel box(kMsgYesNo);
    EXPECT_FALSE(box.yes_selected());
    EXPECT_EQ(box.key(kKeyEnter), kResultCancel);
    EXPECT_EQ(box.key(kKeySpace), kResultCancel);
}

TEST(MsgBoxKeys, YSelectsYesWithoutClosingAndEnterThenAnswersYes) {
    MsgBoxModel box(kMsgYesNo);
    EXPECT_EQ(box.key('Y'), kMsgStay);
    EXPECT_TRUE(box.yes_selected());
    EXPECT_EQ(box.key(kKeyEnter), kResultOk);
    EXPECT_EQ(box.key(kKeySpace), kResultOk);
}

TEST(MsgBoxKeys, ArrowsAndLettersMoveTheSelection) {
    MsgBoxModel box(kMsgYesNo);
    box.key(kKeyLeft);
    EXPECT_TRUE(box.yes_selected());
    box.key(kKeyRight);
    EXPECT_FALSE(box.yes_selected());
    box.key('Y');
    box.key('N');
    EXPECT_FALSE(box.yes_selected());
    EXPECT_EQ(box.key('A'), kMsgStay);
    box.key('Y');
    EXPECT_EQ(box.key(kKeyEsc), kResultCancel);  // Esc is no whatever is selected
}

TEST(MsgBoxKeys, OkBoxAndBoxesWithoutButtons) {
    for (int kind : {kMsgOk, 1, 3}) {
        MsgBoxModel box(kind);
        EXPECT_EQ(box.key('Y'), kMsgStay) << kind;
        EXPECT_FALSE(box.yes_selected()) << kind;
        EXPECT_EQ(box.key(kKeyEnter), kResultOk) << kind;
        EXPECT_EQ(box.key(kKeySpace), kResultOk) << kind;
        EXPECT_EQ(box.key(kKeyEsc), kResultCancel) << kind;
    }
}

MsgBoxLayout layout() {
    MsgBoxLayout l;
    l.font_size = 20;
    l.width = 400;
    l.button_width = 80;
    l.button_height = 20;
    return l;
}

TEST(MsgBoxMouse, ButtonsCloseWithTheirAnswerAndOtherPressesDoNothing) {
    const MsgBoxLayout l = layout();
    EXPECT_EQ(l.yes_button().left, 100);
    EXPECT_EQ(l.no_button().left, 220);
    EXPECT_EQ(l.ok_button().left, 160);
    EXPECT_EQ(l.yes_button().top, 156);

    MsgBoxModel yes(kMsgYesNo);
    EXPECT_EQ(yes.press(101, 157, l), kResultOk);
    EXPECT_TRUE(yes.yes_selected());
    MsgBoxModel no(kMsgYesNo);
    no.key('Y');
    EXPECT_EQ(no.press(299, 175, l), kResultCancel);
    EXPECT_FALSE(no.yes_selected());
    MsgBoxModel between(kMsgYesNo);
    EXPECT_EQ(between.press(200, 160, l), kMsgStay);  // the gap between the buttons
    EXPECT_EQ(between.press(180, 100, l), kMsgStay);

    MsgBoxModel ok(kMsgOk);
    EXPECT_EQ(ok.press(160, 156, l), kResultOk);
    EXPECT_EQ(ok.press(240, 156, l), kMsgStay);  // right edge is outside
    MsgBoxModel buttonless(2);
    EXPECT_EQ(buttonless.press(160, 156, l), kMsgStay);
}

TEST(ScriptedMsgBox, AnswersThroughTheBoxKeysAndRecordsTheQuestions) {
    ScriptedMessageBox box;
    ScopedMessageBox installed(box);
    box.press({'Y', kKeyEnter});
    box.press({kKeyEnter});
    box.answer(kResultOk);
    EXPECT_EQ(ask_message(kMsgYesNo, "first", "second"), kResultOk);
    EXPECT_EQ(ask_message(kMsgYesNo, "again"), kResultCancel);
    EXPECT_EQ(ask_message(kMsgOk, "done"), kResultOk);
    EXPECT_EQ(ask_message(kMsgYesNo, "unscripted"), kResultCancel);
    ASSERT_EQ(box.asked.size(), 4u);
    EXPECT_EQ(box.asked[0].line1, "first");
    EXPECT_EQ(box.asked[0].line2, "second");
    EXPECT_EQ(box.asked[1].line2, "");
    EXPECT_EQ(box.asked[2].kind, kMsgOk);
}

TEST(ScriptedMsgBox, WithoutAnInstalledBoxNothingIsConfirmed) {
    set_message_box(nullptr);
    EXPECT_EQ(ask_message(kMsgYesNo, "sure?"), kResultCancel);
    EXPECT_EQ(ask_message(kMsgOk, "note"), kResultCancel);
}

}  // namespace
}  // namespace prismel
