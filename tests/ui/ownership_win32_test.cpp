// Who deletes a control: its owner, never its parent, which only detaches its
// children; and a form destroyed inside its own modal loop ends the loop cleanly.
#include "gui_support.h"
#include "ui_button.h"
#include "ui_form.h"
#include "ui_label.h"
#include "ui_panel.h"

#include <cstring>
#include <memory>
#include <vector>

namespace {

class TCountedPanel : public TPanel {
public:
    TCountedPanel(TComponent* AOwner, int& Deaths) : TPanel(AOwner), FDeaths(Deaths) {}
    ~TCountedPanel() override { ++FDeaths; }

private:
    int& FDeaths;
};

// A destroyed form's memory is filled with a pattern and kept until the test ends,
// so that whatever reads it after its destruction finds garbage, not its old values.
std::vector<void*>& Graveyard()
{
    static std::vector<void*> Kept;
    return Kept;
}

class TPoisonedForm : public TForm {
public:
    using TForm::TForm;
    static void* operator new(std::size_t Size) { return ::operator new(Size); }
    static void operator delete(void* P, std::size_t Size)
    {
        std::memset(P, 0xA5, Size);
        Graveyard().push_back(P);
    }
};

} // namespace

TEST(Ownership, AParentedControlInAUniquePtrOutlivesItsParent)
{
    int Deaths = 0;
    auto Held = std::make_unique<TCountedPanel>(nullptr, Deaths);
    auto Form = std::make_unique<TForm>(nullptr);
    Held->SetParent(Form.get());
    Form->Show();
    ASSERT_TRUE(Held->HandleAllocated());
    Form.reset();
    if (Deaths != 0) {
        (void)Held.release(); // deleted by its parent already: not a second time
        FAIL() << "the parent deleted a control it does not own";
    }
    EXPECT_EQ(Held->Parent(), nullptr);
    EXPECT_FALSE(Held->HandleAllocated());
    Held.reset();
    EXPECT_EQ(Deaths, 1);
}

TEST(Ownership, AMemberControlDeclaredBeforeItsParentIsDeletedOnce)
{
    // Members go in reverse order: the form first, then the panel placed on it.
    struct THolder {
        TCountedPanel Panel;
        TForm Form{nullptr};
        explicit THolder(int& Deaths) : Panel(nullptr, Deaths) { Panel.SetParent(&Form); }
    };
    int Deaths = 0;
    {
        THolder Holder(Deaths);
        Holder.Form.Show();
        ASSERT_TRUE(Holder.Panel.HandleAllocated());
    }
    EXPECT_EQ(Deaths, 1);
}

TEST(Ownership, TheOwnerDeletesWhatItOwnsWhereverItIsPlaced)
{
    int Deaths = 0;
    auto Owner = std::make_unique<TForm>(nullptr);
    auto Host = std::make_unique<TForm>(nullptr);
    auto* Outer = new TCountedPanel(Owner.get(), Deaths);
    auto* Inner = new TCountedPanel(Owner.get(), Deaths);
    auto* Text = new TLabel(Owner.get());
    Outer->SetParent(Host.get());
    Inner->SetParent(Outer);
    Text->SetParent(Inner);
    Host->Show();
    ASSERT_TRUE(Inner->HandleAllocated());

    Host.reset();
    ASSERT_EQ(Deaths, 0) << "a parent deleted controls it does not own";
    EXPECT_EQ(Outer->Parent(), nullptr);
    EXPECT_FALSE(Outer->HandleAllocated());
    // The inner ones keep their places below the detached one and get windows again.
    EXPECT_EQ(Inner->Parent(), Outer);
    EXPECT_FALSE(Inner->HandleAllocated());
    Outer->SetParent(Owner.get());
    Owner->Show();
    EXPECT_TRUE(Inner->HandleAllocated());
    EXPECT_EQ(GetParent(Inner->Handle()), Outer->Handle());

    Owner.reset();
    EXPECT_EQ(Deaths, 2);
}

TEST(Ownership, AFormDestroyedInsideItsOwnModalLoopEndsTheLoop)
{
    auto Other = std::make_unique<TForm>(nullptr);
    Other->SetCaption("Other");
    Other->Show();
    TForm* Form = new TPoisonedForm(nullptr);
    Form->SetCaption("Goes away");
    auto* Ok = new TButton(Form);
    Ok->SetParent(Form);
    const int Depth = Application().ModalDepth;
    bool OtherDisabled = false;
    TModalScript Script([&](HWND) {
        OtherDisabled = !IsWindowEnabled(Other->Handle());
        delete Form;
    });
    EXPECT_EQ(Form->ShowModal(), mrCancel);
    EXPECT_TRUE(OtherDisabled);
    EXPECT_TRUE(IsWindowEnabled(Other->Handle()));
    EXPECT_EQ(Application().ModalDepth, Depth);
    for (void* P : Graveyard())
        ::operator delete(P);
    Graveyard().clear();
}
