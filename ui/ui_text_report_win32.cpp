#include "ui_text_report.h"

#include "ui_control.h"

#include <cxxabi.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <typeinfo>

namespace {

// The class of the control as its source names it, without namespaces.
std::string KindOf(const TControl& Control)
{
    const char* Mangled = typeid(Control).name();
    int Status = 0;
    std::unique_ptr<char, void (*)(void*)> Plain(abi::__cxa_demangle(Mangled, nullptr, nullptr, &Status), std::free);
    std::string Name = Status == 0 && Plain ? Plain.get() : Mangled;
    const std::size_t Colons = Name.rfind("::");
    return Colons == std::string::npos ? Name : Name.substr(Colons + 2);
}

std::uint64_t WindowOf(TControl& Control)
{
    auto* W = dynamic_cast<TWinControl*>(&Control);
    if (!W || !W->HandleAllocated())
        return 0;
    return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(W->Handle()));
}

} // namespace

TTextReport::TTextReport(TWinControl& Form) : FForm(Form) {}

POINT TTextReport::ClientOrigin(TControl& Control)
{
    if (&Control == &FForm)
        return POINT{0, 0};
    if (auto* W = dynamic_cast<TWinControl*>(&Control); W && W->HandleAllocated() && FForm.HandleAllocated()) {
        POINT P = {0, 0};
        MapWindowPoints(W->Handle(), FForm.Handle(), &P, 1);
        return P;
    }
    POINT P = Control.Parent() ? ClientOrigin(*Control.Parent()) : POINT{0, 0};
    P.x += Control.Left();
    P.y += Control.Top();
    return P;
}

bool TTextReport::Shown(TControl& Control)
{
    if (&Control == &FForm)
        return FForm.HandleAllocated() && IsWindowVisible(FForm.Handle());
    for (TControl* C = &Control; C && C != &FForm; C = C->Parent())
        if (!C->Visible())
            return false;
    return true;
}

void TTextReport::AddControl(TControl& Control, const std::string& Text)
{
    TTextItem I;
    I.Kind = KindOf(Control);
    I.Name = Control.Name;
    I.Window = WindowOf(Control);
    I.Visible = Shown(Control);
    I.Enabled = Control.Enabled();
    I.Focused = I.Window != 0 && reinterpret_cast<HWND>(static_cast<std::uintptr_t>(I.Window)) == GetFocus();
    if (&Control == &FForm) {
        RECT Client = {0, 0, 0, 0};
        if (FForm.HandleAllocated())
            GetClientRect(FForm.Handle(), &Client);
        I.Width = Client.right;
        I.Height = Client.bottom;
    } else {
        const POINT Origin = Control.Parent() ? ClientOrigin(*Control.Parent()) : POINT{0, 0};
        I.Left = Origin.x + Control.Left();
        I.Top = Origin.y + Control.Top();
        I.Width = Control.Width();
        I.Height = Control.Height();
    }
    I.Text = Text;
    FItems.push_back(std::move(I));
}

void TTextReport::AddItem(TControl& Within, TTextItem Item)
{
    const POINT Origin = ClientOrigin(Within);
    Item.Left += Origin.x;
    Item.Top += Origin.y;
    Item.Visible = Item.Visible && Shown(Within);
    FItems.push_back(std::move(Item));
}

void TTextReport::DescribeChildren(TWinControl& Parent)
{
    for (TControl* C : Parent.Controls()) {
        C->DescribeTexts(*this);
        if (auto* W = dynamic_cast<TWinControl*>(C))
            DescribeChildren(*W);
    }
}

void TTextReport::DescribeAll()
{
    FForm.DescribeTexts(*this);
    DescribeChildren(FForm);
}

UINT TextReportMessage()
{
    static const UINT Message = RegisterWindowMessageA(TextReportMessageName);
    return Message;
}

bool AnswerTextRequest(TWinControl& Form, WPARAM Asker, LPARAM Number)
{
    const HWND To = reinterpret_cast<HWND>(Asker);
    if (!To || !IsWindow(To) || !Form.HandleAllocated())
        return false;
    std::string Report;
    try {
        TTextReport R(Form);
        R.DescribeAll();
        Report = EncodeTextReport(R.Items());
    } catch (...) {
        // A query from outside must not put an error box in front of the user.
        return false;
    }
    COPYDATASTRUCT Data = {};
    Data.dwData = static_cast<ULONG_PTR>(Number);
    Data.cbData = static_cast<DWORD>(Report.size());
    Data.lpData = Report.data();
    DWORD_PTR Result = 0;
    // An asker that hangs or has gone must not stop this program.
    return SendMessageTimeoutA(To, WM_COPYDATA, reinterpret_cast<WPARAM>(Form.Handle()),
                               reinterpret_cast<LPARAM>(&Data), SMTO_NORMAL | SMTO_ABORTIFHUNG, 5000, &Result) != 0;
}
