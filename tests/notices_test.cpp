// The notice windows hold their fixed texts, captions and boxes, take the focus only on OK, and close on OK.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "qvconfig/notices/notices.h"

namespace qv {
namespace {

struct ExpectedRow {
    const char* name;
    ControlKind kind;
    const char* text;
    TwipsBox box;
};

struct ExpectedNotice {
    const char* title;
    std::unique_ptr<Notice> (*make)();
    const char* caption;
    int clientWidth;
    int clientHeight;
    std::vector<ExpectedRow> rows;
};

template <class W>
std::unique_ptr<Notice> Make() {
    return std::make_unique<W>();
}

const ExpectedNotice kNotices[] = {
    {"LoadFail", &Make<LoadFail>, "Quorvel Image Load Error", 6030, 3195,
     {{"productName", ControlKind::Label, "Quorvel", {720, 120, 4530, 735}},
      {"message", ControlKind::Label,
       "Quorvel was unable to load the requested image file because the RAM disk size and the "
       "image file size were not compatible.",
       {480, 960, 5055, 735}},
      {"note", ControlKind::Label, "Please check the image file size and Quorvel settings.",
       {600, 1920, 5055, 375}},
      {"okButton", ControlKind::Button, "OK", {2160, 2400, 1455, 495}}}},
    {"NoDrive", &Make<NoDrive>, "Quorvel Drive Letter Allocation Error", 6045, 3150,
     {{"productName", ControlKind::Label, "Quorvel", {720, 120, 4530, 735}},
      {"message", ControlKind::Label,
       "Quorvel was unable to assign the requested drive letter. A RAM disk was not created.  "
       "Please check the drive letter settings for any conflicts with other drivers ant try "
       "again.",
       {480, 960, 5055, 1215}},
      {"okButton", ControlKind::Button, "OK", {2160, 2280, 1695, 615}}}},
    {"Nomem", &Make<Nomem>, "Quorvel Memory Allocation Error", 5970, 3135,
     {{"productName", ControlKind::Label, "Quorvel", {600, 120, 4530, 735}},
      {"message", ControlKind::Label,
       "Quorvel was unable to allocate sufficient physical memory for the requested RAM disk "
       "size.  This may be due to insufficient physical memory or the size of the Windows file "
       "cache.",
       {480, 960, 5055, 975}},
      {"okButton", ControlKind::Button, "OK", {2160, 2280, 1455, 495}}}},
};

void ExpectFont(const Font& font, double points, bool bold, bool italic, const std::string& where) {
    EXPECT_STREQ(font.face, "Arial") << where;
    EXPECT_DOUBLE_EQ(font.points, points) << where;
    EXPECT_EQ(font.bold, bold) << where;
    EXPECT_EQ(font.italic, italic) << where;
    EXPECT_FALSE(font.underline) << where;
}

TEST(Notices, EachHoldsExactlyItsTableWithTextsCaptionAndBoxes) {
    for (const ExpectedNotice& expected : kNotices) {
        SCOPED_TRACE(expected.title);
        const auto notice = expected.make();
        EXPECT_EQ(std::string(notice->Layout().caption), expected.caption);
        EXPECT_EQ(notice->Layout().clientWidth, expected.clientWidth);
        EXPECT_EQ(notice->Layout().clientHeight, expected.clientHeight);
        ASSERT_EQ(notice->Controls().size(), expected.rows.size());
        for (const ExpectedRow& row : expected.rows) {
            SCOPED_TRACE(row.name);
            const Control* control = notice->Find(row.name);
            ASSERT_NE(control, nullptr);
            EXPECT_EQ(control->Kind(), row.kind);
            EXPECT_EQ(control->Text(), row.text);
            const TwipsBox& box = control->Layout().box;
            EXPECT_EQ(box.left, row.box.left);
            EXPECT_EQ(box.top, row.box.top);
            EXPECT_EQ(box.width, row.box.width);
            EXPECT_EQ(box.height, row.box.height);
            EXPECT_EQ(control->Layout().frame, nullptr);
            EXPECT_EQ(control->Layout().tooltip, nullptr);
        }
    }
}

TEST(Notices, LabelStylesAndButtonFont) {
    for (const ExpectedNotice& expected : kNotices) {
        SCOPED_TRACE(expected.title);
        const auto notice = expected.make();
        const ControlRow& product = notice->Get<Label>("productName").Layout();
        ExpectFont(product.font, 32.25, true, true, "product label");
        EXPECT_EQ(product.colour.kind, Colour::Kind::Rgb);
        EXPECT_EQ(product.colour.red, 255);
        EXPECT_EQ(product.colour.green, 0);
        EXPECT_EQ(product.colour.blue, 0);
        EXPECT_EQ(product.alignment, Alignment::Left);

        const ControlRow& message = notice->Get<Label>("message").Layout();
        ExpectFont(message.font, 9.75, true, false, "message label");
        EXPECT_EQ(message.alignment, Alignment::Center);

        if (const Control* note = notice->Find("note")) {
            ExpectFont(note->Layout().font, 9.0, false, false, "note label");
            EXPECT_EQ(note->Layout().alignment, Alignment::Left);
        }
        ExpectFont(notice->okButton.Layout().font, 9.75, true, false, "OK button");
    }
}

TEST(Notices, OkIsTheOnlyControlThatTakesTheFocusAndHasItWhenShown) {
    for (const ExpectedNotice& expected : kNotices) {
        SCOPED_TRACE(expected.title);
        const auto notice = expected.make();
        for (const auto& control : notice->Controls()) {
            EXPECT_EQ(control->CanTakeFocus(), control.get() == &notice->okButton) << control->Name();
        }
        ASSERT_EQ(notice->FocusOrder().size(), 1u);
        EXPECT_EQ(notice->FocusOrder()[0], &notice->okButton);
        notice->Show();
        EXPECT_EQ(notice->Focused(), &notice->okButton);
        notice->FocusNext();
        EXPECT_EQ(notice->Focused(), &notice->okButton);
    }
}

TEST(Notices, OkClosesTheNotice) {
    for (const ExpectedNotice& expected : kNotices) {
        SCOPED_TRACE(expected.title);
        const auto notice = expected.make();
        notice->Show();
        ASSERT_FALSE(notice->IsUnloaded());
        notice->ClickButton(notice->okButton);
        EXPECT_TRUE(notice->IsUnloaded());
        EXPECT_FALSE(notice->IsShown());
    }
}

TEST(Notices, NoDrivesButtonIsLargerThanTheOthers) {
    const TwipsBox& noDrive = NoDrive().okButton.Layout().box;
    for (const TwipsBox& other : {LoadFail().okButton.Layout().box, Nomem().okButton.Layout().box}) {
        EXPECT_EQ(other.width, 1455);
        EXPECT_EQ(other.height, 495);
        EXPECT_GT(noDrive.width, other.width);
        EXPECT_GT(noDrive.height, other.height);
    }
}

}  // namespace
}  // namespace qv
